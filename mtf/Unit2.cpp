#include "Unit2.h"

#include "Convert.h"
#include "FormControls.h"
#include "Guarded.h"
#include "InputGridWidget.h"
#include "UpDownWidget.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QWindow>

TForm2* Form2 = nullptr;

namespace {

constexpr int resultColumnX = 640; // the column of results right of the pages

QLabel* boldLabel(QWidget* parent, const QString& text, QRect geometry)
{
    QLabel* l = label(parent, text, geometry);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLineEdit* hinted(QLineEdit* edit, const QString& hint)
{
    edit->setToolTip(hint);
    return edit;
}

QWidget* page(QTabWidget* pages, const char* name, const QString& caption)
{
    QWidget* p = named(new QWidget, name);
    pages->addTab(p, caption);
    return p;
}

QPlainTextEdit* memo(QWidget* parent, const char* name, const QRect& at)
{
    QPlainTextEdit* m = named(new QPlainTextEdit(parent), name);
    m->setGeometry(at);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setTabChangesFocus(false); // TAB types a TAB
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return m;
}

const char* const countHint = "表示データ点数";
const char* const spacingHint = "表示グリッド間隔";

} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form2");
    setWindowTitle("MTF");
    resize(820, 600);
    createControls();
    connectHandlers();
}

void TForm2::createControls()
{
    // Pages on the left, results in a column on the right, buttons below.
    createPages();
    createInputPage();
    createSspzPage();
    createMtfPage();
    createOutputPage();
    createResultColumn();
    createButtonRow();
    createStatusBar();
}

// The four pages on the left.
void TForm2::createPages()
{
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    PageControl1->setGeometry(8, 8, 620, 470);
    PixelValue = page(PageControl1, "PixelValue", "Input");
    TabSheetLSF = page(PageControl1, "TabSheetLSF", "SSPz");
    TabSheetMTF = page(PageControl1, "TabSheetMTF", "MTF");
    TabSheet1 = page(PageControl1, "TabSheet1", "Output");
}

// "Input": the table from the Viewer and its column statistics.
void TForm2::createInputPage()
{
    StringGridInput = named(new InputGrid(257, 257, PixelValue), "StringGridInput");
    StringGridInput->setGeometry(4, 4, 604, 380);
    const char* statNames[] = {"EditAve", "EditSD", "EditMax", "EditMin"};
    const char* statTexts[] = {"Ave", "SD", "Max", "Min"};
    const char* statLabels[] = {"Mean", "SD", "Max", "Min"};
    QLineEdit** statEdits[] = {&EditAve, &EditSD, &EditMax, &EditMin};
    for (int i = 0; i < 4; ++i) {
        *statEdits[i] = edit(PixelValue, statNames[i], statTexts[i], {4 + 120 * i, 392, 112, 22});
        boldLabel(PixelValue, statLabels[i], {4 + 120 * i, 416, 112, 18});
    }
    ButtonAll = button(PixelValue, "ButtonAll", "ToCB", {500, 404, 100, 26});
}

// "SSPz": the profile chart and its point count and spacing.
void TForm2::createSspzPage()
{
    Chart1 = makeLineChart(TabSheetLSF, "Chart1", "SSPz", "Position (mm)", "% Relative sensitivity");
    Chart1.view->setGeometry(4, 4, 604, 400);
    Series1 = new QLineSeries;
    attachSeries(Chart1, Series1, "Series1", Qt::red);
    Series3 = new QScatterSeries;
    Series3->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    Series3->setMarkerSize(3);
    Series3->setBorderColor(Qt::green);
    attachSeries(Chart1, Series3, "Series3", Qt::green);
    EditLSFgnd = hinted(edit(TabSheetLSF, "EditLSFgnd", "LSFgnd", {4, 410, 100, 22}), countHint);
    EditLSFgdx = hinted(edit(TabSheetLSF, "EditLSFgdx", "LSFgdx", {112, 410, 100, 22}), spacingHint);
}

// "MTF": the MTF chart and its point count and frequency step.
void TForm2::createMtfPage()
{
    Chart2 = makeLineChart(TabSheetMTF, "Chart2", "MTF", "Spatial frequency (cycles/mm)", "Value of MTF");
    Chart2.view->setGeometry(4, 4, 604, 400);
    Series2 = new QLineSeries;
    attachSeries(Chart2, Series2, "Series2", Qt::red);
    Series4 = new QLineSeries;
    attachSeries(Chart2, Series4, "Series4", Qt::green);
    setAxisScale(Chart2.bottom, 0, 1.5, 0.2);
    setAxisScale(Chart2.left, 0, 1, 0.1);
    EditMTFgnd = hinted(edit(TabSheetMTF, "EditMTFgnd", "MTFgnd", {4, 410, 100, 22}), countHint);
    EditMTFgdx = hinted(edit(TabSheetMTF, "EditMTFgdx", "MTFgdx", {112, 410, 100, 22}), spacingHint);
}

// "Output": the memos of the profile and the MTF.
void TForm2::createOutputPage()
{
    MemoVSSPz = memo(TabSheet1, "MemoVSSPz", {4, 4, 196, 396});
    MemoPSSPz = memo(TabSheet1, "MemoPSSPz", {206, 4, 196, 396});
    MemoMTF = memo(TabSheet1, "MemoMTF", {408, 4, 200, 396});
    ButtonSSPzToMemo = button(TabSheet1, "ButtonSSPzToMemo", "SSPzToMemo", {4, 406, 110, 26});
    ButtonMTFToMemo = button(TabSheet1, "ButtonMTFToMemo", "MTFToMemo", {408, 406, 110, 26});
    PageControl1->setCurrentWidget(TabSheet1);
}

