#include "Detectability.h"
#include "Phantoms.h"

#include "ErrorMessage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using std::numbers::pi;

DiskTask flatDisk(double diameter, double contrast) { return {diameter, contrast, DiskTask::Profile::flat, 1.0}; }
DiskTask designerDisk(double diameter, double contrast, double n)
{
    return {diameter, contrast, DiskTask::Profile::designer, n};
}

// E ≡ 1: the eye filter's exponent and coefficient 0.
EyeFilter flatEye()
{
    EyeFilter eye;
    eye.exponent = 0;
    eye.coefficient = 0;
    return eye;
}

// An NPS of the given radial shape on an N x N grid, zero frequency in the middle.
NpsGrid npsOf(int size, double spacing, const std::function<double(double)>& shape)
{
    NpsGrid nps{size, spacing, {}};
    const double df = 1.0 / (size * spacing);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double fx = (x - size / 2) * df;
            const double fy = (y - size / 2) * df;
            nps.values.push_back(shape(std::hypot(fx, fy)));
        }
    return nps;
}

// A CT-like coloured NPS: a ramp rolled off by the kernel, above a small floor.
double rampNps(double f) { return 0.5 + 80 * f * std::exp(-f * f / 0.18); }

// The Hankel transform 2π∫₀^R c(r)·J0(2πfr)·r dr by Simpson's rule.
double hankel(const std::function<double(double)>& profile, double radius, double f)
{
    const int intervals = 20000;
    const double h = radius / intervals;
    double sum = 0;
    for (int i = 0; i <= intervals; ++i) {
        const double r = i * h;
        const double weight = i == 0 || i == intervals ? 1 : (i % 2 == 1 ? 4 : 2);
        sum += weight * profile(r) * std::cyl_bessel_j(0.0, 2 * pi * f * r) * r;
    }
    return 2 * pi * sum * h / 3;
}

TEST(TaskSpectrum, IsTheHankelTransformOfTheProfile)
{
    struct Case {
        DiskTask task;
        double frequency;
    };
    const Case cases[] = {
        {flatDisk(5, 10), 0.0},         {flatDisk(5, 10), 0.05},          {flatDisk(5, 10), 0.37},
        {flatDisk(10, -4), 1.3},        {designerDisk(5, 10, 1), 0.0},    {designerDisk(5, 10, 1), 0.21},
        {designerDisk(5, 10, 2), 0.6},  {designerDisk(8, 20, 1.5), 0.13}, {designerDisk(8, 20, 1.5), 1.1},
        {designerDisk(3, 50, 40), 0.9},
    };
    for (const Case& c : cases) {
        const double r = c.task.diameterMm / 2;
        const double n = c.task.profile == DiskTask::Profile::designer ? c.task.designerExponent : 0.0;
        const auto profile = [&](double x) { return c.task.contrastHu * std::pow(1 - x * x / (r * r), n); };
        const double atZero = c.task.contrastHu * pi * r * r / (n + 1); // the profile's volume
        EXPECT_NEAR(taskSpectrum(c.task, c.frequency), hankel(profile, r, c.frequency), 1e-6 * std::abs(atZero))
            << c.task.diameterMm << " mm, n " << n << ", f " << c.frequency;
    }
    // The flat disk's first zero lies at j₁,₁/(πD).
    EXPECT_NEAR(taskSpectrum(flatDisk(5, 10), 3.8317059702075125 / (pi * 5)), 0.0, 1e-12);
}

TEST(EyeFilter, FrequencyIsSeenInCyclesPerDegreeAndPeaksWhereItsSlopeVanishes)
{
    EyeFilter eye;
    // One degree at 400 mm spans 400·π/180 mm; a display magnified twice halves the frequency.
    EXPECT_NEAR(cyclesPerDegree(eye, 1.0), 400 * pi / 180, 1e-12);
    eye.magnification = 2;
    eye.viewingDistanceMm = 800;
    EXPECT_NEAR(cyclesPerDegree(eye, 0.5), 400 * pi / 180 / 2, 1e-12);

    // ρⁿ·exp(−c·ρ^γ) peaks at ρ* = (n/(c·γ))^(1/γ).
    const EyeFilter standard;
    const double peak = std::pow(1.5 / (3.22 * 0.68), 1 / 0.68) / cyclesPerDegree(standard, 1.0);
    EXPECT_GT(eyeResponse(standard, peak), eyeResponse(standard, peak * 0.99));
    EXPECT_GT(eyeResponse(standard, peak), eyeResponse(standard, peak * 1.01));
    EXPECT_EQ(eyeResponse(standard, 0.0), 0.0);
    EXPECT_EQ(eyeResponse(flatEye(), 0.0), 1.0);
    EXPECT_EQ(eyeResponse(flatEye(), 3.0), 1.0);
}

