// The 2-D NPS: tiling, detrending, the transform of each ROI and the results.
#include "NoisePowerSpectrum2D.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "FFT.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr int32_t MinRoiSize = 8;

// Starts of the ROIs along one side of the frame: every half ROI, the whole tiling
// centred in the frame.
std::vector<int32_t> tileStarts(int32_t start, int32_t length, int32_t n)
{
    std::vector<int32_t> starts;
    if (length < n) return starts;
    const int32_t step = n / 2;
    const int32_t count = (length - n) / step + 1;
    const int32_t first = start + (length - (n + (count - 1) * step)) / 2;
    for (int32_t i = 0; i < count; ++i) starts.push_back(first + i * step);
    return starts;
}

// An orthonormal basis, on the N x N grid, of the trend a ROI loses: 1, x, y, x^2, xy, y^2
// (or 1 alone for the mean). Removing the projection on it is the least-squares fit;
// the basis depends on N only, so every ROI is detrended by six dot products.
std::vector<std::vector<double>> trendBasis(int32_t n, NpsDetrend detrend)
{
    const size_t size = static_cast<size_t>(n) * static_cast<size_t>(n);
    const int terms = detrend == NpsDetrend::Poly2 ? 6 : 1;
    const int xPower[] = {0, 1, 0, 2, 1, 0}, yPower[] = {0, 0, 1, 0, 1, 2};
    const double centre = (n - 1) / 2.0;
    std::vector<std::vector<double>> basis;
    for (int t = 0; t < terms; ++t) {
        std::vector<double> q(size);
        for (int32_t y = 0; y < n; ++y)
            for (int32_t x = 0; x < n; ++x) {
                const double u = (x - centre) / n, v = (y - centre) / n;
                const double us[] = {1, u, u * u}, vs[] = {1, v, v * v};
                q[static_cast<size_t>(y * n + x)] = us[xPower[t]] * vs[yPower[t]];
            }
        // Modified Gram-Schmidt, twice for orthogonality to rounding.
        for (int pass = 0; pass < 2; ++pass)
            for (const std::vector<double>& b : basis) {
                double dot = 0;
                for (size_t i = 0; i < size; ++i) dot += q[i] * b[i];
                for (size_t i = 0; i < size; ++i) q[i] -= dot * b[i];
            }
        double norm = 0;
        for (double v : q) norm += v * v;
        norm = std::sqrt(norm);
        for (double& v : q) v /= norm;
        basis.push_back(std::move(q));
    }
    return basis;
}

// The basis is orthonormal, so the fit is the sum of the projections on its vectors,
// all taken from the ROI as it came. Four partial sums keep the additions independent.
void removeTrend(std::vector<double>& roi, const std::vector<std::vector<double>>& basis)
{
    double dots[6] = {};
    for (size_t t = 0; t < basis.size(); ++t) {
        const double* q = basis[t].data();
        double part[4] = {};
        for (size_t i = 0; i + 3 < roi.size(); i += 4)
            for (size_t j = 0; j < 4; ++j) part[j] += roi[i + j] * q[i + j];
        dots[t] = (part[0] + part[1]) + (part[2] + part[3]);
    }
    for (size_t t = 0; t < basis.size(); ++t) {
        const double* q = basis[t].data();
        for (size_t i = 0; i < roi.size(); ++i) roi[i] -= dots[t] * q[i];
    }
}

// |DFT|^2 of real N x N ROIs summed in natural order (zero frequency at index 0). Rows
// are transformed two at a time as the real and imaginary parts of one complex row;
// of the columns only those up to N/2 are transformed, the others being their mirror
// images. That is N + 1 transforms of N points per ROI instead of 2 N.
class PowerSum {
public:
    explicit PowerSum(int32_t n)
        : n_(n), half_(n / 2 + 1), fft_(std::make_unique<FftArrays>()),
          re_(static_cast<size_t>(n) * static_cast<size_t>(half_)), im_(re_.size()),
          sum_(static_cast<size_t>(n) * static_cast<size_t>(n), 0.0)
    {
        fft_->PointCount = n;
        fft_->fullTurn = 2 * std::numbers::pi;
    }

