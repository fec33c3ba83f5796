#pragma once
// "MetaToCB" without its window: the tag grid's caption row and the export text of
// its public elements.
#include <array>
#include <string>
#include <vector>

inline constexpr int TagGridColumns = 7;
inline constexpr std::array<const char*, TagGridColumns> TagGridCaptions{" No",  "Group", "Erement", "VR",
                                                                         "CHR#", "Name",  "Value"};

using TagGridRow = std::array<std::string, TagGridColumns>;

// The caption line, then one line per row from 1 on, cells TAB-separated, each line
// ending with CR LF. Rows of group FFFE and of odd (private) groups stay out; an empty
// group counts as even. NUL characters are removed from the values. A group that is not
// hexadecimal fails with the conversion message.
std::string headerExportText(const std::vector<TagGridRow>& grid);
