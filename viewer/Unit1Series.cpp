// Slice-series measurement of the Viewer: "Open" shows the middle slice of a
// series with its window locked; "Cal." measures the ROI mean on every slice and
// hands the table to the MTF window.
#include "Unit1.h"

#include "AppError.h"
#include "EditText.h"
#include "InputGridWidget.h"
#include "NumberFormat.h"
#include "Provenance.h"
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

// Each slice is loaded through "⇒" and measured by "Stat", so the user sees the series
// run through and every load works as it does by hand.
class ViewerSeriesSlices final : public SeriesSlices {
public:
    ViewerSeriesSlices(TForm1& form, StringGrid& grid) : form_(form), grid_(grid) {}

    void load(const std::string& path) override
    {
        form_.EditFileName->setText(qstr(path));
        form_.ViewState = 3;
        form_.BitBtnLoadClick();
    }
    std::string thickness() const override { return textOf(form_.EditSThick); }
    std::string position() const override { return textOf(form_.EditPtPos); }
    std::string measureMean() override
    {
        form_.ButtonStatClick();
        return textOf(form_.EditHSBP);
    }
    void setCell(int column, int row, const std::string& text) override { grid_.setCell(column, row, qstr(text)); }

private:
    TForm1& form_;
    StringGrid& grid_;
};

} // namespace

void TForm1::ButtonDispCClick()
{
    ViewState = 1;
    BitBtnLoadClick();
    const int middle = middleIndex(leadingEntries(listEntries(ListBox1)));
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
    const std::vector<std::string> files = listEntries(ListBox1);
    if (const std::string problem = seriesSpacingProblem(files); !problem.empty()) throw AppError(problem);
    StringGrid* grid = Form2->StringGridInput;
    const int n = ListBox1->count();
    grid->setColCount(SeriesTableColumns);
    grid->setRowCount(std::max(129, n + 1));
    for (int r = 1; r <= 128; ++r) grid->setCell(0, r, qstr(formatGeneral(2 * (r - 1))));

    Form2->Source = {};
    ViewerSeriesSlices slices(*this, *grid);
    measureSeries(files, slices);
    Form2->Source = seriesSource(files,
                                 roiText(textOf(EditROIPosX), textOf(EditROIPosY), textOf(EditROISizeX), textOf(EditROISizeY)),
                                 RadioGroupMode->itemText().toStdString());

    EditFileName->setText(listEntry(ListBox1, shown));
    ViewState = 2;
    BitBtnLoadClick();
    ButtonStatClick(); // "Average" and "SD" are the shown slice's again

    grid->setRowCount(n + 1);
    for (int c = 0; c < SeriesTableColumns; ++c) {
        grid->setColWidth(c, SeriesTableWidths[c]);
        grid->setCell(c, 0, SeriesTableCaptions[c]);
    }
    Form2->ClearChartSeries();

    if (n < 2) throw AppError(Msg::seriesNeedsTwoSlices);
    Form2->EditsIntrv->setText(
        qstr(sliceIntervalText(grid->cell(3, 1).toStdString(), grid->cell(3, 2).toStdString())));
    setInt(Form2->EditLSFgnd, n);
    Form2->EditLSFgdx->setText(Form2->EditsIntrv->text());
    setInt(Form2->EditMTFgnd, n);
    Form2->EditMTFgdx->setText(qstr(frequencyStepText(textOf(Form2->EditLSFgdx), n)));
    ButtonToForm2Click();
}
