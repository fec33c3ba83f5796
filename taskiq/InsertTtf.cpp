// The TTF of a circular insert: centre refinement, ESF, LSF, transform and results.
#include "InsertTtf.h"

#include "AppError.h"
#include "Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Bins per pixel spacing: the ESF is oversampled ten times, which carries the TTF past
// the image's Nyquist frequency.
constexpr int BinsPerPixel = 10;
// Pixels kept between the edge and the regions whose means give the contrast, so that
// the blur of the edge stays out of them.
constexpr double ContrastMargin = 2;
constexpr double MaxFrequencyStep = 0.01; // mm^-1
constexpr int CentreIterations = 20;
constexpr double CentreTolerance = 1e-4; // pixels

bool insideImage(const HuSlice& image, double x, double y)
{
    return x >= 0 && x <= image.columns - 1 && y >= 0 && y <= image.rows - 1;
}

// The pixels of the image around the centre that a measurement reads: a box with the
// given radius in pixels, clipped to the image.
struct PixelBox {
    int32_t x0, y0, x1, y1; // inclusive
};

PixelBox boxAround(double cx, double cy, double radius, const HuSlice& image)
{
    const auto lo = [](double v) { return static_cast<int32_t>(std::max(0.0, std::floor(v))); };
    const auto hi = [](double v, int32_t size) { return static_cast<int32_t>(std::min(size - 1.0, std::ceil(v))); };
    return {lo(cx - radius), lo(cy - radius), hi(cx + radius, image.columns), hi(cy + radius, image.rows)};
}

HuSlice averageSlice(const std::vector<HuSlice>& slices, const PixelBox& box)
{
    HuSlice average{slices.front().columns, slices.front().rows, {}};
    average.values.assign(slices.front().values.size(), 0.0);
    const double share = 1.0 / static_cast<double>(slices.size());
    for (const HuSlice& s : slices)
        for (int32_t y = box.y0; y <= box.y1; ++y)
            for (int32_t x = box.x0; x <= box.x1; ++x)
                average.values[static_cast<size_t>(y) * static_cast<size_t>(s.columns) + static_cast<size_t>(x)] +=
                    s.at(x, y) * share;
    return average;
}

// Means inside the insert and in its background annulus, about a centre, in pixels.
struct RegionMeans {
    double insert = 0, background = 0;
};

RegionMeans regionMeans(const HuSlice& image, double cx, double cy, double radius)
{
    const double inner = radius - ContrastMargin, outer0 = radius + ContrastMargin, outer1 = 2 * radius;
    double sumIn = 0, sumOut = 0;
    long long nIn = 0, nOut = 0;
    const PixelBox box = boxAround(cx, cy, outer1, image);
    for (int32_t y = box.y0; y <= box.y1; ++y)
        for (int32_t x = box.x0; x <= box.x1; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d < inner) {
                sumIn += image.at(x, y);
                ++nIn;
            } else if (d >= outer0 && d <= outer1) {
                sumOut += image.at(x, y);
                ++nOut;
            }
        }
    if (nIn == 0 || nOut == 0) throw AppError(Msg::insertHoldsNoPixels);
    return {sumIn / static_cast<double>(nIn), sumOut / static_cast<double>(nOut)};
}

// The contrast-weighted centroid within 1.5 radii, iterated: the background's weights
// average to zero, so pixels of the window that the insert does not cover pull nowhere.
void refineCentre(const HuSlice& average, double radius, double& cx, double& cy)
{
    for (int i = 0; i < CentreIterations; ++i) {
        const RegionMeans means = regionMeans(average, cx, cy, radius);
        const double sign = means.insert >= means.background ? 1 : -1;
        const double window = 1.5 * radius;
        const PixelBox box = boxAround(cx, cy, window, average);
        double sw = 0, sx = 0, sy = 0;
        for (int32_t y = box.y0; y <= box.y1; ++y)
            for (int32_t x = box.x0; x <= box.x1; ++x) {
                if (std::hypot(x - cx, y - cy) >= window) continue;
                const double w = sign * (average.at(x, y) - means.background);
                sw += w;
                sx += w * x;
                sy += w * y;
            }
        if (!(sw > 0)) throw AppError(Msg::insertWithoutContrast);
        const double nx = sx / sw, ny = sy / sw;
        if (!insideImage(average, nx, ny)) throw AppError(Msg::insertCentreOutside(nx, ny));
        const double shift = std::hypot(nx - cx, ny - cy);
        cx = nx;
        cy = ny;
        if (shift < CentreTolerance) break;
    }
}