TEST(TtfCurve, IsReadLinearlyHeldBelowItsFirstSampleAndZeroPastItsLast)
{
    const TtfCurve ttf{{0.1, 0.3, 0.5}, {1.0, 0.6, 0.2}};
    const std::pair<double, double> cases[] = {{0.0, 1.0},  {0.1, 1.0}, {0.2, 0.8},    {0.3, 0.6},
                                               {0.45, 0.3}, {0.5, 0.2}, {0.5001, 0.0}, {9.0, 0.0}};
    for (const auto& [f, expected] : cases) EXPECT_NEAR(ttfAt(ttf, f), expected, 1e-12) << f;
    EXPECT_EQ(ttfAt(TtfCurve{{0.0}, {0.9}}, 0.0), 0.9);
}

// The figures: NPW with white noise of 10 HU at 0.5 mm, a flat disk of 10 mm
// and 10 HU, and a Gaussian TTF.
TEST(Detectability, NpwOfABlurredDiskInWhiteNoiseIsTheClosedForm)
{
    const std::pair<double, double> cases[] = {{0.5, 16.697}, {1.0, 15.620}};
    for (const auto& [blur, expected] : cases) {
        const DiskTask task = flatDisk(10, 10);
        EXPECT_NEAR(blurredDiskNpwDprime(task, blur, 10, 0.5), expected, 0.0005 * expected) << blur;
        const double d = detectability(task, EyeFilter{}, gaussianTtf(blur), whiteNoiseNps(64, 0.5, 10)).npw;
        EXPECT_NEAR(d, expected, 0.005 * expected) << blur;
        EXPECT_NEAR(d, blurredDiskNpwDprime(task, blur, 10, 0.5), 0.005 * expected) << blur;
    }
    // A smaller disk, a finer grid and stronger noise follow the same closed form.
    const DiskTask small = flatDisk(3, 25);
    const double d = detectability(small, EyeFilter{}, gaussianTtf(0.4), whiteNoiseNps(128, 0.3, 18)).npw;
    EXPECT_NEAR(d, blurredDiskNpwDprime(small, 0.4, 18, 0.3), 0.005 * d);
}

// Without blur, Parseval gives the designer disk's d′² = C²·πR²/(2n+1)/(σ²Δ²).
TEST(Detectability, NpwOfAnUnblurredDesignerDiskIsItsEnergyOverTheNoise)
{
    const TtfCurve noBlur{{0.0, 10.0}, {1.0, 1.0}};
    for (const double n : {1.0, 2.0, 3.5}) {
        const double d = detectability(designerDisk(10, 10, n), EyeFilter{}, noBlur, whiteNoiseNps(64, 0.5, 10)).npw;
        const double expected = std::sqrt(100 * pi * 25 / (2 * n + 1) / (100 * 0.25));
        EXPECT_NEAR(d, expected, 0.005 * expected) << n;
    }
}

// Each NPS value weighs the blurred task at its own frequency: more noise at zero
// frequency only, where |W|²·TTF² = (C·πR²)², lowers d′ by exactly that weight.
TEST(Detectability, ReadsTheNpsWithZeroFrequencyInTheMiddle)
{
    const DiskTask task = flatDisk(10, 10);
    const TtfCurve ttf = gaussianTtf(0.5);
    NpsGrid nps = whiteNoiseNps(64, 0.5, 10);
    const double white = detectability(task, EyeFilter{}, ttf, nps).npw;
    const double df = 1 / (64 * 0.5), level = 25, extra = 4e4;
    const double signal = white * white * level / (df * df); // Σ|W|²·TTF² over the grid
    const double atZero = std::pow(10 * pi * 25, 2);
    nps.values[32 * 64 + 32] += extra;
    EXPECT_NEAR(detectability(task, EyeFilter{}, ttf, nps).npw,
                std::sqrt(signal * signal * df * df / (level * signal + atZero * extra)), 1e-9 * white);
}

