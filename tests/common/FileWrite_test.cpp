#include "FileWrite.h"

#include "AppError.h"
#include "ErrorMessage.h"
#include "SmallDisk.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

long entries(const std::filesystem::path& folder)
{
    return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
}

} // namespace

TEST(FileWrite, ReplacesAFileWholeAndLeavesNothingElse)
{
    TempFolder folder;
    const std::string path = (folder.path() / "a.dcm").string();
    writeFileAtomically(path, "first");
    writeFileAtomically(path, "second, longer");
    EXPECT_EQ(readFile(path), bytesOf("second, longer"));
    EXPECT_EQ(entries(folder.path()), 1);

    const std::string missing = (folder.path() / "none" / "b.dcm").string();
    EXPECT_EQ(errorMessageOf([&] { writeFileAtomically(missing, "x"); }),
              Msg::fileNotWritten(missing, std::strerror(ENOENT)));
}

// A disk that fills part-way through: the earlier file stays, whole, and nothing of the
// new one is left behind.
TEST(FileWrite, AFullDiskLeavesTheEarlierFile)
{
    const SmallDisk disk(256 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << SmallDiskSkipNote;
    const std::string path = (disk.path() / "slice.dcm").string();
    writeFileAtomically(path, "earlier");
    for (const size_t left : {0, 4096, 16384}) {
        disk.fillLeaving(left);
        EXPECT_EQ(errorMessageOf([&] { writeFileAtomically(path, std::string(64 * 1024, 'n')); }),
                  Msg::fileNotWritten(path, std::strerror(ENOSPC)));
        disk.removeFiller();
        EXPECT_EQ(readFile(path), bytesOf("earlier"));
        EXPECT_EQ(entries(disk.path()), 1);
    }
}
