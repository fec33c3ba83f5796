#include "AppError.h"
#include "ErrorMessage.h"
#include "RoiStatistics.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

SampleLayout layoutOf(int64_t columns, int64_t header = 0, int32_t offset = 0, bool swap = false)
{
    return {header, columns, swap, offset};
}

} // namespace

TEST(RoiRects, StartRoiAndViewOrigin)
{
    const Rect roi = deriveRoiRect(64, 64, 64, 64);
    EXPECT_EQ(roi, (Rect{32, 32, 95, 95}));
    // An odd size puts its extra pixel after the centre.
    EXPECT_EQ(deriveRoiRect(10, 20, 5, 3), (Rect{8, 19, 12, 21}));
    // A negative size (div cuts toward zero) gives a rectangle turned inside out.
    EXPECT_EQ(deriveRoiRect(10, 10, -3, -3), (Rect{11, 11, 7, 7}));

    const ViewWindowRect view{128, 383, 100, 355};
    const Rect inView = toViewRect(roi, view);
    EXPECT_EQ(inView, (Rect{-96, -68, -33, -5}));
    EXPECT_EQ(toImageRect(inView, view), roi);
    EXPECT_THROW(deriveRoiRect(-2147483647, 0, 64, 64), AppError);
}

TEST(RoiRects, SampleBlockIsTheFramedColumnsAndRows)
{
    // The start ROI on an unshifted view: columns and rows 32 to 95.
    EXPECT_EQ(roiSampleBlock({32, 32, 95, 95}, {}), (SampleBlock{32, 32, 64, 64}));
    // Zoomed: the view origin is added back.
    EXPECT_EQ(roiSampleBlock({0, 10, 9, 12}, {128, 383, 64, 319}), (SampleBlock{74, 128, 10, 3}));
}

struct ClipCase {
    const char* name;
    SampleBlock block;
    int64_t header;
    size_t bufferSize; // of a 10 x 8 image behind the header unless smaller
    SampleBlock expected;
};

