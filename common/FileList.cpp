#include "FileList.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string_view>

#include <dirent.h>
#include <sys/stat.h>

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string namePart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// std::tolower of every byte under the current locale, asked once per listing rather
// than once for every character of every name.
class LowerCase {
public:
    LowerCase()
    {
        for (size_t c = 0; c < of_.size(); ++c) of_[c] = static_cast<char>(std::tolower(static_cast<int>(c)));
    }
    char operator()(char c) const { return of_[static_cast<unsigned char>(c)]; }

private:
    std::array<char, 256> of_{};
};

// Appends the name's key to a text.
void appendKey(std::string& key, std::string_view name, const LowerCase& lower)
{
    for (size_t i = 0; i < name.size();) {
        if (!isDigit(name[i])) {
            key += lower(name[i++]);
            continue;
        }
        // A run of digits: a '0' (it orders against other characters as any digit
        // does), the run's length without leading zeros, then its digits.
        while (name[i] == '0' && i + 1 < name.size() && isDigit(name[i + 1])) ++i;
        size_t end = i;
        while (end < name.size() && isDigit(name[end])) ++end;
        const size_t length = end - i;
        key += '0';
        for (int shift = 24; shift >= 0; shift -= 8) key += static_cast<char>(length >> shift & 0xFF);
        key.append(name.substr(i, length));
        i = end;
    }
}

} // namespace

std::string naturalKey(std::string_view name)
{
    std::string key;
    appendKey(key, name, LowerCase());
    return key;
}

namespace {

// Names in order of their keys; names of equal keys by their bytes.
bool keyedLess(std::string_view keyA, std::string_view a, std::string_view keyB, std::string_view b)
{
    return keyA != keyB ? keyA < keyB : a < b;
}

} // namespace

bool naturalLess(std::string_view a, std::string_view b) { return keyedLess(naturalKey(a), a, naturalKey(b), b); }

namespace {

// A folder's entry names as the system lists them, "." and ".." left out; reading
// stops at the first failure. The system's own listing is used rather than
// std::filesystem, which builds and parses a whole path per entry: the list is read
// again on every load, and that doubled its cost.
class FolderReader {
public:
    explicit FolderReader(const std::string& folder) : folder_(opendir(folder.empty() ? "." : folder.c_str())) {}
    ~FolderReader()
    {
        if (folder_ != nullptr) closedir(folder_);
    }
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    const dirent* next()
    {
        if (folder_ == nullptr) return nullptr;
        const dirent* entry = readdir(folder_);
        while (entry != nullptr && (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0))
            entry = readdir(folder_);
        return entry;
    }

    // A folder, or a link to one; an entry whose kind cannot be found out counts as a file.
    bool isFolder(const dirent& entry) const
    {
        if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
        struct stat status {};
        return fstatat(dirfd(folder_), entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
    }

private:
    DIR* folder_;
};

} // namespace

std::vector<std::string> folderFiles(const std::string& folder)
{
    // The names and their keys go one after another into two texts, and the sorting
    // moves indices: the list is read again on every load, and a string or two per
    // name cost as much as the system's listing itself.
    struct Entry {
        size_t nameAt, nameLength, keyAt, keyLength;
    };
    std::string names, keys;
    std::vector<Entry> entries;
    const LowerCase lower;
    FolderReader reader(folder);
    while (const dirent* entry = reader.next()) {
        if (reader.isFolder(*entry)) continue;
        const std::string_view name = entry->d_name;
        const Entry added{names.size(), name.size(), keys.size(), 0};
        names += name;
        appendKey(keys, name, lower);
        entries.push_back(added);
        entries.back().keyLength = keys.size() - added.keyAt;
    }
    const auto nameOf = [&names](const Entry& e) { return std::string_view(names).substr(e.nameAt, e.nameLength); };
    const auto keyOf = [&keys](const Entry& e) { return std::string_view(keys).substr(e.keyAt, e.keyLength); };
    std::sort(entries.begin(), entries.end(),
              [&](const Entry& a, const Entry& b) { return keyedLess(keyOf(a), nameOf(a), keyOf(b), nameOf(b)); });

    std::vector<std::string> files;
    files.reserve(entries.size());
    for (const Entry& entry : entries) {
        std::string& file = files.emplace_back();
        file.reserve(folder.size() + entry.nameLength);
        file.append(folder).append(nameOf(entry));
    }
    return files;
}

int wheelStep(int index, int count, int delta)
{
    if (delta <= 0) return index > 0 ? index - 1 : index;
    return index < count - 1 ? index + 1 : index;
}
