#include "AxisLabels.h"

#include <cmath>
#include <limits>

double labelIncrement(double span, double increment)
{
    if (!(increment > 0 && std::isfinite(increment))) increment = 1;
    if (!(span > 0)) return increment;
    if (!std::isfinite(span)) return std::numeric_limits<double>::max();
    // At most about 630 steps, from the smallest double to the largest.
    while (span / increment > MaxAxisLabels) increment *= 10;
    return increment;
}