class ClipTest : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClipTest, KeepsOnlySamplesInsideImageAndBuffer)
{
    const ClipCase& c = GetParam();
    EXPECT_EQ(clipSampleBlock(c.block, layoutOf(10, c.header), 8, c.bufferSize), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ClipTest,
    ::testing::Values(ClipCase{"inside", {1, 2, 3, 4}, 0, 160, {1, 2, 3, 4}},
                      ClipCase{"left and top edges", {-1, -2, 4, 4}, 0, 160, {0, 0, 2, 3}},
                      ClipCase{"right and bottom edges", {6, 8, 5, 5}, 0, 160, {6, 8, 2, 2}},
                      ClipCase{"wholly right of the image", {0, 10, 3, 3}, 0, 160, {}},
                      ClipCase{"negative width", {0, 5, -2, 3}, 0, 160, {}},
                      // 110 bytes hold rows 0 to 4 and the first 5 words of row 5.
                      ClipCase{"short buffer holds the block's part of row 5", {3, 0, 5, 5}, 0, 110, {3, 0, 5, 3}},
                      ClipCase{"short buffer cuts the block's part of row 5", {3, 0, 6, 5}, 0, 110, {3, 0, 6, 2}},
                      ClipCase{"header pushes rows out", {0, 0, 10, 8}, 7, 160, {0, 0, 10, 7}},
                      ClipCase{"negative header loses the first rows", {0, 0, 10, 8}, -41, 160, {3, 0, 10, 5}},
                      ClipCase{"empty buffer", {0, 0, 10, 8}, 0, 0, {}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST(RoiStatistics, UniformAndTwoSampleBlocks)
{
    const ByteBuffer uniform = words16(std::vector<int16_t>(128 * 128, 100));
    const RoiStatistics flat = roiStatistics(uniform, layoutOf(128), 128, {32, 32, 64, 64});
    EXPECT_EQ(flat.mean, 100);
    EXPECT_EQ(flat.sd, 0);

    // Population SD: the divisor is N = 2, not N - 1.
    const ByteBuffer pair = words16({0, 2, 7, 7});
    const RoiStatistics two = roiStatistics(pair, layoutOf(2), 2, {0, 0, 2, 1});
    EXPECT_EQ(two.mean, 1);
    EXPECT_EQ(two.sd, 1);
}

TEST(RoiStatistics, SampleValuesHonourHeaderOffsetAndSwap)
{
    // 0x7FFF plus offset 1 wraps to -32768.
    const ByteBuffer top = {0xFF, 0x7F};
    EXPECT_EQ(roiStatistics(top, layoutOf(1, 0, 1), 1, {0, 0, 1, 1}).mean, -32768);
    // Stored 01 02: 513 as read, 258 with the bytes exchanged.
    const ByteBuffer stored = {0x01, 0x02};
    EXPECT_EQ(roiStatistics(stored, layoutOf(1), 1, {0, 0, 1, 1}).mean, 513);
    EXPECT_EQ(roiStatistics(stored, layoutOf(1, 0, 0, true), 1, {0, 0, 1, 1}).mean, 258);
    // An odd header reads words from an odd byte: 0xAA, then 05 00 and 07 00.
    const ByteBuffer odd = {0xAA, 0x05, 0x00, 0x07, 0x00};
    const RoiStatistics fromOdd = roiStatistics(odd, layoutOf(2, 1), 1, {0, 0, 2, 1});
    EXPECT_EQ(fromOdd.mean, 6);
    EXPECT_EQ(fromOdd.sd, 1);
}

TEST(RoiStatistics, AgreesWithRunningDoubleSums)
{
    // Large values of both signs: the mean must be exactly what a running
    // double sum divided by w, then h, gives.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::vector<int16_t> samples(300 * 200);
    for (auto& s : samples) s = static_cast<int16_t>(value(random));
    const ByteBuffer buffer = words16(samples);
    const SampleBlock block{10, 20, 257, 131};

    double sum = 0;
    for (int64_t r = block.firstRow; r < block.firstRow + block.height; ++r)
        for (int64_t c = block.firstColumn; c < block.firstColumn + block.width; ++c) sum += samples[r * 300 + c];
    const double mean = static_cast<double>(static_cast<long double>(sum) / block.width / block.height);
    double squares = 0;
    for (int64_t r = block.firstRow; r < block.firstRow + block.height; ++r)
        for (int64_t c = block.firstColumn; c < block.firstColumn + block.width; ++c) {
            const double d = samples[r * 300 + c] - mean;
            squares += d * d;
        }

    const RoiStatistics stats = roiStatistics(buffer, layoutOf(300), 200, block);
    EXPECT_EQ(stats.mean, mean);
    EXPECT_DOUBLE_EQ(stats.sd, std::sqrt(squares / block.width / block.height));
}

TEST(RoiStatistics, ClipsToTheImageAndRefusesEmptyBlocks)
{
    // 4 x 2 image: 1 2 3 4 / 5 6 7 8; a block hanging over the top-left corner
    // measures only the samples 1 2 5 6.
    const ByteBuffer image = words16({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_EQ(roiStatistics(image, layoutOf(4), 2, {-3, -3, 5, 5}).mean, 3.5);

    EXPECT_EQ(errorMessageOf([&] { roiStatistics(image, layoutOf(4), 2, {0, 4, 2, 2}); }), Msg::roiHoldsNoSamples);
    EXPECT_EQ(errorMessageOf([&] { roiStatistics(image, layoutOf(4), 2, {0, 0, -1, 2}); }), Msg::roiHoldsNoSamples);
    EXPECT_EQ(errorMessageOf([&] { roiStatistics(image, layoutOf(4), 2, {0, 0, 2, -1}); }), Msg::roiHoldsNoSamples);
    // A size of 0 divides 0 by 0, as a zero-sized ROI always has.
    EXPECT_EQ(errorMessageOf([&] { roiStatistics(image, layoutOf(4), 2, {0, 0, 0, 2}); }), Msg::invalidFloatOp);
    EXPECT_EQ(errorMessageOf([&] { roiStatistics(image, layoutOf(4), 2, {0, 0, 2, 0}); }), Msg::invalidFloatOp);
    // An image larger than the file: only the rows in the buffer count.
    EXPECT_EQ(roiStatistics(image, layoutOf(4), 100, {0, 0, 4, 100}).mean, 4.5);
}

// A file cut short: 8 x 8 words after a 10-byte header, the buffer ending 3 words into
// row 5. A ROI that keeps to the rows held is measured; one that reaches further, even
// by one sample, is refused; what lies outside the image plays no part.
TEST(RoiStatistics, AFileCutShortRefusesRoisReachingItsMissingRows)
{
    const SampleLayout layout = layoutOf(8, 10);
    const size_t size = 10 + 2 * (5 * 8 + 3);
    EXPECT_EQ(missingImageBytes(layout, 8, size), 2 * (8 * 8 - 43));
    EXPECT_EQ(wholeImageRows(layout, 8, size), 5);
    EXPECT_EQ(missingImageBytes(layout, 8, 10 + 128), 0);
    EXPECT_EQ(wholeImageRows(layout, 8, 10 + 200), 8);
    EXPECT_EQ(wholeImageRows(layout, 8, 4), 0);

    struct Case {
        SampleBlock block;
        bool refused;
    };
    for (const Case& c :
         {Case{{0, 0, 8, 5}, false}, Case{{-4, -4, 20, 9}, false}, Case{{5, 0, 3, 1}, false}, Case{{5, 0, 4, 1}, true},
          Case{{2, 2, 2, 4}, true}, Case{{7, 7, 1, 1}, true}, Case{{20, 20, 4, 4}, false}}) {
        const auto refuse = [&] { refuseRoiInMissingRows(c.block, layout, 8, size, "/ct/cut.dcm"); };
        if (c.refused) {
            EXPECT_EQ(errorMessageOf(refuse), Msg::roiInMissingRows("/ct/cut.dcm", 5, 8))
                << c.block.firstRow << "," << c.block.firstColumn;
        } else {
            EXPECT_NO_THROW(refuse()) << c.block.firstRow << "," << c.block.firstColumn;
        }
    }
}
