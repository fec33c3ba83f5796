// libFuzzer target: the three windows' handlers driven with fuzzed edit texts and
// table cells, offscreen. Every run starts from the same state (a 64 x 64 slice in
// the Viewer, an eleven-slice profile in the MTF window, the spectrum window
// loaded), types the fuzzed texts into the edits the chosen button reads and
// presses it. It must end with results or a message: a crash, a sanitizer report,
// any failure other than AppError, a result shown as INF or NAN, a chart point or
// axis that is not finite, or a run past libFuzzer's -timeout fails.
//
// Input: byte 0 chooses the button, byte 1 the check boxes and radio items, then
// records "edit byte, text up to a line feed" type one text each.
#include "AppError.h"
#include "Forms.h"
#include "InputGridWidget.h"
#include "ScriptedDialogs.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WindowControls.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValueAxis>
#include <QXYSeries>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "window fuzz: %s\n", what.c_str());
    std::abort();
}

ScriptedDialogs* scripted = nullptr;

// The slice every run starts from: 64 x 64 words of noise around 1000.
ByteBuffer slice()
{
    ByteBuffer buffer(2 * 64 * 64);
    uint32_t state = 12345;
    for (size_t i = 0; i < buffer.size(); i += 2) {
        state = state * 1103515245 + 12345;
        const auto word = static_cast<uint16_t>(1000 + (state >> 16) % 41);
        buffer[i] = static_cast<uint8_t>(word & 0xFF);
        buffer[i + 1] = static_cast<uint8_t>(word >> 8);
    }
    return buffer;
}

void setTexts(const std::vector<std::pair<QLineEdit*, const char*>>& texts)
{
    for (const auto& [edit, text] : texts) edit->setText(text);
}

void resetViewer()
{
    static const ByteBuffer image = slice();
    TForm1* f = Form1;
    f->loadImageBytes(image, 64, 64);
    control<RadioGroup>(f, "RadioGroupMode")->setItemIndex(1);
    control<RadioGroup>(f, "RadioGroupTool")->setItemIndex(0);
    control<RadioGroup>(f, "RadioGroupRange")->setItemIndex(1);
    for (QCheckBox* box : {control<QCheckBox>(f, "CheckBoxWWLock"), control<QCheckBox>(f, "CheckBoxSwp"),
                           control<QCheckBox>(f, "CheckBoxInvrt")}) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    control<QCheckBox>(f, "CheckBoxRoiLock")->setChecked(true);
    setTexts({{control<QLineEdit>(f, "EditFileName"), "fuzz 64 64 0p5.raw"},
              {control<QLineEdit>(f, "EditHeader"), "0"},
              {control<QLineEdit>(f, "EditOffst"), "0"},
              {control<QLineEdit>(f, "EditImgSizeX"), "64"},
              {control<QLineEdit>(f, "EditImgSizeY"), "64"},
              {control<QLineEdit>(f, "EditPxlSpc"), "0.5"},
              {control<QLineEdit>(f, "EditMF"), "1.0"},
              {control<QLineEdit>(f, "EditImgSftX"), "0"},
              {control<QLineEdit>(f, "EditImgSftY"), "0"},
              {control<QLineEdit>(f, "EditWindowLevel"), "1000"},
              {control<QLineEdit>(f, "EditWindowWidth"), "100"},
              {control<QLineEdit>(f, "EditROIPosX"), "32"},
              {control<QLineEdit>(f, "EditROIPosY"), "32"},
              {control<QLineEdit>(f, "EditROISizeX"), "64"},
              {control<QLineEdit>(f, "EditROISizeY"), "64"}});
    f->setViewState(1);
    f->DrawImage();
}

void resetMtf()
{
    TForm2* f = Form2;
    InputGrid* g = control<InputGrid>(f, "StringGridInput");
    const char* means[] = {"5", "5", "6", "10", "40", "100", "50", "12", "6", "5", "5"};
    g->setColCount(5);
    g->setRowCount(12);
    for (int r = 1; r <= 11; ++r) g->setCell(4, r, means[r - 1]);
    setTexts({{control<QLineEdit>(f, "EditsIntrv"), "1"},
              {control<QLineEdit>(f, "EditLSFgdx"), "1"},
              {control<QLineEdit>(f, "EditLSFgnd"), "11"}});
    f->ButtonPNTYClick();
}

