#pragma once
// From stored samples to the grey picture: which part of the image is shown,
// how sample values map through window level and width, where the picture sits
// in the 512 x 512 image area, and the automatic window.
#include "GreyMapping.h"
#include "Samples.h"
#include "ViewerTypes.h"

#include <array>
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

// The grey level of every possible stored sample under one mapping, so that
// drawing looks up each pixel it does not compute sixteen at a time (bytes, the
// ends of rows, a processor without AVX2). Kept between drawings and rebuilt only
// when the mapping changes.
class GreyTable {
public:
    void prepare(const GreyMapping& mapping);
    uint8_t operator[](uint16_t storedSample) const { return table_[storedSample]; }

private:
    std::optional<GreyMapping> built_;
    std::array<uint8_t, 65536> table_{};
};

// How drawing finds the grey levels of 16-bit samples: computed sixteen at a time
// where the processor has AVX2 (the table serving the rest), or all looked up in
// the table, as on a processor without AVX2; the tests draw both ways.
enum class GreyPath { fastest, table };

// Writes the pixels of the view window into the bitmap, from its top-left corner:
// one bitmap row per image row inside the window, one bitmap column per column.
// Bitmap pixels the window does not reach keep their content; samples beyond the
// end of the buffer are shown black.
void renderView(const ByteBuffer& buffer, int64_t header, int32_t W, int32_t H, const ViewWindowRect& window,
                const GreyMapping& mapping, GreyTable& table, GreyBitmap& bitmap, GreyPath path = GreyPath::fastest);

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
std::optional<AutoWindow> autoWindow(const ByteBuffer& buffer, const SampleLayout& layout, int32_t sizeX,
                                     int32_t sizeY);

// The zoom buttons ("+" in, "-" out, never below 1): the new magnification text,
// and whether the shifts are dropped because the zoom is back at 1.
struct ZoomStep {
    std::string magnification;
    bool resetShift = false;
};
ZoomStep zoomStep(const std::string& magnification, bool in);
