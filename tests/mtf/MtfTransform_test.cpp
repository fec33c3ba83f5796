#include "MtfTransform.h"

#include "AppError.h"
#include "Convert.h"
#include "NumberFormat.h"
#include "ProfileProcessing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A value written into an edit and read back.
long double viaEdit(long double v) { return toFloat(formatGeneral(v)); }

MtfArray profile(const std::vector<double>& values)
{
    MtfArray a{};
    for (size_t k = 0; k < values.size(); ++k) a[k] = values[k];
    return a;
}

} // namespace

TEST(MtfTransform, EighteenSampleExample)
{
    const MtfArray aSSPz = profile({0, 0, 0, 1, 3, 10, 30, 70, 100, 90, 60, 25, 8, 2, 1, 0, 0, 0});
    SpectrumArrays s;
    const int L = computeMtfValues(aSSPz, 18, s);
    ASSERT_EQ(L, 90);
    EXPECT_EQ(s.MTFValues[0], 1);
    EXPECT_NEAR(s.MTFValues[1], 0.99355812, 5e-9);
    EXPECT_NEAR(s.MTFValues[2], 0.97450665, 5e-9);
    EXPECT_NEAR(s.MTFValues[3], 0.94364776, 5e-9);

    const long double step = frequencyStep(0.5L, L);
    EXPECT_EQ(formatGeneral(step), "0.0222222222222222");
    EXPECT_EQ(L / 2, 45);
    const long double fwhm = toFloat("1.89285714285714");
    const long double fc = 1 / fwhm;
    EXPECT_NEAR(static_cast<double>(fc), 0.52830189, 5e-9);
    const auto mtf = mtfAtFrequency(s.MTFValues, L, viaEdit(step), fc);
    ASSERT_TRUE(mtf.has_value());
    EXPECT_NEAR(static_cast<double>(*mtf), 0.0372098, 5e-8);

    fillSinc(s.SincValues, L / 2, viaEdit(step), fwhm);
    EXPECT_EQ(s.SincValues[0], 1);
    EXPECT_NEAR(s.SincValues[1], 0.99709210, 5e-9);
}

TEST(MtfTransform, SingleSampleGivesFlatSpectrumAndFcBeyondItGivesNothing)
{
    const MtfArray aSSPz = profile({0, 0, 0, 7, 0, 0, 0});
    SpectrumArrays s;
    const int L = computeMtfValues(aSSPz, 7, s);
    for (int k = 0; k < L; ++k) EXPECT_NEAR(s.MTFValues[k], 1, 1e-15) << k;
    EXPECT_EQ(s.MTFValues[0], 1);
    // Bins up to index 34 exist; a frequency past the last one has no neighbours.
    EXPECT_FALSE(mtfAtFrequency(s.MTFValues, L, 0.01L, 0.35L).has_value());
    EXPECT_TRUE(mtfAtFrequency(s.MTFValues, L, 0.01L, 0.335L).has_value());
}

TEST(MtfTransform, ElevenSampleProfileInterpolatesInTheUpperHalf)
{
    const MtfArray aSSPz = profile({0, 0, 1, 5, 35, 95, 45, 7, 1, 0, 0});
    SpectrumArrays s;
    const int L = computeMtfValues(aSSPz, 11, s);
    EXPECT_EQ(L, 55);
    EXPECT_EQ(L / 2, 27);
    const long double step = viaEdit(frequencyStep(1, L));
    const long double fc = 1 / toFloat("1.74166666666667");
    EXPECT_NEAR(static_cast<double>(fc), 0.57416268, 5e-9);
    EXPECT_EQ(formatGeneral(s.MTFValues[1]), "0.995011200601797");
    // Bins 31 and 32 enclose fc; the upper half mirrors the lower one.
    const long double expected = s.MTFValues[31] + (s.MTFValues[32] - s.MTFValues[31]) * (fc - 31 * step) / step;
    EXPECT_EQ(mtfAtFrequency(s.MTFValues, L, step, fc), expected);
    EXPECT_EQ(s.MTFValues[31], s.MTFValues[24]);
}

TEST(MtfTransform, TransformIsTheDirectSumInExtendedPrecision)
{
    const MtfArray aSSPz = profile({0, 2, 9, 4, 1});
    MtfArray re{}, im{};
    transformProfile(aSSPz, 5, 25, re, im);
    for (int k = 0; k < 25; ++k) {
        double r = 0, i = 0;
        for (int b = 0; b < 5; ++b) {
            const long double theta = (2 * 3.14159265358979323846264338327950288L * k / 25) * b;
            long double s, c;
            sinCosExtended(theta, s, c);
            r = static_cast<double>(r + aSSPz[b] * c);
            i = static_cast<double>(i + aSSPz[b] * s);
        }
        EXPECT_EQ(re[k], r) << k;
        EXPECT_EQ(im[k], i) << k;
    }
}

TEST(MtfTransform, ExtendedSineAndCosineAgreeWithTheLibraryOverTheAnglesUsed)
{
    for (long double x : {0.0L, 0.5L, 1.0L, 3.14159L, 100.25L, 2569.0L}) {
        long double s, c;
        sinCosExtended(x, s, c);
        EXPECT_NEAR(static_cast<double>(s), static_cast<double>(std::sin(x)), 1e-16) << static_cast<double>(x);
        EXPECT_NEAR(static_cast<double>(c), static_cast<double>(std::cos(x)), 1e-16) << static_cast<double>(x);
    }
}

TEST(MtfTransform, RefusesProfilesTheArraysCannotHoldFiveTimes)
{
    SpectrumArrays s;
    s.MTFValues[3] = 42;
    const MtfArray aSSPz = profile({1});
    EXPECT_THROW(computeMtfValues(aSSPz, MaxKeptSamples + 1, s), AppError);
    EXPECT_EQ(s.MTFValues[3], 42);
    EXPECT_NO_THROW(computeMtfValues(aSSPz, MaxKeptSamples, s));
}

TEST(MtfTransform, ZeroSpacingFailsWithTheDivisionMessage)
{
    try {
        frequencyStep(0, 90);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
    }
    EXPECT_EQ(frequencyStep(-0.5L, 90), frequencyStep(0.5L, 90));
}
