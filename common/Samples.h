#pragma once
// Reading 16-bit samples out of a whole image file held in memory: the word at
// header + 2*(row*columns + column), low byte first, bytes exchanged with "Swap",
// read as signed, plus the offset, wrapped back to a signed 16-bit value.
#include "Arithmetic.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using ByteBuffer = std::vector<uint8_t>;

struct SampleLayout {
    int64_t header = 0;  // bytes before the first sample
    int64_t columns = 0; // samples per image row
    bool swap = false;   // exchange the two bytes of each word
    int32_t offset = 0;  // added to every stored value
};

// Byte position of the word at (row, column); may lie outside the buffer.
inline int64_t wordPosition(const SampleLayout& layout, int64_t row, int64_t column)
{
    return layout.header + 2 * (row * layout.columns + column);
}

inline bool wordInside(const ByteBuffer& buffer, int64_t position)
{
    return position >= 0 && position + 2 <= static_cast<int64_t>(buffer.size());
}

// The stored word at a position inside the buffer, bytes exchanged when swap is on.
inline uint16_t storedWord(const ByteBuffer& buffer, int64_t position, bool swap)
{
    const auto lo = buffer[static_cast<size_t>(position)];
    const auto hi = buffer[static_cast<size_t>(position) + 1];
    return swap ? static_cast<uint16_t>(lo << 8 | hi) : static_cast<uint16_t>(hi << 8 | lo);
}

// A stored word read as signed, plus the offset, wrapped back to 16 bits as measurements use it.
inline int16_t offsetSample(uint16_t word, int32_t offset)
{
    return wrap16(int64_t{static_cast<int16_t>(word)} + offset);
}

// The sample value at (row, column); the word must lie inside the buffer.
inline int16_t sampleValue(const ByteBuffer& buffer, const SampleLayout& layout, int64_t row, int64_t column)
{
    return offsetSample(storedWord(buffer, wordPosition(layout, row, column), layout.swap), layout.offset);
}
