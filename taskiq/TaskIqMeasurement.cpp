// Loading the chosen slices and measuring them, with the provenance of the result.
#include "TaskIqMeasurement.h"

#include "Arithmetic.h"
#include "Convert.h"
#include "TaskIqResults.h"

namespace {

double spacingOf(const LoadedSlices& loaded) { return static_cast<double>(toFloat(loaded.pixelSpacing)); }

MeasurementSource sourceOf(const SliceFiles& slices, const std::vector<std::string>& files, NamedValues parameters)
{
    parameters.insert(parameters.begin(), {"Mode", loadModeName(slices.mode)});
    return {files, slices.roi, std::move(parameters)};
}

} // namespace

PixelFrame pixelFrameOf(const Rect& roi)
{
    return {roi.Left, roi.Top, Checked::add(Checked::sub(roi.Right, roi.Left), 1),
            Checked::add(Checked::sub(roi.Bottom, roi.Top), 1)};
}

TypedGeometry viewerGeometry(const ViewerSnapshot& viewer)
{
    if (static_cast<LoadMode>(viewer.mode) == LoadMode::Dicom) return {};
    return {viewer.imageColumns + " " + viewer.imageRows, viewer.header, viewer.offset, viewer.pixelSpacing};
}

TtfOfFiles measureTtfOfFiles(const SliceFiles& slices, double centreX, double centreY, double diameter)
{
    const LoadedSlices loaded = loadHuSlices(slices.files, slices.mode, slices.typed);
    TtfOfFiles t;
    t.result = measureInsertTtf(loaded.slices, {spacingOf(loaded), centreX, centreY, diameter});
    t.source = sourceOf(slices, loaded.files, ttfParameters(t.result));
    return t;
}

NpsOfFiles measureNpsOfFiles(const SliceFiles& slices, const std::vector<std::string>& repeated, const Rect& roi,
                             int32_t roiSize, NpsDetrend detrend)
{
    const LoadedSlices loaded = loadHuSlices(slices.files, slices.mode, slices.typed);
    const NpsSettings settings{spacingOf(loaded), pixelFrameOf(roi), roiSize, detrend};
    NpsOfFiles n;
    std::vector<std::string> files = loaded.files;
    if (repeated.empty()) n.result = measureNps2D(loaded.slices, settings);
    else {
        const LoadedSlices second = loadHuSlices(repeated, slices.mode, slices.typed);
        n.result = measureNps2DDifference(loaded.slices, second.slices, settings);
        files.insert(files.end(), second.files.begin(), second.files.end());
    }
    n.source = sourceOf(slices, files, npsParameters(n.result));
    return n;
}
