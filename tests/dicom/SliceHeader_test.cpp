// The header scan that ordering a series reads: real files in every layout, and
// slices written here with what a scan must not be misled by.
#include "DicomSlices.h"
#include "SliceHeader.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

SliceHeader scanned(const std::vector<uint8_t>& bytes, ScanResult expected = ScanResult::Read)
{
    SliceHeader header;
    EXPECT_EQ(scanSliceHeader(bytes.data(), bytes.size(), header), expected);
    return header;
}

const char* const mrSeries = "1.3.6.1.4.1.5962.1.3.4.1.20040826185059.5457";

} // namespace

TEST(SliceHeader, RealFilesInEveryLayoutGiveTheirSeriesAndPosition)
{
    struct Case {
        const char* file;
        const char* syntax;
    };
    const Case cases[] = {
        {"MR_small.dcm", "1.2.840.10008.1.2.1"},
        {"MR_small_implicit.dcm", "1.2.840.10008.1.2"},
        {"MR_small_bigendian.dcm", "1.2.840.10008.1.2.2"},
        {"MR_small_expb.dcm", "1.2.840.10008.1.2.2"},
        {"MR_small_RLE.dcm", "1.2.840.10008.1.2.5"},
        {"MR_small_jpeg_ls_lossless.dcm", "1.2.840.10008.1.2.4.80"},
        {"MR_small_jp2klossless.dcm", "1.2.840.10008.1.2.4.90"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const SliceHeader header = scanned(readFile(pydicomFile(c.file)));
        EXPECT_EQ(header.transferSyntax, c.syntax);
        EXPECT_TRUE(header.image);
        EXPECT_EQ(header.seriesUid, mrSeries);
        ASSERT_TRUE(header.position);
        EXPECT_EQ(*header.position, (std::array<double, 3>{-83.9063, -91.2, 6.6406}));
        ASSERT_TRUE(header.orientation);
        EXPECT_EQ(*header.orientation, (std::array<double, 6>{1, 0, 0, 0, 1, 0}));
    }
}

TEST(SliceHeader, AFileWithoutMetaGroupIsReadFromItsFirstElement)
{
    for (const bool implicitVr : {false, true}) {
        SCOPED_TRACE(implicitVr);
        SliceSpec fields;
        fields.implicitVr = implicitVr;
        fields.position = std::array<double, 3>{0, 0, 12.5};
        std::vector<uint8_t> bytes = dicomSlice(fields);
        const uint8_t firstElement[] = {0x08, 0x00, 0x60, 0x00}; // (0008,0060), the data set's first
        bytes.erase(bytes.begin(),
                    std::search(bytes.begin(), bytes.end(), std::begin(firstElement), std::end(firstElement)));
        const SliceHeader header = scanned(bytes);
        EXPECT_EQ(header.transferSyntax, "");
        EXPECT_TRUE(header.image);
        EXPECT_EQ(header.seriesUid, fields.seriesUid);
        ASSERT_TRUE(header.position);
        EXPECT_EQ((*header.position)[2], 12.5);
    }
}

TEST(SliceHeader, APositionInsideASequenceIsNotTheSlicesOwn)
{
    for (const bool implicitVr : {false, true}) {
        SCOPED_TRACE(implicitVr);
        SliceSpec fields;
        fields.implicitVr = implicitVr;
        fields.sequenceBefore = true;
        fields.position = std::array<double, 3>{1, 2, -3.25};
        const SliceHeader header = scanned(dicomSlice(fields));
        ASSERT_TRUE(header.position);
        EXPECT_EQ((*header.position)[2], -3.25);
        EXPECT_TRUE(header.image);
        EXPECT_EQ(header.seriesUid, fields.seriesUid);
    }
}

TEST(SliceHeader, WhatIsNotThereOrNotANumberGivesNoValue)
{
    SliceSpec fields;
    const SliceHeader without = scanned(dicomSlice(fields));
    EXPECT_FALSE(without.position);
    EXPECT_FALSE(without.orientation);

    // A position with two values, or with a word, is no position.
    fields.position = std::array<double, 3>{1, 2, 3};
    std::vector<uint8_t> bytes = dicomSlice(fields);
    const std::string text(bytes.begin(), bytes.end());
    for (const char* damaged : {"1.0000\\2.000003.0000", "1.0000\\2.0000\\abcdef"}) {
        SCOPED_TRACE(damaged);
        std::string copy = text;
        copy.replace(copy.find("1.0000\\2.0000\\3.0000"), 20, damaged);
        EXPECT_FALSE(scanned({copy.begin(), copy.end()}).position);
    }
}

TEST(SliceHeader, BytesThatEndInsideTheHeaderAskForMore)
{
    const std::vector<uint8_t> bytes = readFile(pydicomFile("CT_small.dcm"));
    for (const size_t cut : {size_t{140}, size_t{600}, size_t{3000}}) {
        SCOPED_TRACE(cut);
        SliceHeader header;
        EXPECT_EQ(scanSliceHeader(bytes.data(), cut, header), ScanResult::NeedsMore);
    }
}

TEST(SliceHeader, OtherFilesAreNoDicomOrNoImage)
{
    const std::string text = "just a note about the series\n";
    SliceHeader header;
    EXPECT_EQ(scanSliceHeader(reinterpret_cast<const uint8_t*>(text.data()), text.size(), header),
              ScanResult::NotDicom);
    EXPECT_EQ(scanSliceHeader(nullptr, 0, header), ScanResult::NotDicom);
    EXPECT_FALSE(scanned(readFile(pydicomFile("rtplan.dcm"))).image); // a plan holds no pixels
    EXPECT_EQ(scanned(readFile(pydicomFile("image_dfl.dcm")), ScanResult::Deflated).transferSyntax,
              "1.2.840.10008.1.2.1.99");
}

TEST(SliceHeader, ElementsInsideTheFileBeforeADecoderIsGivenIt)
{
    for (const char* file :
         {"MR_small.dcm", "MR_small_bigendian.dcm", "MR_small_RLE.dcm", "MR_small_jpeg_ls_lossless.dcm",
          "MR_small_jp2klossless.dcm", "JPEG-lossy.dcm", "CT_small.dcm", "priv_SQ.dcm", "nested_priv_SQ.dcm"}) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes = readFile(pydicomFile(file));
        EXPECT_TRUE(elementsInside(bytes.data(), bytes.size()));
    }

    // The first fragment of the RLE pixel data claims more than the file holds.
    std::vector<uint8_t> bytes = readFile(pydicomFile("MR_small_RLE.dcm"));
    const uint8_t firstFragment[] = {0xE0, 0x7F, 0x10, 0x00, 'O',  'B',  0,    0,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0xE0};
    auto at = std::search(bytes.begin(), bytes.end(), std::begin(firstFragment), std::end(firstFragment));
    ASSERT_NE(at, bytes.end());
    at += sizeof firstFragment;
    const std::vector<uint8_t> sound = bytes;
    *(at + 3) = 0x7F; // about 2 GB
    EXPECT_FALSE(elementsInside(bytes.data(), bytes.size()));
    // Cut inside the pixel data.
    EXPECT_FALSE(elementsInside(sound.data(), sound.size() - 100));

    // A sequence of defined length holding one item; of 24 bytes, the item runs past the sequence's end.
    const auto withSequence = [](uint8_t itemLength) {
        std::vector<uint8_t> slice = dicomSlice(SliceSpec{});
        const std::vector<uint8_t> sequence = {
            0x08, 0x00, 0x40, 0x11, 'S',        'Q', 0, 0, 16,   0,    0,    0, // 16 bytes of items
            0xFE, 0xFF, 0x00, 0xE0, itemLength, 0,   0, 0, 0x08, 0x00, 0x60, 0x00, 'C', 'S', 0, 0};
        const uint8_t modality[] = {0x08, 0x00, 0x60, 0x00};
        const auto at = std::search(slice.begin(), slice.end(), std::begin(modality), std::end(modality));
        slice.insert(at + 10, sequence.begin(), sequence.end()); // after the modality "CT"
        return slice;
    };
    const std::vector<uint8_t> fits = withSequence(8), runsPast = withSequence(24);
    EXPECT_TRUE(elementsInside(fits.data(), fits.size()));
    EXPECT_FALSE(elementsInside(runsPast.data(), runsPast.size()));

    // A delimitation outside any item, with an element after it that claims about 3.7 GB:
    // the check goes on past the delimitation rather than stop there.
    std::vector<uint8_t> strayDelimitation = dicomSlice(SliceSpec{});
    const uint8_t pixelData[] = {0xE0, 0x7F, 0x10, 0x00};
    const auto pixels =
        std::search(strayDelimitation.begin(), strayDelimitation.end(), std::begin(pixelData), std::end(pixelData));
    const std::vector<uint8_t> stray = {0xFE, 0xFF, 0x0D, 0xE0, 0, 0, 0,    0,    0x28, 0x00,
                                        0x07, 0x01, 'O',  'B',  0, 0, 0xFF, 0xFF, 0x0F, 0xE0};
    strayDelimitation.insert(pixels, stray.begin(), stray.end());
    EXPECT_FALSE(elementsInside(strayDelimitation.data(), strayDelimitation.size()));
}
