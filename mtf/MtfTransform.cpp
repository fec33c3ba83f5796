#include "MtfTransform.h"

#include "AppError.h"
#include "Arithmetic.h"

#include <cmath>
#include <numbers>
#include <string>

void sinCosExtended(long double angle, long double& sine, long double& cosine)
{
#if defined(__x86_64__) || defined(__i386__)
    // fsincos reduces arguments up to 2^63 itself; the profile's angles stay below 2600.
    asm("fsincos" : "=t"(cosine), "=u"(sine) : "0"(angle));
#else
    ::sincosl(angle, &sine, &cosine);
#endif
}

void transformProfile(const MtfArray& aSSPz, int M, int L, MtfArray& DFTRe, MtfArray& DFTIm)
{
    const long double twoPi = 2 * std::numbers::pi_v<long double>;
    for (int k = 0; k < L; ++k) {
        const long double w = twoPi * k / L;
        double re = DFTRe[k];
        double im = DFTIm[k];
        for (int b = 0; b < M; ++b) {
            long double s;
            long double c;
            sinCosExtended(w * b, s, c);
            // Each running sum is a double after every addition.
            re = static_cast<double>(re + aSSPz[b] * c);
            im = static_cast<double>(im + aSSPz[b] * s);
        }
        DFTRe[k] = re;
        DFTIm[k] = im;
    }
}

int computeMtfValues(const MtfArray& aSSPz, int M, SpectrumArrays& s)
{
    if (M < 1 || M > MaxKeptSamples) throw AppError(Msg::sspzTooLongForMtf(MaxKeptSamples, M));
    const int L = MtfZeroExtension * M;
    for (int k = 0; k < L; ++k) s.DFTRe[k] = s.DFTIm[k] = 0;
    transformProfile(aSSPz, M, L, s.DFTRe, s.DFTIm);
    for (int k = 0; k < L; ++k)
        s.MTFValues[k] = static_cast<double>(Checked::finite(std::sqrt(
            static_cast<long double>(s.DFTRe[k]) * s.DFTRe[k] + static_cast<long double>(s.DFTIm[k]) * s.DFTIm[k])));
    for (int k = 1; k < L; ++k) s.MTFValues[k] = static_cast<double>(Checked::fdiv(s.MTFValues[k], s.MTFValues[0]));
    s.MTFValues[0] = 1;
    return L;
}

long double frequencyStep(long double spacing, int L) { return std::fabs(Checked::fdiv(1, spacing * L)); }

std::optional<long double> mtfAtFrequency(const MtfArray& MTFValues, int computed, long double step, long double fc)
{
    // The first bin at or above fc, searched only among the computed ones.
    int i = 0;
    while (i < computed && i * step < fc) ++i;
    if (i < 1 || i >= computed) return std::nullopt;
    const long double below = MTFValues[i - 1];
    return below + (MTFValues[i] - below) * (fc - (i - 1) * step) / step;
}

void fillSinc(MtfArray& SincValues, int count, long double step, long double fwhm)
{
    SincValues[0] = 1;
    for (int m = 1; m < clipToArrays(count); ++m) {
        const long double x = std::numbers::pi_v<long double> * step * m * fwhm;
        SincValues[m] = static_cast<double>(std::fabs(std::sin(x) / x));
    }
}
