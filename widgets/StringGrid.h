#pragma once
// A grid of text cells addressed (column, row) with a fixed first row and first
// column, as the windows' tables are. Cells are held in a plain table model, so
// filling thousands of them stays cheap.
#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void resize(int columns, int rows);
    const QString& cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    bool editable = false;

private:
    int columns_ = 0;
    int rows_ = 0;
    // The row storage outlives a smaller row count, so that a grid emptied and grown
    // again on every file (the tag grid) reuses it. Every cell at or below row
    // usedRows_ is empty, which is what a row coming back into the grid must show.
    std::vector<std::vector<QString>> cells_;
    int usedRows_ = 0;
};

class StringGrid : public QTableView {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, QWidget* parent = nullptr);

    int colCount() const { return model_.columnCount(); }
    int rowCount() const { return model_.rowCount(); }
    void setColCount(int columns);
    void setRowCount(int rows);
    // Cells outside the grid fail with the list-index message.
    const QString& cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    void setColWidth(int column, int width);
    void setEditable(bool editable) { model_.editable = editable; }
    // Selects columns left..right of rows top..bottom; bottomRight() is the selection's corner.
    void selectRange(int left, int top, int right, int bottom);
    QPoint selectionBottomRight() const;

private:
    StringGridModel model_;
};
