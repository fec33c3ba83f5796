#pragma once
// What the WienerSpectra window reads of the Viewer, taken at the moment it needs
// it: the texts of the Viewer's edits, its ROI and image sizes, and the image itself
// (referred to, not copied: the Viewer holds it for the whole run).
#include "Samples.h"
#include "ViewerTypes.h"

#include <string>

struct ViewerSnapshot {
    std::string fileName;                // EditFileName
    std::string pixelSpacing;            // EditPxlSpc
    std::string imageColumns, imageRows; // EditImgSizeX, EditImgSizeY
    std::string roiWidth, roiHeight;     // EditROISizeX, EditROISizeY
    std::string roiX, roiY;              // EditROIPosX, EditROIPosY
    std::string header, offset;          // EditHeader, EditOffst
    bool swap = false;                   // CheckBoxSwp
    Rect roiRect;                        // RoiRect
    int32_t columns = 0, rows = 0;       // ImgSizeX, ImgSizeY
    const ByteBuffer* image = nullptr;   // FileBuffer
};
