#pragma once
// Phantoms whose measurements are known in closed form, with those answers: the tests
// and `ctiq-measure verify` build the same ones here.
#include "Detectability.h"

// The TTF of a Gaussian blur of SD σ, exp(−2π²σ²f²), sampled until it falls below 1e-12.
TtfCurve gaussianTtf(double blurSdMm);

// The NPS of white noise of SD σ at pixel spacing Δ: σ²·Δ² on the whole N x N grid.
NpsGrid whiteNoiseNps(int size, double pixelSpacingMm, double noiseSdHu);

// NPW d′ of a flat disk blurred by a Gaussian of SD σ_b in white noise of SD σ:
// d′² = C²/(σ²·Δ²) · ∫ over the disk of P(|x + Z| < D/2) dx with Z ~ N(0, 2σ_b²·I).
// The integral is the disk's overlap with itself shifted by Z, averaged over Z.
double blurredDiskNpwDprime(const DiskTask& flatTask, double blurSdMm, double noiseSdHu, double pixelSpacingMm);
