// ctiq-measure against the windows: each subcommand and the matching window operations
// on the same files give the same texts; the reports the windows and the command save.
#include "AppError.h"
#include "DicomBytes.h"
#include "DicomSlices.h"
#include "Forms.h"
#include "Guarded.h"
#include "InputGridWidget.h"
#include "MeasureRun.h"
#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unreadable.h"
#include "ViewerDriving.h"
#include "WindowControls.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

QString str(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// Memos hold their lines without the CR LF they were given; the command ends each with CR LF.
QString lines(const QString& memoText)
{
    QString text = memoText;
    text.replace("\r\n", "\n");
    if (!text.isEmpty() && !text.endsWith('\n')) text += '\n';
    return text.replace("\n", "\r\n");
}

void placeRoi(const QString& x, const QString& y, const QString& size)
{
    control<QLineEdit>(Form1, "EditROIPosX")->setText(x);
    control<QLineEdit>(Form1, "EditROIPosY")->setText(y);
    control<QLineEdit>(Form1, "EditROISizeX")->setText(size);
    control<QLineEdit>(Form1, "EditROISizeY")->setText(size);
    Form1->setViewState(1);
    Form1->DrawImage();
}

QString field(const QString& name, QLineEdit* edit) { return name + "\t" + edit->text() + "\r\n"; }

// The MTF window's table, results and memos, as the command prints them.
QString mtfWindowText()
{
    const InputGrid& grid = *control<InputGrid>(Form2, "StringGridInput");
    QString text;
    for (int r = 0; r < grid.rowCount(); ++r) {
        QStringList cells;
        for (int c = 1; c < grid.colCount(); ++c) cells << grid.cell(c, r);
        text += cells.join('\t') + "\r\n";
    }
    text += "\r\n" + field("SliceInterval(mm)", control<QLineEdit>(Form2, "EditsIntrv")) +
            field("SliceThickness(mm)", control<QLineEdit>(Form2, "EditSThick")) +
            field("FWHM(mm)", control<QLineEdit>(Form2, "EditFWHM")) +
            field("Centre (sample)", control<QLineEdit>(Form2, "EditMaxPoint")) +
            field("1/FWHM (cycle/mm)", control<QLineEdit>(Form2, "EditFrq")) +
            field("MTF at 1/FWHM", control<QLineEdit>(Form2, "EditMTF"));
    text += "\r\n" + lines(control<QPlainTextEdit>(Form2, "MemoVSSPz")->toPlainText()) + "\r\n" +
            lines(control<QPlainTextEdit>(Form2, "MemoPSSPz")->toPlainText()) + "\r\n" +
            lines(control<QPlainTextEdit>(Form2, "MemoMTF")->toPlainText());
    return text;
}

QString withoutDate(QString tsv)
{
    tsv.remove(QRegularExpression("Date\t[^\r]*\r\n"));
    return tsv;
}

} // namespace

class MeasureCommandTest : public QObject {
    Q_OBJECT
    TempFolder folder;
    ScriptedDialogs* d = nullptr;
    std::filesystem::path series;

private slots:
    void initTestCase()
    {
        QProcess tool;
        tool.start(SAMPLE_SERIES_TOOL, {str(folder.path()), "--slices", "21", "--size", "128", "--interval", "1",
                                        "--fwhm", "5", "--noise", "10", "--seed", "3"});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        series = folder.path() / "sspz";
        CreateForms();
        Form1->show();
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(2); // DICOM
    }

    void init()
    {
        d = &installScriptedDialogs();
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(2);
    }

