#include "Phantoms.h"

#include <cmath>
#include <numbers>

namespace {

// The area two disks of radius r share when their centres are u apart.
double lensArea(double r, double u)
{
    if (u >= 2 * r) return 0.0;
    return 2 * r * r * std::acos(u / (2 * r)) - u / 2 * std::sqrt(4 * r * r - u * u);
}

} // namespace

TtfCurve gaussianTtf(double blurSdMm)
{
    using std::numbers::pi;
    const double last = std::sqrt(std::log(1e12) / (2 * pi * pi * blurSdMm * blurSdMm));
    const int samples = 2000;
    TtfCurve ttf;
    for (int i = 0; i <= samples; ++i) {
        const double f = last * i / samples;
        ttf.frequencyPerMm.push_back(f);
        ttf.value.push_back(std::exp(-2 * pi * pi * blurSdMm * blurSdMm * f * f));
    }
    return ttf;
}

NpsGrid whiteNoiseNps(int size, double pixelSpacingMm, double noiseSdHu)
{
    const double level = noiseSdHu * noiseSdHu * pixelSpacingMm * pixelSpacingMm;
    return {size, pixelSpacingMm, std::vector<double>(static_cast<size_t>(size) * static_cast<size_t>(size), level)};
}

double blurredDiskNpwDprime(const DiskTask& flatTask, double blurSdMm, double noiseSdHu, double pixelSpacingMm)
{
    // The shift |Z| follows a Rayleigh law of scale s = √2·σ_b; Simpson's rule over 0 to
    // D, where the lens vanishes.
    const double r = flatTask.diameterMm / 2;
    const double s2 = 2 * blurSdMm * blurSdMm;
    const int intervals = 4000;
    const double h = 2 * r / intervals;
    double sum = 0;
    for (int i = 0; i <= intervals; ++i) {
        const double u = i * h;
        const double weight = i == 0 || i == intervals ? 1 : (i % 2 == 1 ? 4 : 2);
        sum += weight * u / s2 * std::exp(-u * u / (2 * s2)) * lensArea(r, u);
    }
    const double overlap = sum * h / 3;
    const double c = flatTask.contrastHu;
    return std::sqrt(c * c / (noiseSdHu * noiseSdHu * pixelSpacingMm * pixelSpacingMm) * overlap);
}
