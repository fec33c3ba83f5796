#pragma once
// Where a result comes from: the program, the date, the files with their series, the
// acquisition as the DICOM summary gives it, the ROI and the calculation's parameters.
#include "ReportDocument.h"

#include <string>
#include <vector>

// The acquisition values of the DICOM summary lines (model, "kV : ", "mAs : ",
// "RF : " and "mmST : "), trimmed; empty where the summary has none.
struct AcquisitionSummary {
    std::string model, kv, mas, kernel, sliceThickness;
};
AcquisitionSummary acquisitionOf(const std::string& summary);

// The program's version, from the build.
std::string programVersion();
// The local date and time, "2026-12-10 10:15:09 +0000".
std::string currentDateText();

struct MeasurementSource {
    std::vector<std::string> files; // as measured, in order
    std::string roi;                // the ROI as the Viewer's edits give it
    NamedValues parameters;         // every parameter of the calculation, as texts
};

// "x,y,w,h": the ROI centre ("Position") and size ("Size").
std::string roiText(const std::string& x, const std::string& y, const std::string& w, const std::string& h);

// The provenance rows: version, date, the acquisition (from the first file's DICOM
// summary), the ROI, the parameters, and every file with its Series Instance UID,
// read from the files now.
std::vector<TextRow> provenanceOf(const MeasurementSource& source, const std::string& date);
