#pragma once
// The subcommands of ctiq-measure. Each writes its results to `out` and returns the
// exit status; a refused measurement fails with AppError, bad usage with UsageError.
#include "CommandLine.h"

#include <ostream>

int runSspz(const CommandLine& line, std::ostream& out);
int runNps(const CommandLine& line, std::ostream& out);
int runRoi(const CommandLine& line, std::ostream& out);
int runHeader(const CommandLine& line, std::ostream& out);
int runTtf(const CommandLine& line, std::ostream& out);
int runNps2d(const CommandLine& line, std::ostream& out);
int runVerify(const CommandLine& line, std::ostream& out);
int runDprime(const CommandLine& line, std::ostream& out);
