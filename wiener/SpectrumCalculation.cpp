#include "SpectrumCalculation.h"

#include "Arithmetic.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

void checkDegree(const Deferred<int32_t>& degree, int32_t points)
{
    // A text that does not convert fails later, when the fit reads it.
    if (!degree.converted()) return;
    if (degree.value < 0 || degree.value > MaxLsmDegree || degree.value >= points)
        throw AppError(Msg::trendDegree(degree.value, points));
}

// The ROI (of positive size) lies inside the image and its words inside the buffer.
bool roiInside(const SpectrumParameters& p, const ByteBuffer& image)
{
    const int64_t right = int64_t{p.x0} + p.RX;  // exclusive
    const int64_t bottom = int64_t{p.y0} + p.RY; // exclusive
    if (p.x0 < 0 || p.y0 < 0 || right > p.W || bottom > p.imageRows) return false;
    const SampleLayout layout{p.header, p.W, p.swap, p.offset};
    return wordInside(image, wordPosition(layout, p.y0, p.x0)) &&
           wordInside(image, wordPosition(layout, bottom - 1, right - 1));
}

// Real division that fails as the system does on a zero divisor.
double divide(double a, double b) { return b == 0 ? static_cast<double>(Checked::fdiv(a, b)) : a / b; }

// A value that leaves the double range (huge factors or spacings) ends the calculation.
double finiteResult(double v) { return std::isfinite(v) ? v : static_cast<double>(Checked::finite(v)); }

// BandMatrix[line][k] := pixel value of band line `line` at position k along the
// profile. The words of a line lie a fixed stride apart: one word along a row, one
// row down a column.
void fillBand(SpectrumState& s, const SpectrumParameters& p, const SpectrumRoles& r, const ByteBuffer& image, int32_t v)
{
    const SampleLayout layout{p.header, p.W, p.swap, p.offset};
    const int64_t stride = p.directionY ? 2 * int64_t{p.W} : 2;
    for (int32_t line = 0; line < r.f; ++line) {
        int64_t position = p.directionY ? wordPosition(layout, p.y0, int64_t{p.x0} + v + line)
                                        : wordPosition(layout, int64_t{p.y0} + v + line, p.x0);
        double* values = s.BandMatrix[line].data();
        for (int32_t k = 0; k < r.L; ++k, position += stride) {
            values[k] = static_cast<double>(offsetSample(storedWord(image, position, p.swap), p.offset)) * p.C;
        }
    }
}

// The mean of the band's detrended lines, in BandProfile[0..L-1].
void makeBandProfile(SpectrumState& s, const SpectrumParameters& p, const SpectrumRoles& r)
{
    double* profile = s.BandProfile.data();
    std::fill_n(profile, r.L, 0.0);
    if (p.bandTrend) {
        for (int32_t line = 0; line < r.f; ++line) {
            const double* values = s.BandMatrix[line].data();
            std::copy_n(values, r.L, s.LsmY.begin());
            const int32_t degree = p.bandDegree.get();
            LSM(s, degree, r.L, s.powers);
            fittedValues(s, degree, r.L, s.powers, s.FitValues.data());
            for (int32_t k = 0; k < r.L; ++k) profile[k] += values[k] - s.FitValues[k];
        }
    } else {
        for (int32_t line = 0; line < r.f; ++line) {
            const double* values = s.BandMatrix[line].data();
            for (int32_t k = 0; k < r.L; ++k) profile[k] += values[k];
        }
        double total = 0;
        for (int32_t k = 0; k < r.L; ++k) total += profile[k];
        const double mean = divide(total, r.L);
        for (int32_t k = 0; k < r.L; ++k) profile[k] -= mean;
    }
    // A factor near the top of the double range overflows the band's sums; the profile
    // is drawn before any segment, so it is checked here.
    for (int32_t k = 0; k < r.L; ++k) profile[k] = finiteResult(profile[k] / r.f);
}

// WsAcf[d] += sum over l < N of profile[l]*profile[l+d], d = 0..L-N. Eight lags run
// side by side; each sum still adds its terms in order of l.
void accumulateAcf(SpectrumState& s, const SpectrumRoles& r)
{
    constexpr int32_t lanes = 8;
    const double* profile = s.BandProfile.data();
    const int32_t lastLag = r.L - r.N;
    int32_t d = 0;
    for (; d + lanes - 1 <= lastLag; d += lanes) {
        double sum[lanes] = {};
        for (int32_t l = 0; l < r.N; ++l)
            for (int32_t lane = 0; lane < lanes; ++lane) sum[lane] += profile[l] * profile[l + d + lane];
        for (int32_t lane = 0; lane < lanes; ++lane) s.WsAcf[d + lane] += sum[lane];
    }
    for (; d <= lastLag; ++d) {
        double sum = 0;
        for (int32_t l = 0; l < r.N; ++l) sum += profile[l] * profile[l + d];
        s.WsAcf[d] += sum;
    }
}

const HammingWindow& hammingWindow(SpectrumState& s, int32_t n)
{
    auto& w = s.hamming;
    if (w.length != n) {
        double total = 0;
        for (int32_t l = 0; l < n; ++l) {
            w.weight[l] = 0.54 - 0.46 * std::cos(6.2831852 * l / (n - 1));
            total += w.weight[l];
        }
        w.K = (n - 1) / total;
        w.length = n;
    }
    return w;
}

