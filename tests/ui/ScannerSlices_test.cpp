// Slices as scanners write them (icons, deep and undefined-length sequences, unknown-VR
// sequences, large headers) in the Viewer, in "Cal." and in ctiq-measure: each loads
// with its own geometry and measures its own pixels, as pydicom reads them.
#include "AppError.h"
#include "Forms.h"
#include "Guarded.h"
#include "InputGridWidget.h"
#include "MeasureRun.h"
#include "ScannerSlices.h"
#include "ScriptedDialogs.h"
#include "SliceHeaderCache.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "Unit2.h"
#include "ViewerDriving.h"
#include "WindowControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

QString str(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }
QString qs(const std::string& s) { return QString::fromStdString(s); }

QString text(const char* edit) { return control<QLineEdit>(Form1, edit)->text(); }

void placeRoi(const QString& x, const QString& y, const QString& size)
{
    control<QLineEdit>(Form1, "EditROIPosX")->setText(x);
    control<QLineEdit>(Form1, "EditROIPosY")->setText(y);
    control<QLineEdit>(Form1, "EditROISizeX")->setText(size);
    control<QLineEdit>(Form1, "EditROISizeY")->setText(size);
}

// The mean is shown in full, the SD to three decimals.
bool sameMean(const QString& shown, double truth) { return std::abs(shown.toDouble() - truth) <= 1e-9 * truth; }
bool sameSd(const QString& shown, double truth) { return std::abs(shown.toDouble() - truth) <= 0.0005 + 1e-12; }

} // namespace

class ScannerSlicesTest : public QObject {
    Q_OBJECT
    TempFolder folder_;
    std::vector<ScannerSlice> slices_;
    ScriptedDialogs* dialogs_ = nullptr;

    // The "Cal." table of a series: "Open" on its middle slice, the ROI on the insert.
    QStringList calTable(const std::filesystem::path& series)
    {
        dialogs_->openAnswers.push_back(str(series / "slice3.dcm"));
        Form1->ButtonDispCClick();
        placeRoi("64", "64", "20");
        Form1->ButtonCalSWClick();
        QStringList rows;
        const StringGrid& grid = *control<InputGrid>(Form2, "StringGridInput");
        for (int r = 0; r < grid.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid.colCount(); ++c) cells << grid.cell(c, r);
            rows << cells.join('\t');
        }
        return rows;
    }

