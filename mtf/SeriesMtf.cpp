// The MTF window's processing of a measured series table, without the window.
#include "SeriesMtf.h"

#include "AppError.h"
#include "SeriesMeasurement.h"

namespace {

struct NoDisplay final : MtfDisplay {
    void profileReady() override {}
    void mtfPage() override {}
    void mtfReady() override {}
};

} // namespace

std::string EditTexts::text(MtfEdit edit) const
{
    const auto found = texts_.find(edit);
    return found == texts_.end() ? std::string() : found->second;
}

void processSeriesTable(const std::vector<TextRow>& grid, EditTexts& edits, MtfWorkspace& ws)
{
    const int n = static_cast<int>(grid.size()) - 1;
    if (n < 2) throw AppError(Msg::seriesNeedsTwoSlices);
    edits.setText(MtfEdit::SliceInterval, sliceIntervalText(grid[1][3], grid[2][3]));
    edits.setText(MtfEdit::LSFgnd, std::to_string(n));
    edits.setText(MtfEdit::LSFgdx, edits.text(MtfEdit::SliceInterval));
    edits.setText(MtfEdit::MTFgnd, std::to_string(n));
    edits.setText(MtfEdit::MTFgdx, frequencyStepText(edits.text(MtfEdit::LSFgdx), n));

    std::vector<std::string> lastColumn;
    for (size_t row = 1; row < grid.size(); ++row) lastColumn.push_back(grid[row].back());
    NoDisplay display;
    processProfile(lastColumn, edits, ws, display);
}