    void sspzGivesTheTextsOfOpenAndCal()
    {
        d->openAnswers.push_back(str(series / "slice004.dcm"));
        Form1->ButtonDispCClick();
        placeRoi("64", "64", "20");
        Form1->ButtonCalSWClick();
        Form2->ButtonPNTYClick(); // as the activation does
        QCOMPARE(d->errors, QStringList{});

        const Run byFolder = measure({"sspz", str(series), "--roi", "64,64,20,20"});
        QCOMPARE(byFolder.code, 0);
        QCOMPARE(byFolder.out, mtfWindowText());
        const Run bySlice = measure({"sspz", str(series / "slice010.dcm"), "--roi", "64,64,20,20"});
        QCOMPARE(bySlice.out, byFolder.out);

        const Run json = measure({"sspz", str(series), "--roi", "64,64,20,20", "--json"});
        QCOMPARE(json.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QCOMPARE(o["fwhm"].toString(), control<QLineEdit>(Form2, "EditFWHM")->text());
        QCOMPARE(o["centre"].toString(), control<QLineEdit>(Form2, "EditMaxPoint")->text());
        QCOMPARE(o["mtf"].toString(), control<QLineEdit>(Form2, "EditMTF")->text());
        QCOMPARE(o["series"].toArray().size(), 21);
        QVERIFY(!o["seriesInstanceUid"].toString().isEmpty());
        QCOMPARE(o["series"].toArray()[20].toObject()["mean"].toString(),
                 control<InputGrid>(Form2, "StringGridInput")->cell(4, 21));
        QCOMPARE(o["mtfTable"].toArray()[1].toObject()["mtf"].toString(),
                 control<QPlainTextEdit>(Form2, "MemoMTF")->toPlainText().split('\n')[2].section('\t', 1));
    }

    void windowSaveWritesThePdfAndTheTextBesideIt()
    {
        const std::filesystem::path pdf = folder.path() / "reports" / "sspz.pdf";
        std::filesystem::create_directories(pdf.parent_path());
        d->saveAnswers.push_back(str(pdf));
        Form2->ButtonSaveClick();
        QCOMPARE(d->errors, QStringList{});
        QCOMPARE(readFile(pdf).size() > 1000, true);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(readFile(pdf).data()), 5), QByteArray("%PDF-"));
        QProcess info;
        info.start("pdfinfo", {str(pdf)});
        QVERIFY(info.waitForFinished(30000));
        QCOMPARE(info.exitCode(), 0);
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+[1-9]")));

        const std::vector<uint8_t> bytes = readFile(folder.path() / "reports" / "sspz.tsv");
        const QString tsv =
            QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        QVERIFY(tsv.startsWith(mtfWindowText() + "\r\nProgram\tCTIQ "));
        QVERIFY(tsv.contains("ROI (centre x,y, size w,h)\t64,64,20,20\r\n"));
        QVERIFY(tsv.contains("Mode\tDICOM\r\n"));
        QVERIFY(tsv.contains(QRegularExpression("File 1\t[^\t]*slice001.dcm\t[0-9.]+\r\n"))); // with its series
        QVERIFY(tsv.contains(QRegularExpression("Slice thickness \\(mm\\)\t5.00\r\n")));

