#pragma once
// The set-up of the spectrum calculation without its window: the segment sizes and
// shifts "Load" writes, their exchange by the X/Y switch, and the parameters read from
// the texts of the edits the calculation reads.
#include "ReportDocument.h"
#include "SpectrumCalculation.h"

#include <string>

// The texts of "SegmentSize" X, Y and "Shift" X, Y.
struct SegmentTexts {
    std::string segmentX, segmentY, shiftX, shiftY;
};

// What "Load" writes for a ROI width text: a quarter of it along X and 16 lines, each
// shift half its segment. Written for direction X whatever the switch shows.
SegmentTexts loadSegments(const std::string& roiWidth);
// Half of each segment size, as "Load" sets the shifts.
SegmentTexts withHalfShifts(const std::string& segmentX, const std::string& segmentY);
// The X/Y switch: X and Y exchange, so that what was along the profile stays along it.
SegmentTexts exchanged(const SegmentTexts& t);

// The texts the calculation reads, from this window and from the Viewer.
struct SpectrumTexts {
    std::string imageWidth; // this window's ImageSize X
    std::string factor;     // EditC
    std::string offset;     // the Viewer's EditOffst
    SegmentTexts segments;
    std::string roiWidth, roiHeight; // the Viewer's ROI size edits
    std::string roiX, roiY;          // the Viewer's ROI position edits (only reported)
    std::string limit;               // the "Segment#" limit
    std::string header;              // the Viewer's EditHeader
    std::string bandDegree;          // EditN
    std::string segmentDegree;       // EditN1
    std::string pixelSpacing;        // this window's EditPxlSpc
    bool swap = false;
    bool directionY = false;
    bool bandTrend = false;
    bool segmentTrend = false;
    bool hamming = true;
    int32_t x0 = 0, y0 = 0;                  // the Viewer's RoiRect left and top
    int32_t imageColumns = 0, imageRows = 0; // the image the Viewer holds
};

// The defaults of a fresh window: factor "1.0", limit "10000", degrees "1", Hamming.
inline constexpr const char* DefaultFactor = "1.0";
inline constexpr const char* DefaultSegmentLimit = "10000";
inline constexpr const char* DefaultTrendDegree = "1";

// Converts in the order the calculation reads: width, factor, offset (0 when empty),
// segments, ROI, shifts, limit, header. The degrees and the spacing are converted
// ahead; their failures wait until the calculation reads them.
SpectrumParameters spectrumParameters(const SpectrumTexts& t);

// Every parameter of a calculation as the window names it, for the report.
NamedValues spectrumParameterRows(const SpectrumTexts& t);
