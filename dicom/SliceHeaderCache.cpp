#include "SliceHeaderCache.h"

#include "DicomDecoding.h"
#include "FileRead.h"

#include <cerrno>
#include <cstring>
#include <unordered_map>

#include <sys/stat.h>

namespace {

struct FileState {
    unsigned long long inode = 0; // a file put in the place of another is another
    long long size = -1;
    long long modified = 0; // nanoseconds
    // Nanoseconds: a file rewritten in place whose modification time was set back
    // still has a new change time, which nothing but the system sets.
    long long changed = 0;
    bool operator==(const FileState&) const = default;
};

struct Entry {
    FileState state;
    SliceHeader header;
    std::string unreadable; // the system's reason, when the file cannot be read
};

// A header nearly always ends in the first 64 KB; a longer one is read whole.
constexpr size_t headerPart = 64 * 1024;
// Past this many entries the cache starts again rather than grow without end.
constexpr size_t mostEntries = 200000;

void readHeader(const std::string& path, Entry& entry)
{
    SliceHeader& header = entry.header;
    const long long size = entry.state.size;
    int error = 0;
    std::vector<uint8_t> bytes = readFileStart(path, headerPart, error);
    ScanResult result = scanSliceHeader(bytes.data(), bytes.size(), header);
    const bool whole = static_cast<long long>(bytes.size()) >= size;
    // A part that ends exactly between two elements holds no Pixel Data either.
    const bool partEnded = result == ScanResult::NeedsMore || (result == ScanResult::Read && !header.image);
    if (partEnded && !whole) {
        bytes = readFileStart(path, static_cast<size_t>(size), error);
        result = scanSliceHeader(bytes.data(), bytes.size(), header);
    }
    if (result == ScanResult::Deflated) {
        if (!whole) bytes = readFileStart(path, static_cast<size_t>(size), error);
        const DecodedDicom decoded = decodeDicom(bytes, path);
        result = scanSliceHeader(decoded.file.data(), decoded.file.size(), header);
    }
    if (result != ScanResult::Read || error != 0) header = SliceHeader();
    if (error != 0) entry.unreadable = std::strerror(error);
}

const Entry& lookUp(const std::string& path)
{
    static std::unordered_map<std::string, Entry> entries;
    static Entry none;

    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        // A name listed in a folder that leads nowhere (a broken link, a file gone).
        none.unreadable = std::strerror(errno);
        return none;
    }
    none.unreadable.clear();
    if (!S_ISREG(status.st_mode)) return none;
    const auto nanoseconds = [](const timespec& t) {
        return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
    };
    const FileState state{static_cast<unsigned long long>(status.st_ino), static_cast<long long>(status.st_size),
                          nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
    if (const auto found = entries.find(path); found != entries.end() && found->second.state == state)
        return found->second;
    if (entries.size() >= mostEntries) entries.clear();
    Entry& entry = entries[path];
    entry = {state, {}, {}};
    readHeader(path, entry);
    return entry;
}

} // namespace

const SliceHeader& cachedSliceHeader(const std::string& path) { return lookUp(path).header; }

const std::string& unreadableReason(const std::string& path) { return lookUp(path).unreadable; }
