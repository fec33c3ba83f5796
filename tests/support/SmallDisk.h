#pragma once
// A small tmpfs mounted for a test's lifetime, to show what a write does on a full disk.
// Mounting needs root (or CAP_SYS_ADMIN); where it is not allowed, mounted() is false
// and the test skips with a note.
#include "TestFiles.h"

#include <cstddef>
#include <filesystem>

class SmallDisk {
public:
    explicit SmallDisk(size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return folder_.path(); }

    // Takes the disk's space with a filler file until only about `left` bytes are free.
    void fillLeaving(size_t left) const;
    void removeFiller() const;

private:
    std::filesystem::path filler() const { return path() / ".filler"; }
    TempFolder folder_;
    bool mounted_ = false;
};

inline constexpr const char* SmallDiskSkipNote = "mounting a small tmpfs is not allowed here (needs root)";
