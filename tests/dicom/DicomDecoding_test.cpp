// Decoding the transfer syntaxes the byte-pattern reader cannot read: the decoded
// file, read by that reader, gives the pixels of the uncompressed original; the
// codec's warnings on a damaged file come with it; the decoder program survives being
// killed or stopped, and a file it fails twice is refused as the decoder's failure.
#include "AppError.h"
#include "DicomDecoding.h"
#include "DicomRecord.h"
#include "SliceHeader.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <unistd.h>

namespace {

struct Pixels {
    std::string columns, rows;
    std::vector<int16_t> values;
};

// The pixels as the reader finds them: at its header offset, little endian.
Pixels readerPixels(const ByteBuffer& file)
{
    DicomRecord record;
    readDicom(file, record);
    Pixels p{record.edit(DicomEdit::ImgSizeX), record.edit(DicomEdit::ImgSizeY), {}};
    const SampleLayout layout{std::stoll(record.edit(DicomEdit::Header)), std::stoll(p.columns), false, 0};
    for (int64_t row = 0; row < std::stoll(p.rows); ++row)
        for (int64_t column = 0; column < layout.columns; ++column) {
            const int64_t at = wordPosition(layout, row, column);
            EXPECT_TRUE(wordInside(file, at));
            if (!wordInside(file, at)) return p;
            p.values.push_back(sampleValue(file, layout, row, column));
        }
    EXPECT_EQ(record.swap, std::optional<bool>(false)); // explicit VR little endian
    return p;
}

// The decoder program this test started; -1 when there is none.
pid_t decoderPid()
{
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state;
        pid_t parent = 0;
        if (stat >> pid >> name >> state >> parent && parent == getpid() && name == "(ctiq-decoder)")
            return std::stoi(pid);
    }
    return -1;
}

// A slice of JPEG lossless (process 14) written by DCMTK, with one bit of its coded
// data changed: libjpeg decodes it and warns.
ByteBuffer damagedJpeg(const TempFolder& folder)
{
    const std::string stored = (folder.path() / "jpeg.dcm").string();
    const std::string command = "dcmcjpeg +el '" + pydicomFile("CT_small.dcm").string() + "' '" + stored + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    ByteBuffer file = readFile(stored);
    const uint8_t startOfScan[] = {0xFF, 0xDA};
    const auto scan = std::search(file.begin(), file.end(), std::begin(startOfScan), std::end(startOfScan));
    EXPECT_LT(scan + 4, file.end());
    if (scan + 4 >= file.end()) return file;
    const auto coded = scan + 2 + (scan[2] << 8 | scan[3]); // past the scan's header
    EXPECT_LT(coded + 1500, file.end());
    if (coded + 1500 < file.end()) coded[1500] ^= 0x10;
    return file;
}

ByteBuffer decoded(const std::filesystem::path& path)
{
    const ByteBuffer file = readFile(path);
    EXPECT_FALSE(readsWithoutDecoding(transferSyntaxOf(file.data(), file.size())));
    DecodedDicom result = decodeDicom(file, path.string());
    EXPECT_EQ(result.refusal, "");
    return result.file;
}

} // namespace

TEST(DicomDecoding, LittleEndianWithoutCompressionIsReadAsItIs)
{
    EXPECT_TRUE(readsWithoutDecoding(""));
    EXPECT_TRUE(readsWithoutDecoding("1.2.840.10008.1.2"));
    EXPECT_TRUE(readsWithoutDecoding("1.2.840.10008.1.2.1"));
    for (const char* other :
         {"1.2.840.10008.1.2.2", "1.2.840.10008.1.2.1.99", "1.2.840.10008.1.2.5", "1.2.840.10008.1.2.4.50",
          "1.2.840.10008.1.2.4.70", "1.2.840.10008.1.2.4.80", "1.2.840.10008.1.2.4.90", "1.2.840.10008.1.2.1 "})
        EXPECT_FALSE(readsWithoutDecoding(other)) << other;
}

