#include "RoiFrame.h"

#include <algorithm>

namespace {

// Inverts every other pixel (those with an even x + y) of row y from x0 to x1, inclusive.
void xorRow(GreyBitmap& bitmap, int64_t y, int64_t x0, int64_t x1)
{
    if (y < 0 || y >= bitmap.height) return;
    x0 = std::max<int64_t>(x0, 0);
    x1 = std::min<int64_t>(x1, bitmap.width - 1);
    if ((x0 + y) & 1) ++x0;
    uint8_t* row = bitmap.row(static_cast<int32_t>(y));
    for (int64_t x = x0; x <= x1; x += 2) row[x] ^= 0xFF;
}

// The same down column x from y0 to y1, inclusive.
void xorColumn(GreyBitmap& bitmap, int64_t x, int64_t y0, int64_t y1)
{
    if (x < 0 || x >= bitmap.width) return;
    y0 = std::max<int64_t>(y0, 0);
    y1 = std::min<int64_t>(y1, bitmap.height - 1);
    if ((x + y0) & 1) ++y0;
    for (int64_t y = y0; y <= y1; y += 2) bitmap.row(static_cast<int32_t>(y))[x] ^= 0xFF;
}

} // namespace

void xorFocusRect(GreyBitmap& bitmap, int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    const int64_t lastColumn = right - 1, lastRow = bottom - 1;
    if (lastColumn < left || lastRow < top) return;
    // Each outline pixel is inverted once, corners included.
    xorRow(bitmap, top, left, lastColumn);
    if (lastRow != top) xorRow(bitmap, lastRow, left, lastColumn);
    xorColumn(bitmap, left, top + 1, lastRow - 1);
    if (lastColumn != left) xorColumn(bitmap, lastColumn, top + 1, lastRow - 1);
}

void drawRoiFrame(GreyBitmap& bitmap, const Rect& roiView)
{
    const int64_t n = bitmap.height / 512;
    const int64_t first = n <= 1 ? 0 : -n;
    const int64_t last = n <= 1 ? 1 : n;
    xorFocusRect(bitmap, roiView.Left, roiView.Top, roiView.Right, roiView.Bottom);
    for (int64_t i = first; i <= last; ++i)
        xorFocusRect(bitmap, roiView.Left - i, roiView.Top - i, int64_t{roiView.Right} + i,
                     int64_t{roiView.Bottom} + i);
}
