#include "RoiFrame.h"

#include <gtest/gtest.h>

#include <set>

namespace {

GreyBitmap greyBitmap(int32_t width, int32_t height, uint8_t value)
{
    GreyBitmap bitmap;
    bitmap.resize(width, height);
    std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), value);
    return bitmap;
}

// Columns in which some pixel of rows y0..y1 differs from the background.
std::set<int32_t> changedColumns(const GreyBitmap& bitmap, int32_t y0, int32_t y1, uint8_t background)
{
    std::set<int32_t> columns;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = 0; x < bitmap.width; ++x)
            if (bitmap.row(y)[x] != background) columns.insert(x);
    return columns;
}

} // namespace

TEST(RoiFrame, SecondDrawingRemovesIt)
{
    for (const Rect roi : {Rect{32, 32, 95, 95}, Rect{-10, 500, 40, 700}, Rect{5, 5, 5, 5}, Rect{9, 9, 2, 2}}) {
        GreyBitmap bitmap = greyBitmap(512, 512, 77);
        for (int32_t i = 0; i < 512 * 512; ++i) bitmap.pixels[i] = static_cast<uint8_t>(i * 31);
        const GreyBitmap before = bitmap;
        drawRoiFrame(bitmap, roi);
        drawRoiFrame(bitmap, roi);
        EXPECT_EQ(bitmap.pixels, before.pixels);
    }
}

TEST(RoiFrame, OneDottedOutlineBesideTheRoiAtUpTo512Rows)
{
    GreyBitmap bitmap = greyBitmap(512, 512, 100);
    drawRoiFrame(bitmap, {32, 32, 95, 95});
    // The outline at offset 1: columns 31 and 95, rows 31 and 95, every other pixel inverted.
    EXPECT_EQ(changedColumns(bitmap, 40, 80, 100), (std::set<int32_t>{31, 95}));
    EXPECT_EQ(bitmap.row(31)[31], 155);
    EXPECT_EQ(bitmap.row(31)[32], 100);
    EXPECT_EQ(bitmap.row(31)[33], 155);
    EXPECT_EQ(bitmap.row(95)[95], 155);
    EXPECT_EQ(bitmap.row(32)[32], 100); // the ROI's own edge stays clear
    EXPECT_EQ(bitmap.row(96)[96], 100);
}

TEST(RoiFrame, BandOnBothSidesForTallBitmaps)
{
    // 1024 rows: outlines at offsets -2, -1, +1, +2.
    GreyBitmap bitmap = greyBitmap(1024, 1024, 0);
    drawRoiFrame(bitmap, {100, 100, 199, 199});
    EXPECT_EQ(changedColumns(bitmap, 110, 190, 0), (std::set<int32_t>{98, 99, 101, 102, 196, 197, 199, 200}));
}
