// Real DICOM slices in the Viewer: the tag grid and its export, "<>", the file list
// and paging through a folder with the mouse wheel.
#include "AppError.h"
#include "DicomBytes.h"
#include "DicomReader.h"
#include "Forms.h"
#include "Guarded.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "Unit2.h"
#include "ViewerDriving.h"
#include "ViewerTypes.h"
#include "WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTest>
#include <QWheelEvent>

#include <map>

class DicomViewerTest : public QObject {
    Q_OBJECT

    ScriptedDialogs* dialogs_ = nullptr;
    TempFolder folder_;

    QString copy(const std::string& pydicomName, const std::string& as)
    {
        return QString::fromStdString(folder_.write(as, readFile(pydicomFile(pydicomName))).string());
    }

    // One wheel message as the application receives it; true when the Viewer used it.
    static bool turnWheel(int delta)
    {
        const QPoint at = control<QListWidget>(Form1, "ListBox1")->rect().center();
        QWheelEvent wheel(at, control<QListWidget>(Form1, "ListBox1")->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control<QListWidget>(Form1, "ListBox1"), &wheel);
        return wheel.isAccepted();
    }

    static void activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        QTRY_COMPARE(QApplication::activeWindow(), window);
    }

    static QStringList listEntries()
    {
        QStringList entries;
        for (int i = 0; i < control<QListWidget>(Form1, "ListBox1")->count(); ++i)
            entries << control<QListWidget>(Form1, "ListBox1")->item(i)->text();
        return entries;
    }

