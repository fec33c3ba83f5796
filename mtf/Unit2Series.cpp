// The MTF window's input from the Viewer's series measurement: the table of slices,
// the series' source and the spacing edits, written in the steps "Cal." takes.
#include "Unit2.h"

#include "EditText.h"
#include "InputGridWidget.h"
#include "NumberFormat.h"
#include "SeriesMeasurement.h"

#include <algorithm>

void TForm2::setSliceThickness(const std::string& text) { EditSThick->setText(qstr(text)); }

void TForm2::startSeries(int files)
{
    StringGridInput->setColCount(SeriesTableColumns);
    StringGridInput->setRowCount(std::max(129, files + 1));
    for (int r = 1; r <= 128; ++r) StringGridInput->setCell(0, r, qstr(formatGeneral(2 * (r - 1))));
    Source = {};
}

void TForm2::setSeriesCell(int column, int row, const std::string& text)
{
    StringGridInput->setCell(column, row, qstr(text));
}

void TForm2::setSeriesSource(MeasurementSource source) { Source = std::move(source); }

void TForm2::endSeries(int files)
{
    StringGridInput->setRowCount(files + 1);
    for (int c = 0; c < SeriesTableColumns; ++c) {
        StringGridInput->setColWidth(c, SeriesTableWidths[c]);
        StringGridInput->setCell(c, 0, SeriesTableCaptions[c]);
    }
    ClearChartSeries();
}

void TForm2::setInputTable(const std::vector<TextRow>& rows)
{
    StringGridInput->setColCount(static_cast<int>(rows.front().size()));
    StringGridInput->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            StringGridInput->setCell(static_cast<int>(c), static_cast<int>(r), qstr(rows[r][c]));
}

void TForm2::setSeriesSpacings(int files)
{
    EditsIntrv->setText(
        qstr(sliceIntervalText(StringGridInput->cell(3, 1).toStdString(), StringGridInput->cell(3, 2).toStdString())));
    setInt(EditLSFgnd, files);
    EditLSFgdx->setText(EditsIntrv->text());
    setInt(EditMTFgnd, files);
    EditMTFgdx->setText(qstr(frequencyStepText(textOf(EditLSFgdx), files)));
}
