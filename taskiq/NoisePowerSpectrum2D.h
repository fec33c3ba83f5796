#pragma once
// The two-dimensional noise power spectrum (NPS) of uniform regions: square ROIs tiled
// inside a frame with half overlap on every slice, each detrended, transformed and
// averaged, with the radial NPS, the noise, the peak and the average frequency.
#include "HuSlice.h"

#include <vector>

inline constexpr int32_t DefaultNpsRoiSize = 64;

enum class NpsDetrend { Poly2, Mean }; // a least-squares 2-D polynomial of second order, or the mean

struct NpsSettings {
    double pixelSpacing = 0;             // mm, the same along x and y
    PixelFrame frame;                    // where the ROIs are tiled
    int32_t roiSize = DefaultNpsRoiSize; // N: a power of two from 8 to 1024
    NpsDetrend detrend = NpsDetrend::Poly2;
};

// One sample of the radial NPS: the mean frequency of the ring's grid points in mm^-1
// and the mean NPS over them in HU^2 mm^2.
struct RadialNpsSample {
    double frequency = 0;
    double value = 0;
};

struct NpsResult {
    NpsSettings settings;    // the inputs it was measured with
    bool difference = false; // from the difference of two repeated series
    size_t sliceCount = 0;
    size_t roiCount = 0;
    // The N x N spectrum in HU^2 mm^2, zero frequency in the middle: values[v * N + u]
    // at fx = (u - N/2) * frequencyStep, fy = (v - N/2) * frequencyStep, u, v = 0..N-1.
    int32_t size = 0;         // N
    double frequencyStep = 0; // 1 / (N * pixelSpacing), mm^-1
    double pixelSpacing = 0;  // mm
    std::vector<double> values;
    // Rings of width frequencyStep centred at 0, 1, ..., N/2 steps (0 to the Nyquist frequency):
    // the grid points whose distance from zero frequency rounds to that many steps.
    std::vector<RadialNpsSample> radial;
    double noise = 0;     // HU: the square root of the NPS's integral
    double meanRoiSd = 0; // HU: the mean of the ROIs' SDs before detrending (of the difference / sqrt 2)
    double fPeak = 0;     // mm^-1: the radial maximum, refined by a parabola through its neighbours
    double fAverage = 0;  // mm^-1: the integral of f NPS(f) over the integral of NPS(f), radially
};

// The NPS of the slices (all of one size). Fails with AppError for no slices, slices
// of different sizes, a spacing that is not positive, an ROI size that is no power of
// two from 8 to 1024, or a frame that lies outside the image or holds no ROI.
NpsResult measureNps2D(const std::vector<HuSlice>& slices, const NpsSettings& settings);

// The same on the differences of slice i of the first series and slice i of the second
// (equal counts), the spectrum halved so that it is the noise of one series.
NpsResult measureNps2DDifference(const std::vector<HuSlice>& first, const std::vector<HuSlice>& second,
                                 const NpsSettings& settings);
