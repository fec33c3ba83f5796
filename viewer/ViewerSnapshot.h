#pragma once
// What the WienerSpectra and TaskIQ windows read of the Viewer, taken at the moment it needs
// it: the texts of the Viewer's edits, its ROI and image sizes, and the image itself
// (referred to, not copied: the Viewer holds it for the whole run).
#include "Samples.h"
#include "ViewerTypes.h"

#include <string>
#include <vector>

struct ViewerSnapshot {
    std::string fileName;                 // EditFileName
    std::string pixelSpacing;             // EditPxlSpc
    std::string imageColumns, imageRows;  // EditImgSizeX, EditImgSizeY
    std::string roiWidth, roiHeight;      // EditROISizeX, EditROISizeY
    std::string roiX, roiY;               // EditROIPosX, EditROIPosY
    std::string header, offset;           // EditHeader, EditOffst
    bool swap = false;                    // CheckBoxSwp
    Rect roiRect;                         // RoiRect
    int32_t columns = 0, rows = 0;        // ImgSizeX, ImgSizeY
    const ByteBuffer* image = nullptr;    // FileBuffer
    std::vector<std::string> seriesFiles; // ListBox1, in series order
    int32_t mode = 2;                     // RadioGroupMode's item, as LoadMode counts them
};
