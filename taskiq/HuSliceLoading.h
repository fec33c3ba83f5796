#pragma once
// The slices a task-based measurement takes, chosen from a series and loaded as the
// Viewer's "⇒" loads them, as HU values.
#include "HeadlessLoad.h"
#include "HuSlice.h"

#include <optional>
#include <string>
#include <vector>

// Positions in the series order, from 1, both ends included.
struct SliceRange {
    size_t first = 1;
    size_t last = 1;
};

// "FIRST..LAST", e.g. "3..12"; nothing for any other text.
std::optional<SliceRange> sliceRangeOf(const std::string& text);

// The files at those positions; fails with Msg::sliceRangeOutside when the range is
// empty or runs past the series.
std::vector<std::string> filesInRange(const std::vector<std::string>& files, const SliceRange& range);

// The items of the TaskIQ window's "Slices": the whole series, a typed range, or the
// shown slice alone.
enum class SliceChoice { All = 0, Range = 1, Shown = 2 };

// The files of a series the choice takes; `shown` is the shown slice's position (from
// 1; 0 when it is not in the series). Fails as filesInRange, or with Msg::sliceRangeText.
std::vector<std::string> chosenFiles(const std::vector<std::string>& files, SliceChoice choice,
                                     const std::string& rangeText, size_t shown);

struct LoadedSlices {
    std::vector<std::string> files; // as loaded, in order
    std::vector<HuSlice> slices;
    std::string pixelSpacing; // the first slice's "PxlSpc" text
};

// Each file loaded as a series is, the texts carried from one load to the next; every
// value is the stored sample plus the offset (the rescale intercept), as "Stat" reads
// it. Fails as the load fails, with Msg::noSlicesToMeasure for no files, and with
// Msg::imageBeyondFile when the image runs past the end of its file.
LoadedSlices loadHuSlices(const std::vector<std::string>& files, LoadMode mode, const TypedGeometry& typed);
