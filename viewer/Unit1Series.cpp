// Slice-series measurement of the Viewer: "Open" shows the middle slice of a
// series with its window locked; "Cal." measures the ROI mean on every slice and
// hands the table to the MTF window.
#include "Unit1.h"

#include "AppError.h"
#include "EditText.h"
#include "FileList.h"
#include "MtfSeriesInput.h"
#include "NumberFormat.h"
#include "Provenance.h"
#include "SeriesMeasurement.h"
#include "SeriesOrder.h"

#include <algorithm>
#include <vector>

namespace {

QString listEntry(const QListWidget* list, int index)
{
    if (index < 0 || index >= list->count()) throw AppError(Msg::listIndex(index));
    return list->item(index)->text();
}

} // namespace

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
    ViewerSeriesSlices(TForm1& form, MtfSeriesInput& table) : form_(form), table_(table) {}

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
    void setCell(int column, int row, const std::string& text) override { table_.setSeriesCell(column, row, text); }

private:
    TForm1& form_;
    MtfSeriesInput& table_;
};

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
    mtfInput().setSliceThickness(textOf(EditSThick));
    CheckBoxWWLock->setChecked(true);
}

void TForm1::ButtonCalSWClick()
{
    // With another tool "Stat" measures nothing, and with the ROI unlocked every load
    // moves it: either would fill the table with wrong means.
    if (RadioGroupTool->itemIndex() != 0) throw AppError(Msg::calNeedsRoiTool);
    if (!CheckBoxRoiLock->isChecked()) throw AppError(Msg::calNeedsRoiLock);

    const int shown = intOf(EditFListNo);
    const std::vector<std::string> files = listEntries(ListBox1);
    // The list leaves out what is no image of the series; a file that cannot be read
    // might be one, wherever it lies in the folder.
    if (RadioGroupMode->itemIndex() == 2 && !files.empty()) refuseUnreadableFiles(folderFiles(folderOf(files.front())));
    if (const std::string problem = seriesSpacingProblem(files); !problem.empty()) throw AppError(problem);
    MtfSeriesInput& mtf = mtfInput();
    const int n = ListBox1->count();
    mtf.startSeries(n);

    ViewerSeriesSlices slices(*this, mtf);
    measureSeries(files, slices);
    mtf.setSeriesSource(seriesSource(
        files, roiText(textOf(EditROIPosX), textOf(EditROIPosY), textOf(EditROISizeX), textOf(EditROISizeY)),
        RadioGroupMode->itemText().toStdString()));

    EditFileName->setText(listEntry(ListBox1, shown));
    ViewState = 2;
    BitBtnLoadClick();
    ButtonStatClick(); // "Average" and "SD" are the shown slice's again

    mtf.endSeries(n);
    if (n < 2) throw AppError(Msg::seriesNeedsTwoSlices);
    mtf.setSeriesSpacings(n);
    ButtonToForm2Click();
}
