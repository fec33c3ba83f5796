// The ROI tool of the Viewer: the frame, the mouse tools on the image, the tool
// selector, the ROI-size menu and "Stat".
#include "Unit1.h"

#include "Arithmetic.h"
#include "EditText.h"
#include "ImageWidget.h"
#include "MouseTools.h"
#include "NumberFormat.h"
#include "RoiFrame.h"
#include "RoiStatistics.h"

#include <QSignalBlocker>

namespace {

enum Tool { ToolRoi = 0, ToolMove = 1, ToolOff = 2, ToolHome = 3 };

} // namespace

// Selects a tool as a click would: its handler runs unless it was selected already.
void selectTool(TForm1& form, int tool)
{
    if (form.RadioGroupTool->itemIndex() == tool) return;
    {
        // The handler is called directly so that a failure ends the caller too.
        const QSignalBlocker quiet(form.RadioGroupTool);
        form.RadioGroupTool->setItemIndex(tool);
    }
    form.RadioGroupToolClick();
}

namespace {

void redraw(TForm1& form)
{
    form.setViewState(1);
    form.DrawImage();
}

} // namespace

void TForm1::DeriveRoiRects()
{
    const int32_t posX = intOf(EditROIPosX);
    const int32_t posY = intOf(EditROIPosY);
    const int32_t sizeX = intOf(EditROISizeX);
    const int32_t sizeY = intOf(EditROISizeY);
    RoiRect = deriveRoiRect(posX, posY, sizeX, sizeY);
    RoiViewRect = toViewRect(RoiRect, ViewWindow);
}

void TForm1::DrawRoiFrame()
{
    drawRoiFrame(DispBitmap, RoiViewRect);
    Image1->update();
}

void TForm1::Image1MouseDown(Qt::MouseButton button, int X, int Y)
{
    DragTopLeft = DragBottomRight = DragMoveRoi = false;
    const int tool = RadioGroupTool->itemIndex();
    if (button == Qt::LeftButton && tool == ToolRoi) {
        DragButton = "Left";
        const RoiGrip grip = roiGripAt(RoiViewRect, viewScale(DispBitmap), X, Y, LastMouseX, LastMouseY);
        DragTopLeft = grip.topLeft;
        DragBottomRight = grip.bottomRight;
        DragMoveRoi = grip.moveRoi;
    } else if (button == Qt::LeftButton && tool == ToolMove) {
        DragButton = "Left";
        LastMouseX = X;
        LastMouseY = Y;
    } else if (button == Qt::RightButton) {
        DragButton = "Right";
        LastMouseX = X;
        LastMouseY = Y;
    }
}

void TForm1::Image1MouseMove(int X, int Y)
{
    const long double s = viewScale(DispBitmap);
    const int tool = RadioGroupTool->itemIndex();
    if (tool == ToolRoi && DragButton == "Left") dragRoi(X, Y, s);
    if (tool == ToolMove && DragButton == "Left") panImage(X, Y, s);
    if (DragButton == "Right") dragWindowing(X, Y);
}

// The "ROI" tool with the left button: a grabbed corner resizes the ROI (unless it is
// locked), a grab inside moves it.
void TForm1::dragRoi(int X, int Y, long double s)
{
    if ((DragTopLeft || DragBottomRight) && !CheckBoxRoiLock->isChecked()) {
        DrawRoiFrame();
        RoiViewRect = dragCorners(RoiViewRect, {DragTopLeft, DragBottomRight, false}, s, X, Y);
        RoiRect = toImageRect(RoiViewRect, ViewWindow);
        DrawRoiFrame();
        setInt(EditROISizeX, int64_t{RoiViewRect.Right} - RoiViewRect.Left + 1);
        setInt(EditROISizeY, int64_t{RoiViewRect.Bottom} - RoiViewRect.Top + 1);
    }
    if (DragMoveRoi) {
        DrawRoiFrame();
        RoiViewRect = centreFrameOn(RoiViewRect, s, X, Y);
        RoiRect = toImageRect(RoiViewRect, ViewWindow);
        setInt(EditROIPosX, Checked::trunc(X * s + ViewWindow.Left));
        setInt(EditROIPosY, Checked::trunc(Y * s + ViewWindow.Top));
        DrawRoiFrame();
    }
}

