#pragma once
// The slices of a series as HU, for the task-based measurements: loaded as "⇒" loads
// them, each sample plus the offset the load gives (the rescale intercept).
#include "CommandLine.h"
#include "HuSlice.h"

#include <string>
#include <vector>

struct HuSeries {
    std::vector<std::string> files; // in the order "F.List" lists them
    std::vector<HuSlice> slices;
    double pixelSpacing = 0; // mm, of the first slice
};

// Fails with AppError where a load fails or an image reaches beyond its file.
HuSeries loadHuSeries(const std::string& path, const CommandLine& line);
