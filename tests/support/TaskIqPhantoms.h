#pragma once
// Phantoms whose TTF and NPS are known in closed form, sampled at the pixel centres:
// a disk blurred by a Gaussian, white noise, and noise filtered by a known |H|^2.
#include "FFT.h"
#include "HuSlice.h"

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <random>

namespace phantom {

// P(|x + Z| < R) for |x| = r and Z ~ N(0, s^2 I), integrated over the direction of Z
// seen from x: along a ray, the chance of Z lying closer than t is 1 - exp(-t^2 / 2 s^2).
// Inside the disk the ray leaves the circle once; outside it crosses it between t1 and
// t2 within the angle asin(R / r) of the centre, where the substitution theta = alpha
// sin(phi) smooths the square-root ends. Accurate to better than 1e-9.
inline double diskProbability(double r, double radius, double sigma)
{
    constexpr int Steps = 1024;
    const double pi = std::numbers::pi, twoS2 = 2 * sigma * sigma;
    if (r <= radius - 9 * sigma) return 1;
    if (r >= radius + 9 * sigma) return 0;
    double sum = 0;
    if (r <= radius) {
        for (int i = 0; i < Steps; ++i) {
            const double theta = 2 * pi * i / Steps, sine = std::sin(theta);
            const double t = -r * std::cos(theta) + std::sqrt(radius * radius - r * r * sine * sine);
            sum += 1 - std::exp(-t * t / twoS2);
        }
        return sum / Steps;
    }
    const double alpha = std::asin(radius / r);
    for (int i = 0; i < Steps; ++i) { // midpoint rule in phi over (-pi/2, pi/2)
        const double phi = -pi / 2 + pi * (i + 0.5) / Steps;
        const double theta = alpha * std::sin(phi); // off the direction towards the centre
        const double along = r * std::cos(theta),
                     root = std::sqrt(std::max(0.0, radius * radius - std::pow(r * std::sin(theta), 2)));
        const double t1 = along - root, t2 = along + root;
        sum += (std::exp(-t1 * t1 / twoS2) - std::exp(-t2 * t2 / twoS2)) * alpha * std::cos(phi) * (pi / Steps);
    }
    return sum / (2 * pi);
}

// A slice of the given size holding value(distance in mm from (cx, cy) in pixels).
inline HuSlice radialSlice(int32_t size, double spacing, double cx, double cy,
                           const std::function<double(double)>& value)
{
    HuSlice s{size, size, std::vector<double>(static_cast<size_t>(size) * static_cast<size_t>(size))};
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x)
            s.values[static_cast<size_t>(y * size + x)] = value(std::hypot(x - cx, y - cy) * spacing);
    return s;
}

inline HuSlice blurredDisk(int32_t size, double spacing, double cx, double cy, double radius, double sigma,
                           double contrast, double background = 0)
{
    return radialSlice(size, spacing, cx, cy,
                       [&](double r) { return background + contrast * diskProbability(r, radius, sigma); });
}

inline void addWhiteNoise(HuSlice& s, double sd, std::mt19937_64& random)
{
    std::normal_distribution<double> noise(0, sd);
    for (double& v : s.values) v += noise(random);
}

inline HuSlice whiteNoise(int32_t size, double sd, std::mt19937_64& random)
{
    HuSlice s{size, size, std::vector<double>(static_cast<size_t>(size) * static_cast<size_t>(size), 0.0)};
    addWhiteNoise(s, sd, random);
    return s;
}

// The exact 2-D DFT of a size x size complex field in place: the rows transformed, the
// field transposed, and again (whole rows keep the transform in the cache). The inverse
// by conjugating before and after, scaled by 1 / size^2.
inline void transform2D(std::vector<double>& re, std::vector<double>& im, int32_t size, bool inverse)
{
    auto fft = std::make_unique<FftArrays>();
    fft->PointCount = size;
    fft->fullTurn = 2 * std::numbers::pi;
    const auto n = static_cast<size_t>(size);
    const double sign = inverse ? -1 : 1;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t row = 0; row < n; ++row) {
            for (size_t k = 0; k < n; ++k) {
                fft->FftRe[k] = re[row * n + k];
                fft->FftIm[k] = sign * im[row * n + k];
            }
            FFT(*fft);
            for (size_t k = 0; k < n; ++k) {
                re[row * n + k] = fft->FftRe[k];
                im[row * n + k] = sign * fft->FftIm[k];
            }
        }
        for (size_t row = 0; row < n; ++row)
            for (size_t column = row + 1; column < n; ++column) {
                std::swap(re[row * n + column], re[column * n + row]);
                std::swap(im[row * n + column], im[column * n + row]);
            }
    }
    if (inverse)
        for (size_t k = 0; k < n * n; ++k) {
            re[k] /= double(n * n);
            im[k] /= double(n * n);
        }
}

// Slices of white noise of SD sd filtered by H(f), f the radial frequency in mm^-1 on
// the slice's own frequency grid, so that their NPS is sd^2 spacing^2 |H(f)|^2. H is
// real and even, so two slices go through one transform as its real and imaginary parts.
inline std::vector<HuSlice> filteredNoise(int count, int32_t size, double spacing, double sd,
                                          const std::function<double(double)>& filter, std::mt19937_64& random)
{
    std::vector<HuSlice> slices;
    const double step = 1 / (size * spacing);
    while (static_cast<int>(slices.size()) < count) {
        std::vector<double> re = whiteNoise(size, sd, random).values, im = whiteNoise(size, sd, random).values;
        transform2D(re, im, size, false);
        for (int32_t v = 0; v < size; ++v)
            for (int32_t u = 0; u < size; ++u) {
                const int32_t fu = u <= size / 2 ? u : u - size, fv = v <= size / 2 ? v : v - size;
                const double h = filter(std::hypot(fu, fv) * step);
                re[static_cast<size_t>(v * size + u)] *= h;
                im[static_cast<size_t>(v * size + u)] *= h;
            }
        transform2D(re, im, size, true);
        slices.push_back({size, size, std::move(re)});
        if (static_cast<int>(slices.size()) < count) slices.push_back({size, size, std::move(im)});
    }
    return slices;
}

} // namespace phantom
