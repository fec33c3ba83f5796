#pragma once
// One CT slice as the task-based measurements take it: HU values (stored value plus
// intercept) row by row, column x of row y at values[y * columns + x], pixel (x, y)
// centred at x, y in pixel units.
#include <cstddef>
#include <cstdint>
#include <vector>

struct HuSlice {
    int32_t columns = 0;
    int32_t rows = 0;
    std::vector<double> values; // columns * rows

    double at(int32_t x, int32_t y) const
    {
        return values[static_cast<size_t>(y) * static_cast<size_t>(columns) + static_cast<size_t>(x)];
    }
};

// Fails with AppError when there is no slice, when the slices differ in size, or when a
// slice's values do not fill it.
void checkSlices(const std::vector<HuSlice>& slices);
// Fails with AppError for a pixel spacing that is not a positive finite number of mm.
void checkPixelSpacing(double spacing);

// A rectangle of pixels: columns left..left+width-1, rows top..top+height-1.
struct PixelFrame {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};
