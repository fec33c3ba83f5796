// Choosing and loading the slices of a task-based measurement.
#include "HuSliceLoading.h"

#include "AppError.h"
#include "Samples.h"

#include <charconv>

namespace {

bool parsePosition(const std::string& text, size_t& value)
{
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

HuSlice huSlice(const LoadedImage& image, const ViewerTexts& texts)
{
    const SampleLayout layout = sampleLayout(texts, image.columns);
    if (image.columns < 1 || image.rows < 1 ||
        !wordInside(image.bytes, wordPosition(layout, image.rows - 1, image.columns - 1)) ||
        !wordInside(image.bytes, wordPosition(layout, 0, 0)))
        throw AppError(Msg::imageBeyondFile);
    HuSlice s{image.columns, image.rows, {}};
    s.values.reserve(static_cast<size_t>(image.columns) * static_cast<size_t>(image.rows));
    for (int32_t y = 0; y < image.rows; ++y)
        for (int32_t x = 0; x < image.columns; ++x) s.values.push_back(sampleValue(image.bytes, layout, y, x));
    return s;
}

} // namespace

std::optional<SliceRange> sliceRangeOf(const std::string& text)
{
    const size_t dots = text.find("..");
    SliceRange range;
    if (dots == std::string::npos || !parsePosition(text.substr(0, dots), range.first) ||
        !parsePosition(text.substr(dots + 2), range.last))
        return std::nullopt;
    return range;
}

std::vector<std::string> filesInRange(const std::vector<std::string>& files, const SliceRange& range)
{
    if (range.first < 1 || range.last < range.first || range.last > files.size())
        throw AppError(Msg::sliceRangeOutside(static_cast<long long>(range.first), static_cast<long long>(range.last),
                                              files.size()));
    return {files.begin() + static_cast<std::ptrdiff_t>(range.first - 1),
            files.begin() + static_cast<std::ptrdiff_t>(range.last)};
}

std::vector<std::string> chosenFiles(const std::vector<std::string>& files, SliceChoice choice,
                                     const std::string& rangeText, size_t shown)
{
    switch (choice) {
    case SliceChoice::All: return filesInRange(files, {1, files.size()});
    case SliceChoice::Shown: return filesInRange(files, {shown, shown});
    case SliceChoice::Range: break;
    }
    const std::optional<SliceRange> range = sliceRangeOf(rangeText);
    if (!range) throw AppError(Msg::sliceRangeText(rangeText));
    return filesInRange(files, *range);
}

LoadedSlices loadHuSlices(const std::vector<std::string>& files, LoadMode mode, const TypedGeometry& typed)
{
    if (files.empty()) throw AppError(Msg::noSlicesToMeasure);
    LoadedSlices loaded;
    ViewerTexts texts;
    for (const std::string& path : files) {
        const LoadedImage image = loadImage(path, mode, typed, texts);
        if (loaded.slices.empty()) loaded.pixelSpacing = texts.pixelSpacing;
        loaded.slices.push_back(huSlice(image, texts));
        loaded.files.push_back(path);
    }
    return loaded;
}
