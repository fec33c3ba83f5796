#include "DicomRecord.h"

#include "AppError.h"

void DicomRecord::startGrid(int rows)
{
    grid.assign(1, TagGridRow());
    setRowCount(rows);
}

void DicomRecord::setCell(int column, int row, std::string text)
{
    if (row < 0 || static_cast<size_t>(row) >= grid.size()) throw AppError(Msg::listIndex(row));
    if (column < 0 || column >= TagGridColumns) throw AppError(Msg::listIndex(column));
    grid[static_cast<size_t>(row)][static_cast<size_t>(column)] = std::move(text);
}

void DicomRecord::setRowCount(int rows) { grid.resize(static_cast<size_t>(rows)); }

std::string DicomRecord::edit(DicomEdit which) const
{
    const auto found = edits.find(which);
    return found == edits.end() ? std::string() : found->second;
}

const std::string& DicomRecord::cell(int column, int row) const
{
    return grid.at(static_cast<size_t>(row)).at(static_cast<size_t>(column));
}
