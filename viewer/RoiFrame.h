#pragma once
// The ROI frame over the picture: dotted outlines combined with the bitmap by
// exclusive or, so that drawing the same frame again removes it.
#include "ViewerTypes.h"

#include <cstdint>

// One dotted outline with exclusive Right and Bottom: it runs on columns left
// and right - 1 and rows top and bottom - 1; parts outside the bitmap are skipped.
void xorFocusRect(GreyBitmap& bitmap, int64_t left, int64_t top, int64_t right, int64_t bottom);

// The frame of the ROI (bitmap pixels, inclusive bounds). The outline is
// thickened to a band of height/512 on either side when the bitmap is taller
// than the 512-pixel image area, so that it stays visible when scaled down.
void drawRoiFrame(GreyBitmap& bitmap, const Rect& roiView);
