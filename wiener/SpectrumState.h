#pragma once
// What the spectrum window keeps between its actions: the counters and fixed
// arrays the calculation fills and the charts and exports read, the working
// storage of one calculation, and the tables every calculation of a given length
// shares. Everything has its final size from the start (about 1.8 MB, so the
// window holds it on the heap); a calculation allocates nothing.
#include "FFT.h"
#include "LSM.h"

#include <array>
#include <cstdint>

inline constexpr int32_t MaxProfileLength = 1024;
inline constexpr int32_t MaxBandLines = 65;

// The Hamming weights of one segment length and their correction factor.
struct HammingWindow {
    int32_t length = 0; // the length the weights were computed for; 0: not computed
    std::array<double, MaxFftLength> weight{};
    double K = 0; // (N - 1) / sum of the weights
};

struct SpectrumState : FftArrays, LsmArrays {
    SpectrumState();

    int32_t SegmentLength = 0; // N of the last calculation
    int32_t RunCount = 0;      // calculations finished since the last Clear
    std::array<double, SpectrumArraySize> WsSpectrum{};
    std::array<double, SpectrumArraySize> WsAcf{};

    // Working storage of one calculation. The band matrix is held line by line,
    // [line of the band][position along the profile], so that a line is contiguous.
    std::array<std::array<double, 2048>, MaxBandLines> BandMatrix{};
    std::array<double, MaxProfileLength> BandProfile{};
    std::array<double, MaxProfileLength> FitValues{}; // a fitted polynomial at 0..m-1

    IndexPowers powers;
    HammingWindow hamming;
};
