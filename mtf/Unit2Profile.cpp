// Profile processing, FWHM and MTF of the MTF window: the chain runs on the
// window's edits and shows each stage on the window's pages.
#include "Unit2.h"

#include "EditText.h"
#include "InputGridWidget.h"
#include "MtfEditsOfForm.h"
#include "UpDownWidget.h"

#include <algorithm>
#include <string>
#include <vector>

class Form2Display final : public MtfDisplay {
public:
    explicit Form2Display(TForm2& form) : form_(form) {}
    void profileReady() override
    {
        form_.PageControl1->setCurrentWidget(form_.TabSheetLSF);
        form_.ButtonDrawDClick();
        form_.ButtonSSPzToMemoClick();
    }
    void mtfPage() override { form_.PageControl1->setCurrentWidget(form_.TabSheetMTF); }
    void mtfReady() override
    {
        form_.ButtonDrawDClick();
        form_.ButtonMTFToMemoClick();
        form_.PageControl1->setCurrentWidget(form_.TabSheetLSF);
    }

private:
    TForm2& form_;
};

void TForm2::ButtonPNTYClick() { ProcessProfile(); }

void TForm2::ProcessProfile()
{
    std::vector<std::string> lastColumn;
    const int last = StringGridInput->colCount() - 1;
    for (int r = 1; r < StringGridInput->rowCount(); ++r)
        lastColumn.push_back(StringGridInput->cell(last, r).toStdString());
    Form2Edits edits(*this);
    Form2Display display(*this);
    processProfile(lastColumn, edits, Work, display);
}

void TForm2::ButtonFWHMClick()
{
    Form2Edits edits(*this);
    fwhmStep(edits, Work);
}

void TForm2::CalculateMTF()
{
    Form2Edits edits(*this);
    Form2Display display(*this);
    mtfStep(edits, Work, display);
}

void TForm2::ButtonCalMTFClick()
{
    setInt(EditLSFgnd, UpDown1->position());
    std::fill_n(Work.Profile.aSSPz.begin(), Work.N, 0.0);
    ProcessProfile();
    ButtonSSPzToMemoClick();
}

void TForm2::UpDown1Click() { ButtonCalMTFClick(); }
