#pragma once
// The spectrum window's last result as a report: the segment count, the spectrum and
// the autocorrelation, as its exports write them.
#include "ReportDocument.h"
#include "SpectrumState.h"

#include <string>

ReportDocument spectrumReport(const std::string& segmentCount, const SpectrumState& s, long double dx,
                              const std::string& fileName);
