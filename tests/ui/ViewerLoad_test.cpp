// The Viewer's start, loading and display controls, driven through the window.
#include "Forms.h"
#include "ImageWidget.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unreadable.h"
#include "ViewerDriving.h"
#include "WindowControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

class ViewerLoadTest : public QObject {
    Q_OBJECT

    ScriptedDialogs* dialogs_ = nullptr;
    TempFolder folder_;

    static void loadByName(const std::filesystem::path& file) { ::loadByName(QString::fromStdString(file.string())); }

    static std::vector<int16_t> ramp(int count)
    {
        std::vector<int16_t> samples(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) samples[static_cast<size_t>(i)] = static_cast<int16_t>(i % 1000);
        return samples;
    }

private slots:
    void initTestCase()
    {
        dialogs_ = &installScriptedDialogs();
        CreateForms();
        Form1->show();
    }

    void init()
    {
        dialogs_->errors.clear();
        dialogs_->inputPrompts.clear();
        dialogs_->openCount = 0;
        control<QCheckBox>(Form1, "CheckBoxWWLock")->setChecked(false);
    }

    // The state right after start, on windows created as the start-up creates them.
    void startState()
    {
        TForm1 viewer;
        TForm2 mtf;
        TForm3 spectra;
        viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QCOMPARE(viewer.windowTitle(), QString("Viewer"));
        QCOMPARE(mtf.windowTitle(), QString("MTF"));
        QCOMPARE(spectra.windowTitle(), QString("WienerSpectra"));
        QVERIFY(!mtf.isVisible());
        QVERIFY(!spectra.isVisible());
        QCOMPARE(viewer.width(), 716);
        QCOMPARE(control<QLineEdit>(&viewer, "EditFileName")->text(), QString());
        QCOMPARE(control<QLineEdit>(&viewer, "EditWindowLevel")->text(), QString("100"));
        QCOMPARE(control<QLineEdit>(&viewer, "EditMF")->text(), QString("1.0"));
        QCOMPARE(control<QLineEdit>(&viewer, "EditFListNo")->text(), QString("1"));
        QCOMPARE(control<RadioGroup>(&viewer, "RadioGroupMode")->itemText(), QString("DICOM"));
        QCOMPARE(control<RadioGroup>(&viewer, "RadioGroupRange")->itemText(), QString("3"));
        QCOMPARE(control<RadioGroup>(&viewer, "RadioGroupTool")->itemText(), QString("ROI"));
        QCOMPARE(control<StringGrid>(&viewer, "StringGridDICOM")->cell(2, 0), QString("Erement"));
        QVERIFY(control<QLabel>(&viewer, "Image2")->isVisible());
        QVERIFY(!control<QWidget>(&viewer, "Image1")->isVisible());

        // "⇒" right after start does nothing.
        QTest::mouseClick(control<QPushButton>(&viewer, "BitBtnLoad"), Qt::LeftButton);
        QCOMPARE(dialogs_->openCount, 0);
        QVERIFY(control<QLabel>(&viewer, "Image2")->isVisible());
        QVERIFY(dialogs_->errors.isEmpty());
    }

