#pragma once
// The data dictionary that names the elements of the tag grid: one text of lines
// "group TAB element TAB name TAB flag" ended by CR LF.
#include <cstdint>
#include <string>
#include <string_view>

// The whole dictionary text (generated into data/).
std::string_view dicomDictionaryText();

// The name of an element. Its key (group and element as 4 upper-case hex digits, a TAB
// between) is looked for anywhere in the text; at the first occurrence the name runs from
// 10 characters after the key's start to the next TAB within 256 characters. Empty when
// the key does not occur or no TAB follows. Exact and case-sensitive.
std::string_view dicomName(uint16_t group, uint16_t element);
