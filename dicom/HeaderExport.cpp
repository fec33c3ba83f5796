#include "HeaderExport.h"

#include "Convert.h"

#include <algorithm>

namespace {

std::string joined(const TagGridRow& row, int last)
{
    std::string text;
    for (int c = 0; c <= last; ++c) text += (c > 0 ? "\t" : "") + row[static_cast<size_t>(c)];
    return text;
}

} // namespace

std::string headerExportText(const std::vector<TagGridRow>& grid)
{
    std::string text = grid.empty() ? std::string() : joined(grid.front(), TagGridColumns - 1) + "\r\n";
    for (size_t r = 1; r < grid.size(); ++r) {
        const std::string& group = grid[r][1];
        if (!group.empty() && group.front() == 'F') continue;
        if (!group.empty() && hexToInt(group) % 2 != 0) continue;
        std::string value = grid[r][6];
        value.erase(std::remove(value.begin(), value.end(), '\0'), value.end());
        text += joined(grid[r], 5) + "\t" + value + "\r\n";
    }
    return text;
}
