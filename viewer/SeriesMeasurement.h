#pragma once
// The pure parts of the slice-series measurement: names, the middle of a list and
// the spacing texts handed to the MTF window.
#include <string>
#include <vector>

// The file's name without its folder: the text after the last separator.
std::string NamePart(const std::string& path);

// The entries counted from the first up to an empty one or the end.
int LeadingEntries(const std::vector<std::string>& entries);

// The middle entry of n, the upper middle for even n.
inline int MiddleIndex(int n) { return n / 2; }

// The slice interval: second position minus first, sign kept, in the general format.
std::string SliceIntervalText(const std::string& firstPosition, const std::string& secondPosition);

// The MTF frequency step 1 / (spacing n) in the general format.
std::string FrequencyStepText(const std::string& spacing, int n);
