#pragma once
// Trimming the ROI block out to a raw image file, and flipping or turning the
// image samples in place in the file buffer.
#include "RoiStatistics.h"
#include "Samples.h"
#include "ViewerTypes.h"

#include <cstdint>
#include <string>

// The trimmed file's name, in the chosen file's folder: the chosen name without its
// extension (from its last "."; a folder's dots play no part), then width, height and
// the pixel spacing with its first "." written "p", and ".bin".
std::string trimmedFileName(const std::string& chosenPath, int64_t width, int64_t height,
                            const std::string& pixelSpacing);

// The ROI block clipped to the image and the buffer, and its samples' stored
// bytes row by row (no byte exchange, no offset). A block with no sample inside
// fails with Msg::roiHoldsNoSamples.
struct TrimmedImage {
    SampleBlock block;
    ByteBuffer bytes;
};
TrimmedImage trimRoi(const ByteBuffer& buffer, const SampleLayout& layout, int64_t rows, const SampleBlock& roiBlock);

// The image as 16-bit words in the buffer, its header counted in whole words
// (an odd header loses its last byte).
struct WordImage {
    uint8_t* first = nullptr; // the word of row 0, column 0
    int64_t columns = 0;
    int64_t rows = 0;
    uint8_t* word(int64_t row, int64_t column) const { return first + 2 * (row * columns + column); }
};
// Fails with Msg::imageBeyondFile when the image does not lie wholly inside the
// buffer; a negative size counts as an empty image.
WordImage wordImage(ByteBuffer& buffer, int32_t header, int32_t columns, int32_t rows);

void flipVertical(const WordImage& image);   // top to bottom
void flipHorizontal(const WordImage& image); // left to right

// A quarter turn of the shown square of the image, counter-clockwise or
// clockwise. Fails with Msg::viewNotSquare or Msg::viewOutsideImage, changing nothing.
enum class Turn { CounterClockwise, Clockwise };
void turnView(const WordImage& image, const ViewWindowRect& view, Turn turn);
