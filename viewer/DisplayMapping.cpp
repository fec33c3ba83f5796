#include "DisplayMapping.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "Convert.h"
#include "GreyLevelsAvx2.h"
#include "NumberFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// A bitmap larger than this comes only from a magnification far below 1.
constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;

// d = value + offset - level must stay within 32 bits; when it always does, the
// per-pixel check can be left out.
bool differenceAlwaysFits(const GreyMapping& m)
{
    const int64_t base = int64_t{m.offset} - m.level;
    return base - 32768 >= std::numeric_limits<int32_t>::min() && base + 32767 <= std::numeric_limits<int32_t>::max();
}

inline uint16_t loadStored(const uint8_t* src, int32_t k, bool eightBit)
{
    return eightBit ? src[k] : static_cast<uint16_t>(src[2 * k + 1] << 8 | src[2 * k]);
}

// The hot loop of drawing: four words per 64-bit load, eight grey levels per
// 64-bit store. The files' words are little-endian, as this machine's are.
static_assert(std::endian::native == std::endian::little);
void lookUpWords(const uint8_t* src, int32_t count, const GreyTable& table, uint8_t* out)
{
    auto four = [&table](uint64_t words) {
        return uint64_t{table[static_cast<uint16_t>(words)]} |
               uint64_t{table[static_cast<uint16_t>(words >> 16)]} << 8 |
               uint64_t{table[static_cast<uint16_t>(words >> 32)]} << 16 |
               uint64_t{table[static_cast<uint16_t>(words >> 48)]} << 24;
    };
    int32_t k = 0;
    for (; k + 8 <= count; k += 8) {
        uint64_t first, second;
        std::memcpy(&first, src + 2 * k, sizeof first);
        std::memcpy(&second, src + 2 * k + 8, sizeof second);
        const uint64_t greys = four(first) | four(second) << 32;
        std::memcpy(out + k, &greys, sizeof greys);
    }
    for (; k < count; ++k) out[k] = table[loadStored(src, k, false)];
}

} // namespace

ViewGeometry computeViewGeometry(int32_t W, int32_t H, long double MF, int32_t SX, int32_t SY)
{
    const long double shownW = Checked::fdiv(W, MF);
    const long double shownH = Checked::fdiv(H, MF);
    ViewGeometry g;
    g.narrow = W > shownH;
    const long double shownAcross = g.narrow ? shownH : shownW;
    auto& v = g.window;
    v.Left = Checked::sub(Checked::trunc((W - shownAcross) / 2), Checked::trunc(SX * MF));
    v.Right = Checked::sub(Checked::trunc(shownAcross + v.Left), 1);
    v.Top = Checked::add(Checked::trunc((H - shownH) / 2), Checked::trunc(SY * MF));
    v.Bottom = Checked::sub(Checked::trunc(shownH + v.Top), 1);
    g.bitmapWidth = Checked::trunc(shownAcross);
    g.bitmapHeight = Checked::trunc(shownH);
    return g;
}

void resizeDisplayBitmap(GreyBitmap& bitmap, int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (int64_t{width} * height > kMaxBitmapPixels) throw AppError(Msg::displayBitmapTooLarge(width, height));
    bitmap.resize(width, height);
}

float greyFactor(int32_t windowWidth)
{
    if (windowWidth == 0) throw AppError(Msg::floatDivByZero);
    return 256.0f / static_cast<float>(windowWidth);
}

void GreyTable::prepare(const GreyMapping& mapping)
{
    if (built_ == mapping) return;
    // Values more than 130 grey steps from the level all saturate, to the grey of
    // the lowest or the highest value; only the values in between are computed
    // one by one (about WW of them).
    const double reach = saturationReach(mapping);
    const double centre = static_cast<double>(mapping.level) - mapping.offset;
    const auto low = static_cast<int32_t>(std::clamp(std::floor(centre - reach), -32768.0, 32767.0));
    const auto high = static_cast<int32_t>(std::clamp(std::ceil(centre + reach), -32768.0, 32767.0));
    const uint8_t below = greyLevel(-32768, mapping);
    const uint8_t above = greyLevel(32767, mapping);

    const int entries = mapping.eightBit ? 256 : 65536;
    for (int stored = 0; stored < entries; ++stored) {
        const int16_t value = storedValue(static_cast<uint16_t>(stored), mapping.swap);
        table_[static_cast<size_t>(stored)] = value < low ? below : value > high ? above : 0;
    }
    for (int stored = 0; stored < entries; ++stored) {
        const int16_t value = storedValue(static_cast<uint16_t>(stored), mapping.swap);
        if (value >= low && value <= high) table_[static_cast<size_t>(stored)] = greyLevel(value, mapping);
    }
    built_ = mapping;
}

