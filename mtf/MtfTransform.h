#pragma once
// The MTF along z: a direct Fourier transform of the profile extended with zeros
// to five times its length, normalised to 1 at zero frequency.
#include "MtfArrays.h"

#include <optional>

// Sine and cosine of an angle in extended precision, by the FPU's own instruction
// where there is one (about seven times faster than the library's routine).
void sinCosExtended(long double angle, long double& sine, long double& cosine);

// DFTRe/DFTIm[0..L-1] of aSSPz[0..M-1] (zeros beyond M), summed term by term.
void transformProfile(const MtfArray& aSSPz, int M, int L, MtfArray& DFTRe, MtfArray& DFTIm);

// Clears and transforms, then fills MTFValues[0..L-1] with the magnitude divided
// by its value at zero frequency. Returns L = 5 M. Refuses an M the arrays cannot
// hold five times over.
int computeMtfValues(const MtfArray& aSSPz, int M, SpectrumArrays& s);

// The frequency step |1 / (spacing L)| in cycles/mm.
long double frequencyStep(long double spacing, int L);

// The MTF at frequency fc, interpolated linearly between the two bins around it
// in the computed spectrum of `computed` bins; nothing when fc lies outside it.
std::optional<long double> mtfAtFrequency(const MtfArray& MTFValues, int computed, long double step, long double fc);

// SincValues[0..count-1]: |sin x / x| with x = pi step m fwhm, 1 at m = 0.
void fillSinc(MtfArray& SincValues, int count, long double step, long double fwhm);
