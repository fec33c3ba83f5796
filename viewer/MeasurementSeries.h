#pragma once
// The slices a series measurement without the windows runs over, and the series each
// DICOM slice belongs to.
#include "Samples.h"

#include <string>
#include <vector>

// The Series Instance UID (0020,000E) of a DICOM file held in memory: the data set's own,
// trimmed, never one inside a sequence; empty when the header names none.
std::string seriesInstanceUid(const ByteBuffer& file);

struct MeasurementSeries {
    std::vector<std::string> files; // in the order "Cal." measures them
    std::string seriesUid;          // empty for slices without one
};

// The slices of PATH, listed as "F.List" lists them in "DICOM" mode. A DICOM slice gives
// the slices of its series in its folder, in position order (orderedSeries); another
// file gives the files of its folder without a series. A folder gives its files in that
// order, and fails naming its series when they are several. Fails when nothing is left
// to measure.
MeasurementSeries measurementSeries(const std::string& path);
