#include "MouseTools.h"

#include "Arithmetic.h"

long double viewScale(const GreyBitmap& bitmap) { return bitmap.height / 512.0L; }

RoiGrip roiGripAt(const Rect& roiView, long double s, int32_t X, int32_t Y, int32_t lastX, int32_t lastY)
{
    const long double px = X * s, py = Y * s;
    RoiGrip grip;
    grip.topLeft = px < roiView.Left && py < roiView.Top;
    grip.bottomRight = px > roiView.Right && py > roiView.Bottom;
    grip.moveRoi = roiView.Left < px && px < roiView.Right && roiView.Top < py && py < roiView.Bottom &&
                   (X != lastX || Y != lastY);
    return grip;
}

Rect dragCorners(Rect roiView, const RoiGrip& grip, long double s, int32_t X, int32_t Y)
{
    if (grip.topLeft) {
        roiView.Left = Checked::trunc(X * s);
        roiView.Top = Checked::trunc(Y * s);
    }
    if (grip.bottomRight) {
        roiView.Right = Checked::trunc(X * s);
        roiView.Bottom = Checked::trunc(Y * s);
    }
    return roiView;
}

namespace {

// First and last of `size` pixels centred on p (cut toward zero).
void centreSpan(int32_t size, long double p, int32_t& first, int32_t& last)
{
    const int32_t half = Checked::div(size, 2);
    const int32_t even = size % 2 == 0 ? 1 : 0;
    first = Checked::trunc(p - half);
    last = Checked::trunc(p + half - even);
}

} // namespace

Rect centreFrameOn(const Rect& roiView, long double s, int32_t X, int32_t Y)
{
    const int32_t width = Checked::add(Checked::sub(roiView.Right, roiView.Left), 1);
    const int32_t height = Checked::add(Checked::sub(roiView.Bottom, roiView.Top), 1);
    Rect moved;
    centreSpan(width, X * s, moved.Left, moved.Right);
    centreSpan(height, Y * s, moved.Top, moved.Bottom);
    return moved;
}

std::optional<int32_t> panShift(int32_t shift, int32_t delta, long double s, int64_t roomPositive, int64_t roomNegative)
{
    const int32_t moved = Checked::trunc(delta * s);
    const bool room = (moved < 0 && -int64_t{moved} < roomNegative) || (moved > 0 && moved < roomPositive);
    if (!room) return std::nullopt;
    return Checked::trunc(shift + delta * s);
}

std::optional<int32_t> draggedWindowWidth(int32_t width, int32_t dx, int32_t step)
{
    const int32_t widened = Checked::add(width, Checked::mul(dx, step));
    if (widened <= 0) return std::nullopt;
    return widened;
}

int32_t draggedWindowLevel(int32_t level, int32_t dy, int32_t step)
{
    return Checked::sub(level, Checked::mul(dy, step));
}
