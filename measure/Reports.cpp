// --report: the windows' own "Save", run on windows that are never shown on a screen
// and hold the results the command computed, so that the report is the one the
// windows write.
#include "SeriesResult.h"
#include "SpectrumRun.h"

#include "InputGridWidget.h"
#include "MtfEditsOfForm.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QCoreApplication>

void saveSeriesReport(const SeriesResult& result, const std::string& pdfPath)
{
    TForm2 form;
    form.show();
    StringGrid& grid = *form.StringGridInput;
    grid.setColCount(static_cast<int>(result.grid.front().size()));
    grid.setRowCount(static_cast<int>(result.grid.size()));
    for (size_t r = 0; r < result.grid.size(); ++r)
        for (size_t c = 0; c < result.grid[r].size(); ++c)
            grid.setCell(static_cast<int>(c), static_cast<int>(r), QString::fromStdString(result.grid[r][c]));
    Form2Edits edits(form);
    for (MtfEdit e : {MtfEdit::SliceInterval, MtfEdit::SliceThickness, MtfEdit::LSFgnd, MtfEdit::LSFgdx, MtfEdit::MTFgnd,
                      MtfEdit::MTFgdx})
        edits.setText(e, result.edits.text(e));
    form.Source = result.source;
    form.ProcessProfile();
    QCoreApplication::processEvents();
    form.SaveReport(QString::fromStdString(pdfPath));
}

void saveSpectrumReport(const SpectrumRun& run, const std::string& pdfPath)
{
    TForm3 form;
    form.show();
    form.SetParameterTexts(run.texts);
    form.Calculate(run.texts, run.image.bytes, run.fileName);
    QCoreApplication::processEvents();
    form.SaveReport(QString::fromStdString(pdfPath));
}
