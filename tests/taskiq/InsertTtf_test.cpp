// The TTF of a blurred disk against its closed form exp(-2 pi^2 sigma^2 f^2).
#include "InsertTtf.h"

#include "AppError.h"
#include "TaskIqPhantoms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int32_t Size = 128;
constexpr double Spacing = 0.5, Radius = 12.5, Contrast = 100;
constexpr double TrueX = 64.3, TrueY = 63.6; // the disk's centre, between pixels

double trueTtf(double sigma, double f)
{
    return std::exp(-2 * std::numbers::pi * std::numbers::pi * sigma * sigma * f * f);
}
double trueF50(double sigma) { return 0.18739 / sigma; }
double trueF10(double sigma) { return 0.34154 / sigma; }

TtfSettings settingsAt(double x, double y) { return {Spacing, x, y, 2 * Radius}; }

bool warns(const TtfResult& r, TtfWarning w)
{
    return std::find(r.warnings.begin(), r.warnings.end(), w) != r.warnings.end();
}

class BlurredDisk : public testing::TestWithParam<double> {};

TEST_P(BlurredDisk, MatchesTheGaussianTtfAndFindsTheCentre)
{
    const double sigma = GetParam();
    const TtfResult r = measureInsertTtf({phantom::blurredDisk(Size, Spacing, TrueX, TrueY, Radius, sigma, Contrast)},
                                         settingsAt(64, 64));
    EXPECT_NEAR(r.centreX, TrueX, 0.02);
    EXPECT_NEAR(r.centreY, TrueY, 0.02);
    EXPECT_NEAR(r.contrast, Contrast, 0.5);
    EXPECT_NEAR(r.edgeRadius, Radius, 0.05);
    for (const TtfSample& s : r.ttf) {
        if (s.frequency <= trueF10(sigma)) {
            EXPECT_NEAR(s.value, trueTtf(sigma, s.frequency), 0.01) << s.frequency;
        }
    }
    ASSERT_TRUE(r.f50 && r.f10);
    EXPECT_NEAR(*r.f50, trueF50(sigma), 0.01 * trueF50(sigma));
    EXPECT_NEAR(*r.f10, trueF10(sigma), 0.02 * trueF10(sigma));
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.sliceCount, 1u);
}

INSTANTIATE_TEST_SUITE_P(Sigmas, BlurredDisk, testing::Values(0.3, 0.45, 0.6));

TEST(InsertTtf, FrequenciesReachTwicePerMmOrTwiceTheNyquistFrequencyInStepsOfAtMostAHundredth)
{
    struct Case {
        double spacing, last;
    } cases[] = {{0.5, 2}, {0.8, 2}, {0.3, 1 / 0.3}};
    for (const Case& c : cases) {
        const double radius = 30 * c.spacing; // 30 pixels
        const TtfResult r = measureInsertTtf({phantom::blurredDisk(Size, c.spacing, 64, 64, radius, 0.5, Contrast)},
                                             {c.spacing, 64, 64, 2 * radius});
        ASSERT_GE(r.ttf.size(), 2u);
        EXPECT_EQ(r.ttf.front().frequency, 0);
        EXPECT_EQ(r.ttf.front().value, 1);
        EXPECT_NEAR(r.ttf.back().frequency, c.last, 1e-12) << c.spacing;
        EXPECT_LE(r.ttf[1].frequency, 0.01 + 1e-12);
    }
}

TEST(InsertTtf, AGivenCentreUpToTwoPixelsOffChangesF50ByAtMostHalfAPercent)
{
    const double sigma = 0.45;
    const std::vector<HuSlice> slices{phantom::blurredDisk(Size, Spacing, TrueX, TrueY, Radius, sigma, Contrast)};
    const double exact = *measureInsertTtf(slices, settingsAt(TrueX, TrueY)).f50;
    const double offsets[][2] = {{2, 0}, {0, -2}, {-2, 0}, {0, 2}, {1.41, 1.41}, {-1.41, 1.41}, {0.7, -1.9}, {-1, -1}};
    for (const auto& d : offsets) {
        const TtfResult r = measureInsertTtf(slices, settingsAt(TrueX + d[0], TrueY + d[1]));
        EXPECT_NEAR(*r.f50, exact, 0.005 * exact) << d[0] << ", " << d[1];
    }
}

