#include "FileWrite.h"

#include "AppError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const std::string& path, int error)
{
    throw AppError(Msg::fileNotWritten(path, std::strerror(error)));
}

// Writes every byte, going on after a short write until the system gives an error.
bool writeAll(int fd, const std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

} // namespace

void writeFileAtomically(const std::string& path, const std::string& bytes)
{
    std::string temporary = path + ".XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) fail(path, errno);
    temporary = name.data();
    // Readable by others, as a file written plainly under the usual mask (mkstemp gives 0600).
    const bool written = fchmod(fd, 0644) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
    const int error = errno;
    const bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int reason = !written ? error : errno;
        unlink(temporary.c_str());
        fail(path, reason);
    }
}
