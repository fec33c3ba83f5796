#include "AppError.h"
#include "DisplayMapping.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

GreyMapping window(int32_t level, int32_t width)
{
    GreyMapping m;
    m.level = level;
    m.factor = greyFactor(width);
    return m;
}

} // namespace

TEST(GreyLevels, WindowMapsLevelToMiddleGrey)
{
    const GreyMapping m = window(0, 256);
    EXPECT_EQ(greyLevel(-128, m), 0);
    EXPECT_EQ(greyLevel(0, m), 128);
    EXPECT_EQ(greyLevel(127, m), 255);
    EXPECT_EQ(greyLevel(128, m), 255);
    EXPECT_EQ(greyLevel(-129, m), 0);

    // d x f = 49 x 2.56 = 125.44 gives 253; 50 x 2.56 = 128 gives 256, shown as 255.
    const GreyMapping narrow = window(100, 100);
    EXPECT_EQ(greyLevel(149, narrow), 253);
    EXPECT_EQ(greyLevel(150, narrow), 255);

    GreyMapping inverted = window(0, 256);
    inverted.invert = true;
    EXPECT_EQ(greyLevel(0, inverted), 127);
    EXPECT_EQ(greyLevel(-128, inverted), 255);
}

TEST(GreyLevels, HalvesRoundToEven)
{
    // WW 512: f = 0.5, so odd differences land on halves.
    const GreyMapping m = window(0, 512);
    EXPECT_EQ(greyLevel(1, m), 128);  // 0.5 -> 0
    EXPECT_EQ(greyLevel(3, m), 130);  // 1.5 -> 2
    EXPECT_EQ(greyLevel(5, m), 130);  // 2.5 -> 2
    EXPECT_EQ(greyLevel(-1, m), 128); // -0.5 -> 0
    EXPECT_EQ(greyLevel(-3, m), 126); // -1.5 -> -2
}

TEST(GreyLevels, OffsetAndOverflow)
{
    GreyMapping m = window(0, 256);
    m.offset = 100;
    EXPECT_EQ(greyLevel(-100, m), 128);
    m.offset = 2147483647;
    EXPECT_THROW(greyLevel(1, m), AppError);
    EXPECT_THROW(greyFactor(0), AppError);
}

struct ViewCase {
    int32_t W, H;
    long double MF;
    int32_t SX, SY;
    ViewWindowRect expected;
    int32_t bitmapWidth, bitmapHeight;
};

class ViewWindowGeometry : public testing::TestWithParam<ViewCase> {};

TEST_P(ViewWindowGeometry, ShowsTheCentredPart)
{
    const ViewCase& c = GetParam();
    const ViewGeometry g = computeViewGeometry(c.W, c.H, c.MF, c.SX, c.SY);
    EXPECT_EQ(g.window.Left, c.expected.Left);
    EXPECT_EQ(g.window.Right, c.expected.Right);
    EXPECT_EQ(g.window.Top, c.expected.Top);
    EXPECT_EQ(g.window.Bottom, c.expected.Bottom);
    EXPECT_EQ(g.bitmapWidth, c.bitmapWidth);
    EXPECT_EQ(g.bitmapHeight, c.bitmapHeight);
}

INSTANTIATE_TEST_SUITE_P(Cases, ViewWindowGeometry,
                         testing::Values(ViewCase{512, 512, 1, 0, 0, {0, 511, 0, 511}, 512, 512},
                                         ViewCase{512, 512, 2, 0, 0, {128, 383, 128, 383}, 256, 256},
                                         ViewCase{400, 512, 1, 0, 0, {0, 399, 0, 511}, 400, 512},
                                         ViewCase{400, 512, 2, 0, 0, {72, 327, 128, 383}, 256, 256},
                                         ViewCase{640, 480, 1, 0, 0, {80, 559, 0, 479}, 480, 480},
                                         // The horizontal shift is subtracted, the vertical one added, both times MF.
                                         ViewCase{512, 512, 2, 10, 5, {108, 363, 138, 393}, 256, 256},
                                         ViewCase{512, 512, 1.1L, 0, 0, {23, 487, 23, 487}, 465, 465}));

TEST(ViewWindowGeometry, MagnificationZeroFails) { EXPECT_THROW(computeViewGeometry(512, 512, 0, 0, 0), AppError); }

