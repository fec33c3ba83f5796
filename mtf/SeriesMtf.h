#pragma once
// The MTF window's processing of a measured series table without the window: "Cal."
// hands over the spacing edits, then "PNTY" runs on the ROI means. ctiq-measure sspz
// and the self-check of the slice-thickness series both run it.
#include "MtfChain.h"
#include "ReportDocument.h"

#include <map>
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

// `grid` is the series table as "Cal." fills it: row 0 the captions, then one row per
// slice with its position (column 3) and ROI mean (the last column). Fails with
// AppError for fewer than two slices and wherever the chain fails.
void processSeriesTable(const std::vector<TextRow>& grid, EditTexts& edits, MtfWorkspace& ws);
