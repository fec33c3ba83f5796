#pragma once
// The MTF window's results as a report: the series table, the results, the two
// profiles and the MTF, with the texts the window shows.
#include "MtfChain.h"
#include "ReportDocument.h"

// seriesTable: the captions, then one row per slice (file, thickness, position, mean).
ReportDocument mtfReport(const std::vector<TextRow>& seriesTable, const MtfEdits& edits, const MtfWorkspace& ws);
