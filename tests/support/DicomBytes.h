#pragma once
// DICOM files written by the tests, element by element.
#include <cstdint>
#include <string>
#include <vector>

// A little-endian DICOM file written element by element.
class DicomBytes {
public:
    // The preamble, the marker and a meta group naming the transfer syntax.
    explicit DicomBytes(std::string transferSyntax = "1.2.840.10008.1.2.1")
    {
        if (transferSyntax.size() % 2 != 0) transferSyntax.push_back('\0');
        bytes_.assign(128, 0);
        text("DICM");
        element(0x0002, 0x0000, "UL", std::vector<uint8_t>{4, 0, 0, 0});
        element(0x0002, 0x0002, "UI", "1.2.840.10008.5.1.4.1.1.2");
        element(0x0002, 0x0010, "UI", transferSyntax);
    }

    DicomBytes& element(uint16_t group, uint16_t element, const std::string& vr, const std::string& value)
    {
        return this->element(group, element, vr, std::vector<uint8_t>(value.begin(), value.end()));
    }
    DicomBytes& element(uint16_t group, uint16_t element, const std::string& vr, const std::vector<uint8_t>& value)
    {
        tag(group, element);
        text(vr);
        if (vr == "OB" || vr == "OW" || vr == "UN" || vr == "SQ") {
            word(0);
            longWord(static_cast<uint32_t>(value.size()));
        } else {
            word(static_cast<uint16_t>(value.size()));
        }
        bytes_.insert(bytes_.end(), value.begin(), value.end());
        return *this;
    }
    DicomBytes& implicitElement(uint16_t group, uint16_t element, const std::vector<uint8_t>& value)
    {
        tag(group, element);
        longWord(static_cast<uint32_t>(value.size()));
        bytes_.insert(bytes_.end(), value.begin(), value.end());
        return *this;
    }
    DicomBytes& implicitElement(uint16_t group, uint16_t element, const std::string& value)
    {
        return implicitElement(group, element, std::vector<uint8_t>(value.begin(), value.end()));
    }
    // A sequence of undefined length and the header of its first item.
    DicomBytes& sequence(uint16_t group, uint16_t element)
    {
        tag(group, element);
        text("SQ");
        word(0);
        longWord(0xFFFFFFFF);
        return marker(0xFFFE, 0xE000, 0xFFFFFFFF);
    }
    // An item, delimitation or other 4-byte tag followed by a 4-byte length.
    DicomBytes& marker(uint16_t group, uint16_t element, uint32_t length)
    {
        tag(group, element);
        longWord(length);
        return *this;
    }
    // Explicit VR "OW" pixels, or implicit; enough of them to put the tag below half the file.
    std::vector<uint8_t> withPixels(bool explicitVr = true)
    {
        const size_t count = bytes_.size() + 64;
        tag(0x7FE0, 0x0010);
        if (explicitVr) {
            text("OW");
            word(0);
        }
        longWord(static_cast<uint32_t>(count));
        pixelStart = bytes_.size();
        bytes_.resize(bytes_.size() + count, 0x11);
        return bytes_;
    }
    // The file as written so far, with no Pixel Data.
    std::vector<uint8_t> withoutPixels() const { return bytes_; }
    size_t pixelStart = 0;
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    void text(const std::string& t) { bytes_.insert(bytes_.end(), t.begin(), t.end()); }
    void word(uint16_t w)
    {
        bytes_.push_back(static_cast<uint8_t>(w & 0xFF));
        bytes_.push_back(static_cast<uint8_t>(w >> 8));
    }
    void longWord(uint32_t l)
    {
        word(static_cast<uint16_t>(l & 0xFFFF));
        word(static_cast<uint16_t>(l >> 16));
    }
    void tag(uint16_t group, uint16_t element)
    {
        word(group);
        word(element);
    }
    std::vector<uint8_t> bytes_;
};

inline std::vector<uint8_t> us(uint16_t v) { return {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8)}; }
