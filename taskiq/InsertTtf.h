#pragma once
// The task transfer function (TTF) of a circular insert: the insert's centre refined
// on the slice average, the edge spread function (ESF) binned by distance from it, its
// derivative (the line spread function, LSF) under a Hann window, and the magnitude of
// the LSF's Fourier transform normalised at zero frequency, with f50, f10, the contrast
// and the contrast-to-noise ratio. The method follows AAPM Task Group 233.
#include "HuSlice.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr double DefaultInsertDiameter = 25; // mm

struct TtfSettings {
    double pixelSpacing = 0;                 // mm, the same along x and y
    double centreX = 0, centreY = 0;         // the insert's centre as given, in pixels
    double diameter = DefaultInsertDiameter; // the insert's nominal diameter, mm
};

// One sample of the TTF: the frequency in mm^-1 and the TTF there (1 at 0 mm^-1).
struct TtfSample {
    double frequency = 0;
    double value = 0;
};

// Why a TTF may not be trusted; shown beside the results, never a failure.
enum class TtfWarning { LowCnr, NearImageEdge, EsfNotMonotonic };

struct TtfResult {
    TtfSettings settings;            // the inputs it was measured with
    size_t sliceCount = 0;           // slices averaged
    double centreX = 0, centreY = 0; // the refined centre, in pixels
    double esfBinWidth = 0;          // mm: a tenth of the pixel spacing
    std::vector<double> esf;         // HU; bin k holds distances k..k+1 bin widths from the centre
    std::vector<double> lsf;         // HU/mm, windowed; sample k at k+1 bin widths (between ESF bins k and k+1)
    double edgeRadius = 0;           // mm: where the ESF crosses half-way, the window's centre
    // From 0 mm^-1 up to max(2 mm^-1, 1 / pixel spacing) in equal steps of at most 0.01 mm^-1.
    std::vector<TtfSample> ttf;
    std::optional<double> f50, f10; // mm^-1, where the TTF first falls to 0.5 and 0.1 (linear interpolation)
    double contrast = 0;            // HU: insert mean minus background mean
    double backgroundSd = 0;        // HU: SD of the background annulus's pixels
    double cnr = 0;                 // |contrast| / SD * sqrt(slice count)
    std::vector<TtfWarning> warnings;
};

// The TTF of the insert in the slices (all of one size). Fails with AppError for no
// slices, slices of different sizes, a spacing or diameter that is not positive, a
// centre outside the image, or an insert whose edge or background holds no pixels.
TtfResult measureInsertTtf(const std::vector<HuSlice>& slices, const TtfSettings& settings);

// The CNR below which the TTF is flagged as noisy.
inline constexpr double MinimumTtfCnr = 15;
