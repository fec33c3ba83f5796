#include "Unit3.h"

#include "Guarded.h"
#include "Unit1.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form3");
    setWindowTitle("WienerSpectra");
    ButtontoMain = new QPushButton("toForm1", this);
    ButtontoMain->setObjectName("ButtontoMain");
    ButtontoMain->setGeometry(8, 8, 80, 24);
    connect(ButtontoMain, &QPushButton::clicked, this, guarded(this, &TForm3::ButtontoMainClick));
    resize(800, 600);
}

void TForm3::ButtontoMainClick()
{
    hide();
    Form1->show();
    Form1->raise();
    Form1->activateWindow();
}
