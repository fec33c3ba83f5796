// The image and the texts of a spectrum calculation from the command line.
#include "SpectrumRun.h"

#include "AppError.h"

#include "MeasuredImage.h"

namespace {

std::string chosen(const CommandLine& line, const std::string& option, const std::vector<std::string>& allowed)
{
    const std::string value = *line.option(option);
    for (const std::string& a : allowed)
        if (value == a) return value;
    std::string list;
    for (const std::string& a : allowed) list += (list.empty() ? "" : "|") + a;
    throw UsageError(Msg::optionChoices(option, list));
}

// "Load" writes the segments for direction X; the switch to Y then exchanges them.
SegmentTexts segmentsOf(const CommandLine& line, const std::string& roiWidth, bool directionY)
{
    SegmentTexts loaded = loadSegments(roiWidth);
    if (directionY) loaded = exchanged(loaded);
    SegmentTexts t = loaded;
    if (const auto segment = line.option("--segment")) {
        const auto xy = commaFields("--segment", *segment, 2);
        t = withHalfShifts(xy[0], xy[1]);
    }
    if (const auto shift = line.option("--shift")) {
        const auto xy = commaFields("--shift", *shift, 2);
        t.shiftX = xy[0];
        t.shiftY = xy[1];
    }
    return t;
}

} // namespace

SpectrumRun spectrumRunOf(const CommandLine& line)
{
    const bool directionY = line.option("--direction") && chosen(line, "--direction", {"X", "Y"}) == "Y";
    const bool hamming = !line.option("--window") || chosen(line, "--window", {"rect", "hamming"}) == "hamming";
    const RoiTexts roi = roiOf(line);

    SpectrumRun run;
    run.fileName = line.path;
    run.image = loadMeasuredImage(line.path, loadModeOf(line), typedGeometryOf(line), run.viewer);
    const Rect rect = roiRectOf(roi);

    SpectrumTexts& t = run.texts;
    t.imageWidth = run.viewer.columns;
    t.factor = line.option("--factor").value_or(DefaultFactor);
    t.offset = run.viewer.offset;
    t.roiWidth = roi.w;
    t.roiHeight = roi.h;
    t.roiX = roi.x;
    t.roiY = roi.y;
    t.segments = segmentsOf(line, roi.w, directionY);
    t.limit = line.option("--limit").value_or(DefaultSegmentLimit);
    t.header = run.viewer.header;
    t.bandTrend = line.option("--band-trend").has_value();
    t.bandDegree = line.option("--band-trend").value_or(DefaultTrendDegree);
    t.segmentTrend = line.option("--segment-trend").has_value();
    t.segmentDegree = line.option("--segment-trend").value_or(DefaultTrendDegree);
    t.pixelSpacing = run.viewer.pixelSpacing;
    t.swap = run.viewer.swap;
    t.directionY = directionY;
    t.hamming = hamming;
    t.x0 = rect.Left;
    t.y0 = rect.Top;
    t.imageColumns = run.image.columns;
    t.imageRows = run.image.rows;
    return run;
}