TEST(Detectability, ScalesWithContrastAndInverselyWithNoiseSd)
{
    const TtfCurve ttf = gaussianTtf(0.6);
    const NpsGrid nps = npsOf(64, 0.5, rampNps);
    const Detectability base = detectability(designerDisk(6, 12, 1), EyeFilter{}, ttf, nps);
    for (const double k : {0.01, 3.0, -7.5, 1e4}) {
        const Detectability stronger = detectability(designerDisk(6, 12 * k, 1), EyeFilter{}, ttf, nps);
        EXPECT_NEAR(stronger.npw / base.npw, std::abs(k), 1e-9 * std::abs(k));
        EXPECT_NEAR(stronger.npwe / base.npwe, std::abs(k), 1e-9 * std::abs(k));

        // σ → k·σ multiplies the NPS by k².
        NpsGrid noisier = nps;
        for (double& v : noisier.values) v *= k * k;
        const Detectability quieter = detectability(designerDisk(6, 12, 1), EyeFilter{}, ttf, noisier);
        EXPECT_NEAR(quieter.npw * std::abs(k) / base.npw, 1.0, 1e-9);
        EXPECT_NEAR(quieter.npwe * std::abs(k) / base.npwe, 1.0, 1e-9);
    }
    EXPECT_EQ(detectability(flatDisk(6, 0), EyeFilter{}, ttf, nps).npw, 0.0);
}

TEST(Detectability, DoesNotDependOnTheNpsGridSize)
{
    const TtfCurve ttf = gaussianTtf(0.5);
    for (const DiskTask& task : {flatDisk(10, 10), flatDisk(2, 10), designerDisk(5, 10, 1)}) {
        for (const auto& shape : {std::function<double(double)>([](double) { return 25.0; }), {rampNps}}) {
            const Detectability small = detectability(task, EyeFilter{}, ttf, npsOf(64, 0.5, shape));
            const Detectability large = detectability(task, EyeFilter{}, ttf, npsOf(128, 0.5, shape));
            EXPECT_NEAR(large.npw / small.npw, 1.0, 0.01) << task.diameterMm;
            EXPECT_NEAR(large.npwe / small.npwe, 1.0, 0.01) << task.diameterMm;
        }
    }
}

TEST(Detectability, NpweWithoutEyeFilterIsNpwAndItsInternalNoiseAddsToTheNps)
{
    const TtfCurve ttf = gaussianTtf(0.7);
    for (const DiskTask& task : {flatDisk(5, 10), designerDisk(8, 30, 2)}) {
        const Detectability d = detectability(task, flatEye(), ttf, npsOf(64, 0.5, rampNps));
        EXPECT_NEAR(d.npwe, d.npw, 1e-9 * d.npw);

        // With E ≡ 1 and white noise, Nᵢ acts as more white noise: d′ ∝ 1/√(σ²Δ² + Nᵢ).
        EyeFilter noisyEye = flatEye();
        noisyEye.internalNoise = 75;
        const Detectability withNoise = detectability(task, noisyEye, ttf, whiteNoiseNps(64, 0.5, 10));
        EXPECT_NEAR(withNoise.npwe, withNoise.npw * std::sqrt(25.0 / 100.0), 1e-9 * withNoise.npw);
    }
    // The standard eye filter weighs the frequencies: NPWE differs from NPW.
    const Detectability eyed = detectability(flatDisk(5, 10), EyeFilter{}, ttf, npsOf(64, 0.5, rampNps));
    EXPECT_GT(std::abs(eyed.npwe / eyed.npw - 1), 0.01);
}

