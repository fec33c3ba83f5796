// The byte-pattern DICOM reader on real files and on small files built here.
#include "AppError.h"
#include "DicomBytes.h"
#include "DicomRecord.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Row = std::array<std::string, 7>;

DicomRecord read(const std::vector<uint8_t>& file, bool locked = false)
{
    DicomRecord record;
    record.locked = locked;
    readDicom(file, record);
    return record;
}

DicomRecord readPydicom(const std::string& name, bool locked = false)
{
    return read(readFile(pydicomFile(name)), locked);
}

Row rowAt(const DicomRecord& r, int row)
{
    Row cells;
    for (int c = 0; c < 7; ++c) cells[static_cast<size_t>(c)] = r.cell(c, row);
    return cells;
}

// The first row showing the element, or -1.
int find(const DicomRecord& r, const std::string& group, const std::string& element)
{
    for (size_t row = 1; row < r.grid.size(); ++row)
        if (r.grid[row][1] == group && r.grid[row][2] == element) return static_cast<int>(row);
    return -1;
}

std::string value(const DicomRecord& r, const std::string& group, const std::string& element)
{
    const int row = find(r, group, element);
    return row < 0 ? "<missing>" : r.cell(6, row);
}

void expectEdits(const DicomRecord& r, std::initializer_list<std::pair<DicomEdit, std::string>> expected)
{
    for (const auto& [edit, text] : expected) EXPECT_EQ(r.edit(edit), text) << "edit " << static_cast<int>(edit);
}

TEST(DicomReader, ExplicitLittleEndianCt)
{
    // Expected values as dcmdump shows them for CT_small.dcm.
    const DicomRecord r = readPydicom("CT_small.dcm");
    expectEdits(r, {
                       {DicomEdit::Header, "6300"},
                       {DicomEdit::ImgSizeX, "128"},
                       {DicomEdit::ImgSizeY, "128"},
                       {DicomEdit::PxlSpc, "0.661468"},
                       {DicomEdit::Offst, "-1024"},
                       {DicomEdit::SThick, "5.000000"},
                       {DicomEdit::FOVSize, "338.671600"},
                       {DicomEdit::PtPos, "-75.699997"},
                   });
    EXPECT_EQ(r.edits.count(DicomEdit::WindowLevel), 0u); // the file has no window
    EXPECT_EQ(r.swap, std::optional<bool>(false));

    // Reading starts at (0002,0002); UIDs lose their padding NUL.
    EXPECT_EQ(rowAt(r, 1),
              (Row{"  1", "0002", "0002", "UI", "001A", "MediaStorageSOPClassUID", "1.2.840.10008.5.1.4.1.1.2"}));
    EXPECT_EQ(rowAt(r, 3), (Row{"  3", "0002", "0010", "UI", "0014", "TransferSyntaxUID", "1.2.840.10008.1.2.1"}));
    EXPECT_EQ(rowAt(r, 4), (Row{"  4", "0002", "0012", "UI", "0012", "ImplementationClassUID", "1.3.6.1.4.1.5962.2"}));
    // Private names, "US" shown as a number, the 2-byte "SS" left as bytes.
    EXPECT_EQ(value(r, "0009", "1001"), "GE_GENESIS_FF");
    EXPECT_EQ(r.cell(5, find(r, "0009", "1001")), "FullFidelity");
    EXPECT_EQ(value(r, "0043", "1010"), "400");
    EXPECT_EQ(value(r, "0019", "1011"), ""); // SS 2: bytes 02 00, trimmed away
    EXPECT_EQ(r.cell(5, find(r, "0043", "1010")), "WindowValue");
    EXPECT_EQ(value(r, "0028", "0010"), "128");
    EXPECT_EQ(value(r, "0028", "0030"), "0.661468\\0.661468");
    // "OB": the shown length is the file's, the value begins with the length's high half.
    EXPECT_EQ(r.cell(4, find(r, "0043", "1028")), "0050");
    // The Pixel Data element is the last row.
    const int last = static_cast<int>(r.grid.size()) - 1;
    EXPECT_EQ(rowAt(r, last)[1] + rowAt(r, last)[2] + rowAt(r, last)[3] + rowAt(r, last)[4], "7FE00010OW8000");
    EXPECT_EQ(r.cell(5, last), "");

    EXPECT_EQ(r.summary, "RHAPSODE\r\nmmST : 5.000000\r\nkV : 120 \r\nmmFOV : 338.671600\r\nmAs : 170 \r\n"
                         "RF : STANDARD\r\nDspMtrx : 128\r\nmmPSize : 0.661468\\0.661468 \r\n");
}

