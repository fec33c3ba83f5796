#pragma once
// Lists the header of a DICOM file held whole in memory and takes the image's geometry
// and calibration from it: the tag grid holds every element from the meta group to the
// data set's own Pixel Data in file order, those inside sequences' items included; the
// edits and the summary come from the data set's own elements only, never from an
// item (an icon, a referenced image). What it finds goes to a sink as it is found, so a
// failure part-way leaves everything written before it.
#include "Samples.h"

#include <string>

// The edits the reader fills.
enum class DicomEdit { Header, ImgSizeX, ImgSizeY, FOVSize, Offst, PxlSpc, SThick, PtPos, WindowLevel, WindowWidth };
constexpr size_t dicomEditCount = static_cast<size_t>(DicomEdit::WindowWidth) + 1; // WindowWidth is the last

// Texts are the file's bytes, one character per byte.
class DicomSink {
public:
    virtual ~DicomSink() = default;
    virtual bool windowLocked() const = 0; // the window edits keep their values
    // False when only the edits are wanted: the grid and the summary are then not written.
    virtual bool listsElements() const { return true; }
    virtual void setEdit(DicomEdit edit, const std::string& text) = 0;
    virtual void setSwap(bool on) = 0;
    virtual void startGrid(int rows) = 0;                            // empties the tag grid below its caption row
    virtual void setCell(int column, int row, std::string text) = 0; // the text is the sink's to keep
    virtual void setRowCount(int rows) = 0;
    // The summary lines, once at the end of the reading (also when it fails), provided
    // an element was read that far.
    virtual void showSummary(const std::string& text) = 0;
};

// Reads the header into the sink. Returns the file's orientation mark ("LAND" for a
// landscape film, empty when the file sets none); the image sizes are written as the
// file gives them (Columns into ImgSizeX, Rows into ImgSizeY) whatever the mark says.
// A value that must be a number and is not fails with the conversion message.
std::string readDicom(const ByteBuffer& file, DicomSink& sink);
