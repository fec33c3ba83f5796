#include "SpectrumReport.h"

#include "SpectrumOutputs.h"

namespace {

ReportSection exportSection(const std::string& title, const std::string& fileName, std::vector<std::string> lines)
{
    lines.insert(lines.begin(), exportHeader(fileName));
    return {title, rowsOfText(clipboardText(lines))};
}

} // namespace

ReportDocument spectrumReport(const std::string& segmentCount, const SpectrumState& s, long double dx,
                              const std::string& fileName)
{
    ReportDocument d;
    d.title = "Wiener spectrum";
    d.sections.push_back(resultsSection("Results", {{"Segment#", segmentCount}}));
    d.sections.push_back(exportSection("Wiener spectrum (mm*mm)", fileName, spectrumLines(s, dx)));
    d.sections.push_back(exportSection("ACF", fileName, acfLines(s, dx)));
    return d;
}
