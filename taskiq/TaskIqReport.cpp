// Saving the TaskIQ reports.
#include "TaskIqReport.h"

#include "PdfReport.h"
#include "TaskIqCharts.h"
#include "TaskIqResults.h"

#include <QWidget>

namespace {

void save(const QString& pdfPath, ReportDocument report, const MeasurementSource& source,
          const std::vector<QWidget*>& charts)
{
    report.provenance = provenanceOf(source, currentDateText());
    saveReport(pdfPath, report, charts);
}

} // namespace

void saveTtfReport(const QString& pdfPath, const TtfOfFiles& ttf, const std::vector<QWidget*>& charts)
{
    save(pdfPath, ttfReport(ttf.result), ttf.source, charts);
}

void saveNpsReport(const QString& pdfPath, const NpsOfFiles& nps, const std::vector<QWidget*>& charts)
{
    save(pdfPath, npsReport(nps.result), nps.source, charts);
}

void saveTtfReport(const QString& pdfPath, const TtfOfFiles& ttf)
{
    QWidget holder;
    QChartView* ttfChart = makeTtfChart(&holder);
    QChartView* esfChart = makeEsfChart(&holder);
    for (QWidget* chart : {static_cast<QWidget*>(ttfChart), static_cast<QWidget*>(esfChart)})
        chart->resize(TaskIqChartWidth, TaskIqChartHeight);
    plotTtf(ttfChart, ttf.result);
    plotEsf(esfChart, ttf.result);
    saveTtfReport(pdfPath, ttf, {ttfChart, esfChart});
}

void saveNpsReport(const QString& pdfPath, const NpsOfFiles& nps)
{
    QWidget holder;
    QChartView* radial = makeRadialNpsChart(&holder);
    QLabel* image = makeNpsImage(&holder);
    radial->resize(TaskIqChartWidth, TaskIqChartHeight);
    image->resize(TaskIqChartWidth, TaskIqChartHeight);
    plotRadialNps(radial, nps.result);
    showNpsImage(image, nps.result);
    saveNpsReport(pdfPath, nps, {radial, image});
}