// One segment of the band profile from position start: detrend, window, transform,
// scale to mm^2 and add to WsSpectrum.
void addSegment(SpectrumState& s, const SpectrumParameters& p, int32_t n, int32_t start, double dx, double wmm)
{
    auto& re = s.FftRe;
    auto& im = s.FftIm;
    for (int32_t l = 0; l < n; ++l) {
        re[l] = s.BandProfile[start + l];
        im[l] = 0;
    }
    if (p.segmentTrend) {
        for (int32_t l = 0; l < n; ++l) s.LsmY[l] = re[l];
        const int32_t degree = p.segmentDegree.get();
        LSM(s, degree, n, s.powers);
        fittedValues(s, degree, n, s.powers, s.FitValues.data());
        for (int32_t l = 0; l < n; ++l) re[l] -= s.FitValues[l];
    } else {
        double total = 0;
        for (int32_t l = 0; l < n; ++l) total += re[l];
        const double mean = total / n;
        for (int32_t l = 0; l < n; ++l) re[l] -= mean;
    }
    double K = 1;
    if (p.hamming) {
        const HammingWindow& w = hammingWindow(s, n);
        for (int32_t l = 0; l < n; ++l) re[l] *= w.weight[l];
        K = w.K;
    }
    s.PointCount = n;
    FFT(s);
    const double denominator = n * dx * wmm;
    for (int32_t l = 0; l < n; ++l) {
        double power = divide((re[l] * re[l] + im[l] * im[l]) * dx * dx * wmm * wmm, denominator);
        if (p.hamming) power = power * K * K;
        power = finiteResult(power);
        re[l] = power;
        s.WsSpectrum[l] += power;
    }
}

} // namespace

SpectrumRoles rolesOf(const SpectrumParameters& p)
{
    if (p.directionY) return {p.RY, p.RX, p.SgY, p.SgX, p.ShY, p.ShX};
    return {p.RX, p.RY, p.SgX, p.SgY, p.ShX, p.ShY};
}

void checkSpectrumParameters(const SpectrumParameters& p, const ByteBuffer& image)
{
    const SpectrumRoles r = rolesOf(p);
    if (!isFftLength(r.N)) throw AppError(Msg::segmentLength(r.N));
    if (r.L > MaxProfileLength) throw AppError(Msg::profileLength(r.L));
    if (r.f < 1 || r.f > MaxBandLines) throw AppError(Msg::bandLines(r.f));
    if (p.bandTrend) checkDegree(p.bandDegree, r.L);
    if (p.segmentTrend) checkDegree(p.segmentDegree, r.N);
    if (r.segmentStep < 1 || r.bandStep < 1) throw AppError(Msg::shiftBelowOne(std::min(r.segmentStep, r.bandStep)));
    // A negative spacing would put the spectrum at negative frequencies.
    if (p.pixelSpacing.converted() && p.pixelSpacing.value < 0)
        throw AppError(Msg::negativePixelSpacing(formatGeneral(p.pixelSpacing.value)));
    // The row length comes from "Load"; a Viewer image of another width needs a new "Load".
    if (p.W != p.imageColumns) throw AppError(Msg::imageWidthDiffers(p.imageColumns, p.W));
    if (p.RX < 1 || p.RY < 1) throw AppError(Msg::roiSizeNotPositive(p.RX, p.RY));
    if (!roiInside(p, image)) throw AppError(Msg::roiOutsideImage);
}

int32_t calculateSpectrum(SpectrumState& s, const SpectrumParameters& p, const ByteBuffer& image, ProfileSink& sink)
{
    checkSpectrumParameters(p, image);
    const SpectrumRoles r = rolesOf(p);

    // Every entry a calculation or the smoothing reads starts from zero, so that the
    // same input gives the same spectrum whatever ran before.
    s.WsAcf.fill(0);
    s.WsSpectrum.fill(0);
    for (auto& line : s.BandMatrix) line.fill(0);
    s.BandProfile.fill(0);

    int32_t used = 0;
    int32_t bands = 0;
    double dx = 0;
    double wmm = 0;
    // Lines and positions lie inside the ROI (v < P, start < L); the steps may be huge.
    for (int64_t v = 0; v + r.f - 1 < r.P && used < p.limit; v += r.bandStep) {
        fillBand(s, p, r, image, static_cast<int32_t>(v));
        s.SegmentLength = r.N;
        makeBandProfile(s, p, r);
        accumulateAcf(s, r);
        ++bands;

        std::copy_n(s.BandProfile.begin(), r.L, s.FftRe.begin());
        if (Checked::mod(static_cast<int32_t>(v), r.P / 3) == 0) {
            s.PointCount = r.L;
            sink.DrawProfile();
        }

        dx = p.pixelSpacing.get();
        wmm = r.f * dx; // band thickness in mm
        for (int64_t start = 0; start + r.N - 1 < r.L && used < p.limit; start += r.segmentStep) {
            addSegment(s, p, r.N, static_cast<int32_t>(start), dx, wmm);
            ++used;
        }
    }

    for (int32_t l = 0; l < r.N; ++l) s.WsSpectrum[l] = finiteResult(divide(s.WsSpectrum[l], used));
    for (int32_t d = 0; d < r.N; ++d)
        s.WsAcf[d] = finiteResult(divide(divide(s.WsAcf[d] * dx * wmm * dx * wmm, r.N * dx * wmm), bands));
    return used;
}
