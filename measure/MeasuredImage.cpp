#include "MeasuredImage.h"

#include "AppError.h"

#include "Convert.h"

#include <iostream>
#include <sstream>

LoadMode loadModeOf(const CommandLine& line)
{
    const std::string mode = line.option("--mode").value_or("dicom");
    if (mode == "8bit") return LoadMode::EightBit;
    if (mode == "16bit") return LoadMode::SixteenBit;
    if (mode == "dicom") return LoadMode::Dicom;
    throw UsageError(Msg::modeChoices);
}

TypedGeometry typedGeometryOf(const CommandLine& line)
{
    TypedGeometry typed;
    if (const auto size = line.option("--size")) {
        const auto xy = commaFields("--size", *size, 2);
        typed.size = xy[0] + " " + xy[1];
    }
    typed.header = line.option("--header");
    typed.offset = line.option("--offset");
    typed.pixelSpacing = line.option("--spacing");
    return typed;
}

RoiTexts roiOf(const CommandLine& line)
{
    const auto f = commaFields("--roi", *line.option("--roi"), 4);
    return {f[0], f[1], f[2], f[3]};
}

Rect roiRectOf(const RoiTexts& roi) { return deriveRoiRect(toInt(roi.x), toInt(roi.y), toInt(roi.w), toInt(roi.h)); }

LoadedImage loadMeasuredImage(const std::string& path, LoadMode mode, const TypedGeometry& typed, ViewerTexts& texts)
{
    LoadedImage image = loadImage(path, mode, typed, texts);
    printDecodingWarnings(path, image.decodingWarnings);
    if (!image.warning.empty()) std::cerr << image.warning << "\n";
    return image;
}

RoiStatisticsTexts measureRoi(const std::string& path, const LoadedImage& image, const ViewerTexts& texts,
                              const Rect& roi)
{
    const SampleLayout layout = sampleLayout(texts, image.columns);
    const SampleBlock block = roiSampleBlock(roi, ViewWindowRect{});
    if (!image.warning.empty()) refuseRoiInMissingRows(block, layout, image.rows, image.bytes.size(), path);
    return roiStatisticsTexts(roiStatistics(image.bytes, layout, image.rows, block));
}

void printDecodingWarnings(const std::string& path, const std::string& warnings)
{
    std::istringstream lines(warnings);
    for (std::string line; std::getline(lines, line);) std::cerr << path << ": " << line << "\n";
}