TEST(Detectability, TableHoldsTheTaskAtEachDiameter)
{
    const DiskTask task = flatDisk(5, 10);
    const auto rows = detectabilityByDiameter(task, EyeFilter{}, gaussianTtf(0.5), whiteNoiseNps(64, 0.5, 10));
    ASSERT_EQ(rows.size(), 5u);
    const double diameters[] = {1, 2, 3, 5, 10};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].diameterMm, diameters[i]);
        EXPECT_NEAR(rows[i].d.npw, blurredDiskNpwDprime(flatDisk(diameters[i], 10), 0.5, 10, 0.5),
                    0.005 * rows[i].d.npw);
    }
}

TEST(Detectability, RefusesInputsThatDescribeNoTaskFilterTtfOrNps)
{
    struct Case {
        std::function<void(DiskTask&, EyeFilter&, TtfCurve&, NpsGrid&)> change;
        std::string message;
    };
    const Case cases[] = {
        {[](DiskTask& t, auto&, auto&, auto&) { t.diameterMm = 0; }, "Diameter (mm) must be greater than 0, not 0"},
        {[](DiskTask& t, auto&, auto&, auto&) { t.contrastHu = NAN; }, "Contrast (HU) must be a finite number"},
        {[](DiskTask& t, auto&, auto&, auto&) {
             t.profile = DiskTask::Profile::designer;
             t.designerExponent = -1;
         },
         "Designer exponent n must not be negative, not -1"},
        {[](auto&, EyeFilter& e, auto&, auto&) { e.exponent = -0.5; }, "Eye filter n must not be negative, not -0.5"},
        {[](auto&, EyeFilter& e, auto&, auto&) { e.coefficient = INFINITY; }, "Eye filter c must be a finite number"},
        {[](auto&, EyeFilter& e, auto&, auto&) { e.viewingDistanceMm = -400; },
         "Viewing distance (mm) must be greater than 0, not -400"},
        {[](auto&, EyeFilter& e, auto&, auto&) { e.magnification = 0; },
         "Display magnification must be greater than 0, not 0"},
        {[](auto&, EyeFilter& e, auto&, auto&) { e.internalNoise = -1; },
         "Internal noise Nᵢ (HU²·mm²) must not be negative, not -1"},
        {[](auto&, auto&, TtfCurve& t, auto&) { t = {}; }, Msg::ttfSamples},
        {[](auto&, auto&, TtfCurve& t, auto&) { t.value.pop_back(); }, Msg::ttfSamples},
        {[](auto&, auto&, TtfCurve& t, auto&) {
             t = {{0.0, 0.5, 0.5}, {1, 0.5, 0.1}};
         },
         Msg::ttfSamples},
        {[](auto&, auto&, TtfCurve& t, auto&) {
             t = {{-0.1, 0.5}, {1, 0.5}};
         },
         Msg::ttfSamples},
        {[](auto&, auto&, TtfCurve& t, auto&) { t.value[3] = NAN; }, "TTF value must be a finite number"},
        {[](auto&, auto&, auto&, NpsGrid& n) { n.values.pop_back(); },
         "An NPS grid of N x N values needs N of 2 or more and N*N values; N is 64 and it holds 4095"},
        {[](auto&, auto&, auto&, NpsGrid& n) {
             n = {1, 0.5, {25}};
         },
         "An NPS grid of N x N values needs N of 2 or more and N*N values; N is 1 and it holds 1"},
        {[](auto&, auto&, auto&, NpsGrid& n) { n.pixelSpacingMm = 0; },
         "NPS pixel spacing (mm) must be greater than 0, not 0"},
        {[](auto&, auto&, auto&, NpsGrid& n) { n.values[77] = -2; }, "NPS value must not be negative, not -2"},
        {[](auto&, auto&, auto&, NpsGrid& n) { n.values.assign(n.values.size(), 0.0); },
         "d′ NPW has no bound: the NPS is zero wherever the blurred task has signal"},
    };
    for (const Case& c : cases) {
        DiskTask task = flatDisk(5, 10);
        EyeFilter eye;
        TtfCurve ttf = gaussianTtf(0.5);
        NpsGrid nps = whiteNoiseNps(64, 0.5, 10);
        c.change(task, eye, ttf, nps);
        EXPECT_EQ(errorMessageOf([&] { detectability(task, eye, ttf, nps); }), c.message);
    }
}

} // namespace
