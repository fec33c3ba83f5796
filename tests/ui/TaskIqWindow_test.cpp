// The TaskIQ window against ctiq-measure on the same slices: the same texts in "ToCB"
// and on standard output, the same report, and its refusals shown, not thrown.
#include "AppError.h"
#include "Forms.h"
#include "MeasureRun.h"
#include "RadioGroup.h"
#include "ScriptedDialogs.h"
#include "StringGrid.h"
#include "TaskIqPhantoms.h"
#include "TaskIqWindow.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "ViewerDriving.h"
#include "WindowControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

namespace {

QString str(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

QString withoutDate(QString tsv)
{
    tsv.remove(QRegularExpression("Date\t[^\r]*\r\n"));
    return tsv;
}

// A raw 16-bit slice as the Viewer loads it in "16bit" mode: HU plus 1000, rounded.
std::vector<uint8_t> rawSlice(const HuSlice& s)
{
    std::vector<int16_t> samples;
    for (double v : s.values) samples.push_back(static_cast<int16_t>(std::lround(v + 1000)));
    return words16(samples);
}

void clickButton(const QWidget* window, const char* name)
{
    QTest::mouseClick(control<QPushButton>(window, name), Qt::LeftButton);
}

void placeRoi(const QString& x, const QString& y, const QString& w, const QString& h)
{
    control<QLineEdit>(Form1, "EditROIPosX")->setText(x);
    control<QLineEdit>(Form1, "EditROIPosY")->setText(y);
    control<QLineEdit>(Form1, "EditROISizeX")->setText(w);
    control<QLineEdit>(Form1, "EditROISizeY")->setText(h);
}

QString clipboard() { return QGuiApplication::clipboard()->text(); }

} // namespace

class TaskIqWindowTest : public QObject {
    Q_OBJECT
    TempFolder folder;
    ScriptedDialogs* d = nullptr;
    std::filesystem::path disks, water;

private slots:
    void initTestCase()
    {
        std::filesystem::create_directories(folder.path() / "disk");
        std::filesystem::create_directories(folder.path() / "water");
        std::mt19937_64 random(11);
        const HuSlice disk = phantom::blurredDisk(128, 0.5, 64.3, 63.6, 12.5, 0.45, 100);
        for (int i = 1; i <= 5; ++i) {
            HuSlice noisy = disk;
            phantom::addWhiteNoise(noisy, 5, random);
            folder.write("disk/disk" + std::to_string(i) + " 128 128 0p5.raw", rawSlice(noisy));
            folder.write("water/water" + std::to_string(i) + " 128 128 0p5.raw",
                         rawSlice(phantom::whiteNoise(128, 10, random)));
        }
        disks = folder.path() / "disk";
        water = folder.path() / "water";
        CreateForms();
        Form1->show();
    }

    void init()
    {
        d = &installScriptedDialogs();
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1); // 16bit
        control<RadioGroup>(FormTaskIQ, "RadioGroupSlices")->setItemIndex(0);
    }

    void theViewerShowsTheWindow()
    {
        clickButton(Form1, "ButtonTaskIQ");
        QVERIFY(FormTaskIQ->isVisible());
        QCOMPARE(FormTaskIQ->objectName(), QString("TaskIQ"));
        clickButton(FormTaskIQ, "ButtonToViewer");
        QCOMPARE(d->errors, QStringList{});
    }

    void refusalsAreShown()
    {
        control<QTabWidget>(FormTaskIQ, "PageControl")->setCurrentIndex(1);
        clickButton(FormTaskIQ, "ButtonToCB");
        QCOMPARE(d->errors, QStringList{QString::fromUtf8(Msg::reportNeedsResult)});

        loadByName(str(disks / "disk1 128 128 0p5.raw"));
        clickButton(Form1, "ButtonFileList");
        control<RadioGroup>(FormTaskIQ, "RadioGroupSlices")->setItemIndex(1);
        control<QLineEdit>(FormTaskIQ, "EditSliceRange")->setText("4..9");
        control<QTabWidget>(FormTaskIQ, "PageControl")->setCurrentIndex(0);
        clickButton(FormTaskIQ, "ButtonTtfCal");
        QCOMPARE(d->errors.size(), 2);
        QCOMPARE(d->errors[1], QString::fromStdString(Msg::sliceRangeOutside(4, 9, 5)));
        QVERIFY(!FormTaskIQ->lastTtf());
    }

    void ttfGivesTheTextsOfTheCommand()
    {
        loadByName(str(disks / "disk3 128 128 0p5.raw"));
        clickButton(Form1, "ButtonFileList");
        placeRoi("64", "64", "40", "40");
        control<QTabWidget>(FormTaskIQ, "PageControl")->setCurrentIndex(0);
        clickButton(FormTaskIQ, "ButtonTtfCal");
        QCOMPARE(d->errors, QStringList{});
        QVERIFY(FormTaskIQ->lastTtf());
        QCOMPARE(FormTaskIQ->lastTtf()->result.sliceCount, 5u);
        clickButton(FormTaskIQ, "ButtonToCB");

        const Run run = measure({"ttf", str(disks), "--mode", "16bit", "--roi", "64,64,40,40"});
        QCOMPARE(run.code, 0);
        QCOMPARE(clipboard(), run.out);
        // The grid shows the texts the JSON names.
        const Run json =
            measure({"ttf", str(disks / "disk2 128 128 0p5.raw"), "--mode", "16bit", "--centre", "64,64", "--json"});
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        const StringGrid* grid = control<StringGrid>(FormTaskIQ, "StringGridTtf");
        QCOMPARE(grid->cell(0, 1), QString("f50 (mm⁻¹)"));
        QCOMPARE(grid->cell(1, 1), o["f50"].toString());
        QCOMPARE(grid->cell(1, 2), o["f10"].toString());
        // The disk's f50 (the logic's tests hold it to the tolerances; here it is the noisy
        // phantom loaded from files).
        QVERIFY(std::fabs(o["f50"].toString().toDouble() - 0.18739 / 0.45) < 0.05 * 0.18739 / 0.45);
    }

