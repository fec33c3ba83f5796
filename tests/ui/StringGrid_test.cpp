// The text grid: cells kept or emptied as rows and columns come and go.
#include "AppError.h"
#include "StringGrid.h"

#include <QTest>

class StringGridTest : public QObject {
    Q_OBJECT

    static int filledCells(const StringGrid& grid)
    {
        int filled = 0;
        for (int row = 0; row < grid.rowCount(); ++row)
            for (int column = 0; column < grid.colCount(); ++column) filled += grid.cell(column, row).isEmpty() ? 0 : 1;
        return filled;
    }

private slots:
    void rowsDroppedComeBackEmpty()
    {
        StringGrid grid(3, 10);
        for (int row = 0; row < 10; ++row)
            for (int column = 0; column < 3; ++column) grid.setCell(column, row, QString("%1,%2").arg(column).arg(row));

        // As every DICOM file empties the tag grid: down to the caption row, then up again.
        grid.setRowCount(1);
        grid.setRowCount(20);
        QCOMPARE(grid.rowCount(), 20);
        QCOMPARE(grid.cell(2, 0), QString("2,0"));
        QCOMPARE(filledCells(grid), 3);

        // Rows written after that, beyond the earlier size, go the same way.
        grid.setCell(1, 15, "x");
        grid.setRowCount(12);
        grid.setRowCount(16);
        QVERIFY(grid.cell(1, 15).isEmpty());
        QCOMPARE(filledCells(grid), 3);

        // Rows kept keep their cells.
        grid.setCell(0, 5, "kept");
        grid.setRowCount(6);
        grid.setRowCount(8);
        QCOMPARE(grid.cell(0, 5), QString("kept"));
        QCOMPARE(filledCells(grid), 4);
    }

    void columnsDroppedComeBackEmpty()
    {
        StringGrid grid(4, 3);
        grid.setCell(3, 2, "last");
        grid.setCell(1, 2, "kept");
        grid.setColCount(2);
        grid.setColCount(4);
        QVERIFY(grid.cell(3, 2).isEmpty());
        QCOMPARE(grid.cell(1, 2), QString("kept"));
        QCOMPARE(filledCells(grid), 1);
    }

    void cellsOutsideTheGridFail()
    {
        StringGrid grid(2, 3);
        grid.setRowCount(1);
        QVERIFY_THROWS_EXCEPTION(AppError, grid.cell(0, 1));
        QVERIFY_THROWS_EXCEPTION(AppError, grid.setCell(2, 0, "x"));
        grid.setRowCount(-1);
        QCOMPARE(grid.rowCount(), 0);
        QVERIFY_THROWS_EXCEPTION(AppError, grid.cell(0, 0));
    }
};

QTEST_MAIN(StringGridTest)
#include "StringGrid_test.moc"
