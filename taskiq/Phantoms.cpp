// The phantoms of known answers and those answers.
#include "Phantoms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The area two disks of radius r share when their centres are u apart.
double lensArea(double r, double u)
{
    if (u >= 2 * r) return 0.0;
    return 2 * r * r * std::acos(u / (2 * r)) - u / 2 * std::sqrt(4 * r * r - u * u);
}

// I₀(z)·exp(−z); beyond z = 500, where I₀ nears the double range, by its asymptotic
// series 1/√(2πz)·(1 + 1/(8z) + 9/(128z²) + 225/(3072z³)), exact there to 1e-12.
double scaledBesselI0(double z)
{
    if (z < 500) return std::cyl_bessel_i(0.0, z) * std::exp(-z);
    const double u = 1 / (8 * z);
    return (1 + u + 4.5 * u * u + 37.5 * u * u * u) / std::sqrt(2 * std::numbers::pi * z);
}

// P(|x + Y| < R) for |x| = r and Y ~ N(0, σ²·I), 1 − Q₁(r/σ, R/σ): the Rice density of
// |x + Y| integrated over 0 to R by Simpson's rule.
double insideProbability(double r, double radius, double sd)
{
    const int intervals = 400;
    const double h = radius / intervals, s2 = sd * sd;
    double sum = 0;
    for (int i = 0; i <= intervals; ++i) {
        const double rho = i * h, z = r * rho / s2;
        const double weight = i == 0 || i == intervals ? 1 : (i % 2 == 1 ? 4 : 2);
        sum += weight * rho / s2 * std::exp(-(r - rho) * (r - rho) / (2 * s2)) * scaledBesselI0(z);
    }
    return std::clamp(sum * h / 3, 0.0, 1.0);
}

} // namespace

TtfCurve gaussianTtf(double blurSdMm)
{
    using std::numbers::pi;
    const double last = std::sqrt(std::log(1e12) / (2 * pi * pi * blurSdMm * blurSdMm));
    const int samples = 2000;
    TtfCurve ttf;
    for (int i = 0; i <= samples; ++i) {
        const double f = last * i / samples;
        ttf.frequencyPerMm.push_back(f);
        ttf.value.push_back(std::exp(-2 * pi * pi * blurSdMm * blurSdMm * f * f));
    }
    return ttf;
}

double gaussianTtfFrequency(double blurSdMm, double level)
{
    return std::sqrt(-std::log(level) / (2 * std::numbers::pi * std::numbers::pi * blurSdMm * blurSdMm));
}

NpsGrid whiteNoiseNps(int size, double pixelSpacingMm, double noiseSdHu)
{
    const double level = noiseSdHu * noiseSdHu * pixelSpacingMm * pixelSpacingMm;
    return {size, pixelSpacingMm, std::vector<double>(static_cast<size_t>(size) * static_cast<size_t>(size), level)};
}

double blurredDiskNpwDprime(const DiskTask& flatTask, double blurSdMm, double noiseSdHu, double pixelSpacingMm)
{
    // The shift |Z| follows a Rayleigh law of scale s = √2·σ_b; Simpson's rule over 0 to
    // D, where the lens vanishes.
    const double r = flatTask.diameterMm / 2;
    const double s2 = 2 * blurSdMm * blurSdMm;
    const int intervals = 4000;
    const double h = 2 * r / intervals;
    double sum = 0;
    for (int i = 0; i <= intervals; ++i) {
        const double u = i * h;
        const double weight = i == 0 || i == intervals ? 1 : (i % 2 == 1 ? 4 : 2);
        sum += weight * u / s2 * std::exp(-u * u / (2 * s2)) * lensArea(r, u);
    }
    const double overlap = sum * h / 3;
    const double c = flatTask.contrastHu;
    return std::sqrt(c * c / (noiseSdHu * noiseSdHu * pixelSpacingMm * pixelSpacingMm) * overlap);
}

HuSlice blurredDiskSlice(int32_t size, double pixelSpacingMm, double diameterMm, double contrastHu, double blurSdMm)
{
    // The edge tabulated every 0.005 mm over ±7 σ_b (beyond it the disk is 1 or 0 to
    // 1e-11) and read linearly: a few hundred integrals instead of one per pixel.
    const double radius = diameterMm / 2, reach = 7 * blurSdMm, step = 0.005;
    const double from = std::max(0.0, radius - reach);
    const auto steps = static_cast<size_t>(std::ceil((radius + reach - from) / step));
    std::vector<double> edge(steps + 1);
    for (size_t k = 0; k <= steps; ++k) edge[k] = insideProbability(from + k * step, radius, blurSdMm);

    HuSlice slice = uniformSlice(size);
    const double centre = size / 2;
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) {
            const double at = (std::hypot(x - centre, y - centre) * pixelSpacingMm - from) / step;
            double p = at < 0 ? 1.0 : 0.0;
            if (at >= 0 && at < static_cast<double>(steps)) {
                const auto k = static_cast<size_t>(at);
                p = edge[k] + (at - static_cast<double>(k)) * (edge[k + 1] - edge[k]);
            }
            slice.values[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] = contrastHu * p;
        }
    return slice;
}

HuSlice uniformSlice(int32_t size)
{
    return {size, size, std::vector<double>(static_cast<size_t>(size) * static_cast<size_t>(size), 0.0)};
}

void addNoiseAndRound(HuSlice& slice, double noiseSdHu, std::mt19937_64& random)
{
    std::normal_distribution<double> noise(0, noiseSdHu);
    for (double& v : slice.values) v = std::nearbyint(v + noise(random));
}

double sensitivityProfileLift(double fwhmMm, double contrastHu, double zMm)
{
    const double sigma = fwhmMm / (2 * std::sqrt(2 * std::log(2.0)));
    return contrastHu * std::exp(-zMm * zMm / (2 * sigma * sigma));
}

std::vector<uint16_t> sampleSlicePixels(int size, double noiseSdHu, int insert, double liftHu, std::mt19937& random)
{
    std::normal_distribution<double> noise(0, noiseSdHu);
    std::vector<uint16_t> pixels(static_cast<size_t>(size) * static_cast<size_t>(size));
    const int c = size / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool inside = std::abs(x - c) < insert && std::abs(y - c) < insert;
            const double hu = (inside ? liftHu : 0) + noise(random);
            pixels[static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)] =
                static_cast<uint16_t>(std::lround(std::clamp(hu + 1024, 0.0, 65535.0)));
        }
    return pixels;
}
