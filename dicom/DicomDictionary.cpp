#include "DicomDictionary.h"

#include <optional>
#include <unordered_map>

namespace {

constexpr size_t keyLength = 9;    // "gggg" TAB "eeee"
constexpr size_t nameOffset = 10;  // the key and the TAB after it
constexpr size_t nameSearch = 256; // how far the closing TAB is looked for

int upperHexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The tag a key at this position names, or nothing when the text there is no key.
std::optional<uint32_t> keyAt(std::string_view text, size_t at)
{
    if (at + keyLength > text.size() || text[at + 4] != '\t') return std::nullopt;
    uint32_t tag = 0;
    for (size_t i : {0, 1, 2, 3, 5, 6, 7, 8}) {
        const int digit = upperHexValue(text[at + i]);
        if (digit < 0) return std::nullopt;
        tag = tag << 4 | static_cast<uint32_t>(digit);
    }
    return tag;
}

std::string_view nameAt(std::string_view text, size_t keyStart)
{
    const size_t start = keyStart + nameOffset;
    if (start >= text.size()) return {};
    const std::string_view window = text.substr(start, nameSearch);
    const size_t tab = window.find('\t');
    return tab == std::string_view::npos ? std::string_view() : window.substr(0, tab);
}

// Every text position that could hold a key, first occurrence kept: the same answer a
// search of the whole text gives, without scanning 90 kB for each element of a file.
const std::unordered_map<uint32_t, std::string_view>& firstOccurrences()
{
    static const auto index = [] {
        std::unordered_map<uint32_t, std::string_view> names;
        const std::string_view text = dicomDictionaryText();
        for (size_t at = 0; at + keyLength <= text.size(); ++at)
            if (const auto tag = keyAt(text, at)) names.try_emplace(*tag, nameAt(text, at));
        return names;
    }();
    return index;
}

} // namespace

std::string_view dicomName(uint16_t group, uint16_t element)
{
    const auto& index = firstOccurrences();
    const auto found = index.find(static_cast<uint32_t>(group) << 16 | element);
    return found == index.end() ? std::string_view() : found->second;
}
