// dprime: the TaskIQ window's d′ page on the insert's slices and the uniform slices,
// with every parameter of the task and the eye filter as options.
#include "Commands.h"
#include "HuSeries.h"

#include "AppError.h"
#include "Convert.h"
#include "DetectabilityInputs.h"
#include "DetectabilityReport.h"
#include "Json.h"

namespace {

double numberOption(const CommandLine& line, const std::string& option, double otherwise)
{
    const auto text = line.option(option);
    return text ? static_cast<double>(toFloat(*text)) : otherwise;
}

DiskTask taskOf(const CommandLine& line, const TtfResult& ttf)
{
    DiskTask task = defaultTask(ttf);
    task.diameterMm = numberOption(line, "--diameter", task.diameterMm);
    task.contrastHu = numberOption(line, "--contrast", task.contrastHu);
    if (const auto profile = line.option("--profile")) {
        if (*profile != "flat" && *profile != "designer")
            throw UsageError(Msg::optionChoices("--profile", "flat|designer"));
        task.profile = *profile == "designer" ? DiskTask::Profile::designer : DiskTask::Profile::flat;
    }
    task.designerExponent = numberOption(line, "--designer-n", task.designerExponent);
    return task;
}

EyeFilter eyeOf(const CommandLine& line)
{
    EyeFilter eye;
    eye.exponent = numberOption(line, "--eye-n", eye.exponent);
    eye.coefficient = numberOption(line, "--eye-c", eye.coefficient);
    eye.power = numberOption(line, "--eye-gamma", eye.power);
    eye.viewingDistanceMm = numberOption(line, "--distance", eye.viewingDistanceMm);
    eye.magnification = numberOption(line, "--magnification", eye.magnification);
    eye.internalNoise = numberOption(line, "--internal-noise", eye.internalNoise);
    return eye;
}

TtfResult insertTtfOf(const CommandLine& line, const HuSeries& series)
{
    const auto centre = commaFields("--insert", *line.option("--insert"), 2);
    TtfSettings settings;
    settings.pixelSpacing = series.pixelSpacing;
    settings.centreX = static_cast<double>(toFloat(centre[0]));
    settings.centreY = static_cast<double>(toFloat(centre[1]));
    settings.diameter = numberOption(line, "--insert-diameter", DefaultInsertDiameter);
    return measureInsertTtf(series.slices, settings);
}

NpsResult npsOf(const CommandLine& line, const HuSeries& series)
{
    const auto frame = commaFields("--frame", *line.option("--frame"), 4);
    NpsSettings settings;
    settings.pixelSpacing = series.pixelSpacing;
    settings.frame = {toInt(frame[0]), toInt(frame[1]), toInt(frame[2]), toInt(frame[3])};
    if (const auto size = line.option("--roi-size")) settings.roiSize = toInt(*size);
    if (const auto detrend = line.option("--detrend")) {
        if (*detrend != "poly2" && *detrend != "mean") throw UsageError(Msg::optionChoices("--detrend", "poly2|mean"));
        settings.detrend = *detrend == "mean" ? NpsDetrend::Mean : NpsDetrend::Poly2;
    }
    return measureNps2D(series.slices, settings);
}

} // namespace

int runDprime(const CommandLine& line, std::ostream& out)
{
    const HuSeries insert = loadHuSeries(*line.option("--ttf"), line);
    const HuSeries uniform = loadHuSeries(*line.option("--nps"), line);
    const TtfResult ttf = insertTtfOf(line, insert);
    const NpsResult nps = npsOf(line, uniform);
    const DetectabilityResult result =
        calculateDetectability(taskOf(line, ttf), eyeOf(line), ttfCurveOf(ttf), npsGridOf(nps),
                               detectabilityInputs(ttf, insert.files, nps, uniform.files));
    const ReportDocument report = detectabilityReport(result);
    if (line.json) {
        out << Json::object()
                   .add("npw", dprimeText(result.d.npw))
                   .add("npwe", dprimeText(result.d.npwe))
                   .add("diameters", rowsAsObjects(report.sections.back().rows, {"diameter", "npw", "npwe"}))
                   .dump();
    } else {
        out << reportText(report, false);
    }
    return 0;
}
