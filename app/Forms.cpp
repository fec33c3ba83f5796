#include "Forms.h"

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QApplication>
#include <QFont>

void CreateForms()
{
    // The windows show digits, Latin file names and Japanese, none of which needs the
    // font's shaping rules; laying out the many edits a load changes then costs far less.
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
}
