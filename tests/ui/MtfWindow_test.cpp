// The MTF window driven through its handlers and events, offscreen.
#include "Forms.h"
#include "Guarded.h"
#include "InputGridWidget.h"
#include "ScriptedDialogs.h"
#include "Unit1.h"
#include "Unit2.h"
#include "UpDownWidget.h"
#include "WindowControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <vector>

namespace {

void fillGrid(const std::vector<QString>& means)
{
    InputGrid* g = control<InputGrid>(Form2, "StringGridInput");
    g->setColCount(5);
    g->setRowCount(static_cast<int>(means.size()) + 1);
    for (int r = 1; r <= static_cast<int>(means.size()); ++r) {
        g->setCell(1, r, QString("s%1.dcm").arg(r));
        g->setCell(2, r, "1");
        g->setCell(3, r, QString::number(r));
        g->setCell(4, r, means[static_cast<size_t>(r - 1)]);
    }
}

void loadElevenSampleProfile()
{
    fillGrid({"5", "5", "6", "10", "40", "100", "50", "12", "6", "5", "5"});
    control<QLineEdit>(Form2, "EditsIntrv")->setText("1");
    control<QLineEdit>(Form2, "EditLSFgdx")->setText("1");
    control<QLineEdit>(Form2, "EditSThick")->setText("1");
    control<QLineEdit>(Form2, "EditLSFgnd")->setText("11"); // as the series measurement leaves it
}

QStringList memoLines(const QPlainTextEdit* memo) { return memo->toPlainText().split('\n'); }

void activate()
{
    QEvent e(QEvent::WindowActivate);
    QCoreApplication::sendEvent(Form2, &e);
}

void deactivate()
{
    QEvent e(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(Form2, &e);
}

// A modal error box takes the activation away while it is shown.
class ModalLikeDialogs : public ScriptedDialogs {
public:
    void errorReport(QWidget* parent, const QString& message) override
    {
        ScriptedDialogs::errorReport(parent, message);
        deactivate();
    }
};

// A real modal message box, closed shortly after it opens, as a user would.
class ClosingMessageBoxes : public ScriptedDialogs {
public:
    void errorReport(QWidget* parent, const QString& message) override
    {
        ScriptedDialogs::errorReport(parent, message);
        QMessageBox box(QMessageBox::Critical, QString(), message, QMessageBox::Ok, parent);
        QTimer::singleShot(100, &box, &QDialog::accept);
        box.exec();
    }
};

// The snapshot of what one processing run writes.
QStringList results()
{
    QStringList r;
    for (QLineEdit* e : {control<QLineEdit>(Form2, "EditLSFgnd"), control<QLineEdit>(Form2, "EditFWHM"),
                         control<QLineEdit>(Form2, "EditMaxPoint"), control<QLineEdit>(Form2, "EditMTFgnd"),
                         control<QLineEdit>(Form2, "EditMTFgdx"), control<QLineEdit>(Form2, "EditFrq"),
                         control<QLineEdit>(Form2, "EditMTF")})
        r << e->text();
    return r << control<QPlainTextEdit>(Form2, "MemoVSSPz")->toPlainText()
             << control<QPlainTextEdit>(Form2, "MemoMTF")->toPlainText();
}

QPoint cellCentre(int column, int row)
{
    const QTableView* v = control<InputGrid>(Form2, "StringGridInput");
    return {v->columnViewportPosition(column) + v->columnWidth(column) / 2,
            v->rowViewportPosition(row) + v->rowHeight(row) / 2};
}

} // namespace

class MtfWindowTest : public QObject {
    Q_OBJECT
    ScriptedDialogs* d = nullptr;

private slots:
    void initTestCase() { CreateForms(); }
    void init() { d = &installScriptedDialogs(); }

    void activationOfTheEmptyGridShowsOneConversionMessage()
    {
        const QStringList before = results();
        activate();
        QCOMPARE(d->errors, QStringList{"'' は浮動小数点数ではありません"});
        QCOMPARE(results(), before);
        QCOMPARE(Form2->Series1->count(), 0);
        QCOMPARE(control<QTabWidget>(Form2, "PageControl1")->currentWidget(), control<QWidget>(Form2, "TabSheet1"));
    }

    void closingTheErrorReportDoesNotActivateAgain()
    {
        auto dialogs = std::make_unique<ModalLikeDialogs>();
        ModalLikeDialogs& modal = *dialogs;
        setDialogs(std::move(dialogs));
        activate();
        activate(); // the box closes and gives the activation back
        QCOMPARE(modal.errors.size(), 1);
        deactivate();
        activate(); // the user comes back: a new activation, a new message
        activate();
        QCOMPARE(modal.errors.size(), 2);
    }

