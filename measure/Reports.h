#pragma once
// What --report may write: neither the PDF nor the text beside it may be an input.
#include "CommandLine.h"

#include <string>
#include <vector>

// Fails with UsageError when --report, or the text file written beside it, is one of
// the inputs.
void refuseReportOverInputs(const CommandLine& line, const std::vector<std::string>& inputs);
