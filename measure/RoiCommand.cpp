// roi: "Stat" on one image.
#include "Commands.h"

#include "Json.h"
#include "MeasuredImage.h"

int runRoi(const CommandLine& line, std::ostream& out)
{
    const RoiTexts roi = roiOf(line);
    ViewerTexts texts;
    const LoadedImage image = loadMeasuredImage(line.path, loadModeOf(line), typedGeometryOf(line), texts);
    const RoiStatisticsTexts stats = measureRoi(line.path, image, texts, roiRectOf(roi));
    if (line.json) out << Json::object().add("file", line.path).add("mean", stats.mean).add("sd", stats.sd).dump();
    else out << "Average\t" << stats.mean << "\r\nSD\t" << stats.sd << "\r\n";
    return 0;
}
