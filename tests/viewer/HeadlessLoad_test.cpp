#include "HeadlessLoad.h"

#include "AppError.h"
#include "DicomBytes.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

// In "DICOM" mode a file with a DICOM header is read from it whatever its name says;
// the name's size serves raw files only.
TEST(HeadlessLoad, TheDicomReaderRunsInDicomModeOnAHeaderOrWhenTheNameLeavesASizeOpen)
{
    DicomBytes b;
    b.element(0x0028, 0x0010, "US", us(2)).element(0x0028, 0x0011, "US", us(4));
    const ByteBuffer dicom = b.withPixels(), raw = words16(std::vector<int16_t>(64, 8));
    EXPECT_TRUE(readsDicomHeader(LoadMode::Dicom, "", "", raw));
    EXPECT_TRUE(readsDicomHeader(LoadMode::Dicom, "512", "", raw));
    EXPECT_FALSE(readsDicomHeader(LoadMode::Dicom, "512", "512", raw));
    EXPECT_TRUE(readsDicomHeader(LoadMode::Dicom, "512", "512", dicom));
    EXPECT_FALSE(readsDicomHeader(LoadMode::SixteenBit, "", "", dicom));
    EXPECT_FALSE(readsDicomHeader(LoadMode::Dicom, "4", "2", ByteBuffer(dicom.begin() + 128, dicom.begin() + 140)));

    TempFolder folder;
    const auto named = folder.write("CT 64 64.dcm", dicom);
    ViewerTexts texts;
    const LoadedImage image = loadImage(named.string(), LoadMode::Dicom, {}, texts);
    EXPECT_TRUE(image.dicomRead);
    EXPECT_EQ(image.columns, 4);
    EXPECT_EQ(image.rows, 2);
    EXPECT_EQ(texts.header, std::to_string(b.pixelStart));
}

// A file that ends before its image loads with a warning naming it and what is left.
TEST(HeadlessLoad, AFileCutShortLoadsWithAWarning)
{
    TempFolder folder;
    ViewerTexts texts;
    const auto whole = folder.write("a 4 4 1.raw", words16(std::vector<int16_t>(16, 1)));
    EXPECT_EQ(loadImage(whole.string(), LoadMode::SixteenBit, {}, texts).warning, "");
    const auto cut = folder.write("b 4 4 1.raw", words16(std::vector<int16_t>(10, 1)));
    EXPECT_EQ(loadImage(cut.string(), LoadMode::SixteenBit, {}, texts).warning,
              Msg::imageCutShort(cut.string(), 12, 2, 4));
    // One byte a sample: the file holds its image.
    EXPECT_EQ(loadImage(cut.string(), LoadMode::EightBit, {}, texts).warning, "");
}

TEST(HeadlessLoad, ARawFileTakesItsGeometryFromTheNameAndKeepsTheHeader)
{
    TempFolder folder;
    const auto file = folder.write("a 4 2 0p5.raw", words16({1, 2, 3, 4, 5, 6, 7, 8}));
    ViewerTexts texts;
    texts.header = "0";
    texts.sliceThickness = "2.5"; // left from a slice before
    const LoadedImage image = loadImage(file.string(), LoadMode::SixteenBit, {}, texts);
    EXPECT_EQ(image.columns, 4);
    EXPECT_EQ(image.rows, 2);
    EXPECT_EQ(texts.pixelSpacing, "0.5");
    EXPECT_EQ(texts.sliceThickness, "2.5");
    EXPECT_FALSE(image.dicomRead);
}

TEST(HeadlessLoad, WithoutASizeTheTypedOneAnswersAndTheHeaderBecomesZero)
{
    TempFolder folder;
    const auto file = folder.write("phantom.raw", words16(std::vector<int16_t>(16, 3)));
    ViewerTexts texts;
    texts.header = "100";
    EXPECT_THROW(loadImage(file.string(), LoadMode::SixteenBit, {}, texts), AppError);

    TypedGeometry typed;
    typed.size = "4 4";
    const LoadedImage image = loadImage(file.string(), LoadMode::SixteenBit, typed, texts);
    EXPECT_EQ(image.columns, 4);
    EXPECT_EQ(texts.header, "0");
}

TEST(HeadlessLoad, DicomFillsTheTextsAsTheReaderFindsThem)
{
    DicomBytes b;
    b.element(0x0018, 0x0050, "DS", "2.5 ")
        .element(0x0020, 0x0032, "DS", "1\\2\\-30.5 ")
        .element(0x0028, 0x0010, "US", us(2))
        .element(0x0028, 0x0011, "US", us(4))
        .element(0x0028, 0x1052, "DS", "-1024 ");
    TempFolder folder;
    const auto file = folder.write("IM1", b.withPixels());
    ViewerTexts texts;
    const LoadedImage image = loadImage(file.string(), LoadMode::Dicom, {}, texts);
    EXPECT_TRUE(image.dicomRead);
    EXPECT_EQ(texts.sliceThickness, "2.5 ");
    EXPECT_EQ(texts.position, "-30.5");
    EXPECT_EQ(texts.offset, "-1024");
    EXPECT_EQ(texts.header, std::to_string(b.pixelStart));
    EXPECT_EQ(image.columns, 4);
    EXPECT_EQ(image.rows, 2);
}

TEST(HeadlessLoad, ACompressedFileIsDecodedAsTheWindowDecodesIt)
{
    ViewerTexts plain, compressed;
    const LoadedImage original = loadImage(pydicomFile("MR_small.dcm").string(), LoadMode::Dicom, {}, plain);
    const LoadedImage decoded =
        loadImage(pydicomFile("MR_small_jpeg_ls_lossless.dcm").string(), LoadMode::Dicom, {}, compressed);
    EXPECT_EQ(compressed.swap, false);
    ASSERT_EQ(decoded.columns, 64);
    const SampleLayout a = sampleLayout(plain, original.columns), b = sampleLayout(compressed, decoded.columns);
    for (int64_t row = 0; row < 64; ++row)
        for (int64_t column = 0; column < 64; ++column)
            ASSERT_EQ(sampleValue(decoded.bytes, b, row, column), sampleValue(original.bytes, a, row, column));

    // In a raw mode the file stays as stored; a file that cannot be shown fails.
    ViewerTexts raw;
    EXPECT_EQ(
        loadImage(pydicomFile("MR_small_RLE.dcm").string(), LoadMode::SixteenBit, {"64 64", {}, {}, {}}, raw).bytes,
        readFile(pydicomFile("MR_small_RLE.dcm")));
    ViewerTexts colour;
    EXPECT_THROW(loadImage(pydicomFile("SC_rgb_rle.dcm").string(), LoadMode::Dicom, {}, colour), AppError);
}
