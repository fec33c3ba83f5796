#pragma once
// What ordering a series needs from a DICOM file's header: the series, the position
// and the orientation of a slice and how its pixels are laid out, from the data set's
// own elements up to its Pixel Data (never from inside a sequence's items).
#include "DataSet.h"
#include "PixelForm.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct SliceHeader {
    std::string transferSyntax;                       // from the meta group; empty when it names none
    bool image = false;                               // the data set holds Pixel Data
    std::string seriesUid;                            // (0020,000E), trimmed
    std::optional<std::array<double, 3>> position;    // (0020,0032) ImagePositionPatient
    std::optional<std::array<double, 6>> orientation; // (0020,0037) ImageOrientationPatient
    PixelForm pixels;
    // Where the structure is damaged: an element or an unclosed sequence that runs past
    // the end of the bytes, or bytes that are no element, before the Pixel Data.
    std::optional<size_t> damageAt;
};

enum class ScanResult {
    Read,      // the header up to Pixel Data, or the whole data set, was read
    NeedsMore, // the bytes end inside the header: scan the whole file
    Deflated,  // the data set is compressed: scan it once decoded
    NotDicom,  // no DICOM data set at the start of the bytes
};

// Scans the first `size` bytes of a file (all of it, or a leading part).
ScanResult scanSliceHeader(const uint8_t* bytes, size_t size, SliceHeader& header);

// The transfer syntax named in the meta group, empty when there is none.
std::string transferSyntaxOf(const uint8_t* bytes, size_t size);

// True when every element of a whole file's data set, those inside sequences and the
// fragments of encapsulated pixel data included, lies inside the bytes and inside what
// holds it. A decoder that is given a length running past the end allocates it before
// it finds out, so files are checked before they are handed to one. A deflated data set
// is checked once inflated: `dataSetStart` gives where it begins, and
// `inflatedElementsInside` checks the inflated bytes (explicit VR little endian).
bool elementsInside(const uint8_t* bytes, size_t size);
size_t dataSetStart(const uint8_t* bytes, size_t size);
bool inflatedElementsInside(const uint8_t* dataSet, size_t size);
