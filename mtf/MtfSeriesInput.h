#pragma once
// The MTF window's input as the Viewer's series measurement fills it, step by step
// in the order "Cal." writes it (so that a failure leaves what was written): the
// table of slices, where the series came from, and the spacing edits. Nothing flows
// back. The Viewer reaches it through this interface alone.
#include "Provenance.h"

#include <string>

class MtfSeriesInput {
public:
    // "Open": the slice thickness of the series' middle slice.
    virtual void setSliceThickness(const std::string& text) = 0;
    // The table prepared for the files: its columns, at least 128 rows numbered 0, 2, 4 ...
    // in column 0; the source of the former series forgotten.
    virtual void startSeries(int files) = 0;
    virtual void setSeriesCell(int column, int row, const std::string& text) = 0;
    virtual void setSeriesSource(MeasurementSource source) = 0;
    // One row per file under the captions; the charts emptied for the new series.
    virtual void endSeries(int files) = 0;
    // The spacing edits from the first two positions of the table and the file count.
    virtual void setSeriesSpacings(int files) = 0;

protected:
    ~MtfSeriesInput() = default;
};