void resetWiener()
{
    TForm3* f = Form3;
    control<RadioGroup>(f, "RadioGroupXY")->setItemIndex(0);
    setTexts({{control<QLineEdit>(f, "EditC"), "1.0"},
              {control<QLineEdit>(f, "EditNSgmnt2"), "10000"},
              {control<QLineEdit>(f, "EditN"), "1"},
              {control<QLineEdit>(f, "EditN1"), "1"}});
    f->ButtonLoadClick();
}

// The edits a window's buttons read, the Viewer's among them for the spectrum.
std::vector<QLineEdit*> viewerEdits()
{
    TForm1* f = Form1;
    return {control<QLineEdit>(f, "EditHeader"),      control<QLineEdit>(f, "EditOffst"),
            control<QLineEdit>(f, "EditImgSizeX"),    control<QLineEdit>(f, "EditImgSizeY"),
            control<QLineEdit>(f, "EditMF"),          control<QLineEdit>(f, "EditImgSftX"),
            control<QLineEdit>(f, "EditImgSftY"),     control<QLineEdit>(f, "EditWindowLevel"),
            control<QLineEdit>(f, "EditWindowWidth"), control<QLineEdit>(f, "EditROIPosX"),
            control<QLineEdit>(f, "EditROIPosY"),     control<QLineEdit>(f, "EditROISizeX"),
            control<QLineEdit>(f, "EditROISizeY"),    control<QLineEdit>(f, "EditPxlSpc")};
}

std::vector<QLineEdit*> mtfEdits()
{
    TForm2* f = Form2;
    return {control<QLineEdit>(f, "EditsIntrv"), control<QLineEdit>(f, "EditLSFgnd"),
            control<QLineEdit>(f, "EditLSFgdx"), control<QLineEdit>(f, "EditMaxPoint"),
            control<QLineEdit>(f, "EditMTFgnd"), control<QLineEdit>(f, "EditMTFgdx"),
            control<QLineEdit>(f, "EditFWHM")};
}

std::vector<QLineEdit*> wienerEdits()
{
    TForm3* f = Form3;
    TForm1* v = Form1;
    return {control<QLineEdit>(f, "EditPxlSpc"),   control<QLineEdit>(f, "EditImgSizeX"),
            control<QLineEdit>(f, "EditSgmntX"),   control<QLineEdit>(f, "EditSgmntY"),
            control<QLineEdit>(f, "EditShftX"),    control<QLineEdit>(f, "EditShftY"),
            control<QLineEdit>(f, "EditNSgmnt2"),  control<QLineEdit>(f, "EditC"),
            control<QLineEdit>(f, "EditN"),        control<QLineEdit>(f, "EditN1"),
            control<QLineEdit>(v, "EditROISizeX"), control<QLineEdit>(v, "EditROISizeY"),
            control<QLineEdit>(v, "EditROIPosX"),  control<QLineEdit>(v, "EditROIPosY"),
            control<QLineEdit>(v, "EditHeader"),   control<QLineEdit>(v, "EditOffst"),
            control<QLineEdit>(v, "EditImgSizeX"), control<QLineEdit>(v, "EditImgSizeY")};
}

// The same input gives the same spectrum on every press.
void calculateTwice()
{
    Form3->ButtonCalClick();
    const auto first = Form3->spectrum().WsSpectrum;
    Form3->ButtonCalClick();
    if (std::memcmp(first.data(), Form3->spectrum().WsSpectrum.data(), sizeof first) != 0)
        fail("a second press on the same input gives another spectrum");
}

enum class Window { Viewer, Mtf, Wiener };

struct Action {
    Window window;
    std::function<void()> press;
};

