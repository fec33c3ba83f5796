#pragma once
// The texts of the TTF and NPS results, written once for the TaskIQ window's grid, its
// "ToCB" and "Save", and ctiq-measure's text, JSON and report: each result has a JSON
// key, a caption with its unit and a value text.
#include "InsertTtf.h"
#include "NoisePowerSpectrum2D.h"
#include "ReportDocument.h"

#include <string>
#include <vector>

struct ResultText {
    std::string key;     // the JSON key: f50, f10, contrast, cnr, noise, f_peak, f_av, ...
    std::string caption; // the grid's and the report's name, with its unit
    std::string value;
};

std::string warningText(TtfWarning warning);

std::vector<ResultText> ttfResultTexts(const TtfResult& r);
std::vector<ResultText> npsResultTexts(const NpsResult& r);

// The curves as tables, captions in the first row: frequency and TTF; distance and ESF;
// frequency and radial NPS.
std::vector<TextRow> ttfTable(const TtfResult& r);
std::vector<TextRow> esfTable(const TtfResult& r);
std::vector<TextRow> radialNpsTable(const NpsResult& r);

// The inputs each measurement was made with, as the report's provenance lists them.
NamedValues ttfParameters(const TtfResult& r);
NamedValues npsParameters(const NpsResult& r);

// The reports without provenance: results, then the tables. "ToCB" and the command's
// text are reportText of these.
ReportDocument ttfReport(const TtfResult& r);
ReportDocument npsReport(const NpsResult& r);

// Axis titles of the charts and the tables' captions.
inline const char* const FrequencyCaption = "Spatial frequency (mm⁻¹)";
inline const char* const TtfCaption = "TTF";
inline const char* const DistanceCaption = "Distance from centre (mm)";
inline const char* const EsfCaption = "ESF (HU)";
inline const char* const NpsCaption = "NPS (HU²·mm²)";
