#pragma once
// Driving the Viewer from window tests as the program itself does.
#include "Unit1.h"
#include "WindowControls.h"

#include <QString>

// Loads the named file without a dialog, as the wheel and the series measurement do.
inline void loadByName(const QString& path)
{
    control<QLineEdit>(Form1, "EditFileName")->setText(path);
    Form1->setViewState(2);
    Form1->BitBtnLoadClick();
}
