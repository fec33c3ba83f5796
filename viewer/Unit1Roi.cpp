// ROI tool and statistics handlers of the Viewer (to be built).
#include "Unit1.h"

void TForm1::DeriveRoiRects() {}
void TForm1::DrawRoiFrame() {}
void TForm1::Image1MouseDown(Qt::MouseButton, int, int) {}
void TForm1::Image1MouseMove(int, int) {}
void TForm1::Image1MouseUp(Qt::MouseButton) {}
void TForm1::RadioGroupToolClick() {}
void TForm1::RoiSizeMenuClick(int) {}
void TForm1::PopupMenu1Change() {}
void TForm1::ButtonStatClick() {}
