// d′ with its table, and the texts of its report.
#include "DetectabilityReport.h"

#include "DetectabilityNames.h"
#include "NumberFormat.h"

namespace {

std::string number(double v) { return formatGeneral(v); }

} // namespace

DetectabilityResult calculateDetectability(const DiskTask& task, const EyeFilter& eye, const TtfCurve& ttf,
                                           const NpsGrid& nps, NamedValues inputs)
{
    DetectabilityResult r;
    r.task = task;
    r.eye = eye;
    r.npsSize = nps.size;
    r.npsPixelSpacing = nps.pixelSpacingMm;
    r.d = detectability(task, eye, ttf, nps);
    r.table = detectabilityByDiameter(task, eye, ttf, nps);
    r.inputs = std::move(inputs);
    return r;
}

std::string dprimeText(double d) { return formatFixed(d, 3); }

ReportDocument detectabilityReport(const DetectabilityResult& r)
{
    using namespace DprimeName;
    const bool designerProfile = r.task.profile == DiskTask::Profile::designer;
    NamedValues task{{DprimeName::diameter, number(r.task.diameterMm)},
                     {contrast, number(r.task.contrastHu)},
                     {profile, designerProfile ? designer : flat}};
    if (designerProfile) task.push_back({designerExponent, number(r.task.designerExponent)});
    task.insert(task.end(), {{eyeExponent, number(r.eye.exponent)},
                             {eyeCoefficient, number(r.eye.coefficient)},
                             {eyePower, number(r.eye.power)},
                             {viewingDistance, number(r.eye.viewingDistanceMm)},
                             {magnification, number(r.eye.magnification)},
                             {internalNoise, number(r.eye.internalNoise)}});

    NamedValues inputs = r.inputs;
    inputs.push_back({npsGridSize, std::to_string(r.npsSize) + " x " + std::to_string(r.npsSize)});
    inputs.push_back({npsPixelSpacing, number(r.npsPixelSpacing)});

    ReportSection table{"d′ against diameter", {{DprimeName::diameter, npw, npwe}}};
    for (const DiameterDetectability& row : r.table)
        table.rows.push_back({number(row.diameterMm), dprimeText(row.d.npw), dprimeText(row.d.npwe)});

    ReportDocument d;
    d.title = "Detectability index d′";
    d.sections.push_back(resultsSection("Results", {{npw, dprimeText(r.d.npw)}, {npwe, dprimeText(r.d.npwe)}}));
    d.sections.push_back(resultsSection("Task and eye filter", task));
    d.sections.push_back(resultsSection("TTF and NPS", inputs));
    d.sections.push_back(table);
    return d;
}