private slots:
    void initTestCase()
    {
        dialogs_ = &installScriptedDialogs();
        CreateForms();
        Form1->show();
        // A series of three MR slices named so that listing order and reading order differ.
        for (const char* name : {"IM10", "IM2", "IM1"}) copy("MR_small.dcm", name);
        copy("CT_small.dcm", "CT_small.dcm");
        copy("JPEG-lossy.dcm", "mammo.dcm");
        std::filesystem::create_directory(folder_.path() / "sub");
    }

    void init()
    {
        dialogs_->errors.clear();
        dialogs_->inputPrompts.clear();
        control<QCheckBox>(Form1, "CheckBoxWWLock")->setChecked(false);
    }

    void ctSliceLoadsWithoutPrompts()
    {
        {
            const QSignalBlocker quiet(control<QCheckBox>(Form1, "CheckBoxSwp"));
            control<QCheckBox>(Form1, "CheckBoxSwp")->setChecked(true);
        }
        const QString file = copy("CT_small.dcm", "CT_small.dcm");
        loadByName(file);
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QVERIFY(dialogs_->inputPrompts.isEmpty());
        QVERIFY(!control<QCheckBox>(Form1, "CheckBoxSwp")->isChecked()); // explicit little endian
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeX")->text(), QString("128"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeY")->text(), QString("128"));
        QCOMPARE(control<QLineEdit>(Form1, "EditHeader")->text(), QString("6300"));
        QCOMPARE(control<QLineEdit>(Form1, "EditOffst")->text(), QString("-1024"));
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString("0.661468"));
        QCOMPARE(control<QLineEdit>(Form1, "EditSThick")->text(), QString("5.000000"));
        QCOMPARE(Form1->imgSizeX(), 128);
        const StringGrid& grid = *control<StringGrid>(Form1, "StringGridDICOM");
        QCOMPARE(grid.cell(0, 0), QString(" No"));
        QCOMPARE(grid.cell(5, 1), QString("MediaStorageSOPClassUID"));
        QCOMPARE(grid.cell(6, 3), QString("1.2.840.10008.1.2.1"));
        QCOMPARE(grid.cell(1, grid.rowCount() - 1), QString("7FE0"));
        QVERIFY(control<QPlainTextEdit>(Form1, "Memo1")->toPlainText().startsWith("RHAPSODE"));
        QVERIFY(control<QPlainTextEdit>(Form1, "Memo1")->toPlainText().contains("mmPSize : 0.661468"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), file);
        QCOMPARE(control<QListWidget>(Form1, "ListBox1")
                     ->item(control<QLineEdit>(Form1, "EditFListNo")->text().toInt())
                     ->text(),
                 file);
        QCOMPARE(Form1->viewState(), 0);
    }

    void tagGridShowsNothingOfAnEarlierLongerHeader()
    {
        const QString prefix = QString::fromStdString(folder_.path().string()) + "/";
        loadByName(prefix + "CT_small.dcm");
        const int longer = control<StringGrid>(Form1, "StringGridDICOM")->rowCount();
        loadByName(prefix + "IM1");
        const StringGrid& grid = *control<StringGrid>(Form1, "StringGridDICOM");
        QVERIFY(grid.rowCount() < longer);

        // Every cell below the caption row as the reader writes it for this file alone.
        struct Cells : DicomSink {
            std::map<std::pair<int, int>, QString> written;
            bool windowLocked() const override { return false; }
            void setEdit(DicomEdit, const std::string&) override {}
            void setSwap(bool) override {}
            void startGrid(int) override { written.clear(); }
            void setCell(int column, int row, std::string text) override
            {
                written[{column, row}] = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
            }
            void setRowCount(int) override {}
            void showSummary(const std::string&) override {}
        } cells;
        readDicom(Form1->fileBuffer(), cells);
        const auto showsThisFileAlone = [&] {
            for (int row = 1; row < grid.rowCount(); ++row)
                for (int column = 0; column < grid.colCount(); ++column)
                    QCOMPARE(grid.cell(column, row), (cells.written[{column, row}]));
        };
        showsThisFileAlone();

        // Cells typed into, then the same file again: the grid keeps its rows.
        control<StringGrid>(Form1, "StringGridDICOM")->setCell(6, 2, "typed");
        control<StringGrid>(Form1, "StringGridDICOM")->setCell(12, 3, "typed");
        const int rows = grid.rowCount();
        loadByName(prefix + "IM1");
        QCOMPARE(grid.rowCount(), rows);
        showsThisFileAlone();

        // Nor do the rows past its end when the grid grows again.
        const int shorter = grid.rowCount();
        control<StringGrid>(Form1, "StringGridDICOM")->setRowCount(longer);
        for (int row = shorter; row < longer; ++row)
            for (int column = 0; column < grid.colCount(); ++column) QVERIFY(grid.cell(column, row).isEmpty());
    }

    void summaryOfTheSameLinesAgainLooksAsNew()
    {
        const QString prefix = QString::fromStdString(folder_.path().string()) + "/";
        QPlainTextEdit& memo = *control<QPlainTextEdit>(Form1, "Memo1");
        const auto state = [&memo] {
            return QVariantList{memo.toPlainText(),
                                memo.textCursor().position(),
                                memo.textCursor().hasSelection(),
                                memo.verticalScrollBar()->value(),
                                memo.document()->isUndoAvailable(),
                                memo.document()->isRedoAvailable()};
        };
        loadByName(prefix + "CT_small.dcm");
        loadByName(prefix + "IM1"); // other lines, put in anew
        const QVariantList fresh = state();
        QVERIFY(memo.toPlainText().contains("mmST : "));

        // Moved about in, edited and undone, or edited: the next slice's lines look the same.
        memo.moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
        loadByName(prefix + "IM2");
        QCOMPARE(state(), fresh);
        memo.moveCursor(QTextCursor::End);
        memo.insertPlainText("typed");
        memo.undo();
        loadByName(prefix + "IM2");
        QCOMPARE(state(), fresh);
        memo.insertPlainText("typed");
        loadByName(prefix + "IM10");
        QCOMPARE(state(), fresh);
    }

    void metaToClipboardLeavesOutPrivateAndItemRows()
    {
        loadByName(copy("CT_small.dcm", "CT_small.dcm"));
        StringGrid& grid = *control<StringGrid>(Form1, "StringGridDICOM");
        grid.setCell(6, 2, QString("1.3") + QChar(0) + "5");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonHeaderToCB"), Qt::LeftButton);
        QVERIFY(dialogs_->errors.isEmpty());
        const QString text = QGuiApplication::clipboard()->text();
        QVERIFY(text.endsWith("\r\n"));
        const QStringList lines = text.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines[0], QString(" No\tGroup\tErement\tVR\tCHR#\tName\tValue"));
        QCOMPARE(lines[1], QString("  1\t0002\t0002\tUI\t001A\tMediaStorageSOPClassUID\t1.2.840.10008.5.1.4.1.1.2"));
        QCOMPARE(lines[2].section('\t', 6), QString("1.35"));
        int taken = 0;
        for (int row = 1; row < grid.rowCount(); ++row) {
            const QString group = grid.cell(1, row);
            if (!group.startsWith('F') && (group.isEmpty() || group.toInt(nullptr, 16) % 2 == 0)) ++taken;
        }
        QCOMPARE(lines.size(), taken + 1);
        for (const QString& line : lines.mid(1)) {
            const QString group = line.section('\t', 1, 1);
            QVERIFY2(!group.startsWith('F') && group.toInt(nullptr, 16) % 2 == 0, qPrintable(line));
        }
        QVERIFY(text.contains("\t0009\t") == false);
        QCOMPARE(control<QPlainTextEdit>(Form1, "Memo2")->toPlainText().split('\n').first(), lines[0]);
    }

    void metaToClipboardStopsAtAGroupThatIsNotHex()
    {
        loadByName(copy("CT_small.dcm", "CT_small.dcm"));
        QGuiApplication::clipboard()->setText("before");
        control<StringGrid>(Form1, "StringGridDICOM")->setCell(1, 5, "XYZ");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonHeaderToCB"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList{QString::fromStdString(Msg::notInteger("$XYZ"))});
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("before"));
    }

    void doubleClickEnlargesAndRestoresTheGrid()
    {
        StringGrid* grid = control<StringGrid>(Form1, "StringGridDICOM");
        grid->setGeometry(0, 538, 716, 109);
        Form1->StringGridDICOMDblClick();
        QCOMPARE(grid->geometry(), QRect(0, 22, 716, 618));
        Form1->StringGridDICOMDblClick();
        QCOMPARE(grid->geometry(), QRect(0, 536, 716, 109));
        grid->setGeometry(0, 300, 716, 200);
        Form1->StringGridDICOMDblClick();
        QCOMPARE(grid->geometry(), QRect(0, 300, 716, 200));
        grid->setGeometry(0, 536, 716, 109);
    }

    void exchangeSwapsColumnsAndRowsAndRedraws()
    {
        loadByName(QString::fromStdString((folder_.path() / "mammo.dcm").string()));
        QVERIFY(dialogs_->errors.isEmpty());
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeX")->text(), QString("256"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeY")->text(), QString("1024"));
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonRowCulm"), Qt::LeftButton);
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeX")->text(), QString("1024"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeY")->text(), QString("256"));
        QCOMPARE(Form1->imgSizeX(), 1024);
        QCOMPARE(Form1->imgSizeY(), 256);
    }

    void fileListHoldsTheSeriesInNameOrderAtOnePosition()
    {
        // The three MR slices share one series and one position: names order them, and
        // the CT and mammography images of other series are left out.
        const QString prefix = QString::fromStdString(folder_.path().string()) + "/";
        loadByName(prefix + "IM2");
        QCOMPARE(listEntries(), (QStringList{prefix + "IM1", prefix + "IM2", prefix + "IM10"}));
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("1"));
        QCOMPARE(control<QLabel>(Form1, "LabelSeriesStatus")->text(),
                 QString::fromStdString(Msg::seriesInPositionOrder(3) + Msg::filesLeftOut(2)));

        // A name the list does not hold runs off its end, after the list was rebuilt.
        control<QListWidget>(Form1, "ListBox1")->clear();
        control<QLineEdit>(Form1, "EditFileName")->setText(prefix + "im2");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonFileList"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList{QString::fromStdString(Msg::listIndex(5))});
        QCOMPARE(control<QListWidget>(Form1, "ListBox1")->count(), 5);
    }

    void fileListFollowsTheFolder()
    {
        const QString prefix = QString::fromStdString(folder_.path().string()) + "/";
        loadByName(prefix + "IM2");
        const QStringList before = listEntries();

        // A slice added between two lists shows in the second; one removed goes again.
        const QString added = "IM1a with a name long enough to scroll the list sideways";
        copy("MR_small.dcm", added.toStdString());
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonFileList"), Qt::LeftButton);
        const QStringList during = {prefix + "IM1", prefix + added, prefix + "IM2", prefix + "IM10"};
        QCOMPARE(listEntries(), during);
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("2"));

        // The same listing again leaves no entry chosen, as a list filled anew.
        control<QListWidget>(Form1, "ListBox1")->setCurrentRow(3);
        control<QListWidget>(Form1, "ListBox1")->scrollToBottom();
        QScrollBar& across = *control<QListWidget>(Form1, "ListBox1")->horizontalScrollBar();
        QTRY_VERIFY(across.maximum() > 0);
        across.setValue(across.maximum());
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonFileList"), Qt::LeftButton);
        QCOMPARE(listEntries(), during);
        QCOMPARE(control<QListWidget>(Form1, "ListBox1")->currentRow(), -1);
        QVERIFY(control<QListWidget>(Form1, "ListBox1")->selectedItems().isEmpty());
        QCOMPARE(control<QListWidget>(Form1, "ListBox1")->verticalScrollBar()->value(), 0);
        QCOMPARE(across.value(), 0);

        std::filesystem::remove(folder_.path() / added.toStdString());
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonFileList"), Qt::LeftButton);
        QCOMPARE(listEntries(), before);
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("1"));
        QVERIFY(dialogs_->errors.isEmpty());
    }

    void wheelPagesThroughTheFolder()
    {
        const QString prefix = QString::fromStdString(folder_.path().string()) + "/";
        activate(Form1);
        loadByName(prefix + "IM1");
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("0"));

        // Away from the user: the first message reloads the file, the index moves on.
        control<QLineEdit>(Form1, "EditFileSize")->setText("x");
        QVERIFY(turnWheel(120));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), prefix + "IM1");
        QCOMPARE(control<QLineEdit>(Form1, "EditFileSize")->text(), QString("9830"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("1"));
        QVERIFY(turnWheel(120));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), prefix + "IM2");
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("2"));
        QVERIFY(turnWheel(120));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), prefix + "IM10");
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("2")); // the last entry of the series
        // Towards the user: back down to the first entry and no further.
        for (int i = 0; i < 2; ++i) QVERIFY(turnWheel(-120));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), prefix + "IM2");
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("0"));
        QVERIFY(turnWheel(-120));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), prefix + "IM1");
        QCOMPARE(control<QLineEdit>(Form1, "EditFListNo")->text(), QString("0"));
        QVERIFY(dialogs_->errors.isEmpty());
    }

    void wheelLoadsNothingWhenTheGridIsEnlargedOrAnotherWindowIsActive()
    {
        const QString prefix = QString::fromStdString(folder_.path().string()) + "/";
        activate(Form1);
        loadByName(prefix + "IM1");
        control<QLineEdit>(Form1, "EditFileSize")->setText("x");

        Form1->StringGridDICOMDblClick();
        turnWheel(120);
        Form1->StringGridDICOMDblClick();
        QCOMPARE(control<QLineEdit>(Form1, "EditFileSize")->text(), QString("x"));

        activate(Form2);
        dialogs_->errors.clear(); // the MTF window's activation reports its still empty table
        turnWheel(120);
        QCOMPARE(control<QLineEdit>(Form1, "EditFileSize")->text(), QString("x"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), prefix + "IM1");

        // A sideways tilt is no step either.
        activate(Form1);
        QWheelEvent tilt(QPointF(), QPointF(), QPoint(), QPoint(120, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(control<QListWidget>(Form1, "ListBox1"), &tilt);
        QCOMPARE(control<QLineEdit>(Form1, "EditFileSize")->text(), QString("x"));
        QVERIFY(dialogs_->errors.isEmpty());
    }

    void wheelWithAnIndexOutsideTheListReportsIt()
    {
        activate(Form1);
        control<QLineEdit>(Form1, "EditFListNo")->setText("7");
        control<QLineEdit>(Form1, "EditFileSize")->setText("x");
        turnWheel(120);
        QCOMPARE(dialogs_->errors, QStringList{QString::fromStdString(Msg::listIndex(7))});
        QCOMPARE(control<QLineEdit>(Form1, "EditFileSize")->text(), QString("x"));
    }

    void editsShowTheStartOfWhatTheProgramWrites()
    {
        control<QLineEdit>(Form1, "EditFOVSize")
            ->setFixedWidth(40); // narrower than its text, as in the window's row of edits
        loadByName(copy("CT_small.dcm", "CT_small.dcm"));
        for (QLineEdit* edit : {control<QLineEdit>(Form1, "EditFOVSize"), control<QLineEdit>(Form1, "EditPxlSpc"),
                                control<QLineEdit>(Form1, "EditFileName")}) {
            QVERIFY(edit->text().size() > 6);
            QCOMPARE(edit->cursorPosition(), 0);
        }
        QCOMPARE(control<QLineEdit>(Form1, "EditFOVSize")->text(), QString("338.671600"));
        // What the user types stays where the typing put it.
        control<QLineEdit>(Form1, "EditPxlSpc")->setFocus();
        control<QLineEdit>(Form1, "EditPxlSpc")->end(false);
        QTest::keyClicks(control<QLineEdit>(Form1, "EditPxlSpc"), "12");
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString("0.66146812"));
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->cursorPosition(), 10);
    }

    // The same MR slice stored in other transfer syntaxes: decoded on loading, it
    // shows and measures as the uncompressed file does.
    void compressedAndBigEndianSlicesMeasureAsTheUncompressedOne_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("syntax");
        QTest::newRow("big endian") << "MR_small_bigendian.dcm"
                                    << "Explicit VR Big Endian";
        QTest::newRow("RLE") << "MR_small_RLE.dcm"
                             << "RLE Lossless";
        QTest::newRow("JPEG-LS") << "MR_small_jpeg_ls_lossless.dcm"
                                 << "JPEG-LS Lossless Image Compression";
        QTest::newRow("JPEG 2000") << "MR_small_jp2klossless.dcm"
                                   << "JPEG 2000 Image Compression (Lossless Only)";
        QTest::newRow("uncompressed") << "MR_small.dcm"
                                      << "";
    }
    void compressedAndBigEndianSlicesMeasureAsTheUncompressedOne()
    {
        QFETCH(QString, file);
        QFETCH(QString, syntax);
        const TempFolder own; // a folder of its own keeps the other series' list as it is
        const QString path =
            QString::fromStdString(own.write("slice.dcm", readFile(pydicomFile(file.toStdString()))).string());
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(0);
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(true);
        control<QCheckBox>(Form1, "CheckBoxSwp")->setChecked(true);
        loadByName(path);
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QVERIFY(!control<QCheckBox>(Form1, "CheckBoxSwp")->isChecked());
        QCOMPARE(Form1->imgSizeX(), 64);
        QCOMPARE(Form1->imgSizeY(), 64);
        const QString memo = control<QPlainTextEdit>(Form1, "Memo1")->toPlainText();
        QCOMPARE(memo.contains("Decoded from : " + syntax), !syntax.isEmpty());
        QVERIFY(memo.contains("DspMtrx : 64"));

        // The ROI over the whole image.
        for (QLineEdit* e : {control<QLineEdit>(Form1, "EditROIPosX"), control<QLineEdit>(Form1, "EditROIPosY")})
            e->setText("32");
        for (QLineEdit* e : {control<QLineEdit>(Form1, "EditROISizeX"), control<QLineEdit>(Form1, "EditROISizeY")})
            e->setText("64");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(Form1, "EditHSBP")->text(), QString("518.88134765625")); // 2125338 / 4096
    }

    void aFileDecodedWithWarningsShowsThemInTheSummary()
    {
        // libjpeg warns about this file's scan, and decodes it.
        const TempFolder own;
        loadByName(QString::fromStdString(own.write("lossy.dcm", readFile(pydicomFile("JPEG-lossy.dcm"))).string()));
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        const QString memo = control<QPlainTextEdit>(Form1, "Memo1")->toPlainText();
        QVERIFY2(
            memo.contains(QString::fromStdString(Msg::decodingWarning("Invalid SOS parameters for sequential JPEG"))),
            qPrintable(memo));
    }

    void aFileThatCannotBeShownAsOneGreySliceLeavesTheImageAsItWas()
    {
        const QString shownFile = QString::fromStdString(folder_.path().string()) + "/IM1";
        loadByName(shownFile);
        const ByteBuffer buffer = Form1->fileBuffer();
        const GreyBitmap bitmap = Form1->dispBitmap();
        const QStringList edits = {
            control<QLineEdit>(Form1, "EditImgSizeX")->text(), control<QLineEdit>(Form1, "EditImgSizeY")->text(),
            control<QLineEdit>(Form1, "EditPxlSpc")->text(),   control<QLineEdit>(Form1, "EditHeader")->text(),
            control<QLineEdit>(Form1, "EditFileSize")->text(), control<QPlainTextEdit>(Form1, "Memo1")->toPlainText()};
        const TempFolder own;
        const QString colour =
            QString::fromStdString(own.write("colour.dcm", readFile(pydicomFile("SC_rgb_rle.dcm"))).string());
        control<QLineEdit>(Form1, "EditFileName")->setText(colour);
        Form1->setViewState(2);
        guarded(Form1, &TForm1::BitBtnLoadClick)();
        QCOMPARE(dialogs_->errors, QStringList{QString::fromStdString(
                                       Msg::notOneGreySlice(colour.toStdString(), Msg::colourImage("RGB")))});
        QCOMPARE(Form1->fileBuffer(), buffer);
        QCOMPARE(Form1->dispBitmap().pixels, bitmap.pixels);
        QCOMPARE((QStringList{
                     control<QLineEdit>(Form1, "EditImgSizeX")->text(),
                     control<QLineEdit>(Form1, "EditImgSizeY")->text(), control<QLineEdit>(Form1, "EditPxlSpc")->text(),
                     control<QLineEdit>(Form1, "EditHeader")->text(), control<QLineEdit>(Form1, "EditFileSize")->text(),
                     control<QPlainTextEdit>(Form1, "Memo1")->toPlainText()}),
                 edits);
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(),
                 colour); // the name asked for stays, so the wheel goes on from it

        // What is shown can still be drawn and measured.
        dialogs_->errors.clear();
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QCOMPARE(Form1->dispBitmap().pixels, bitmap.pixels);
    }

    // A header whose reading fails part way shows what was read before the failure:
    // its edits, its rows of the tag grid and its summary, written after the failure.
    void aHeaderFailingPartWayShowsWhatWasReadBeforeIt()
    {
        DicomBytes b;
        b.element(0x0028, 0x0010, "US", us(64))
            .element(0x0028, 0x1052, "DS", "abc ")
            .element(0x0028, 0x0011, "US", us(32));
        const QString path = QString::fromStdString(folder_.write("bad_intercept.dcm", b.withPixels()).string());
        control<QLineEdit>(Form1, "EditImgSizeY")->setText("1");
        try {
            loadByName(path);
            QFAIL("no conversion error");
        } catch (const AppError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QString::fromStdString(Msg::notFloat("abc")));
        }
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeY")->text(), QString("64"));
        QVERIFY(control<QPlainTextEdit>(Form1, "Memo1")->toPlainText().startsWith("DspMtrx : 64"));
        const StringGrid& grid = *control<StringGrid>(Form1, "StringGridDICOM");
        QCOMPARE(grid.rowCount(), 1024); // the row count the reader set at its start
        int rows = 0;                    // the row of Rows, the element read before the failing one
        while (rows < grid.rowCount() && !(grid.cell(1, rows) == "0028" && grid.cell(2, rows) == "0010")) ++rows;
        QVERIFY(rows < grid.rowCount());
        QCOMPARE(grid.cell(6, rows), QString("64"));
    }
};

QTEST_MAIN(DicomViewerTest)
#include "DicomViewer_test.moc"
