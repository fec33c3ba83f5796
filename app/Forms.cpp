#include "Forms.h"

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

void CreateForms()
{
    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
}