// The results right of the pages.
void TForm2::createResultColumn()
{
    const int x = resultColumnX;
    label(this, "SliceInterval(mm)", {x, 8, 160, 18});
    EditsIntrv = edit(this, "EditsIntrv", "0", {x, 26, 160, 22});
    label(this, "SliceThickness(mm)", {x, 54, 160, 18});
    EditSThick = edit(this, "EditSThick", "SThick", {x, 72, 160, 22});
    label(this, "FWHM(mm)", {x, 100, 160, 18});
    EditFWHM = edit(this, "EditFWHM", "FWHM", {x, 118, 160, 22});
    Panel4 = named(new QWidget(this), "Panel4");
    Panel4->setGeometry(x, 148, 170, 130);
    label(Panel4, "Value of", {4, 2, 160, 18});
    label(Panel4, "Sinc(1/FWHM)", {4, 18, 160, 18});
    label(Panel4, "cycle/mm", {4, 38, 160, 18});
    EditFrq = edit(Panel4, "EditFrq", "cycles/mm", {4, 56, 160, 22});
    label(Panel4, "MTF", {4, 82, 160, 18});
    EditMTF = edit(Panel4, "EditMTF", "MTF", {4, 100, 160, 22});
    EditMaxPoint = edit(this, "EditMaxPoint", "", {x, 286, 160, 22});
}

// The buttons below the pages.
void TForm2::createButtonRow()
{
    ButtonCalMTF = button(this, "ButtonCalMTF", "CalMTF", {8, 486, 80, 26});
    ButtonPNTY = button(this, "ButtonPNTY", "PNTY", {94, 486, 80, 26});
    ButtonDrawD = button(this, "ButtonDrawD", "DrawD", {180, 486, 80, 26});
    ButtonFWHM = button(this, "ButtonFWHM", "FWHM", {266, 486, 80, 26});
    Panel2 = named(new QWidget(this), "Panel2");
    Panel2->setGeometry(360, 482, 200, 36);
    label(Panel2, "PSF width", {4, 8, 70, 18});
    EditGeta = edit(Panel2, "EditGeta", "1", {80, 6, 60, 22});
    UpDown1 = named(new UpDown(1, 100, 24, Panel2), "UpDown1");
    UpDown1->setGeometry(142, 4, 18, 28);
    ButtonForm1 = button(this, "ButtonForm1", "ToForm1", {resultColumnX, 486, 100, 26});
    ButtonSave = button(this, "ButtonSave", "Save", {resultColumnX + 106, 486, 70, 26});
}

// The status bar with its three panels.
void TForm2::createStatusBar()
{
    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 574, 820, 22);
    const int widths[] = {100, 100, 50};
    for (int i = 0; i < 3; ++i) {
        StatusBar1Panels[i] = new QLabel(StatusBar1);
        StatusBar1Panels[i]->setFixedWidth(widths[i]);
        StatusBar1->addWidget(StatusBar1Panels[i]);
    }
}

void TForm2::connectHandlers()
{
    onClick(this, ButtonCalMTF, &TForm2::ButtonCalMTFClick);
    onClick(this, ButtonPNTY, &TForm2::ButtonPNTYClick);
    onClick(this, ButtonDrawD, &TForm2::ButtonDrawDClick);
    onClick(this, ButtonFWHM, &TForm2::ButtonFWHMClick);
    onClick(this, ButtonForm1, &TForm2::ButtonForm1Click);
    onClick(this, ButtonSave, &TForm2::ButtonSaveClick);
    onClick(this, ButtonAll, &TForm2::ButtonAllClick);
    onClick(this, ButtonSSPzToMemo, &TForm2::ButtonSSPzToMemoClick);
    onClick(this, ButtonMTFToMemo, &TForm2::ButtonMTFToMemoClick);
    connect(UpDown1, &UpDown::clicked, this, guarded(this, &TForm2::UpDown1Click));
    connect(StringGridInput, &InputGrid::mouseDown, this, guarded(this, &TForm2::StringGridInputMouseDown));
    connect(StringGridInput, &InputGrid::mouseMove, this, guarded(this, &TForm2::StringGridInputMouseMove));
    connect(StringGridInput, &InputGrid::mouseUp, this, guarded(this, &TForm2::StringGridInputMouseUp));
    // Once another of the program's windows is active, the next activation of this one
    // is the user's, whether or not the error report gave the activation back.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
        if (focused && focused != windowHandle() && !activating_) skipReturnActivation_ = false;
    });
}

bool TForm2::event(QEvent* e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowDeactivate && activating_) {
        skipReturnActivation_ = true;
    } else if (e->type() == QEvent::WindowActivate) {
        if (skipReturnActivation_) {
            skipReturnActivation_ = false;
        } else {
            activating_ = true;
            guarded(this, &TForm2::FormActivate)();
            activating_ = false;
        }
    }
    return handled;
}

void TForm2::FormActivate()
{
    // Every measured value must read as a number before anything is recomputed.
    for (int c = 4; c < StringGridInput->colCount(); ++c)
        for (int r = 1; r < StringGridInput->rowCount(); ++r) toFloat(StringGridInput->cell(c, r).toStdString());
    ButtonPNTYClick();
}

void TForm2::ButtonForm1Click()
{
    if (showViewer_) showViewer_();
}
