#pragma once
// What the MTF window shows of its results: the plot arrays of its two charts and
// the tab-separated texts of its three memos. Counts come from the display edits
// and are clipped to the arrays.
#include "MtfArrays.h"

#include <string>

// PlotX[k] = (k - centre) spacing, PlotY[k] = pSSPz[k]. Returns the clipped count.
int fillSSPzPlot(PlotArrays& plot, const MtfArray& pSSPz, int count, long double spacing, long double centre);
// PlotX[k] = k step, PlotY[k] = MTFValues[k], PlotY2[k] = SincValues[k]. Returns the clipped count.
int fillMtfPlot(PlotArrays& plot, const SpectrumArrays& s, int count, long double step);

// The text after the header word of each memo's first line: interval, blank, thickness.
std::string memoHeaderTail(const std::string& sliceInterval, const std::string& sliceThickness);

struct SSPzMemoTexts {
    std::string absolute; // MemoVSSPz
    std::string relative; // MemoPSSPz
};
SSPzMemoTexts buildSSPzMemos(const std::string& headerTail, const MtfArray& aSSPz, const MtfArray& pSSPz, int count,
                             long double spacing, long double centre);
std::string buildMtfMemo(const std::string& headerTail, const MtfArray& MTFValues, int count, long double step);
