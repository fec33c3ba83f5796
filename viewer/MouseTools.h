#pragma once
// The arithmetic of the mouse tools on the image: where a press lands on the
// ROI frame, how drags move or resize it, panning, and the window/level drag.
// Positions X, Y are image-control pixels; s is the view scale, bitmap pixels
// per control pixel (bitmap height / 512).
#include "ViewerTypes.h"

#include <cstdint>
#include <optional>

long double viewScale(const GreyBitmap& bitmap);

// What a left press with the ROI tool grabs.
struct RoiGrip {
    bool topLeft = false;     // above-left of the frame: the top-left corner
    bool bottomRight = false; // below-right of the frame: the bottom-right corner
    bool moveRoi = false;     // strictly inside, away from the last recorded position: the whole frame
};
RoiGrip roiGripAt(const Rect& roiView, long double s, int32_t X, int32_t Y, int32_t lastX, int32_t lastY);

// The frame with the gripped corner(s) at the pointer; the other corner stays.
Rect dragCorners(Rect roiView, const RoiGrip& grip, long double s, int32_t X, int32_t Y);

// The frame, same size, centred on the pointer (an even size puts half before the centre).
Rect centreFrameOn(const Rect& roiView, long double s, int32_t X, int32_t Y);

// Panning: the new shift after the pointer moved by delta control pixels, or
// nothing when the view has no room for that move of d = Trunc(delta * s)
// image pixels (d > 0 needs d < roomPositive, d < 0 needs -d < roomNegative).
std::optional<int32_t> panShift(int32_t shift, int32_t delta, long double s, int64_t roomPositive,
                                int64_t roomNegative);

// Window/level drag: the width grows by dx * step but only stays positive;
// the level rises by -dy * step without limit.
std::optional<int32_t> draggedWindowWidth(int32_t width, int32_t dx, int32_t step);
int32_t draggedWindowLevel(int32_t level, int32_t dy, int32_t step);
