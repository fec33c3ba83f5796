#pragma once
// The ROI frame over the picture: dotted outlines combined with the bitmap by
// exclusive or, so that drawing the same frame again removes it.
#include "ViewerTypes.h"

#include <cstdint>

// One dotted outline with exclusive Right and Bottom: it runs on columns left
// and right - 1 and rows top and bottom - 1; parts outside the bitmap are skipped.
void xorFocusRect(GreyBitmap& bitmap, int64_t left, int64_t top, int64_t right, int64_t bottom);

// The frame of the ROI (bitmap pixels, inclusive bounds), drawn as the ROI
// rectangle and its copies grown by -n .. n pixels (0 .. 1 when n <= 1),
// n = height / 512; the copies at 0 and the rectangle cancel. Up to 1023 rows
// one outline shows, on columns Left - 1 and Right and rows Top - 1 and Bottom;
// taller bitmaps get a band of outlines on both sides of the edge that stays
// visible when the bitmap is scaled down to the 512-row image area.
void drawRoiFrame(GreyBitmap& bitmap, const Rect& roiView);
