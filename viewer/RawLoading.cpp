#include "RawLoading.h"

#include "AppError.h"
#include "Arithmetic.h"
#include "Convert.h"

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::string> splitAtBlanks(const std::string& text)
{
    std::vector<std::string> tokens(1);
    for (char c : text) {
        if (c == ' ') tokens.emplace_back();
        else tokens.back() += c;
    }
    return tokens;
}

} // namespace

FileNameGeometry parseFileName(const std::string& path)
{
    std::string base = path.substr(path.find_last_of(std::filesystem::path::preferred_separator) + 1);
    base = base.substr(0, base.find('.'));

    FileNameGeometry g;
    const auto tokens = splitAtBlanks(base);
    if (tokens.size() > 1) g.columns = tokens[1];
    if (tokens.size() > 2) g.rows = tokens[2];
    for (size_t i = 3; i < tokens.size(); ++i) g.sizeAnswer += (i > 3 ? " " : "") + tokens[i];
    g.pixelSpacing = g.sizeAnswer;
    if (const auto p = g.pixelSpacing.find('p'); p != std::string::npos) g.pixelSpacing[p] = '.';
    return g;
}

std::string guessMatrixSize(int64_t fileSize, int bytesPerPixel)
{
    const long double side = std::sqrt(static_cast<long double>(fileSize) / bytesPerPixel);
    long long n = 0;
    if (side == std::trunc(side)) {
        n = static_cast<long long>(side);
    } else {
        const long long rounded = roundHalfEven(side);
        n = 64;
        while (n <= rounded) n *= 2;
    }
    return std::to_string(n) + " " + std::to_string(n);
}

namespace {

// An open file, closed when it goes out of scope.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (fd >= 0) close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    const int fd;
};

} // namespace

// Read with the system's own calls rather than a file stream, whose setting up and
// separate folder check cost a fifth again of reading a slice from the page cache.
std::vector<uint8_t> readWholeFile(const std::string& path)
{
    const OpenFile file(path);
    struct stat status {};
    if (file.fd < 0 || fstat(file.fd, &status) != 0 || S_ISDIR(status.st_mode)) throw AppError(Msg::cannotOpen(path));
    if (status.st_size <= 0) throw AppError(Msg::fileEmpty(path));

    std::vector<uint8_t> bytes(static_cast<size_t>(status.st_size));
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t got = read(file.fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) throw AppError(Msg::cannotOpen(path));
        done += static_cast<size_t>(got);
    }
    return bytes;
}

std::vector<uint8_t> readFileStart(const std::string& path, size_t limit)
{
    const OpenFile file(path);
    std::vector<uint8_t> bytes(limit);
    size_t done = 0;
    while (file.fd >= 0 && done < bytes.size()) {
        const ssize_t got = read(file.fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

MatrixSize parseSizeAnswer(const std::string& answer)
{
    const auto blank = answer.find(' ');
    if (blank == std::string::npos) {
        const int32_t n = toInt(answer);
        return {n, n};
    }
    return {toInt(answer.substr(0, blank)), toInt(answer.substr(blank + 1))};
}
