// Makes the README's pictures from the program itself: the three windows rendered
// offscreen on the sample series, driven through their buttons as a user would.
//
// Usage: ctiq-screenshots <sample folder> <picture folder>
// The sample folder is what ctiq-sample-series wrote (sspz/ and water/).
#include "Dialogs.h"
#include "Forms.h"
#include "RadioGroup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QWidget>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

// Answers the file dialog with the next file to load and keeps any other box it is
// asked to show: a step that shows one ends the run, since a picture taken after an
// error is not what the README should show.
class ScreenshotDialogs : public Dialogs {
public:
    QString nextFile;
    QString shown;
    std::optional<QString> openFile(QWidget*) override { return nextFile; }
    std::optional<QString> saveFile(QWidget*, const QString& suggestedName) override
    {
        shown = "question: save " + suggestedName;
        return std::nullopt;
    }
    QString inputBox(QWidget*, const QString&, const QString& prompt, const QString& defaultText) override
    {
        shown = "question: " + prompt;
        return defaultText;
    }
    void information(QWidget*, const QString& text) override { shown = "message: " + text; }
    void errorReport(QWidget*, const QString& message) override { shown = "error: " + message; }
};

ScreenshotDialogs* answers = nullptr;

QWidget* window(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    throw std::runtime_error(std::string("no window ") + name);
}

template <typename Control>
Control* control(QWidget* window, const char* name)
{
    auto* found = window->findChild<Control*>(name);
    if (!found) throw std::runtime_error(std::string("no control ") + name);
    return found;
}

void click(QWidget* window, const char* button)
{
    control<QAbstractButton>(window, button)->click();
    if (!answers->shown.isEmpty())
        throw std::runtime_error(std::string(button) + " showed " + answers->shown.toStdString());
}

void type(QWidget* window, const char* edit, const QString& text) { control<QLineEdit>(window, edit)->setText(text); }

void showPage(QWidget* window, int page)
{
    control<QTabWidget>(window, "PageControl1")->setCurrentIndex(page);
    QApplication::processEvents();
}

void save(QWidget* window, const QString& file)
{
    QApplication::processEvents();
    if (!window->grab().save(file)) throw std::runtime_error("cannot write " + file.toStdString());
    std::printf("%s\n", qPrintable(file));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: ctiq-screenshots <sample folder> <picture folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString samples = QString::fromLocal8Bit(argv[1]);
    const QString pictures = QString::fromLocal8Bit(argv[2]) + "/";
    try {
        auto port = std::make_unique<ScreenshotDialogs>();
        answers = port.get();
        setDialogs(std::move(port));
        CreateForms();
        QWidget* viewer = window("Form1");
        QWidget* mtf = window("Form2");
        QWidget* wiener = window("Form3");
        viewer->show();

        // The series: "Open" in DICOM mode, the ROI on the phantom's insert, "Cal.".
        control<RadioGroup>(viewer, "RadioGroupMode")->setItemIndex(2);
        answers->nextFile = samples + "/sspz/slice021.dcm";
        click(viewer, "ButtonDispC");
        type(viewer, "EditROIPosX", "256");
        type(viewer, "EditROIPosY", "256");
        type(viewer, "EditROISizeX", "40");
        type(viewer, "EditROISizeY", "40");
        click(viewer, "ButtonDisp");
        click(viewer, "ButtonStat");
        save(viewer, pictures + "viewer.png");

        click(viewer, "ButtonCalSW");
        showPage(mtf, 1);
        save(mtf, pictures + "mtf-sspz.png");
        showPage(mtf, 2);
        save(mtf, pictures + "mtf-mtf.png");

        // The noise spectrum of the water slice, over a 256 x 256 ROI.
        click(viewer, "ButtonDisp");
        answers->nextFile = samples + "/water/water.dcm";
        click(viewer, "BitBtnLoad");
        type(viewer, "EditROISizeX", "256");
        type(viewer, "EditROISizeY", "256");
        click(viewer, "ButtonDisp");
        click(viewer, "ButtonForm3");
        click(wiener, "ButtonLoad");
        click(wiener, "ButtonCal");
        save(wiener, pictures + "wiener-spectrum.png");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ctiq-screenshots: %s\n", e.what());
        return 1;
    }
    return 0;
}
