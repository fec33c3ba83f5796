// DICOM, tag grid and file list handlers of the Viewer (to be built).
#include "Unit1.h"

void TForm1::ReadDicom() {}
void TForm1::ButtonHeaderToCBClick() {}
void TForm1::StringGridDICOMDblClick() {}
void TForm1::ButtonRowCulmClick() {}
void TForm1::ButtonFileListClick() {}
bool TForm1::ApplicationEvents1Message(QEvent*) { return false; }
