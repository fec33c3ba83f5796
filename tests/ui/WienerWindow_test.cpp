#include "AppError.h"
#include "Forms.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "Unit3.h"
#include "ViewerDriving.h"
#include "WindowControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

namespace {

// A 64 x 64 image of 16-bit noise, no header.
ByteBuffer noiseImage()
{
    ByteBuffer buffer(2 * 64 * 64);
    std::mt19937 generator(5);
    for (size_t i = 0; i < buffer.size(); i += 2) {
        const auto word = static_cast<uint16_t>(1000 + generator() % 41);
        buffer[i] = static_cast<uint8_t>(word & 0xFF);
        buffer[i + 1] = static_cast<uint8_t>(word >> 8);
    }
    return buffer;
}

QStringList memoLines() { return control<QPlainTextEdit>(Form3, "MemoWS")->toPlainText().split('\n'); }

int pointCount(const ChartSeries& series, int i) { return static_cast<int>(series[static_cast<size_t>(i)]->count()); }

} // namespace

class WienerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { CreateForms(); }

    // The Viewer holds a 64 x 64 slice with the ROI over all of it; this window is
    // loaded from it, direction X, no trends, Hamming.
    void init()
    {
        dialogs = &installScriptedDialogs();
        Form1->loadImageBytes(noiseImage(), 64, 64);
        Form1->setRoiRect({0, 0, 63, 63});
        control<QLineEdit>(Form1, "EditFileName")->setText("C:/ct/water 64 64 0p5.raw");
        control<QLineEdit>(Form1, "EditHeader")->setText("0");
        control<QLineEdit>(Form1, "EditOffst")->setText("0");
        control<QLineEdit>(Form1, "EditPxlSpc")->setText("0.5");
        control<QLineEdit>(Form1, "EditImgSizeX")->setText("64");
        control<QLineEdit>(Form1, "EditImgSizeY")->setText("64");
        control<QLineEdit>(Form1, "EditROISizeX")->setText("64");
        control<QLineEdit>(Form1, "EditROISizeY")->setText("64");
        control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(0);
        control<RadioGroup>(Form3, "RadioGroupWindow")->setItemIndex(1);
        control<QCheckBox>(Form3, "CheckBoxTrnd")->setChecked(false);
        control<QCheckBox>(Form3, "CheckBoxTrnd1")->setChecked(false);
        control<QLineEdit>(Form3, "EditN")->setText("1");
        control<QLineEdit>(Form3, "EditN1")->setText("1");
        control<QLineEdit>(Form3, "EditC")->setText("1.0");
        control<QLineEdit>(Form3, "EditNSgmnt2")->setText("10000");
        control<QPushButton>(Form3, "ButtonLoad")->click();
        QVERIFY(dialogs->errors.isEmpty());
    }

    void startsWithItsDefaults()
    {
        TForm3 fresh;
        QCOMPARE(fresh.windowTitle(), QString("WienerSpectra"));
        QCOMPARE(control<QLineEdit>(&fresh, "EditC")->text(), QString("1.0"));
        QCOMPARE(control<QLineEdit>(&fresh, "EditNSgmnt2")->text(), QString("10000"));
        QCOMPARE(control<QLineEdit>(&fresh, "EditN")->text(), QString("1"));
        QCOMPARE(control<QLineEdit>(&fresh, "EditPxlSpc")->text(), QString());
        QCOMPARE(control<RadioGroup>(&fresh, "RadioGroupXY")->itemText(), QString("X"));
        QCOMPARE(control<RadioGroup>(&fresh, "RadioGroupWindow")->itemText(), QString("Haming"));
        QCOMPARE(control<QTabWidget>(&fresh, "PageControl1")
                     ->tabText(control<QTabWidget>(&fresh, "PageControl1")->currentIndex()),
                 QString("WS"));
        QCOMPARE(fresh.spectrum().RunCount, 0);
        QCOMPARE(control<StringGrid>(&fresh, "StringGridFileName")->colCount(), 5);
        QCOMPARE(control<StringGrid>(&fresh, "StringGridFileName")->rowCount(), 6);
        QCOMPARE(control<StringGrid>(&fresh, "StringGridFileName")->columnWidth(2), 703);
        QCOMPARE(fresh.SeriesLin[6]->objectName(), QString("Series7"));
        QCOMPARE(fresh.SeriesLog[0]->objectName(), QString("FastLineSeries1"));
        QCOMPARE(fresh.SeriesProfile[0]->objectName(), QString("FastLineSeries8"));
        QCOMPARE(fresh.SeriesAcf[6]->objectName(), QString("FastLineSeries21"));
        QCOMPARE(fresh.SeriesLin[3]->pen().color(), QColor(0, 255, 255));
        QVERIFY(fresh.findChild<QChartView*>("ChartWSLog"));
    }

    void loadTakesTheViewersGeometry_data()
    {
        QTest::addColumn<QString>("roiWidth");
        QTest::addColumn<QStringList>("xValues"); // segment X, segment Y, shift X, shift Y
        QTest::addColumn<QStringList>("yValues"); // the same after selecting "Y"
        QTest::newRow("64") << "64" << QStringList{"16", "16", "8", "8"} << QStringList{"16", "16", "8", "8"};
        QTest::newRow("256") << "256" << QStringList{"64", "16", "32", "8"} << QStringList{"16", "64", "8", "32"};
        QTest::newRow("66") << "66" << QStringList{"16", "16", "8", "8"} << QStringList{"16", "16", "8", "8"};
    }
    void loadTakesTheViewersGeometry()
    {
        QFETCH(QString, roiWidth);
        QFETCH(QStringList, xValues);
        QFETCH(QStringList, yValues);
        control<QLineEdit>(Form1, "EditROISizeX")->setText(roiWidth);
        control<QLineEdit>(Form1, "EditROISizeY")->setText("48");
        control<QLineEdit>(Form1, "EditPxlSpc")->setText("0.468");
        control<QPushButton>(Form3, "ButtonLoad")->click();
        QCOMPARE(control<QLineEdit>(Form3, "EditPxlSpc")->text(), QString("0.468"));
        QCOMPARE(control<QLineEdit>(Form3, "EditImgSizeX")->text(), QString("64"));
        QCOMPARE(control<QLineEdit>(Form3, "EditROIX")->text(), roiWidth);
        QCOMPARE(control<QLineEdit>(Form3, "EditROIY")->text(), QString("48"));
        const auto shown = [] {
            return QStringList{
                control<QLineEdit>(Form3, "EditSgmntX")->text(), control<QLineEdit>(Form3, "EditSgmntY")->text(),
                control<QLineEdit>(Form3, "EditShftX")->text(), control<QLineEdit>(Form3, "EditShftY")->text()};
        };
        QCOMPARE(shown(), xValues);
        control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(1);
        QCOMPARE(shown(), yValues);
        control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(0);
        QCOMPARE(shown(), xValues);

        // Load while "Y" is selected writes the X values all the same.
        control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(1);
        control<QPushButton>(Form3, "ButtonLoad")->click();
        QCOMPARE(shown(), xValues);
        QCOMPARE(control<RadioGroup>(Form3, "RadioGroupXY")->itemText(), QString("Y"));
    }

    void loadStopsAtARoiWidthThatIsNoInteger()
    {
        control<QLineEdit>(Form3, "EditSgmntX")->setText("32");
        control<QLineEdit>(Form1, "EditROISizeX")->setText("");
        control<QLineEdit>(Form1, "EditPxlSpc")->setText("0.7");
        control<QPushButton>(Form3, "ButtonLoad")->click();
        QCOMPARE(dialogs->errors, QStringList{"'' は整数ではありません"});
        QCOMPARE(control<QLineEdit>(Form3, "EditPxlSpc")->text(), QString("0.7"));
        QCOMPARE(control<QLineEdit>(Form3, "EditROIX")->text(), QString(""));
        QCOMPARE(control<QLineEdit>(Form3, "EditSgmntX")->text(), QString("32"));
    }

    void calculationFillsChartsGridAndSegmentCount()
    {
        control<QPushButton>(Form3, "ButtonCal")->click();
        QVERIFY2(dialogs->errors.isEmpty(), qPrintable(dialogs->errors.join('|')));
        QCOMPARE(control<QLineEdit>(Form3, "EditNSgmnt")->text(), QString("49"));
        QCOMPARE(Form3->spectrum().RunCount, 1);
        QCOMPARE(pointCount(Form3->SeriesLin, 0), 8);
        QCOMPARE(pointCount(Form3->SeriesLog, 0), 8);
        QCOMPARE(Form3->SeriesLin[0]->at(0).x(), 0.125);
        QCOMPARE(Form3->SeriesLin[0]->at(7).x(), 1.0);
        QCOMPARE(Form3->SeriesLin[0]->at(0).y(), Form3->spectrum().WsSpectrum[1]);
        QCOMPARE(pointCount(Form3->SeriesAcf, 0), 16);
        QCOMPARE(Form3->SeriesAcf[0]->at(15).x(), 7.5);
        // One band profile (band 0), 64 points from x = 1, in the first colour.
        QCOMPARE(pointCount(Form3->SeriesProfile, 0), 64);
        QCOMPARE(Form3->SeriesProfile[0]->at(0).x(), 1.0);
        const StringGrid* grid = control<StringGrid>(Form3, "StringGridFileName");
        QCOMPARE(grid->cell(0, 0), QString("No."));
        QCOMPARE(grid->cell(4, 0), QString("Width"));
        QCOMPARE(grid->cell(1, 1), QString("blu"));
        QCOMPARE(grid->cell(2, 1), QString("C:/ct/water 64 64 0p5.raw"));
        QCOMPARE(grid->cell(3, 1), QString("16"));
        QCOMPARE(grid->cell(4, 1), QString("16"));
    }

    void sixCalculationsKeepTheFiveNewest()
    {
        for (int i = 1; i <= 6; ++i) {
            control<QLineEdit>(Form1, "EditFileName")->setText(QString("slice%1").arg(i));
            control<QLineEdit>(Form3, "EditPxlSpc")
                ->setText(QString::number(i)); // frequency of the first point: 1/(16 i)
            control<QPushButton>(Form3, "ButtonCal")->click();
        }
        QVERIFY(dialogs->errors.isEmpty());
        const StringGrid* grid = control<StringGrid>(Form3, "StringGridFileName");
        const QStringList labels{"blu", "red", "gre", "Aqu", "yel"};
        for (int r = 1; r <= 5; ++r) {
            QCOMPARE(grid->cell(0, r), QString::number(r));
            QCOMPARE(grid->cell(1, r), labels[r - 1]);
            QCOMPARE(grid->cell(2, r), QString("slice%1").arg(7 - r));
            QCOMPARE(Form3->SeriesLin[r - 1]->at(0).x(), 1.0 / (16 * (7 - r)));
            QCOMPARE(Form3->SeriesAcf[r - 1]->at(1).x(), double(7 - r));
        }
        for (const ChartSeries* chart : {&Form3->SeriesLin, &Form3->SeriesLog, &Form3->SeriesAcf})
            QCOMPARE(pointCount(*chart, 5), 0);
        // Profiles: one colour per calculation, six so far.
        for (int i = 0; i < 6; ++i) QCOMPARE(pointCount(Form3->SeriesProfile, i), 64);
        QCOMPARE(pointCount(Form3->SeriesProfile, 6), 0);

        control<QPushButton>(Form3, "ButtonCal")->click();
        control<QPushButton>(Form3, "ButtonCal")->click(); // the eighth draws no profile
        QCOMPARE(pointCount(Form3->SeriesProfile, 6), 64);
        QCOMPARE(Form3->spectrum().RunCount, 8);

        control<QPushButton>(Form3, "ButtonClr")->click();
        QCOMPARE(Form3->spectrum().RunCount, 0);
        for (const ChartSeries* chart :
             {&Form3->SeriesLin, &Form3->SeriesLog, &Form3->SeriesProfile, &Form3->SeriesAcf})
            for (int i = 0; i < 7; ++i) QCOMPARE(pointCount(*chart, i), 0);
        for (int r = 1; r <= 5; ++r) {
            QCOMPARE(grid->cell(0, r), QString::number(r));
            for (int c = 1; c < 5; ++c) QCOMPARE(grid->cell(c, r), QString());
        }
        control<QPushButton>(Form3, "ButtonCal")->click();
        QCOMPARE(grid->cell(1, 1), QString("blu"));
    }

    void profilesOfOneCalculationShareASeries()
    {
        // Bands at 0, 7, ..., 42: those at 0, 21 and 42 are multiples of 64 div 3.
        control<QLineEdit>(Form3, "EditShftY")->setText("7");
        control<QPushButton>(Form3, "ButtonCal")->click();
        QCOMPARE(pointCount(Form3->SeriesProfile, 0), 3 * 64);
        QCOMPARE(Form3->SeriesProfile[0]->at(64).x(), 1.0);
        QCOMPARE(pointCount(Form3->SeriesProfile, 1), 0);
    }

    void exportsGoToMemoAndClipboard()
    {
        control<QPushButton>(Form3, "ButtonCal")->click();
        QClipboard* clipboard = QGuiApplication::clipboard();

        control<QPushButton>(Form3, "ButtonResult")->click();
        QStringList lines = clipboard->text().split("\r\n");
        QCOMPARE(lines.size(), 10); // header, 8 lines, and the empty rest after the last CR LF
        QCOMPARE(lines[0], QString("c/mm\tC:/ct/water 64 64 0p5.raw"));
        QVERIFY(lines[1].startsWith("0.125\t"));
        QVERIFY(lines[8].startsWith("1\t"));
        QCOMPARE(lines[9], QString());
        QCOMPARE(memoLines(), lines.mid(0, 9));

        control<QPushButton>(Form3, "ButtonACFtoCB")->click();
        lines = clipboard->text().split("\r\n");
        QCOMPARE(lines.size(), 11);
        QVERIFY(lines[1].startsWith("0\t"));
        QVERIFY(lines[9].startsWith("4\t"));

        clipboard->setText("untouched");
        control<QPushButton>(Form3, "ButtonSmooth")->click();
        QCOMPARE(memoLines().size(), 24);
        QVERIFY(memoLines()[23].startsWith("2.875\t"));
        QCOMPARE(clipboard->text(), QString("untouched"));
        QVERIFY(dialogs->errors.isEmpty());
    }

    void exportStopsAfterTheHeaderWhenTheSpacingIsNoNumber()
    {
        control<QPushButton>(Form3, "ButtonCal")->click();
        QGuiApplication::clipboard()->setText("untouched");
        control<QLineEdit>(Form3, "EditPxlSpc")->setText("abc");
        control<QPushButton>(Form3, "ButtonResult")->click();
        QCOMPARE(dialogs->errors, QStringList{"'abc' は浮動小数点数ではありません"});
        QCOMPARE(memoLines(), QStringList{"c/mm\tC:/ct/water 64 64 0p5.raw"});
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("untouched"));
    }

    void exportsBeforeAnyCalculation()
    {
        TForm3 fresh;
        fresh.setViewer([] { return Form1->snapshot(); }, {}); // read the Viewer as the start-up links it
        control<QLineEdit>(Form1, "EditFileName")->setText("");
        control<QLineEdit>(&fresh, "EditPxlSpc")->setText("0.5");
        control<QPushButton>(&fresh, "ButtonResult")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("c/mm\t\r\n"));
        control<QPushButton>(&fresh, "ButtonACFtoCB")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("c/mm\t\r\n0\t0\r\n"));
        control<QPushButton>(&fresh, "ButtonSmooth")->click();
        QCOMPARE(dialogs->errors, QStringList{"0 による浮動小数点数除算"});
        QCOMPARE(control<QPlainTextEdit>(&fresh, "MemoWS")->toPlainText(), QString("c/mm\t"));
    }

    void emptyOffsetCountsAsZero()
    {
        control<QLineEdit>(Form1, "EditOffst")->setText("");
        control<QPushButton>(Form3, "ButtonCal")->click();
        QVERIFY(dialogs->errors.isEmpty());
        QCOMPARE(control<QLineEdit>(Form3, "EditNSgmnt")->text(), QString("49"));
    }

    void limitStopsTheCalculation()
    {
        control<QLineEdit>(Form3, "EditNSgmnt2")->setText("10");
        control<QPushButton>(Form3, "ButtonCal")->click();
        QCOMPARE(control<QLineEdit>(Form3, "EditNSgmnt")->text(), QString("10"));
    }

    // Bad parameters end "Cal" with one message; nothing shown changes.
    void calculationRefusesOrFailsClearly_data()
    {
        QTest::addColumn<QString>("editName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("roiLeft");
        QTest::addColumn<QString>("message");
        QTest::newRow("segment not a power of two")
            << "EditSgmntX"
            << "12" << 0 << "セグメント長 12 は 2 から 1024 までの 2 のべき乗でなければなりません";
        QTest::newRow("step 0") << "EditShftY"
                                << "0" << 0 << "シフト 0 は 1 以上でなければなりません";
        QTest::newRow("66 lines") << "EditSgmntY"
                                  << "66" << 0 << "バンドのライン数 66 は 1 から 65 まででなければなりません";
        QTest::newRow("ROI moved off the image") << ""
                                                 << "" << 10 << "ROI が画像の外にはみ出しています";
        QTest::newRow("factor not a number") << "EditC"
                                             << "x" << 0 << "'x' は浮動小数点数ではありません";
        QTest::newRow("limit not an integer") << "EditNSgmnt2"
                                              << "1e4" << 0 << "'1e4' は整数ではありません";
        QTest::newRow("more lines than the ROI: no segment") << "EditSgmntY"
                                                             << "65" << 0 << "不正な浮動小数点数演算命令";
        QTest::newRow("limit 0: no segment") << "EditNSgmnt2"
                                             << "0" << 0 << "不正な浮動小数点数演算命令";
        QTest::newRow("ROI at the smallest integer")
            << ""
            << "" << std::numeric_limits<int32_t>::min() << "ROI が画像の外にはみ出しています";
        QTest::newRow("factor beyond doubles") << "EditC"
                                               << "1e400" << 0 << "'1e400' は浮動小数点数ではありません";
        QTest::newRow("factor too large for the squares") << "EditC"
                                                          << "1e300" << 0 << "不正な浮動小数点数演算命令";
        QTest::newRow("factor too large for the band's sums") << "EditC"
                                                              << "1e303" << 0 << "不正な浮動小数点数演算命令";
        QTest::newRow("spacing beyond doubles") << "EditPxlSpc"
                                                << "1e400" << 0 << "'1e400' は浮動小数点数ではありません";
        QTest::newRow("spacing too large for the squares") << "EditPxlSpc"
                                                           << "1e200" << 0 << "不正な浮動小数点数演算命令";
        QTest::newRow("negative spacing") << "EditPxlSpc"
                                          << "-0.5" << 0 << QString::fromStdString(Msg::negativePixelSpacing("-0.5"));
        QTest::newRow("negative ROI width") << "Viewer EditROISizeX"
                                            << "-64" << 0 << QString::fromStdString(Msg::roiSizeNotPositive(-64, 64));
        QTest::newRow("ROI taller than the image") << "Viewer EditROISizeY"
                                                   << "2147483647" << 0 << "ROI が画像の外にはみ出しています";
    }
    void calculationRefusesOrFailsClearly()
    {
        QFETCH(QString, editName);
        QFETCH(QString, text);
        QFETCH(int, roiLeft);
        QFETCH(QString, message);
        control<QPushButton>(Form3, "ButtonCal")->click();
        control<QLineEdit>(Form3, "EditNSgmnt")->setText("seen");
        if (editName.startsWith("Viewer ")) Form1->findChild<QLineEdit*>(editName.mid(7))->setText(text);
        else if (!editName.isEmpty()) Form3->findChild<QLineEdit*>(editName)->setText(text);
        Rect roi = Form1->roiRect();
        roi.Left = roiLeft;
        Form1->setRoiRect(roi);
        control<QPushButton>(Form3, "ButtonCal")->click();
        QCOMPARE(dialogs->errors, QStringList{message});
        QCOMPARE(control<QLineEdit>(Form3, "EditNSgmnt")->text(), QString("seen"));
        QCOMPARE(Form3->spectrum().RunCount, 1);
        QCOMPARE(pointCount(Form3->SeriesLin, 1), 0);
        for (const QLineSeries* profile : Form3->SeriesProfile)
            for (const QPointF& point : profile->points())
                QVERIFY2(std::isfinite(point.x()) && std::isfinite(point.y()), "a profile point is not finite");
    }

    void trendDegreeThatIsNoIntegerFailsAtTheFirstFit()
    {
        control<QCheckBox>(Form3, "CheckBoxTrnd")->setChecked(true);
        control<QLineEdit>(Form3, "EditN")->setText("two");
        control<QLineEdit>(Form3, "EditNSgmnt")->setText("seen");
        control<QPushButton>(Form3, "ButtonCal")->click();
        QCOMPARE(dialogs->errors, QStringList{"'two' は整数ではありません"});
        QCOMPARE(Form3->spectrum().RunCount, 0);
        QCOMPARE(control<QLineEdit>(Form3, "EditNSgmnt")->text(), QString("seen"));
        QCOMPARE(Form3->spectrum().SegmentLength, 16); // set when the first band began

        dialogs->errors.clear();
        control<QLineEdit>(Form3, "EditN")->setText("64");
        control<QPushButton>(Form3, "ButtonCal")->click();
        QCOMPARE(dialogs->errors,
                 QStringList{"トレンドの次数 64 は 0 から 16 まで、かつ当てはめる点数 64 未満でなければなりません"});
    }

    // The whole way: a water slice loaded by the Viewer from its file, the ROI placed
    // by its edits, Load and Cal here. Uncorrelated noise of variance 100 at 0.5 mm
    // is flat at 100 * 0.5^2 = 25 mm^2 with "Rect".
    void aWaterSliceLoadedInTheViewerShowsItsNoiseLevel()
    {
        TempFolder folder;
        std::mt19937 generator(17);
        std::normal_distribution<double> noise(1000, 10);
        std::vector<int16_t> samples(256 * 256);
        for (int16_t& sample : samples) sample = static_cast<int16_t>(std::lround(noise(generator)));
        const auto file = folder.write("water 256 256 0p5.raw", words16(samples));
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        loadByName(QString::fromStdString(file.string()));
        control<QLineEdit>(Form1, "EditROIPosX")->setText("128");
        control<QLineEdit>(Form1, "EditROIPosY")->setText("128");
        control<QLineEdit>(Form1, "EditROISizeX")->setText("128");
        control<QLineEdit>(Form1, "EditROISizeY")->setText("128");
        Form1->DeriveRoiRects();

        control<QPushButton>(Form3, "ButtonLoad")->click();
        QCOMPARE(control<QLineEdit>(Form3, "EditPxlSpc")->text(), QString("0.5"));
        QCOMPARE(control<QLineEdit>(Form3, "EditSgmntX")->text(), QString("32"));
        control<RadioGroup>(Form3, "RadioGroupWindow")->setItemIndex(0);
        control<QPushButton>(Form3, "ButtonCal")->click();
        QVERIFY2(dialogs->errors.isEmpty(), qPrintable(dialogs->errors.join('|')));
        QCOMPARE(control<QLineEdit>(Form3, "EditNSgmnt")->text(), QString("105")); // 15 bands of 7 segments
        double level = 0;
        for (int k = 1; k <= 16; ++k) level += Form3->spectrum().WsSpectrum[k] / 16;
        QVERIFY2(std::abs(level / 25 - 1) < 0.1, qPrintable(QString::number(level)));
        QCOMPARE(control<StringGrid>(Form3, "StringGridFileName")->cell(2, 1), QString::fromStdString(file.string()));
    }

    void toForm1HidesThisWindow()
    {
        Form3->show();
        control<QPushButton>(Form3, "ButtontoMain")->click();
        QVERIFY(!Form3->isVisible());
        QVERIFY(Form1->isVisible());
    }

private:
    ScriptedDialogs* dialogs = nullptr;
};

QTEST_MAIN(WienerWindowTest)
#include "WienerWindow_test.moc"