// Every pixel within two radii of the centre, of every slice, summed into bins of a
// tenth of a pixel by its distance; the contrast regions summed beside.
struct Binned {
    std::vector<double> sum;
    std::vector<long long> count;
    double insertSum = 0, backgroundSum = 0, backgroundSquares = 0;
    long long insertCount = 0, backgroundCount = 0;
};

Binned binByDistance(const std::vector<HuSlice>& slices, double cx, double cy, double radius)
{
    const double outer = 2 * radius;
    Binned b;
    const auto bins = static_cast<size_t>(std::ceil(outer * BinsPerPixel));
    b.sum.assign(bins, 0.0);
    b.count.assign(bins, 0);
    const PixelBox box = boxAround(cx, cy, outer, slices.front());
    for (int32_t y = box.y0; y <= box.y1; ++y)
        for (int32_t x = box.x0; x <= box.x1; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (d >= outer) continue;
            const auto bin = std::min(bins - 1, static_cast<size_t>(d * BinsPerPixel));
            const bool inside = d < radius - ContrastMargin, background = d >= radius + ContrastMargin;
            for (const HuSlice& s : slices) {
                const double v = s.at(x, y);
                b.sum[bin] += v;
                ++b.count[bin];
                if (inside) {
                    b.insertSum += v;
                    ++b.insertCount;
                } else if (background) {
                    b.backgroundSum += v;
                    b.backgroundSquares += v * v;
                    ++b.backgroundCount;
                }
            }
        }
    if (b.insertCount == 0 || b.backgroundCount == 0) throw AppError(Msg::insertHoldsNoPixels);
    return b;
}

// Bin means, empty bins interpolated linearly between their filled neighbours (and
// the nearest filled one beyond the ends).
std::vector<double> binMeans(const Binned& b)
{
    const size_t n = b.sum.size();
    std::vector<double> esf(n, 0.0);
    std::vector<size_t> filled;
    for (size_t k = 0; k < n; ++k)
        if (b.count[k] > 0) {
            esf[k] = b.sum[k] / static_cast<double>(b.count[k]);
            filled.push_back(k);
        }
    if (filled.empty()) throw AppError(Msg::insertHoldsNoPixels);
    size_t next = 0; // the first filled bin at or after k
    for (size_t k = 0; k < n; ++k) {
        while (next < filled.size() && filled[next] < k) ++next;
        if (b.count[k] > 0) continue;
        if (next == 0) esf[k] = esf[filled.front()];
        else if (next == filled.size()) esf[k] = esf[filled.back()];
        else {
            const size_t a = filled[next - 1], c = filled[next];
            esf[k] = esf[a] + (esf[c] - esf[a]) * static_cast<double>(k - a) / static_cast<double>(c - a);
        }
    }
    return esf;
}

// The ESF averaged over pixel-wide rings, the scale at which its noise is small enough
// to find the edge and judge its shape. A ring without pixels has a NaN mean.
struct Ring {
    double mean = 0;
    long long count = 0;
};

std::vector<Ring> pixelRings(const Binned& b)
{
    std::vector<Ring> rings;
    for (size_t start = 0; start < b.sum.size(); start += BinsPerPixel) {
        Ring ring;
        double sum = 0;
        for (size_t k = start; k < std::min(b.sum.size(), start + BinsPerPixel); ++k) {
            sum += b.sum[k];
            ring.count += b.count[k];
        }
        ring.mean = ring.count > 0 ? sum / static_cast<double>(ring.count) : std::nan("");
        rings.push_back(ring);
    }
    return rings;
}

