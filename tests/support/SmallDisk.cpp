#include "SmallDisk.h"

#include <fstream>
#include <string>
#include <vector>

#include <sys/mount.h>
#include <sys/statvfs.h>

SmallDisk::SmallDisk(size_t bytes)
{
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = mount("tmpfs", path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (mounted_) umount2(path().c_str(), MNT_DETACH);
}

void SmallDisk::fillLeaving(size_t left) const
{
    removeFiller();
    struct statvfs disk {};
    if (statvfs(path().c_str(), &disk) != 0) return;
    const size_t free = static_cast<size_t>(disk.f_bavail) * disk.f_frsize;
    if (free <= left) return;
    const std::vector<char> bytes(free - left);
    std::ofstream(filler(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void SmallDisk::removeFiller() const
{
    std::error_code ignored;
    std::filesystem::remove(filler(), ignored);
}
