#include "SliceHeaderCache.h"

#include "DicomDecoding.h"
#include "FileRead.h"

#include <sys/stat.h>

#include <unordered_map>

namespace {

struct FileState {
    unsigned long long inode = 0; // a file put in the place of another is another
    long long size = -1;
    long long modified = 0; // nanoseconds
    bool operator==(const FileState&) const = default;
};

struct Entry {
    FileState state;
    SliceHeader header;
};

// A header nearly always ends in the first 64 KB; a longer one is read whole.
constexpr size_t headerPart = 64 * 1024;
// Past this many entries the cache starts again rather than grow without end.
constexpr size_t mostEntries = 200000;

SliceHeader readHeader(const std::string& path, const FileState& state)
{
    SliceHeader header;
    std::vector<uint8_t> bytes = readFileStart(path, headerPart);
    ScanResult result = scanSliceHeader(bytes.data(), bytes.size(), header);
    const bool whole = static_cast<long long>(bytes.size()) >= state.size;
    // A part that ends exactly between two elements holds no Pixel Data either.
    const bool partEnded = result == ScanResult::NeedsMore || (result == ScanResult::Read && !header.image);
    if (partEnded && !whole) {
        bytes = readFileStart(path, static_cast<size_t>(state.size));
        result = scanSliceHeader(bytes.data(), bytes.size(), header);
    }
    if (result == ScanResult::Deflated) {
        if (!whole) bytes = readFileStart(path, static_cast<size_t>(state.size));
        const DecodedDicom decoded = decodeDicom(bytes, path);
        result = scanSliceHeader(decoded.file.data(), decoded.file.size(), header);
    }
    if (result != ScanResult::Read) header = SliceHeader();
    return header;
}

} // namespace

const SliceHeader& cachedSliceHeader(const std::string& path)
{
    static std::unordered_map<std::string, Entry> entries;
    static const SliceHeader none;

    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return none;
    const FileState state{static_cast<unsigned long long>(status.st_ino), static_cast<long long>(status.st_size),
                          static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec};
    if (const auto found = entries.find(path); found != entries.end() && found->second.state == state)
        return found->second.header;
    if (entries.size() >= mostEntries) entries.clear();
    Entry& entry = entries[path];
    entry = {state, readHeader(path, state)};
    return entry.header;
}
