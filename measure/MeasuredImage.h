#pragma once
// What the subcommands share: the load options as typed values, the ROI as the
// Viewer's edits give it, and "Stat" on a loaded image.
#include "CommandLine.h"
#include "HeadlessLoad.h"
#include "RoiStatistics.h"

#include <string>

struct RoiTexts {
    std::string x, y, w, h; // "Position" and "Size"
};

LoadMode loadModeOf(const CommandLine& line);
TypedGeometry typedGeometryOf(const CommandLine& line);
RoiTexts roiOf(const CommandLine& line);

// The ROI rectangle in image pixels, as the Viewer derives it from its edits.
Rect roiRectOf(const RoiTexts& roi);

// The codec's warnings on a decoded file, on standard error, each after the file's path:
// the window shows them in its summary.
void printDecodingWarnings(const std::string& path, const std::string& warnings);

// loadImage, with the load's warning (a file cut short) on standard error.
LoadedImage loadMeasuredImage(const std::string& path, LoadMode mode, const TypedGeometry& typed, ViewerTexts& texts);

// "Stat" on the image with the Viewer's texts as they stand; a ROI that reaches rows the
// file does not hold is refused, naming the file.
RoiStatisticsTexts measureRoi(const std::string& path, const LoadedImage& image, const ViewerTexts& texts,
                              const Rect& roi);
