#include "AxisLabels.h"

#include <gtest/gtest.h>

#include <limits>

TEST(LabelIncrement, WidensByPowersOfTenToAFewHundredLabels)
{
    struct Case {
        double span, increment, expected;
    } cases[] = {
        {1.5, 0.2, 0.2},          // the start scale of the MTF chart: kept
        {26 * 1.818e7, 0.2, 2e7}, // a spacing of 1e-9 with the old increment
        {472.7, 94.54, 94.54},    // a fifth of the range: kept
        {200, 1, 1},              // exactly the most labels
        {201, 1, 10},
        {0, 0.1, 0.1}, // no range: nothing to widen
        {1, 0, 1},     // no increment: one
        {1, -5, 1},
        {1, std::numeric_limits<double>::quiet_NaN(), 1},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(labelIncrement(c.span, c.increment), c.expected) << c.span;
}

TEST(LabelIncrement, EndsFromTheSmallestIncrementToTheLargestSpan)
{
    const double increment =
        labelIncrement(std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min());
    EXPECT_LE(std::numeric_limits<double>::max() / increment, MaxAxisLabels);
    EXPECT_EQ(labelIncrement(std::numeric_limits<double>::infinity(), 1), std::numeric_limits<double>::max());
}
