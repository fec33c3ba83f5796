// The Viewer's ROI tool, mouse tools, "Stat" and the image tools, driven
// through the window with synthetic mouse events.
#include "AppError.h"
#include "Forms.h"
#include "GeometricOperations.h"
#include "ImageWidget.h"
#include "RoiStatistics.h"
#include "ScriptedDialogs.h"
#include "SmallDisk.h"
#include "TestFiles.h"
#include "Unit1.h"
#include "WindowControls.h"

#include <QTest>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>

namespace {

// A columns x rows image with sample value(row, column).
std::vector<int16_t> image(int columns, int rows, const std::function<int(int, int)>& value)
{
    std::vector<int16_t> samples;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) samples.push_back(static_cast<int16_t>(value(r, c)));
    return samples;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

enum Tool { ToolRoi = 0, ToolMove = 1, ToolOff = 2, ToolHome = 3 };

} // namespace

class RoiToolTest : public QObject {
    Q_OBJECT

    ScriptedDialogs* dialogs_ = nullptr;
    TempFolder folder_;

    // Puts an image into the Viewer as a load would and draws it: grey level =
    // sample value for 0 to 255, the ROI at its start values, tool "ROI".
    void show(const std::vector<int16_t>& samples, int columns, int rows)
    {
        Form1->loadImageBytes(words16(samples));
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
        control<QCheckBox>(Form1, "CheckBoxSwp")->setChecked(false);
        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(true);
        control<RadioGroup>(Form1, "RadioGroupRange")->setItemIndex(1);
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolRoi);
        for (auto [edit, text] : {std::pair{control<QLineEdit>(Form1, "EditHeader"), "0"},
                                  {control<QLineEdit>(Form1, "EditOffst"), "0"},
                                  {control<QLineEdit>(Form1, "EditMF"), "1.0"},
                                  {control<QLineEdit>(Form1, "EditImgSftX"), "0"},
                                  {control<QLineEdit>(Form1, "EditImgSftY"), "0"},
                                  {control<QLineEdit>(Form1, "EditWindowLevel"), "128"},
                                  {control<QLineEdit>(Form1, "EditWindowWidth"), "256"},
                                  {control<QLineEdit>(Form1, "EditROIPosX"), "64"},
                                  {control<QLineEdit>(Form1, "EditROIPosY"), "64"},
                                  {control<QLineEdit>(Form1, "EditROISizeX"), "64"},
                                  {control<QLineEdit>(Form1, "EditROISizeY"), "64"},
                                  {control<QLineEdit>(Form1, "EditHSBP"), "0"},
                                  {control<QLineEdit>(Form1, "EditVSBP"), "0"},
                                  {control<QLineEdit>(Form1, "EditPxlSpc"), "0.488"}})
            edit->setText(text);
        control<QLineEdit>(Form1, "EditImgSizeX")->setText(QString::number(columns));
        control<QLineEdit>(Form1, "EditImgSizeY")->setText(QString::number(rows));
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        dialogs_->errors.clear();
        dialogs_->informations.clear();
        dialogs_->openCount = 0;
    }

    static void press(Qt::MouseButton button, QPoint at)
    {
        QTest::mousePress(control<ImageWidget>(Form1, "Image1"), button, {}, at);
    }
    static void move(QPoint to) { QTest::mouseMove(control<ImageWidget>(Form1, "Image1"), to); }
    static void release(Qt::MouseButton button, QPoint at)
    {
        QTest::mouseRelease(control<ImageWidget>(Form1, "Image1"), button, {}, at);
    }

    static QString average() { return control<QLineEdit>(Form1, "EditHSBP")->text(); }
    static QString sd() { return control<QLineEdit>(Form1, "EditVSBP")->text(); }