private slots:
    void initTestCase()
    {
        dialogs_ = &installScriptedDialogs();
        CreateForms();
        Form1->show();
        slices_ = writeScannerSlices(folder_.path());
        QCOMPARE(slices_.size(), size_t{5});
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(2);
    }

    void init()
    {
        dialogs_->errors.clear();
        dialogs_->inputPrompts.clear();
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(0);
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(true);
    }

    // Each slice in the Viewer and in ctiq-measure roi: the geometry and calibration of
    // its own header and the ROI statistics of its own pixels.
    void eachSliceLoadsWithItsOwnGeometryAndPixels()
    {
        for (const ScannerSlice& s : slices_) {
            const QString path = str(folder_.path() / (s.name + ".dcm"));
            loadByName(path);
            QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(qs(s.name) + ": " + dialogs_->errors.join("; ")));
            QVERIFY2(dialogs_->inputPrompts.isEmpty(), s.name.c_str());
            const QStringList shown{text("EditImgSizeX"), text("EditImgSizeY"), text("EditPxlSpc"),
                                    text("EditOffst"),    text("EditPtPos"),    text("EditSThick").trimmed(),
                                    text("EditHeader")}; // the thickness keeps its padding
            const QStringList stored{qs(s.columns),  qs(s.rows),      qs(s.spacing), qs(s.intercept),
                                     qs(s.position), qs(s.thickness), qs(s.header)};
            QCOMPARE(shown, stored);

            const QString centre = QString::number(qs(s.columns).toInt() / 2);
            placeRoi(centre, centre, "48");
            QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
            QVERIFY2(sameMean(text("EditHSBP"), s.roiMean), qPrintable(qs(s.name) + " mean " + text("EditHSBP")));
            QVERIFY2(sameSd(text("EditVSBP"), s.roiSd), qPrintable(qs(s.name) + " SD " + text("EditVSBP")));

            const Run roi = measure({"roi", path, "--roi", centre + "," + centre + ",48,48"});
            QCOMPARE(roi.code, 0);
            QCOMPARE(roi.out, "Average\t" + text("EditHSBP") + "\r\nSD\t" + text("EditVSBP") + "\r\n");
            Form1->ButtonHeaderToCBClick();
            const Run header = measure({"header", path});
            QCOMPARE(header.code, 0);
            QCOMPARE(header.out, QGuiApplication::clipboard()->text());
            const Run nps = measure({"nps", path, "--roi", centre + "," + centre + ",32,32"});
            QVERIFY2(nps.code == 0, qPrintable(nps.err));
        }
    }

    // Elements inside items are listed but supply nothing: the deep sequence's KVP 80 and
    // Rows 32, and the referenced series' UID before the slice's own.
    void itemsAreListedButSupplyNothing()
    {
        const QString path = str(folder_.path() / "deep_sequences.dcm");
        loadByName(path);
        const StringGrid& grid = *control<StringGrid>(Form1, "StringGridDICOM");
        QStringList kvps;
        int sequenceRows = 0;
        for (int r = 1; r < grid.rowCount(); ++r) {
            if (grid.cell(1, r) == "0018" && grid.cell(2, r) == "0060") kvps << grid.cell(6, r);
            if (grid.cell(3, r) == "SQ") ++sequenceRows;
            QVERIFY(grid.cell(1, r) != "FFFE"); // items and delimitations are no elements
        }
        QCOMPARE(kvps, (QStringList{"120", "80"}));
        QCOMPARE(sequenceRows, 2 * 4); // three nested sequences and the referenced series, each opened and closed
        const QString memo = control<QPlainTextEdit>(Form1, "Memo1")->toPlainText();
        QVERIFY(memo.contains("kV : 120"));
        QVERIFY(!memo.contains("kV : 80"));
        QCOMPARE(text("EditImgSizeY"), QString("128"));
        QCOMPARE(cachedSliceHeader(path.toStdString()).seriesUid, std::string("1.2.826.0.1.3680043.8.498.12"));
    }

    // "Cal." and ctiq-measure sspz over slices as a scanner writes them give what the same
    // pixels written plainly give.
    void aSeriesAsScannersWriteItMeasuresAsThePlainOne()
    {
        const QStringList scanner = calTable(folder_.path() / "scanner");
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QCOMPARE(scanner.size(), 6);
        QCOMPARE(scanner, calTable(folder_.path() / "plain"));

        Run fromScanner = measure({"sspz", str(folder_.path() / "scanner/"), "--roi", "64,64,20,20"});
        const Run fromPlain = measure({"sspz", str(folder_.path() / "plain/"), "--roi", "64,64,20,20"});
        QCOMPARE(fromScanner.code, 0);
        QCOMPARE(fromScanner.out.replace("/scanner/", "/plain/"), fromPlain.out);
    }

    // A sequence whose item tag is damaged: the load says where, and what is shown stays.
    void aDamagedStructureIsRefusedAndTheShownImageStays()
    {
        loadByName(str(folder_.path() / "icon.dcm"));
        const ByteBuffer shown = Form1->fileBuffer();
        const QString header = text("EditHeader");

        std::vector<uint8_t> bytes = readFile(folder_.path() / "implicit_sequences.dcm");
        const uint8_t item[] = {0xFE, 0xFF, 0x00, 0xE0};
        const auto at = std::search(bytes.begin(), bytes.end(), std::begin(item), std::end(item));
        QVERIFY(at != bytes.end());
        *at = 0x00; // the first item tag is no longer one
        const QString damaged = str(folder_.write("damaged.dcm", bytes));
        control<QLineEdit>(Form1, "EditFileName")->setText(damaged);
        Form1->setViewState(2);
        guarded(Form1, &TForm1::BitBtnLoadClick)();
        QCOMPARE(dialogs_->errors, QStringList{qs(Msg::damagedStructure(damaged.toStdString(),
                                                                        static_cast<size_t>(at - bytes.begin())))});
        QVERIFY(dialogs_->inputPrompts.isEmpty());
        QCOMPARE(Form1->fileBuffer(), shown);
        QCOMPARE(text("EditHeader"), header);

        const Run roi = measure({"roi", damaged, "--roi", "64,64,48,48"});
        QCOMPARE(roi.code, 1);
        QVERIFY(roi.err.contains(qs(Msg::damagedStructure(damaged.toStdString(), at - bytes.begin()))));
    }
};

QTEST_MAIN(ScannerSlicesTest)
#include "ScannerSlices_test.moc"
