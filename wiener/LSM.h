#pragma once
// Least-squares polynomial fit by the normal equations, solved by elimination
// without pivoting, as the detrending of the spectrum calculation uses it.
#include "FFT.h"

#include <array>
#include <cstdint>

inline constexpr int32_t MaxLsmDegree = 16; // the normal equations are held in 33 x 33
inline constexpr int32_t MaxLsmPowers = 2 * MaxLsmDegree + 1;
inline constexpr int32_t IndexPowerCount = 1024; // abscissae 0..1023

struct LsmArrays {
    std::array<double, SpectrumArraySize> LsmX{};
    std::array<double, SpectrumArraySize> LsmY{};
    std::array<double, 65> LsmCoef{}; // a0..an
};

// The powers k^t (t = 0..32) of the abscissae k = 0..1023 and their running sums.
// Every detrending fit is made on 0, 1, ..., m-1, so these are the same for all
// fits; they are computed once, term by term as a fit would compute them.
struct IndexPowers {
    IndexPowers();
    std::array<std::array<double, IndexPowerCount>, MaxLsmPowers> power;   // [t][k] = k^t
    std::array<std::array<double, MaxLsmPowers>, IndexPowerCount + 1> sum; // [m][t] = sum of k^t, k < m
};

// Fits a polynomial of degree n to (LsmX[k], LsmY[k]), k = 0..m-1, and writes a0..an
// to LsmCoef. For n = 0 that is the mean of the LsmY values.
void LSM(LsmArrays& lsm, int32_t n, int32_t m);
// The same fit when LsmX[k] = k: powers and their sums come from the table.
void LSM(LsmArrays& lsm, int32_t n, int32_t m, const IndexPowers& powers);

// The polynomial a0..an of LsmCoef at x: the sum of a_j * x^j in order of j.
double fittedValue(const LsmArrays& lsm, int32_t n, double x);
// The same at x = 0..m-1 into values[0..m-1], powers from the table.
void fittedValues(const LsmArrays& lsm, int32_t n, int32_t m, const IndexPowers& powers, double* values);