    void add(const std::vector<double>& roi)
    {
        const auto n = static_cast<size_t>(n_), half = static_cast<size_t>(half_);
        FftArrays& f = *fft_;
        for (size_t row = 0; row < n; row += 2) {
            for (size_t x = 0; x < n; ++x) {
                f.FftRe[x] = roi[row * n + x];
                f.FftIm[x] = roi[(row + 1) * n + x];
            }
            FFT(f);
            for (size_t k = 0; k < half; ++k) {
                const size_t m = (n - k) % n;
                const double zr = f.FftRe[k], zi = f.FftIm[k], mr = f.FftRe[m], mi = f.FftIm[m];
                re_[row * half + k] = (zr + mr) / 2;
                im_[row * half + k] = (zi - mi) / 2;
                re_[(row + 1) * half + k] = (zi + mi) / 2;
                im_[(row + 1) * half + k] = (mr - zr) / 2;
            }
        }
        for (size_t k = 0; k < half; ++k) {
            for (size_t y = 0; y < n; ++y) {
                f.FftRe[y] = re_[y * half + k];
                f.FftIm[y] = im_[y * half + k];
            }
            FFT(f);
            const bool mirrored = k != 0 && k != n / 2;
            for (size_t y = 0; y < n; ++y) {
                const double p = f.FftRe[y] * f.FftRe[y] + f.FftIm[y] * f.FftIm[y];
                sum_[y * n + k] += p;
                if (mirrored) sum_[((n - y) % n) * n + (n - k)] += p;
            }
        }
    }

    const std::vector<double>& sum() const { return sum_; }

private:
    int32_t n_, half_;
    std::unique_ptr<FftArrays> fft_;
    std::vector<double> re_, im_; // the rows' spectra, columns 0..N/2
    std::vector<double> sum_;
};

// Each ring's mean NPS at the mean frequency of its grid points: near zero frequency a
// ring's points lie farther out than its centre on average (a third of a percent at three
// steps), and the NPS rises there.
std::vector<RadialNpsSample> radialAverage(const std::vector<double>& values, int32_t n, double step)
{
    const auto rings = static_cast<size_t>(n / 2 + 1);
    std::vector<double> sum(rings, 0.0), radius(rings, 0.0);
    std::vector<long long> count(rings, 0);
    for (int32_t v = 0; v < n; ++v)
        for (int32_t u = 0; u < n; ++u) {
            const double r = std::hypot(u - n / 2, v - n / 2);
            const auto ring = static_cast<size_t>(std::floor(r + 0.5));
            if (ring >= rings) continue;
            sum[ring] += values[static_cast<size_t>(v * n + u)];
            radius[ring] += r;
            ++count[ring];
        }
    std::vector<RadialNpsSample> radial;
    for (size_t j = 0; j < rings; ++j) {
        const auto points = static_cast<double>(count[j]);
        radial.push_back({radius[j] / points * step, sum[j] / points});
    }
    return radial;
}

// The radial maximum, moved to the top of the parabola through it and its neighbours.
double peakFrequency(const std::vector<RadialNpsSample>& radial)
{
    size_t top = 0;
    for (size_t j = 1; j < radial.size(); ++j)
        if (radial[j].value > radial[top].value) top = j;
    if (top == 0 || top + 1 == radial.size()) return radial[top].frequency;
    const double x1 = radial[top - 1].frequency, x2 = radial[top].frequency, x3 = radial[top + 1].frequency;
    const double y1 = radial[top - 1].value, y2 = radial[top].value, y3 = radial[top + 1].value;
    const double num = (x2 - x1) * (x2 - x1) * (y2 - y3) - (x2 - x3) * (x2 - x3) * (y2 - y1);
    const double den = (x2 - x1) * (y2 - y3) - (x2 - x3) * (y2 - y1);
    return den != 0 ? x2 - 0.5 * num / den : x2; // equal neighbours to the top: a flat peak
}

// The integral of f NPS(f) over that of NPS(f), by the trapezoidal rule.
double averageFrequency(const std::vector<RadialNpsSample>& radial)
{
    long double moment = 0, area = 0;
    for (size_t j = 1; j < radial.size(); ++j) {
        const RadialNpsSample& a = radial[j - 1];
        const RadialNpsSample& b = radial[j];
        const double width = b.frequency - a.frequency;
        moment += 0.5 * width * (a.frequency * a.value + b.frequency * b.value);
        area += 0.5 * width * (a.value + b.value);
    }
    return static_cast<double>(Checked::fdiv(moment, area));
}

