// Profile processing, FWHM and MTF of the MTF window.
#include "Unit2.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "EditText.h"
#include "InputGridWidget.h"
#include "MtfTransform.h"
#include "ProfileProcessing.h"
#include "UpDownWidget.h"

#include <string>

void TForm2::ButtonPNTYClick() { ProcessProfile(); }

void TForm2::ProcessProfile()
{
    floatOf(EditsIntrv);
    intOf(EditLSFgnd);

    const int rows = StringGridInput->rowCount() - 1;
    if (rows > MtfArraySize)
        throw AppError("入力データが多すぎます (" + std::to_string(rows) + " 行, 最大 " + std::to_string(MtfArraySize) + " 行)");
    N = rows;
    const int last = StringGridInput->colCount() - 1;
    for (int r = 1; r <= N; ++r)
        Profile.RawProfile[r - 1] = static_cast<double>(toFloat(StringGridInput->cell(last, r).toStdString()));
    std::copy_n(Profile.RawProfile.begin(), N, Profile.WorkProfile.begin());

    NormaliseProfile();
    ButtonFWHMClick();
    PageControl1->setCurrentWidget(TabSheetLSF);
    ButtonDrawDClick();
    ButtonSSPzToMemoClick();
    CalculateMTF();
}

void TForm2::NormaliseProfile()
{
    setInt(EditLSFgnd, ::NormaliseProfile(Profile.WorkProfile, N, Profile.aSSPz, Profile.pSSPz));
}

void TForm2::ButtonFWHMClick()
{
    const int n = intOf(EditLSFgnd);
    if (n <= 0) return;
    const HalfCrossings crossings = FindHalfCrossings(Profile.WorkProfile, n);
    const FwhmResult r = FwhmFromCrossings(crossings, floatOf(EditsIntrv));
    setFloat(EditFWHM, r.fwhm);
    setFloat(EditMaxPoint, r.centre);
}

void TForm2::CalculateMTF()
{
    const int computed = ComputeMtfValues(Profile.aSSPz, intOf(EditLSFgnd), Spectrum);
    setFloat(EditMTFgdx, FrequencyStep(floatOf(EditLSFgdx), computed));
    const int shown = computed / 2;
    setInt(EditMTFgnd, shown);
    PageControl1->setCurrentWidget(TabSheetMTF);

    // Step and width continue as the edits show them.
    const long double step = floatOf(EditMTFgdx);
    const long double fwhm = floatOf(EditFWHM);
    const long double fc = Checked::fdiv(1, fwhm);
    const auto mtf = MtfAtFrequency(Spectrum.MTFValues, computed, step, fc);
    EditMTF->setText(mtf ? qstr(formatGeneral(*mtf)) : QString());
    setFloat(EditFrq, fc);
    FillSinc(Spectrum.SincValues, shown, step, fwhm);

    ButtonDrawDClick();
    ButtonMTFToMemoClick();
    PageControl1->setCurrentWidget(TabSheetLSF);
}

void TForm2::ButtonCalMTFClick()
{
    setInt(EditLSFgnd, UpDown1->position());
    std::fill_n(Profile.aSSPz.begin(), N, 0.0);
    ProcessProfile();
    ButtonSSPzToMemoClick();
}

void TForm2::UpDown1Click() { ButtonCalMTFClick(); }