TEST(DicomReader, ItemsOfDefinedLengthListTheirElementsBetweenSequenceRows)
{
    // CT_small.dcm: (0010,1002) holds two items of explicit length and no delimitations.
    const DicomRecord r = readPydicom("CT_small.dcm");
    const int sq = find(r, "0010", "1002");
    ASSERT_GT(sq, 0);
    EXPECT_EQ(rowAt(r, sq), (Row{"", "0010", "1002", "SQ", "", "", ""}));
    EXPECT_EQ(rowAt(r, sq + 1)[6], "ABCD1234");
    EXPECT_EQ(rowAt(r, sq + 2)[6], "TEXT");
    EXPECT_EQ(rowAt(r, sq + 3), (Row{rowAt(r, sq + 3)[0], "0010", "0020", "LO", "0008", "PatientID", "1234ABCD"}));
    EXPECT_EQ(rowAt(r, sq + 4)[6], "TEXT");
    EXPECT_EQ(rowAt(r, sq + 5), (Row{"", "", "", "SQ", "", "", ""}));
    EXPECT_EQ(rowAt(r, sq + 6)[2], "1010");
    EXPECT_EQ(rowAt(r, sq + 6)[0], std::to_string(sq + 6).insert(0, 3 - std::to_string(sq + 6).size(), ' '));
    EXPECT_EQ(find(r, "FFFE", "E000"), -1); // items are no elements
    // The items' PatientID is listed but sets nothing; the data set's own elements still do.
    EXPECT_EQ(r.edit(DicomEdit::ImgSizeX), "128");
}

TEST(DicomReader, ImplicitVrConvertsTwoByteValuesAboveGroup0020)
{
    // MR_small_implicit.dcm: 64 x 64, no VR after the meta group.
    const DicomRecord r = readPydicom("MR_small_implicit.dcm");
    expectEdits(r, {
                       {DicomEdit::Header, "1510"},
                       {DicomEdit::ImgSizeX, "64"},
                       {DicomEdit::ImgSizeY, "64"},
                       {DicomEdit::PxlSpc, "0.3125"},
                       {DicomEdit::WindowLevel, "600"},
                       {DicomEdit::WindowWidth, "1600"},
                   });
    EXPECT_EQ(r.swap, std::optional<bool>(false));
    const int rows = find(r, "0028", "0010");
    EXPECT_EQ(rowAt(r, rows), (Row{rowAt(r, rows)[0], "0028", "0010", "", "0002", "Rows", "64"}));
    EXPECT_EQ(value(r, "0020", "0011"), "1"); // group 0020 itself stays text
}

TEST(DicomReader, ExplicitMrWindowAndLock)
{
    const DicomRecord r = readPydicom("MR_small.dcm");
    expectEdits(r, {
                       {DicomEdit::Header, "1500"},
                       {DicomEdit::WindowLevel, "600"},
                       {DicomEdit::WindowWidth, "1600"},
                       {DicomEdit::PtPos, "6.6406"},
                   });
    // Summary values keep their padding blank.
    EXPECT_EQ(r.summary, "MRT50H1 \r\nmmST : 0.8000\r\nmsTR : 4000.0000 \r\nmsTE : 240.0000\r\nAc : 1.0000\r\n"
                         "DspMtrx : 64\r\nmmPSize : 0.3125\\0.3125 \r\n");

    const DicomRecord locked = readPydicom("MR_small.dcm", true);
    EXPECT_EQ(locked.edits.count(DicomEdit::WindowLevel), 0u);
    EXPECT_EQ(locked.edits.count(DicomEdit::WindowWidth), 0u);
    EXPECT_EQ(locked.edit(DicomEdit::ImgSizeX), "64");
}

TEST(DicomReader, NonSquareImageKeepsColumnsAndRowsApart)
{
    // JPEG-lossy.dcm: 1024 rows of 256 columns, compressed pixels (transfer syntax not recognised).
    const DicomRecord r = readPydicom("JPEG-lossy.dcm");
    expectEdits(r, {
                       {DicomEdit::ImgSizeX, "256"},
                       {DicomEdit::ImgSizeY, "1024"},
                       {DicomEdit::Header, "2990"},
                       {DicomEdit::PxlSpc, "2.260000"},
                   });
    EXPECT_FALSE(r.swap.has_value());
}

TEST(DicomReader, TruncatedFileShowsWhatWasRead)
{
    // MR_truncated.dcm ends inside the Pixel Data value.
    const DicomRecord r = readPydicom("MR_truncated.dcm");
    EXPECT_EQ(r.edit(DicomEdit::Header), "1500");
    EXPECT_EQ(r.edit(DicomEdit::ImgSizeX), "64");
    EXPECT_EQ(find(r, "7FE0", "0010"), -1);
    EXPECT_EQ(rowAt(r, static_cast<int>(r.grid.size()) - 1)[1], "0028");
    EXPECT_LT(r.grid.size(), 1024u);
}

