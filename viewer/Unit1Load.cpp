// The load ("⇒"): reads one image file whole and works out its geometry.
#include "Unit1.h"

#include "Dialogs.h"
#include "DisplayMapping.h"
#include "EditText.h"
#include "HeadlessLoad.h"
#include "ImageWidget.h"
#include "RawLoading.h"

void TForm1::BitBtnLoadClick()
{
    CurrentFileName.clear();
    EditImgSizeX->clear();
    EditImgSizeY->clear();
    if (ViewState == 1) {
        if (const auto chosen = dialogs().openFile(this)) CurrentFileName = *chosen;
    } else if (ViewState > 1) {
        CurrentFileName = EditFileName->text();
    }
    if (CurrentFileName.isEmpty()) {
        ViewState = 0;
        return;
    }

    const int modeIndex = RadioGroupMode->itemIndex();
    const FileNameGeometry named = parseFileName(CurrentFileName.toStdString());
    EditImgSizeX->setText(qstr(named.columns));
    EditImgSizeY->setText(qstr(named.rows));
    EditPxlSpc->setText(qstr(named.pixelSpacing));
    QString sizeAnswer = qstr(named.sizeAnswer);

    FileBuffer.clear();
    FileBuffer = readWholeFile(CurrentFileName.toStdString());
    setInt(EditFileSize, static_cast<long long>(FileBuffer.size()));
    Image1->show();

    if (readsDicomHeader(static_cast<LoadMode>(modeIndex), named.columns, named.rows)) {
        ReadDicom();
        sizeAnswer = EditImgSizeX->text() + " " + EditImgSizeY->text();
    }

    if (!EditImgSizeX->text().isEmpty() && !EditImgSizeY->text().isEmpty()) {
        ImgSizeX = intOf(EditImgSizeX);
        ImgSizeY = intOf(EditImgSizeY);
    } else {
        if (sizeAnswer.size() < 4)
            sizeAnswer = qstr(guessMatrixSize(static_cast<int64_t>(FileBuffer.size()), bytesPerPixel(modeIndex)));
        sizeAnswer = dialogs().inputBox(this, QString(), "Matrix Size x y , ", sizeAnswer);
        EditPxlSpc->setText(dialogs().inputBox(this, "InputBox", "ﾋﾟｸｾﾙ間隔(mm)を入力してください。", EditPxlSpc->text()));
        const MatrixSize typed = parseSizeAnswer(sizeAnswer.toStdString());
        ImgSizeX = typed.columns;
        ImgSizeY = typed.rows;
        EditHeader->setText("0");
        EditMF->setText("1.0");
    }

    resizeDisplayBitmap(DispBitmap, ImgSizeX, ImgSizeY);
    setInt(EditImgSizeX, ImgSizeX);
    setInt(EditImgSizeY, ImgSizeY);

    // The first load, and every load with the ROI unlocked, centres the ROI.
    if (EditFileName->text().isEmpty() || !CheckBoxRoiLock->isChecked()) {
        setInt(EditROIPosX, DispBitmap.width / 2);
        setInt(EditROIPosY, DispBitmap.height / 2);
    }
    if (!CheckBoxRoiLock->isChecked()) {
        EditROISizeX->setText("256");
        EditROISizeY->setText("256");
    }
    EditFileName->setText(CurrentFileName);
    if (!EditWindowLevel->text().isEmpty() && !CheckBoxWWLock->isChecked()) {
        EditWindowLevel->setText("512");
        EditWindowWidth->setText("1024");
    }

    DrawImage();
    ButtonAutoWLClick();
    ButtonFileListClick();
    ViewState = 0;
}
