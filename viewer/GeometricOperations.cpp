#include "GeometricOperations.h"

#include "AppError.h"

#include <algorithm>
#include <cstring>

namespace {

inline uint16_t load(const uint8_t* p)
{
    uint16_t w;
    std::memcpy(&w, p, 2);
    return w;
}

inline void store(uint8_t* p, uint16_t w) { std::memcpy(p, &w, 2); }

inline void swapWords(uint8_t* a, uint8_t* b)
{
    const uint16_t t = load(a);
    store(a, load(b));
    store(b, t);
}

// A quarter turn moves four samples in a cycle for each ring i and step j.
// Two of the four walk down columns, and with rows a power of two apart their
// cache lines share a few cache sets; small tiles of (i, j) keep them in L1.
constexpr int64_t kTile = 8;

} // namespace

std::string trimmedFileName(const std::string& chosenPath, int64_t width, int64_t height,
                            const std::string& pixelSpacing)
{
    const size_t nameStart = chosenPath.rfind('/') == std::string::npos ? 0 : chosenPath.rfind('/') + 1;
    const size_t dot = chosenPath.rfind('.');
    const std::string base = dot != std::string::npos && dot > nameStart ? chosenPath.substr(0, dot) : chosenPath;
    std::string spacing = pixelSpacing;
    if (const auto point = spacing.find('.'); point != std::string::npos) spacing[point] = 'p';
    return base + " " + std::to_string(width) + " " + std::to_string(height) + " " + spacing + ".bin";
}

TrimmedImage trimRoi(const ByteBuffer& buffer, const SampleLayout& layout, int64_t rows, const SampleBlock& roiBlock)
{
    TrimmedImage trimmed;
    trimmed.block = clipSampleBlock(roiBlock, layout, rows, buffer.size());
    if (trimmed.block.empty()) throw AppError(Msg::roiHoldsNoSamples);
    const auto rowBytes = static_cast<size_t>(2 * trimmed.block.width);
    trimmed.bytes.resize(rowBytes * static_cast<size_t>(trimmed.block.height));
    uint8_t* out = trimmed.bytes.data();
    for (int64_t r = trimmed.block.firstRow; r < trimmed.block.firstRow + trimmed.block.height; ++r, out += rowBytes)
        std::memcpy(out, buffer.data() + wordPosition(layout, r, trimmed.block.firstColumn), rowBytes);
    return trimmed;
}

WordImage wordImage(ByteBuffer& buffer, int32_t header, int32_t columns, int32_t rows)
{
    WordImage image;
    image.columns = std::max(columns, 0);
    image.rows = std::max(rows, 0);
    const int64_t firstWord = header / 2;
    const int64_t endByte = 2 * (firstWord + image.columns * image.rows);
    if (firstWord < 0 || endByte > static_cast<int64_t>(buffer.size())) throw AppError(Msg::imageBeyondFile);
    image.first = buffer.data() + 2 * firstWord;
    return image;
}

void flipVertical(const WordImage& image)
{
    for (int64_t y = 0; y < image.rows / 2; ++y)
        std::swap_ranges(image.word(y, 0), image.word(y, image.columns), image.word(image.rows - 1 - y, 0));
}

void flipHorizontal(const WordImage& image)
{
    for (int64_t y = 0; y < image.rows; ++y)
        for (int64_t x = 0; x < image.columns / 2; ++x)
            swapWords(image.word(y, x), image.word(y, image.columns - 1 - x));
}

void turnView(const WordImage& image, const ViewWindowRect& view, Turn turn)
{
    const int64_t t = view.Top, b = view.Bottom, l = view.Left, r = view.Right;
    if (r - l != b - t) throw AppError(Msg::viewNotSquare);
    if (l < 0 || t < 0 || r >= image.columns || b >= image.rows) throw AppError(Msg::viewOutsideImage);

    // Ring i, step j: a -> p1 -> c -> p2 -> a turns counter-clockwise, the
    // reverse cycle clockwise. The cycles are disjoint, so their order is free;
    // along j, a steps right, p1 up, c left and p2 down.
    const int64_t d = r - l;
    const int64_t lastRing = (b - t + 1) / 2;
    const ptrdiff_t down = 2 * image.columns;
    for (int64_t ib = 0; ib <= lastRing; ib += kTile) {
        for (int64_t jb = ib; jb <= d - ib - 1; jb += kTile) {
            for (int64_t i = ib; i <= std::min(ib + kTile - 1, lastRing); ++i) {
                const int64_t j0 = std::max(jb, i);
                const int64_t j1 = std::min(jb + kTile - 1, d - i - 1);
                uint8_t* a = image.word(t + i, l + j0);
                uint8_t* p1 = image.word(b - j0, l + i);
                uint8_t* c = image.word(b - i, r - j0);
                uint8_t* p2 = image.word(t + j0, r - i);
                ptrdiff_t p1Step = -down, p2Step = down;
                if (turn == Turn::Clockwise) {
                    std::swap(p1, p2);
                    std::swap(p1Step, p2Step);
                }
                for (int64_t j = j0; j <= j1; ++j, a += 2, p1 += p1Step, c -= 2, p2 += p2Step) {
                    const uint16_t last = load(p2);
                    store(p2, load(c));
                    store(c, load(p1));
                    store(p1, load(a));
                    store(a, last);
                }
            }
        }
    }
}
