#pragma once
// "Save" of the TaskIQ window and --report of ctiq-measure ttf and nps2d: the results,
// the charts and the tables as PDF and, beside it, as tab-separated text, with the
// provenance of the measurement.
#include "TaskIqMeasurement.h"

#include <QString>

#include <vector>

class QWidget;

// With the charts as the window shows them.
void saveTtfReport(const QString& pdfPath, const TtfOfFiles& ttf, const std::vector<QWidget*>& charts);
void saveNpsReport(const QString& pdfPath, const NpsOfFiles& nps, const std::vector<QWidget*>& charts);

// With charts drawn for the report alone, off any screen (needs a QApplication).
void saveTtfReport(const QString& pdfPath, const TtfOfFiles& ttf);
void saveNpsReport(const QString& pdfPath, const NpsOfFiles& nps);
