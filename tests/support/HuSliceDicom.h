#pragma once
// An HU slice written as a CT DICOM file, as a scanner stores it: HU + 1024 with the
// rescale intercept -1024, 0.5 mm pixels, positioned by its number along z.
#include "DicomBytes.h"
#include "HuSlice.h"

#include <string>
#include <vector>

inline std::vector<uint8_t> huSliceDicom(const HuSlice& slice, const std::string& series, int number)
{
    const auto text = [](std::string t, char pad = ' ') {
        if (t.size() % 2 != 0) t.push_back(pad);
        return std::vector<uint8_t>(t.begin(), t.end());
    };
    std::vector<uint8_t> pixels;
    for (const double hu : slice.values) {
        const auto stored = static_cast<uint16_t>(hu + 1024);
        pixels.push_back(static_cast<uint8_t>(stored & 0xFF));
        pixels.push_back(static_cast<uint8_t>(stored >> 8));
    }
    DicomBytes file;
    file.element(0x0008, 0x0016, "UI", text("1.2.840.10008.5.1.4.1.1.2", '\0'))
        .element(0x0008, 0x0018, "UI", text(series + "." + std::to_string(number), '\0'))
        .element(0x0008, 0x0060, "CS", text("CT"))
        .element(0x0018, 0x0050, "DS", text("1"))
        .element(0x0020, 0x000E, "UI", text(series, '\0'))
        .element(0x0020, 0x0013, "IS", text(std::to_string(number)))
        .element(0x0020, 0x0032, "DS", text("0\\0\\" + std::to_string(number)))
        .element(0x0028, 0x0002, "US", us(1))
        .element(0x0028, 0x0004, "CS", text("MONOCHROME2"))
        .element(0x0028, 0x0010, "US", us(static_cast<uint16_t>(slice.rows)))
        .element(0x0028, 0x0011, "US", us(static_cast<uint16_t>(slice.columns)))
        .element(0x0028, 0x0030, "DS", text("0.5\\0.5"))
        .element(0x0028, 0x0100, "US", us(16))
        .element(0x0028, 0x0101, "US", us(16))
        .element(0x0028, 0x0102, "US", us(15))
        .element(0x0028, 0x0103, "US", us(0))
        .element(0x0028, 0x1052, "DS", text("-1024"))
        .element(0x0028, 0x1053, "DS", text("1"));
    return file.element(0x7FE0, 0x0010, "OW", pixels).bytes();
}