NpsResult measure(const std::vector<HuSlice>& slices, const NpsSettings& settings, bool difference)
{
    checkSlices(slices);
    checkPixelSpacing(settings.pixelSpacing);
    const int32_t n = settings.roiSize;
    if (n < MinRoiSize || !isFftLength(n)) throw AppError(Msg::npsRoiSize(n));
    const HuSlice& first = slices.front();
    const PixelFrame& frame = settings.frame;
    if (frame.width < 1 || frame.height < 1 || frame.left < 0 || frame.top < 0 ||
        int64_t{frame.left} + frame.width > first.columns || int64_t{frame.top} + frame.height > first.rows)
        throw AppError(Msg::npsFrameOutside);
    const std::vector<int32_t> xs = tileStarts(frame.left, frame.width, n), ys = tileStarts(frame.top, frame.height, n);
    if (xs.empty() || ys.empty()) throw AppError(Msg::npsFrameHoldsNoRoi(frame.width, frame.height, n));

    const std::vector<std::vector<double>> basis = trendBasis(n, settings.detrend);
    PowerSum power(n);
    std::vector<double> roi(static_cast<size_t>(n) * static_cast<size_t>(n));
    double sdSum = 0;
    size_t count = 0;
    for (const HuSlice& s : slices)
        for (int32_t y0 : ys)
            for (int32_t x0 : xs) {
                double sum = 0, squares = 0;
                for (int32_t y = 0; y < n; ++y)
                    for (int32_t x = 0; x < n; ++x) {
                        const double v = s.at(x0 + x, y0 + y);
                        roi[static_cast<size_t>(y * n + x)] = v;
                        sum += v;
                        squares += v * v;
                    }
                const double mean = sum / static_cast<double>(roi.size());
                sdSum += std::sqrt(std::max(0.0, squares / static_cast<double>(roi.size()) - mean * mean));
                removeTrend(roi, basis);
                power.add(roi);
                ++count;
            }

    NpsResult r;
    r.settings = settings;
    r.difference = difference;
    r.sliceCount = slices.size();
    r.roiCount = count;
    r.size = n;
    r.pixelSpacing = settings.pixelSpacing;
    r.frequencyStep = 1 / (n * settings.pixelSpacing);
    // Differences of two series hold the noise of both: half their spectrum is one's.
    const double share = difference ? 0.5 : 1.0;
    const double scale = share * settings.pixelSpacing * settings.pixelSpacing / (double(n) * n * double(count));
    r.values.resize(power.sum().size());
    const auto un = static_cast<size_t>(n);
    for (size_t v = 0; v < un; ++v)
        for (size_t u = 0; u < un; ++u)
            r.values[v * un + u] = scale * power.sum()[((v + un / 2) % un) * un + (u + un / 2) % un];

    double integral = 0;
    for (double v : r.values) integral += v;
    r.noise = std::sqrt(integral * r.frequencyStep * r.frequencyStep);
    r.meanRoiSd = sdSum / static_cast<double>(count) * std::sqrt(share);
    r.radial = radialAverage(r.values, n, r.frequencyStep);
    r.fPeak = peakFrequency(r.radial);
    r.fAverage = averageFrequency(r.radial);
    return r;
}

} // namespace

NpsResult measureNps2D(const std::vector<HuSlice>& slices, const NpsSettings& settings)
{
    return measure(slices, settings, false);
}

NpsResult measureNps2DDifference(const std::vector<HuSlice>& first, const std::vector<HuSlice>& second,
                                 const NpsSettings& settings)
{
    if (first.size() != second.size()) throw AppError(Msg::differenceSeriesCounts(first.size(), second.size()));
    checkSlices(first);
    checkSlices(second);
    std::vector<HuSlice> differences;
    for (size_t i = 0; i < first.size(); ++i) {
        const HuSlice &a = first[i], &b = second[i];
        if (a.columns != b.columns || a.rows != b.rows)
            throw AppError(Msg::sliceSizesDiffer(a.columns, a.rows, b.columns, b.rows));
        HuSlice d{a.columns, a.rows, a.values};
        for (size_t k = 0; k < d.values.size(); ++k) d.values[k] -= b.values[k];
        differences.push_back(std::move(d));
    }
    return measure(differences, settings, true);
}
