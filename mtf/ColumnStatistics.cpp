#include "ColumnStatistics.h"

#include "Arithmetic.h"

#include <cmath>

ColumnStats columnStatistics(const std::vector<long double>& values)
{
    const long double n = static_cast<long double>(values.size());
    double sum = 0;
    for (long double v : values) sum = static_cast<double>(sum + v);
    ColumnStats s;
    s.mean = static_cast<double>(Checked::fdiv(sum, n));
    s.max = s.min = static_cast<double>(values.front());
    double squares = 0;
    for (long double v : values) {
        if (v > s.max) s.max = static_cast<double>(v);
        if (v < s.min) s.min = static_cast<double>(v);
        const double deviation = static_cast<double>(v - s.mean);
        squares = static_cast<double>(squares + static_cast<long double>(deviation) * deviation);
    }
    s.sd = static_cast<double>(Checked::finite(std::sqrt(squares / n)));
    return s;
}
