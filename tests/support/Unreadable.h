#pragma once
// A file the test cannot read: mode 000, and, since root reads any file, the effective
// user "nobody" for as long as the object lives (the real user stays, so the test
// takes its own identity back at the end). Folders the test reads must let others in.
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class UnreadableFile {
public:
    explicit UnreadableFile(std::filesystem::path file) : file_(std::move(file))
    {
        chmod(file_.c_str(), 0);
        if (geteuid() == 0) asNobody_ = setegid(nobody) == 0 && seteuid(nobody) == 0;
    }
    ~UnreadableFile()
    {
        if (asNobody_) {
            (void)seteuid(0);
            (void)setegid(0);
        }
        chmod(file_.c_str(), 0644);
    }
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    // False where the file can still be read (root that cannot become another user).
    bool unreadable() const { return faccessat(AT_FDCWD, file_.c_str(), R_OK, AT_EACCESS) != 0; }

private:
    static constexpr uid_t nobody = 65534;
    std::filesystem::path file_;
    bool asNobody_ = false;
};
