#pragma once
// The series measurement of "Open" and "Cal." followed by the MTF window's processing,
// as plain data: what sspz prints and what its report shows.
#include "CommandLine.h"
#include "MtfChain.h"
#include "Provenance.h"
#include "ReportDocument.h"
#include "SeriesMtf.h"

#include <memory>
#include <string>
#include <vector>

struct SeriesResult {
    std::vector<TextRow> grid; // the MTF window's table, row 0 the captions, five columns
    EditTexts edits;
    std::unique_ptr<MtfWorkspace> work = std::make_unique<MtfWorkspace>();
    MeasurementSource source;
    std::string seriesUid; // of the slices measured; empty when they name none

    // The table without its number column, as the report and "ToCB" give it.
    std::vector<TextRow> table() const;
};

SeriesResult measureSeriesOf(const CommandLine& line);

// Writes the report as the MTF window's "Save" does (needs a QApplication).
void saveSeriesReport(const SeriesResult& result, const std::string& pdfPath);
