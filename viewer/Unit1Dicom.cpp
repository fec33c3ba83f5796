// DICOM header, tag grid and file list handlers of the Viewer.
#include "Unit1.h"

#include "AppError.h"
#include "DicomReader.h"
#include "EditText.h"
#include "FileList.h"
#include "HeaderExport.h"
#include "SeriesOrder.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QWheelEvent>
#include <utility>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace {

QString latin1(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Puts the summary lines into the memo. The slices of a series mostly give the same
// lines, and laying text out anew is the costly part of showing a header; so when the
// memo still holds what it was last given, unedited since (its document's revision
// unchanged, so there is nothing to undo either), the text stays and only the cursor
// returns to the start, which also shows the first line.
void showSummaryText(QPlainTextEdit& memo, const QString& text)
{
    static constexpr char givenText[] = "givenText", givenRevision[] = "givenRevision";
    QTextDocument& document = *memo.document();
    const QVariant given = memo.property(givenText);
    if (given.isValid() && given.toString() == text && memo.property(givenRevision).toInt() == document.revision()) {
        const QTextCursor cursor = memo.textCursor();
        const bool atStart = cursor.position() == 0 && !cursor.hasSelection() &&
                             memo.verticalScrollBar()->value() == 0 && memo.horizontalScrollBar()->value() == 0;
        if (!atStart) memo.moveCursor(QTextCursor::Start);
        return;
    }
    memo.setPlainText(text);
    memo.setProperty(givenText, text);
    memo.setProperty(givenRevision, document.revision());
}

} // namespace

// Gathers the reader's findings; show() writes them into the Viewer's controls once the
// reading ends, by failure or not (ReadDicom calls it on both paths, never a destructor,
// since a control written while an exception unwinds could end the program). Nobody sees
// the slices "Cal." loads: of them only the edits are taken, and the grid and summary keep
// the shown slice's. The slices of a series give nearly the same header, so only the cells
// and edits whose text differs from what they show are written, and the tag grid keeps its
// rows unless their number changes: writing each finding as it came, through an emptied
// grid, cost more than reading the header.
class ViewerDicomSink final : public DicomSink {
public:
    ViewerDicomSink(TForm1& form, bool listing) : form_(form), listing_(listing) {}
    ViewerDicomSink(const ViewerDicomSink&) = delete;
    ViewerDicomSink& operator=(const ViewerDicomSink&) = delete;

    // Writes the edits gathered so far, and when listing the tag grid and the summary.
    void show() const
    {
        for (size_t e = 0; e < edits_.size(); ++e)
            if (edits_[e]) editFor(static_cast<DicomEdit>(e))->setText(latin1(*edits_[e]));
        if (!listing_) return;
        if (gridRows_) showGrid(*gridRows_);
        if (summary_) showSummaryText(*form_.Memo1, latin1(*summary_) + QString::fromStdString(form_.DecodingNote));
    }

    bool listsElements() const override { return listing_; }
    bool windowLocked() const override { return form_.CheckBoxWWLock->isChecked(); }
    void setEdit(DicomEdit edit, const std::string& text) override { edits_.at(static_cast<size_t>(edit)) = text; }
    void setSwap(bool on) override
    {
        // The load draws at its end; a redraw now would find the sizes still empty.
        const QSignalBlocker quiet(form_.CheckBoxSwp);
        form_.CheckBoxSwp->setChecked(on);
    }
    void startGrid(int rows) override
    {
        cells_.clear();
        gridRows_ = rows;
    }
    void setCell(int column, int row, std::string text) override
    {
        if (!gridRows_ || row < 1 || row >= *gridRows_ || column < 0 || column >= tagColumns)
            throw AppError(Msg::listIndex(row));
        if (cells_.size() <= static_cast<size_t>(row)) cells_.resize(static_cast<size_t>(row) + 1);
        cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = std::move(text);
    }
    void setRowCount(int rows) override
    {
        gridRows_ = rows;
        if (cells_.size() > static_cast<size_t>(rows)) cells_.resize(static_cast<size_t>(rows));
    }
    void showSummary(const std::string& text) override { summary_ = text; }

private:
    static constexpr int tagColumns = 7; // number, group, element, VR, length, name, value

    // Rows below the caption row hold the gathered cells and nothing else.
    void showGrid(int rows) const
    {
        StringGrid& grid = *form_.StringGridDICOM;
        grid.setRowCount(rows);
        {
            const QSignalBlocker quiet(grid.model());
            for (int row = 1; row < grid.rowCount(); ++row) {
                for (int column = 0; column < grid.colCount(); ++column) {
                    const bool gathered = static_cast<size_t>(row) < cells_.size() && column < tagColumns;
                    const std::string_view text =
                        gathered ? std::string_view(cells_[static_cast<size_t>(row)][static_cast<size_t>(column)]) : "";
                    const QLatin1StringView wanted(text.data(), static_cast<qsizetype>(text.size()));
                    if (grid.cell(column, row) != wanted) grid.setCell(column, row, wanted);
                }
            }
        }
        grid.viewport()->update();
    }

