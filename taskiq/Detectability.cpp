// d′ of a disk task: its closed-form spectrum, the eye filter, the TTF read radially
// and the integrals over the NPS grid.
#include "Detectability.h"

#include "AppError.h"
#include "DetectabilityNames.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

void requireFinite(const char* name, double value)
{
    if (!std::isfinite(value)) throw AppError(Msg::notFiniteValue(name));
}
void requirePositive(const char* name, double value)
{
    requireFinite(name, value);
    if (value <= 0) throw AppError(Msg::notAboveZero(name, value));
}
void requireNotNegative(const char* name, double value)
{
    requireFinite(name, value);
    if (value < 0) throw AppError(Msg::belowZero(name, value));
}

void checkTask(const DiskTask& task)
{
    requirePositive(DprimeName::diameter, task.diameterMm);
    requireFinite(DprimeName::contrast, task.contrastHu);
    if (task.profile == DiskTask::Profile::designer)
        requireNotNegative(DprimeName::designerExponent, task.designerExponent);
}

void checkEye(const EyeFilter& eye)
{
    requireNotNegative(DprimeName::eyeExponent, eye.exponent);
    requireNotNegative(DprimeName::eyeCoefficient, eye.coefficient);
    requireNotNegative(DprimeName::eyePower, eye.power);
    requirePositive(DprimeName::viewingDistance, eye.viewingDistanceMm);
    requirePositive(DprimeName::magnification, eye.magnification);
    requireNotNegative(DprimeName::internalNoise, eye.internalNoise);
}

void checkTtf(const TtfCurve& ttf)
{
    const auto& f = ttf.frequencyPerMm;
    if (f.empty() || f.size() != ttf.value.size()) throw AppError(Msg::ttfSamples);
    for (size_t i = 0; i < f.size(); ++i) {
        if (!std::isfinite(f[i]) || f[i] < 0 || (i > 0 && !(f[i] > f[i - 1]))) throw AppError(Msg::ttfSamples);
        requireFinite(DprimeName::ttfValue, ttf.value[i]);
    }
}

void checkNps(const NpsGrid& nps)
{
    if (nps.size < 2 || nps.values.size() != static_cast<size_t>(nps.size) * static_cast<size_t>(nps.size))
        throw AppError(Msg::npsGridValues(nps.size, nps.values.size()));
    requirePositive(DprimeName::npsPixelSpacing, nps.pixelSpacingMm);
    for (const double v : nps.values) requireNotNegative(DprimeName::npsValue, v);
}

double profileExponent(const DiskTask& task)
{
    return task.profile == DiskTask::Profile::designer ? task.designerExponent : 0.0;
}

// d′ from [signal]² / noise, both integrals without their common area element df²
// (which leaves one df² in the quotient). No signal is nothing to detect; noise-free
// signal has no bound.
double dprimeOf(double signal, double noise, double df, const char* observer)
{
    if (signal == 0) return 0.0;
    if (!(noise > 0)) throw AppError(Msg::dprimeUnbounded(observer));
    return std::sqrt(signal * signal * df * df / noise);
}

} // namespace

double taskSpectrum(const DiskTask& task, double frequencyPerMm)
{
    using std::numbers::pi;
    const double n = profileExponent(task);
    const double r = task.diameterMm / 2;
    const double b = 2 * pi * frequencyPerMm * r;
    // 2ⁿ·Γ(n+1)·J_{n+1}(b)/b^{n+1} through logarithms, so that a large exponent does not
    // overflow; it tends to 1/(2·(n+1)) as b → 0, where the quotient is 0/0.
    const double shape = b < 1e-6 ? 1 / (2 * (n + 1))
                                  : std::cyl_bessel_j(n + 1, b) *
                                        std::exp(n * std::numbers::ln2 + std::lgamma(n + 1) - (n + 1) * std::log(b));
    return task.contrastHu * 2 * pi * r * r * shape;
}

double cyclesPerDegree(const EyeFilter& eye, double frequencyPerMm)
{
    return frequencyPerMm / eye.magnification * eye.viewingDistanceMm * std::numbers::pi / 180;
}

double eyeResponse(const EyeFilter& eye, double frequencyPerMm)
{
    const double rho = cyclesPerDegree(eye, frequencyPerMm);
    return std::pow(rho, eye.exponent) * std::exp(-eye.coefficient * std::pow(rho, eye.power));
}

double ttfAt(const TtfCurve& ttf, double frequencyPerMm)
{
    const auto& f = ttf.frequencyPerMm;
    const auto above = std::upper_bound(f.begin(), f.end(), frequencyPerMm);
    if (above == f.begin()) return ttf.value.front();
    if (above == f.end()) return frequencyPerMm == f.back() ? ttf.value.back() : 0.0;
    const auto i = static_cast<size_t>(above - f.begin());
    const double t = (frequencyPerMm - f[i - 1]) / (f[i] - f[i - 1]);
    return ttf.value[i - 1] + t * (ttf.value[i] - ttf.value[i - 1]);
}

Detectability detectability(const DiskTask& task, const EyeFilter& eye, const TtfCurve& ttf, const NpsGrid& nps)
{
    checkTask(task);
    checkEye(eye);
    checkTtf(ttf);
    checkNps(nps);

    const auto n = static_cast<size_t>(nps.size);
    const double df = 1.0 / (static_cast<double>(n) * nps.pixelSpacingMm);
    // The task, the TTF and the eye filter depend on |f|² = (a² + b²)·df² only, with a and
    // b the distances of a grid index from zero frequency. Each distinct a² + b² is
    // evaluated once: on a 64 x 64 grid about 600 Bessel functions instead of 4096.
    const size_t half = n / 2;
    std::vector<double> blurredSignal(2 * half * half + 1, -1.0); // |W|²·TTF²; -1: not yet evaluated
    std::vector<double> eyeSquared(blurredSignal.size());
    double signal = 0, noise = 0, eyeSignal = 0, eyeNoise = 0;
    for (size_t y = 0; y < n; ++y) {
        const size_t b = y < half ? half - y : y - half;
        for (size_t x = 0; x < n; ++x) {
            const size_t a = x < half ? half - x : x - half;
            const size_t r2 = a * a + b * b;
            if (blurredSignal[r2] < 0) {
                const double f = std::sqrt(static_cast<double>(r2)) * df;
                const double w = taskSpectrum(task, f);
                const double t = ttfAt(ttf, f);
                const double e = eyeResponse(eye, f);
                blurredSignal[r2] = w * w * t * t;
                eyeSquared[r2] = e * e;
            }
            const double s = blurredSignal[r2];
            const double e2 = eyeSquared[r2];
            const double p = nps.values[y * n + x];
            signal += s;
            noise += s * p;
            eyeSignal += s * e2;
            eyeNoise += s * e2 * e2 * p;
        }
    }
    return {dprimeOf(signal, noise, df, DprimeName::npw),
            dprimeOf(eyeSignal, eyeNoise + eyeSignal * eye.internalNoise, df, DprimeName::npwe)};
}

std::vector<DiameterDetectability> detectabilityByDiameter(const DiskTask& task, const EyeFilter& eye,
                                                           const TtfCurve& ttf, const NpsGrid& nps)
{
    std::vector<DiameterDetectability> rows;
    for (const double diameter : TableDiametersMm) {
        DiskTask sized = task;
        sized.diameterMm = diameter;
        rows.push_back({diameter, detectability(sized, eye, ttf, nps)});
    }
    return rows;
}
