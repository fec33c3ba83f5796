// The TaskIQ window's d′ page: after "Cal" on the TTF and NPS pages, its "Cal" gives the
// texts ctiq-measure dprime prints for the same series and parameters, its grids show
// them, and "ToCB" and "Save" write them.
#include "AppError.h"
#include "HuSliceDicom.h"
#include "Phantoms.h"
#include "ScriptedDialogs.h"
#include "TaskIqWindow.h"
#include "TestFiles.h"
#include "WindowControls.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <filesystem>

namespace {

QString str(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// Slices of one series written to folder/name/1.dcm ...
std::vector<std::string> writeSeries(const TempFolder& folder, const std::string& name,
                                     const std::vector<HuSlice>& slices, const std::string& uid)
{
    std::filesystem::create_directories(folder.path() / name);
    std::vector<std::string> files;
    for (size_t i = 0; i < slices.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        files.push_back(
            folder.write(name + "/" + std::to_string(number) + ".dcm", huSliceDicom(slices[i], uid, number)).string());
    }
    return files;
}

ViewerSnapshot viewerOn(const std::vector<std::string>& files, int centre, Rect roi)
{
    ViewerSnapshot v;
    v.fileName = files.front();
    v.seriesFiles = files;
    v.roiX = v.roiY = std::to_string(centre);
    v.roiWidth = std::to_string(roi.Right - roi.Left + 1);
    v.roiHeight = std::to_string(roi.Bottom - roi.Top + 1);
    v.roiRect = roi;
    return v;
}

} // namespace

class DprimePageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::mt19937_64 random(8);
        std::vector<HuSlice> insert, uniform;
        for (int i = 0; i < 3; ++i) {
            insert.push_back(blurredDiskSlice(128, 0.5, 10, 80, 0.6));
            addNoiseAndRound(insert.back(), 8, random);
            uniform.push_back(uniformSlice(256));
            addNoiseAndRound(uniform.back(), 8, random);
        }
        insertFiles = writeSeries(folder, "insert", insert, "2.25.31");
        uniformFiles = writeSeries(folder, "uniform", uniform, "2.25.32");
    }

    void init()
    {
        dialogs = &installScriptedDialogs();
        window = std::make_unique<TaskIQ>();
        window->setViewer([this] { return viewer; }, [] {});
        control<QTabWidget>(window.get(), "PageControl")->setCurrentIndex(2);
    }

    void calNeedsTheTtfAndTheNps()
    {
        QTest::mouseClick(control<QPushButton>(window.get(), "ButtonDprimeCal"), Qt::LeftButton);
        QCOMPARE(dialogs->errors, QStringList{QString::fromUtf8(Msg::dprimeNeedsTtfAndNps)});
    }

    void calGivesTheCommandsTextsAndToCbAndSaveWriteThem()
    {
        viewer = viewerOn(insertFiles, 64, {44, 44, 83, 83});
        control<QLineEdit>(window.get(), "EditDiameter")->setText("10");
        QTest::mouseClick(control<QPushButton>(window.get(), "ButtonTtfCal"), Qt::LeftButton);
        viewer = viewerOn(uniformFiles, 128, {0, 0, 255, 255});
        control<QLineEdit>(window.get(), "EditRoiSize")->setText("128");
        QTest::mouseClick(control<QPushButton>(window.get(), "ButtonNpsCal"), Qt::LeftButton);

        control<QLineEdit>(window.get(), "EditTaskDiameter")->setText("3");
        control<RadioGroup>(window.get(), "RadioGroupProfile")->setItemIndex(1);
        control<QLineEdit>(window.get(), "EditDesignerN")->setText("1.5");
        control<QLineEdit>(window.get(), "EditEyeGamma")->setText("0.7");
        control<QLineEdit>(window.get(), "EditMagnification")->setText("2");
        QTest::mouseClick(control<QPushButton>(window.get(), "ButtonDprimeCal"), Qt::LeftButton);
        QCOMPARE(dialogs->errors, QStringList{});

        QProcess command;
        command.start(CTIQ_MEASURE, {"dprime",
                                     "--ttf",
                                     QString::fromStdString(insertFiles[1]),
                                     "--centre",
                                     "64,64",
                                     "--diameter",
                                     "10",
                                     "--nps",
                                     str(folder.path() / "uniform"),
                                     "--roi",
                                     "128,128,256,256",
                                     "--roi-size",
                                     "128",
                                     "--task-diameter",
                                     "3",
                                     "--profile",
                                     "designer",
                                     "--designer-n",
                                     "1.5",
                                     "--eye-gamma",
                                     "0.7",
                                     "--magnification",
                                     "2"});
        QVERIFY(command.waitForFinished(120000));
        QCOMPARE(command.exitCode(), 0);
        const QString printed = QString::fromUtf8(command.readAllStandardOutput());

        QTest::mouseClick(control<QPushButton>(window.get(), "ButtonToCB"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), printed);

        // The grids hold the same rows: the results first, the table's 10 mm row last.
        const StringGrid* results = control<StringGrid>(window.get(), "StringGridDprime");
        QCOMPARE(printed.section("\r\n", 0, 0), results->cell(0, 0) + "\t" + results->cell(1, 0));
        const StringGrid* table = control<StringGrid>(window.get(), "StringGridDiameters");
        QCOMPARE(table->cell(0, 5), QString("10"));
        QVERIFY(printed.contains("10\t" + table->cell(1, 5) + "\t" + table->cell(2, 5) + "\r\n"));

        const QString pdf = str(folder.path() / "dprime.pdf");
        dialogs->saveAnswers.push_back(pdf);
        QTest::mouseClick(control<QPushButton>(window.get(), "ButtonSave"), Qt::LeftButton);
        QCOMPARE(dialogs->errors, QStringList{});
        QVERIFY(QFile::exists(pdf));
        QFile tsv(str(folder.path() / "dprime.tsv"));
        QVERIFY(tsv.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(tsv.readAll()).startsWith(printed));
    }

private:
    TempFolder folder;
    std::vector<std::string> insertFiles, uniformFiles;
    ViewerSnapshot viewer;
    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<TaskIQ> window;
};

QTEST_MAIN(DprimePageTest)
#include "DprimePage_test.moc"
