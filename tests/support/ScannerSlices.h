#pragma once
// CT slices with the structures scanners write (icon images, sequences of undefined
// length nested deep, unknown-VR sequences, large private headers), written by
// pydicom (scanner_slices.py), with what pydicom reads of each.
#include <filesystem>
#include <string>
#include <vector>

struct ScannerSlice {
    std::string name; // the file is <folder>/<name>.dcm
    std::string columns, rows, spacing, intercept, position, thickness, header;
    double roiMean = 0, roiSd = 0; // of pixel_array + intercept over the 48 x 48 pixels at the centre
};

// Writes the slices, and two series of the same five slices (folder/scanner/ as a
// scanner writes them, folder/plain/ plainly); fails the test when pydicom cannot.
std::vector<ScannerSlice> writeScannerSlices(const std::filesystem::path& folder);
