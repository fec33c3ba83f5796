// Slice-series measurement of the Viewer: "Open" shows the middle slice of a
// series with its window locked; "Cal." measures the ROI mean on every slice and
// hands the table to the MTF window.
#include "Unit1.h"

#include "AppError.h"
#include "EditText.h"
#include "InputGridWidget.h"
#include "NumberFormat.h"
#include "SeriesMeasurement.h"
#include "SeriesOrder.h"
#include "Unit2.h"

#include <algorithm>
#include <vector>

namespace {

QString listEntry(const QListWidget* list, int index)
{
    if (index < 0 || index >= list->count()) throw AppError(Msg::listIndex(index));
    return list->item(index)->text();
}

std::vector<std::string> listEntries(const QListWidget* list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->item(i)->text().toStdString());
    return entries;
}

} // namespace

void TForm1::ButtonDispCClick()
{
    ViewState = 1;
    BitBtnLoadClick();
    const int middle = MiddleIndex(LeadingEntries(listEntries(ListBox1)));
    setInt(EditFListNo, middle);
    EditFileName->setText(listEntry(ListBox1, middle));
    CheckBoxWWLock->setChecked(false);
    ViewState = 2;
    BitBtnLoadClick();
    Form2->EditSThick->setText(EditSThick->text());
    CheckBoxWWLock->setChecked(true);
}

void TForm1::ButtonCalSWClick()
{
    // With another tool "Stat" measures nothing, and with the ROI unlocked every load
    // moves it: either would fill the table with wrong means.
    if (RadioGroupTool->itemIndex() != 0)
        throw AppError("Cal. は ROI の平均値を測ります。ツールを \"ROI\" にしてから押してください");
    if (!CheckBoxRoiLock->isChecked())
        throw AppError("Cal. の間 ROI を動かさないよう、ROI の \"Lock\" をチェックしてから押してください");

    const int shown = intOf(EditFListNo);
    const std::vector<std::string> entries = listEntries(ListBox1);
    if (const std::string problem = seriesSpacingProblem(entries); !problem.empty()) throw AppError(problem);
    StringGrid* grid = Form2->StringGridInput;
    const int n = ListBox1->count();
    grid->setColCount(5);
    grid->setRowCount(std::max(129, n + 1));
    for (int r = 1; r <= 128; ++r) grid->setCell(0, r, qstr(formatGeneral(2 * (r - 1))));

    for (int i = 0; i < n; ++i) {
        const int r = i + 1;
        const QString entry = listEntry(ListBox1, i);
        grid->setCell(0, r, QString::number(r));
        grid->setCell(1, r, qstr(NamePart(entry.toStdString())));
        EditFileName->setText(entry);
        ViewState = 3;
        BitBtnLoadClick();
        grid->setCell(2, r, EditSThick->text());
        grid->setCell(3, r, EditPtPos->text());
        ButtonStatClick();
        grid->setCell(4, r, EditHSBP->text());
    }

    EditFileName->setText(listEntry(ListBox1, shown));
    ViewState = 2;
    BitBtnLoadClick();
    ButtonStatClick(); // "Average" and "SD" are the shown slice's again

    grid->setRowCount(n + 1);
    const int widths[] = {32, 200, 64, 130, 130};
    const char* headers[] = {"#", "FileName", "S.Thick", "Position", "Mean of ROI"};
    for (int c = 0; c < 5; ++c) {
        grid->setColWidth(c, widths[c]);
        grid->setCell(c, 0, headers[c]);
    }
    Form2->ClearChartSeries();

    if (n < 2) throw AppError("スライス間隔を求めるには 2 枚以上のスライスが必要です");
    Form2->EditsIntrv->setText(
        qstr(SliceIntervalText(grid->cell(3, 1).toStdString(), grid->cell(3, 2).toStdString())));
    setInt(Form2->EditLSFgnd, n);
    Form2->EditLSFgdx->setText(Form2->EditsIntrv->text());
    setInt(Form2->EditMTFgnd, n);
    Form2->EditMTFgdx->setText(qstr(FrequencyStepText(textOf(Form2->EditLSFgdx), n)));
    ButtonToForm2Click();
}
