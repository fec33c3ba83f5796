#pragma once
// The series measurement of "Open" and "Cal." followed by the MTF window's processing,
// as plain data: what sspz prints and what its report shows.
#include "CommandLine.h"
#include "MtfChain.h"
#include "Provenance.h"
#include "ReportDocument.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// The MTF window's edits as texts.
class EditTexts final : public MtfEdits {
public:
    std::string text(MtfEdit edit) const override;
    void setText(MtfEdit edit, const std::string& text) override { texts_[edit] = text; }

private:
    std::map<MtfEdit, std::string> texts_;
};

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
