#pragma once
// How a DICOM image's pixels are laid out, as far as showing them as one grey slice
// goes. What a header leaves out keeps the value such a slice has.
#include <string>

struct PixelForm {
    unsigned frames = 1;          // (0028,0008) NumberOfFrames
    unsigned samplesPerPixel = 1; // (0028,0002)
    std::string photometric;      // (0028,0004), trimmed; empty when absent
    unsigned bitsAllocated = 16;  // (0028,0100)
};

// Why the pixels cannot be shown as one grey slice of 16-bit samples, which is all the
// reader reads; empty when they can.
std::string notOneGreySlice(const PixelForm& form);
