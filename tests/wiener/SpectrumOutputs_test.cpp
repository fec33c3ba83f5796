#include "SpectrumOutputs.h"

#include "AppError.h"
#include "ErrorMessage.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Outputs : ::testing::Test {
    std::unique_ptr<SpectrumState> state = std::make_unique<SpectrumState>();

    // A finished calculation with N = 16: WsSpectrum[l] = l + 1 for l < 16, WsAcf[d] = 100 - d.
    void finished()
    {
        state->SegmentLength = 16;
        state->WsSpectrum.fill(0);
        for (int l = 0; l < 16; ++l) state->WsSpectrum[l] = l + 1;
        for (int d = 0; d < SpectrumArraySize; ++d) state->WsAcf[d] = 100 - d;
    }
};

} // namespace

TEST_F(Outputs, HeaderAndClipboardLines)
{
    EXPECT_EQ(exportHeader("C:/ct/water 512 512 0p5.raw"), "c/mm\tC:/ct/water 512 512 0p5.raw");
    EXPECT_EQ(exportHeader(""), "c/mm\t");
    EXPECT_EQ(clipboardText({"c/mm\t", "0.125\t2"}), "c/mm\t\r\n0.125\t2\r\n");
}

TEST_F(Outputs, SpectrumAndAcfLinesForSixteenPointsAtHalfMillimetre)
{
    finished();
    const auto spectrum = spectrumLines(*state, 0.5L);
    ASSERT_EQ(spectrum.size(), 8u);
    EXPECT_EQ(spectrum.front(), "0.125\t2");
    EXPECT_EQ(spectrum[1], "0.25\t3");
    EXPECT_EQ(spectrum.back(), "1\t9");

    const auto acf = acfLines(*state, 0.5L);
    ASSERT_EQ(acf.size(), 9u);
    EXPECT_EQ(acf.front(), "0\t100");
    EXPECT_EQ(acf[1], "0.5\t99");
    EXPECT_EQ(acf.back(), "4\t92");
}

TEST_F(Outputs, BeforeAnyCalculation)
{
    EXPECT_TRUE(spectrumLines(*state, 0.5L).empty());
    const auto acf = acfLines(*state, 0.5L);
    ASSERT_EQ(acf.size(), 1u);
    EXPECT_EQ(acf[0], "0\t0");
    EXPECT_EQ(errorMessageOf([&] { smoothedLines(*state, 0.5L); }), "0 による浮動小数点数除算");
}

TEST_F(Outputs, SmoothingRunsToNPlusSeven)
{
    finished();
    state->WsSpectrum[16] = 1000; // past N: read as it is
    const auto lines = smoothedLines(*state, 0.5L);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[0], "0.125\t2.3");    // 0.7*2 + 0.3*3
    EXPECT_EQ(lines[1], "0.25\t3.5");     // mean of 2..5
    EXPECT_EQ(lines[2], "0.375\t4.5");    // mean of 2..7
    EXPECT_EQ(lines[3], "0.5\t5.5");      // mean of S[1..8] = 2..9
    EXPECT_EQ(lines[11], "1.5\t136.375"); // S[9..16]: 10..16 and 1000
    EXPECT_EQ(lines[22], "2.875\t0");     // S[20..27]: all zero
    EXPECT_EQ(lines[15], "2\t130.625");   // S[13..20]: 14, 15, 16, 1000 and zeros
}

TEST_F(Outputs, SmoothingReadsZeroBeyondTheArray)
{
    state->SegmentLength = 1024;
    state->WsSpectrum.fill(8);
    const auto lines = smoothedLines(*state, 1.0L);
    ASSERT_EQ(lines.size(), 1031u);
    EXPECT_EQ(lines[1020], "0.9970703125\t7");  // k = 1021: S[1018..1025], 1025 beyond: 7*8/8
    EXPECT_EQ(lines.back(), "1.0068359375\t0"); // k = 1031: all beyond
}

TEST_F(Outputs, ZeroSpacingFailsAsDivisionByZero)
{
    finished();
    EXPECT_THROW(spectrumLines(*state, 0.0L), AppError);
    EXPECT_THROW(smoothedLines(*state, 0.0L), AppError);
    EXPECT_EQ(acfLines(*state, 0.0L)[1], "0\t99");
}

TEST_F(Outputs, LagsBeyondTheDoubleRangeFail)
{
    finished();
    EXPECT_EQ(errorMessageOf([&] { acfLines(*state, 1e308L); }), "不正な浮動小数点数演算命令");
    EXPECT_EQ(acfLines(*state, 1e300L)[8], "8E300\t92");
}
