// "Open" and "Cal." through the windows on a series written by the sample tool.
#include "AppError.h"
#include "DicomSlices.h"
#include "Forms.h"
#include "Guarded.h"
#include "InputGridWidget.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "Unit2.h"
#include "WindowControls.h"

#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

const double trueFwhm = 5; // mm, what the tool puts into the series
const int slices = 41;     // positions -10 to 10 mm, 0.5 mm apart

QString slicePath(const std::filesystem::path& folder, int number)
{
    return QString::fromStdString(
        (folder / "sspz" / QString("slice%1.dcm").arg(number, 3, 10, QChar('0')).toStdString()).string());
}

void placeRoi(const QString& x, const QString& y, const QString& size)
{
    control<QLineEdit>(Form1, "EditROIPosX")->setText(x);
    control<QLineEdit>(Form1, "EditROIPosY")->setText(y);
    control<QLineEdit>(Form1, "EditROISizeX")->setText(size);
    control<QLineEdit>(Form1, "EditROISizeY")->setText(size);
}

// Writes the test's series with the sample tool, its names and direction as given.
void writeSeries(const std::filesystem::path& folder, const QStringList& extra, int seed = 7)
{
    QProcess tool;
    tool.start(SAMPLE_SERIES_TOOL,
               QStringList{QString::fromStdString(folder.string()), "--slices", QString::number(slices), "--size",
                           "128", "--interval", "0.5", "--fwhm", QString::number(trueFwhm), "--noise", "10", "--seed",
                           QString::number(seed)} +
                   extra);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
}

// What a measurement gives: the table's thickness, position and mean columns, the
// interval and the width the MTF window finds.
struct Measured {
    QStringList rows;
    QString interval, fwhm;
};

Measured measured()
{
    Form2->FormActivate();
    Measured m{{}, control<QLineEdit>(Form2, "EditsIntrv")->text(), control<QLineEdit>(Form2, "EditFWHM")->text()};
    const StringGrid& grid = *control<InputGrid>(Form2, "StringGridInput");
    for (int r = 1; r < grid.rowCount(); ++r) m.rows << grid.cell(2, r) + " " + grid.cell(3, r) + " " + grid.cell(4, r);
    return m;
}

// "Open" on the given slice, the ROI on the insert, "Cal.".
Measured openAndMeasure(const QString& slice, ScriptedDialogs& d)
{
    d.openAnswers.push_back(slice);
    Form1->ButtonDispCClick();
    placeRoi("64", "64", "20");
    Form1->ButtonCalSWClick();
    return measured();
}

QString firstFile(const std::filesystem::path& folder, const std::string& startingWith)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(startingWith)) names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    return names.empty() ? QString() : QString::fromStdString(names.front());
}

} // namespace

class SeriesMeasurementTest : public QObject {
    Q_OBJECT
    TempFolder folder;
    ScriptedDialogs* d = nullptr;

private slots:
    void initTestCase()
    {
        QProcess tool;
        tool.start(SAMPLE_SERIES_TOOL,
                   {QString::fromStdString(folder.path().string()), "--slices", QString::number(slices), "--size",
                    "128", "--interval", "0.5", "--fwhm", QString::number(trueFwhm), "--noise", "10", "--seed", "7"});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        CreateForms();
        Form1->show();
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(2); // DICOM
    }

    void init()
    {
        d = &installScriptedDialogs();
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(0);
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(true);
    }

