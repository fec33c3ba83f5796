// Slice-series measurement handlers of the Viewer (to be built).
#include "Unit1.h"

void TForm1::ButtonDispCClick() {}
void TForm1::ButtonCalSWClick() {}
