#pragma once
// A file the test cannot read: mode 000, and, since root reads any file, the user
// "nobody" for as long as the object lives, real and effective alike, so that the programs
// the test starts run as a plain user would (a real user other than the effective one
// would start them in the loader's secure mode). The saved user stays root, so the test
// takes its own identity back at the end. Folders the test reads must let others in.
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class UnreadableFile {
public:
    explicit UnreadableFile(std::filesystem::path file) : file_(std::move(file))
    {
        chmod(file_.c_str(), 0);
        if (geteuid() == 0) asNobody_ = setresgid(nobody, nobody, 0) == 0 && setresuid(nobody, nobody, 0) == 0;
    }
    ~UnreadableFile()
    {
        if (asNobody_) {
            (void)setresuid(0, 0, 0);
            (void)setresgid(0, 0, 0);
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