    void aRealMessageBoxIsShownOncePerActivation()
    {
        auto dialogs = std::make_unique<ClosingMessageBoxes>();
        ClosingMessageBoxes& boxes = *dialogs;
        setDialogs(std::move(dialogs));
        Form1->show();
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        Form2->show();
        Form2->activateWindow();
        QTest::qWait(800); // long enough for several boxes, were closing one to activate again
        QCOMPARE(boxes.errors.size(), 1);
        // This platform gives the activation to no window when the box closes; on desktops
        // it comes back to this window, which the modal-like double above stands for.
        Form1->activateWindow(); // the user goes to the Viewer and comes back
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        Form2->activateWindow();
        QTRY_COMPARE(boxes.errors.size(), 2);
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        Form2->hide();
        Form1->hide();
    }

    void elevenSampleProfileEndToEnd()
    {
        loadElevenSampleProfile();
        activate();
        QCOMPARE(d->errors, QStringList{});
        QCOMPARE(control<QLineEdit>(Form2, "EditLSFgnd")->text(), QString("11"));
        QCOMPARE(control<QLineEdit>(Form2, "EditFWHM")->text(), QString("1.74166666666667"));
        QCOMPARE(control<QLineEdit>(Form2, "EditMaxPoint")->text(), QString("5.07916666666667"));
        QCOMPARE(control<QLineEdit>(Form2, "EditMTFgnd")->text(), QString("27"));
        QCOMPARE(control<QLineEdit>(Form2, "EditMTFgdx")->text(), QString("0.0181818181818182"));
        QCOMPARE(control<QLineEdit>(Form2, "EditFrq")->text().left(10), QString("0.57416267"));
        QVERIFY(!control<QLineEdit>(Form2, "EditMTF")->text().isEmpty());
        QCOMPARE(control<QTabWidget>(Form2, "PageControl1")->currentWidget(), control<QWidget>(Form2, "TabSheetLSF"));

        const QStringList v = memoLines(control<QPlainTextEdit>(Form2, "MemoVSSPz"));
        const QStringList p = memoLines(control<QPlainTextEdit>(Form2, "MemoPSSPz"));
        QCOMPARE(v.size(), 13); // header, 11 lines, and the empty rest after the last CR LF
        QCOMPARE(v[0], QString("mm\taSSPz 1 1"));
        QCOMPARE(v[1], QString("-5.07916666666667\t0"));
        QCOMPARE(v[6].section('\t', 1), QString("95"));
        QCOMPARE(p[6].section('\t', 1), QString("100"));
        const QStringList m = memoLines(control<QPlainTextEdit>(Form2, "MemoMTF"));
        QCOMPARE(m.size(), 29);
        QCOMPARE(m[0], QString("c/mm\tMTF 1 1"));
        QCOMPARE(m[1], QString("0\t1"));
        QCOMPARE(m[2], QString("0.0181818181818182\t0.995011200601797"));

        QCOMPARE(Form2->Series1->count(), 11);
        QCOMPARE(Form2->Series3->points(), Form2->Series1->points());
        QCOMPARE(Form2->Series2->count(), 27);
        QCOMPARE(Form2->Series4->count(), 27);
        QCOMPARE(Form2->Chart2.bottom->max(), 26 * 0.0181818181818182);
    }

    void recomputeButtonsGiveTheSameResults()
    {
        loadElevenSampleProfile();
        Form2->ButtonPNTYClick();
        const QStringList first = results();
        QTest::mouseClick(control<QPushButton>(Form2, "ButtonCalMTF"), Qt::LeftButton);
        QCOMPARE(results(), first);
        QTest::mouseClick(control<UpDown>(Form2, "UpDown1")->upButton(), Qt::LeftButton);
        QCOMPARE(results(), first);
        QCOMPARE(control<UpDown>(Form2, "UpDown1")->position(), 25);
        QCOMPARE(d->errors, QStringList{});
    }

