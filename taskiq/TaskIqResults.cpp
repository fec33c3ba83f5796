// The result texts of the TTF and the 2-D NPS.
#include "TaskIqResults.h"

#include <cmath>
#include <cstdio>

namespace {

std::string fixed(double value, int decimals)
{
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string significant(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

std::string frequencyText(const std::optional<double>& f) { return f ? fixed(*f, 4) : "not reached"; }

std::string detrendText(NpsDetrend d) { return d == NpsDetrend::Poly2 ? "poly2" : "mean"; }

ReportSection resultSection(const std::vector<ResultText>& texts)
{
    NamedValues values;
    for (const ResultText& t : texts) values.emplace_back(t.caption, t.value);
    return resultsSection("Results", values);
}

} // namespace

std::string warningText(TtfWarning warning)
{
    switch (warning) {
    case TtfWarning::LowCnr: return "CNR below 15: the TTF is noisy";
    case TtfWarning::NearImageEdge: return "the insert lies less than twice its radius inside the image";
    case TtfWarning::EsfNotMonotonic: return "the ESF does not rise or fall monotonically through the edge";
    }
    return {};
}

std::vector<ResultText> ttfResultTexts(const TtfResult& r)
{
    std::string warnings;
    for (TtfWarning w : r.warnings) warnings += (warnings.empty() ? "" : "; ") + warningText(w);
    return {
        {"f50", "f50 (mm⁻¹)", frequencyText(r.f50)},
        {"f10", "f10 (mm⁻¹)", frequencyText(r.f10)},
        {"contrast", "Contrast (HU)", fixed(r.contrast, 2)},
        {"background_sd", "Background SD (HU)", fixed(r.backgroundSd, 2)},
        {"cnr", "CNR", fixed(r.cnr, 1)},
        {"slices", "Slices", std::to_string(r.sliceCount)},
        {"centre", "Refined centre (px)", fixed(r.centreX, 2) + ", " + fixed(r.centreY, 2)},
        {"edge_radius", "Edge radius (mm)", fixed(r.edgeRadius, 3)},
        {"warnings", "Warnings", warnings.empty() ? "none" : warnings},
    };
}

std::vector<ResultText> npsResultTexts(const NpsResult& r)
{
    return {
        {"noise", "Noise, sqrt of the NPS integral (HU)", fixed(r.noise, 3)},
        {"mean_roi_sd", "Mean ROI SD (HU)", fixed(r.meanRoiSd, 3)},
        {"f_peak", "f_peak (mm⁻¹)", fixed(r.fPeak, 4)},
        {"f_av", "f_av (mm⁻¹)", fixed(r.fAverage, 4)},
        {"rois", "ROIs", std::to_string(r.roiCount)},
        {"slices", "Slices", std::to_string(r.sliceCount)},
        {"roi_size", "ROI size (px)", std::to_string(r.size)},
        {"frequency_step", "Frequency step (mm⁻¹)", significant(r.frequencyStep, 6)},
    };
}

std::vector<TextRow> ttfTable(const TtfResult& r)
{
    std::vector<TextRow> rows{{FrequencyCaption, TtfCaption}};
    for (const TtfSample& s : r.ttf) rows.push_back({fixed(s.frequency, 3), fixed(s.value, 4)});
    return rows;
}

std::vector<TextRow> esfTable(const TtfResult& r)
{
    std::vector<TextRow> rows{{DistanceCaption, EsfCaption}};
    for (size_t k = 0; k < r.esf.size(); ++k)
        rows.push_back({fixed((static_cast<double>(k) + 0.5) * r.esfBinWidth, 3), fixed(r.esf[k], 3)});
    return rows;
}

std::vector<TextRow> radialNpsTable(const NpsResult& r)
{
    std::vector<TextRow> rows{{FrequencyCaption, NpsCaption}};
    for (const RadialNpsSample& s : r.radial) rows.push_back({fixed(s.frequency, 4), significant(s.value, 6)});
    return rows;
}

NamedValues ttfParameters(const TtfResult& r)
{
    const TtfSettings& s = r.settings;
    return {{"Pixel spacing (mm)", significant(s.pixelSpacing, 6)},
            {"Given centre (px)", significant(s.centreX, 6) + ", " + significant(s.centreY, 6)},
            {"Insert diameter (mm)", significant(s.diameter, 6)},
            {"ESF bin (mm)", significant(r.esfBinWidth, 6)}};
}

NamedValues npsParameters(const NpsResult& r)
{
    const NpsSettings& s = r.settings;
    const PixelFrame& f = s.frame;
    return {{"Pixel spacing (mm)", significant(s.pixelSpacing, 6)},
            {"ROI frame (px)", std::to_string(f.left) + ", " + std::to_string(f.top) + ", " + std::to_string(f.width) +
                                   " x " + std::to_string(f.height)},
            {"ROI size (px)", std::to_string(s.roiSize)},
            {"Detrend", detrendText(s.detrend)},
            {"Difference of two series", r.difference ? "yes" : "no"}};
}

ReportDocument ttfReport(const TtfResult& r)
{
    ReportDocument d;
    d.title = "TTF of a circular insert";
    d.sections.push_back(resultSection(ttfResultTexts(r)));
    d.sections.push_back({"TTF", ttfTable(r)});
    d.sections.push_back({"ESF", esfTable(r)});
    return d;
}

ReportDocument npsReport(const NpsResult& r)
{
    ReportDocument d;
    d.title = "2-D noise power spectrum";
    d.sections.push_back(resultSection(npsResultTexts(r)));
    d.sections.push_back({"Radial NPS", radialNpsTable(r)});
    return d;
}