private slots:
    void initTestCase()
    {
        dialogs_ = &installScriptedDialogs();
        CreateForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }

    // The size menu's notification at creation sets the ROI: a window just created.
    void startRoi()
    {
        const TForm1 fresh;
        QCOMPARE(fresh.roiRect(), (Rect{32, 32, 95, 95}));
        QCOMPARE(fresh.roiViewRect(), (Rect{32, 32, 95, 95}));
    }

    void statMeasuresTheFramedBlock()
    {
        // Columns and rows 32 to 95 of value column + 2 row.
        show(image(512, 512, [](int r, int c) { return c + 2 * r; }), 512, 512);
        QCOMPARE(Form1->roiViewRect(), (Rect{32, 32, 95, 95}));
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("190.5"));
        QCOMPARE(sd(), QString("41.307"));
    }

    void statSampleValues()
    {
        show(std::vector<int16_t>(128 * 128, 100), 128, 128);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("100"));
        QCOMPARE(sd(), QString("0.000"));

        // Two samples 0 and 2 in a 2 x 1 block: the SD divides by N.
        show({0, 2, 50, 50}, 2, 2);
        control<QLineEdit>(Form1, "EditROIPosX")->setText("1");
        control<QLineEdit>(Form1, "EditROIPosY")->setText("0");
        control<QLineEdit>(Form1, "EditROISizeX")->setText("2");
        control<QLineEdit>(Form1, "EditROISizeY")->setText("1");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("1"));
        QCOMPARE(sd(), QString("1.000"));

        // One sample: 0x7FFF plus offset 1 wraps; stored 01 02 reads 258 with "Swap".
        auto single = [&](int16_t stored) {
            show({stored}, 1, 1);
            control<QLineEdit>(Form1, "EditROIPosX")->setText("0");
            control<QLineEdit>(Form1, "EditROIPosY")->setText("0");
            control<QLineEdit>(Form1, "EditROISizeX")->setText("1");
            control<QLineEdit>(Form1, "EditROISizeY")->setText("1");
            QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        };
        single(0x7FFF);
        control<QLineEdit>(Form1, "EditOffst")->setText("1");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("-32768"));
        single(0x0201);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("513"));
        control<QCheckBox>(Form1, "CheckBoxSwp")->setChecked(true);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("258"));
        QVERIFY(dialogs_->errors.isEmpty());
    }

    void statRefusesWhatItCannotMeasure()
    {
        show(std::vector<int16_t>(64 * 64, 7), 64, 64);
        // A ROI wholly outside the image: a message, the results stay.
        control<QLineEdit>(Form1, "EditROIPosX")->setText("300");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList{Msg::roiHoldsNoSamples});
        QCOMPARE(average(), QString("0"));
        // Half outside: only the samples inside count.
        control<QLineEdit>(Form1, "EditROIPosX")->setText("64");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("7"));
        // A size of 0: 0 divided by 0.
        dialogs_->errors.clear();
        control<QLineEdit>(Form1, "EditHSBP")->setText("0");
        control<QLineEdit>(Form1, "EditROISizeY")->setText("0");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList{Msg::invalidFloatOp});
        QCOMPARE(average(), QString("0"));
    }

    void toolOffMeasuresNothing()
    {
        show(std::vector<int16_t>(128 * 128, 9), 128, 128);
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolOff);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonStat"), Qt::LeftButton);
        QCOMPARE(average(), QString("0"));
        QTest::mouseClick(control<ImageWidget>(Form1, "Image1"), Qt::LeftButton, {}, QPoint(64, 64));
        QCOMPARE(average(), QString("0"));
        // With "ROI" a click without movement measures.
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolRoi);
        QTest::mouseClick(control<ImageWidget>(Form1, "Image1"), Qt::LeftButton, {}, QPoint(64, 64));
        QCOMPARE(average(), QString("9"));
    }

    void sizeMenuSelectsRoiAndDrawsTheFrame()
    {
        show(std::vector<int16_t>(512 * 512, 40), 512, 512);
        control<QLineEdit>(Form1, "EditROIPosX")->setText("256");
        control<QLineEdit>(Form1, "EditROIPosY")->setText("256");
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolMove);
        QAction* item = control<QMenu>(Form1, "PopupMenu1")->findChild<QAction*>("N0128");
        QVERIFY(item);
        QVERIFY(control<QMenu>(Form1, "PopupMenu1")->actions().contains(item));
        item->trigger();
        QCOMPARE(control<RadioGroup>(Form1, "RadioGroupTool")->itemText(), QString("ROI"));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeX")->text(), QString("128"));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeY")->text(), QString("128"));
        QCOMPARE(Form1->roiRect(), (Rect{192, 192, 319, 319}));
        // The visible outline runs just beside the ROI's top-left corner.
        QCOMPARE(int(Form1->dispBitmap().row(191)[191]), 255 - 40);
        QCOMPARE(int(Form1->dispBitmap().row(192)[192]), 40);
        QCOMPARE(int(Form1->dispBitmap().row(250)[250]), 40);
        QVERIFY(dialogs_->errors.isEmpty());
    }

    void frameFollowsAPressInside()
    {
        show(std::vector<int16_t>(512 * 512, 20), 512, 512);
        const GreyBitmap unframed = [] {
            GreyBitmap b = Form1->dispBitmap();
            std::fill(b.pixels.begin(), b.pixels.end(), uint8_t{20});
            return b;
        }();
        press(Qt::LeftButton, {64, 70});
        move({200, 150});
        QCOMPARE(Form1->roiViewRect(), (Rect{168, 118, 231, 181}));
        QCOMPARE(Form1->roiRect(), (Rect{168, 118, 231, 181}));
        QCOMPARE(control<QLineEdit>(Form1, "EditROIPosX")->text(), QString("200"));
        QCOMPARE(control<QLineEdit>(Form1, "EditROIPosY")->text(), QString("150"));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeX")->text(), QString("64"));
        // The old frame is gone, the new one drawn.
        QCOMPARE(int(Form1->dispBitmap().row(31)[31]), 20);
        QCOMPARE(int(Form1->dispBitmap().row(117)[167]), 255 - 20);
        release(Qt::LeftButton, {200, 150});
        QCOMPARE(average(), QString("20")); // the release measures
        QCOMPARE(Form1->dragButton(), QString());
        // Removing the frame leaves the picture as drawn.
        Form1->DrawRoiFrame();
        QCOMPARE(Form1->dispBitmap().pixels, unframed.pixels);
    }

    void cornerDragsNeedTheLockOff()
    {
        show(std::vector<int16_t>(512 * 512, 20), 512, 512);
        press(Qt::LeftButton, {10, 10});
        move({20, 24});
        release(Qt::LeftButton, {20, 24});
        QCOMPARE(Form1->roiViewRect(), (Rect{32, 32, 95, 95}));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeX")->text(), QString("64"));

        control<QCheckBox>(Form1, "CheckBoxRoiLock")->setChecked(false);
        press(Qt::LeftButton, {10, 10});
        move({20, 24});
        QCOMPARE(Form1->roiViewRect(), (Rect{20, 24, 95, 95}));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeX")->text(), QString("76"));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeY")->text(), QString("72"));
        QCOMPARE(control<QLineEdit>(Form1, "EditROIPosX")->text(), QString("64"));
        release(Qt::LeftButton, {20, 24});
        press(Qt::LeftButton, {100, 100});
        move({120, 110});
        release(Qt::LeftButton, {120, 110});
        QCOMPARE(Form1->roiViewRect(), (Rect{20, 24, 120, 110}));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeX")->text(), QString("101"));
        QCOMPARE(control<QLineEdit>(Form1, "EditROISizeY")->text(), QString("87"));
        // The next redraw centres the new size on the unchanged position.
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QCOMPARE(Form1->roiRect(), (Rect{14, 21, 114, 107}));
    }

    void rightDragSetsWindowAndLevel()
    {
        show(std::vector<int16_t>(64 * 64, 0), 64, 64);
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolOff); // whatever the tool
        control<RadioGroup>(Form1, "RadioGroupRange")->setItemIndex(2);      // "10"
        control<QLineEdit>(Form1, "EditWindowWidth")->setText("100");
        control<QLineEdit>(Form1, "EditWindowLevel")->setText("100");
        press(Qt::RightButton, {100, 100});
        move({110, 100});
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowWidth")->text(), QString("200"));
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowLevel")->text(), QString("100"));
        // Grey of 0 at level 100, width 200: round(-100 * 1.28) + 128 = 0.
        QCOMPARE(int(Form1->dispBitmap().row(0)[0]), 0);
        // Too far left: the width stays, the level still follows (up raises it).
        move({50, 90});
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowWidth")->text(), QString("200"));
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowLevel")->text(), QString("200"));
        release(Qt::RightButton, {50, 90});
        QCOMPARE(Form1->dragButton(), QString());
        move({60, 60});
        QCOMPARE(control<QLineEdit>(Form1, "EditWindowLevel")->text(), QString("200"));
    }

    void moveToolPansAndHomeResets()
    {
        show(image(512, 512, [](int, int c) { return c % 256; }), 512, 512);
        control<QLineEdit>(Form1, "EditMF")->setText("2.0");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolMove);
        QCOMPARE(Form1->viewWindow().Left, 128);
        press(Qt::LeftButton, {100, 100});
        move({110, 96});
        // s = 0.5: 5 image pixels right and 2 up.
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSftX")->text(), QString("5"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSftY")->text(), QString("2"));
        QCOMPARE(Form1->viewWindow().Left, 118);
        QCOMPARE(Form1->viewWindow().Top, 132);
        QCOMPARE(int(Form1->dispBitmap().row(0)[0]), 118);
        release(Qt::LeftButton, {110, 96});
        QCOMPARE(Form1->dragButton(), QString());

        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolHome);
        QCOMPARE(control<QLineEdit>(Form1, "EditMF")->text(), QString("1.0"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSftX")->text(), QString("0"));
        QCOMPARE(control<QLineEdit>(Form1, "EditImgSftY")->text(), QString("0"));
        QCOMPARE(Form1->dispBitmap().width, 512);
    }

    void aDragMoveRepaintsOnce()
    {
        show(std::vector<int16_t>(512 * 512, 20), 512, 512);
        PaintCounter counter;
        control<ImageWidget>(Form1, "Image1")->installEventFilter(&counter);
        auto paintsOfOneMove = [&](QPoint to) {
            QTest::qWait(20);
            counter.paints = 0;
            move(to);
            QTest::qWait(50);
            return counter.paints;
        };
        press(Qt::LeftButton, {64, 64});
        QCOMPARE(paintsOfOneMove({100, 100}), 1);
        release(Qt::LeftButton, {100, 100});
        press(Qt::RightButton, {100, 100});
        QCOMPARE(paintsOfOneMove({105, 90}), 1);
        release(Qt::RightButton, {105, 90});
        control<ImageWidget>(Form1, "Image1")->removeEventFilter(&counter);
    }

    void trimWritesTheRoiBlock()
    {
        show(image(512, 512, [](int r, int c) { return r * 100 + c; }), 512, 512);
        control<QLineEdit>(Form1, "EditROIPosX")->setText("256");
        control<QLineEdit>(Form1, "EditROIPosY")->setText("256");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        control<RadioGroup>(Form1, "RadioGroupTool")
            ->setItemIndex(ToolMove); // the frame as last set counts, whatever the tool
        const auto chosen = folder_.path() / "water.raw";
        dialogs_->openAnswers.push_back(QString::fromStdString(chosen.string()));
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonTriming"), Qt::LeftButton);
        QVERIFY(dialogs_->errors.isEmpty());
        QCOMPARE(dialogs_->informations, QStringList{"トリミングした画像を保存しました。"});

        const ByteBuffer written = readFile(folder_.path() / "water 64 64 0p488.bin");
        QCOMPARE(written.size(), size_t{8192});
        QCOMPARE(written, words16(image(64, 64, [](int r, int c) { return (224 + r) * 100 + 224 + c; })));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1);
    }

    void trimRefusals()
    {
        show(std::vector<int16_t>(128 * 128, 5), 128, 128);
        const auto folderEntries = [&] {
            return std::distance(std::filesystem::directory_iterator(folder_.path()), {});
        };
        const auto before = folderEntries();

        // Cancelled: nothing.
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonTriming"), Qt::LeftButton);
        QCOMPARE(dialogs_->openCount, 1);
        QVERIFY(dialogs_->errors.isEmpty() && dialogs_->informations.isEmpty());

        // One byte per sample: refused before the dialog.
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(0);
        dialogs_->openAnswers.push_back(QString::fromStdString((folder_.path() / "b.raw").string()));
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonTriming"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList{Msg::trimNeeds16Bit});
        QCOMPARE(dialogs_->openCount, 1);
        QVERIFY(dialogs_->informations.isEmpty());
        dialogs_->openAnswers.clear();
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);

        // A folder that does not exist: the creation error, no message of success.
        dialogs_->errors.clear();
        const auto missing = folder_.path() / "missing" / "c.raw";
        dialogs_->openAnswers.push_back(QString::fromStdString(missing.string()));
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonTriming"), Qt::LeftButton);
        const std::string target = (folder_.path() / "missing" / "c 64 64 0p488.bin").string();
        QCOMPARE(dialogs_->errors.size(), 1);
        QVERIFY(dialogs_->errors[0].startsWith(QString::fromStdString("Could not write " + target + " (")));
        QVERIFY(dialogs_->informations.isEmpty());
        QCOMPARE(folderEntries(), before);
    }

    // In a folder with dots in its name, the file goes into that folder, and one already
    // there is replaced only when the question is answered yes.
    void trimReplacesAFileOnlyWhenAllowed()
    {
        show(std::vector<int16_t>(128 * 128, 7), 128, 128);
        const auto dotted = folder_.path() / "qa.2026-12";
        std::filesystem::create_directories(dotted);
        const auto target = dotted / "water 64 64 0p488.bin";
        folder_.write("qa.2026-12/water 64 64 0p488.bin", {1, 2, 3});
        const QString chosen = QString::fromStdString((dotted / "water.dcm").string());

        dialogs_->openAnswers.push_back(chosen);
        dialogs_->questionAnswers.push_back(false);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonTriming"), Qt::LeftButton);
        QCOMPARE(dialogs_->questions, QStringList{QString::fromStdString(Msg::replaceTrimmedFile(target.string()))});
        QCOMPARE(readFile(target), (ByteBuffer{1, 2, 3}));
        QVERIFY(dialogs_->informations.isEmpty() && dialogs_->errors.isEmpty());

        dialogs_->openAnswers.push_back(chosen);
        dialogs_->questionAnswers.push_back(true);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonTriming"), Qt::LeftButton);
        QCOMPARE(readFile(target), words16(std::vector<int16_t>(64 * 64, 7)));
        QCOMPARE(dialogs_->informations, QStringList{"トリミングした画像を保存しました。"});
        QCOMPARE(std::distance(std::filesystem::directory_iterator(dotted), {}), 1);
    }

    void trimOnAFullDiskKeepsTheEarlierFile()
    {
        const SmallDisk disk(256 * 1024);
        if (!disk.mounted()) QSKIP(SmallDiskSkipNote);
        show(std::vector<int16_t>(128 * 128, 9), 128, 128);
        const auto target = disk.path() / "w 64 64 0p488.bin";
        const ByteBuffer earlier(100, 1);
        std::ofstream(target, std::ios::binary).write(reinterpret_cast<const char*>(earlier.data()), 100);
        disk.fillLeaving(0);
        dialogs_->openAnswers.push_back(QString::fromStdString((disk.path() / "w.raw").string()));
        dialogs_->questionAnswers.push_back(true);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonTriming"), Qt::LeftButton);
        disk.removeFiller();
        QCOMPARE(dialogs_->errors.size(), 1);
        QCOMPARE(dialogs_->errors[0],
                 QString::fromStdString(Msg::fileNotWritten(target.string(), std::strerror(ENOSPC))));
        QVERIFY(dialogs_->informations.isEmpty());
        QCOMPARE(readFile(target), earlier);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(disk.path()), {}), 1);
    }

    void flipsRedrawAndTwiceRestore()
    {
        show(image(4, 6, [](int r, int c) { return r * 10 + c; }), 4, 6);
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolOff);
        const ByteBuffer original = Form1->fileBuffer();
        Form1->setViewState(0); // as right after a load
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonVert"), Qt::LeftButton);
        QCOMPARE(int(Form1->dispBitmap().row(0)[1]), 51);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonVert"), Qt::LeftButton);
        QCOMPARE(Form1->fileBuffer(), original);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonHoriz"), Qt::LeftButton);
        QCOMPARE(int(Form1->dispBitmap().row(1)[0]), 13);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonHoriz"), Qt::LeftButton);
        QCOMPARE(Form1->fileBuffer(), original);
        QVERIFY(dialogs_->errors.isEmpty());

        // A view taller than wide does not turn.
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonCW"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList{Msg::viewNotSquare});
        QCOMPARE(Form1->fileBuffer(), original);
    }

    void turnsRedrawAndRestore()
    {
        show(image(8, 8, [](int r, int c) { return r * 10 + c; }), 8, 8);
        control<RadioGroup>(Form1, "RadioGroupTool")->setItemIndex(ToolOff);
        const ByteBuffer original = Form1->fileBuffer();
        Form1->setViewState(0);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonCW"), Qt::LeftButton);
        QCOMPARE(int(Form1->dispBitmap().row(0)[7]), 0); // the top-left corner went to the top right
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonCCW"), Qt::LeftButton);
        QCOMPARE(Form1->fileBuffer(), original);
        for (int i = 0; i < 4; ++i) QTest::mouseClick(control<QPushButton>(Form1, "ButtonCW"), Qt::LeftButton);
        QCOMPARE(Form1->fileBuffer(), original);

        // Zoomed in, only the shown square (rows and columns 2 to 5) turns.
        control<QLineEdit>(Form1, "EditMF")->setText("2.0");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonCCW"), Qt::LeftButton);
        QCOMPARE(int(Form1->dispBitmap().row(0)[0]), 25); // its top-right corner came to the top left
        const auto sample = [](int r, int c) { return int(Form1->fileBuffer()[2 * (r * 8 + c)]); };
        QCOMPARE(sample(2, 2), 25);
        QCOMPARE(sample(1, 1), 11);
        QCOMPARE(sample(7, 7), 77);
        QVERIFY(dialogs_->errors.isEmpty());

        // A shift that moves the view past the image edge: refused.
        control<QLineEdit>(Form1, "EditImgSftX")->setText("3");
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonDisp"), Qt::LeftButton);
        const ByteBuffer shifted = Form1->fileBuffer();
        QTest::mouseClick(control<QPushButton>(Form1, "ButtonCW"), Qt::LeftButton);
        QCOMPARE(dialogs_->errors, QStringList{Msg::viewOutsideImage});
        QCOMPARE(Form1->fileBuffer(), shifted);
    }
};

QTEST_MAIN(RoiToolTest)
#include "RoiTool_test.moc"