const std::vector<Action>& actions()
{
    static const std::vector<Action> all = {
        {Window::Viewer, [] { Form1->ButtonDispClick(); }},
        {Window::Viewer, [] { Form1->ButtonAutoWLClick(); }},
        {Window::Viewer, [] { Form1->Button1Click(); }},
        {Window::Viewer, [] { Form1->Button2Click(); }},
        {Window::Viewer,
         [] {
             Form1->ButtonDispClick();
             Form1->ButtonStatClick();
         }},
        {Window::Viewer, [] { Form1->RoiSizeMenuClick(2048); }},
        {Window::Viewer, [] { Form1->ButtonVertClick(); }},
        {Window::Viewer, [] { Form1->ButtonHorizClick(); }},
        {Window::Viewer, [] { Form1->ButtonCWClick(); }},
        {Window::Viewer, [] { Form1->ButtonCCWClick(); }},
        {Window::Viewer,
         [] {
             // A right-button drag across the image: window width and level.
             Form1->ButtonDispClick();
             Form1->Image1MouseDown(Qt::RightButton, 0, 0);
             Form1->Image1MouseMove(511, -511);
             Form1->Image1MouseUp(Qt::RightButton);
         }},
        {Window::Viewer,
         [] {
             // A left press inside the frame and a move: the ROI follows.
             Form1->ButtonDispClick();
             const Rect r = Form1->roiViewRect();
             const int x =
                 static_cast<int>((int64_t{r.Left} + r.Right) / 2 * 512 / std::max(Form1->dispBitmap().height, 1));
             const int y =
                 static_cast<int>((int64_t{r.Top} + r.Bottom) / 2 * 512 / std::max(Form1->dispBitmap().height, 1));
             Form1->Image1MouseDown(Qt::LeftButton, x, y);
             Form1->Image1MouseMove(x + 500, y - 500);
             Form1->Image1MouseUp(Qt::LeftButton);
         }},
        {Window::Mtf, [] { Form2->FormActivate(); }},
        {Window::Mtf, [] { Form2->ButtonCalMTFClick(); }},
        {Window::Mtf,
         [] {
             control<QTabWidget>(Form2, "PageControl1")->setCurrentWidget(control<QWidget>(Form2, "TabSheetLSF"));
             Form2->ButtonDrawDClick();
         }},
        {Window::Mtf,
         [] {
             control<QTabWidget>(Form2, "PageControl1")->setCurrentWidget(control<QWidget>(Form2, "TabSheetMTF"));
             Form2->ButtonDrawDClick();
         }},
        {Window::Mtf, [] { Form2->ButtonFWHMClick(); }},
        {Window::Mtf, [] { Form2->ButtonSSPzToMemoClick(); }},
        {Window::Mtf, [] { Form2->ButtonMTFToMemoClick(); }},
        {Window::Mtf, [] { Form2->ButtonAllClick(); }},
        {Window::Wiener, [] { Form3->ButtonCalClick(); }},
        {Window::Wiener,
         [] {
             Form3->ButtonLoadClick();
             Form3->ButtonCalClick();
         }},
        {Window::Wiener,
         [] {
             Form3->ButtonCalClick();
             Form3->ButtonResultClick();
         }},
        {Window::Wiener,
         [] {
             Form3->ButtonCalClick();
             Form3->ButtonACFtoCBClick();
         }},
        {Window::Wiener,
         [] {
             Form3->ButtonCalClick();
             Form3->ButtonSmoothClick();
         }},
        {Window::Wiener, calculateTwice},
        {Window::Wiener,
         [] {
             // The image shape and the ROI typed into the Viewer take effect at its next
             // drawing, which may refuse them.
             try {
                 Form1->ButtonDispClick();
             } catch (const AppError&) {
             }
             calculateTwice();
         }},
    };
    return all;
}

void setOptions(uint8_t bits)
{
    const auto on = [bits](int bit) { return (bits >> bit & 1) != 0; };
    {
        const QSignalBlocker quiet(control<QCheckBox>(Form1, "CheckBoxSwp"));
        control<QCheckBox>(Form1, "CheckBoxSwp")->setChecked(on(0));
    }
    {
        const QSignalBlocker quiet(control<QCheckBox>(Form1, "CheckBoxInvrt"));
        control<QCheckBox>(Form1, "CheckBoxInvrt")->setChecked(on(1));
    }
    control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(on(2) ? 0 : 1);
    control<QCheckBox>(Form3, "CheckBoxTrnd")->setChecked(on(3));
    control<QCheckBox>(Form3, "CheckBoxTrnd1")->setChecked(on(4));
    control<RadioGroup>(Form3, "RadioGroupWindow")->setItemIndex(on(5) ? 0 : 1);
    control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(on(6) ? 1 : 0); // exchanges the segment edits
    control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(!on(7));
}

