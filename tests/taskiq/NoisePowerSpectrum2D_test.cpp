// The 2-D NPS against noise whose spectrum is known: white, filtered by a known |H|^2,
// a sinusoid, and Parseval's theorem on the detrended ROIs.
#include "NoisePowerSpectrum2D.h"

#include "AppError.h"
#include "TaskIqPhantoms.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double Spacing = 0.5, Sd = 10;

NpsSettings wholeSlice(int32_t size, int32_t roi = 64, NpsDetrend detrend = NpsDetrend::Poly2)
{
    return {Spacing, {0, 0, size, size}, roi, detrend};
}

std::vector<HuSlice> whiteSlices(int count, int32_t size, uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::vector<HuSlice> slices;
    for (int i = 0; i < count; ++i) slices.push_back(phantom::whiteNoise(size, Sd, random));
    return slices;
}

TEST(Nps2D, WhiteNoiseIsFlatAtSigmaSquaredTimesThePixelArea)
{
    const NpsResult r = measureNps2D(whiteSlices(5, 256, 1), wholeSlice(256));
    EXPECT_EQ(r.roiCount, 5u * 7 * 7); // ROIs every 32 pixels along 256
    EXPECT_EQ(r.size, 64);
    EXPECT_DOUBLE_EQ(r.frequencyStep, 1 / 32.0);
    ASSERT_EQ(r.values.size(), 64u * 64);
    const double level = Sd * Sd * Spacing * Spacing;
    double sum = 0;
    for (double v : r.values) sum += v;
    EXPECT_NEAR(sum / static_cast<double>(r.values.size()), level, 0.01 * level);
    ASSERT_EQ(r.radial.size(), 33u);
    EXPECT_NEAR(r.radial.back().frequency, 1.0, 0.001); // the Nyquist frequency of 0.5 mm
    EXPECT_EQ(r.radial.front().frequency, 0);
    for (size_t j = 3; j < r.radial.size(); ++j) EXPECT_NEAR(r.radial[j].value, level, 0.1 * level) << j;
    EXPECT_NEAR(r.noise, Sd, 0.01 * Sd);
    EXPECT_NEAR(r.meanRoiSd, Sd, 0.01 * Sd);
}

// The detrended ROIs' mean variance, computed apart from the measurement: a least-squares
// fit by the normal equations in long double.
double meanDetrendedVariance(const std::vector<HuSlice>& slices, const std::vector<std::array<int, 2>>& corners, int n,
                             bool poly2)
{
    const int terms = poly2 ? 6 : 1;
    const auto basis = [](int t, double x, double y) {
        const double values[] = {1, x, y, x * x, x * y, y * y};
        return values[t];
    };
    long double total = 0;
    size_t count = 0;
    for (const HuSlice& s : slices)
        for (const auto& c : corners) {
            long double a[6][7] = {};
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) {
                    const double v = s.at(c[0] + x, c[1] + y);
                    for (int i = 0; i < terms; ++i) {
                        for (int j = 0; j < terms; ++j) a[i][j] += basis(i, x, y) * basis(j, x, y);
                        a[i][terms] += basis(i, x, y) * v;
                    }
                }
            for (int i = 0; i < terms; ++i) // Gauss-Jordan without pivoting: the matrix is positive definite
                for (int k = 0; k < terms; ++k)
                    if (k != i) {
                        const long double f = a[k][i] / a[i][i];
                        for (int j = 0; j <= terms; ++j) a[k][j] -= f * a[i][j];
                    }
            long double squares = 0;
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) {
                    long double fit = 0;
                    for (int i = 0; i < terms; ++i) fit += a[i][terms] / a[i][i] * basis(i, x, y);
                    squares += std::pow(s.at(c[0] + x, c[1] + y) - fit, 2);
                }
            total += squares / (n * n);
            ++count;
        }
    return static_cast<double>(total / count);
}

TEST(Nps2D, TheIntegralIsTheMeanVarianceOfTheDetrendedRois)
{
    // Noise on a tilted, curved background, in a frame of 3 x 2 ROIs of 32.
    std::vector<HuSlice> slices = whiteSlices(2, 160, 2);
    for (HuSlice& s : slices)
        for (int32_t y = 0; y < s.rows; ++y)
            for (int32_t x = 0; x < s.columns; ++x)
                s.values[static_cast<size_t>(y * s.columns + x)] += 40 + 0.3 * x - 0.2 * y + 0.004 * x * y;
    const std::vector<std::array<int, 2>> corners{{20, 30}, {36, 30}, {52, 30}, {20, 46}, {36, 46}, {52, 46}};
    for (NpsDetrend detrend : {NpsDetrend::Poly2, NpsDetrend::Mean}) {
        const NpsResult r = measureNps2D(slices, {Spacing, {20, 30, 64, 48}, 32, detrend});
        ASSERT_EQ(r.roiCount, 12u);
        const double variance = meanDetrendedVariance(slices, corners, 32, detrend == NpsDetrend::Poly2);
        EXPECT_NEAR(r.noise * r.noise, variance, 1e-9 * variance);
    }
}

