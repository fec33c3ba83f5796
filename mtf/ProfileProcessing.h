#pragma once
// From the measured series to the slice sensitivity profile: background removal,
// cutting to the peak, scaling to percent, and the width at half maximum.
#include "MtfArrays.h"

// Normalises the first n entries of w (the work profile) in place and writes the
// kept samples into aSSPz and pSSPz. Returns M, the number of kept samples.
// A peak that is flat after background removal fails with the division message.
int normaliseProfile(MtfArray& w, int n, MtfArray& aSSPz, MtfArray& pSSPz);

// Half-maximum crossings as fractional sample indexes.
struct HalfCrossings {
    long double left = 0;
    long double right = 0;
};

// The crossings around the largest of w[0..count-1]; count is clipped to the
// array. Fails when a walk meets no sample at or below half before the array ends.
HalfCrossings findHalfCrossings(const MtfArray& w, int count);

struct FwhmResult {
    long double fwhm = 0;   // mm
    long double centre = 0; // fractional sample index
};
FwhmResult fwhmFromCrossings(const HalfCrossings& c, long double sliceInterval);
