#include "Forms.h"

#include "TaskIqWindow.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QApplication>
#include <QFont>

namespace {

void showInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

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
    FormTaskIQ = new TaskIQ;

    // The windows know one another only through these calls.
    Form1->setPeers({[] { showInFront(Form2); }, [] { showInFront(Form3); }, [] { showInFront(FormTaskIQ); }, Form2});
    Form2->setShowViewer([] { showInFront(Form1); });
    Form3->setViewer([] { return Form1->snapshot(); }, [] { showInFront(Form1); });
    FormTaskIQ->setViewer([] { return Form1->snapshot(); }, [] { showInFront(Form1); });
}