    void drawDReplacesPointsAndFollowsTheCountEdits()
    {
        loadElevenSampleProfile();
        Form2->ButtonPNTYClick();
        const QList<QPointF> sspz = Form2->Series1->points();
        Form2->ButtonDrawDClick();
        Form2->ButtonDrawDClick();
        QCOMPARE(Form2->Series1->points(), sspz);

        control<QTabWidget>(Form2, "PageControl1")->setCurrentWidget(control<QWidget>(Form2, "TabSheetMTF"));
        control<QLineEdit>(Form2, "EditMTFgnd")->setText("10");
        Form2->ButtonDrawDClick();
        const double step = 0.0181818181818182;
        QCOMPARE(Form2->Series2->count(), 10);
        QCOMPARE(Form2->Series4->count(), 10);
        QCOMPARE(Form2->Chart2.bottom->max(), 9 * step);
        QCOMPARE(Form2->Chart2.bottom->tickInterval(), 9 * step / 5);
        Form2->ButtonMTFToMemoClick();
        QCOMPARE(memoLines(control<QPlainTextEdit>(Form2, "MemoMTF")).size(), 12);

        control<QLineEdit>(Form2, "EditMTFgnd")->setText("99999"); // clipped to the arrays
        Form2->ButtonDrawDClick();
        QCOMPARE(Form2->Series2->count(), MtfArraySize);

        control<QTabWidget>(Form2, "PageControl1")->setCurrentWidget(control<QWidget>(Form2, "TabSheet1"));
        control<QLineEdit>(Form2, "EditLSFgnd")->setText("3");
        Form2->ButtonDrawDClick();
        QCOMPARE(Form2->Series1->points(), sspz);

        control<QTabWidget>(Form2, "PageControl1")->setCurrentWidget(control<QWidget>(Form2, "TabSheetLSF"));
        control<QLineEdit>(Form2, "EditMaxPoint")->setText("x");
        QTest::mouseClick(control<QPushButton>(Form2, "ButtonDrawD"), Qt::LeftButton);
        QCOMPARE(d->errors, QStringList{} << "'x' は浮動小数点数ではありません");
        QCOMPARE(Form2->Series1->points(), sspz);
    }

    void memoFailuresLeaveTheMemosAsTheOrderOfReadingGives()
    {
        loadElevenSampleProfile();
        Form2->ButtonPNTYClick();
        const QString sspz = control<QPlainTextEdit>(Form2, "MemoVSSPz")->toPlainText();
        control<QLineEdit>(Form2, "EditLSFgdx")->setText("?");
        guarded(Form2, &TForm2::ButtonSSPzToMemoClick)();
        QCOMPARE(control<QPlainTextEdit>(Form2, "MemoVSSPz")->toPlainText(), sspz); // a bad spacing: unchanged
        control<QLineEdit>(Form2, "EditLSFgdx")->setText("1");
        control<QLineEdit>(Form2, "EditMaxPoint")->setText("");
        guarded(Form2, &TForm2::ButtonSSPzToMemoClick)();
        QCOMPARE(control<QPlainTextEdit>(Form2, "MemoVSSPz")->toPlainText(), QString()); // a bad centre: emptied
        QCOMPARE(control<QPlainTextEdit>(Form2, "MemoPSSPz")->toPlainText(), QString());
        control<QLineEdit>(Form2, "EditMTFgdx")->setText("step");
        guarded(Form2, &TForm2::ButtonMTFToMemoClick)();
        QCOMPARE(control<QPlainTextEdit>(Form2, "MemoMTF")->toPlainText(), QString());
        QCOMPARE(d->errors, (QStringList{"'?' は浮動小数点数ではありません", "'' は浮動小数点数ではありません",
                                         "'step' は浮動小数点数ではありません"}));
    }

    void negativeSpacingMirrorsTheChartInAscendingX()
    {
        loadElevenSampleProfile();
        control<QLineEdit>(Form2, "EditLSFgdx")->setText("-1");
        Form2->ButtonPNTYClick();
        QCOMPARE(memoLines(control<QPlainTextEdit>(Form2, "MemoVSSPz"))[1], QString("5.07916666666667\t0"));
        const QList<QPointF> pts = Form2->Series1->points();
        QCOMPARE(pts.size(), 11);
        for (int k = 1; k < pts.size(); ++k) QVERIFY(pts[k - 1].x() <= pts[k].x());
        QCOMPARE(pts.front().y(), 0.0);
        QCOMPARE(control<QLineEdit>(Form2, "EditMTFgdx")->text(), QString("0.0181818181818182"));
    }

