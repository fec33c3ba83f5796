// "Save" of the MTF window: the report of the series in the table and its results.
#include "Unit2.h"

#include "AppError.h"
#include "InputGridWidget.h"
#include "MtfEditsOfForm.h"
#include "MtfReport.h"
#include "PdfReport.h"

void TForm2::ButtonSaveClick()
{
    if (Source.files.empty()) throw AppError(Msg::reportNeedsResult);
    if (const auto path = askReportPath(this, "sspz-mtf.pdf")) SaveReport(*path);
}

void TForm2::SaveReport(const QString& pdfPath)
{
    if (Source.files.empty()) throw AppError(Msg::reportNeedsResult);
    std::vector<TextRow> table;
    for (int r = 0; r < StringGridInput->rowCount(); ++r) {
        TextRow row;
        for (int c = 1; c < StringGridInput->colCount(); ++c) row.push_back(StringGridInput->cell(c, r).toStdString());
        table.push_back(std::move(row));
    }
    ReportDocument report = mtfReport(table, Form2Edits(*this), Work);
    report.provenance = provenanceOf(Source, currentDateText());
    saveReport(pdfPath, report, {Chart1.view, Chart2.view});
}
