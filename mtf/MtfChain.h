#pragma once
// The processing chain of the MTF window without the window: the steps of "PNTY",
// "FWHM", the MTF stage and the memo texts, reading and writing the window's edits as
// texts in the order the window does, so that every value continues with the digits
// its edit shows. The window and the headless measurement both run it.
#include "MtfArrays.h"
#include "ProfileOutputs.h"

#include <string>
#include <vector>

// The edits of the MTF window that the chain reads or writes.
enum class MtfEdit { SliceInterval, SliceThickness, FWHM, MaxPoint, Frq, MTF, LSFgnd, LSFgdx, MTFgnd, MTFgdx };

class MtfEdits {
public:
    virtual std::string text(MtfEdit edit) const = 0;
    virtual void setText(MtfEdit edit, const std::string& text) = 0;

protected:
    ~MtfEdits() = default;
};

// The working storage of the window.
struct MtfWorkspace {
    ProfileArrays Profile;
    SpectrumArrays Spectrum;
    int N = 0; // profile values read by the last run
};

// What the window shows at the chain's stages; the headless measurement shows nothing.
class MtfDisplay {
public:
    virtual void profileReady() = 0; // the SSPz page in front, its chart and memos
    virtual void mtfPage() = 0;      // the MTF page in front
    virtual void mtfReady() = 0;     // the MTF chart and memo, then the SSPz page again

protected:
    ~MtfDisplay() = default;
};

// "PNTY": the profile from the texts of the table's last column (rows 1..N), then
// normalisation, FWHM and the MTF stage, showing each stage.
void processProfile(const std::vector<std::string>& lastColumn, MtfEdits& edits, MtfWorkspace& ws, MtfDisplay& display);

// "FWHM" on the current work profile with the count in LSFgnd.
void fwhmStep(MtfEdits& edits, MtfWorkspace& ws);

// The MTF stage: transform, step, count, MTF at 1/FWHM and the sinc curve.
void mtfStep(MtfEdits& edits, MtfWorkspace& ws, MtfDisplay& display);

// "SSPzToMemo" and "MTFToMemo" texts, and the chart points of "DrawD", from the edits as they stand.
SSPzMemoTexts sspzMemos(const MtfEdits& edits, const MtfWorkspace& ws);
std::string mtfMemo(const MtfEdits& edits, const MtfWorkspace& ws);
int sspzPlot(const MtfEdits& edits, const MtfWorkspace& ws, PlotArrays& plot);
int mtfPlot(const MtfEdits& edits, const MtfWorkspace& ws, PlotArrays& plot);
