#include "SpectrumSetup.h"

#include "Convert.h"

namespace {

Deferred<int32_t> intAhead(const std::string& text)
{
    if (const auto value = tryToInt(text)) return {*value, {}};
    return {0, Msg::notInteger(text)};
}

Deferred<double> floatAhead(const std::string& text)
{
    if (const auto value = tryToFloat(text)) return {static_cast<double>(*value), {}};
    return {0, Msg::notFloat(text)};
}

} // namespace

SegmentTexts loadSegments(const std::string& roiWidth)
{
    return withHalfShifts(std::to_string(toInt(roiWidth) / 4), "16");
}

SegmentTexts withHalfShifts(const std::string& segmentX, const std::string& segmentY)
{
    const std::string shiftX = std::to_string(toInt(segmentX) / 2);
    return {segmentX, segmentY, shiftX, std::to_string(toInt(segmentY) / 2)};
}

SegmentTexts exchanged(const SegmentTexts& t) { return {t.segmentY, t.segmentX, t.shiftY, t.shiftX}; }

SpectrumParameters spectrumParameters(const SpectrumTexts& t)
{
    SpectrumParameters p;
    p.W = toInt(t.imageWidth);
    p.C = static_cast<double>(toFloat(t.factor));
    p.offset = t.offset.empty() ? 0 : toInt(t.offset);
    p.SgX = toInt(t.segments.segmentX);
    p.SgY = toInt(t.segments.segmentY);
    p.RX = toInt(t.roiWidth);
    p.RY = toInt(t.roiHeight);
    p.ShX = toInt(t.segments.shiftX);
    p.ShY = toInt(t.segments.shiftY);
    p.limit = toInt(t.limit);
    p.header = toInt(t.header);
    p.swap = t.swap;
    p.x0 = t.x0;
    p.y0 = t.y0;
    p.directionY = t.directionY;
    p.bandTrend = t.bandTrend;
    if (p.bandTrend) p.bandDegree = intAhead(t.bandDegree);
    p.segmentTrend = t.segmentTrend;
    if (p.segmentTrend) p.segmentDegree = intAhead(t.segmentDegree);
    p.hamming = t.hamming;
    p.pixelSpacing = floatAhead(t.pixelSpacing);
    p.imageColumns = t.imageColumns;
    p.imageRows = t.imageRows;
    return p;
}

NamedValues spectrumParameterRows(const SpectrumTexts& t)
{
    const auto trend = [](bool on, const std::string& degree) { return on ? degree : std::string("off"); };
    return {{"X/Y", t.directionY ? "Y" : "X"},
            {"SegmentSize", t.segments.segmentX + "," + t.segments.segmentY},
            {"Shift", t.segments.shiftX + "," + t.segments.shiftY},
            {"Trnd", trend(t.bandTrend, t.bandDegree)},
            {"Trnd1", trend(t.segmentTrend, t.segmentDegree)},
            {"Window", t.hamming ? "Haming" : "Rect"},
            {"Factor", t.factor},
            {"Segment# limit", t.limit},
            {"mmPS", t.pixelSpacing},
            {"ImageSize X", t.imageWidth},
            {"Header", t.header},
            {"Offset", t.offset},
            {"Swap", t.swap ? "on" : "off"}};
}