// The "Move" tool with the left button: the image shifts with the mouse.
void TForm1::panImage(int X, int Y, long double s)
{
    const int32_t dx = Checked::sub(X, LastMouseX);
    const int32_t dy = Checked::sub(LastMouseY, Y);
    if (const auto shift = panShift(intOf(EditImgSftX), dx, s, ViewWindow.Left, int64_t{ImgSizeX} - ViewWindow.Right))
        setInt(EditImgSftX, *shift);
    if (const auto shift = panShift(intOf(EditImgSftY), dy, s, int64_t{ImgSizeY} - ViewWindow.Bottom, ViewWindow.Top))
        setInt(EditImgSftY, *shift);
    redraw(*this);
    LastMouseX = X;
    LastMouseY = Y;
}

// The right button, whatever the tool: across sets the width, down and up the level.
void TForm1::dragWindowing(int X, int Y)
{
    const int32_t step = RadioGroupRange->itemText().toInt();
    if (const auto width = draggedWindowWidth(intOf(EditWindowWidth), Checked::sub(X, LastMouseX), step))
        setInt(EditWindowWidth, *width);
    setInt(EditWindowLevel, draggedWindowLevel(intOf(EditWindowLevel), Checked::sub(Y, LastMouseY), step));
    redraw(*this);
    LastMouseX = X;
    LastMouseY = Y;
}

void TForm1::Image1MouseUp(Qt::MouseButton button)
{
    const int tool = RadioGroupTool->itemIndex();
    if (button == Qt::LeftButton && (tool == ToolRoi || tool == ToolMove)) {
        DragTopLeft = DragBottomRight = DragMoveRoi = false;
        DragButton.clear();
        if (tool == ToolRoi) ButtonStatClick();
    } else if (button == Qt::RightButton) {
        DragButton.clear();
    }
}

void TForm1::RadioGroupToolClick()
{
    switch (RadioGroupTool->itemIndex()) {
    case ToolOff: redraw(*this); break;
    case ToolHome:
        EditMF->setText("1.0");
        EditImgSftX->setText("0");
        EditImgSftY->setText("0");
        redraw(*this);
        break;
    default: // "ROI" draws its frame at the next redraw; "Move" needs nothing.
        break;
    }
}

void TForm1::RoiSizeMenuClick(int size)
{
    setInt(EditROISizeX, size);
    setInt(EditROISizeY, size);
    // Through "OFF" back to "ROI", so that the tool ends on "ROI" whatever it was.
    selectTool(*this, ToolOff);
    selectTool(*this, ToolRoi);
    DrawImage();
}

void TForm1::PopupMenu1Change()
{
    DeriveRoiRects();
    DrawImage();
}

void TForm1::ButtonStatClick()
{
    if (RadioGroupTool->itemIndex() != ToolRoi) return;
    const SampleLayout layout = sampleLayout();
    const SampleBlock block = roiSampleBlock(RoiViewRect, ViewWindow);
    // A file cut short holds fewer rows than its geometry says; " 8bit" files hold a
    // byte a sample, so the two-byte rule does not apply to them.
    if (RadioGroupMode->itemIndex() != 0)
        refuseRoiInMissingRows(block, layout, ImgSizeY, FileBuffer.size(), textOf(EditFileName));
    const RoiStatistics stats = roiStatistics(FileBuffer, layout, ImgSizeY, block);
    const RoiStatisticsTexts texts = roiStatisticsTexts(stats);
    EditHSBP->setText(qstr(texts.mean));
    EditVSBP->setText(qstr(texts.sd));
}
