#pragma once
// The grey level of a sample under the window level and width: the one formula
// every drawing path gives, bit for bit.
#include "Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

struct GreyMapping {
    int32_t level = 0;     // maps to grey 128
    float factor = 1;      // from greyFactor
    int32_t offset = 0;    // added to every stored sample
    bool swap = false;     // exchange the two bytes of the (widened) sample
    bool invert = false;   // white and black exchanged
    bool eightBit = false; // one unsigned byte per sample instead of a 16-bit word
    bool operator==(const GreyMapping&) const = default;
};

// How far (in sample units) a value may lie from the level before its grey level
// saturates for certain: the product with the factor then passes 130 grey steps.
inline double saturationReach(const GreyMapping& mapping)
{
    return 130.0 / std::fabs(static_cast<double>(mapping.factor));
}

// The stored sample as a signed 16-bit value: a little-endian word (or a byte
// widened to 16 bits), its bytes exchanged with swap.
inline int16_t storedValue(uint16_t stored, bool swap)
{
    return static_cast<int16_t>(swap ? static_cast<uint16_t>(stored << 8 | stored >> 8) : stored);
}

// The grey level of one sample value (the stored word, already swapped and read as signed).
inline uint8_t greyLevel(int16_t value, const GreyMapping& mapping)
{
    const int32_t d = Checked::narrow(int64_t{value} + mapping.offset - mapping.level);
    // The product of an integer and a single-precision factor is exact in double.
    const double scaled = static_cast<double>(d) * static_cast<double>(mapping.factor);
    const auto g = static_cast<uint8_t>(std::clamp<long long>(roundHalfEven(scaled) + 128, 0, 255));
    return mapping.invert ? static_cast<uint8_t>(255 - g) : g;
}
