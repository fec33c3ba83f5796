// Geometric operation handlers of the Viewer (to be built).
#include "Unit1.h"

void TForm1::ButtonTrimingClick() {}
void TForm1::ButtonVertClick() {}
void TForm1::ButtonHorizClick() {}
void TForm1::ButtonCCWClick() {}
void TForm1::ButtonCWClick() {}
