#include "SeriesMeasurement.h"

#include "Arithmetic.h"
#include "Convert.h"
#include "FileList.h"
#include "NumberFormat.h"
#include "Provenance.h"

int leadingEntries(const std::vector<std::string>& entries)
{
    int n = 0;
    while (n < static_cast<int>(entries.size()) && !entries[static_cast<size_t>(n)].empty()) ++n;
    return n;
}

void measureSeries(const std::vector<std::string>& files, SeriesSlices& slices)
{
    for (size_t i = 0; i < files.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        slices.setCell(0, r, std::to_string(r));
        slices.setCell(1, r, namePart(files[i]));
        slices.load(files[i]);
        slices.setCell(2, r, slices.thickness());
        slices.setCell(3, r, slices.position());
        slices.setCell(4, r, slices.measureMean());
    }
}

std::string sliceIntervalText(const std::string& firstPosition, const std::string& secondPosition)
{
    const long double second = toFloat(secondPosition);
    return formatGeneral(second - toFloat(firstPosition));
}

std::string frequencyStepText(const std::string& spacing, int n)
{
    return formatGeneral(Checked::fdiv(1, toFloat(spacing) * n));
}

MeasurementSource seriesSource(const std::vector<std::string>& files, const std::string& roi, const std::string& mode)
{
    return {files, roi, {{"Mode", mode}}};
}
