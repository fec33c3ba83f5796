// The image tools around the picture: "Trim" writes the ROI block to a raw
// file; "V", "H", "CCW" and "CW" flip or turn the samples in FileBuffer.
#include "Unit1.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "Dialogs.h"
#include "EditText.h"
#include "GeometricOperations.h"

#include <QFileInfo>

namespace {

// Writes the whole file or, failing, leaves no new file and any old one as it was.
void writeWholeFile(const QString& path, const ByteBuffer& bytes)
{
    AtomicFile file(path, Msg::fileNotWritten);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.commit();
}

void redraw(TForm1& form)
{
    form.setViewState(1);
    form.DrawImage();
}

} // namespace

WordImage imageWords(TForm1& form)
{
    return wordImage(form.FileBuffer, intOf(form.EditHeader), form.ImgSizeX, form.ImgSizeY);
}

namespace {

void turnShownSquare(TForm1& form, Turn turn)
{
    turnView(imageWords(form), form.viewWindow(), turn);
    redraw(form);
}

} // namespace

void TForm1::ButtonTrimingClick()
{
    // One byte per sample has no 16-bit words to copy.
    if (RadioGroupMode->itemIndex() == 0) throw AppError(Msg::trimNeeds16Bit);
    const auto chosen = dialogs().openFile(this);
    if (!chosen) return;
    const TrimmedImage trimmed =
        trimRoi(FileBuffer, {intOf(EditHeader), ImgSizeX}, ImgSizeY, roiSampleBlock(RoiViewRect, ViewWindow));
    const std::string name =
        trimmedFileName(chosen->toStdString(), trimmed.block.width, trimmed.block.height, textOf(EditPxlSpc));
    if (QFileInfo::exists(qstr(name)) && !dialogs().question(this, qstr(Msg::replaceTrimmedFile(name)))) return;
    writeWholeFile(qstr(name), trimmed.bytes);
    dialogs().information(this, Msg::trimmedImageSaved);
}

void TForm1::ButtonVertClick()
{
    flipVertical(imageWords(*this));
    redraw(*this);
}

void TForm1::ButtonHorizClick()
{
    flipHorizontal(imageWords(*this));
    redraw(*this);
}

void TForm1::ButtonCCWClick() { turnShownSquare(*this, Turn::CounterClockwise); }

void TForm1::ButtonCWClick() { turnShownSquare(*this, Turn::Clockwise); }
