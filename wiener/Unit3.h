#pragma once
// The WienerSpectra window: the noise power spectrum of the Viewer's ROI, its
// autocorrelation and the band profiles, charted with a history of five results
// and exported as text. The handlers are in Unit3 (set-up and calculation) and
// Unit3Outputs (charts and exports); the computation is SpectrumCalculation.
#include "RadioGroup.h"
#include "SpectrumCalculation.h"
#include "SpectrumChartWidget.h"
#include "SpectrumSetup.h"
#include "SpectrumState.h"
#include "StringGrid.h"
#include "ViewerSnapshot.h"

#include <QChartView>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TForm3 : public QWidget, public ProfileSink {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // How this window reaches the Viewer: what it reads of it, and showing it
    // ("toForm1"); the start-up installs both.
    void setViewer(std::function<ViewerSnapshot()> snapshot, std::function<void()> show)
    {
        viewerSnapshot_ = std::move(snapshot);
        showViewer_ = std::move(show);
    }

    // The counters and result arrays of the calculations so far.
    const SpectrumState& spectrum() const { return *Spectrum; }

private:
    // --- Window-level state: counters, result arrays and working storage ------
    std::unique_ptr<SpectrumState> Spectrum;

    // The window's own helpers that read and write its controls.
    friend SegmentTexts segmentTexts(const TForm3& form);
    friend void showSegments(TForm3& form, const SegmentTexts& t);

    // --- Controls (objectName = member name) -----------------------------------
    QPushButton* ButtonLoad;   // "Load"
    QPushButton* ButtontoMain; // "toForm1"
    QPushButton* ButtonSave;   // "Save": the report
    QLineEdit* EditPxlSpc;     // "mmPS"
    QLineEdit* EditImgSizeX;   // "ImageSize"
    QLineEdit* EditImgSizeY;
    QLineEdit* EditROIX; // "ROISize"
    QLineEdit* EditROIY;
    QLineEdit* EditSgmntX; // "SegmentSize"
    QLineEdit* EditSgmntY;
    QLineEdit* EditShftX; // "Shift"
    QLineEdit* EditShftY;
    QLineEdit* EditNSgmnt;  // "Segment#": segments used
    QLineEdit* EditNSgmnt2; // "Segment#": limit
    QLineEdit* EditC;       // factor on every pixel value

    RadioGroup* RadioGroupXY; // "X", "Y"
    QCheckBox* CheckBoxTrnd;  // trend of every line
    QLineEdit* EditN;
    QCheckBox* CheckBoxTrnd1; // trend of every segment
    QLineEdit* EditN1;
    RadioGroup* RadioGroupWindow; // "Rect", "Haming"
    QPushButton* ButtonClr;       // "Clear"
    QPushButton* ButtonCal;       // "Cal"

    QTabWidget* PageControl1; // "ACF", "Profile", "WS"
    QChartView* ChartACF;
    QPushButton* ButtonACFtoCB; // "resultToCB"
    QChartView* ChartProfile;
    QChartView* ChartWSLin;
    QChartView* ChartWSLog;
    QPushButton* ButtonResult; // "resultToCB"
    QPushButton* ButtonSmooth; // "Smooth"
    QPlainTextEdit* MemoWS;
    StringGrid* StringGridFileName;

public:
    // The series of each chart (not named children of the window): Series1..7,
    // FastLineSeries1..7, 8..14 and 15..21.
    ChartSeries SeriesLin;
    ChartSeries SeriesLog;
    ChartSeries SeriesProfile;
    ChartSeries SeriesAcf;

    // --- Handlers ----------------------------------------------------------------
    void ButtonLoadClick();
    void ButtonClrClick();
    void RadioGroupXYClick();
    void ButtontoMainClick();
    void ButtonCalClick();
    // The calculation of "Cal" with the texts read, on the image the Viewer holds.
    void Calculate(const SpectrumTexts& texts, const ByteBuffer& image, const std::string& fileName);
    // Writes this window's own parameter edits: the texts a calculation reads from it.
    void SetParameterTexts(const SpectrumTexts& texts);

    // Charts and exports.
    void graph(const QString& fileName);
    void DrawProfile() override;
    void ButtonResultClick();
    void ButtonACFtoCBClick();
    void ButtonSmoothClick();

    // "Save": asks for the PDF's name and writes the report of the last calculation.
    void ButtonSaveClick();
    void SaveReport(const QString& pdfPath);

private:
    // The last calculation's texts and file, for its report.
    struct Calculation {
        SpectrumTexts texts;
        std::string fileName;
        std::string segmentCount;
    };
    std::optional<Calculation> last_;
    std::function<ViewerSnapshot()> viewerSnapshot_;
    std::function<void()> showViewer_;

    void createControls();
    void createButtons();
    void createParameterEdits();
    void createSwitchPanel();
    void createPages();
    void createAcfPage();
    void createProfilePage();
    void createWsPage();
    void connectHandlers();
    SpectrumTexts readSpectrumParameters(const ViewerSnapshot& viewer) const;
    // Empties MemoWS, writes the header line, then the lines made from the results
    // with the spacing in EditPxlSpc; returns all lines.
    std::vector<std::string> writeMemo(std::vector<std::string> (*makeLines)(const SpectrumState&, long double));
};

extern TForm3* Form3;