// Types the records of the input: an edit (or a table cell) chosen by one byte,
// and the text up to the next line feed.
QStringList typeTexts(Window window, const uint8_t* data, size_t size)
{
    QStringList typed;
    std::vector<QLineEdit*> edits = window == Window::Viewer ? viewerEdits()
                                    : window == Window::Mtf  ? mtfEdits()
                                                             : wienerEdits();
    InputGrid* grid = control<InputGrid>(Form2, "StringGridInput");
    size_t i = 0;
    while (i < size) {
        const uint8_t target = data[i++];
        const size_t start = i;
        while (i < size && data[i] != '\n') ++i;
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + start),
                                                 static_cast<qsizetype>(std::min<size_t>(i - start, 40)));
        ++i;
        typed << text;
        if (window == Window::Mtf && target >= 0x80) {
            // A table cell of the profile column, or (0xFF) the number of table rows.
            if (target == 0xFF) grid->setRowCount(std::clamp(text.toInt() + 1, 1, 2100));
            else if (grid->rowCount() > 1) grid->setCell(4, 1 + (target - 0x80) % (grid->rowCount() - 1), text);
        } else {
            edits[target % edits.size()]->setText(text);
        }
    }
    return typed;
}

// What the handlers wrote must show no INF or NAN: edits (except texts copied as
// typed, as "Load" copies the Viewer's) and memo lines (their header lines echo
// texts as typed); chart points and axes must be finite.
std::map<QObject*, QString> shownTexts()
{
    std::map<QObject*, QString> texts;
    for (QWidget* window : std::initializer_list<QWidget*>{Form1, Form2, Form3}) {
        for (QLineEdit* e : window->findChildren<QLineEdit*>()) texts[e] = e->text();
        for (QPlainTextEdit* m : window->findChildren<QPlainTextEdit*>()) {
            const QString text = m->toPlainText();
            texts[m] = text.mid(text.indexOf('\n') + 1);
        }
    }
    return texts;
}

void checkResults(const std::map<QObject*, QString>& before, const QStringList& typed)
{
    for (const auto& [object, text] : shownTexts()) {
        const auto was = before.find(object);
        if ((was != before.end() && was->second == text) || typed.contains(text)) continue;
        if (text.contains("INF") || text.contains("NAN"))
            fail(object->objectName().toStdString() + " shows " + text.left(200).toStdString());
    }
    for (QWidget* window : std::initializer_list<QWidget*>{Form2, Form3}) {
        for (QChartView* view : window->findChildren<QChartView*>()) {
            for (QAbstractSeries* series : view->chart()->series())
                for (const QPointF& p : static_cast<QXYSeries*>(series)->points())
                    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                        fail(series->objectName().toStdString() + " has a point that is not finite");
            if (view == control<QChartView>(Form3, "ChartWSLin") || view == control<QChartView>(Form3, "ChartWSLog"))
                for (QAbstractSeries* series : view->chart()->series())
                    for (const QPointF& p : static_cast<QXYSeries*>(series)->points())
                        if (!(p.x() > 0)) fail("the spectrum has a point at a frequency that is not positive");
            for (QAbstractAxis* axis : view->chart()->axes()) {
                auto* value = qobject_cast<QValueAxis*>(axis);
                if (!value) continue;
                const double span = value->max() - value->min();
                if (!std::isfinite(span)) fail(view->objectName().toStdString() + " has an axis without finite range");
                if (value->tickType() == QValueAxis::TicksDynamic && span / value->tickInterval() > 1000)
                    fail(view->objectName().toStdString() + " has an axis with too many labels");
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "WindowHandlersFuzz";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: destroying it among the exit handlers would
    // pull Qt's devices from under the windows.
    new QApplication(argc, argv);
    scripted = &installScriptedDialogs();
    CreateForms();
    for (QWidget* window : std::initializer_list<QWidget*>{Form1, Form2, Form3}) window->show();
    QApplication::processEvents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    const Action& action = actions()[data[0] % actions().size()];
    try {
        resetViewer();
        resetMtf();
        resetWiener();
    } catch (const AppError& e) {
        fail(std::string("the start state fails: ") + e.what());
    }
    setOptions(data[1]);
    const QStringList typed = typeTexts(action.window, data + 2, size - 2);
    scripted->errors.clear();

    const std::map<QObject*, QString> before = shownTexts();
    try {
        action.press();
    } catch (const AppError&) {
        // The handler ended with its message, as the error report would show it.
    }
    // Let the windows lay out and paint what changed, as the event loop would.
    QApplication::processEvents();
    checkResults(before, typed);
    return 0;
}
