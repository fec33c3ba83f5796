#pragma once
// Shapes shared by the viewer's logic and its window.
#include <cstddef>
#include <cstdint>
#include <vector>

// The part of the image shown, in image pixels, inclusive bounds.
struct ViewWindowRect {
    int32_t Left = 0, Right = 0, Top = 0, Bottom = 0;
};

// A rectangle with inclusive Right and Bottom (the ROI in image or bitmap pixels).
struct Rect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const Rect&) const = default;
};

// An 8-bit grey bitmap: byte value i is shown as grey (i, i, i).
struct GreyBitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels; // rows top to bottom, width bytes each

    void resize(int32_t newWidth, int32_t newHeight)
    {
        width = newWidth;
        height = newHeight;
        pixels.resize(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
    }
    uint8_t* row(int32_t r) { return pixels.data() + static_cast<size_t>(r) * static_cast<size_t>(width); }
    const uint8_t* row(int32_t r) const { return pixels.data() + static_cast<size_t>(r) * static_cast<size_t>(width); }
};
