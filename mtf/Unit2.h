#pragma once
// The MTF window: the slice sensitivity profile along z measured by the Viewer's
// series measurement, its FWHM and its MTF, with charts and tab-separated memos.
// Handlers are spread over Unit2 (controls, activation, navigation), Unit2Profile
// (profile, FWHM and MTF) and Unit2Outputs (charts, memos, table copy, grid mouse).
#include "ChartWidget.h"
#include "MtfArrays.h"
#include "MtfChain.h"
#include "MtfSeriesInput.h"
#include "Provenance.h"

#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QStatusBar>
#include <QTabWidget>
#include <QWidget>

#include <array>
#include <functional>

class InputGrid;
class UpDown;

class TForm2 : public QWidget, public MtfSeriesInput {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // "ToForm1": shows the Viewer; the start-up installs it.
    void setShowViewer(std::function<void()> show) { showViewer_ = std::move(show); }

    // The series from the Viewer's "Cal." and "Open".
    void setSliceThickness(const std::string& text) override;
    void startSeries(int files) override;
    void setSeriesCell(int column, int row, const std::string& text) override;
    void setSeriesSource(MeasurementSource source) override;
    void endSeries(int files) override;
    void setSeriesSpacings(int files) override;
    // The whole input table at once, row 0 the captions (the measuring command's report).
    void setInputTable(const std::vector<TextRow>& rows);
    // 1 while the mouse is pressed on the input grid, else 0.
    int dragFlag() const { return DragFlag; }

    // --- Charts and status panels: their series and labels are not named children ---
    LineChart Chart1;        // SSPz
    QLineSeries* Series1;    // relative SSPz, red line
    QScatterSeries* Series3; // the same points, green circles
    LineChart Chart2;        // MTF
    QLineSeries* Series2;    // MTF, red line
    QLineSeries* Series4;    // sinc reference, green line
    std::array<QLabel*, 3> StatusBar1Panels{};

private:
    // The window's own helpers that read and write its controls.
    friend class Form2Edits;
    friend class Form2Display;

    // --- Controls (objectName = member name) -------------------------------
    QLineEdit* EditsIntrv;   // "SliceInterval(mm)"
    QLineEdit* EditSThick;   // "SliceThickness(mm)"
    QLineEdit* EditFWHM;     // "FWHM(mm)"
    QWidget* Panel4;         // "Value of" / "Sinc(1/FWHM)"
    QLineEdit* EditFrq;      // "cycle/mm"
    QLineEdit* EditMTF;      // "MTF"
    QLineEdit* EditMaxPoint; // profile centre, fractional index
    QPushButton* ButtonCalMTF;
    QPushButton* ButtonPNTY;
    QPushButton* ButtonDrawD;
    QPushButton* ButtonFWHM;
    QWidget* Panel2; // "PSF width"
    QLineEdit* EditGeta;
    UpDown* UpDown1;
    QPushButton* ButtonForm1; // "ToForm1"
    QPushButton* ButtonSave;  // "Save": the report
    QStatusBar* StatusBar1;

    QTabWidget* PageControl1;
    QWidget* PixelValue;  // "Input"
    QWidget* TabSheetLSF; // "SSPz"
    QWidget* TabSheetMTF; // "MTF"
    QWidget* TabSheet1;   // "Output"

    InputGrid* StringGridInput;
    QLineEdit* EditAve;
    QLineEdit* EditSD;
    QLineEdit* EditMax;
    QLineEdit* EditMin;
    QPushButton* ButtonAll; // "ToCB"

    QLineEdit* EditLSFgnd; // SSPz point count
    QLineEdit* EditLSFgdx; // sample spacing, mm

    QLineEdit* EditMTFgnd; // MTF point count
    QLineEdit* EditMTFgdx; // frequency step, cycles/mm

    QPlainTextEdit* MemoVSSPz;
    QPlainTextEdit* MemoPSSPz;
    QPlainTextEdit* MemoMTF;
    QPushButton* ButtonSSPzToMemo;
    QPushButton* ButtonMTFToMemo;

public:
    // --- Handlers -----------------------------------------------------------
    void FormActivate();
    void ButtonForm1Click();

    // Profile, FWHM and MTF.
    void ButtonPNTYClick();
    void ProcessProfile();
    void ButtonFWHMClick();
    void CalculateMTF();
    void ButtonCalMTFClick();
    void UpDown1Click();

    // Charts, memos, the table copy and the grid mouse.
    void ButtonDrawDClick();
    void PlotCurrentPage(int n);
    void ButtonSSPzToMemoClick();
    void ButtonMTFToMemoClick();
    void ButtonAllClick();
    void StringGridInputMouseDown();
    void StringGridInputMouseMove();
    void StringGridInputMouseUp();

    // "Save": asks for the PDF's name and writes the report there.
    void ButtonSaveClick();
    // The report of what the window shows: the PDF and the text file beside it.
    void SaveReport(const QString& pdfPath);

    // Empties the four chart series (a new series is on its way).
    void ClearChartSeries();

protected:
    bool event(QEvent* event) override;

private:
    // --- Working storage (lives as long as the window) ----------------------
    MtfWorkspace Work;        // profile, spectrum and the count N read by the last run
    int DragFlag = 0;         // 1 while the mouse is pressed on the grid
    MeasurementSource Source; // the files and ROI of the series in the table, for the report

    void createControls();
    void createPages();
    void createInputPage();
    void createSspzPage();
    void createMtfPage();
    void createOutputPage();
    void createResultColumn();
    void createButtonRow();
    void createStatusBar();
    void connectHandlers();

    // The error report of a failed activation takes the activation away from this
    // window and gives it back when closed; that return must not run it again.
    bool activating_ = false;
    bool skipReturnActivation_ = false;
    std::function<void()> showViewer_;
    PlotArrays Plot; // the points of the charts as last drawn
};

extern TForm2* Form2;