TEST(DicomDecoding, EveryTransferSyntaxGivesThePixelsOfTheUncompressedFile)
{
    const Pixels original = readerPixels(readFile(pydicomFile("MR_small.dcm")));
    ASSERT_EQ(original.values.size(), size_t{64 * 64});
    struct Case {
        const char* file;
        const char* named; // in the summary line
    };
    const Case cases[] = {
        {"MR_small_bigendian.dcm", "Explicit VR Big Endian"},
        {"MR_small_expb.dcm", "Explicit VR Big Endian"},
        {"MR_small_RLE.dcm", "RLE Lossless"},
        {"MR_small_jpeg_ls_lossless.dcm", "JPEG-LS Lossless Image Compression"},
        {"MR_small_jp2klossless.dcm", "JPEG 2000 Image Compression (Lossless Only)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ByteBuffer file = readFile(pydicomFile(c.file));
        const DecodedDicom result = decodeDicom(file, c.file);
        ASSERT_EQ(result.refusal, "");
        EXPECT_EQ(result.note, std::string("Decoded from : ") + c.named + "\r\n");
        EXPECT_EQ(transferSyntaxOf(result.file.data(), result.file.size()), TransferSyntax::explicitLittleEndian);
        const Pixels p = readerPixels(result.file);
        EXPECT_EQ(p.columns, "64");
        EXPECT_EQ(p.rows, "64");
        EXPECT_EQ(p.values, original.values);
    }
}

TEST(DicomDecoding, ADeflatedFileGivesThePixelsOfTheUncompressedFile)
{
    const TempFolder folder;
    const auto deflated = folder.path() / "deflated.dcm";
    const std::string command =
        "dcmconv +td '" + pydicomFile("MR_small.dcm").string() + "' '" + deflated.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(readerPixels(decoded(deflated)).values, readerPixels(readFile(pydicomFile("MR_small.dcm"))).values);
}

TEST(DicomDecoding, TheDecodedFileHoldsEveryElementAsStored)
{
    // The tag grid as the reader lists it, but for the meta group and the pixels' bytes:
    // the values a physicist reads and copies, and the texts the table takes.
    const auto dataSetRows = [](const ByteBuffer& file) {
        DicomRecord record;
        readDicom(file, record);
        std::string rows;
        for (size_t r = 1; r < record.grid.size(); ++r) {
            const TagGridRow& row = record.grid[r];
            if (row[1] == "0002") continue;
            const bool pixelData = row[1] == "7FE0" && row[2] == "0010";
            for (size_t c = 1; c < row.size() - (pixelData ? 1 : 0); ++c) rows += row[c] + "\t";
            rows += "\n";
        }
        return rows;
    };
    const TempFolder folder;
    const std::string original = pydicomFile("CT_small.dcm").string();
    const auto expected = dataSetRows(readFile(original));
    ASSERT_GT(std::count(expected.begin(), expected.end(), '\n'), 50);
    const Pixels pixels = readerPixels(readFile(original));
    struct Case {
        const char* write;
        const char* then = ""; // the JPEG writer adds a DerivationDescription, taken out again
    };
    // Lossless all: JPEG-LS, RLE, big endian, deflate and JPEG lossless (process 14).
    const Case cases[] = {{"dcmcjpls"},
                          {"dcmcrle"},
                          {"dcmconv +tb"},
                          {"dcmconv +td"},
                          {"dcmcjpeg +e1", "dcmodify -nb -ea '(0008,2111)'"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.write);
        const std::string stored = (folder.path() / "stored.dcm").string();
        ASSERT_EQ(std::system((std::string(c.write) + " '" + original + "' '" + stored + "'").c_str()), 0);
        if (*c.then != '\0') ASSERT_EQ(std::system((std::string(c.then) + " '" + stored + "'").c_str()), 0);
        const ByteBuffer file = decoded(stored);
        EXPECT_EQ(dataSetRows(file), expected);
        EXPECT_EQ(readerPixels(file).values, pixels.values);
    }
}

TEST(DicomDecoding, LossyJpegIsWithinOneGreyLevelOfAnotherDecoder)
{
    const TempFolder folder;
    const auto reference = folder.path() / "dcmdjpeg.dcm";
    const std::string command =
        "dcmdjpeg '" + pydicomFile("JPEG-lossy.dcm").string() + "' '" + reference.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const Pixels theirs = readerPixels(readFile(reference));
    const Pixels ours = readerPixels(decoded(pydicomFile("JPEG-lossy.dcm")));
    EXPECT_EQ(ours.columns, theirs.columns);
    EXPECT_EQ(ours.rows, theirs.rows);
    ASSERT_EQ(ours.values.size(), theirs.values.size());
    ASSERT_EQ(ours.values.size(), size_t{256 * 1024});
    int worst = 0;
    for (size_t i = 0; i < ours.values.size(); ++i)
        worst = std::max(worst, std::abs(ours.values[i] - theirs.values[i]));
    EXPECT_LE(worst, 1);
}

TEST(DicomDecoding, WhatCannotBeShownAsOneGreySliceIsRefused)
{
    struct Case {
        const char* file;
        std::string why;
    };
    const Case cases[] = {
        // decoded
        {"SC_rgb_rle.dcm", Msg::colourImage("RGB")},
        {"SC_rgb_rle_2frame.dcm", Msg::frameCount(2)},
        {"rtdose_rle.dcm", Msg::frameCount(15)},
        {"image_dfl.dcm", Msg::bitsAllocated(8)},
        // stored little endian, as the reader would read them
        {"SC_rgb_small_odd.dcm", Msg::colourImage("RGB")},
        {"SC_ybr_full_422_uncompressed.dcm", Msg::colourImage("YBR_FULL_422")},
        {"rtdose.dcm", Msg::frameCount(15)},
        {"rtdose_1frame.dcm", Msg::bitsAllocated(32)},
        {"liver_1frame.dcm", Msg::bitsAllocated(1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const DecodedDicom result = readableDicom(readFile(pydicomFile(c.file)), c.file);
        EXPECT_EQ(result.refusal, Msg::notOneGreySlice(c.file, c.why));
        EXPECT_TRUE(result.file.empty());
    }
    for (const char* grey : {"CT_small.dcm", "MR_small.dcm", "MR_small_implicit.dcm"}) {
        SCOPED_TRACE(grey);
        const ByteBuffer file = readFile(pydicomFile(grey));
        const DecodedDicom result = readableDicom(file, grey);
        EXPECT_EQ(result.refusal, "");
        EXPECT_EQ(result.file, file);
    }
}

TEST(DicomDecoding, CompressedDataThatIsDamagedIsRefused)
{
    ByteBuffer file = readFile(pydicomFile("MR_small_jpeg_ls_lossless.dcm"));
    file.resize(file.size() - 2000); // the code stream ends early
    EXPECT_EQ(decodeDicom(file, "cut.dcm").refusal, Msg::cannotDecode("cut.dcm", "JPEG-LS Lossless Image Compression"));
    const ByteBuffer noise(3000, 0x5A);
    EXPECT_EQ(decodeDicom(noise, "noise").refusal, Msg::cannotDecode("noise", ""));
}

TEST(DicomDecoding, TheCodecsWarningsOnADamagedFileAreKeptAndASoundFileHasNone)
{
    const TempFolder folder;
    const DecodedDicom damaged = decodeDicom(damagedJpeg(folder), "damaged.dcm");
    const std::string warning = "Corrupt JPEG data: premature end of data segment";
    EXPECT_EQ(damaged.refusal, "");
    EXPECT_EQ(damaged.warnings, warning + "\n");
    EXPECT_EQ(damaged.note, "Decoded from : JPEG Lossless, Non-Hierarchical (Process 14)\r\n" +
                                Msg::decodingWarning(warning) + "\r\n");

    // GDCM tries its 8-bit JPEG decoder first on this 12-bit file, which complains;
    // GDCM itself warns about the header. Neither is about the file's pixels.
    const DecodedDicom sound = decodeDicom(readFile(pydicomFile("JPGExtended.dcm")), "sound.dcm");
    EXPECT_EQ(sound.refusal, "");
    EXPECT_EQ(sound.warnings, "");
    EXPECT_EQ(sound.note, "Decoded from : JPEG Extended (Process 2 & 4): Default Transfer Syntax for Lossy JPEG 12 Bit "
                          "Image Compression (Process 4 only)\r\n");
}

TEST(DicomDecoding, TheDecoderKilledOrStoppedWhileIdleCostsNoFile)
{
    const TempFolder folder;
    const ByteBuffer small = readFile(pydicomFile("MR_small_RLE.dcm"));
    const DecodedDicom first = decodeDicom(small, "small.dcm");
    ASSERT_EQ(first.refusal, "");
    // 512 KB in big endian: more than the socket takes while the decoder is stopped.
    const auto little = folder.write("little.dcm", decodeDicom(readFile(pydicomFile("JPGExtended.dcm")), "").file);
    const auto big = folder.path() / "big.dcm";
    ASSERT_EQ(std::system(("dcmconv +tb '" + little.string() + "' '" + big.string() + "'").c_str()), 0);
    const ByteBuffer large = readFile(big);
    ASSERT_GT(large.size(), size_t{512 * 1024});
    const ByteBuffer largeDecoded = decodeDicom(large, "large.dcm").file;
    ASSERT_FALSE(largeDecoded.empty());

    for (const int signal : {SIGKILL, SIGSTOP}) {
        SCOPED_TRACE(signal);
        const pid_t idle = decoderPid();
        ASSERT_GT(idle, 0);
        ASSERT_EQ(kill(idle, signal), 0);
        const DecodedDicom again = decodeDicom(large, "large.dcm");
        EXPECT_EQ(again.refusal, "");
        EXPECT_EQ(again.file, largeDecoded);
        EXPECT_NE(decoderPid(), idle);
        EXPECT_EQ(decodeDicom(small, "small.dcm").file, first.file);
    }
}

TEST(DicomDecoding, AFileTheDecoderFailsTwiceIsRefusedAsTheDecodersFailure)
{
    // GDCM stops at an assertion on this 32-bit dose slice stored as RLE.
    const ByteBuffer dose = readFile(pydicomFile("rtdose_rle_1frame.dcm"));
    EXPECT_EQ(decodeDicom(dose, "dose.dcm").refusal, Msg::decoderFailed("dose.dcm", Msg::helperEndedBySignal(SIGABRT)));
    EXPECT_EQ(decodeDicom(readFile(pydicomFile("MR_small_RLE.dcm")), "small.dcm").refusal, "");

    // A decoder that crashes on every file.
    const TempFolder folder;
    const auto crashing = folder.path() / "crashing-decoder";
    std::ofstream(crashing) << "#!/bin/sh\nkill -SEGV $$\n";
    std::filesystem::permissions(crashing, std::filesystem::perms::owner_all);
    DicomDecoder decoder(crashing.string(), 5000);
    EXPECT_EQ(decoder.decode(readFile(pydicomFile("MR_small_RLE.dcm")), "small.dcm").refusal,
              Msg::decoderFailed("small.dcm", Msg::helperEndedBySignal(SIGSEGV)));
    DicomDecoder missing("/nonexistent/ctiq-decoder", 5000);
    EXPECT_EQ(
        missing.decode(dose, "dose.dcm").refusal,
        Msg::decoderFailed("dose.dcm", Msg::helperCannotStart("/nonexistent/ctiq-decoder", std::strerror(ENOENT))));
}
