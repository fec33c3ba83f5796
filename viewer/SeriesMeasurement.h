#pragma once
// The slice-series measurement without its window: the loop over the slices that
// fills the MTF window's table, the table's layout, names, the middle of a list and
// the spacing texts handed to the MTF window.
#include <array>
#include <string>
#include <vector>

// The table "Cal." writes: five columns, row 0 the captions.
inline constexpr int SeriesTableColumns = 5;
inline constexpr std::array<const char*, SeriesTableColumns> SeriesTableCaptions{"#", "FileName", "S.Thick", "Position",
                                                                                 "Mean of ROI"};
inline constexpr std::array<int, SeriesTableColumns> SeriesTableWidths{32, 200, 64, 130, 130};

// What the loop needs of whoever runs it: loading a slice as "Cal." does, the texts
// the load leaves, "Stat", and the table's cells.
class SeriesSlices {
public:
    virtual void load(const std::string& path) = 0;
    virtual std::string thickness() const = 0; // the slice thickness text after the load
    virtual std::string position() const = 0;  // the slice position text after the load
    virtual std::string measureMean() = 0;     // "Stat" on the loaded slice: the ROI mean text
    virtual void setCell(int column, int row, const std::string& text) = 0;

protected:
    ~SeriesSlices() = default;
};

// Row r (from 1) for file r - 1: number and name first, then the slice is loaded and
// its thickness, position and ROI mean follow. A failure leaves the rows before it.
void measureSeries(const std::vector<std::string>& files, SeriesSlices& slices);

// Where a series measurement comes from, for its report: the files, the ROI and the load mode.
struct MeasurementSource;
MeasurementSource seriesSource(const std::vector<std::string>& files, const std::string& roi, const std::string& mode);

// The entries counted from the first up to an empty one or the end.
int leadingEntries(const std::vector<std::string>& entries);

// The middle entry of n, the upper middle for even n.
inline int middleIndex(int n) { return n / 2; }

// The slice interval: second position minus first, sign kept, in the general format.
std::string sliceIntervalText(const std::string& firstPosition, const std::string& secondPosition);

// The MTF frequency step 1 / (spacing n) in the general format.
std::string frequencyStepText(const std::string& spacing, int n);
