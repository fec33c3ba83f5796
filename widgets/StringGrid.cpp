#include "StringGrid.h"

#include "AppError.h"

#include <QBrush>
#include <QHeaderView>
#include <QItemSelection>

int StringGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int StringGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return cell(index.column(), index.row());
    if (role == Qt::BackgroundRole && (index.row() == 0 || index.column() == 0)) return QBrush(QColor(236, 233, 216));
    return {};
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable && index.row() > 0 && index.column() > 0) f |= Qt::ItemIsEditable;
    return f;
}

void StringGridModel::resize(int columns, int rows)
{
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    if (columns == columns_ && rows == rows_) return; // as it is: no reset for the views
    beginResetModel();
    for (int row = rows; row < usedRows_; ++row) {
        auto& cells = cells_[static_cast<size_t>(row)];
        std::fill(cells.begin(), cells.end(), QString());
    }
    usedRows_ = std::min(usedRows_, rows);
    if (columns != columns_) {
        columns_ = columns;
        for (auto& row : cells_) row.resize(static_cast<size_t>(columns_)); // dropped cells are gone for good
    }
    if (cells_.size() < static_cast<size_t>(rows))
        cells_.resize(static_cast<size_t>(rows), std::vector<QString>(columns_));
    rows_ = rows;
    endResetModel();
}

const QString& StringGridModel::cell(int column, int row) const
{
    if (row < 0 || row >= rowCount()) throw AppError(Msg::listIndex(row));
    if (column < 0 || column >= columns_) throw AppError(Msg::listIndex(column));
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void StringGridModel::setCell(int column, int row, const QString& text)
{
    if (row < 0 || row >= rowCount()) throw AppError(Msg::listIndex(row));
    if (column < 0 || column >= columns_) throw AppError(Msg::listIndex(column));
    cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
    usedRows_ = std::max(usedRows_, row + 1);
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

StringGrid::StringGrid(int columns, int rows, QWidget* parent) : QTableView(parent)
{
    model_.resize(columns, rows);
    setModel(&model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(10);
    verticalHeader()->setDefaultSectionSize(14);
    horizontalHeader()->setDefaultSectionSize(40);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setWordWrap(false);
}

void StringGrid::setColCount(int columns) { model_.resize(columns, model_.rowCount()); }
void StringGrid::setRowCount(int rows) { model_.resize(model_.columnCount(), rows); }
const QString& StringGrid::cell(int column, int row) const { return model_.cell(column, row); }
void StringGrid::setCell(int column, int row, const QString& text) { model_.setCell(column, row, text); }
void StringGrid::setColWidth(int column, int width) { setColumnWidth(column, width); }

void StringGrid::selectRange(int left, int top, int right, int bottom)
{
    const QItemSelection range(model_.index(top, left), model_.index(bottom, right));
    selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(model_.index(bottom, right), QItemSelectionModel::NoUpdate);
}

QPoint StringGrid::selectionBottomRight() const
{
    QPoint corner(-1, -1);
    for (const QItemSelectionRange& r : selectionModel()->selection()) {
        corner.setX(std::max(corner.x(), r.right()));
        corner.setY(std::max(corner.y(), r.bottom()));
    }
    return corner;
}
