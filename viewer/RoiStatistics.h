#pragma once
// The region of interest: its rectangles from the ROI edits, the block of image
// samples it covers, and the mean and standard deviation of that block.
#include "Samples.h"
#include "ViewerTypes.h"

#include <cstdint>
#include <string>

// The ROI in image pixels from its centre and size: size/2 (cut toward zero)
// before the centre, the rest after it, inclusive bounds.
Rect deriveRoiRect(int32_t posX, int32_t posY, int32_t sizeX, int32_t sizeY);

// The ROI moved between image pixels and display-bitmap pixels by the view's origin.
Rect toViewRect(const Rect& roi, const ViewWindowRect& view);
Rect toImageRect(const Rect& roiView, const ViewWindowRect& view);

// A block of image samples: rows firstRow.., columns firstColumn.. (image pixels).
struct SampleBlock {
    int64_t firstRow = 0;
    int64_t firstColumn = 0;
    int64_t width = 0;
    int64_t height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const SampleBlock&) const = default;
};

// The image columns and rows of the ROI frame: RoiViewRect moved back by the view origin.
SampleBlock roiSampleBlock(const Rect& roiView, const ViewWindowRect& view);

// The part of a block that lies inside the image (rows x layout.columns) and
// whose words all lie inside the buffer; empty when nothing is left.
SampleBlock clipSampleBlock(const SampleBlock& block, const SampleLayout& layout, int64_t rows, size_t bufferSize);

// What of the image (rows x layout.columns words after layout.header) the buffer does
// not hold: the bytes missing at its end, and the rows it holds whole (0 to rows).
int64_t missingImageBytes(const SampleLayout& layout, int64_t rows, size_t bufferSize);
int64_t wholeImageRows(const SampleLayout& layout, int64_t rows, size_t bufferSize);

// Fails with Msg::roiInMissingRows naming the file when the block, within the image,
// reaches samples the buffer does not hold (a file cut short): measured, the ROI would
// give the mean of the rows that are left.
void refuseRoiInMissingRows(const SampleBlock& block, const SampleLayout& layout, int64_t rows, size_t bufferSize,
                            const std::string& path);

struct RoiStatistics {
    double mean = 0;
    double sd = 0; // population standard deviation (divisor N)
};

// Mean and SD of the ROI block after clipping it to the image and the buffer.
// A zero width or height fails as 0/0 does; a negative size, or a block with no
// sample inside the image, fails with Msg::roiHoldsNoSamples.
RoiStatistics roiStatistics(const ByteBuffer& buffer, const SampleLayout& layout, int64_t rows,
                            const SampleBlock& block);

// The texts "Stat" shows: the mean in the general format ("Average"), the SD with
// three decimals and thousands separators ("SD").
struct RoiStatisticsTexts {
    std::string mean;
    std::string sd;
};
RoiStatisticsTexts roiStatisticsTexts(const RoiStatistics& stats);
