#pragma once
// Phantoms whose measurements are known in closed form, with those answers: the tests,
// `ctiq-measure verify` and the sample-series tool build the same ones here.
#include "Detectability.h"
#include "HuSlice.h"

#include <cstdint>
#include <random>
#include <vector>

// The TTF of a Gaussian blur of SD σ, exp(−2π²σ²f²), sampled until it falls below 1e-12.
TtfCurve gaussianTtf(double blurSdMm);
// The frequency where that TTF falls to the given level: √(−ln level / (2π²σ²)).
double gaussianTtfFrequency(double blurSdMm, double level);

// The NPS of white noise of SD σ at pixel spacing Δ: σ²·Δ² on the whole N x N grid.
NpsGrid whiteNoiseNps(int size, double pixelSpacingMm, double noiseSdHu);

// NPW d′ of a flat disk blurred by a Gaussian of SD σ_b in white noise of SD σ:
// d′² = C²/(σ²·Δ²) · ∫ over the disk of P(|x + Z| < D/2) dx with Z ~ N(0, 2σ_b²·I).
// The integral is the disk's overlap with itself shifted by Z, averaged over Z.
double blurredDiskNpwDprime(const DiskTask& flatTask, double blurSdMm, double noiseSdHu, double pixelSpacingMm);

// A size x size slice of 0 HU holding, centred on pixel (size/2, size/2), a flat disk of
// the given diameter and contrast blurred by a Gaussian of SD σ_b, sampled at the pixel
// centres: C·P(|x + Y| < D/2) with Y ~ N(0, σ_b²·I).
HuSlice blurredDiskSlice(int32_t size, double pixelSpacingMm, double diameterMm, double contrastHu, double blurSdMm);
// A size x size slice of 0 HU.
HuSlice uniformSlice(int32_t size);
// Adds white noise of SD σ and rounds every value to whole HU, as a scanner stores them.
void addNoiseAndRound(HuSlice& slice, double noiseSdHu, std::mt19937_64& random);

// The sample tool's slice-thickness series: along z the insert's contrast follows a
// Gaussian slice sensitivity profile of the given FWHM, peak `contrast` at z = 0.
double sensitivityProfileLift(double fwhmMm, double contrastHu, double zMm);
// One slice of it, stored as HU + 1024: water with noise, and inside the central square
// of half width `insert` pixels the value raised by `lift` HU.
std::vector<uint16_t> sampleSlicePixels(int size, double noiseSdHu, int insert, double liftHu, std::mt19937& random);
