#include "FileList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Negative, zero or positive as a is before, equal to or after b in natural order.
int naturalCompare(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            // Compare the digit runs by value: leading zeros dropped, then by length, then digit by digit.
            while (i < a.size() && a[i] == '0' && i + 1 < a.size() && isDigit(a[i + 1])) ++i;
            while (j < b.size() && b[j] == '0' && j + 1 < b.size() && isDigit(b[j + 1])) ++j;
            size_t endA = i, endB = j;
            while (endA < a.size() && isDigit(a[endA])) ++endA;
            while (endB < b.size() && isDigit(b[endB])) ++endB;
            if (endA - i != endB - j) return endA - i < endB - j ? -1 : 1;
            if (const int c = a.substr(i, endA - i).compare(b.substr(j, endB - j)); c != 0) return c;
            i = endA;
            j = endB;
            continue;
        }
        const char ca = lower(a[i]), cb = lower(b[j]);
        if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
        ++i;
        ++j;
    }
    const bool aDone = i == a.size(), bDone = j == b.size();
    return aDone == bDone ? 0 : (aDone ? -1 : 1);
}

} // namespace

bool naturalLess(std::string_view a, std::string_view b)
{
    const int order = naturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

std::vector<std::string> folderFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!it->is_directory(ignored)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), naturalLess);
    for (auto& name : names) name.insert(0, folder);
    return names;
}

int wheelStep(int index, int count, int delta)
{
    if (delta <= 0) return index > 0 ? index - 1 : index;
    return index < count - 1 ? index + 1 : index;
}
