// The checks every task-based measurement makes of its slices.
#include "HuSlice.h"

#include "AppError.h"

#include <cmath>

void checkSlices(const std::vector<HuSlice>& slices)
{
    if (slices.empty()) throw AppError(Msg::noSlicesToMeasure);
    const HuSlice& first = slices.front();
    for (const HuSlice& s : slices) {
        if (s.columns != first.columns || s.rows != first.rows)
            throw AppError(Msg::sliceSizesDiffer(first.columns, first.rows, s.columns, s.rows));
        if (s.columns < 1 || s.rows < 1 ||
            s.values.size() != static_cast<size_t>(s.columns) * static_cast<size_t>(s.rows))
            throw AppError(Msg::sliceValuesMissing(s.columns, s.rows, s.values.size()));
    }
}

void checkPixelSpacing(double spacing)
{
    if (!(spacing > 0) || !std::isfinite(spacing)) throw AppError(Msg::spacingNotPositive(spacing));
}
