#pragma once
// Small DICOM slices written by the tests: the elements that ordering a series reads,
// and a few pixels.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SliceSpec {
    std::string seriesUid = "1.2.826.0.1.3680043.2.1125.1";
    std::optional<std::array<double, 3>> position;
    std::optional<std::array<double, 6>> orientation;
    bool implicitVr = false;     // implicit VR little endian instead of explicit
    bool sequenceBefore = false; // a sequence of undefined length, holding a position of its own, before the position
};

// A 4 x 4 slice (its pixel data runs on past the 16 pixels).
std::vector<uint8_t> dicomSlice(const SliceSpec& fields);
