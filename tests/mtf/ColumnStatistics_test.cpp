#include "ColumnStatistics.h"

#include "AppError.h"
#include "NumberFormat.h"

#include <gtest/gtest.h>

TEST(ColumnStatistics, PopulationStatistics)
{
    const ColumnStats s = columnStatistics({10, 20, 30});
    EXPECT_EQ(formatGeneral(s.mean), "20");
    EXPECT_EQ(formatGeneral(s.sd), "8.16496580927726");
    EXPECT_EQ(s.max, 30);
    EXPECT_EQ(s.min, 10);
}

TEST(ColumnStatistics, SingleValue)
{
    const ColumnStats s = columnStatistics({-4.5L});
    EXPECT_EQ(s.mean, -4.5);
    EXPECT_EQ(s.sd, 0);
    EXPECT_EQ(s.max, -4.5);
    EXPECT_EQ(s.min, -4.5);
}

TEST(ColumnStatistics, EmptyColumnFails) { EXPECT_THROW(columnStatistics({}), AppError); }