TEST(DicomReader, BigEndianFileIsReadInItsOwnByteOrder)
{
    const DicomRecord r = readPydicom("MR_small_bigendian.dcm");
    expectEdits(r, {
                       {DicomEdit::Header, "1516"},
                       {DicomEdit::ImgSizeX, "64"},
                       {DicomEdit::ImgSizeY, "64"},
                       {DicomEdit::PxlSpc, "0.3125"},
                   });
    EXPECT_EQ(r.swap, std::optional<bool>(true)); // its samples are big endian too
    EXPECT_EQ(value(r, "0028", "0100"), "16");
}

TEST(DicomReader, BytesWithoutAnImageStopBeforeTheGrid)
{
    DicomBytes noPixels;
    noPixels.element(0x0028, 0x0010, "US", us(64));
    std::vector<uint8_t> unclosed = DicomBytes().sequence(0x0008, 0x1140).withPixels(); // the item runs to the end
    const std::vector<std::vector<uint8_t>> cases = {{},
                                                     {0xE0, 0x7F, 0x10, 0x00},
                                                     {'U', 'L', 2, 0, 2, 0, 0xE0, 0x7F, 0x10, 0x00},
                                                     noPixels.withoutPixels(),
                                                     unclosed};
    for (const auto& bytes : cases) {
        DicomRecord r;
        r.startGrid(3);
        r.setCell(6, 1, "earlier file");
        readDicom(bytes, r);
        EXPECT_EQ(r.cell(6, 1), "earlier file");
        EXPECT_EQ(r.edit(DicomEdit::Header), "");
        EXPECT_EQ(r.edit(DicomEdit::ImgSizeY), "");
        EXPECT_EQ(r.edit(DicomEdit::Offst), "0");
    }
}

TEST(DicomReader, BuiltExplicitFileEdits)
{
    DicomBytes b;
    b.element(0x0018, 0x0050, "DS", "2.5 ")
        .element(0x0018, 0x1100, "DS", " 250 ")
        .element(0x0020, 0x0032, "DS", "1\\2\\-30.5 ")
        .element(0x0028, 0x0010, "US", us(512))
        .element(0x0028, 0x0011, "US", us(256))
        .element(0x0028, 0x0030, "DS", "0.5\\0.6 ")
        .element(0x0028, 0x1050, "DS", "40\\400 ")
        .element(0x0028, 0x1051, "DS", "350\\1500")
        .element(0x0028, 0x1052, "DS", "-1024.9 ")
        .element(0x0028, 0x1053, "DS", "1 ")
        .element(0x2010, 0x0040, "CS", "LANDSCAPE ");
    const auto file = b.withPixels();
    DicomRecord r;
    const std::string orientation = readDicom(file, r);
    EXPECT_EQ(r.swap, std::optional<bool>(false));
    expectEdits(r, {
                       {DicomEdit::SThick, "2.5 "}, // untrimmed
                       {DicomEdit::FOVSize, "250"},
                       {DicomEdit::PtPos, "-30.5"},
                   });
    // A landscape film with more rows than columns keeps Columns as the row length.
    EXPECT_EQ(orientation, "LAND");
    expectEdits(r, {
                       {DicomEdit::ImgSizeX, "256"},
                       {DicomEdit::ImgSizeY, "512"},
                       {DicomEdit::PxlSpc, "0.5"},
                       {DicomEdit::WindowLevel, "40"},
                       {DicomEdit::WindowWidth, "350"}, // WindowWidth comes after WindowCenter's "400"
                       {DicomEdit::Offst, "-1024"},     // cut toward zero
                   });
    EXPECT_EQ(r.edit(DicomEdit::Header), std::to_string(b.pixelStart));
    EXPECT_EQ(value(r, "0028", "1053"), "1");
}

TEST(DicomReader, BuiltImplicitFile)
{
    DicomBytes b("1.2.840.10008.1.2");
    b.implicitElement(0x0028, 0x0010, us(0xFFFF)) // shown as a signed number
        .implicitElement(0x0028, 0x0011, us(300))
        .implicitElement(0x0028, 0x1053, std::string("1 ")) // RescaleSlope stays text
        .implicitElement(0x0018, 0x1151, std::string("12")) // group 0018 stays text
        .implicitElement(0x0028, 0x1050, std::string("50 "));
    const auto file = b.withPixels(false);
    const DicomRecord r = read(file);
    EXPECT_EQ(r.swap, std::optional<bool>(false));
    EXPECT_EQ(r.edit(DicomEdit::ImgSizeY), "-1");
    EXPECT_EQ(r.edit(DicomEdit::ImgSizeX), "300");
    EXPECT_EQ(value(r, "0028", "1053"), "1");
    EXPECT_EQ(value(r, "0018", "1151"), "12");
    EXPECT_EQ(r.edit(DicomEdit::WindowLevel), "50");
    EXPECT_EQ(r.edit(DicomEdit::Header), std::to_string(b.pixelStart));
    EXPECT_EQ(r.cell(3, find(r, "7FE0", "0010")), "");
}