// The radius in pixels where the rings cross half-way between the insert and the
// background, the crossing nearest the nominal radius; the nominal radius without one.
double edgeRadius(const std::vector<Ring>& rings, double half, double radius)
{
    std::optional<double> best;
    for (size_t j = 0; j + 1 < rings.size(); ++j) {
        const double a = rings[j].mean - half, c = rings[j + 1].mean - half;
        if (std::isnan(a) || std::isnan(c) || a * c > 0 || a == c) continue;
        const double r = static_cast<double>(j) + 0.5 + a / (a - c);
        if (!best || std::fabs(r - radius) < std::fabs(*best - radius)) best = r;
    }
    return best.value_or(radius);
}

// True when the rings move from the insert's level to the background's without turning
// back by more than three times their noise, from two rings inside the 95 % level to two
// rings beyond the 5 % level (an overshoot of the edge lies there).
bool monotonicThroughEdge(const std::vector<Ring>& rings, double edge, double contrast, double backgroundMean,
                          double sd)
{
    const auto n = static_cast<int64_t>(rings.size());
    const double sign = contrast >= 0 ? 1 : -1;
    const auto level = [&](int64_t j) {
        return sign * (rings[static_cast<size_t>(j)].mean - backgroundMean) / std::fabs(contrast);
    };
    const int64_t edgeRing = std::clamp<int64_t>(static_cast<int64_t>(edge), 0, n - 1);
    int64_t first = edgeRing, last = edgeRing;
    while (first > 0 && !(level(first) >= 0.95)) --first;
    while (last < n - 1 && !(level(last) <= 0.05)) ++last;
    first = std::max<int64_t>(0, first - 2);
    last = std::min<int64_t>(n - 1, last + 2);
    for (int64_t j = first; j < last; ++j) {
        const Ring& a = rings[static_cast<size_t>(j)];
        const Ring& c = rings[static_cast<size_t>(j) + 1];
        if (a.count == 0 || c.count == 0) continue;
        const double noise = sd * std::sqrt(1.0 / static_cast<double>(a.count) + 1.0 / static_cast<double>(c.count));
        if (level(j + 1) - level(j) > 3 * noise / std::fabs(contrast) + 1e-9) return false;
    }
    return true;
}

// The magnitude of the windowed LSF's Fourier transform at frequency f (mm^-1): the
// terms rotate by a fixed angle from bin to bin.
double transformMagnitude(const std::vector<double>& lsf, size_t first, double binWidth, double f)
{
    const double step = -2 * std::numbers::pi * f * binWidth;
    const double start = step * static_cast<double>(first + 1);
    double re = 0, im = 0, c = std::cos(start), s = std::sin(start);
    const double cs = std::cos(step), ss = std::sin(step);
    for (size_t k = first; k < lsf.size(); ++k) {
        re += lsf[k] * c;
        im += lsf[k] * s;
        const double nc = c * cs - s * ss;
        s = s * cs + c * ss;
        c = nc;
    }
    return std::hypot(re, im);
}

std::optional<double> fallFrequency(const std::vector<TtfSample>& ttf, double level)
{
    for (size_t i = 1; i < ttf.size(); ++i)
        if (ttf[i].value <= level) {
            const TtfSample& a = ttf[i - 1];
            const TtfSample& c = ttf[i];
            return a.frequency + (a.value - level) / (a.value - c.value) * (c.frequency - a.frequency);
        }
    return std::nullopt;
}

} // namespace

