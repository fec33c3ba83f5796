#include "DicomSlices.h"

#include <cstdio>

namespace {

class Writer {
public:
    explicit Writer(bool explicitVr) : explicit_(explicitVr) {}

    void element(uint16_t group, uint16_t element, const char* vr, std::string value)
    {
        if (value.size() % 2 != 0) value += std::string(vr) == "UI" ? '\0' : ' ';
        tag(group, element);
        if (explicit_ || group == 0x0002) {
            bytes += vr;
            const bool longLength = std::string(vr) == "OW" || std::string(vr) == "OB";
            if (longLength) {
                put16(0);
                put32(static_cast<uint32_t>(value.size()));
            } else {
                put16(static_cast<uint16_t>(value.size()));
            }
        } else {
            put32(static_cast<uint32_t>(value.size()));
        }
        bytes += value;
    }
    void us(uint16_t group, uint16_t element, uint16_t value)
    {
        this->element(group, element, "US", std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)});
    }
    // A sequence of undefined length with one item of undefined length.
    void openSequence(uint16_t group, uint16_t element)
    {
        tag(group, element);
        if (explicit_) {
            bytes += "SQ";
            put16(0);
        }
        put32(0xFFFFFFFF);
        tag(0xFFFE, 0xE000);
        put32(0xFFFFFFFF);
    }
    void closeSequence()
    {
        tag(0xFFFE, 0xE00D);
        put32(0);
        tag(0xFFFE, 0xE0DD);
        put32(0);
    }

    std::string bytes;

private:
    void tag(uint16_t group, uint16_t element)
    {
        put16(group);
        put16(element);
    }
    void put16(uint16_t v)
    {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    }
    void put32(uint32_t v)
    {
        put16(static_cast<uint16_t>(v & 0xFFFF));
        put16(static_cast<uint16_t>(v >> 16));
    }
    bool explicit_;
};

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

std::vector<uint8_t> dicomSlice(const SliceSpec& spec)
{
    Writer meta(true);
    meta.element(0x0002, 0x0002, "UI", "1.2.840.10008.5.1.4.1.1.2");
    meta.element(0x0002, 0x0010, "UI", spec.implicitVr ? "1.2.840.10008.1.2" : "1.2.840.10008.1.2.1");
    Writer group(true);
    group.element(0x0002, 0x0000, "UL", std::string{static_cast<char>(meta.bytes.size() & 0xFF),
                                                    static_cast<char>(meta.bytes.size() >> 8 & 0xFF), 0, 0});

    Writer data(!spec.implicitVr);
    data.element(0x0008, 0x0060, "CS", "CT");
    if (spec.sequenceBefore) {
        data.openSequence(0x0008, 0x1140); // ReferencedImageSequence
        data.element(0x0020, 0x0032, "DS", "0\\0\\9999");
        data.closeSequence();
    }
    data.element(0x0018, 0x0050, "DS", "1.0");
    data.element(0x0020, 0x000E, "UI", spec.seriesUid);
    if (spec.position) data.element(0x0020, 0x0032, "DS", decimals(*spec.position));
    if (spec.orientation) data.element(0x0020, 0x0037, "DS", decimals(*spec.orientation));
    data.us(0x0028, 0x0010, static_cast<uint16_t>(spec.size));
    data.us(0x0028, 0x0011, static_cast<uint16_t>(spec.size));
    data.us(0x0028, 0x0100, 16);
    std::string pixels;
    for (int i = 0; i < spec.size * spec.size; ++i) {
        pixels += static_cast<char>(static_cast<uint16_t>(spec.value) & 0xFF);
        pixels += static_cast<char>(static_cast<uint16_t>(spec.value) >> 8);
    }
    data.element(0x7FE0, 0x0010, "OW", pixels);

    const std::string file = std::string(128, '\0') + "DICM" + group.bytes + meta.bytes + data.bytes;
    return {file.begin(), file.end()};
}
