// The 2-D NPS: tiling, detrending, the transform of each ROI and the results.
#include "NoisePowerSpectrum2D.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "FFT.h"

#include <algorithm>
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

// The least-squares fit of 1, x, y, x^2, xy, y^2 (or of 1 alone), made separable: with
// p0, p1, p2 the polynomials of degree 0, 1, 2 orthonormal on 0..N-1, the products
// p_i(x) p_j(y) with i + j <= 2 are orthonormal on the grid and span the same trend, so
// the fit is the sum of the projections on them. Each is a sum over columns of sums over
// rows, and every loop runs along a row, where the additions are independent.
class TrendRemoval {
public:
    TrendRemoval(int32_t n, NpsDetrend detrend)
        : n_(static_cast<size_t>(n)), degree_(detrend == NpsDetrend::Poly2 ? 2 : 0),
          columnSums_(3, std::vector<double>(n_)), rowTrend_(3, std::vector<double>(n_))
    {
        const double centre = (n - 1) / 2.0;
        for (size_t d = 0; d <= degree_; ++d) {
            std::vector<double> p(n_);
            for (size_t x = 0; x < n_; ++x) p[x] = std::pow((static_cast<double>(x) - centre) / n, d);
            for (int pass = 0; pass < 2; ++pass) // Gram-Schmidt twice, orthogonal to rounding
                for (const std::vector<double>& q : p_) {
                    double dot = 0;
                    for (size_t x = 0; x < n_; ++x) dot += p[x] * q[x];
                    for (size_t x = 0; x < n_; ++x) p[x] -= dot * q[x];
                }
            double norm = 0;
            for (double v : p) norm += v * v;
            for (double& v : p) v /= std::sqrt(norm);
            p_.push_back(std::move(p));
        }
    }

    void remove(std::vector<double>& roi)
    {
        for (size_t j = 0; j <= degree_; ++j) std::fill(columnSums_[j].begin(), columnSums_[j].end(), 0.0);
        for (size_t y = 0; y < n_; ++y) {
            const double* row = &roi[y * n_];
            for (size_t j = 0; j <= degree_; ++j) {
                const double w = p_[j][y];
                double* sums = columnSums_[j].data();
                for (size_t x = 0; x < n_; ++x) sums[x] += w * row[x];
            }
        }
        // rowTrend_[j](x) = sum over i <= degree - j of c_ij p_i(x), c_ij = sum_x p_i(x) columnSums_[j](x).
        for (size_t j = 0; j <= degree_; ++j) {
            std::fill(rowTrend_[j].begin(), rowTrend_[j].end(), 0.0);
            for (size_t i = 0; i + j <= degree_; ++i) {
                double c = 0;
                for (size_t x = 0; x < n_; ++x) c += p_[i][x] * columnSums_[j][x];
                for (size_t x = 0; x < n_; ++x) rowTrend_[j][x] += c * p_[i][x];
            }
        }
        for (size_t y = 0; y < n_; ++y) {
            double* row = &roi[y * n_];
            for (size_t j = 0; j <= degree_; ++j) {
                const double w = p_[j][y];
                const double* trend = rowTrend_[j].data();
                for (size_t x = 0; x < n_; ++x) row[x] -= w * trend[x];
            }
        }
    }

private:
    size_t n_, degree_;
    std::vector<std::vector<double>> p_; // p0..p_degree
    std::vector<std::vector<double>> columnSums_, rowTrend_;
};

// |DFT|^2 of real N x N ROIs summed. Rows are transformed two at a time as the real and
// imaginary parts of one complex row; of the columns only those up to N/2 are
// transformed, the others being their mirror images, and the sums are kept for those
// alone, column by column. That is N + 1 transforms of N points per ROI instead of 2 N.
class PowerSum {
public:
    explicit PowerSum(int32_t n)
        : n_(static_cast<size_t>(n)), half_(n_ / 2 + 1), fft_(std::make_unique<FftArrays>()), re_(n_ * half_),
          im_(re_.size()), sum_(re_.size(), 0.0)
    {
        fft_->PointCount = n;
        fft_->fullTurn = 2 * std::numbers::pi;
    }

    void add(const std::vector<double>& roi)
    {
        const size_t n = n_, half = half_;
        FftArrays& f = *fft_;
        for (size_t row = 0; row < n; row += 2) {
            for (size_t x = 0; x < n; ++x) {
                f.FftRe[x] = roi[row * n + x];
                f.FftIm[x] = roi[(row + 1) * n + x];
            }
            FFT(f);
            // Column k of the rows' spectra at rows row and row + 1, from Z(k) and Z(N - k).
            for (size_t k = 0; k < half; ++k) {
                const size_t m = (n - k) % n;
                const double zr = f.FftRe[k], zi = f.FftIm[k], mr = f.FftRe[m], mi = f.FftIm[m];
                re_[k * n + row] = (zr + mr) / 2;
                im_[k * n + row] = (zi - mi) / 2;
                re_[k * n + row + 1] = (zi + mi) / 2;
                im_[k * n + row + 1] = (mr - zr) / 2;
            }
        }
        for (size_t k = 0; k < half; ++k) {
            std::copy_n(&re_[k * n], n, f.FftRe.begin());
            std::copy_n(&im_[k * n], n, f.FftIm.begin());
            FFT(f);
            double* sum = &sum_[k * n];
            for (size_t y = 0; y < n; ++y) sum[y] += f.FftRe[y] * f.FftRe[y] + f.FftIm[y] * f.FftIm[y];
        }
    }

    // The sum at (ky, kx) in natural order, a column beyond N/2 from its mirror image.
    double at(size_t ky, size_t kx) const
    {
        if (kx < half_) return sum_[kx * n_ + ky];
        return sum_[(n_ - kx) * n_ + (n_ - ky) % n_];
    }

private:
    size_t n_, half_;
    std::unique_ptr<FftArrays> fft_;
    std::vector<double> re_, im_; // the rows' spectra, column k at [k * N + row], k = 0..N/2
    std::vector<double> sum_;     // column k at [k * N + ky]
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

    TrendRemoval trend(n, settings.detrend);
    PowerSum power(n);
    const auto un = static_cast<size_t>(n);
    std::vector<double> roi(un * un), squares(un);
    double sdSum = 0;
    size_t count = 0;
    for (const HuSlice& s : slices)
        for (int32_t y0 : ys)
            for (int32_t x0 : xs) {
                std::fill(squares.begin(), squares.end(), 0.0);
                double sum = 0;
                for (size_t y = 0; y < un; ++y) {
                    const double* source = &s.values[(static_cast<size_t>(y0) + y) * static_cast<size_t>(s.columns) +
                                                     static_cast<size_t>(x0)];
                    std::copy_n(source, un, &roi[y * un]);
                    for (size_t x = 0; x < un; ++x) squares[x] += source[x] * source[x];
                }
                for (double v : roi) sum += v;
                double total = 0;
                for (double v : squares) total += v;
                const double mean = sum / static_cast<double>(roi.size());
                sdSum += std::sqrt(std::max(0.0, total / static_cast<double>(roi.size()) - mean * mean));
                trend.remove(roi);
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
    r.values.resize(un * un);
    for (size_t v = 0; v < un; ++v)
        for (size_t u = 0; u < un; ++u) r.values[v * un + u] = scale * power.at((v + un / 2) % un, (u + un / 2) % un);

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