TtfResult measureInsertTtf(const std::vector<HuSlice>& slices, const TtfSettings& settings)
{
    checkSlices(slices);
    checkPixelSpacing(settings.pixelSpacing);
    if (!(settings.diameter > 0) || !std::isfinite(settings.diameter))
        throw AppError(Msg::insertDiameterNotPositive(settings.diameter));
    const HuSlice& first = slices.front();
    if (!insideImage(first, settings.centreX, settings.centreY))
        throw AppError(Msg::insertCentreOutside(settings.centreX, settings.centreY));
    // An insert wider than the image has no background; the bound also keeps the ESF's
    // bins few.
    if (settings.diameter / settings.pixelSpacing > std::max(first.columns, first.rows))
        throw AppError(Msg::insertLargerThanImage(settings.diameter));

    TtfResult r;
    r.settings = settings;
    r.sliceCount = slices.size();
    const double spacing = settings.pixelSpacing;
    const double radius = settings.diameter / 2 / spacing; // pixels

    r.centreX = settings.centreX;
    r.centreY = settings.centreY;
    // The average covers every place the refinement may move the centre to.
    const HuSlice average = averageSlice(slices, boxAround(r.centreX, r.centreY, 3 * radius, first));
    refineCentre(average, radius, r.centreX, r.centreY);

    const Binned binned = binByDistance(slices, r.centreX, r.centreY, radius);
    r.esfBinWidth = spacing / BinsPerPixel;
    r.esf = binMeans(binned);
    const double insertMean = binned.insertSum / static_cast<double>(binned.insertCount);
    const double backgroundMean = binned.backgroundSum / static_cast<double>(binned.backgroundCount);
    r.contrast = insertMean - backgroundMean;
    const double variance =
        binned.backgroundSquares / static_cast<double>(binned.backgroundCount) - backgroundMean * backgroundMean;
    r.backgroundSd = std::sqrt(std::max(0.0, variance));
    r.cnr = r.backgroundSd > 0 ? std::fabs(r.contrast) / r.backgroundSd * std::sqrt(static_cast<double>(slices.size()))
                               : std::numeric_limits<double>::infinity();

    const std::vector<Ring> rings = pixelRings(binned);
    const double edge = edgeRadius(rings, backgroundMean + r.contrast / 2, radius); // pixels
    r.edgeRadius = edge * spacing;

    // The derivative between neighbouring bins, under a Hann window centred on the edge
    // and as wide as the ESF allows on both sides of it.
    const double binWidth = r.esfBinWidth;
    const double halfWidth = std::min(edge, 2 * radius - edge) * spacing;
    r.lsf.assign(r.esf.size() - 1, 0.0);
    size_t firstInWindow = r.lsf.size();
    for (size_t k = 0; k < r.lsf.size(); ++k) {
        const double u = (static_cast<double>(k + 1) * binWidth - r.edgeRadius) / halfWidth;
        if (std::fabs(u) >= 1) continue;
        firstInWindow = std::min(firstInWindow, k);
        const double hann = 0.5 * (1 + std::cos(std::numbers::pi * u));
        r.lsf[k] = hann * (r.esf[k + 1] - r.esf[k]) / binWidth;
    }
    if (firstInWindow == r.lsf.size()) throw AppError(Msg::insertHoldsNoPixels);

    const double maxFrequency = std::max(2.0, 1 / spacing);
    const auto steps = static_cast<size_t>(std::ceil(maxFrequency / MaxFrequencyStep - 1e-9));
    const double zero = transformMagnitude(r.lsf, firstInWindow, binWidth, 0);
    if (!(zero > 0)) throw AppError(Msg::insertWithoutContrast);
    for (size_t i = 0; i <= steps; ++i) {
        const double f = maxFrequency * static_cast<double>(i) / static_cast<double>(steps);
        r.ttf.push_back({f, i == 0 ? 1.0 : transformMagnitude(r.lsf, firstInWindow, binWidth, f) / zero});
    }
    r.f50 = fallFrequency(r.ttf, 0.5);
    r.f10 = fallFrequency(r.ttf, 0.1);

    if (r.cnr < MinimumTtfCnr) r.warnings.push_back(TtfWarning::LowCnr);
    const double inside = std::min({r.centreX + 0.5, first.columns - 0.5 - r.centreX, r.centreY + 0.5,
                                    first.rows - 0.5 - r.centreY}); // pixels to the image's nearest side
    if (inside < 2 * radius) r.warnings.push_back(TtfWarning::NearImageEdge);
    if (!monotonicThroughEdge(rings, edge, r.contrast, backgroundMean, r.backgroundSd))
        r.warnings.push_back(TtfWarning::EsfNotMonotonic);
    return r;
}
