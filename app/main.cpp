#include "Forms.h"
#include "Unit1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CreateForms();
    Form1->show();
    return QApplication::exec();
}
