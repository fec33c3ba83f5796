#pragma once
// Mean, population standard deviation, maximum and minimum of a table column.
#include <vector>

struct ColumnStats {
    double mean = 0;
    double sd = 0;
    double max = 0;
    double min = 0;
};

// Fails with the invalid-operation message for an empty column (0 / 0).
ColumnStats columnStatistics(const std::vector<long double>& values);