TEST(InsertTtf, NoisySeriesGiveAnUnbiasedF50WithASmallSpread)
{
    const double sigma = 0.45;
    const HuSlice disk = phantom::blurredDisk(Size, Spacing, TrueX, TrueY, Radius, sigma, Contrast);
    std::vector<double> f50;
    for (uint64_t seed = 1; seed <= 20; ++seed) {
        std::mt19937_64 random(seed);
        std::vector<HuSlice> slices(10, disk);
        for (HuSlice& s : slices) phantom::addWhiteNoise(s, 10, random);
        const TtfResult r = measureInsertTtf(slices, settingsAt(64, 64));
        ASSERT_TRUE(r.f50);
        EXPECT_NEAR(r.cnr, Contrast / 10 * std::sqrt(10.0), 1.5);
        EXPECT_FALSE(warns(r, TtfWarning::LowCnr));
        EXPECT_FALSE(warns(r, TtfWarning::EsfNotMonotonic)) << seed;
        f50.push_back(*r.f50);
    }
    double mean = 0, squares = 0;
    for (double f : f50) mean += f / 20;
    for (double f : f50) squares += (f - mean) * (f - mean);
    const double cv = std::sqrt(squares / 19) / mean;
    EXPECT_NEAR(mean, trueF50(sigma), 0.01 * trueF50(sigma));
    EXPECT_LT(cv, 0.03);
}

TEST(InsertTtf, ANegativeContrastGivesTheSameTtf)
{
    const double sigma = 0.45;
    const TtfResult bright = measureInsertTtf(
        {phantom::blurredDisk(Size, Spacing, TrueX, TrueY, Radius, sigma, Contrast, 40)}, settingsAt(64, 64));
    const TtfResult dark = measureInsertTtf(
        {phantom::blurredDisk(Size, Spacing, TrueX, TrueY, Radius, sigma, -Contrast, 40)}, settingsAt(64, 64));
    EXPECT_NEAR(dark.contrast, -bright.contrast, 1e-9);
    EXPECT_NEAR(dark.centreX, bright.centreX, 1e-9);
    ASSERT_EQ(dark.ttf.size(), bright.ttf.size());
    for (size_t i = 0; i < dark.ttf.size(); ++i) EXPECT_NEAR(dark.ttf[i].value, bright.ttf[i].value, 1e-9);
    EXPECT_NEAR(*dark.f50, *bright.f50, 1e-9);
}

TEST(InsertTtf, WarnsOfLowCnrAnInsertNearTheImageSideAndAnEdgeThatOvershoots)
{
    std::mt19937_64 random(7);
    HuSlice noisy = phantom::blurredDisk(Size, Spacing, TrueX, TrueY, Radius, 0.45, Contrast);
    phantom::addWhiteNoise(noisy, 40, random); // CNR 2.5
    const TtfResult lowCnr = measureInsertTtf({noisy}, settingsAt(64, 64));
    EXPECT_TRUE(warns(lowCnr, TtfWarning::LowCnr));
    EXPECT_LT(lowCnr.cnr, MinimumTtfCnr);

    const TtfResult nearSide =
        measureInsertTtf({phantom::blurredDisk(Size, Spacing, 40, 64, Radius, 0.45, Contrast)}, settingsAt(40, 64));
    EXPECT_EQ(nearSide.warnings, std::vector<TtfWarning>{TtfWarning::NearImageEdge});

    // An edge-enhancing kernel: a bright rim inside the edge and a dark one outside.
    const HuSlice overshoot = phantom::radialSlice(Size, Spacing, TrueX, TrueY, [](double r) {
        const double u = (r - Radius) / 0.45;
        return Contrast * (phantom::diskProbability(r, Radius, 0.45) - 0.4 * u * std::exp(-u * u / 2));
    });
    const TtfResult enhanced = measureInsertTtf({overshoot}, settingsAt(64, 64));
    EXPECT_EQ(enhanced.warnings, std::vector<TtfWarning>{TtfWarning::EsfNotMonotonic});
}

TEST(InsertTtf, RefusesWhatItCannotMeasure)
{
    const HuSlice disk = phantom::blurredDisk(Size, Spacing, 64, 64, Radius, 0.45, Contrast);
    const HuSlice flat{Size, Size, std::vector<double>(Size * Size, 5.0)};
    HuSlice smaller = disk;
    smaller.rows = Size / 2;
    smaller.values.resize(Size * Size / 2);
    struct Case {
        std::vector<HuSlice> slices;
        TtfSettings settings;
        std::string message;
    } cases[] = {
        {{}, settingsAt(64, 64), Msg::noSlicesToMeasure},
        {{disk, smaller}, settingsAt(64, 64), Msg::sliceSizesDiffer(Size, Size, Size, Size / 2)},
        {{disk}, {0, 64, 64, 25}, Msg::spacingNotPositive(0)},
        {{disk}, {Spacing, 64, 64, -1}, Msg::insertDiameterNotPositive(-1)},
        {{disk}, settingsAt(-1, 64), Msg::insertCentreOutside(-1, 64)},
        {{disk}, settingsAt(64, 128), Msg::insertCentreOutside(64, 128)},
        {{disk}, {Spacing, 64, 64, 1e9}, Msg::insertLargerThanImage(1e9)},
        {{flat}, settingsAt(64, 64), Msg::insertWithoutContrast},
    };
    for (const Case& c : cases) {
        try {
            measureInsertTtf(c.slices, c.settings);
            ADD_FAILURE() << "no failure for " << c.message;
        } catch (const AppError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

} // namespace
