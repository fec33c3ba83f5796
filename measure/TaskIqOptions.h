#pragma once
// The options the TaskIQ subcommands share: which slices of a series they take, and
// what each NPS ROI loses before its transform.
#include "CommandLine.h"
#include "NoisePowerSpectrum2D.h"

#include <string>
#include <vector>

// The slices of the series of `path` that --slices or --single choose, all without them.
std::vector<std::string> chosenFiles(const CommandLine& line, const std::string& path);
// --detrend poly2|mean, default poly2.
NpsDetrend detrendOf(const CommandLine& line);
