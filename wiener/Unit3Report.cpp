// "Save" of the WienerSpectra window: the report of the last calculation.
#include "Unit3.h"

#include "AppError.h"
#include "Convert.h"
#include "EditText.h"
#include "PdfReport.h"
#include "Provenance.h"
#include "SpectrumReport.h"

void TForm3::ButtonSaveClick()
{
    if (!last_) throw AppError(Msg::reportNeedsResult);
    if (const auto path = askReportPath(this, "wiener-spectrum.pdf")) SaveReport(*path);
}

void TForm3::SaveReport(const QString& pdfPath)
{
    if (!last_) throw AppError(Msg::reportNeedsResult);
    const SpectrumTexts& t = last_->texts;
    ReportDocument report = spectrumReport(last_->segmentCount, *Spectrum, toFloat(t.pixelSpacing), last_->fileName);
    const MeasurementSource source{
        {last_->fileName}, roiText(t.roiX, t.roiY, t.roiWidth, t.roiHeight), spectrumParameterRows(t)};
    report.provenance = provenanceOf(source, currentDateText());
    saveReport(pdfPath, report, {ChartWSLin, ChartWSLog, ChartACF, ChartProfile});
}
