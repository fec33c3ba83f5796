// Saving the d′ report with its provenance.
#include "DprimeReport.h"

#include "PdfReport.h"

void saveDprimeReport(const QString& pdfPath, const DetectabilityResult& result, const MeasurementSource& source)
{
    ReportDocument document = detectabilityReport(result);
    document.provenance = provenanceOf(source, currentDateText());
    saveReport(pdfPath, document, {});
}
