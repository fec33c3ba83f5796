#pragma once
// A slice's header made into one as scanners write it: an icon image sequence and
// 40 KB of private elements put before the image's own Pixel Data.
#include "DataSet.h"
#include "Samples.h"

#include <cstdint>
#include <vector>

inline ByteBuffer withScannerHeader(const ByteBuffer& slice)
{
    ByteBuffer added;
    const auto word = [&](uint16_t w) {
        added.push_back(static_cast<uint8_t>(w & 0xFF));
        added.push_back(static_cast<uint8_t>(w >> 8));
    };
    const auto longWord = [&](uint32_t l) {
        word(static_cast<uint16_t>(l & 0xFFFF));
        word(static_cast<uint16_t>(l >> 16));
    };
    const auto element = [&](uint16_t group, uint16_t number, const char* vr, const std::vector<uint8_t>& value) {
        word(group);
        word(number);
        added.insert(added.end(), vr, vr + 2);
        const bool longLength = vr[0] == 'O'; // OB here; LO, LT and US have 2-byte lengths
        if (longLength) {
            word(0);
            longWord(static_cast<uint32_t>(value.size()));
        } else {
            word(static_cast<uint16_t>(value.size()));
        }
        added.insert(added.end(), value.begin(), value.end());
    };
    element(0x0029, 0x0010, "LO", {'C', 'T', 'I', 'Q', ' ', 'B', 'E', 'N', 'C', 'H'});
    for (uint16_t i = 0; i < 160; ++i)
        element(0x0029, static_cast<uint16_t>(0x1000 + i), "LT", std::vector<uint8_t>(256, 'x'));
    // The icon: a sequence of undefined length with its own Rows, Columns and Pixel Data.
    word(0x0088), word(0x0200), added.insert(added.end(), {'S', 'Q', 0, 0}), longWord(0xFFFFFFFF);
    word(0xFFFE), word(0xE000), longWord(0xFFFFFFFF);
    element(0x0028, 0x0010, "US", {64, 0});
    element(0x0028, 0x0011, "US", {64, 0});
    element(0x0028, 0x0100, "US", {8, 0});
    element(0x7FE0, 0x0010, "OB", std::vector<uint8_t>(64 * 64, 0x80));
    word(0xFFFE), word(0xE00D), longWord(0);
    word(0xFFFE), word(0xE0DD), longWord(0);

    const DataSet set = readDataSet(slice.data(), slice.size(), ReadExtent::ToPixelData);
    const auto pixels = slice.begin() + static_cast<std::ptrdiff_t>(set.elements.at(set.pixelData).offset);
    ByteBuffer file(slice.begin(), pixels);
    file.insert(file.end(), added.begin(), added.end());
    file.insert(file.end(), pixels, slice.end());
    return file;
}