    void withNothingListedBothStopAtTheListIndex()
    {
        QCOMPARE(control<QListWidget>(Form1, "ListBox1")->count(), 0);
        guarded(Form1, &TForm1::ButtonDispCClick)(); // the dialog is cancelled
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("0"));
        guarded(Form1, &TForm1::ButtonCalSWClick)();
        const QString listIndex = QString::fromStdString(Msg::listIndex(0));
        QCOMPARE(d->errors, (QStringList{listIndex, listIndex}));
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->rowCount(), 129); // prepared, then stopped
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(0, 128), QString("254"));
        QVERIFY(!Form2->isVisible());
    }

    void openShowsTheMiddleSliceWithTheWindowLocked()
    {
        d->openAnswers.push_back(slicePath(folder.path(), 5));
        Form1->ButtonDispCClick();
        QCOMPARE(control<QListWidget>(Form1, "ListBox1")->count(), slices);
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("20"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(),
                 control<QListWidget>(Form1, "ListBox1")->item(20)->text());
        QVERIFY(control<QCheckBox>(Form1, "CheckBoxWWLock")->isChecked());
        QCOMPARE(control<QLineEdit>(Form2, "EditSThick")->text(), QString("5.00"));
        QCOMPARE(d->errors, QStringList{});
    }

    void calMeasuresEverySliceAndTheMtfWindowFindsTheTrueWidth()
    {
        placeRoi("64", "64", "20");
        const QString shown = control<QLineEdit>(Form1, "EditFileName")->text();
        const QString level = control<QLineEdit>(Form1, "EditWindowLevel")->text();
        Form1->ButtonCalSWClick();
        QCOMPARE(d->errors, QStringList{});

        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->rowCount(), slices + 1);
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->colCount(), 5);
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(1, 0), QString("FileName"));
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(4, 0), QString("Mean of ROI"));
        for (int r = 1; r <= slices; ++r) {
            const QString name = control<InputGrid>(Form2, "StringGridInput")->cell(1, r);
            QCOMPARE(control<QListWidget>(Form1, "ListBox1")->item(r - 1)->text().section('/', -1),
                     name); // the row names its file
            QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(0, r), QString::number(r));
            QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(2, r), QString("5.00"));
        }
        QCOMPARE(control<QLineEdit>(Form2, "EditsIntrv")->text(), QString("0.5"));
        QCOMPARE(control<QLineEdit>(Form2, "EditLSFgdx")->text(), QString("0.5"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), shown);    // the shown slice is back
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowLevel")->text(), level); // with the window of "Open"
        // and with its own mean: the row of the shown slice, not the last one.
        const int shownRow = control<QLineEdit>(Form1, "EditFListNo")->text().toInt() + 1;
        QCOMPARE(control<QLineEdit>(Form1, "EditHSBP")->text(),
                 control<InputGrid>(Form2, "StringGridInput")->cell(4, shownRow));
        QVERIFY(control<QLineEdit>(Form1, "EditHSBP")->text() !=
                control<InputGrid>(Form2, "StringGridInput")->cell(4, slices));

        // The MTF window is shown; its activation processes the table.
        QTRY_VERIFY(Form2->isVisible());
        QTRY_VERIFY(control<QLineEdit>(Form2, "EditFWHM")->text() != "FWHM");
        QCOMPARE(d->errors, QStringList{});
        const double fwhm = control<QLineEdit>(Form2, "EditFWHM")->text().toDouble();
        QVERIFY2(std::abs(fwhm - trueFwhm) < 0.02 * trueFwhm,
                 qPrintable(control<QLineEdit>(Form2, "EditFWHM")->text()));
        // A Gaussian profile's MTF is exp(-2 pi^2 sigma^2 f^2).
        const double sigma = trueFwhm / (2 * std::sqrt(2 * std::log(2.0)));
        const double fc = control<QLineEdit>(Form2, "EditFrq")->text().toDouble();
        const double gaussianMtf = std::exp(-2 * M_PI * M_PI * sigma * sigma * fc * fc);
        QVERIFY2(std::abs(control<QLineEdit>(Form2, "EditMTF")->text().toDouble() - gaussianMtf) < 0.005,
                 qPrintable(control<QLineEdit>(Form2, "EditMTF")->text()));
        QCOMPARE(Form2->Series1->count(), control<QLineEdit>(Form2, "EditLSFgnd")->text().toInt());
        QVERIFY(Form2->Series2->count() > 0);
        QVERIFY(control<QPlainTextEdit>(Form2, "MemoMTF")->toPlainText().startsWith("c/mm\tMTF 0.5 5.00"));
    }

    // Exports as scanners and archives write them measure as the slices written in
    // position order: the same table but for the names, the same interval and width.
    void exportsInAnyNamingMeasureAsThePositionOrder_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("twoSeries");
        QTest::newRow("named by UID") << QStringList{"--names", "uid"} << false;
        QTest::newRow("shuffled names") << QStringList{"--names", "shuffled"} << false;
        QTest::newRow("positions downwards") << QStringList{"--descending"} << false;
        QTest::newRow("two series and a note") << QStringList{"--names", "uid"} << true;
    }
    void exportsInAnyNamingMeasureAsThePositionOrder()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, twoSeries);
        const Measured reference = openAndMeasure(slicePath(folder.path(), 5), *d);
        QCOMPARE(reference.rows.size(), slices);
        QCOMPARE(reference.interval, QString("0.5"));

        const TempFolder exported;
        writeSeries(exported.path(), options);
        const std::filesystem::path series = exported.path() / "sspz";
        if (twoSeries) {
            writeSeries(exported.path(), options, 8);
            std::ofstream(series / "readme.txt") << "two series of the phantom\n";
        }
        // The tool's UIDs hold the seed: any slice of seed 7's series.
        const QString slice = firstFile(series, options.contains("uid") ? "2.25.271828182845904523536.7." : "");
        const Measured m = openAndMeasure(slice, *d);
        QCOMPARE(d->errors, QStringList{});
        QCOMPARE(m.rows, reference.rows);
        QCOMPARE(m.interval, reference.interval);
        QCOMPARE(m.fwhm, reference.fwhm);
        const QString note = QString::fromStdString(Msg::seriesInPositionOrder(slices) +
                                                    (twoSeries ? Msg::filesLeftOut(slices + 1) : std::string()));
        QCOMPARE(control<QLabel>(Form1, "LabelSeriesStatus")->text(), note);
    }

    // Two slices at one position, or a gap out of step, stop "Cal." before any table.
    void calStopsAtSpacingItCannotMeasure_data()
    {
        QTest::addColumn<QList<double>>("positions");
        QTest::addColumn<QString>("message");
        QTest::newRow("duplicate") << QList<double>{0, 1, 2, 2, 3}
                                   << QString::fromStdString(Msg::samePosition("s2.dcm", "s3.dcm", "2"));
        QTest::newRow("gap") << QList<double>{0, 1, 2, 3.5, 4.5}
                             << QString::fromStdString(Msg::irregularSpacing("s2.dcm", "2", "s3.dcm", "3.5", "1"));
    }
    void calStopsAtSpacingItCannotMeasure()
    {
        QFETCH(QList<double>, positions);
        QFETCH(QString, message);
        const TempFolder own;
        for (int i = 0; i < positions.size(); ++i) {
            SliceSpec fields;
            fields.position = std::array<double, 3>{0, 0, positions[i]};
            own.write("s" + std::to_string(i) + ".dcm", dicomSlice(fields));
        }
        d->openAnswers.push_back(QString::fromStdString((own.path() / "s0.dcm").string()));
        Form1->ButtonDispCClick();
        placeRoi("2", "2", "2");
        control<InputGrid>(Form2, "StringGridInput")->setCell(4, 1, "stale");
        const int rows = control<InputGrid>(Form2, "StringGridInput")->rowCount();
        const QString shown = control<QLineEdit>(Form1, "EditFileName")->text();
        guarded(Form1, &TForm1::ButtonCalSWClick)();
        QCOMPARE(d->errors, QStringList{message});
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(4, 1), QString("stale"));
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->rowCount(), rows);
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), shown);
    }

    void slicesWithoutPositionKeepTheNameOrderAndTheStatusSaysSo()
    {
        const TempFolder own;
        for (const char* name : {"IM10", "IM2", "IM1"}) own.write(name, dicomSlice(SliceSpec{}));
        d->openAnswers.push_back(QString::fromStdString((own.path() / "IM10").string()));
        Form1->ButtonDispCClick();
        QCOMPARE(d->errors, QStringList{});
        QCOMPARE(control<QListWidget>(Form1, "ListBox1")->count(), 3);
        QVERIFY(control<QListWidget>(Form1, "ListBox1")->item(0)->text().endsWith("/IM1"));
        QVERIFY(control<QListWidget>(Form1, "ListBox1")->item(2)->text().endsWith("/IM10"));
        QCOMPARE(control<QLabel>(Form1, "LabelSeriesStatus")->text(),
                 QString::fromStdString(Msg::seriesInNameOrder(3)));
    }

    void calRefusesAToolOtherThanRoiOrAnUnlockedRoi_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<bool>("roiLock");
        QTest::addColumn<QString>("word");
        QTest::newRow("tool OFF") << 2 << true << "ROI";
        QTest::newRow("tool Move") << 1 << true << "ROI";
        QTest::newRow("ROI unlocked") << 0 << false << "Lock";
    }
    void calRefusesAToolOtherThanRoiOrAnUnlockedRoi()
    {
        QFETCH(int, tool);
        QFETCH(bool, roiLock);
        QFETCH(QString, word);
        control<InputGrid>(Form2, "StringGridInput")->setCell(4, 1, "stale");
        const QString shown = control<QLineEdit>(Form1, "EditFileName")->text();
        const QString roi = control<QLineEdit>(Form1, "EditROIPosX")->text();
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(tool);
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(roiLock);
        guarded(Form1, &TForm1::ButtonCalSWClick)();
        QCOMPARE(d->errors.size(), 1);
        QVERIFY(d->errors[0].contains(word));
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(4, 1), QString("stale"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), shown);
        QCOMPARE(control<QLineEdit>(Form1, "EditROIPosX")->text(), roi);
    }

    void aSingleSliceGivesTheTableAndAsksForTwo()
    {
        const std::filesystem::path single = folder.path() / "single";
        std::filesystem::create_directories(single);
        std::filesystem::copy_file(slicePath(folder.path(), 21).toStdString(), single / "only.dcm");
        d->openAnswers.push_back(QString::fromStdString((single / "only.dcm").string()));
        Form1->ButtonDispCClick();
        const QString interval = control<QLineEdit>(Form2, "EditsIntrv")->text();
        Form2->hide();
        guarded(Form1, &TForm1::ButtonCalSWClick)();
        QCOMPARE(d->errors.size(), 1);
        QVERIFY(d->errors[0].contains("2"));
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->rowCount(), 2);
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->cell(1, 1), QString("only.dcm"));
        QCOMPARE(control<QLineEdit>(Form2, "EditsIntrv")->text(), interval);
        QVERIFY(!Form2->isVisible());
    }
};

QTEST_MAIN(SeriesMeasurementTest)
#include "SeriesMeasurement_test.moc"
