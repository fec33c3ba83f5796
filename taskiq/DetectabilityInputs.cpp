// d′'s inputs and the names of where they come from, from the TTF and NPS results.
#include "DetectabilityInputs.h"

#include "NumberFormat.h"

TtfCurve ttfCurveOf(const TtfResult& ttf)
{
    TtfCurve curve;
    for (const TtfSample& s : ttf.ttf) {
        curve.frequencyPerMm.push_back(s.frequency);
        curve.value.push_back(s.value);
    }
    return curve;
}

// Both lay the grid out with zero frequency in the middle.
NpsGrid npsGridOf(const NpsResult& nps) { return {nps.size, nps.pixelSpacing, nps.values}; }

DiskTask defaultTask(const TtfResult& ttf) { return {DefaultTaskDiameter, ttf.contrast, DiskTask::Profile::flat, 1.0}; }

namespace {

std::string joined(const std::vector<std::string>& files)
{
    std::string text;
    for (const std::string& f : files) text += (text.empty() ? "" : ", ") + f;
    return text;
}

std::string pixels(double x, double y) { return formatGeneral(x) + "," + formatGeneral(y); }

} // namespace

NamedValues detectabilityInputs(const TtfResult& ttf, const std::vector<std::string>& ttfFiles, const NpsResult& nps,
                                const std::vector<std::string>& npsFiles)
{
    const PixelFrame& f = nps.settings.frame;
    return {
        {"TTF files", joined(ttfFiles)},
        {"TTF insert", "centre " + pixels(ttf.settings.centreX, ttf.settings.centreY) + " px (refined " +
                           pixels(ttf.centreX, ttf.centreY) + "), diameter " + formatGeneral(ttf.settings.diameter) +
                           " mm, contrast " + formatGeneral(ttf.contrast) + " HU"},
        {"NPS files", joined(npsFiles)},
        {"NPS ROIs", "frame " + std::to_string(f.left) + "," + std::to_string(f.top) + "," + std::to_string(f.width) +
                         "," + std::to_string(f.height) + " px, " + std::to_string(nps.settings.roiSize) + " x " +
                         std::to_string(nps.settings.roiSize) + " ROIs (" + std::to_string(nps.roiCount) + "), " +
                         (nps.settings.detrend == NpsDetrend::Mean ? "mean" : "second-order polynomial") + " removed"},
    };
}

MeasurementSource detectabilitySource(const MeasurementSource& ttf, const MeasurementSource& nps)
{
    MeasurementSource source{ttf.files, nps.roi, ttf.parameters};
    source.files.insert(source.files.end(), nps.files.begin(), nps.files.end());
    source.parameters.insert(source.parameters.end(), nps.parameters.begin(), nps.parameters.end());
    return source;
}
