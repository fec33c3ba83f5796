#include "AppError.h"
#include "ErrorMessage.h"
#include "GeometricOperations.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

// A columns x rows image of distinct samples 1, 2, 3, ... behind `header` bytes of 0xEE.
ByteBuffer numberedImage(int32_t columns, int32_t rows, int32_t header = 0)
{
    std::vector<int16_t> samples(static_cast<size_t>(columns) * rows);
    std::iota(samples.begin(), samples.end(), int16_t{1});
    ByteBuffer buffer(static_cast<size_t>(header), 0xEE);
    const ByteBuffer words = words16(samples);
    buffer.insert(buffer.end(), words.begin(), words.end());
    return buffer;
}

// The samples of a whole-word image, row by row.
std::vector<int16_t> samplesOf(const WordImage& image)
{
    std::vector<int16_t> samples;
    for (int64_t r = 0; r < image.rows; ++r)
        for (int64_t c = 0; c < image.columns; ++c) {
            const uint8_t* w = image.word(r, c);
            samples.push_back(static_cast<int16_t>(w[0] | w[1] << 8));
        }
    return samples;
}

ViewWindowRect wholeView(int32_t columns, int32_t rows) { return {0, columns - 1, 0, rows - 1}; }

} // namespace

TEST(TrimmedFileName, BuiltFromChosenPathSizeAndSpacing)
{
    EXPECT_EQ(trimmedFileName("/ct/water.raw", 64, 64, "0.488"), "/ct/water 64 64 0p488.bin");
    EXPECT_EQ(trimmedFileName("/ct/water.raw", 64, 32, "1"), "/ct/water 64 32 1.bin");
    EXPECT_EQ(trimmedFileName("/ct/water", 8, 8, "0.5"), "/ct/water 8 8 0p5.bin");
    // Only the name's own extension goes; the folder stays whatever dots it holds.
    EXPECT_EQ(trimmedFileName("/home/pat/qa.2026-12/water.dcm", 64, 64, "0.488"),
              "/home/pat/qa.2026-12/water 64 64 0p488.bin");
    EXPECT_EQ(trimmedFileName("/ct.old/a", 64, 64, "0.488"), "/ct.old/a 64 64 0p488.bin");
    EXPECT_EQ(trimmedFileName("/ct/scan.2026.raw", 8, 8, "1"), "/ct/scan.2026 8 8 1.bin");
    EXPECT_EQ(trimmedFileName("/ct/.raw", 8, 8, "1"), "/ct/.raw 8 8 1.bin");
    EXPECT_EQ(trimmedFileName("water.raw", 8, 8, "1"), "water 8 8 1.bin");
    // Only the spacing's first "." becomes "p".
    EXPECT_EQ(trimmedFileName("/a 256 128 1p25.raw", 64, 64, "1.25"), "/a 256 128 1p25 64 64 1p25.bin");
    EXPECT_EQ(trimmedFileName("/a.raw", 1, 1, "1.2.3"), "/a 1 1 1p2.3.bin");
}

TEST(TrimRoi, CopiesTheStoredBytesOfTheRoiBlock)
{
    // 512 x 512, ROI 64 x 64 centred at (256, 256): rows and columns 224 to 287.
    const ByteBuffer image = numberedImage(512, 512, 3);
    const SampleLayout layout{3, 512, true, 1000}; // exchange and offset do not apply to the copy
    const TrimmedImage trimmed = trimRoi(image, layout, 512, {224, 224, 64, 64});
    EXPECT_EQ(trimmed.block, (SampleBlock{224, 224, 64, 64}));
    ASSERT_EQ(trimmed.bytes.size(), 8192u);
    for (int r = 0; r < 64; ++r)
        for (int c = 0; c < 64; ++c) {
            const size_t from = 3 + 2 * static_cast<size_t>((224 + r) * 512 + 224 + c);
            const size_t to = 2 * static_cast<size_t>(r * 64 + c);
            ASSERT_EQ(trimmed.bytes[to], image[from]);
            ASSERT_EQ(trimmed.bytes[to + 1], image[from + 1]);
        }
}

TEST(TrimRoi, ClipsToTheImageAndRefusesAnEmptyBlock)
{
    const ByteBuffer image = words16({1, 2, 3, 4, 5, 6});
    const TrimmedImage corner = trimRoi(image, {0, 3}, 2, {-1, 1, 5, 5});
    EXPECT_EQ(corner.block, (SampleBlock{0, 1, 2, 2}));
    EXPECT_EQ(corner.bytes, words16({2, 3, 5, 6}));
    EXPECT_EQ(errorMessageOf([&] { trimRoi(image, {0, 3}, 2, {2, 0, 2, 2}); }), Msg::roiHoldsNoSamples);
    EXPECT_EQ(errorMessageOf([&] { trimRoi(image, {0, 3}, 2, {0, 0, 0, 2}); }), Msg::roiHoldsNoSamples);
}

TEST(WordImages, HeaderInWholeWordsAndInsideTheBuffer)
{
    ByteBuffer buffer = numberedImage(3, 2, 4);
    EXPECT_EQ(wordImage(buffer, 4, 3, 2).first, buffer.data() + 4);
    // An odd header counts as one byte less.
    EXPECT_EQ(wordImage(buffer, 5, 3, 2).first, buffer.data() + 4);
    EXPECT_EQ(errorMessageOf([&] { wordImage(buffer, 6, 3, 2); }), Msg::imageBeyondFile);
    EXPECT_EQ(errorMessageOf([&] { wordImage(buffer, 4, 3, 3); }), Msg::imageBeyondFile);
    EXPECT_EQ(errorMessageOf([&] { wordImage(buffer, -2, 3, 2); }), Msg::imageBeyondFile);
    EXPECT_EQ(wordImage(buffer, 0, -3, 2).columns, 0);
}

