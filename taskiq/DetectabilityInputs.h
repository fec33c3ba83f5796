#pragma once
// d′'s inputs from the measurements of the TaskIQ window: the insert's TTF as radial
// samples, the measured 2-D NPS as its grid, and the default task with the insert's
// measured contrast.
#include "Detectability.h"
#include "InsertTtf.h"
#include "NoisePowerSpectrum2D.h"
#include "Provenance.h"
#include "ReportDocument.h"

#include <string>
#include <vector>

TtfCurve ttfCurveOf(const TtfResult& ttf);
NpsGrid npsGridOf(const NpsResult& nps);

inline constexpr double DefaultTaskDiameter = 5; // mm
// A flat disk of the default diameter with the contrast of the measured insert.
DiskTask defaultTask(const TtfResult& ttf);

// The names of the measurements d′ used, for its report: their files, the insert's
// centre and diameter, the NPS's frame, ROIs and detrending.
NamedValues detectabilityInputs(const TtfResult& ttf, const std::vector<std::string>& ttfFiles, const NpsResult& nps,
                                const std::vector<std::string>& npsFiles);

// Where d′ comes from, for its report's provenance: the TTF's files, then the NPS's, the
// NPS's ROI, and the parameters of both measurements.
MeasurementSource detectabilitySource(const MeasurementSource& ttf, const MeasurementSource& nps);
