#include "DicomSlices.h"

#include "DicomBytes.h"

#include <cstdio>

namespace {

template <size_t n>
std::string decimals(const std::array<double, n>& values)
{
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%.4f", values[i]);
        text += (i > 0 ? "\\" : "") + std::string(number);
    }
    return text;
}

} // namespace

std::vector<uint8_t> dicomSlice(const SliceSpec& fields)
{
    DicomBytes file(fields.implicitVr ? "1.2.840.10008.1.2" : "1.2.840.10008.1.2.1");
    const auto put = [&](uint16_t group, uint16_t element, const char* vr, std::vector<uint8_t> value) {
        if (value.size() % 2 != 0) value.push_back(std::string(vr) == "UI" ? '\0' : ' ');
        if (fields.implicitVr) file.implicitElement(group, element, value);
        else file.element(group, element, vr, value);
    };
    const auto text = [](const std::string& t) { return std::vector<uint8_t>(t.begin(), t.end()); };

    put(0x0008, 0x0060, "CS", text("CT"));
    if (fields.sequenceBefore) { // ReferencedImageSequence, one item of undefined length
        if (fields.implicitVr) file.marker(0x0008, 0x1140, 0xFFFFFFFF).marker(0xFFFE, 0xE000, 0xFFFFFFFF);
        else file.sequence(0x0008, 0x1140);
        put(0x0020, 0x0032, "DS", text("0\\0\\9999"));
        file.marker(0xFFFE, 0xE00D, 0).marker(0xFFFE, 0xE0DD, 0);
    }
    put(0x0018, 0x0050, "DS", text("1.0"));
    put(0x0020, 0x000E, "UI", text(fields.seriesUid));
    if (fields.position) put(0x0020, 0x0032, "DS", text(decimals(*fields.position)));
    if (fields.orientation) put(0x0020, 0x0037, "DS", text(decimals(*fields.orientation)));
    put(0x0028, 0x0010, "US", us(4));
    put(0x0028, 0x0011, "US", us(4));
    put(0x0028, 0x0100, "US", us(16));
    return file.withPixels(!fields.implicitVr);
}
