#include "ProfileOutputs.h"

#include "Arithmetic.h"
#include "NumberFormat.h"

namespace {

// Positions are stored as doubles before they are shown; one beyond their range fails.
double position(int k, long double centre, long double spacing)
{
    return static_cast<double>(Checked::finite((k - centre) * spacing));
}
double frequency(int k, long double step) { return static_cast<double>(Checked::finite(k * step)); }

std::string line(double x, double y) { return formatGeneral(x) + "\t" + formatGeneral(y) + "\r\n"; }

} // namespace

int fillSSPzPlot(PlotArrays& plot, const MtfArray& pSSPz, int count, long double spacing, long double centre)
{
    const int n = clipToArrays(count);
    for (int k = 0; k < n; ++k) {
        plot.PlotX[k] = position(k, centre, spacing);
        plot.PlotY[k] = pSSPz[k];
    }
    return n;
}

int fillMtfPlot(PlotArrays& plot, const SpectrumArrays& s, int count, long double step)
{
    const int n = clipToArrays(count);
    for (int k = 0; k < n; ++k) {
        plot.PlotX[k] = frequency(k, step);
        plot.PlotY[k] = s.MTFValues[k];
        plot.PlotY2[k] = s.SincValues[k];
    }
    return n;
}

std::string memoHeaderTail(const std::string& sliceInterval, const std::string& sliceThickness)
{
    return sliceInterval + " " + sliceThickness + "\r\n";
}

SSPzMemoTexts buildSSPzMemos(const std::string& headerTail, const MtfArray& aSSPz, const MtfArray& pSSPz, int count,
                             long double spacing, long double centre)
{
    SSPzMemoTexts t{"mm\taSSPz " + headerTail, "mm\t%SSPz " + headerTail};
    for (int k = 0; k < clipToArrays(count); ++k) {
        const double x = position(k, centre, spacing);
        t.absolute += line(x, aSSPz[k]);
        t.relative += line(x, pSSPz[k]);
    }
    return t;
}

std::string buildMtfMemo(const std::string& headerTail, const MtfArray& MTFValues, int count, long double step)
{
    std::string text = "c/mm\tMTF " + headerTail;
    for (int k = 0; k < clipToArrays(count); ++k) text += line(frequency(k, step), MTFValues[k]);
    return text;
}
