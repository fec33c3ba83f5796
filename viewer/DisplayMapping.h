#pragma once
// From stored samples to the grey picture: which part of the image is shown,
// how sample values map through window level and width, where the picture sits
// in the 512 x 512 image area, and the automatic window.
#include "Samples.h"
#include "ViewerTypes.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

// The shown part of a W x H image at magnification MF, shifted by (SX, SY), and
// the size of the bitmap that holds it.
struct ViewGeometry {
    ViewWindowRect window;
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
    bool narrow = false; // wider than tall at this magnification: cut to a square
};
ViewGeometry computeViewGeometry(int32_t W, int32_t H, long double MF, int32_t SX, int32_t SY);

// Resizes the display bitmap; a negative size counts as 0, and a size that only
// a magnification far below 1 gives fails instead of exhausting memory.
void resizeDisplayBitmap(GreyBitmap& bitmap, int32_t width, int32_t height);

// Grey levels per sample unit, 256 / WW in single precision; WW 0 fails.
float greyFactor(int32_t windowWidth);

struct GreyMapping {
    int32_t level = 0;    // maps to grey 128
    float factor = 1;     // from greyFactor
    int32_t offset = 0;   // added to every stored sample
    bool swap = false;    // exchange the two bytes of the (widened) sample
    bool invert = false;  // white and black exchanged
    bool eightBit = false; // one unsigned byte per sample instead of a 16-bit word
    bool operator==(const GreyMapping&) const = default;
};

// How far (in sample units) a value may lie from the level before its grey level
// saturates for certain: the product with the factor then passes 130 grey steps.
inline double saturationReach(const GreyMapping& mapping)
{
    return 130.0 / std::fabs(static_cast<double>(mapping.factor));
}

// The grey level of one sample value (the stored word, already swapped and read as signed).
uint8_t greyLevel(int16_t value, const GreyMapping& mapping);

// The grey level of every possible stored sample under one mapping, so that
// drawing looks up each pixel it does not compute sixteen at a time (bytes, the
// ends of rows, a processor without AVX2). Kept between drawings and rebuilt only
// when the mapping changes.
class GreyTable {
public:
    void prepare(const GreyMapping& mapping);
    uint8_t operator[](uint16_t storedSample) const { return table_[storedSample]; }
    // Whether drawing may form its products in single precision under this mapping;
    // remembered for the last mapping asked about.
    bool singlePrecisionAllowed(const GreyMapping& mapping);

private:
    std::optional<GreyMapping> built_;
    std::array<uint8_t, 65536> table_{};
    std::optional<GreyMapping> singleChecked_;
    bool singleAllowed_ = false;
};

// Writes the pixels of the view window into the bitmap, from its top-left corner:
// one bitmap row per image row inside the window, one bitmap column per column.
// Bitmap pixels the window does not reach keep their content; samples beyond the
// end of the buffer are shown black.
void renderView(const ByteBuffer& buffer, int64_t header, int32_t W, int32_t H, const ViewWindowRect& window,
                const GreyMapping& mapping, GreyTable& table, GreyBitmap& bitmap);

// Where Image1 sits in the 512 x 512 image area.
struct Placement {
    int32_t left = 0, top = 0, width = 0, height = 0;
};
Placement placeImage(int32_t W, int32_t H, bool narrow);

// The window spanning the central half of the image (in both directions), read as
// 16-bit words whatever the mode; nothing when no sample of that block is in the buffer.
struct AutoWindow {
    int32_t width = 0;
    int32_t level = 0;
};
std::optional<AutoWindow> autoWindow(const ByteBuffer& buffer, const SampleLayout& layout, int32_t sizeX, int32_t sizeY);

// The zoom buttons ("+" in, "-" out, never below 1): the new magnification text,
// and whether the shifts are dropped because the zoom is back at 1.
struct ZoomStep {
    std::string magnification;
    bool resetShift = false;
};
ZoomStep zoomStep(const std::string& magnification, bool in);
