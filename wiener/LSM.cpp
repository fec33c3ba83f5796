#include "LSM.h"

#include "AppError.h"
#include "Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using Sums = std::array<double, MaxLsmPowers>;

void checkFit(int32_t n, int32_t m, int32_t maxPoints)
{
    if (n < 0 || n > MaxLsmDegree || m < 0 || m > maxPoints) throw AppError(Msg::lsmOutOfRange(n, m));
}

double divide(double a, double b) { return b == 0 ? static_cast<double>(Checked::fdiv(a, b)) : a / b; }

// Solves sum_u S[e+u]*a_u = R[e] (e = 0..n) by elimination without pivoting and
// writes a0..an to LsmCoef.
void solveNormalEquations(LsmArrays& lsm, const Sums& S, Sums& R, int32_t n)
{
    double M[MaxLsmPowers][MaxLsmPowers];
    for (int32_t e = 0; e <= n; ++e)
        for (int32_t u = 0; u <= n; ++u) M[e][u] = S[e + u];

    for (int32_t i = 0; i < n; ++i) {
        const double pivot = M[i][i];
        for (int32_t c = i; c <= n; ++c) M[i][c] = divide(M[i][c], pivot);
        R[i] = divide(R[i], pivot);
        for (int32_t e = i + 1; e <= n; ++e) {
            const double factor = M[e][i];
            for (int32_t c = i; c <= n; ++c) M[e][c] -= M[i][c] * factor;
            R[e] -= R[i] * factor;
        }
    }
    for (int32_t i = n; i >= 0; --i) {
        const double pivot = M[i][i];
        for (int32_t c = 0; c <= i; ++c) M[i][c] = divide(M[i][c], pivot);
        R[i] = divide(R[i], pivot);
        for (int32_t e = i - 1; e >= 0; --e) {
            const double factor = M[e][i];
            for (int32_t c = 0; c <= i; ++c) M[e][c] -= M[i][c] * factor;
            R[e] -= R[i] * factor;
        }
    }
    for (int32_t e = 0; e <= n; ++e) lsm.LsmCoef[e] = R[e];
}

} // namespace

IndexPowers::IndexPowers()
{
    sum[0].fill(0);
    for (int32_t k = 0; k < IndexPowerCount; ++k)
        for (int32_t t = 0; t < MaxLsmPowers; ++t) {
            power[t][k] = std::pow(static_cast<double>(k), static_cast<double>(t));
            sum[k + 1][t] = sum[k][t] + power[t][k];
        }
}

void LSM(LsmArrays& lsm, int32_t n, int32_t m)
{
    checkFit(n, m, SpectrumArraySize);
    Sums S{}, R{};
    for (int32_t k = 0; k < m; ++k) {
        for (int32_t t = 0; t <= 2 * n; ++t) S[t] += std::pow(lsm.LsmX[k], static_cast<double>(t));
        for (int32_t e = 0; e <= n; ++e) R[e] += std::pow(lsm.LsmX[k], static_cast<double>(e)) * lsm.LsmY[k];
    }
    solveNormalEquations(lsm, S, R, n);
}

void LSM(LsmArrays& lsm, int32_t n, int32_t m, const IndexPowers& powers)
{
    checkFit(n, m, IndexPowerCount);
    // Four right sides at a time, each summed in order of k as above; the table has
    // powers up to 32, so the spare sums of the last group read valid entries.
    Sums R{};
    const double* y = lsm.LsmY.data();
    for (int32_t e = 0; e <= n; e += 4) {
        const double* p0 = powers.power[e].data();
        const double* p1 = powers.power[e + 1].data();
        const double* p2 = powers.power[e + 2].data();
        const double* p3 = powers.power[e + 3].data();
        double r0 = 0, r1 = 0, r2 = 0, r3 = 0;
        for (int32_t k = 0; k < m; ++k) {
            r0 += p0[k] * y[k];
            r1 += p1[k] * y[k];
            r2 += p2[k] * y[k];
            r3 += p3[k] * y[k];
        }
        R[e] = r0;
        R[e + 1] = r1;
        R[e + 2] = r2;
        R[e + 3] = r3;
    }
    solveNormalEquations(lsm, powers.sum[m], R, n);
}

double fittedValue(const LsmArrays& lsm, int32_t n, double x)
{
    double value = 0;
    for (int32_t j = 0; j <= n; ++j) value += lsm.LsmCoef[j] * std::pow(x, static_cast<double>(j));
    return value;
}

void fittedValues(const LsmArrays& lsm, int32_t n, int32_t m, const IndexPowers& powers, double* values)
{
    std::fill_n(values, m, 0.0);
    for (int32_t j = 0; j <= n; ++j) {
        const double a = lsm.LsmCoef[j];
        const double* xPower = powers.power[j].data();
        for (int32_t k = 0; k < m; ++k) values[k] += a * xPower[k];
    }
}
