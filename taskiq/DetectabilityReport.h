#pragma once
// A d′ calculation as the page, the command and the report show it: d′ of both
// observers, every parameter of the task and of the eye filter, the TTF and NPS it
// used, and d′ against diameter.
#include "Detectability.h"
#include "ReportDocument.h"

#include <vector>

struct DetectabilityResult {
    DiskTask task;
    EyeFilter eye;
    int npsSize = 0;
    double npsPixelSpacing = 0;
    Detectability d;
    std::vector<DiameterDetectability> table;
    NamedValues inputs; // where the TTF and the NPS come from: files, insert, ROIs
};

// d′ of the task and the table over the diameters; `inputs` names the measurements.
DetectabilityResult calculateDetectability(const DiskTask& task, const EyeFilter& eye, const TtfCurve& ttf,
                                           const NpsGrid& nps, NamedValues inputs);

// d′ as text: three decimals.
std::string dprimeText(double d);

// Sections: the results, the task and eye filter, the inputs, and the table (captions
// "Diameter (mm)", "d′ NPW", "d′ NPWE").
ReportDocument detectabilityReport(const DetectabilityResult& result);
