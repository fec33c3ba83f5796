#include "DetectabilityInputs.h"

TtfCurve ttfCurveOf(const TtfResult& ttf)
{
    TtfCurve curve;
    for (const TtfSample& s : ttf.ttf) {
        curve.frequencyPerMm.push_back(s.frequency);
        curve.value.push_back(s.value);
    }
    return curve;
}

// Both lay the grid out with zero frequency in the middle.
NpsGrid npsGridOf(const NpsResult& nps) { return {nps.size, nps.pixelSpacing, nps.values}; }

DiskTask defaultTask(const TtfResult& ttf) { return {DefaultTaskDiameter, ttf.contrast, DiskTask::Profile::flat, 1.0}; }