TEST(Flips, MirrorTheWholeImage)
{
    ByteBuffer buffer = numberedImage(3, 3);
    const WordImage image = wordImage(buffer, 0, 3, 3);
    flipVertical(image);
    EXPECT_EQ(samplesOf(image), (std::vector<int16_t>{7, 8, 9, 4, 5, 6, 1, 2, 3}));
    flipHorizontal(image);
    EXPECT_EQ(samplesOf(image), (std::vector<int16_t>{9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST(Flips, TwiceRestoreTheBufferByteForByte)
{
    for (const auto& [columns, rows, header] : {std::tuple{4, 6, 0}, std::tuple{5, 3, 7}, std::tuple{1, 1, 2}}) {
        ByteBuffer buffer = numberedImage(columns, rows, header);
        buffer.push_back(0x5A); // bytes after the image stay too
        const ByteBuffer before = buffer;
        const WordImage image = wordImage(buffer, header, columns, rows);
        flipVertical(image);
        if (rows > 1) {
            EXPECT_NE(buffer, before);
        }
        flipVertical(image);
        EXPECT_EQ(buffer, before);
        flipHorizontal(image);
        if (columns > 1) {
            EXPECT_NE(buffer, before);
        }
        flipHorizontal(image);
        EXPECT_EQ(buffer, before);
    }
}

TEST(QuarterTurns, ThreeByThree)
{
    ByteBuffer buffer = numberedImage(3, 3);
    const WordImage image = wordImage(buffer, 0, 3, 3);
    // 1 2 3 / 4 5 6 / 7 8 9 turned clockwise: the top-left corner goes to the top right.
    turnView(image, wholeView(3, 3), Turn::Clockwise);
    EXPECT_EQ(samplesOf(image), (std::vector<int16_t>{7, 4, 1, 8, 5, 2, 9, 6, 3}));
    turnView(image, wholeView(3, 3), Turn::CounterClockwise);
    turnView(image, wholeView(3, 3), Turn::CounterClockwise);
    EXPECT_EQ(samplesOf(image), (std::vector<int16_t>{3, 6, 9, 2, 5, 8, 1, 4, 7}));
}

TEST(QuarterTurns, FourTurnsAndATurnBackRestore)
{
    for (const int32_t side : {1, 2, 4, 5, 64, 67}) {
        ByteBuffer buffer = numberedImage(side, side, 2);
        const ByteBuffer before = buffer;
        const WordImage image = wordImage(buffer, 2, side, side);
        for (int turn = 0; turn < 4; ++turn) turnView(image, wholeView(side, side), Turn::Clockwise);
        EXPECT_EQ(buffer, before) << side;
        turnView(image, wholeView(side, side), Turn::Clockwise);
        turnView(image, wholeView(side, side), Turn::CounterClockwise);
        EXPECT_EQ(buffer, before) << side;
    }
}

TEST(QuarterTurns, ExactQuarterTurnOfALargeSquare)
{
    // After "CCW" local (p, q) holds what was at (q, d - p).
    const int32_t side = 70, d = side - 1;
    ByteBuffer buffer = numberedImage(side, side);
    const WordImage image = wordImage(buffer, 0, side, side);
    const std::vector<int16_t> before = samplesOf(image);
    turnView(image, wholeView(side, side), Turn::CounterClockwise);
    const std::vector<int16_t> after = samplesOf(image);
    for (int p = 0; p < side; ++p)
        for (int q = 0; q < side; ++q) ASSERT_EQ(after[p * side + q], before[q * side + d - p]) << p << "," << q;
}

TEST(QuarterTurns, OnlyTheShownSquareTurns)
{
    // A 4 x 4 image zoomed to its centre 2 x 2 square.
    ByteBuffer buffer = numberedImage(4, 4);
    const WordImage image = wordImage(buffer, 0, 4, 4);
    turnView(image, {1, 2, 1, 2}, Turn::Clockwise);
    EXPECT_EQ(samplesOf(image), (std::vector<int16_t>{1, 2, 3, 4, 5, 10, 6, 8, 9, 11, 7, 12, 13, 14, 15, 16}));
}

TEST(QuarterTurns, RefuseViewsThatAreNotSquaresInsideTheImage)
{
    ByteBuffer buffer = numberedImage(4, 6);
    const ByteBuffer before = buffer;
    const WordImage image = wordImage(buffer, 0, 4, 6);
    EXPECT_EQ(errorMessageOf([&] { turnView(image, wholeView(4, 6), Turn::Clockwise); }), Msg::viewNotSquare);
    EXPECT_EQ(errorMessageOf([&] { turnView(image, {-1, 2, 0, 3}, Turn::Clockwise); }), Msg::viewOutsideImage);
    EXPECT_EQ(errorMessageOf([&] { turnView(image, {1, 4, 0, 3}, Turn::CounterClockwise); }), Msg::viewOutsideImage);
    EXPECT_EQ(errorMessageOf([&] { turnView(image, {0, 3, 3, 6}, Turn::CounterClockwise); }), Msg::viewOutsideImage);
    EXPECT_EQ(buffer, before);
}
