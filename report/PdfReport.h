#pragma once
// Saving a report: the PDF with the charts as their widgets show them, the results,
// the tables and the provenance, and beside it the same sections as tab-separated
// text. Each file is written to a temporary file in the target folder and renamed
// once complete and flushed, so a failed save (a full disk too) leaves no partial file
// and any earlier report as it was.
#include "ReportDocument.h"

#include <QString>

#include <optional>
#include <vector>

class QWidget;

// The PDF to save a report in, asked with the save dialog; nothing when the user
// cancels, after saying that no file was written.
std::optional<QString> askReportPath(QWidget* parent, const QString& suggestedName);

// The text file beside the PDF: the same name with ".tsv" in place of ".pdf".
QString reportTextPath(const QString& pdfPath);

// Writes both files; fails with Msg::reportSaveFailed, leaving no partial file.
void saveReport(const QString& pdfPath, const ReportDocument& document, const std::vector<QWidget*>& charts);