TEST(Nps2D, FilteredNoiseFollowsItsFilter)
{
    // |H(f)|^2 = f exp(-a f^2): the NPS peaks at 1 / sqrt(2 a).
    const double a = 4;
    const auto nps = [&](double f) { return Sd * Sd * Spacing * Spacing * f * std::exp(-a * f * f); };
    std::mt19937_64 random(3);
    const std::vector<HuSlice> slices = phantom::filteredNoise(
        16, 1024, Spacing, Sd, [&](double f) { return std::sqrt(f) * std::exp(-a * f * f / 2); }, random);
    const NpsResult r = measureNps2D(slices, wholeSlice(1024));
    EXPECT_EQ(r.roiCount, 16u * 31 * 31);
    const double nyquist = 1 / (2 * Spacing);
    for (size_t j = 3; j < r.radial.size(); ++j) {
        const RadialNpsSample& s = r.radial[j];
        if (s.frequency > 0.9 * nyquist) break;
        EXPECT_NEAR(s.value, nps(s.frequency), 0.05 * nps(s.frequency)) << s.frequency;
    }
    // The average frequency of the radial NPS up to the Nyquist frequency, by a fine sum.
    long double moment = 0, area = 0;
    for (int i = 0; i < 100000; ++i) {
        const double f = (i + 0.5) * nyquist / 100000;
        moment += f * nps(f);
        area += nps(f);
    }
    const double average = static_cast<double>(moment / area);
    EXPECT_NEAR(r.fAverage, average, 0.02 * average);

    // The peak is broad: one step of 1/32 mm^-1 away from it the NPS is 0.8 % lower, so
    // that on these rings the rings' noise moves the parabola's top by a percent. Rings
    // twice as wide (ROIs of 32) are four times as curved there and place it closer.
    const double peak = 1 / std::sqrt(2 * a);
    EXPECT_NEAR(r.fPeak, peak, 0.03 * peak);
    const NpsResult coarse = measureNps2D(slices, wholeSlice(1024, 32));
    EXPECT_NEAR(coarse.fPeak, peak, 0.02 * peak);
}

TEST(Nps2D, ASinusoidIsFoundAtItsFrequency)
{
    for (double degrees : {0.0, 30.0, 90.0}) {
        std::mt19937_64 random(4);
        std::vector<HuSlice> slices = whiteSlices(2, 128, 4);
        const double angle = degrees * std::numbers::pi / 180, f = 0.5;
        for (HuSlice& s : slices)
            for (int32_t y = 0; y < s.rows; ++y)
                for (int32_t x = 0; x < s.columns; ++x)
                    s.values[static_cast<size_t>(y * s.columns + x)] +=
                        50 * std::sin(2 * std::numbers::pi * f * Spacing * (x * std::cos(angle) + y * std::sin(angle)));
        const NpsResult r = measureNps2D(slices, wholeSlice(128));
        EXPECT_NEAR(r.fPeak, f, r.frequencyStep) << degrees;
    }
}

TEST(Nps2D, TheDifferenceOfTwoSeriesCancelsTheirCommonStructure)
{
    std::vector<HuSlice> first = whiteSlices(4, 256, 5), second = whiteSlices(4, 256, 6);
    for (std::vector<HuSlice>* series : {&first, &second})
        for (HuSlice& s : *series)
            for (int32_t y = 0; y < s.rows; ++y)
                for (int32_t x = 0; x < s.columns; ++x)
                    s.values[static_cast<size_t>(y * s.columns + x)] += 30 * std::cos(0.9 * x) * std::sin(0.4 * y);
    const NpsResult r = measureNps2DDifference(first, second, wholeSlice(256));
    EXPECT_TRUE(r.difference);
    EXPECT_NEAR(r.noise, Sd, 0.01 * Sd);
    EXPECT_NEAR(r.meanRoiSd, Sd, 0.01 * Sd);
    EXPECT_GT(measureNps2D(first, wholeSlice(256)).noise, 1.5 * Sd); // the structure, without the difference
}

TEST(Nps2D, RefusesWhatItCannotMeasure)
{
    const std::vector<HuSlice> slices = whiteSlices(1, 128, 7);
    struct Case {
        NpsSettings settings;
        std::string message;
    } cases[] = {
        {{Spacing, {0, 0, 128, 128}, 48, NpsDetrend::Poly2}, Msg::npsRoiSize(48)},
        {{Spacing, {0, 0, 128, 128}, 4, NpsDetrend::Poly2}, Msg::npsRoiSize(4)},
        {{Spacing, {0, 0, 128, 128}, 2048, NpsDetrend::Poly2}, Msg::npsRoiSize(2048)},
        {{Spacing, {100, 0, 64, 64}, 64, NpsDetrend::Poly2}, Msg::npsFrameOutside},
        {{Spacing, {-1, 0, 64, 64}, 64, NpsDetrend::Poly2}, Msg::npsFrameOutside},
        {{Spacing, {0, 0, 63, 100}, 64, NpsDetrend::Poly2}, Msg::npsFrameHoldsNoRoi(63, 100, 64)},
        {{-0.5, {0, 0, 64, 64}, 64, NpsDetrend::Poly2}, Msg::spacingNotPositive(-0.5)},
    };
    for (const Case& c : cases) {
        try {
            measureNps2D(slices, c.settings);
            ADD_FAILURE() << "no failure for " << c.message;
        } catch (const AppError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    try {
        measureNps2DDifference(slices, whiteSlices(2, 128, 8), wholeSlice(128));
        ADD_FAILURE() << "two series of different lengths";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), Msg::differenceSeriesCounts(1, 2));
    }
}

} // namespace