    void failuresKeepEarlierResults_data()
    {
        QTest::addColumn<std::vector<QString>>("means");
        QTest::addColumn<QString>("spacing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("changed"); // how many leading results the failing run may rewrite
        QTest::newRow("flat profile") << std::vector<QString>{"7", "7", "7", "7"} << "1"
                                      << "0 による浮動小数点数除算" << 0;
        QTest::newRow("peak at the edge") << std::vector<QString>{"100", "50", "20"} << "1"
                                          << "0 による浮動小数点数除算" << 0;
        QTest::newRow("text in the table") << std::vector<QString>{"1", "abc", "2"} << "1"
                                           << "'abc' は浮動小数点数ではありません" << 0;
        QTest::newRow("zero spacing") << std::vector<QString>{"0", "0", "10", "100", "10", "0", "0"} << "0"
                                      << "0 による浮動小数点数除算" << 3;
        QTest::newRow("infinite text in the table") << std::vector<QString>{"1", "-inf", "2"} << "1"
                                                    << "'-inf' は浮動小数点数ではありません" << 0;
        QTest::newRow("spacing beyond doubles")
            << std::vector<QString>{"0", "0", "10", "100", "10", "0", "0"} << "1e400"
            << "'1e400' は浮動小数点数ではありません" << 3;
        // The positions still fit in doubles, the frequency step no more.
        QTest::newRow("spacing too small for a step")
            << std::vector<QString>{"0", "0", "10", "100", "10", "0", "0"} << "1e-320"
            << "不正な浮動小数点数演算命令" << 3;
    }
    void failuresKeepEarlierResults()
    {
        QFETCH(std::vector<QString>, means);
        QFETCH(QString, spacing);
        QFETCH(QString, message);
        QFETCH(int, changed);
        loadElevenSampleProfile();
        Form2->ButtonPNTYClick();
        const QStringList before = results();
        fillGrid(means);
        control<QLineEdit>(Form2, "EditLSFgdx")->setText(spacing);
        guarded(Form2, &TForm2::ButtonPNTYClick)();
        QCOMPARE(d->errors, QStringList{message});
        const QStringList after = results();
        for (int i = changed; i < 7; ++i) QCOMPARE(after[i], before[i]); // the edits
        if (changed == 0) QCOMPARE(after.mid(7), before.mid(7));         // the memos
        QCOMPARE(after[8], before[8]);                                   // the MTF memo
    }

    // Texts at the ends of the number range typed into the edits a button reads: a
    // result, or a message, within moments; never INF or NAN, never millions of labels.
    void extremeEditsEndClearly_data()
    {
        QTest::addColumn<QString>("editName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");  // "PNTY", or "DrawD" with the MTF page in front
        QTest::addColumn<QString>("message"); // empty: the results are computed
        QTest::newRow("SSPz spacing 1e-9") << "EditLSFgdx"
                                           << "1e-9"
                                           << "PNTY"
                                           << "";
        QTest::newRow("SSPz spacing 1e-4") << "EditLSFgdx"
                                           << "1e-4"
                                           << "PNTY"
                                           << "";
        QTest::newRow("SSPz spacing 1e300") << "EditLSFgdx"
                                            << "1e300"
                                            << "PNTY"
                                            << "";
        QTest::newRow("SSPz spacing 1e308") << "EditLSFgdx"
                                            << "1e308"
                                            << "PNTY"
                                            << "不正な浮動小数点数演算命令";
        QTest::newRow("slice interval 1.5e308") << "EditsIntrv"
                                                << "1.5e308"
                                                << "PNTY"
                                                << "不正な浮動小数点数演算命令";
        QTest::newRow("slice interval 1e-320") << "EditsIntrv"
                                               << "1e-320"
                                               << "PNTY"
                                               << "不正な浮動小数点数演算命令";
        QTest::newRow("slice interval 1e400") << "EditsIntrv"
                                              << "1e400"
                                              << "PNTY"
                                              << "'1e400' は浮動小数点数ではありません";
        QTest::newRow("MTF step 1e11") << "EditMTFgdx"
                                       << "1e11"
                                       << "DrawD"
                                       << "";
        QTest::newRow("MTF step 1e-300") << "EditMTFgdx"
                                         << "1e-300"
                                         << "DrawD"
                                         << "";
        QTest::newRow("MTF step 1e308") << "EditMTFgdx"
                                        << "1e308"
                                        << "DrawD"
                                        << "不正な浮動小数点数演算命令";
        QTest::newRow("MTF step 1e400") << "EditMTFgdx"
                                        << "1e400"
                                        << "DrawD"
                                        << "'1e400' は浮動小数点数ではありません";
        QTest::newRow("MTF count -2147483648") << "EditMTFgnd"
                                               << "-2147483648"
                                               << "DrawD"
                                               << "";
        QTest::newRow("centre 1e400") << "EditMaxPoint"
                                      << "1e400"
                                      << "SSPzToMemo"
                                      << "'1e400' は浮動小数点数ではありません";
        QTest::newRow("centre -1e308") << "EditMaxPoint"
                                       << "-1e308"
                                       << "SSPzToMemo"
                                       << "";
        QTest::newRow("SSPz count 2147483647") << "EditLSFgnd"
                                               << "2147483647"
                                               << "FWHM"
                                               << "";
    }
    void extremeEditsEndClearly()
    {
        QFETCH(QString, editName);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, message);
        loadElevenSampleProfile();
        Form2->ButtonPNTYClick();
        Form2->findChild<QLineEdit*>(editName)->setText(text);
        if (button == "DrawD")
            control<QTabWidget>(Form2, "PageControl1")->setCurrentWidget(control<QWidget>(Form2, "TabSheetMTF"));
        Form2->findChild<QPushButton*>("Button" + button)->click();
        QCOMPARE(d->errors, message.isEmpty() ? QStringList{} : QStringList{message});
        for (const QString& shown : results())
            QVERIFY2(!shown.contains("INF") && !shown.contains("NAN"), qPrintable(shown));
        for (const LineChart* chart : {&Form2->Chart1, &Form2->Chart2})
            for (const QValueAxis* axis : {chart->bottom, chart->left})
                if (axis->tickType() == QValueAxis::TicksDynamic)
                    QVERIFY((axis->max() - axis->min()) / axis->tickInterval() <= 200);
    }

