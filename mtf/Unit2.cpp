#include "Unit2.h"

#include "Guarded.h"
#include "Unit1.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form2");
    setWindowTitle("MTF");
    ButtonForm1 = new QPushButton("ToForm1", this);
    ButtonForm1->setObjectName("ButtonForm1");
    ButtonForm1->setGeometry(8, 8, 80, 24);
    connect(ButtonForm1, &QPushButton::clicked, this, guarded(this, &TForm2::ButtonForm1Click));
    resize(800, 600);
}

void TForm2::ButtonForm1Click()
{
    Form1->show();
    Form1->raise();
    Form1->activateWindow();
}