    void otherWindowsAreShownAndOnlyHidden()
    {
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonToForm2"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonToForm2"), Qt::LeftButton);
        QVERIFY(Form2->isVisible());
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->windowTitle() == "MTF"; }),
                 1);
        Form2->close();
        QVERIFY(!Form2->isVisible());
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonForm3"), Qt::LeftButton);
        QVERIFY(Form3->isVisible());
        Form3->close();
        QVERIFY(!Form3->isVisible());
    }

    void namedRawFileLoadsWithoutPrompts()
    {
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        const auto file = folder_.write("water 512 512 0p488.raw", words16(ramp(512 * 512)));
        Form1->setViewState(1);
        dialogs_->openAnswers = {QString::fromStdString(file.string())};
        Form1->BitBtnLoadClick();
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QVERIFY(dialogs_->inputPrompts.isEmpty());
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeX")->text(), QString("512"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeY")->text(), QString("512"));
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString("0.488"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileSize")->text(), QString("524288"));
        QCOMPARE(control<QLineEdit>(Form1, "EditFileName")->text(), QString::fromStdString(file.string()));
        QCOMPARE(Form1->viewState(), 0);
        QCOMPARE(Form1->fileBuffer().size(), size_t{524288});
        // The first load centres the ROI on the image.
        QCOMPARE(control<QLineEdit>(Form1, "EditROIPosX")->text(), QString("256"));
        // "Auto" spans the central block: values 0..999 of the ramp.
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowWidth")->text(), QString("998"));
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowLevel")->text(), QString("499"));
        QCOMPARE(Form1->dispBitmap().width, 512);
        QVERIFY(control<ImageWidget>(Form1, "Image1")->isVisible());
        QVERIFY(!control<QLabel>(Form1, "Image2")->isVisible());
        QCOMPARE(control<ImageWidget>(Form1, "Image1")->width(), 512);
    }

    void unnamedFileAsksForItsSize()
    {
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        control<QLineEdit>(Form1, "EditHeader")->setText("77");
        control<QLineEdit>(Form1, "EditMF")->setText("1.5");
        const auto file = folder_.write("phantom.raw", std::vector<uint8_t>(524288, 0));
        dialogs_->inputAnswers = {std::nullopt, QString("0.7")};
        loadByName(file);
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QCOMPARE(dialogs_->inputPrompts,
                 QStringList({"|Matrix Size x y , |512 512", "InputBox|ﾋﾟｸｾﾙ間隔(mm)を入力してください。|"}));
        QCOMPARE(control<QLineEdit>(Form1, "EditHeader")->text(), QString("0"));
        QCOMPARE(control<QLineEdit>(Form1, "EditMF")->text(), QString("1.0"));
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString("0.7"));
        QCOMPARE(Form1->imgSizeX(), 512);

        // 512 x 512 behind a 1,024-byte header: the guess is 1024 1024.
        dialogs_->inputPrompts.clear();
        dialogs_->inputAnswers = {QString("512 512"), std::nullopt};
        loadByName(folder_.write("headed.raw", std::vector<uint8_t>(525312, 0)));
        QCOMPARE(dialogs_->inputPrompts.value(0), QString("|Matrix Size x y , |1024 1024"));
    }

    void eightBitFileTakesItsGeometryFromTheName()
    {
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(0);
        control<QLineEdit>(Form1, "EditHeader")->setText("0");
        std::vector<uint8_t> bytes(256 * 128);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
        loadByName(folder_.write("a 256 128 1p25.raw", bytes));
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QVERIFY(dialogs_->inputPrompts.isEmpty());
        QCOMPARE(Form1->imgSizeX(), 256);
        QCOMPARE(Form1->imgSizeY(), 128);
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString("1.25"));
        // Wider than tall: cut to the centred 128 x 128 square, stretched over 512 x 512.
        QCOMPARE(Form1->viewWindow().Left, 64);
        QCOMPARE(Form1->viewWindow().Right, 191);
        QCOMPARE(Form1->dispBitmap().width, 128);
        QCOMPARE(control<ImageWidget>(Form1, "Image1")->width(), 512);
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
    }

    void namesThatGiveTheSizesSkipTheReader()
    {
        // Three tokens: no prompts, and no pixel spacing.
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        loadByName(folder_.write("a 8 8.raw", words16(std::vector<int16_t>(64, 5))));
        QVERIFY(dialogs_->inputPrompts.isEmpty());
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString());

        // "⇒" right after a load does nothing.
        QTest::mouseClick(control<QPushButton>(Form1, "BitBtnLoad"), Qt::LeftButton);
        QCOMPARE(dialogs_->openCount, 0);

        // In "DICOM" mode a name with both sizes is read at the header offset already set.
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(2);
        control<QLineEdit>(Form1, "EditHeader")->setText("4");
        control<QLineEdit>(Form1, "EditOffst")->setText("0");
        ByteBuffer bytes = {9, 9, 9, 9};
        const ByteBuffer pixels = words16({100, 200, 300, 400});
        bytes.insert(bytes.end(), pixels.begin(), pixels.end());
        loadByName(folder_.write("x 2 2 0p5.dcm", bytes));
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join("; ")));
        QCOMPARE(control<QLineEdit>(Form1, "EditHeader")->text(), QString("4"));
        QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString("0.5"));
        QCOMPARE(Form1->imgSizeX(), 2);
        control<QLineEdit>(Form1, "EditHeader")->setText("0");
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
    }

    // A path that cannot be read whole, after a good image: the message, and the image,
    // its buffer and its edits stay as they were.
    void unreadableFileShowsTheMessageAndKeepsTheImage()
    {
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        loadByName(folder_.write("good 8 4 0p5.raw", words16(ramp(32))));
        QVERIFY(dialogs_->errors.isEmpty());
        const ByteBuffer shownFile = Form1->fileBuffer();
        const GreyBitmap shown = Form1->dispBitmap();
        std::filesystem::permissions(folder_.path(), std::filesystem::perms::all);
        const auto missing = folder_.path() / "gone 4 4.raw";
        const auto empty = folder_.write("empty 4 4.raw", {});
        const auto locked = folder_.write("locked 4 4.raw", words16(ramp(16)));
        for (const auto& path : {missing, empty, locked}) {
            const UnreadableFile unreadable(locked);
            if (path == locked && !unreadable.unreadable()) QSKIP("the test's user reads a file of mode 000");
            dialogs_->errors.clear();
            control<QLineEdit>(Form1, "EditFileName")->setText(QString::fromStdString(path.string()));
            Form1->setViewState(2);
            QTest::mouseClick(control<QPushButton>(Form1, "BitBtnLoad"), Qt::LeftButton);
            QCOMPARE(dialogs_->errors.size(), 1);
            QVERIFY2(dialogs_->errors[0].contains(QString::fromStdString(path.string())),
                     qPrintable(dialogs_->errors[0]));
            QCOMPARE(Form1->fileBuffer(), shownFile);
            QCOMPARE(Form1->dispBitmap().pixels, shown.pixels);
            QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeX")->text(), QString("8"));
            QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeY")->text(), QString("4"));
            QCOMPARE(control<QLineEdit>(Form1, "EditPxlSpc")->text(), QString("0.5"));
        }
        QCOMPARE(dialogs_->errors,
                 QStringList(QString::fromStdString("ファイル " + locked.string() + " は開けません")));
    }

    void cancelledDialogLoadsNothing()
    {
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton); // ViewState 1: the next load asks
        dialogs_->errors.clear();
        dialogs_->openAnswers = {std::nullopt};
        QTest::mouseClick(control<QPushButton>(Form1, "BitBtnLoad"), Qt::LeftButton);
        QCOMPARE(dialogs_->openCount, 1);
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSizeX")->text(), QString());
        QCOMPARE(Form1->viewState(), 0);
    }

    void displayControls()
    {
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        std::vector<int16_t> samples(64 * 64, 1000);
        samples[20 * 64 + 20] = 10;
        samples[30 * 64 + 30] = 3020;
        loadByName(folder_.write("disp 64 64 1.raw", words16(samples)));
        const GreyBitmap shown = Form1->dispBitmap();

        // Letters in a size edit: the conversion message, and the picture stays.
        control<QLineEdit>(Form1, "EditImgSizeX")->setText("abc");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList("'abc' は整数ではありません"));
        QCOMPARE(Form1->dispBitmap().pixels, shown.pixels);
        control<QLineEdit>(Form1, "EditImgSizeX")->setText("64");

        // A window width of 0 fails as a division by zero.
        dialogs_->errors.clear();
        control<QLineEdit>(Form1, "EditWindowWidth")->setText("0");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList("0 による浮動小数点数除算"));

        // A magnification of 0 fails as a division by zero too.
        dialogs_->errors.clear();
        control<QLineEdit>(Form1, "EditWindowWidth")->setText("100");
        control<QLineEdit>(Form1, "EditMF")->setText("0");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList("0 による浮動小数点数除算"));
        control<QLineEdit>(Form1, "EditMF")->setText("1.0");
        control<QLineEdit>(Form1, "EditWindowWidth")->setText("0");

        // "Auto" with "Lock" on changes nothing.
        control<QCheckBox>(Form1, "CheckBoxWWLock")->setChecked(true);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonAutoWL"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowWidth")->text(), QString("0"));
        control<QCheckBox>(Form1, "CheckBoxWWLock")->setChecked(false);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonAutoWL"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowLevel")->text(), QString("1515"));

        // Invert redraws at once, through its click action.
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowWidth")->text(), QString("3009"));
        const uint8_t before = Form1->dispBitmap().pixels[0];
        control<QCheckBox>(Form1, "CheckBoxInvrt")->setChecked(true);
        QCOMPARE(Form1->dispBitmap().pixels[0], static_cast<uint8_t>(255 - before));
        control<QCheckBox>(Form1, "CheckBoxInvrt")->setChecked(false);

        // Zoom in and out again: back at "1.0" with the shifts dropped.
        dialogs_->errors.clear();
        control<QLineEdit>(Form1, "EditImgSftX")->setText("3");
        QTest::mouseClick(control<QPushButton>(Form1, "Button1"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(Form1, "EditMF")->text(), QString("1.1"));
        QCOMPARE(Form1->dispBitmap().width, 58);
        QTest::mouseClick(control<QPushButton>(Form1, "Button2"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(Form1, "EditMF")->text(), QString("1.0"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSftX")->text(), QString("0"));
        QVERIFY(dialogs_->errors.isEmpty());
    }

    // Texts at the ends of the number range in the edits drawing reads: a picture or
    // a message, within moments, whatever the sizes, shifts and window say.
    void displayEditsAtTheirExtremes_data()
    {
        QTest::addColumn<QString>("editName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("message"); // empty: drawn without a message
        const QStringList disp{"ButtonDisp"}, autoWL{"ButtonAutoWL"};
        QTest::newRow("widest window, Auto") << "EditWindowWidth"
                                             << "2147483647" << autoWL << "";
        QTest::newRow("widest window, Disp") << "EditWindowWidth"
                                             << "2147483647" << disp << "";
        QTest::newRow("narrowest window") << "EditWindowWidth"
                                          << "-2147483648" << disp << "";
        QTest::newRow("columns 2147483647, Auto twice")
            << "EditImgSizeX"
            << "2147483647" << QStringList{"ButtonAutoWL", "ButtonAutoWL"} << "";
        QTest::newRow("rows 2147483647, Auto twice")
            << "EditImgSizeY"
            << "2147483647" << QStringList{"ButtonAutoWL", "ButtonAutoWL"} << "表示画像 64 x 2147483647 は大きすぎます";
        QTest::newRow("magnification beyond doubles") << "EditMF"
                                                      << "1e400" << disp << "'1e400' は浮動小数点数ではありません";
        QTest::newRow("magnification 1e-300") << "EditMF"
                                              << "1e-300" << disp << "整数のオーバーフロー";
        QTest::newRow("magnification 1e300, zoom in") << "EditMF"
                                                      << "1e300" << QStringList{"Button1"} << "";
        QTest::newRow("shift 2147483647") << "EditImgSftX"
                                          << "2147483647" << disp << "整数のオーバーフロー";
        QTest::newRow("shift -2147483648") << "EditImgSftY"
                                           << "-2147483648" << disp << "整数のオーバーフロー";
        QTest::newRow("header -2147483648") << "EditHeader"
                                            << "-2147483648" << autoWL << "";
        QTest::newRow("header 2147483647") << "EditHeader"
                                           << "2147483647" << autoWL << "";
        QTest::newRow("offset 2147483647") << "EditOffst"
                                           << "2147483647" << disp << "整数のオーバーフロー";
        QTest::newRow("ROI at -2147483648, Stat")
            << "EditROIPosX"
            << "-2147483648" << QStringList{"ButtonDisp", "ButtonStat"} << "整数のオーバーフロー";
        QTest::newRow("ROI of 2147483647, Stat") << "EditROISizeY"
                                                 << "2147483647" << QStringList{"ButtonDisp", "ButtonStat"} << "";
    }
    void displayEditsAtTheirExtremes()
    {
        QFETCH(QString, editName);
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);
        QFETCH(QString, message);
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        for (auto [edit, start] : {std::pair{control<QLineEdit>(Form1, "EditMF"), "1.0"},
                                   {control<QLineEdit>(Form1, "EditImgSftX"), "0"},
                                   {control<QLineEdit>(Form1, "EditImgSftY"), "0"},
                                   {control<QLineEdit>(Form1, "EditHeader"), "0"},
                                   {control<QLineEdit>(Form1, "EditOffst"), "0"},
                                   {control<QLineEdit>(Form1, "EditROIPosX"), "32"},
                                   {control<QLineEdit>(Form1, "EditROIPosY"), "32"},
                                   {control<QLineEdit>(Form1, "EditROISizeX"), "16"},
                                   {control<QLineEdit>(Form1, "EditROISizeY"), "16"}})
            edit->setText(start);
        loadByName(folder_.write("extreme 64 64 1.raw", words16(ramp(64 * 64))));
        QCOMPARE(dialogs_->errors, QStringList{});
        Form1->findChild<QLineEdit*>(editName)->setText(text);
        for (const QString& button : buttons) Form1->findChild<QAbstractButton*>(button)->click();
        QCOMPARE(dialogs_->errors.value(0), message);
        QVERIFY(dialogs_->errors.size() <= 1 || dialogs_->errors[1] == message);
        for (QLineEdit* e : Form1->findChildren<QLineEdit*>())
            QVERIFY2(!e->text().contains("INF") && !e->text().contains("NAN"), qPrintable(e->objectName()));
    }

    void imageToClipboard()
    {
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonSaveBMP"), Qt::LeftButton);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.width(), Form1->dispBitmap().width);
        QCOMPARE(copied.height(), Form1->dispBitmap().height);
        QCOMPARE(qGray(copied.pixel(5, 3)), int(Form1->dispBitmap().row(3)[5]));
    }
};

QTEST_MAIN(ViewerLoadTest)
#include "ViewerLoad_test.moc"
