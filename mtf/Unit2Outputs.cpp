// Charts, memos, the table copy and the grid's selection read-out of the MTF window.
#include "Unit2.h"

#include "ColumnStatistics.h"
#include "EditText.h"
#include "InputGridWidget.h"
#include "MtfEditsOfForm.h"

#include <QClipboard>
#include <QGuiApplication>

#include <vector>

void TForm2::ButtonDrawDClick()
{
    const Form2Edits edits(*this);
    if (PageControl1->currentWidget() == TabSheetLSF) PlotCurrentPage(sspzPlot(edits, Work, Plot));
    else if (PageControl1->currentWidget() == TabSheetMTF) PlotCurrentPage(mtfPlot(edits, Work, Plot));
}

void TForm2::PlotCurrentPage(int n)
{
    if (PageControl1->currentWidget() == TabSheetLSF) {
        replacePoints(Series1, Plot.PlotX.data(), Plot.PlotY.data(), n);
        replacePoints(Series3, Plot.PlotX.data(), Plot.PlotY.data(), n);
        fitAxis(Chart1.bottom, {Series1}, true);
        fitAxis(Chart1.left, {Series1}, false);
    } else if (PageControl1->currentWidget() == TabSheetMTF) {
        // Without a positive last frequency there is no scale to set; the axis stays.
        if (n > 0 && Plot.PlotX[n - 1] > 0) setAxisScale(Chart2.bottom, 0, Plot.PlotX[n - 1], Plot.PlotX[n - 1] / 5);
        replacePoints(Series2, Plot.PlotX.data(), Plot.PlotY.data(), n);
        replacePoints(Series4, Plot.PlotX.data(), Plot.PlotY2.data(), n);
        fitAxis(Chart2.left, {Series2, Series4}, false);
    }
}

void TForm2::ButtonSSPzToMemoClick()
{
    // A count or spacing that does not convert leaves the memos as they were.
    intOf(EditLSFgnd);
    floatOf(EditLSFgdx);
    MemoVSSPz->clear();
    MemoPSSPz->clear();
    const SSPzMemoTexts t = sspzMemos(Form2Edits(*this), Work);
    MemoVSSPz->setPlainText(qstr(t.absolute));
    MemoPSSPz->setPlainText(qstr(t.relative));
}

void TForm2::ButtonMTFToMemoClick()
{
    MemoMTF->clear();
    MemoMTF->setPlainText(qstr(mtfMemo(Form2Edits(*this), Work)));
}

void TForm2::ButtonAllClick()
{
    const int columns = StringGridInput->colCount();
    const int rows = StringGridInput->rowCount();
    StringGridInput->selectRange(1, 1, columns - 1, rows - 1);
    QString text;
    for (int r = 1; r < rows; ++r) {
        for (int c = 1; c < columns; ++c) {
            if (c > 1) text += '\t';
            text += StringGridInput->cell(c, r);
        }
        text += "\r\n";
    }
    QGuiApplication::clipboard()->setText(text);

    std::vector<long double> values;
    for (int r = 1; r < rows; ++r) values.push_back(toFloat(StringGridInput->cell(columns - 1, r).toStdString()));
    const ColumnStats s = columnStatistics(values);
    setFloat(EditAve, s.mean);
    setFloat(EditSD, s.sd);
    setFloat(EditMax, s.max);
    setFloat(EditMin, s.min);
}

namespace {

// "column  row" of the selection's bottom-right corner.
QString cornerText(const StringGrid* grid)
{
    const QPoint corner = grid->selectionBottomRight();
    return QString("%1  %2").arg(corner.x()).arg(corner.y());
}

} // namespace

void TForm2::StringGridInputMouseDown() { DragFlag = 1; }

void TForm2::StringGridInputMouseMove()
{
    if (DragFlag > 0) StatusBar1Panels[0]->setText(cornerText(StringGridInput));
}

void TForm2::StringGridInputMouseUp()
{
    StatusBar1Panels[0]->setText(cornerText(StringGridInput));
    DragFlag = 0;
}

void TForm2::ClearChartSeries()
{
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{Series1, Series2, Series3, Series4}) s->clear();
}
