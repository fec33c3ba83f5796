#pragma once
// The TaskIQ window: task-based resolution and noise of the Viewer's series. Its page
// "TTF" measures the TTF of a circular insert at the Viewer's ROI centre, its page "NPS"
// the 2-D NPS of ROIs tiled in the Viewer's ROI frame, both on the slices chosen here.
// The window turns its edits into inputs, calls TaskIqMeasurement and writes the
// results back; "ToCB" and "Save" write the shown page's result.
#include "DprimePage.h"
#include "RadioGroup.h"
#include "StringGrid.h"
#include "TaskIqMeasurement.h"
#include "ViewerSnapshot.h"

#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <optional>

class TaskIQ : public QWidget {
    Q_OBJECT
public:
    explicit TaskIQ(QWidget* parent = nullptr);

    // How this window reaches the Viewer: what it reads of it, and showing it; the
    // start-up installs both.
    void setViewer(std::function<ViewerSnapshot()> snapshot, std::function<void()> show)
    {
        viewerSnapshot_ = std::move(snapshot);
        showViewer_ = std::move(show);
    }

    // The last results, with where they come from.
    const std::optional<TtfOfFiles>& lastTtf() const { return ttf_; }
    const std::optional<NpsOfFiles>& lastNps() const { return nps_; }

    // --- Handlers ----------------------------------------------------------------
    void ButtonTtfCalClick();
    void ButtonNpsCalClick();
    void ButtonDprimeCalClick(); // d′ of the last TTF and NPS
    void ButtonToCBClick();      // the shown page's results and tables, tab-separated
    void ButtonSaveClick();      // asks for the PDF's name and saves the shown page's report
    void SaveReport(const QString& pdfPath);
    void ButtonToViewerClick();

private:
    // The slices the choice names among the Viewer's series, loaded as the Viewer loads them.
    SliceFiles chosenSlices(const ViewerSnapshot& viewer) const;
    std::vector<std::string> repeatedSlices(const ViewerSnapshot& viewer) const;
    bool ttfShown() const;
    bool dprimeShown() const;

    std::function<ViewerSnapshot()> viewerSnapshot_;
    std::function<void()> showViewer_;
    std::optional<TtfOfFiles> ttf_;
    std::optional<NpsOfFiles> nps_;

    // --- Controls (objectName = member name) -------------------------------------
    RadioGroup* RadioGroupSlices; // "All", "Range", "Shown"
    QLineEdit* EditSliceRange;    // FIRST..LAST, positions in the Viewer's list
    QTabWidget* PageControl;      // "TTF", "NPS"

    QCheckBox* CheckBoxRoiCentre; // the insert's centre is the Viewer's ROI centre
    QLineEdit* EditCentreX;
    QLineEdit* EditCentreY;
    QLineEdit* EditDiameter; // mm
    QPushButton* ButtonTtfCal;
    QChartView* ChartTtf;
    QChartView* ChartEsf;
    StringGrid* StringGridTtf;

    QLineEdit* EditRoiSize;
    RadioGroup* RadioGroupDetrend; // "poly2", "mean"
    QLineEdit* EditRepeatedSeries; // a slice or folder of a repeated series: the NPS of the differences
    QPushButton* ButtonNpsCal;
    QChartView* ChartRadialNps;
    QLabel* LabelNpsImage;
    StringGrid* StringGridNps;

    DprimePage* TabSheetDprime;

    QPushButton* ButtonToCB;
    QPushButton* ButtonSave;
    QPushButton* ButtonToViewer; // "toForm1"
};

extern TaskIQ* FormTaskIQ;
