#include "Unit1.h"

void TForm1::DrawImage() {}
void TForm1::ButtonDispClick() {}
void TForm1::CheckBoxSwpClick() {}
void TForm1::CheckBoxInvrtClick() {}
void TForm1::ButtonAutoWLClick() {}
void TForm1::Button1Click() {}
void TForm1::Button2Click() {}
void TForm1::ButtonSaveBMPClick() {}
