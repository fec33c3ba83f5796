#include "FFT.h"

#include "AppError.h"

#include <cmath>
#include <string>
#include <utility>

namespace {

// The angle advances by repeated addition, not as k*step: the tables carry the
// rounding of that sum, and results are compared to the last digit.
void buildTwiddles(TwiddleTables& tables, int32_t n, double fullTurn)
{
    const double step = fullTurn / n;
    double angle = 0;
    for (int32_t k = 0; k <= n / 2; ++k) {
        tables.Sin[k] = std::sin(angle);
        tables.Cos[k] = std::cos(angle);
        angle = angle + step;
    }
    tables.length = n;
    tables.fullTurn = fullTurn;
}

} // namespace

bool isFftLength(int32_t n) { return n >= 2 && n <= MaxFftLength && (n & (n - 1)) == 0; }

void FFT(FftArrays& a)
{
    const int32_t n = a.PointCount;
    if (!isFftLength(n)) throw AppError(Msg::fftPointCount(n));
    if (a.twiddles.length != n || a.twiddles.fullTurn != a.fullTurn) buildTwiddles(a.twiddles, n, a.fullTurn);
    const auto& sinT = a.twiddles.Sin;
    const auto& cosT = a.twiddles.Cos;
    auto& re = a.FftRe;
    auto& im = a.FftIm;

    const auto stages = static_cast<int32_t>(std::log2(static_cast<double>(n)) / std::log2(2.0));
    int32_t half = n;
    int32_t groups = 1;
    for (int32_t stage = 0; stage < stages; ++stage) {
        half /= 2;
        int32_t start = 0;
        for (int32_t g = 0; g < groups; ++g) {
            int32_t t = 0;
            for (int32_t i = start; i < start + half; ++i) {
                const int32_t j = i + half;
                const double dr = re[i] - re[j];
                const double di = im[i] - im[j];
                re[i] = re[i] + re[j];
                im[i] = im[i] + im[j];
                if (t == 0) {
                    re[j] = dr;
                    im[j] = di;
                } else {
                    re[j] = dr * cosT[t] + di * sinT[t];
                    im[j] = di * cosT[t] - dr * sinT[t];
                }
                t += groups;
            }
            start += 2 * half;
        }
        groups *= 2;
    }

    int32_t j = n / 2;
    for (int32_t i = 1; i < n; ++i) {
        if (j < i) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
        int32_t k = n / 2;
        while (k <= j && j >= 0 && k > 0) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
}