void renderView(const ByteBuffer& buffer, int64_t header, int32_t W, int32_t H, const ViewWindowRect& window,
                const GreyMapping& mapping, GreyTable& table, GreyBitmap& bitmap, GreyPath path)
{
    const int64_t bytesPerSample = mapping.eightBit ? 1 : 2;
    const int32_t firstRow = std::max(window.Top, 0), lastRow = std::min(window.Bottom, H - 1);
    const int32_t firstColumn = std::max(window.Left, 0), lastColumn = std::min(window.Right, W - 1);
    const int32_t columns = std::min(lastColumn - firstColumn + 1, bitmap.width);
    if (columns <= 0) return;
    // With an offset and level so extreme that a sample could overflow, each
    // pixel is computed (and checked) on its own instead of looked up.
    const bool fits = differenceAlwaysFits(mapping);
    const auto size = static_cast<int64_t>(buffer.size());

    for (int32_t i = firstRow; i <= lastRow && i - firstRow < bitmap.height; ++i) {
        uint8_t* out = bitmap.row(i - firstRow);
        const int64_t start = header + bytesPerSample * (int64_t{i} * W + firstColumn);
        // Only whole samples inside the buffer are read; the rest of the row shows black.
        const int64_t available = start < 0 ? 0 : std::clamp<int64_t>((size - start) / bytesPerSample, 0, columns);
        const auto count = static_cast<int32_t>(available);
        if (count > 0) {
            const uint8_t* src = buffer.data() + start;
            if (fits && !mapping.eightBit) {
                // Computing beats looking up where the processor can do sixteen at once;
                // the table serves the rest of the row.
                const int32_t computed = path == GreyPath::fastest ? greyLevelsAvx2(src, count, mapping, out) : 0;
                if (computed < count) {
                    table.prepare(mapping);
                    lookUpWords(src + 2 * computed, count - computed, table, out + computed);
                }
            } else if (fits) {
                table.prepare(mapping);
                for (int32_t k = 0; k < count; ++k) out[k] = table[src[k]];
            } else {
                for (int32_t k = 0; k < count; ++k)
                    out[k] = greyLevel(storedValue(loadStored(src, k, mapping.eightBit), mapping.swap), mapping);
            }
        }
        std::fill(out + count, out + columns, uint8_t{0});
    }
}

Placement placeImage(int32_t W, int32_t H, bool narrow)
{
    Placement p;
    p.width = narrow ? 512 : Checked::trunc(Checked::fdiv(Checked::mul(W, 512), H));
    p.height = 512;
    p.left = (512 - p.width) / 2;
    return p;
}

std::optional<AutoWindow> autoWindow(const ByteBuffer& buffer, const SampleLayout& layout, int32_t sizeX, int32_t sizeY)
{
    const int64_t qx = sizeX / 4, qy = sizeY / 4;
    const auto size = static_cast<int64_t>(buffer.size());
    std::optional<int16_t> maxValue, minValue;
    if (qx <= 0 || qy <= 0 || layout.columns <= 0) return std::nullopt;
    // Only words inside the buffer are read, and only the rows that hold some are
    // visited, so the work is bounded by the buffer whatever the sizes say.
    const int64_t rowBytes = 2 * layout.columns;
    const int64_t firstRow = std::max(qy, ceilDiv(-layout.header - 2 * (3 * qx - 1), rowBytes));
    const int64_t lastRow = std::min(3 * qy - 1, floorDiv(size - 2 - layout.header - 2 * qx, rowBytes));
    for (int64_t r = firstRow; r <= lastRow; ++r) {
        const int64_t rowStart = wordPosition(layout, r, 0);
        const int64_t firstColumn = std::max(qx, ceilDiv(-rowStart, 2));
        const int64_t lastColumn = std::min(3 * qx - 1, floorDiv(size - 2 - rowStart, 2));
        for (int64_t c = firstColumn; c <= lastColumn; ++c) {
            const int16_t t = sampleValue(buffer, layout, r, c);
            if (!maxValue) {
                maxValue = minValue = t;
            } else if (t > *maxValue) {
                maxValue = t;
            } else if (t < *minValue) {
                minValue = t;
            }
        }
    }
    if (!maxValue) return std::nullopt;
    return AutoWindow{*maxValue - *minValue - 1, (*maxValue + *minValue) / 2};
}

ZoomStep zoomStep(const std::string& magnification, bool in)
{
    const long double MF = toFloat(magnification);
    ZoomStep step{magnification, false};
    if (in) step.magnification = formatGeneral(MF + 0.1L);
    else if (MF > 1) step.magnification = formatGeneral(MF - 0.1L);
    if (toFloat(step.magnification) == 1) step = {"1.0", true};
    return step;
}
