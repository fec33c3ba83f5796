#pragma once
// "Save" on the TaskIQ window's d′ page and --report of ctiq-measure dprime: the d′
// report as PDF and, beside it, as tab-separated text, with its provenance.
#include "DetectabilityReport.h"
#include "Provenance.h"

#include <QString>

void saveDprimeReport(const QString& pdfPath, const DetectabilityResult& result, const MeasurementSource& source);
