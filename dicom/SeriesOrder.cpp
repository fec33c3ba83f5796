#include "SeriesOrder.h"

#include "AppError.h"
#include "FileList.h"
#include "NumberFormat.h"
#include "SliceHeaderCache.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace {

using Vector = std::array<double, 3>;

// The slice normal: the cross product of the row and column directions, or z.
Vector normalOf(const SliceHeader& header)
{
    if (!header.orientation) return {0, 0, 1};
    const auto& o = *header.orientation;
    const Vector normal{o[1] * o[5] - o[2] * o[4], o[2] * o[3] - o[0] * o[5], o[0] * o[4] - o[1] * o[3]};
    if (normal == Vector{0, 0, 0}) return {0, 0, 1};
    return normal;
}

double along(const Vector& normal, const Vector& position)
{
    return normal[0] * position[0] + normal[1] * position[1] + normal[2] * position[2];
}

// The position of every slice along the normal, or nothing when one has none.
std::optional<std::vector<double>> positionsAlong(const Vector& normal, const std::vector<std::string>& slices)
{
    std::vector<double> positions;
    positions.reserve(slices.size());
    for (const std::string& slice : slices) {
        const SliceHeader& header = cachedSliceHeader(slice);
        if (!header.position) return std::nullopt;
        positions.push_back(along(normal, *header.position));
    }
    return positions;
}

// Same positions within what a DS value's decimals hold.
constexpr double samePositionWithin = 1e-6; // mm

} // namespace

OrderedSeries orderedSeries(const std::string& sliceOrFolder)
{
    std::vector<std::string> files = folderFiles(folderOf(sliceOrFolder));
    std::string reference = sliceOrFolder;
    if (reference.empty() || reference.back() == '/') {
        const auto image =
            std::find_if(files.begin(), files.end(), [](const std::string& f) { return cachedSliceHeader(f).image; });
        if (image != files.end()) reference = *image;
    }
    const SliceHeader shown = cachedSliceHeader(reference); // a copy: the cache may move entries
    if (!shown.image) {
        // The shown slice itself, once it can no longer be read, is refused as any slice of its folder is.
        if (std::find(files.begin(), files.end(), reference) != files.end()) refuseUnreadableFiles({reference});
        return {std::move(files), {}};
    }

    const size_t listed = files.size();
    std::erase_if(files, [&](const std::string& f) {
        const SliceHeader& header = cachedSliceHeader(f);
        if (!header.image) refuseUnreadableFiles({f});
        return !header.image || header.seriesUid != shown.seriesUid;
    });
    OrderedSeries series;
    series.ofSeries = true;
    const std::string leftOut = files.size() < listed ? Msg::filesLeftOut(listed - files.size()) : std::string();
    const auto positions = positionsAlong(normalOf(shown), files);
    if (!positions) {
        series.note = Msg::seriesInNameOrder(files.size()) + leftOut;
        series.slices = std::move(files);
        return series;
    }
    // The files are in name order already, so a stable sort breaks ties by name.
    std::vector<size_t> order(files.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return (*positions)[a] < (*positions)[b]; });
    series.slices.reserve(files.size());
    for (size_t i : order) series.slices.push_back(std::move(files[i]));
    series.note = Msg::seriesInPositionOrder(series.slices.size()) + leftOut;
    return series;
}

void refuseUnreadableFiles(const std::vector<std::string>& files)
{
    // A file that cannot be read is never an image; the images, nearly all files, are
    // passed at one look-up each.
    for (const std::string& file : files)
        if (!cachedSliceHeader(file).image)
            if (const std::string& reason = unreadableReason(file); !reason.empty())
                throw AppError(Msg::cannotRead(file, reason));
}

std::string seriesSpacingProblem(const std::vector<std::string>& slices)
{
    if (slices.size() < 2) return {};
    const auto positions = positionsAlong(normalOf(cachedSliceHeader(slices.front())), slices);
    if (!positions) return {};
    const std::vector<double>& p = *positions;
    const auto text = [](double position) { return formatGeneral(position); };
    for (size_t i = 0; i + 1 < p.size(); ++i)
        if (std::abs(p[i + 1] - p[i]) < samePositionWithin)
            return Msg::samePosition(namePart(slices[i]), namePart(slices[i + 1]), text(p[i]));
    // The interval is the median spacing (the upper one of an even count), so that a
    // gap out of step is the one named.
    std::vector<double> gaps;
    for (size_t i = 0; i + 1 < p.size(); ++i) gaps.push_back(p[i + 1] - p[i]);
    std::nth_element(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2), gaps.end());
    const double interval = gaps[gaps.size() / 2];
    for (size_t i = 0; i + 1 < p.size(); ++i)
        if (std::abs(p[i + 1] - p[i] - interval) > std::abs(interval) / 10)
            return Msg::irregularSpacing(namePart(slices[i]), text(p[i]), namePart(slices[i + 1]), text(p[i + 1]),
                                         text(interval));
    return {};
}
