#pragma once
// The load of "⇒" without the window and without questions: the Viewer's geometry
// edits as texts, carried from one load to the next as the edits are, and the file
// whole in memory.
#include "DicomRecord.h"
#include "Samples.h"

#include <array>
#include <optional>
#include <string>

enum class LoadMode { EightBit = 0, SixteenBit = 1, Dicom = 2 }; // the items of "Mode"
inline constexpr std::array<const char*, 3> LoadModeNames{" 8bit", "16bit", "DICOM"};
inline const char* loadModeName(LoadMode mode) { return LoadModeNames[static_cast<size_t>(mode)]; }

// The texts of the Viewer's edits that a load and a measurement read, with the
// window's start texts.
struct ViewerTexts {
    std::string header = "0";
    std::string columns = "0"; // EditImgSizeX
    std::string rows = "0";    // EditImgSizeY
    std::string pixelSpacing = "0";
    std::string offset = "0";
    std::string sliceThickness = "0";
    std::string position = "0";
    bool swap = false;
};

// What a user types after the load, where the file name or the header gives nothing.
struct TypedGeometry {
    std::optional<std::string> size; // the answer of the size prompt, "x y"
    std::optional<std::string> header;
    std::optional<std::string> offset;
    std::optional<std::string> pixelSpacing;
};

struct LoadedImage {
    ByteBuffer bytes;
    int32_t columns = 0;
    int32_t rows = 0;
    DicomRecord dicom; // what the DICOM reader found, when it ran
    bool dicomRead = false;
    std::string decodingWarnings; // the codec's warnings on a decoded file, a line each
    std::string warning;          // the file ends before its image does (Msg::imageCutShort); else empty
};

// True when the file starts with a DICOM header that leads to pixel data.
bool holdsDicomImage(const ByteBuffer& file);

// In "DICOM" mode the reader runs on a file that holds a DICOM header, and on any file
// whose name leaves a size open; the name's size serves raw files only.
bool readsDicomHeader(LoadMode mode, const std::string& namedColumns, const std::string& namedRows,
                      const ByteBuffer& file);

// The warning a load gives when the file ends before the image its geometry describes
// (2 bytes a sample, as all but " 8bit" read them); empty when the image is whole.
std::string cutShortWarning(const std::string& path, LoadMode mode, const SampleLayout& layout, int64_t rows,
                            size_t fileSize);

// Loads the file as "⇒" does, the typed values standing in for the prompts and for
// edits typed afterwards. Without a size from the name, the header or the typed values
// the load fails with Msg::sizeUnknown.
LoadedImage loadImage(const std::string& path, LoadMode mode, const TypedGeometry& typed, ViewerTexts& texts);

// The sample layout "Stat" and the spectrum read with the texts as they stand.
SampleLayout sampleLayout(const ViewerTexts& texts, int32_t columns);