    void npsOfARangeGivesTheTextsOfTheCommand()
    {
        loadByName(str(water / "water1 128 128 0p5.raw"));
        clickButton(Form1, "ButtonFileList");
        placeRoi("64", "64", "96", "96");
        control<RadioGroup>(FormTaskIQ, "RadioGroupSlices")->setItemIndex(1);
        control<QLineEdit>(FormTaskIQ, "EditSliceRange")->setText("2..4");
        control<QLineEdit>(FormTaskIQ, "EditRoiSize")->setText("32");
        control<RadioGroup>(FormTaskIQ, "RadioGroupDetrend")->setItemIndex(1);
        control<QTabWidget>(FormTaskIQ, "PageControl")->setCurrentIndex(1);
        clickButton(FormTaskIQ, "ButtonNpsCal");
        QCOMPARE(d->errors, QStringList{});
        QCOMPARE(FormTaskIQ->lastNps()->result.roiCount, 3u * 5 * 5);
        clickButton(FormTaskIQ, "ButtonToCB");

        const Run run = measure({"nps2d", str(water), "--mode", "16bit", "--roi", "64,64,96,96", "--slices", "2..4",
                                 "--roi-size", "32", "--detrend", "mean"});
        QCOMPARE(run.code, 0);
        QCOMPARE(clipboard(), run.out);
        QVERIFY(clipboard().startsWith("Noise, sqrt of the NPS integral (HU)\t"));
    }

    void theCommandRefusesWithStatusOneAndRejectsBadUsageWithTwo()
    {
        const QString series = str(disks);
        struct Case {
            QStringList arguments;
            int code;
            QString message;
        } cases[] = {
            {{"ttf", series, "--mode", "16bit"}, 2, QString::fromStdString(Msg::needsRoiOrCentre("ttf"))},
            {{"nps2d", series, "--mode", "16bit", "--centre", "64,64"}, 2, "'--centre' is not an option of nps2d"},
            {{"ttf", series, "--mode", "16bit", "--centre", "64,64", "--slices", "1..2", "--single"},
             2,
             Msg::slicesOrSingle},
            {{"ttf", series, "--mode", "16bit", "--centre", "64,64", "--slices", "2-3"},
             2,
             QString::fromStdString(Msg::sliceRangeText("2-3"))},
            {{"nps2d", series, "--mode", "16bit", "--roi", "64,64,96,96", "--detrend", "cubic"},
             2,
             QString::fromStdString(Msg::optionChoices("--detrend", "poly2|mean"))},
            {{"ttf", series, "--mode", "16bit", "--centre", "64,64", "--slices", "3..6"},
             1,
             QString::fromStdString(Msg::sliceRangeOutside(3, 6, 5))},
            {{"nps2d", series, "--mode", "16bit", "--roi", "64,64,96,96", "--roi-size", "48"},
             1,
             QString::fromStdString(Msg::npsRoiSize(48))},
        };
        for (const Case& c : cases) {
            const Run run = measure(c.arguments);
            QCOMPARE(run.code, c.code);
            QVERIFY2(run.err.contains(c.message), qPrintable(run.err));
            QCOMPARE(run.out, QString());
        }
        // One slice alone: the middle one of a folder.
        const Run single = measure({"ttf", series, "--mode", "16bit", "--centre", "64,64", "--single", "--json"});
        QCOMPARE(single.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(single.out.toUtf8()).object();
        QCOMPARE(o["slices"].toString(), QString("1"));
        QCOMPARE(o["files"].toArray().first().toString(), str(disks / "disk3 128 128 0p5.raw"));
    }

    void saveWritesTheReportTheCommandWrites()
    {
        // The NPS page is shown, with the result of the test before.
        const QString pdf = str(folder.path() / "window.pdf");
        d->saveAnswers.push_back(pdf);
        clickButton(FormTaskIQ, "ButtonSave");
        QCOMPARE(d->errors, QStringList{});
        QCOMPARE(d->saveSuggestions, QStringList{"nps2d.pdf"});
        QVERIFY(std::filesystem::file_size(pdf.toStdString()) > 1000);

        const QString commandPdf = str(folder.path() / "command.pdf");
        const Run run = measure({"nps2d", str(water), "--mode", "16bit", "--roi", "64,64,96,96", "--slices", "2..4",
                                 "--roi-size", "32", "--detrend", "mean", "--report", commandPdf});
        QCOMPARE(run.code, 0);
        const auto tsv = [](const QString& path) {
            const std::vector<uint8_t> bytes = readFile(path.toStdString());
            return QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        };
        const QString windowText = tsv(str(folder.path() / "window.tsv"));
        QCOMPARE(withoutDate(windowText), withoutDate(tsv(str(folder.path() / "command.tsv"))));
        QVERIFY(windowText.startsWith(run.out));
        QVERIFY(windowText.contains("ROI (centre x,y, size w,h)\t64,64,96,96\r\n"));
        QVERIFY(windowText.contains("File 3\t" + str(water / "water4 128 128 0p5.raw")));
    }
};

QTEST_MAIN(TaskIqWindowTest)
#include "TaskIqWindow_test.moc"
