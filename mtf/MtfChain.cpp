#include "MtfChain.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "Convert.h"
#include "MtfTransform.h"
#include "NumberFormat.h"
#include "ProfileProcessing.h"

#include <algorithm>

namespace {

long double floatOf(const MtfEdits& e, MtfEdit which) { return toFloat(e.text(which)); }
int intOf(const MtfEdits& e, MtfEdit which) { return toInt(e.text(which)); }
void setFloat(MtfEdits& e, MtfEdit which, long double value) { e.setText(which, formatGeneral(value)); }
void setInt(MtfEdits& e, MtfEdit which, long long value) { e.setText(which, std::to_string(value)); }

std::string headerTail(const MtfEdits& e)
{
    return memoHeaderTail(e.text(MtfEdit::SliceInterval), e.text(MtfEdit::SliceThickness));
}

// The profile centre the outputs measure positions from; without kept samples there is none to read.
long double centreOf(const MtfEdits& e, int count) { return count > 0 ? floatOf(e, MtfEdit::MaxPoint) : 0; }

} // namespace

void processProfile(const std::vector<std::string>& lastColumn, MtfEdits& edits, MtfWorkspace& ws, MtfDisplay& display)
{
    // Converted for their failure alone: a spacing or count that is no number ends the
    // processing here, before anything is written; the values are read again where used.
    floatOf(edits, MtfEdit::SliceInterval);
    intOf(edits, MtfEdit::LSFgnd);

    const int rows = static_cast<int>(lastColumn.size());
    if (rows > MtfArraySize) throw AppError(Msg::tooManyInputRows(rows, MtfArraySize));
    ws.N = rows;
    for (int r = 0; r < ws.N; ++r)
        ws.Profile.RawProfile[r] = static_cast<double>(toFloat(lastColumn[static_cast<size_t>(r)]));
    std::copy_n(ws.Profile.RawProfile.begin(), ws.N, ws.Profile.WorkProfile.begin());

    setInt(edits, MtfEdit::LSFgnd, normaliseProfile(ws.Profile.WorkProfile, ws.N, ws.Profile.aSSPz, ws.Profile.pSSPz));
    fwhmStep(edits, ws);
    display.profileReady();
    mtfStep(edits, ws, display);
}

void fwhmStep(MtfEdits& edits, MtfWorkspace& ws)
{
    const int n = intOf(edits, MtfEdit::LSFgnd);
    if (n <= 0) return;
    const HalfCrossings crossings = findHalfCrossings(ws.Profile.WorkProfile, n);
    const FwhmResult r = fwhmFromCrossings(crossings, floatOf(edits, MtfEdit::SliceInterval));
    setFloat(edits, MtfEdit::FWHM, r.fwhm);
    setFloat(edits, MtfEdit::MaxPoint, r.centre);
}

void mtfStep(MtfEdits& edits, MtfWorkspace& ws, MtfDisplay& display)
{
    const int computed = computeMtfValues(ws.Profile.aSSPz, intOf(edits, MtfEdit::LSFgnd), ws.Spectrum);
    setFloat(edits, MtfEdit::MTFgdx, frequencyStep(floatOf(edits, MtfEdit::LSFgdx), computed));
    const int shown = computed / 2;
    setInt(edits, MtfEdit::MTFgnd, shown);
    display.mtfPage();

    // Step and width continue as the edits show them.
    const long double step = floatOf(edits, MtfEdit::MTFgdx);
    const long double fwhm = floatOf(edits, MtfEdit::FWHM);
    const long double fc = Checked::fdiv(1, fwhm);
    const auto mtf = mtfAtFrequency(ws.Spectrum.MTFValues, computed, step, fc);
    edits.setText(MtfEdit::MTF, mtf ? formatGeneral(*mtf) : std::string());
    setFloat(edits, MtfEdit::Frq, fc);
    fillSinc(ws.Spectrum.SincValues, shown, step, fwhm);
    display.mtfReady();
}

SSPzMemoTexts sspzMemos(const MtfEdits& edits, const MtfWorkspace& ws)
{
    const int n = intOf(edits, MtfEdit::LSFgnd);
    const long double spacing = floatOf(edits, MtfEdit::LSFgdx);
    return buildSSPzMemos(headerTail(edits), ws.Profile.aSSPz, ws.Profile.pSSPz, n, spacing, centreOf(edits, n));
}

std::string mtfMemo(const MtfEdits& edits, const MtfWorkspace& ws)
{
    const int n = intOf(edits, MtfEdit::MTFgnd);
    const long double step = floatOf(edits, MtfEdit::MTFgdx);
    return buildMtfMemo(headerTail(edits), ws.Spectrum.MTFValues, n, step);
}

int sspzPlot(const MtfEdits& edits, const MtfWorkspace& ws, PlotArrays& plot)
{
    const int n = intOf(edits, MtfEdit::LSFgnd);
    const long double spacing = floatOf(edits, MtfEdit::LSFgdx);
    return fillSSPzPlot(plot, ws.Profile.pSSPz, n, spacing, centreOf(edits, n));
}

int mtfPlot(const MtfEdits& edits, const MtfWorkspace& ws, PlotArrays& plot)
{
    const int n = intOf(edits, MtfEdit::MTFgnd);
    const long double step = floatOf(edits, MtfEdit::MTFgdx);
    return fillMtfPlot(plot, ws.Spectrum, n, step);
}
