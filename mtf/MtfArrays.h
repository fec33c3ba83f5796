#pragma once
// The fixed working storage of the MTF window. Every array lives as long as the
// window and keeps the entries a run does not overwrite.
#include <array>

inline constexpr int MtfArraySize = 2049;
// The transform spans five times the kept profile in arrays of the same size.
inline constexpr int MtfZeroExtension = 5;
inline constexpr int MaxKeptSamples = MtfArraySize / MtfZeroExtension; // 409

using MtfArray = std::array<double, MtfArraySize>;

struct ProfileArrays {
    MtfArray RawProfile{};  // the grid's last column
    MtfArray WorkProfile{}; // working copy; afterwards the relative SSPz in its first M entries
    MtfArray aSSPz{};       // kept samples, background removed, in the grid's units
    MtfArray pSSPz{};       // the same samples in percent of the peak
};

struct SpectrumArrays {
    MtfArray DFTRe{};
    MtfArray DFTIm{};
    MtfArray MTFValues{};  // normalised magnitude, the whole spectrum
    MtfArray SincValues{}; // MTF of a rectangle as wide as the FWHM
};

struct PlotArrays {
    MtfArray PlotX{};
    MtfArray PlotY{};
    MtfArray PlotY2{};
};

// A count typed into a display edit, cut to what the arrays hold.
inline int clipToArrays(int count) { return count < 0 ? 0 : (count > MtfArraySize ? MtfArraySize : count); }