TEST(Render, WritesTheWindowFromTheBitmapCorner)
{
    // A 4 x 3 image of values 0..11, window 0/256: grey = value + 128.
    std::vector<int16_t> samples(12);
    for (int i = 0; i < 12; ++i) samples[i] = static_cast<int16_t>(i);
    ByteBuffer buffer = {0xAA, 0xBB}; // a two-byte header
    const ByteBuffer pixels = words16(samples);
    buffer.insert(buffer.end(), pixels.begin(), pixels.end());

    GreyTable table;
    GreyBitmap bitmap;
    bitmap.resize(3, 3);
    std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), uint8_t{7});
    renderView(buffer, 2, 4, 3, {1, 2, 1, 2}, window(0, 256), table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{133, 134, 7, 137, 138, 7, 7, 7, 7}));

    // A window shifted past the image's top-left edge starts with image pixel (0, 0).
    std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), uint8_t{7});
    renderView(buffer, 2, 4, 3, {-1, 1, -2, 0}, window(0, 256), table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{128, 129, 7, 7, 7, 7, 7, 7, 7}));
}

TEST(Render, SwapAndEightBitSamples)
{
    GreyTable table;
    GreyBitmap bitmap;
    bitmap.resize(2, 1);
    GreyMapping m = window(0, 65536); // f = 1/256
    m.swap = true;
    renderView({0x01, 0x00, 0x00, 0x01}, 0, 2, 1, {0, 1, 0, 0}, m, table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{129, 128})); // 0x0100 = 256 -> +1, 0x0001 -> 0

    GreyMapping bytes = window(0, 256);
    bytes.eightBit = true;
    renderView({5, 200}, 0, 2, 1, {0, 1, 0, 0}, bytes, table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{133, 255}));
    bytes.swap = true; // the byte widened to 16 bits and exchanged: 5 -> 1280
    renderView({5, 0}, 0, 2, 1, {0, 1, 0, 0}, bytes, table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{255, 128}));
}

TEST(Render, NeverReadsBeyondTheBuffer)
{
    // Three whole samples and one odd byte for a 2 x 2 image: the rest shows black.
    GreyTable table;
    GreyBitmap bitmap;
    bitmap.resize(2, 2);
    renderView({1, 0, 2, 0, 3, 0, 9}, 0, 2, 2, {0, 1, 0, 1}, window(0, 256), table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{129, 130, 131, 0}));
    renderView({}, 0, 2, 2, {0, 1, 0, 1}, window(0, 256), table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{0, 0, 0, 0}));
    // A negative header: only words at positions from 0 on are read.
    renderView({1, 0}, -4, 2, 2, {0, 1, 0, 1}, window(0, 256), table, bitmap);
    EXPECT_EQ(bitmap.pixels, (std::vector<uint8_t>{0, 0, 129, 0}));
}

TEST(Render, ExtremeOffsetIsCheckedPerPixel)
{
    // An offset this large can overflow only for some samples: the others still draw.
    GreyTable table;
    GreyBitmap bitmap;
    bitmap.resize(1, 1);
    GreyMapping m = window(0, 256);
    m.offset = 2147483647 - 10;
    renderView(words16({-20}), 0, 1, 1, {0, 0, 0, 0}, m, table, bitmap);
    EXPECT_EQ(bitmap.pixels[0], 255);
    EXPECT_THROW(renderView(words16({20}), 0, 1, 1, {0, 0, 0, 0}, m, table, bitmap), AppError);
}

TEST(Render, TableFollowsTheMapping)
{
    GreyTable table;
    GreyBitmap bitmap;
    bitmap.resize(1, 1);
    renderView(words16({10}), 0, 1, 1, {0, 0, 0, 0}, window(0, 256), table, bitmap);
    EXPECT_EQ(bitmap.pixels[0], 138);
    renderView(words16({10}), 0, 1, 1, {0, 0, 0, 0}, window(10, 256), table, bitmap);
    EXPECT_EQ(bitmap.pixels[0], 128);
}

struct MappingCase {
    int32_t level, width, offset;
    bool swap, invert;
};
// Windows narrow and wide, of either sign, with offsets up to where a difference nearly
// leaves 32 bits, and factors whose products land near halves.
const MappingCase mappingCases[] = {{40, 400, 0, false, false},
                                    {-1000, 1, 24, true, false},
                                    {0, -256, 0, false, true},
                                    {32767, 65536, -1024, true, true},
                                    {5, 3, 0, false, false},
                                    {-7, 7777777, 0, false, false},
                                    {0, 1000, 2147483647 - 32767, true, false},
                                    {113, 2047, -1024, false, true},
                                    {-20, 1536, 0, false, false}};

GreyMapping mappingOf(const MappingCase& c)
{
    GreyMapping m = window(c.level, c.width);
    m.offset = c.offset;
    m.swap = c.swap;
    m.invert = c.invert;
    return m;
}

TEST(Render, TableAgreesWithTheFormulaForEveryStoredWord)
{
    for (const MappingCase& c : mappingCases) {
        const GreyMapping m = mappingOf(c);
        GreyTable table;
        table.prepare(m);
        for (int stored = 0; stored < 65536; ++stored) {
            const auto word = static_cast<uint16_t>(stored);
            const auto value = static_cast<int16_t>(c.swap ? static_cast<uint16_t>(word << 8 | word >> 8) : word);
            ASSERT_EQ(table[word], greyLevel(value, m))
                << "level " << c.level << " width " << c.width << " word " << stored;
        }
    }
}

