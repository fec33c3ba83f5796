// ttf and nps2d: the TaskIQ window's measurements on the slices of a series, printed as
// text or JSON.
#include "Commands.h"
#include "TaskIqOptions.h"

#include "AppError.h"
#include "Convert.h"
#include "Json.h"
#include "MeasuredImage.h"
#include "MeasurementSeries.h"
#include "SeriesMeasurement.h"
#include "TaskIqReport.h"
#include "TaskIqResults.h"

#include <filesystem>

std::vector<std::string> chosenFiles(const CommandLine& line, const std::string& path)
{
    const bool folder = std::filesystem::is_directory(path);
    if (line.option("--single") && !folder) return {path};
    const std::vector<std::string> files = measurementSeries(path).files;
    if (line.option("--single")) return {files[static_cast<size_t>(middleIndex(static_cast<int>(files.size())))]};
    if (const auto range = line.option("--slices")) {
        const std::optional<SliceRange> parsed = sliceRangeOf(*range);
        if (!parsed) throw UsageError(Msg::sliceRangeText(*range));
        return filesInRange(files, *parsed);
    }
    return files;
}

namespace {

SliceFiles sliceFilesOf(const CommandLine& line)
{
    SliceFiles s{chosenFiles(line, line.path), loadModeOf(line), typedGeometryOf(line), {}};
    if (line.option("--roi")) {
        const RoiTexts roi = roiOf(line);
        s.roi = roiText(roi.x, roi.y, roi.w, roi.h);
    }
    return s;
}

Json filesJson(const MeasurementSource& source)
{
    Json files = Json::array();
    for (const std::string& file : source.files) files.push(Json::text(file));
    return files;
}

Json resultsJson(const MeasurementSource& source, const std::vector<ResultText>& texts)
{
    Json json = Json::object();
    json.add("files", filesJson(source));
    for (const ResultText& t : texts) json.add(t.key, t.value);
    return json;
}

} // namespace

NpsDetrend detrendOf(const CommandLine& line)
{
    const std::string detrend = line.option("--detrend").value_or("poly2");
    if (detrend == "poly2") return NpsDetrend::Poly2;
    if (detrend == "mean") return NpsDetrend::Mean;
    throw UsageError(Msg::optionChoices("--detrend", "poly2|mean"));
}

int runTtf(const CommandLine& line, std::ostream& out)
{
    const SliceFiles slices = sliceFilesOf(line);
    double x = 0, y = 0;
    if (const auto centre = line.option("--centre")) {
        const auto xy = commaFields("--centre", *centre, 2);
        x = static_cast<double>(toFloat(xy[0]));
        y = static_cast<double>(toFloat(xy[1]));
    } else {
        const RoiTexts roi = roiOf(line);
        x = toInt(roi.x);
        y = toInt(roi.y);
    }
    const double diameter =
        line.option("--diameter") ? static_cast<double>(toFloat(*line.option("--diameter"))) : DefaultInsertDiameter;
    const TtfOfFiles ttf = measureTtfOfFiles(slices, x, y, diameter);

    if (line.json) {
        Json json = resultsJson(ttf.source, ttfResultTexts(ttf.result));
        json.add("ttf", rowsAsObjects(ttfTable(ttf.result), {"frequency", "ttf"}));
        json.add("esf", rowsAsObjects(esfTable(ttf.result), {"distance", "esf"}));
        out << json.dump();
    } else {
        out << reportText(ttfReport(ttf.result), false);
    }
    if (const auto pdf = line.option("--report")) saveTtfReport(QString::fromStdString(*pdf), ttf);
    return 0;
}

int runNps2d(const CommandLine& line, std::ostream& out)
{
    const SliceFiles slices = sliceFilesOf(line);
    std::vector<std::string> repeated;
    if (const auto second = line.option("--difference")) repeated = chosenFiles(line, *second);
    const int32_t roiSize = line.option("--roi-size") ? toInt(*line.option("--roi-size")) : DefaultNpsRoiSize;
    const NpsOfFiles nps = measureNpsOfFiles(slices, repeated, roiRectOf(roiOf(line)), roiSize, detrendOf(line));

    if (line.json) {
        Json json = resultsJson(nps.source, npsResultTexts(nps.result));
        json.add("radial", rowsAsObjects(radialNpsTable(nps.result), {"frequency", "nps"}));
        out << json.dump();
    } else {
        out << reportText(npsReport(nps.result), false);
    }
    if (const auto pdf = line.option("--report")) saveNpsReport(QString::fromStdString(*pdf), nps);
    return 0;
}
