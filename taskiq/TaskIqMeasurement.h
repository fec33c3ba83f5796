#pragma once
// The TTF and the 2-D NPS of chosen slice files, loaded as the Viewer loads them: one
// path for the TaskIQ window and ctiq-measure, each result with where it comes from.
#include "HuSliceLoading.h"
#include "InsertTtf.h"
#include "NoisePowerSpectrum2D.h"
#include "Provenance.h"
#include "ViewerSnapshot.h"
#include "ViewerTypes.h"

#include <string>
#include <vector>

// The ROI frame of the Viewer (its inclusive pixel bounds) as the NPS takes it.
PixelFrame pixelFrameOf(const Rect& roi);

struct TtfOfFiles {
    TtfResult result;
    MeasurementSource source;
};

struct NpsOfFiles {
    NpsResult result;
    MeasurementSource source;
};

// What both measurements take beside their own inputs: the files, how they load, and the
// Viewer's ROI as its edits give it (for the report).
struct SliceFiles {
    std::vector<std::string> files;
    LoadMode mode = LoadMode::Dicom;
    TypedGeometry typed;
    std::string roi; // "x,y,w,h"
};

// What the Viewer's edits give a load beside the file: in the raw modes the size, header,
// offset and spacing as they stand (from the name or typed); in "DICOM" mode nothing,
// as each slice's header gives its own.
TypedGeometry viewerGeometry(const ViewerSnapshot& viewer);

// The pixel spacing comes from the first slice's load; the centre is in pixels.
TtfOfFiles measureTtfOfFiles(const SliceFiles& slices, double centreX, double centreY, double diameter);

// With `repeated` files (as many as `slices`), the NPS of their differences.
NpsOfFiles measureNpsOfFiles(const SliceFiles& slices, const std::vector<std::string>& repeated, const Rect& roi,
                             int32_t roiSize, NpsDetrend detrend);
