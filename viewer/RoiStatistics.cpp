#include "RoiStatistics.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// The sample value at byte p of a row (p points at a word inside the buffer).
inline int16_t valueAt(const uint8_t* p, const SampleLayout& layout)
{
    const uint16_t lo = p[0], hi = p[1];
    return offsetSample(layout.swap ? static_cast<uint16_t>(lo << 8 | hi) : static_cast<uint16_t>(hi << 8 | lo),
                        layout.offset);
}

// Calls rowFn(first byte, count) for each row of a block that lies inside the buffer.
template <typename RowFn>
void forEachRow(const ByteBuffer& buffer, const SampleLayout& layout, const SampleBlock& block, RowFn rowFn)
{
    for (int64_t r = block.firstRow; r < block.firstRow + block.height; ++r)
        rowFn(buffer.data() + wordPosition(layout, r, block.firstColumn), block.width);
}

} // namespace

Rect deriveRoiRect(int32_t posX, int32_t posY, int32_t sizeX, int32_t sizeY)
{
    Rect roi;
    roi.Left = Checked::sub(posX, Checked::div(sizeX, 2));
    roi.Top = Checked::sub(posY, Checked::div(sizeY, 2));
    roi.Right = Checked::sub(Checked::add(roi.Left, sizeX), 1);
    roi.Bottom = Checked::sub(Checked::add(roi.Top, sizeY), 1);
    return roi;
}

Rect toViewRect(const Rect& roi, const ViewWindowRect& view)
{
    return {Checked::sub(roi.Left, view.Left), Checked::sub(roi.Top, view.Top), Checked::sub(roi.Right, view.Left),
            Checked::sub(roi.Bottom, view.Top)};
}

Rect toImageRect(const Rect& roiView, const ViewWindowRect& view)
{
    return {Checked::add(roiView.Left, view.Left), Checked::add(roiView.Top, view.Top),
            Checked::add(roiView.Right, view.Left), Checked::add(roiView.Bottom, view.Top)};
}

SampleBlock roiSampleBlock(const Rect& roiView, const ViewWindowRect& view)
{
    SampleBlock block;
    block.firstRow = int64_t{view.Top} + roiView.Top;
    block.firstColumn = int64_t{view.Left} + roiView.Left;
    block.width = int64_t{roiView.Right} - roiView.Left + 1;
    block.height = int64_t{roiView.Bottom} - roiView.Top + 1;
    return block;
}

namespace {

SampleBlock clipToImage(const SampleBlock& block, int64_t columns, int64_t rows)
{
    const int64_t left = std::max<int64_t>(block.firstColumn, 0);
    const int64_t right = std::min(block.firstColumn + block.width, columns) - 1;
    const int64_t top = std::max<int64_t>(block.firstRow, 0);
    const int64_t bottom = std::min(block.firstRow + block.height, rows) - 1;
    if (left > right || top > bottom) return {};
    return {top, left, right - left + 1, bottom - top + 1};
}

} // namespace

SampleBlock clipSampleBlock(const SampleBlock& block, const SampleLayout& layout, int64_t rows, size_t bufferSize)
{
    const SampleBlock image = clipToImage(block, layout.columns, rows);
    if (image.empty()) return {};
    const int64_t left = image.firstColumn, right = image.firstColumn + image.width - 1;
    int64_t top = image.firstRow, bottom = image.firstRow + image.height - 1;

    // Rows whose words from column left to right all lie inside the buffer:
    // header + 2(r*columns + left) >= 0 and header + 2(r*columns + right) + 2 <= size.
    const int64_t rowBytes = 2 * layout.columns;
    top = std::max(top, ceilDiv(-layout.header - 2 * left, rowBytes));
    bottom = std::min(bottom, floorDiv(static_cast<int64_t>(bufferSize) - layout.header - 2 - 2 * right, rowBytes));
    if (top > bottom) return {};
    return {top, left, right - left + 1, bottom - top + 1};
}

int64_t missingImageBytes(const SampleLayout& layout, int64_t rows, size_t bufferSize)
{
    const int64_t end = layout.header + 2 * std::max<int64_t>(rows, 0) * std::max<int64_t>(layout.columns, 0);
    return std::max<int64_t>(end - static_cast<int64_t>(bufferSize), 0);
}

int64_t wholeImageRows(const SampleLayout& layout, int64_t rows, size_t bufferSize)
{
    if (layout.columns <= 0) return std::max<int64_t>(rows, 0);
    const int64_t held = floorDiv(static_cast<int64_t>(bufferSize) - layout.header, 2 * layout.columns);
    return std::clamp<int64_t>(held, 0, std::max<int64_t>(rows, 0));
}

void refuseRoiInMissingRows(const SampleBlock& block, const SampleLayout& layout, int64_t rows, size_t bufferSize,
                            const std::string& path)
{
    const SampleBlock image = clipToImage(block, layout.columns, rows);
    if (image.empty() || clipSampleBlock(block, layout, rows, bufferSize) == image) return;
    throw AppError(Msg::roiInMissingRows(path, wholeImageRows(layout, rows, bufferSize), rows));
}

RoiStatistics roiStatistics(const ByteBuffer& buffer, const SampleLayout& layout, int64_t rows,
                            const SampleBlock& block)
{
    if (block.width < 0 || block.height < 0) throw AppError(Msg::roiHoldsNoSamples);
    if (block.width == 0 || block.height == 0) throw AppError(Msg::invalidFloatOp); // the mean would be 0/0
    const SampleBlock inside = clipSampleBlock(block, layout, rows, buffer.size());
    if (inside.empty()) throw AppError(Msg::roiHoldsNoSamples);

    // Every partial sum of 16-bit values stays far below 2^53, so an integer
    // accumulator gives exactly the double a running double sum would.
    int64_t sum = 0;
    forEachRow(buffer, layout, inside, [&](const uint8_t* p, int64_t count) {
        for (int64_t k = 0; k < count; ++k) sum += valueAt(p + 2 * k, layout);
    });
    const long double w = static_cast<long double>(inside.width);
    const long double h = static_cast<long double>(inside.height);
    RoiStatistics result;
    result.mean = static_cast<double>(static_cast<long double>(sum) / w / h);

    double squares = 0;
    forEachRow(buffer, layout, inside, [&](const uint8_t* p, int64_t count) {
        for (int64_t k = 0; k < count; ++k) {
            const double d = valueAt(p + 2 * k, layout) - result.mean;
            squares += d * d;
        }
    });
    result.sd = static_cast<double>(std::sqrt(static_cast<long double>(squares) / w / h));
    return result;
}

RoiStatisticsTexts roiStatisticsTexts(const RoiStatistics& stats)
{
    return {formatGeneral(stats.mean), formatThousands3(stats.sd)};
}
