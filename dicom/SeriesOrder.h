#pragma once
// The slices of one series in the order of their position along the slice normal:
// the list the Viewer shows in "DICOM" mode and steps through with the wheel, and the
// order "Cal." measures in. Callable without a window.
#include <string>
#include <vector>

struct OrderedSeries {
    std::vector<std::string> slices; // full paths, in position order (or name order, see note)
    std::string note;                // the status text: how many slices, in which order, what was left out
    bool ofSeries = false;           // the path is a DICOM image and the list its series; else the folder's files
};

// The DICOM images of the folder of `sliceOrFolder` that belong to its series (the same
// Series Instance UID), ordered by their position along the slice normal (taken from
// ImageOrientationPatient of the given slice; the z axis without it), names breaking
// ties. When a slice has no position, all keep name order and the note says so. A
// folder (a path ending in '/') stands for the series of its first image in name order.
// A path that is no DICOM image gives every file of its folder in name order, as a
// raw folder lists, with an empty note. A file of the folder that cannot be read may
// belong to the series, so the series is refused (refuseUnreadableFiles).
OrderedSeries orderedSeries(const std::string& sliceOrFolder);

// Fails with Msg::cannotRead, naming the first of the files that cannot be read and the
// system's reason: a slice that cannot be read is never left out as if it were no image.
void refuseUnreadableFiles(const std::vector<std::string>& files);

// Why the slices, in this order, cannot be measured as one profile: two at the same
// position, or a spacing that differs from the interval (the median spacing, the upper
// one of an even count) by more
// than a tenth of it; the message names the slices and their positions. Empty when they can be
// measured, or when not every slice has a position.
std::string seriesSpacingProblem(const std::vector<std::string>& slices);
