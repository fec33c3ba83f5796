#include "AppError.h"
#include "ErrorMessage.h"
#include "RawLoading.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

struct NameCase {
    const char* path;
    const char* columns;
    const char* rows;
    const char* spacing;
    const char* answer;
};

class FileNameConvention : public testing::TestWithParam<NameCase> {};

TEST_P(FileNameConvention, SplitsTheBaseNameAtBlanks)
{
    const NameCase& c = GetParam();
    const FileNameGeometry g = parseFileName(c.path);
    EXPECT_EQ(g.columns, c.columns);
    EXPECT_EQ(g.rows, c.rows);
    EXPECT_EQ(g.pixelSpacing, c.spacing);
    EXPECT_EQ(g.sizeAnswer, c.answer);
}

INSTANTIATE_TEST_SUITE_P(Names, FileNameConvention,
                         testing::Values(NameCase{"/ct/water 512 512 0p488.raw", "512", "512", "0.488", "0p488"},
                                         NameCase{"a 256 128 1p25.raw", "256", "128", "1.25", "1p25"},
                                         NameCase{"/ct/a 512 512.raw", "512", "512", "", ""},
                                         NameCase{"/ct/phantom.raw", "", "", "", ""},
                                         NameCase{"/ct/IM0001.dcm", "", "", "", ""},
                                         NameCase{"/ct.old/x 512 512 0p5.dcm", "512", "512", "0.5", "0p5"},
                                         // Only the first "." ends the base name, and two blanks give an empty token.
                                         NameCase{"/ct/w 64  64 0p5.raw", "64", "", "64 0.5", "64 0p5"},
                                         NameCase{"/ct/w 64 64 0p5 p2.raw", "64", "64", "0.5 p2", "0p5 p2"},
                                         NameCase{"/ct/w 64 64 0.5.raw", "64", "64", "0", "0"}));

TEST(MatrixSizeGuess, ExactSquareOrNextPowerOfTwo)
{
    EXPECT_EQ(guessMatrixSize(524288, 2), "512 512");
    EXPECT_EQ(guessMatrixSize(262144, 1), "512 512");
    // 512 x 512 behind a 1,024-byte header: the root 512.5 rounds to 512 and the guess goes to 1024.
    EXPECT_EQ(guessMatrixSize(525312, 2), "1024 1024");
    EXPECT_EQ(guessMatrixSize(100, 2), "64 64");
    EXPECT_EQ(guessMatrixSize(2 * 100 * 100, 2), "100 100");
}

TEST(SizeAnswer, TakesOneOrTwoIntegers)
{
    const MatrixSize both = parseSizeAnswer("512 256");
    EXPECT_EQ(both.columns, 512);
    EXPECT_EQ(both.rows, 256);
    const MatrixSize one = parseSizeAnswer("128");
    EXPECT_EQ(one.columns, 128);
    EXPECT_EQ(one.rows, 128);
    EXPECT_EQ(errorMessageOf([] { parseSizeAnswer(""); }), "'' は整数ではありません");
    EXPECT_THROW(parseSizeAnswer("512 x"), AppError);
}

TEST(WholeFile, ReadsEveryByteOrFailsWithTheFileMessage)
{
    TempFolder folder;
    const auto file = folder.write("a.raw", {1, 2, 3});
    EXPECT_EQ(readWholeFile(file.string()), (std::vector<uint8_t>{1, 2, 3}));

    const std::string missing = (folder.path() / "none.raw").string();
    EXPECT_EQ(errorMessageOf([&] { readWholeFile(missing); }), "ファイル " + missing + " は開けません");
    EXPECT_THROW(readWholeFile(folder.write("empty.raw", {}).string()), AppError);
    EXPECT_THROW(readWholeFile(folder.path().string()), AppError);
}
