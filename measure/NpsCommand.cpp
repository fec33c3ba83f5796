// nps: the WienerSpectra window's calculation on the ROI of one image, with its
// parameters as options and the defaults of its "Load", printed as text or JSON.
#include "Commands.h"
#include "SpectrumRun.h"

#include "Convert.h"
#include "Json.h"
#include "Reports.h"
#include "SpectrumReport.h"

#include <memory>

namespace {

struct NoProfiles final : ProfileSink {
    void DrawProfile() override {}
};

} // namespace

int runNps(const CommandLine& line, std::ostream& out)
{
    const SpectrumRun run = spectrumRunOf(line);
    refuseReportOverInputs(line, {run.fileName});
    const auto state = std::make_unique<SpectrumState>();
    NoProfiles profiles;
    const int32_t used = calculateSpectrum(*state, spectrumParameters(run.texts), run.image.bytes, profiles);
    const ReportDocument report =
        spectrumReport(std::to_string(used), *state, toFloat(run.texts.pixelSpacing), run.fileName);

    if (line.json) {
        out << Json::object()
                   .add("file", run.fileName)
                   .add("segments", std::to_string(used))
                   .add("spectrum", rowsAsObjects(report.sections[1].rows, {"frequency", "value"}))
                   .add("acf", rowsAsObjects(report.sections[2].rows, {"lag", "value"}))
                   .dump();
    } else {
        out << reportText(report, false);
    }
    if (const auto pdf = line.option("--report")) saveSpectrumReport(run, *pdf);
    return 0;
}