// Every stored word drawn as a 256 x 256 image, whole rows and rows cut short of a
// multiple of sixteen pixels, as the formula gives each pixel: computed where the
// processor can, and all looked up as on a processor that cannot.
TEST(Render, EveryStoredWordDrawsAsTheFormulaGivesIt)
{
    std::vector<int16_t> everyWord(65536);
    for (int stored = 0; stored < 65536; ++stored)
        everyWord[static_cast<size_t>(stored)] = static_cast<int16_t>(stored);
    const ByteBuffer image = words16(everyWord);
    for (const GreyPath path : {GreyPath::fastest, GreyPath::table}) {
        for (const MappingCase& c : mappingCases) {
            const GreyMapping m = mappingOf(c);
            for (const int32_t columns : {256, 253}) {
                GreyTable table;
                GreyBitmap bitmap;
                bitmap.resize(columns, 256);
                renderView(image, 0, 256, 256, {0, columns - 1, 0, 255}, m, table, bitmap, path);
                for (int32_t row = 0; row < 256; ++row) {
                    for (int32_t column = 0; column < columns; ++column) {
                        const auto word = static_cast<uint16_t>(row * 256 + column);
                        const auto value =
                            static_cast<int16_t>(c.swap ? static_cast<uint16_t>(word << 8 | word >> 8) : word);
                        ASSERT_EQ(bitmap.row(row)[column], greyLevel(value, m))
                            << (path == GreyPath::table ? "table" : "fastest") << " level " << c.level << " width "
                            << c.width << " offset " << c.offset << " word " << word;
                    }
                }
            }
        }
    }
}

TEST(Placement, StretchesToFiveHundredTwelveRows)
{
    const Placement tall = placeImage(400, 512, false);
    EXPECT_EQ(tall.width, 400);
    EXPECT_EQ(tall.left, 56);
    EXPECT_EQ(tall.height, 512);
    EXPECT_EQ(placeImage(640, 480, true).width, 512);
    EXPECT_EQ(placeImage(256, 512, false).left, 128);
    EXPECT_THROW(placeImage(0, 0, false), AppError);
}

TEST(Auto, SpansTheCentralBlock)
{
    // 8 x 8 image: the block is rows and columns 2 to 5.
    std::vector<int16_t> samples(64, 1000);
    samples[2 * 8 + 2] = 10;
    samples[5 * 8 + 5] = 110;
    samples[0] = -5000; // outside the block
    const ByteBuffer buffer = words16(samples);
    const auto w = autoWindow(buffer, {0, 8, false, 0}, 8, 8);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->width, 1000 - 10 - 1);
    EXPECT_EQ(w->level, (1000 + 10) / 2);

    const auto uniform = autoWindow(words16(std::vector<int16_t>(64, 7)), {0, 8, false, 0}, 8, 8);
    EXPECT_EQ(uniform->width, -1);
    EXPECT_EQ(uniform->level, 7);

    // The sum is wrapped to 16 bits: 32767 + 1 counts as -32768.
    const auto wrapped = autoWindow(words16(std::vector<int16_t>(64, 32767)), {0, 8, false, 1}, 8, 8);
    EXPECT_EQ(wrapped->level, -32768);
}

TEST(Auto, EmptyBlockOrBufferLeavesTheWindow)
{
    EXPECT_FALSE(autoWindow(words16(std::vector<int16_t>(9, 1)), {0, 3, false, 0}, 3, 3));
    EXPECT_FALSE(autoWindow({}, {0, 8, false, 0}, 8, 8));
    // A file holding only the first rows: the samples present still count.
    const auto partial = autoWindow(words16(std::vector<int16_t>(8 * 3, 4)), {0, 8, false, 0}, 8, 8);
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->level, 4);
}

TEST(Zoom, StepsByATenthAndDropsTheShiftAtOne)
{
    EXPECT_EQ(zoomStep("1.0", true).magnification, "1.1");
    EXPECT_FALSE(zoomStep("1.0", true).resetShift);
    const ZoomStep back = zoomStep("1.1", false);
    EXPECT_EQ(back.magnification, "1.0");
    EXPECT_TRUE(back.resetShift);
    const ZoomStep floor = zoomStep("1.0", false);
    EXPECT_EQ(floor.magnification, "1.0");
    EXPECT_TRUE(floor.resetShift);
    EXPECT_EQ(zoomStep("2", false).magnification, "1.9");
    EXPECT_EQ(zoomStep("0.5", false).magnification, "0.5");
    EXPECT_THROW(zoomStep("x", true), AppError);
}