    QLineEdit* editFor(DicomEdit edit) const
    {
        switch (edit) {
        case DicomEdit::Header: return form_.EditHeader;
        case DicomEdit::ImgSizeX: return form_.EditImgSizeX;
        case DicomEdit::ImgSizeY: return form_.EditImgSizeY;
        case DicomEdit::FOVSize: return form_.EditFOVSize;
        case DicomEdit::Offst: return form_.EditOffst;
        case DicomEdit::PxlSpc: return form_.EditPxlSpc;
        case DicomEdit::SThick: return form_.EditSThick;
        case DicomEdit::PtPos: return form_.EditPtPos;
        case DicomEdit::WindowLevel: return form_.EditWindowLevel;
        case DicomEdit::WindowWidth: return form_.EditWindowWidth;
        }
        return form_.EditHeader; // not reached: every edit is listed
    }

    TForm1& form_;
    const bool listing_;
    std::array<std::optional<std::string>, dicomEditCount> edits_;
    std::optional<int> gridRows_; // set once the reader starts the grid
    std::vector<std::array<std::string, tagColumns>> cells_;
    std::optional<std::string> summary_; // set once the reader gives it
};

namespace {

bool showsEntries(const QListWidget& list, const std::vector<std::string>& entries)
{
    if (list.count() != static_cast<int>(entries.size())) return false;
    for (int i = 0; i < list.count(); ++i)
        if (!QAnyStringView::equal(list.item(i)->text(), QUtf8StringView(entries[static_cast<size_t>(i)])))
            return false;
    return true;
}

// Fills the list box with the entries, as clearing and refilling it does: no entry
// current or selected, scrolled to the top left. Loading the slices of a folder one by
// one lists the same folder each time; its items are then kept rather than rebuilt.
void showEntries(QListWidget& list, const std::vector<std::string>& entries)
{
    if (showsEntries(list, entries)) {
        list.setCurrentRow(-1);
        list.verticalScrollBar()->setValue(0);
        list.horizontalScrollBar()->setValue(0);
        return;
    }
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& entry : entries) texts << QString::fromStdString(entry);
    list.clear();
    list.addItems(texts);
}

constexpr int gridEnlargedTop = 22, gridEnlargedHeight = 618;
constexpr int gridTop = 536, gridHeight = 109;
constexpr int gridWheelLimit = 200; // an enlarged grid scrolls with the wheel itself

} // namespace

void TForm1::ReadDicom()
{
    ViewerDicomSink sink(*this, ViewState != 3);
    try {
        readDicom(FileBuffer, sink);
    } catch (...) {
        sink.show();
        throw;
    }
    sink.show();
}

void TForm1::ButtonHeaderToCBClick()
{
    const StringGrid& grid = *StringGridDICOM;
    std::vector<TagGridRow> rows(static_cast<size_t>(grid.rowCount()));
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < TagGridColumns; ++column)
            rows[static_cast<size_t>(row)][static_cast<size_t>(column)] = grid.cell(column, row).toStdString();
    const QString text = QString::fromStdString(headerExportText(rows));
    Memo2->setPlainText(text);
    Memo2->selectAll();
    QGuiApplication::clipboard()->setText(text);
}

void TForm1::StringGridDICOMDblClick()
{
    const QRect at = StringGridDICOM->geometry();
    if (at.height() < gridWheelLimit) {
        StringGridDICOM->setGeometry(at.left(), gridEnlargedTop, at.width(), gridEnlargedHeight);
        StringGridDICOM->raise();
    } else if (at.height() > gridWheelLimit) {
        StringGridDICOM->setGeometry(at.left(), gridTop, at.width(), gridHeight);
    }
}

void TForm1::ButtonRowCulmClick()
{
    const QString columns = EditImgSizeX->text();
    EditImgSizeX->setText(EditImgSizeY->text());
    EditImgSizeY->setText(columns);
    ButtonDispClick();
    ButtonAutoWLClick();
}

void TForm1::ButtonFileListClick()
{
    const std::string current = EditFileName->text().toStdString();
    // In "DICOM" mode the list holds the shown image's series in position order.
    OrderedSeries series =
        RadioGroupMode->itemIndex() == 2 ? orderedSeries(current) : OrderedSeries{folderFiles(folderOf(current)), {}};
    const std::vector<std::string>& files = series.slices;
    showEntries(*ListBox1, files);
    LabelSeriesStatus->setText(qstr(series.note));

    const auto found = std::find(files.begin(), files.end(), current);
    // A name not in the list runs off its end.
    if (found == files.end()) throw AppError(Msg::listIndex(static_cast<long long>(files.size())));
    setInt(EditFListNo, found - files.begin());
}

bool TForm1::ApplicationEvents1Message(QEvent* event)
{
    if (event->type() != QEvent::Wheel) return false;
    if (QApplication::activeWindow() != this || StringGridDICOM->height() >= gridWheelLimit) return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    // Only turns of the vertical wheel step; a sideways tilt or a gesture's zero-length
    // start and end messages are left to the widgets.
    const int delta = wheel->angleDelta().y();
    if (delta == 0) return false;

    const int index = intOf(EditFListNo);
    if (index < 0 || index >= ListBox1->count()) throw AppError(Msg::listIndex(index));
    EditFileName->setText(ListBox1->item(index)->text());
    ViewState = 2;
    BitBtnLoadClick();
    setInt(EditFListNo, wheelStep(intOf(EditFListNo), ListBox1->count(), delta));
    wheel->accept();
    return true;
}
