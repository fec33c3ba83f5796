#pragma once
// The MTF window's edits as the processing chain sees them.
#include "EditText.h"
#include "MtfChain.h"
#include "Unit2.h"

class Form2Edits final : public MtfEdits {
public:
    explicit Form2Edits(const TForm2& form) : form_(form) {}
    std::string text(MtfEdit edit) const override { return textOf(editFor(edit)); }
    void setText(MtfEdit edit, const std::string& text) override { editFor(edit)->setText(qstr(text)); }

private:
    QLineEdit* editFor(MtfEdit edit) const
    {
        switch (edit) {
        case MtfEdit::SliceInterval: return form_.EditsIntrv;
        case MtfEdit::SliceThickness: return form_.EditSThick;
        case MtfEdit::FWHM: return form_.EditFWHM;
        case MtfEdit::MaxPoint: return form_.EditMaxPoint;
        case MtfEdit::Frq: return form_.EditFrq;
        case MtfEdit::MTF: return form_.EditMTF;
        case MtfEdit::LSFgnd: return form_.EditLSFgnd;
        case MtfEdit::LSFgdx: return form_.EditLSFgdx;
        case MtfEdit::MTFgnd: return form_.EditMTFgnd;
        case MtfEdit::MTFgdx: return form_.EditMTFgdx;
        }
        return form_.EditsIntrv; // not reached: every edit is listed
    }

    const TForm2& form_;
};