        // The command's report is the window's, but for its date.
        const std::filesystem::path commandPdf = folder.path() / "reports" / "command.pdf";
        const Run run = measure({"sspz", str(series), "--roi", "64,64,20,20", "--report", str(commandPdf)});
        QCOMPARE(run.code, 0);
        QVERIFY(std::filesystem::file_size(commandPdf) > 1000);
        const std::vector<uint8_t> commandBytes = readFile(folder.path() / "reports" / "command.tsv");
        const QString commandTsv = QString::fromUtf8(reinterpret_cast<const char*>(commandBytes.data()),
                                                     static_cast<qsizetype>(commandBytes.size()));
        QCOMPARE(withoutDate(commandTsv), withoutDate(tsv));
    }

    void aCancelledOrFailedSaveLeavesNoFile()
    {
        const std::filesystem::path reports = folder.path() / "none";
        std::filesystem::create_directories(reports);
        d->saveAnswers.push_back(std::nullopt);
        Form2->ButtonSaveClick();
        QCOMPARE(d->informations, QStringList{QString::fromUtf8(Msg::reportNotSaved)});

        const std::filesystem::path missing = folder.path() / "missing" / "r.pdf";
        d->saveAnswers.push_back(str(missing));
        guarded(Form2, &TForm2::ButtonSaveClick)();
        QCOMPARE(d->errors.size(), 1);
        QVERIFY(d->errors[0].contains(QString::fromStdString(Msg::cannotCreate(missing.string()))));
        QVERIFY(std::filesystem::is_empty(reports));
        QVERIFY(!std::filesystem::exists(missing.parent_path()));

        const Run run = measure({"sspz", str(series), "--roi", "64,64,20,20", "--report", str(missing)});
        QCOMPARE(run.code, 1);
        QVERIFY(run.err.contains(QString::fromStdString(Msg::cannotCreate(missing.string()))));
    }

    // On a disk with only a few KB left the report cannot be written: the command says
    // so and fails, and the earlier report and its text stay as they were, whole.
    void aFullDiskKeepsTheEarlierReport()
    {
        const SmallDisk disk(1 << 20);
        if (!disk.mounted()) QSKIP(SmallDiskSkipNote);
        const std::filesystem::path pdf = disk.path() / "sspz.pdf", tsv = disk.path() / "sspz.tsv";
        const QStringList arguments{"sspz", str(series), "--roi", "64,64,20,20", "--report", str(pdf)};
        QCOMPARE(measure(arguments).code, 0);
        const std::vector<uint8_t> earlierPdf = readFile(pdf), earlierTsv = readFile(tsv);

        for (const size_t left : {0, 4096, 16384, 32768, 40960, 65536}) {
            disk.fillLeaving(left);
            const Run run = measure(arguments);
            disk.removeFiller();
            const std::vector<uint8_t> now = readFile(pdf);
            const QByteArray written(reinterpret_cast<const char*>(now.data()), static_cast<qsizetype>(now.size()));
            QVERIFY2(written.trimmed().endsWith("%%EOF"), qPrintable(QString::number(left)));
            if (left == 0) QCOMPARE(run.code, 1);
            if (run.code == 0) continue;
            QCOMPARE(run.code, 1);
            QVERIFY2(run.err.contains(QString::fromStdString(Msg::cannotCreate(pdf.string()))) ||
                         run.err.contains(QString::fromStdString(Msg::cannotCreate(tsv.string()))),
                     qPrintable(run.err));
            QVERIFY2(run.err.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))), qPrintable(run.err));
            QCOMPARE(readFile(pdf), earlierPdf);
            QCOMPARE(readFile(tsv), earlierTsv);
            QCOMPARE(std::distance(std::filesystem::directory_iterator(disk.path()), {}), 2);
        }
    }

    void npsGivesTheTextsOfLoadAndCal_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("bandTrend");
        QTest::addColumn<bool>("segmentTrend");
        QTest::addColumn<int>("window");
        QTest::newRow("Load defaults") << QStringList{} << 0 << false << false << 1;
        QTest::newRow("Y, both trends, Rect")
            << QStringList{"--direction", "Y", "--band-trend", "2", "--segment-trend", "1", "--window", "rect"} << 1
            << true << true << 0;
    }
    void npsGivesTheTextsOfLoadAndCal()
    {
        QFETCH(QStringList, options);
        QFETCH(int, direction);
        QFETCH(bool, bandTrend);
        QFETCH(bool, segmentTrend);
        QFETCH(int, window);
        const QString water = str(folder.path() / "water" / "water.dcm");
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(true);
        loadByName(water);
        placeRoi("64", "60", "64");
        control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(0);
        Form3->ButtonLoadClick();
        control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(direction); // the switch exchanges what "Load" wrote
        control<QCheckBox>(Form3, "CheckBoxTrnd")->setChecked(bandTrend);
        control<QLineEdit>(Form3, "EditN")->setText("2");
        control<QCheckBox>(Form3, "CheckBoxTrnd1")->setChecked(segmentTrend);
        control<RadioGroup>(Form3, "RadioGroupWindow")->setItemIndex(window);
        Form3->ButtonCalClick();
        Form3->ButtonResultClick();
        const QString spectrum = QGuiApplication::clipboard()->text();
        Form3->ButtonACFtoCBClick();
        const QString acf = QGuiApplication::clipboard()->text();
        QCOMPARE(d->errors, QStringList{});

        const Run run = measure(QStringList{"nps", water, "--roi", "64,60,64,64"} + options);
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out,
                 "Segment#\t" + control<QLineEdit>(Form3, "EditNSgmnt")->text() + "\r\n\r\n" + spectrum + "\r\n" + acf);
    }

    void spectrumSaveWritesTheLastCalculation()
    {
        TForm3 fresh;
        guarded(&fresh, &TForm3::ButtonSaveClick)();
        QCOMPARE(d->errors, QStringList{QString::fromUtf8(Msg::reportNeedsResult)});

        const std::filesystem::path pdf = folder.path() / "reports" / "nps.pdf";
        std::filesystem::create_directories(pdf.parent_path());
        d->saveAnswers.push_back(str(pdf));
        Form3->ButtonSaveClick();
        QCOMPARE(d->errors.size(), 1);
        QVERIFY(std::filesystem::file_size(pdf) > 1000);
        const std::vector<uint8_t> bytes = readFile(folder.path() / "reports" / "nps.tsv");
        const QString tsv =
            QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        QVERIFY(tsv.startsWith("Segment#\t" + control<QLineEdit>(Form3, "EditNSgmnt")->text() + "\r\n\r\nc/mm\t"));
        QVERIFY(tsv.contains("ROI (centre x,y, size w,h)\t64,60,64,64\r\n"));
        QVERIFY(tsv.contains("Window\tRect\r\n"));
        QVERIFY(tsv.contains("X/Y\tY\r\n"));
    }

    void roiAndHeaderGiveTheTextsOfStatAndMetaToCB_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("warning"); // on standard error
        QTest::newRow("stored") << str(pydicomFile("CT_small.dcm")) << QString();
        QTest::newRow("decoded") << str(pydicomFile("MR_small_bigendian.dcm")) << QString();
        // The notes of GDCM's 8-bit JPEG decoder, which it tries first, stay unseen;
        // libjpeg's warning on the file's scan (DCMTK gives it too) is shown.
        const QString jpeg = str(pydicomFile("JPEG-lossy.dcm"));
        QTest::newRow("12-bit lossy JPEG") << jpeg << jpeg + ": Invalid SOS parameters for sequential JPEG\n";
    }

    void roiAndHeaderGiveTheTextsOfStatAndMetaToCB()
    {
        QFETCH(QString, file);
        QFETCH(QString, warning);
        loadByName(file);
        placeRoi("30", "35", "20");
        Form1->ButtonStatClick();
        Form1->ButtonHeaderToCBClick();
        const QString header = QGuiApplication::clipboard()->text();
        QCOMPARE(d->errors, QStringList{});

        const Run roi = measure({"roi", file, "--roi", "30,35,20,20"});
        QCOMPARE(roi.err, warning);
        QCOMPARE(roi.code, 0);
        QCOMPARE(roi.out, field("Average", control<QLineEdit>(Form1, "EditHSBP")) +
                              field("SD", control<QLineEdit>(Form1, "EditVSBP")));
        const Run tags = measure({"header", file});
        QCOMPARE(tags.code, 0);
        QCOMPARE(tags.out, header);
    }

    void rawFilesTakeWhatTheNameDoesNotGiveFromOptions()
    {
        std::vector<int16_t> samples(64 * 64);
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i * 7919) % 200 - 100);
        const QString raw = str(folder.write("phantom.raw", words16(samples)));
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1); // 16bit
        d->inputAnswers = {QString("64 64"), QString("0.5")};
        loadByName(raw);
        control<QLineEdit>(Form1, "EditOffst")->setText("10");
        placeRoi("32", "32", "32");
        Form1->ButtonStatClick();
        control<RadioGroup>(Form3, "RadioGroupXY")->setItemIndex(0); // before "Load", which writes the X values
        Form3->ButtonLoadClick();
        control<QCheckBox>(Form3, "CheckBoxTrnd")->setChecked(false);
        control<QCheckBox>(Form3, "CheckBoxTrnd1")->setChecked(false);
        control<RadioGroup>(Form3, "RadioGroupWindow")->setItemIndex(1);
        Form3->ButtonCalClick();
        const QString segments = control<QLineEdit>(Form3, "EditNSgmnt")->text();
        Form3->ButtonResultClick();
        const QString spectrum = QGuiApplication::clipboard()->text();
        QCOMPARE(d->errors, QStringList{});

        const QStringList load{"--mode", "16bit", "--size", "64,64", "--spacing", "0.5", "--offset", "10"};
        const Run roi = measure(QStringList{"roi", raw, "--roi", "32,32,32,32"} + load);
        QCOMPARE(roi.out, field("Average", control<QLineEdit>(Form1, "EditHSBP")) +
                              field("SD", control<QLineEdit>(Form1, "EditVSBP")));
        const Run nps = measure(QStringList{"nps", raw, "--roi", "32,32,32,32"} + load);
        QCOMPARE(nps.out.left(nps.out.indexOf("\r\n\r\n", 20) + 4),
                 "Segment#\t" + segments + "\r\n\r\n" + spectrum + "\r\n");

        const Run unsized = measure({"roi", raw, "--roi", "32,32,32,32", "--mode", "16bit"});
        QCOMPARE(unsized.code, 1);
        QCOMPARE(unsized.err, QString::fromStdString(Msg::sizeUnknown(raw.toStdString())) + "\n");
    }

    void refusalsGiveTheMessageAndBadUsageTheUsage()
    {
        const std::filesystem::path mixed = folder.path() / "mixed";
        std::filesystem::create_directories(mixed);
        for (const char* uid : {"1.2.3.1", "1.2.3.2"}) {
            DicomBytes b;
            b.element(0x0020, 0x000E, "UI", uid)
                .element(0x0028, 0x0010, "US", us(4))
                .element(0x0028, 0x0011, "US", us(4));
            folder.write(std::string("mixed/s") + uid, b.withPixels());
        }
        const Run several = measure({"sspz", str(mixed), "--roi", "1,1,1,1"});
        QCOMPARE(several.code, 1);
        QVERIFY(several.err.contains("1.2.3.1") && several.err.contains("1.2.3.2"));

        const Run flat = measure({"sspz", str(mixed / "s1.2.3.1"), "--roi", "1,1,1,1"});
        QCOMPARE(flat.code, 1);
        QCOMPARE(flat.err, QString::fromUtf8(Msg::seriesNeedsTwoSlices) + "\n");

        for (const QStringList& bad :
             {QStringList{}, QStringList{"sspz", str(series)}, QStringList{"roi", "x", "--roi", "1,2"},
              QStringList{"header", "x", "--report", "r.pdf"},
              QStringList{"nps", "x", "--roi", "1,1,1,1", "--window", "kaiser"}}) {
            const Run run = measure(bad);
            QCOMPARE(run.code, 2);
            QVERIFY2(run.err.contains("usage:"), qPrintable(bad.join(' ')));
            QVERIFY(run.out.isEmpty());
        }
    }

    // A report is never written over an input, nor under a name that is an option or
    // no PDF's: each is bad usage, and every file stays as it was.
    void dangerousReportNamesAreRefused()
    {
        const std::filesystem::path named = folder.path() / "named";
        std::filesystem::create_directories(named);
        const char* names[] = {"s1.dcm", "s2.tsv", "s3.pdf"};
        for (int i = 0; i < 3; ++i)
            std::filesystem::copy_file(series / ("slice00" + std::to_string(i + 1) + ".dcm"), named / names[i]);
        const std::vector<uint8_t> slice = readFile(series / "slice009.dcm"), tsvSlice = readFile(named / "s2.tsv"),
                                   pdfSlice = readFile(named / "s3.pdf");
        const QString cwd = QDir::currentPath();
        for (const QStringList& bad :
             {QStringList{str(series), "--report", str(series / "slice009.dcm")},
              QStringList{str(series), "--report", "--json"}, QStringList{str(series), "--json", "--report", "-r.pdf"},
              QStringList{str(named), "--report", str(named / "s3.pdf")},
              QStringList{str(named / "s1.dcm"), "--report", str(named / "s2.pdf")}}) {
            const Run run = measure(QStringList{"sspz", "--roi", "64,64,20,20"} + bad);
            QCOMPARE(run.code, 2);
            QVERIFY2(run.err.contains("usage:"), qPrintable(bad.join(' ')));
            QVERIFY(run.out.isEmpty());
        }
        QCOMPARE(readFile(series / "slice009.dcm"), slice);
        QCOMPARE(readFile(named / "s2.tsv"), tsvSlice);
        QCOMPARE(readFile(named / "s3.pdf"), pdfSlice);
        QVERIFY(!QFile::exists(cwd + "/--json") && !QFile::exists(cwd + "/-r.pdf"));
        QVERIFY(!std::filesystem::exists(named / "s2.pdf"));
    }

    // Values the Viewer's edits could not hold are bad usage, not a measurement of the
    // wrong bytes; the limits themselves are taken.
    void loadOptionValuesAreChecked()
    {
        const QString raw = str(folder.write("checked.raw", words16(std::vector<int16_t>(16 * 16, 100))));
        const QStringList roi{"roi", raw, "--roi", "8,8,4,4", "--mode", "16bit"};
        for (const QStringList& bad :
             {QStringList{"--size", "a,16"}, QStringList{"--size", "16,nan"}, QStringList{"--size", "-16,16"},
              QStringList{"--size", "0,16"}, QStringList{"--size", "16,16", "--header", "-1"},
              QStringList{"--size", "16,16", "--header", "x"}, QStringList{"--size", "16,16", "--offset", "40000"},
              QStringList{"--size", "16,16", "--offset", "-32769"}, QStringList{"--size", "16,16", "--spacing", "nan"},
              QStringList{"--size", "16,16", "--spacing", "-0.5"}, QStringList{"--size", "16,16", "--spacing", "inf"},
              QStringList{"--size", "16,16", "--roi", "8,8,x,4"}}) {
            const Run run = measure(roi + bad);
            QCOMPARE(run.code, 2);
            QVERIFY2(run.err.contains("usage:") && run.err.contains(bad[bad.size() - 2]), qPrintable(bad.join(' ')));
        }
        for (const char* offset : {"-32768", "32767"}) {
            const Run run = measure(roi + QStringList{"--size", "16,16", "--offset", offset, "--spacing", "0"});
            QCOMPARE(run.code, 0);
        }
    }

    // File names in the output are taken byte for byte; a byte that is no UTF-8 (a
    // Latin-1 name) is written as its character, so the JSON stays valid UTF-8.
    void latin1NamesGiveValidJson()
    {
        const std::filesystem::path latin = folder.path() / "latin";
        std::filesystem::create_directories(latin);
        for (const auto& slice : std::filesystem::directory_iterator(series))
            std::filesystem::copy_file(slice.path(), latin / ("caf\xe9" + slice.path().filename().string()));
        QProcess process;
        process.start(CTIQ_MEASURE, {"sspz", str(latin), "--roi", "64,64,20,20", "--json"});
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitCode(), 0);
        const QByteArray out = process.readAllStandardOutput();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(out);
        QVERIFY(!utf8.hasError());
        QJsonParseError error{};
        const QJsonObject json = QJsonDocument::fromJson(out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QVERIFY2(json["files"].toArray()[0].toString().endsWith(QString::fromUtf8("/caf\u00e9slice001.dcm")),
                 qPrintable(text));
    }

    // A slice that cannot be read refuses its series, by name and the system's reason.
    void anUnreadableSliceRefusesTheSeries()
    {
        const std::filesystem::path copy = folder.path() / "locked";
        std::filesystem::create_directories(copy);
        for (int i = 1; i <= 5; ++i)
            std::filesystem::copy_file(series / ("slice00" + std::to_string(i) + ".dcm"),
                                       copy / ("slice00" + std::to_string(i) + ".dcm"));
        loadByName(str(copy / "slice002.dcm"));
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(true);
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(0);
        QCOMPARE(d->errors, QStringList{});
        for (const char* name : {"slice001.dcm", "slice003.dcm", "slice005.dcm"}) {
            const UnreadableFile unreadable(copy / name);
            if (!unreadable.unreadable()) QSKIP("the test's user reads a file of mode 000");
            const QString refusal =
                QString::fromStdString(Msg::cannotRead((copy / name).string(), std::strerror(EACCES)));
            for (const std::filesystem::path& path : {copy, copy / "slice002.dcm"}) {
                const Run run = measure({"sspz", str(path), "--roi", "64,64,20,20"});
                QCOMPARE(run.code, 1);
                QCOMPARE(run.err, refusal + "\n");
            }
            // "Cal." checks the folder itself, whatever the list holds.
            d->errors.clear();
            guarded(Form1, &TForm1::ButtonFileListClick)();
            guarded(Form1, &TForm1::ButtonCalSWClick)();
            QCOMPARE(d->errors, (QStringList{refusal, refusal}));
        }
    }

    // A slice cut short loads with a warning; a ROI in the rows it holds is measured as
    // in the whole slice, and one that reaches the missing rows is refused, naming the
    // file, by "Stat" and by the command.
    void aSliceCutShortWarnsAndRefusesItsMissingRows()
    {
        const QString cut = QString::fromStdString(pydicomFile("MR_truncated.dcm").string());
        const QString whole = QString::fromStdString(pydicomFile("MR_small.dcm").string());
        const std::string warning = Msg::imageCutShort(cut.toStdString(), 62, 63, 64);
        const Run held = measure({"roi", cut, "--roi", "32,20,64,40"});
        QCOMPARE(held.code, 0);
        QCOMPARE(held.out, measure({"roi", whole, "--roi", "32,20,64,40"}).out);
        QCOMPARE(held.err, QString::fromStdString(warning) + "\n");
        const Run reaching = measure({"roi", cut, "--roi", "32,32,64,64"});
        QCOMPARE(reaching.code, 1);
        QVERIFY(reaching.out.isEmpty());
        QCOMPARE(reaching.err,
                 QString::fromStdString(warning + "\n" + Msg::roiInMissingRows(cut.toStdString(), 63, 64)) + "\n");

        loadByName(cut);
        QVERIFY(control<QPlainTextEdit>(Form1, "Memo1")->toPlainText().contains(QString::fromStdString(warning)));
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(true);
        placeRoi("32", "20", "40");
        guarded(Form1, &TForm1::ButtonStatClick)();
        QCOMPARE(d->errors, QStringList{});
        placeRoi("32", "32", "64");
        guarded(Form1, &TForm1::ButtonStatClick)();
        QCOMPARE(d->errors, QStringList{QString::fromStdString(Msg::roiInMissingRows(cut.toStdString(), 63, 64))});

        // In a series: "Cal." and the command stop at the slice, which holds 60 of its 128 rows.
        const std::filesystem::path copy = folder.path() / "cut";
        std::filesystem::copy(series, copy);
        const std::filesystem::path slice = copy / "slice011.dcm";
        std::filesystem::resize_file(slice, std::filesystem::file_size(slice) - 2 * 128 * 68);
        const std::string refusal = Msg::roiInMissingRows(slice.string(), 60, 128);
        const Run sspz = measure({"sspz", str(copy), "--roi", "64,64,20,20"});
        QCOMPARE(sspz.code, 1);
        QVERIFY2(sspz.err.endsWith(QString::fromStdString(refusal) + "\n"), qPrintable(sspz.err));
        d->errors.clear();
        d->openAnswers.push_back(str(copy / "slice004.dcm"));
        Form1->ButtonDispCClick();
        placeRoi("64", "64", "20");
        guarded(Form1, &TForm1::ButtonCalSWClick)();
        QCOMPARE(d->errors, QStringList{QString::fromStdString(refusal)});
    }

    // A DICOM file whose name reads as a raw file's ("label columns rows") is read from
    // its header, by the Viewer and by the command.
    void aDicomFileIsReadFromItsHeaderWhateverItsName()
    {
        const std::filesystem::path named = folder.path() / "CT 64 64.dcm";
        std::filesystem::copy_file(pydicomFile("MR_small.dcm"), named);
        const QString original = QString::fromStdString(pydicomFile("MR_small.dcm").string());
        QCOMPARE(measure({"roi", str(named), "--roi", "32,32,20,20"}).out,
                 measure({"roi", original, "--roi", "32,32,20,20"}).out);
        loadByName(original);
        const QString header = control<QLineEdit>(Form1, "EditHeader")->text();
        QVERIFY(header != "0");
        control<QLineEdit>(Form1, "EditHeader")->setText("0");
        loadByName(str(named));
        QCOMPARE(d->errors, QStringList{});
        QCOMPARE(control<QLineEdit>(Form1, "EditHeader")->text(), header);

        const Run text = measure({"header", str(folder.write("notes.txt", {'a', 'b', '\n'}))});
        QCOMPARE(text.code, 1);
        QCOMPARE(text.err, QString::fromStdString(Msg::notDicomImage((folder.path() / "notes.txt").string())) + "\n");
    }

    // An export as archives write it: JPEG-LS files named by UID, beside another series
    // and a text file. It measures as the same slices written in position order,
    // uncompressed: the same table and results, but for the file names.
    void aCompressedExportMeasuresAsTheUncompressedSeries()
    {
        const std::filesystem::path uidNamed = folder.path() / "uid-named", exported = folder.path() / "compressed";
        std::filesystem::create_directories(exported);
        for (const QStringList& arguments :
             {QStringList{str(uidNamed), "--names", "uid", "--seed", "3"},
              QStringList{str(exported / "other"), "--names", "shuffled", "--seed", "4"}}) {
            QProcess tool;
            tool.start(SAMPLE_SERIES_TOOL, QStringList{"--slices", "21", "--size", "128", "--interval", "1", "--fwhm",
                                                       "5", "--noise", "10"} +
                                               arguments);
            QVERIFY(tool.waitForFinished(60000));
            QCOMPARE(tool.exitCode(), 0);
        }
        for (const auto& slice : std::filesystem::directory_iterator(uidNamed / "sspz")) {
            const std::string compress =
                "dcmcjpls '" + slice.path().string() + "' '" + (exported / slice.path().filename()).string() + "'";
            QCOMPARE(std::system(compress.c_str()), 0);
        }
        for (const auto& slice : std::filesystem::directory_iterator(exported / "other" / "sspz"))
            std::filesystem::copy(slice.path(), exported / ("other-" + slice.path().filename().string()));
        folder.write("compressed/notes.txt", std::vector<uint8_t>{'n', 'o', 't', 'e', 's'});

        // The table's rows start with the file name; the results do not.
        const auto withoutNames = [](const QString& text) {
            QStringList rows = text.split("\r\n");
            for (QString& row : rows)
                if (row.section('\t', 0, 0).endsWith(".dcm")) row = row.section('\t', 1);
            return rows;
        };
        const Run plain = measure({"sspz", str(series / "slice001.dcm"), "--roi", "64,64,20,20"});
        const std::filesystem::path anySlice =
            exported / std::filesystem::directory_iterator(uidNamed / "sspz")->path().filename();
        const Run compressed = measure({"sspz", str(anySlice), "--roi", "64,64,20,20"});
        QCOMPARE(plain.code, 0);
        QCOMPARE(compressed.err, QString());
        QCOMPARE(compressed.code, 0);
        QCOMPARE(withoutNames(compressed.out), withoutNames(plain.out));
    }

    // Named by UID, the slices come in position order in both, and a duplicate position
    // stops both with the same message.
    void sspzOrdersAndChecksAnExportAsCalDoes()
    {
        const std::filesystem::path exported = folder.path() / "exported";
        QProcess tool;
        tool.start(SAMPLE_SERIES_TOOL, {str(exported), "--slices", "21", "--size", "128", "--interval", "1", "--fwhm",
                                        "5", "--noise", "10", "--seed", "3", "--names", "uid"});
        QVERIFY(tool.waitForFinished(60000));
        const std::filesystem::path slice = std::filesystem::directory_iterator(exported / "sspz")->path();
        d->openAnswers.push_back(str(slice));
        Form1->ButtonDispCClick();
        placeRoi("64", "64", "20");
        Form1->ButtonCalSWClick();
        Form2->ButtonPNTYClick();
        QCOMPARE(d->errors, QStringList{});
        const Run run = measure({"sspz", str(slice), "--roi", "64,64,20,20"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, mtfWindowText());

        const std::filesystem::path twice = folder.path() / "twice";
        std::filesystem::create_directories(twice);
        for (const char* name : {"a.dcm", "b.dcm", "c.dcm"}) {
            SliceSpec fields;
            fields.position = std::array<double, 3>{0, 0, name[0] == 'a' ? 0.0 : 1.0};
            folder.write("twice/" + std::string(name), dicomSlice(fields));
        }
        d->openAnswers.push_back(str(twice / "a.dcm"));
        Form1->ButtonDispCClick();
        placeRoi("2", "2", "2");
        guarded(Form1, &TForm1::ButtonCalSWClick)();
        const QString message = QString::fromStdString(Msg::samePosition("b.dcm", "c.dcm", "1"));
        QCOMPARE(d->errors, QStringList{message});
        const Run refused = measure({"sspz", str(twice / "a.dcm"), "--roi", "2,2,2,2"});
        QCOMPARE(refused.code, 1);
        QCOMPARE(refused.err, message + "\n");
    }
};

QTEST_MAIN(MeasureCommandTest)
#include "MeasureCommand_test.moc"
