#pragma once
// The radix-2 decimation-in-frequency transform of the spectrum calculation:
// in place on FftRe/FftIm, PointCount points, result in natural order.
#include <array>
#include <cstdint>

inline constexpr int32_t SpectrumArraySize = 1025; // entries 0..1024 of every window-level array
inline constexpr int32_t MaxFftLength = 1024;
// The full turn of the spectrum calculation's twiddle angles: 6.283184, not 2*pi, so that
// its results stay as they were. Transforms that must be exact set 2*pi.
inline constexpr double SpectrumFullTurn = 6.283184;

// Sine and cosine of the twiddle angles for one transform length. They depend on
// the length only, so they are built once per length and kept.
struct TwiddleTables {
    int32_t length = 0;  // the length the tables were built for; 0: not built
    double fullTurn = 0; // the full turn they were built with
    std::array<double, 2049> Sin{};
    std::array<double, 2049> Cos{};
};

struct FftArrays {
    std::array<double, SpectrumArraySize> FftRe{};
    std::array<double, SpectrumArraySize> FftIm{};
    int32_t PointCount = 0;             // N of the next transform
    double fullTurn = SpectrumFullTurn; // the angle step of the twiddles is fullTurn/N
    TwiddleTables twiddles;
};

// True for the lengths the arrays and the butterflies serve: powers of two from 2 to 1024.
bool isFftLength(int32_t n);

// Forward DFT, negative exponent, no scaling. The angle step is fullTurn/N; with the
// spectrum calculation's turn the result differs from an exact DFT by about 5e-7
// relative. Fails for a length that is not a power of two from 2 to 1024.
void FFT(FftArrays& arrays);
