#include "FFT.h"

#include "AppError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <vector>

namespace {

std::unique_ptr<FftArrays> transformed(const std::vector<double>& x)
{
    auto a = std::make_unique<FftArrays>();
    for (size_t n = 0; n < x.size(); ++n) a->FftRe[n] = x[n];
    a->PointCount = static_cast<int32_t>(x.size());
    FFT(*a);
    return a;
}

double magnitude(const FftArrays& a, int k) { return std::hypot(a.FftRe[k], a.FftIm[k]); }

} // namespace

TEST(FFT, UnitImpulseGivesOnesAndConstantGivesOnlyDc)
{
    const auto impulse = transformed({1, 0, 0, 0, 0, 0, 0, 0});
    for (int k = 0; k < 8; ++k) {
        EXPECT_DOUBLE_EQ(impulse->FftRe[k], 1.0) << k;
        EXPECT_DOUBLE_EQ(impulse->FftIm[k], 0.0) << k;
    }
    const auto constant = transformed(std::vector<double>(8, 1.0));
    EXPECT_DOUBLE_EQ(constant->FftRe[0], 8.0);
    for (int k = 1; k < 8; ++k) EXPECT_NEAR(magnitude(*constant, k), 0.0, 1e-12) << k;
}

TEST(FFT, TwoPointsIsSumAndDifference)
{
    const auto a = transformed({3, 5});
    EXPECT_EQ(a->FftRe[0], 8.0);
    EXPECT_EQ(a->FftRe[1], -2.0);
    EXPECT_EQ(a->FftIm[0], 0.0);
    EXPECT_EQ(a->FftIm[1], 0.0);
}

// The twiddle step 6.283184/N is a little short of 2*pi/N, which the cosine shows.
TEST(FFT, CosineOfSixteenShowsTheShortAngleStep)
{
    std::vector<double> x(16);
    for (int n = 0; n < 16; ++n) x[n] = std::cos(2 * std::numbers::pi * n / 16);
    const auto a = transformed(x);
    EXPECT_EQ(std::round(magnitude(*a, 1) * 1e6) / 1e6, 7.999999);
    EXPECT_EQ(std::round(magnitude(*a, 15) * 1e6) / 1e6, 8.000001);
    for (int k = 2; k < 15; ++k) EXPECT_LT(magnitude(*a, k), 4e-6) << k;
    EXPECT_LT(magnitude(*a, 0), 4e-6);
}

TEST(FFT, MatchesTheDirectTransformForEveryLength)
{
    for (int n = 2; n <= 1024; n *= 2) {
        std::vector<double> x(n);
        for (int i = 0; i < n; ++i) x[i] = std::sin(0.37 * i * i + 1.0) + 0.1 * i;
        const auto a = transformed(x);
        double worst = 0, scale = 0;
        for (int k = 0; k < n; ++k) {
            std::complex<double> sum = 0;
            for (int i = 0; i < n; ++i) sum += x[i] * std::polar(1.0, -2 * std::numbers::pi * k * i / n);
            worst = std::max(worst, std::abs(sum - std::complex<double>(a->FftRe[k], a->FftIm[k])));
            scale = std::max(scale, std::abs(sum));
        }
        EXPECT_LT(worst / scale, 5e-6) << n;
    }
}

TEST(FFT, TablesKeptFromAnotherLengthGiveTheSameResult)
{
    std::vector<double> x(64);
    for (int i = 0; i < 64; ++i) x[i] = std::cos(0.9 * i) * i;
    const auto fresh = transformed(x);

    auto reused = std::make_unique<FftArrays>();
    reused->PointCount = 32;
    FFT(*reused);
    reused->FftRe.fill(0);
    reused->FftIm.fill(0);
    for (int i = 0; i < 64; ++i) reused->FftRe[i] = x[i];
    reused->PointCount = 64;
    FFT(*reused);
    EXPECT_EQ(reused->FftRe, fresh->FftRe);
    EXPECT_EQ(reused->FftIm, fresh->FftIm);
}

TEST(FFT, RefusesLengthsTheArraysCannotServe)
{
    for (int n : {0, 1, 3, 12, 2048, -4}) {
        auto a = std::make_unique<FftArrays>();
        a->PointCount = n;
        EXPECT_THROW(FFT(*a), AppError) << n;
    }
}
