// Drawing and the windowing, zoom and clipboard controls of the Viewer.
#include "Unit1.h"

#include "DisplayMapping.h"
#include "EditText.h"
#include "ImageWidget.h"

#include <QClipboard>
#include <QGuiApplication>

void applyZoom(TForm1& form, bool in)
{
    const ZoomStep step = zoomStep(textOf(form.EditMF), in);
    form.EditMF->setText(qstr(step.magnification));
    if (step.resetShift) {
        form.EditImgSftX->setText("0");
        form.EditImgSftY->setText("0");
    }
    form.setViewState(1);
    form.DrawImage();
}

void TForm1::DrawImage()
{
    if (ViewState <= 0) return;
    Image2->hide();
    Image1->show();

    const long double MF = floatOf(EditMF);
    ImgSizeX = intOf(EditImgSizeX);
    ImgSizeY = intOf(EditImgSizeY);
    GreyMapping mapping;
    mapping.level = intOf(EditWindowLevel);
    const int32_t windowWidth = intOf(EditWindowWidth);
    const int32_t shiftX = intOf(EditImgSftX);
    const int32_t shiftY = intOf(EditImgSftY);
    const int32_t header = intOf(EditHeader);
    mapping.offset = intOf(EditOffst);
    mapping.eightBit = RadioGroupMode->itemIndex() == 0;
    mapping.swap = CheckBoxSwp->isChecked();
    mapping.invert = CheckBoxInvrt->isChecked();

    const ViewGeometry view = computeViewGeometry(ImgSizeX, ImgSizeY, MF, shiftX, shiftY);
    resizeDisplayBitmap(DispBitmap, view.bitmapWidth, view.bitmapHeight);
    mapping.factor = greyFactor(windowWidth);
    // Nobody sees the slices "Cal." loads (it loads and draws the shown one again at its
    // end): their view and ROI are worked out, as "Stat" needs them, but not drawn.
    const bool seen = ViewState != 3;
    if (seen) {
        renderView(FileBuffer, header, ImgSizeX, ImgSizeY, view.window, mapping, DispGreyTable, DispBitmap);
        Image1->update();
        const Placement place = placeImage(ImgSizeX, ImgSizeY, view.narrow);
        Image1->setGeometry(2 + place.left, 2 + place.top, place.width, place.height);
    }
    ViewWindow = view.window;

    if (RadioGroupTool->itemText() == "ROI") {
        DeriveRoiRects();
        if (seen) DrawRoiFrame();
    }
}

void TForm1::ButtonDispClick()
{
    ViewState = 1;
    DrawImage();
}

void TForm1::CheckBoxSwpClick() { ButtonDispClick(); }

void TForm1::CheckBoxInvrtClick() { ButtonDispClick(); }

void TForm1::ButtonAutoWLClick()
{
    if (CheckBoxWWLock->isChecked()) return;
    // An image too small or too short for the central block keeps its window.
    if (const auto window = autoWindow(FileBuffer, sampleLayout(), ImgSizeX, ImgSizeY)) {
        setInt(EditWindowWidth, window->width);
        setInt(EditWindowLevel, window->level);
    }
    ViewState = 1;
    DrawImage();
}

void TForm1::Button1Click() { applyZoom(*this, true); }

void TForm1::Button2Click() { applyZoom(*this, false); }

void TForm1::ButtonSaveBMPClick() { QGuiApplication::clipboard()->setImage(toIndexedImage(DispBitmap)); }
