// The load ("⇒"): reads one image file whole and works out its geometry.
#include "Unit1.h"

#include "AppError.h"
#include "Dialogs.h"
#include "DicomDecoding.h"
#include "DisplayMapping.h"
#include "EditText.h"
#include "HeadlessLoad.h"
#include "ImageWidget.h"
#include "RawLoading.h"
#include "SliceHeader.h"

#include <QApplication>

#include <optional>

namespace {

// The hourglass, and "Decoding FILE..." in the series status, while the decoder works
// on a file: that can take up to the decoder's limit.
class DecoderWaitShown {
public:
    DecoderWaitShown(QLabel& status, const QString& file) : status_(status), before_(status.text())
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        status_.setText(qstr(Msg::decodingFile(file.toStdString())));
        status_.repaint();
    }
    ~DecoderWaitShown()
    {
        status_.setText(before_);
        QApplication::restoreOverrideCursor();
    }
    DecoderWaitShown(const DecoderWaitShown&) = delete;
    DecoderWaitShown& operator=(const DecoderWaitShown&) = delete;

private:
    QLabel& status_;
    const QString before_;
};

} // namespace

void TForm1::BitBtnLoadClick()
{
    if (!chooseFileToLoad()) return;
    const int modeIndex = RadioGroupMode->itemIndex();
    // Nothing shown changes before the new file is read whole: one that cannot be read
    // or decoded leaves the image, its buffer and its edits as they were.
    readFileToLoad(modeIndex);

    const FileNameGeometry named = parseFileName(CurrentFileName.toStdString());
    EditImgSizeX->setText(qstr(named.columns));
    EditImgSizeY->setText(qstr(named.rows));
    EditPxlSpc->setText(qstr(named.pixelSpacing));
    QString sizeAnswer = qstr(named.sizeAnswer);
    setInt(EditFileSize, static_cast<long long>(FileBuffer.size()));
    Image1->show();

    if (readsDicomHeader(static_cast<LoadMode>(modeIndex), named.columns, named.rows, FileBuffer)) {
        ReadDicom();
        sizeAnswer = EditImgSizeX->text() + " " + EditImgSizeY->text();
    }
    takeMatrixSize(modeIndex, sizeAnswer);
    const std::string cutShort = cutShortWarning(CurrentFileName.toStdString(), static_cast<LoadMode>(modeIndex),
                                                 sampleLayout(), ImgSizeY, FileBuffer.size());
    if (!cutShort.empty()) Memo1->appendPlainText(qstr(cutShort));

    resizeDisplayBitmap(DispBitmap, ImgSizeX, ImgSizeY);
    setInt(EditImgSizeX, ImgSizeX);
    setInt(EditImgSizeY, ImgSizeY);
    placeRoiOnLoad();
    EditFileName->setText(CurrentFileName);
    if (!EditWindowLevel->text().isEmpty() && !CheckBoxWWLock->isChecked()) {
        EditWindowLevel->setText("512");
        EditWindowWidth->setText("1024");
    }

    DrawImage();
    ButtonAutoWLClick();
    // "Cal." lists and checks the series once before it measures; listing it again
    // for every slice would make a series cost the square of its length.
    if (ViewState != 3) ButtonFileListClick();
    ViewState = 0;
}

// The file to load into CurrentFileName, asked for or from EditFileName as ViewState
// says; false (and back to idle, the size edits emptied) when there is none.
bool TForm1::chooseFileToLoad()
{
    CurrentFileName.clear();
    if (ViewState == 1) {
        if (const auto chosen = dialogs().openFile(this)) CurrentFileName = *chosen;
    } else if (ViewState > 1) {
        CurrentFileName = EditFileName->text();
    }
    if (CurrentFileName.isEmpty()) {
        EditImgSizeX->clear();
        EditImgSizeY->clear();
        ViewState = 0;
        return false;
    }
    return true;
}

// Reads the whole file into FileBuffer, decoded in "DICOM" mode; FileBuffer and the
// decoding note change only once the file is read and, where needed, decoded.
void TForm1::readFileToLoad(int modeIndex)
{
    ByteBuffer file = readWholeFile(CurrentFileName.toStdString());
    std::string note;
    if (modeIndex == static_cast<int>(LoadMode::Dicom)) {
        std::optional<DecoderWaitShown> waiting;
        if (!readsWithoutDecoding(transferSyntaxOf(file.data(), file.size())))
            waiting.emplace(*LabelSeriesStatus, CurrentFileName);
        DecodedDicom readable = readableDicom(std::move(file), CurrentFileName.toStdString());
        waiting.reset();
        if (!readable.refusal.empty()) throw AppError(readable.refusal);
        file = std::move(readable.file);
        note = std::move(readable.note);
    }
    FileBuffer = std::move(file);
    DecodingNote = std::move(note);
}

// ImgSizeX and ImgSizeY from the size edits, or, when either is empty, asked for
// with the answer proposed (guessed from the file size when too short to be one),
// together with the pixel spacing.
void TForm1::takeMatrixSize(int modeIndex, QString sizeAnswer)
{
    if (!EditImgSizeX->text().isEmpty() && !EditImgSizeY->text().isEmpty()) {
        ImgSizeX = intOf(EditImgSizeX);
        ImgSizeY = intOf(EditImgSizeY);
        return;
    }
    if (sizeAnswer.size() < 4)
        sizeAnswer = qstr(guessMatrixSize(static_cast<int64_t>(FileBuffer.size()), bytesPerPixel(modeIndex)));
    sizeAnswer = dialogs().inputBox(this, QString(), Msg::matrixSizePrompt, sizeAnswer);
    EditPxlSpc->setText(
        dialogs().inputBox(this, Msg::pixelSpacingCaption, Msg::pixelSpacingPrompt, EditPxlSpc->text()));
    const MatrixSize typed = parseSizeAnswer(sizeAnswer.toStdString());
    ImgSizeX = typed.columns;
    ImgSizeY = typed.rows;
    EditHeader->setText("0");
    EditMF->setText("1.0");
}

// The first load, and every load with the ROI unlocked, centres the ROI; unlocked,
// it also takes the size 256.
void TForm1::placeRoiOnLoad()
{
    if (EditFileName->text().isEmpty() || !CheckBoxRoiLock->isChecked()) {
        setInt(EditROIPosX, DispBitmap.width / 2);
        setInt(EditROIPosY, DispBitmap.height / 2);
    }
    if (!CheckBoxRoiLock->isChecked()) {
        EditROISizeX->setText("256");
        EditROISizeY->setText("256");
    }
}
