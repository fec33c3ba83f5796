#pragma once
// The image and the texts of a spectrum calculation, as the WienerSpectra window would
// read them after "Load" and the options' changes.
#include "CommandLine.h"
#include "HeadlessLoad.h"
#include "SpectrumSetup.h"

#include <string>

struct SpectrumRun {
    std::string fileName;
    ViewerTexts viewer;
    LoadedImage image;
    SpectrumTexts texts;
};

SpectrumRun spectrumRunOf(const CommandLine& line);

// Writes the report as the WienerSpectra window's "Save" does (needs a QApplication).
void saveSpectrumReport(const SpectrumRun& run, const std::string& pdfPath);