    void refusesMoreRowsThanTheArraysHold()
    {
        loadElevenSampleProfile();
        Form2->ButtonPNTYClick();
        const QStringList before = results();
        control<InputGrid>(Form2, "StringGridInput")->setRowCount(MtfArraySize + 2);
        guarded(Form2, &TForm2::ButtonPNTYClick)();
        QCOMPARE(d->errors.size(), 1);
        QVERIFY(d->errors[0].contains("2049"));
        QCOMPARE(results(), before);
    }

    void toCBCopiesTheTableAndShowsItsStatistics()
    {
        fillGrid({"10", "20", "30"});
        Form2->ButtonAllClick();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("s1.dcm\t1\t1\t10\r\ns2.dcm\t1\t2\t20\r\ns3.dcm\t1\t3\t30\r\n"));
        QCOMPARE(control<QLineEdit>(Form2, "EditAve")->text(), QString("20"));
        QCOMPARE(control<QLineEdit>(Form2, "EditSD")->text(), QString("8.16496580927726"));
        QCOMPARE(control<QLineEdit>(Form2, "EditMax")->text(), QString("30"));
        QCOMPARE(control<QLineEdit>(Form2, "EditMin")->text(), QString("10"));
        QCOMPARE(control<InputGrid>(Form2, "StringGridInput")->selectionBottomRight(), QPoint(4, 3));
    }

    void draggingOverTheGridShowsTheSelectionCorner()
    {
        fillGrid(std::vector<QString>(8, "1"));
        QWidget* viewport = control<InputGrid>(Form2, "StringGridInput")->viewport();
        control<QTabWidget>(Form2, "PageControl1")->setCurrentWidget(control<QWidget>(Form2, "PixelValue"));
        QLabel* panel = Form2->StatusBar1Panels[0];
        panel->clear();
        QTest::mouseMove(viewport, cellCentre(2, 2));
        QCOMPARE(panel->text(), QString());
        QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(1, 1));
        QMouseEvent move(QEvent::MouseMove, cellCentre(3, 5), viewport->mapToGlobal(cellCentre(3, 5)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QCOMPARE(panel->text(), QString("3  5"));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(3, 5));
        QCOMPARE(panel->text(), QString("3  5"));
        QCOMPARE(Form2->dragFlag(), 0);
    }

    void activatingTheShownWindowProcessesTheTable()
    {
        loadElevenSampleProfile();
        control<QLineEdit>(Form2, "EditFWHM")->setText("FWHM");
        Form1->show();
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        Form1->ButtonToForm2Click();
        QVERIFY(QTest::qWaitForWindowActive(Form2));
        QTRY_COMPARE(control<QLineEdit>(Form2, "EditFWHM")->text(), QString("1.74166666666667"));
        QCOMPARE(d->errors, QStringList{});
        Form2->hide();
        Form1->hide();
    }
};

QTEST_MAIN(MtfWindowTest)
#include "MtfWindow_test.moc"
