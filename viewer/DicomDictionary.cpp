#include "DicomDictionary.h"

#include <cstdio>
#include <unordered_map>

namespace {

constexpr size_t keyLength = 9;    // "gggg" TAB "eeee"
constexpr size_t nameOffset = 10;  // the key and the TAB after it
constexpr size_t nameSearch = 256; // how far the closing TAB is looked for

bool isUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

bool looksLikeKey(std::string_view text, size_t at)
{
    if (at + keyLength > text.size() || text[at + 4] != '\t') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 7, 8})
        if (!isUpperHex(text[at + i])) return false;
    return true;
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
const std::unordered_map<std::string_view, std::string_view>& firstOccurrences()
{
    static const auto index = [] {
        std::unordered_map<std::string_view, std::string_view> names;
        const std::string_view text = dicomDictionaryText();
        for (size_t at = 0; at + keyLength <= text.size(); ++at)
            if (looksLikeKey(text, at)) names.try_emplace(text.substr(at, keyLength), nameAt(text, at));
        return names;
    }();
    return index;
}

} // namespace

std::string_view dicomName(uint16_t group, uint16_t element)
{
    char key[keyLength + 1];
    std::snprintf(key, sizeof key, "%04X\t%04X", group, element);
    const auto& index = firstOccurrences();
    const auto found = index.find(std::string_view(key, keyLength));
    return found == index.end() ? std::string_view() : found->second;
}
