// dprime: the TaskIQ window's d′ page on the insert's series and the uniform series,
// measured as ttf and nps2d measure them, with every parameter of the task and the
// eye filter as options.
#include "Commands.h"
#include "TaskIqOptions.h"

#include "AppError.h"
#include "Convert.h"
#include "DetectabilityInputs.h"
#include "DetectabilityReport.h"
#include "DprimeReport.h"
#include "Json.h"
#include "MeasuredImage.h"
#include "TaskIqMeasurement.h"

namespace {

double numberOption(const CommandLine& line, const std::string& option, double otherwise)
{
    const auto text = line.option(option);
    return text ? static_cast<double>(toFloat(*text)) : otherwise;
}

DiskTask taskOf(const CommandLine& line, const TtfResult& ttf)
{
    DiskTask task = defaultTask(ttf);
    task.diameterMm = numberOption(line, "--task-diameter", task.diameterMm);
    task.contrastHu = numberOption(line, "--task-contrast", task.contrastHu);
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

SliceFiles sliceFilesOf(const CommandLine& line, const std::string& option)
{
    return {chosenFiles(line, *line.option(option)), loadModeOf(line), typedGeometryOf(line), {}};
}

} // namespace

int runDprime(const CommandLine& line, std::ostream& out)
{
    const auto centre = commaFields("--centre", *line.option("--centre"), 2);
    const TtfOfFiles ttf = measureTtfOfFiles(sliceFilesOf(line, "--ttf"), static_cast<double>(toFloat(centre[0])),
                                             static_cast<double>(toFloat(centre[1])),
                                             numberOption(line, "--diameter", DefaultInsertDiameter));
    SliceFiles uniform = sliceFilesOf(line, "--nps");
    const RoiTexts roi = roiOf(line);
    uniform.roi = roiText(roi.x, roi.y, roi.w, roi.h);
    const int32_t roiSize = line.option("--roi-size") ? toInt(*line.option("--roi-size")) : DefaultNpsRoiSize;
    const NpsOfFiles nps = measureNpsOfFiles(uniform, {}, roiRectOf(roi), roiSize, detrendOf(line));

    const DetectabilityResult result =
        calculateDetectability(taskOf(line, ttf.result), eyeOf(line), ttfCurveOf(ttf.result), npsGridOf(nps.result),
                               detectabilityInputs(ttf.result, ttf.source.files, nps.result, nps.source.files));
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
    if (const auto pdf = line.option("--report"))
        saveDprimeReport(QString::fromStdString(*pdf), result, detectabilitySource(ttf.source, nps.source));
    return 0;
}
