// The TaskIQ window: its controls, and the handlers that read them, measure and show.
#include "TaskIqWindow.h"

#include "AppError.h"
#include "Convert.h"
#include "FormControls.h"
#include "Guarded.h"
#include "MeasurementSeries.h"
#include "PdfReport.h"
#include "RoiStatistics.h"
#include "TaskIqCharts.h"
#include "TaskIqReport.h"
#include "TaskIqResults.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

TaskIQ* FormTaskIQ = nullptr;

namespace {

QString qstr(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string text(const QLineEdit* e) { return e->text().toStdString(); }

constexpr int GridTop = 370, GridHeight = 190;

StringGrid* resultGrid(QWidget* page, const char* name)
{
    auto* grid = named(new StringGrid(2, 1, page), name);
    grid->setGeometry(4, GridTop, 2 * TaskIqChartWidth + 4, GridHeight);
    grid->setColWidth(0, 300);
    grid->setColWidth(1, 700);
    return grid;
}

void showResults(StringGrid* grid, const std::vector<ResultText>& results)
{
    grid->setRowCount(static_cast<int>(results.size()) + 1);
    grid->setCell(0, 0, "Result");
    grid->setCell(1, 0, "Value");
    for (size_t i = 0; i < results.size(); ++i) {
        grid->setCell(0, static_cast<int>(i) + 1, qstr(results[i].caption));
        grid->setCell(1, static_cast<int>(i) + 1, qstr(results[i].value));
    }
}

} // namespace

TaskIQ::TaskIQ(QWidget* parent) : QWidget(parent)
{
    setObjectName("TaskIQ");
    setWindowTitle("TaskIQ");
    const int width = 2 * TaskIqChartWidth + 20;
    resize(width, 700);

    RadioGroupSlices = named(new RadioGroup("Slices", {"All", "Range", "Shown"}, 3, this), "RadioGroupSlices");
    RadioGroupSlices->setGeometry(6, 4, 240, 44);
    RadioGroupSlices->setItemIndex(static_cast<int>(SliceChoice::All));
    label(this, "FIRST..LAST", {254, 8, 90, 18});
    EditSliceRange = edit(this, "EditSliceRange", "1..1", {254, 26, 90, 20});

    PageControl = named(new QTabWidget(this), "PageControl");
    PageControl->setGeometry(0, 54, width, 600);

    auto* ttfPage = named(new QWidget, "TabSheetTtf");
    PageControl->addTab(ttfPage, "TTF");
    CheckBoxRoiCentre = checkBox(ttfPage, "CheckBoxRoiCentre", "Centre at the Viewer's ROI", true, {6, 6, 200, 22});
    label(ttfPage, "Centre X, Y (px)", {214, 8, 100, 18});
    EditCentreX = edit(ttfPage, "EditCentreX", "0", {316, 6, 60, 20});
    EditCentreY = edit(ttfPage, "EditCentreY", "0", {380, 6, 60, 20});
    label(ttfPage, "Diameter (mm)", {452, 8, 100, 18});
    EditDiameter = edit(ttfPage, "EditDiameter", "25", {556, 6, 60, 20});
    ButtonTtfCal = button(ttfPage, "ButtonTtfCal", "Cal", {628, 4, 60, 24});
    ChartTtf = makeTtfChart(ttfPage);
    ChartTtf->setGeometry(4, 36, TaskIqChartWidth, TaskIqChartHeight);
    ChartEsf = makeEsfChart(ttfPage);
    ChartEsf->setGeometry(8 + TaskIqChartWidth, 36, TaskIqChartWidth, TaskIqChartHeight);
    StringGridTtf = resultGrid(ttfPage, "StringGridTtf");

    auto* npsPage = named(new QWidget, "TabSheetNps");
    PageControl->addTab(npsPage, "NPS");
    label(npsPage, "ROI size (px)", {6, 8, 80, 18});
    EditRoiSize = edit(npsPage, "EditRoiSize", QString::number(DefaultNpsRoiSize), {88, 6, 50, 20});
    RadioGroupDetrend = named(new RadioGroup("Detrend", {"poly2", "mean"}, 2, npsPage), "RadioGroupDetrend");
    RadioGroupDetrend->setGeometry(146, -4, 150, 40);
    RadioGroupDetrend->setItemIndex(0);
    label(npsPage, "Repeated series", {304, 8, 100, 18});
    EditRepeatedSeries = edit(npsPage, "EditRepeatedSeries", "", {406, 6, 300, 20});
    ButtonNpsCal = button(npsPage, "ButtonNpsCal", "Cal", {716, 4, 60, 24});
    ChartRadialNps = makeRadialNpsChart(npsPage);
    ChartRadialNps->setGeometry(4, 36, TaskIqChartWidth, TaskIqChartHeight);
    LabelNpsImage = makeNpsImage(npsPage);
    LabelNpsImage->setGeometry(8 + TaskIqChartWidth, 36, TaskIqChartWidth, TaskIqChartHeight);
    StringGridNps = resultGrid(npsPage, "StringGridNps");

    TabSheetDprime = named(new DprimePage, "TabSheetDprime");
    PageControl->addTab(TabSheetDprime, "d′");

    ButtonToCB = button(this, "ButtonToCB", "ToCB", {6, 662, 70, 26});
    ButtonSave = button(this, "ButtonSave", "Save", {82, 662, 70, 26});
    ButtonToViewer = button(this, "ButtonToViewer", "toForm1", {158, 662, 70, 26});

    onClick(this, ButtonTtfCal, &TaskIQ::ButtonTtfCalClick);
    onClick(this, ButtonNpsCal, &TaskIQ::ButtonNpsCalClick);
    onClick(this, TabSheetDprime->ButtonDprimeCal, &TaskIQ::ButtonDprimeCalClick);
    onClick(this, ButtonToCB, &TaskIQ::ButtonToCBClick);
    onClick(this, ButtonSave, &TaskIQ::ButtonSaveClick);
    onClick(this, ButtonToViewer, &TaskIQ::ButtonToViewerClick);
}

SliceFiles TaskIQ::chosenSlices(const ViewerSnapshot& viewer) const
{
    SliceFiles s{{},
                 static_cast<LoadMode>(viewer.mode),
                 viewerGeometry(viewer),
                 roiText(viewer.roiX, viewer.roiY, viewer.roiWidth, viewer.roiHeight)};
    const auto choice = static_cast<SliceChoice>(RadioGroupSlices->itemIndex());
    // The shown slice needs no list: it is measured even before "F.List".
    if (choice == SliceChoice::Shown) s.files = {viewer.fileName};
    else s.files = chosenFiles(viewer.seriesFiles, choice, text(EditSliceRange), 0);
    return s;
}

std::vector<std::string> TaskIQ::repeatedSlices(const ViewerSnapshot& viewer) const
{
    const std::string path = text(EditRepeatedSeries);
    if (path.empty()) return {};
    const auto& list = viewer.seriesFiles;
    const auto shown = std::find(list.begin(), list.end(), viewer.fileName);
    const size_t position = shown == list.end() ? 0 : static_cast<size_t>(shown - list.begin()) + 1;
    return chosenFiles(measurementSeries(path).files, static_cast<SliceChoice>(RadioGroupSlices->itemIndex()),
                       text(EditSliceRange), position);
}

bool TaskIQ::ttfShown() const { return PageControl->currentIndex() == 0; }
bool TaskIQ::dprimeShown() const { return PageControl->currentWidget() == TabSheetDprime; }

void TaskIQ::ButtonTtfCalClick()
{
    if (!viewerSnapshot_) return;
    const ViewerSnapshot viewer = viewerSnapshot_();
    const SliceFiles slices = chosenSlices(viewer);
    if (CheckBoxRoiCentre->isChecked()) {
        EditCentreX->setText(qstr(viewer.roiX));
        EditCentreY->setText(qstr(viewer.roiY));
    }
    ttf_.reset();
    ttf_ = measureTtfOfFiles(slices, static_cast<double>(toFloat(text(EditCentreX))),
                             static_cast<double>(toFloat(text(EditCentreY))),
                             static_cast<double>(toFloat(text(EditDiameter))));
    plotTtf(ChartTtf, ttf_->result);
    plotEsf(ChartEsf, ttf_->result);
    showResults(StringGridTtf, ttfResultTexts(ttf_->result));
}

void TaskIQ::ButtonNpsCalClick()
{
    if (!viewerSnapshot_) return;
    const ViewerSnapshot viewer = viewerSnapshot_();
    const NpsDetrend detrend = RadioGroupDetrend->itemIndex() == 0 ? NpsDetrend::Poly2 : NpsDetrend::Mean;
    nps_.reset();
    // The frame as the Viewer's edits give it, as the command's --roi does.
    const Rect frame =
        deriveRoiRect(toInt(viewer.roiX), toInt(viewer.roiY), toInt(viewer.roiWidth), toInt(viewer.roiHeight));
    nps_ = measureNpsOfFiles(chosenSlices(viewer), repeatedSlices(viewer), frame, toInt(text(EditRoiSize)), detrend);
    plotRadialNps(ChartRadialNps, nps_->result);
    showNpsImage(LabelNpsImage, nps_->result);
    showResults(StringGridNps, npsResultTexts(nps_->result));
}

void TaskIQ::ButtonDprimeCalClick()
{
    if (!ttf_ || !nps_) throw AppError(Msg::dprimeNeedsTtfAndNps);
    TabSheetDprime->calculate(*ttf_, *nps_);
}

void TaskIQ::ButtonToCBClick()
{
    if (dprimeShown()) {
        QGuiApplication::clipboard()->setText(qstr(TabSheetDprime->reportTextOfResult()));
        return;
    }
    if (ttfShown() ? !ttf_ : !nps_) throw AppError(Msg::reportNeedsResult);
    const ReportDocument report = ttfShown() ? ttfReport(ttf_->result) : npsReport(nps_->result);
    QGuiApplication::clipboard()->setText(qstr(reportText(report, false)));
}

void TaskIQ::ButtonSaveClick()
{
    if (dprimeShown()) {
        if (!TabSheetDprime->lastResult()) throw AppError(Msg::reportNeedsResult);
        if (const auto path = askReportPath(this, "dprime.pdf")) SaveReport(*path);
        return;
    }
    if (ttfShown() ? !ttf_ : !nps_) throw AppError(Msg::reportNeedsResult);
    if (const auto path = askReportPath(this, ttfShown() ? "ttf.pdf" : "nps2d.pdf")) SaveReport(*path);
}

void TaskIQ::SaveReport(const QString& pdfPath)
{
    if (dprimeShown()) {
        TabSheetDprime->saveResult(pdfPath);
    } else if (ttfShown()) {
        if (!ttf_) throw AppError(Msg::reportNeedsResult);
        saveTtfReport(pdfPath, *ttf_, {ChartTtf, ChartEsf});
    } else {
        if (!nps_) throw AppError(Msg::reportNeedsResult);
        saveNpsReport(pdfPath, *nps_, {ChartRadialNps, LabelNpsImage});
    }
}

void TaskIQ::ButtonToViewerClick()
{
    if (showViewer_) showViewer_();
}