TEST(DicomReader, UnknownVrHonoursItsLowLength)
{
    std::vector<uint8_t> big(40000, 'a');
    DicomBytes b;
    b.element(0x0029, 0x1010, "UN", big).element(0x0028, 0x0010, "US", us(8));
    const DicomRecord r = read(b.withPixels());
    EXPECT_EQ(r.cell(4, find(r, "0029", "1010")), "9C40");
    EXPECT_EQ(value(r, "0029", "1010").size(), 40000u);
    EXPECT_EQ(r.edit(DicomEdit::ImgSizeY), "8");
}

TEST(DicomReader, UndefinedLengthSequenceInsideTheHeader)
{
    DicomBytes b;
    b.sequence(0x0008, 0x1140)
        .element(0x0008, 0x1150, "UI", "1.2")
        .marker(0xFFFE, 0xE00D, 0)
        .marker(0xFFFE, 0xE000, 0xFFFFFFFF)
        .element(0x0008, 0x1155, "UI", "3.4")
        .marker(0xFFFE, 0xE00D, 0)
        .marker(0xFFFE, 0xE0DD, 0)
        .element(0x0008, 0x0060, "CS", "CT");
    const DicomRecord r = read(b.withPixels());
    const int sq = find(r, "0008", "1140");
    ASSERT_GT(sq, 0);
    EXPECT_EQ(rowAt(r, sq), (Row{"", "0008", "1140", "SQ", "", "", ""}));
    EXPECT_EQ(rowAt(r, sq + 1)[6], "1.2");
    EXPECT_EQ(rowAt(r, sq + 2)[6], "3.4");
    EXPECT_EQ(rowAt(r, sq + 3), (Row{"", "", "", "SQ", "", "", ""}));
    EXPECT_EQ(rowAt(r, sq + 4)[6], "CT");
    EXPECT_EQ(find(r, "FFFE", "E00D"), -1);
}

TEST(DicomReader, NonNumericInterceptFailsAfterWhatCameBefore)
{
    DicomBytes b;
    b.element(0x0028, 0x0010, "US", us(64)).element(0x0028, 0x1052, "DS", "abc ").element(0x0028, 0x0011, "US", us(32));
    const auto file = b.withPixels();
    DicomRecord r;
    try {
        readDicom(file, r);
        FAIL() << "no conversion error";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), Msg::notFloat("abc"));
    }
    EXPECT_EQ(r.edit(DicomEdit::ImgSizeY), "64");
    EXPECT_EQ(r.edit(DicomEdit::ImgSizeX), "");
    EXPECT_EQ(r.grid.size(), 1024u); // the row count is left as set at the start
    EXPECT_EQ(r.summary, "DspMtrx : 64\r\n");
}

TEST(DicomReader, SummaryPutsModelNamesInFront)
{
    DicomBytes b;
    b.element(0x0018, 0x0050, "DS", "1 ")
        .element(0x0008, 0x1090, "LO", "A ")
        .element(0x0019, 0x1060, "SL", "x")  // not element 0060
        .element(0x0008, 0x0060, "CS", "CT") // Modality is no "kV"
        .element(0x0009, 0x103E, "LO", "S1") // element 103E in any group
        .element(0x0008, 0x1090, "LO", "B")
        .element(0x0018, 0x0060, "DS", "120 ");
    EXPECT_EQ(read(b.withPixels()).summary, "B\r\nA \r\nmmST : 1 \r\nSe : S1\r\nkV : 120 \r\n");
}

TEST(DicomReader, ManyElementsGrowTheGrid)
{
    DicomBytes b;
    for (int i = 0; i < 1500; ++i) b.element(0x0009, static_cast<uint16_t>(0x1000 + i), "LO", "ab");
    const DicomRecord r = read(b.withPixels());
    // 3 meta rows, 1500 elements, the Pixel Data row, and the caption row.
    EXPECT_EQ(r.grid.size(), 1u + 2u + 1500u + 1u);
    EXPECT_EQ(r.cell(0, 1502), "1502");
}

} // namespace
