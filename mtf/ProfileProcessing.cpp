#include "ProfileProcessing.h"

#include "AppError.h"
#include "Arithmetic.h"

#include <cmath>

namespace {

// First index of the largest value among w[0..n-1].
int peakIndex(const MtfArray& w, int n)
{
    int p = 0;
    for (int k = 1; k < n; ++k)
        if (w[k] > w[p]) p = k;
    return p;
}

} // namespace

int normaliseProfile(MtfArray& w, int n, MtfArray& aSSPz, MtfArray& pSSPz)
{
    if (n < 1) throw AppError(Msg::noSspzData);
    if (n > MtfArraySize) throw AppError(Msg::tooMuchSspzData);

    const int p = peakIndex(w, n);
    const long double V = w[p];

    // Walk out to 10 % of the peak above each end, then on down as long as the values fall.
    int a = p;
    while (a > 0 && w[a] - static_cast<long double>(w[0]) > (V - w[0]) / 10) --a;
    while (a > 0 && w[a - 1] < w[a]) --a;
    const int lo = a;
    int b = p;
    while (b < n - 1 && w[b] - static_cast<long double>(w[n - 1]) > (V - w[n - 1]) / 10) ++b;
    while (b < n - 1 && w[b + 1] < w[b]) ++b;
    const int hi = b;

    for (int k = 0; k < lo; ++k) w[k] = 0;
    for (int k = hi + 1; k < n; ++k) w[k] = 0;

    const double BL = w[lo] > w[hi] ? w[lo] : w[hi];
    const double BR = w[hi];
    for (int k = lo; k <= p; ++k) w[k] = static_cast<double>(Checked::finite(static_cast<long double>(w[k]) - BL));
    for (int k = p + 1; k <= hi; ++k) w[k] = static_cast<double>(Checked::finite(static_cast<long double>(w[k]) - BR));
    for (int k = 0; k < n; ++k)
        if (!(w[k] >= 0)) w[k] = 0;

    const long double H = w[p];
    if (H <= 0) throw AppError(Msg::floatDivByZero);

    int first = 0;
    while (w[first] == 0) ++first;
    int stop = p;
    while (stop < n && w[stop] > 0) ++stop;
    const int last = stop - 1;

    const int from = first - 3 < 0 ? 0 : first - 3;
    const int to = last + 3 > n - 1 ? n - 1 : last + 3;
    const int M = to - from + 1;
    for (int k = from; k <= to; ++k) {
        const int j = k - from;
        aSSPz[j] = w[k];
        w[j] = static_cast<double>(Checked::finite(w[k] / H * 100));
        pSSPz[j] = w[j];
    }
    return M;
}

HalfCrossings findHalfCrossings(const MtfArray& w, int count)
{
    const int n = clipToArrays(count);
    const int p = peakIndex(w, n);
    const long double half = static_cast<long double>(w[p]) / 2;

    int j = p;
    while (w[j] > half) {
        if (j == 0) throw AppError(Msg::noHalfCrossing);
        --j;
    }
    int i = p;
    while (w[i] > half) {
        if (i == MtfArraySize - 1) throw AppError(Msg::noHalfCrossing);
        ++i;
    }
    // Each interpolation needs the neighbour on the peak's side of its crossing.
    if (j + 1 >= MtfArraySize || i < 1) throw AppError(Msg::noHalfCrossing);

    HalfCrossings c;
    c.left = j + Checked::fdiv(half - w[j], static_cast<long double>(w[j + 1]) - w[j]);
    c.right = (i - 1) + Checked::fdiv(half - w[i - 1], static_cast<long double>(w[i]) - w[i - 1]);
    return c;
}

FwhmResult fwhmFromCrossings(const HalfCrossings& c, long double sliceInterval)
{
    return {Checked::finite(std::fabs(sliceInterval * (c.right - c.left))), c.left + (c.right - c.left) / 2};
}
