// Listing the current image's folder in name order, and the wheel's index steps.
#include "FileList.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(FileList, FolderOfPath)
{
    EXPECT_EQ(folderOf("/data/ct/IM1"), "/data/ct/");
    EXPECT_EQ(folderOf("/IM1"), "/");
    EXPECT_EQ(folderOf("IM1"), "");
    EXPECT_EQ(folderOf(""), "");
    EXPECT_EQ(folderOf("/data/ct/"), "/data/ct/");
}

TEST(FileList, NaturalOrder)
{
    std::vector<std::string> names = {"IM10",
                                      "im3",
                                      "IM2",
                                      "IM1",
                                      "im1",
                                      "IM01",
                                      "b",
                                      "A",
                                      "IM1a",
                                      "IM",
                                      "slice007.dcm",
                                      "slice7.dcm",
                                      "slice70.dcm",
                                      "x99999999999999999999",
                                      "x100000000000000000000"};
    std::sort(names.begin(), names.end(), naturalLess);
    const std::vector<std::string> expected = {"A",
                                               "b",
                                               "IM",
                                               "IM01",
                                               "IM1",
                                               "im1",
                                               "IM1a",
                                               "IM2",
                                               "im3",
                                               "IM10",
                                               "slice007.dcm",
                                               "slice7.dcm",
                                               "slice70.dcm",
                                               "x99999999999999999999",
                                               "x100000000000000000000"};
    EXPECT_EQ(names, expected);
    EXPECT_FALSE(naturalLess("IM2", "IM2"));

    // A digit orders against other characters by its own code; runs of equal value go
    // on with what follows them, and names equal in all that go by their bytes.
    names = {"a_1", "a1", "a-1", "a.1", "a00", "a0", "a01b", "a1a", "a\xE9", "A1"};
    std::sort(names.begin(), names.end(), naturalLess);
    EXPECT_EQ(names, (std::vector<std::string>{"a-1", "a.1", "a0", "a00", "A1", "a1", "a1a", "a01b", "a_1", "a\xE9"}));
}

TEST(FileList, ListsFilesOfTheFolderInNameOrder)
{
    TempFolder folder;
    for (const char* name : {"IM10", "IM2", "im1", ".hidden"}) folder.write(name, {1});
    std::filesystem::create_directory(folder.path() / "IM3");
    // A link counts as what it leads to; one that leads nowhere, as a file.
    std::filesystem::create_directory_symlink(folder.path() / "IM3", folder.path() / "IM4");
    std::filesystem::create_symlink(folder.path() / "IM2", folder.path() / "IM5");
    std::filesystem::create_symlink(folder.path() / "gone", folder.path() / "IM6");
    const std::string prefix = folder.path().string() + "/";
    EXPECT_EQ(folderFiles(prefix), (std::vector<std::string>{prefix + ".hidden", prefix + "im1", prefix + "IM2",
                                                             prefix + "IM5", prefix + "IM6", prefix + "IM10"}));
}

TEST(FileList, FolderIsListedInTheNaturalOrder)
{
    std::vector<std::string> names = {"a_1", "a1",    "a-1", "a.1",  "a00", "a0",  "a01b",
                                      "a1a", "a\xE9", "A1",  "IM10", "im3", "IM01"};
    TempFolder folder;
    for (const std::string& name : names) folder.write(name, {1});
    std::sort(names.begin(), names.end(), naturalLess);
    const std::string prefix = folder.path().string() + "/";
    std::vector<std::string> expected;
    for (const std::string& name : names) expected.push_back(prefix + name);
    EXPECT_EQ(folderFiles(prefix), expected);
}

TEST(FileList, EmptyFolderTextListsTheCurrentFolder)
{
    TempFolder folder;
    folder.write("b1", {});
    folder.write("a", {});
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const auto files = folderFiles("");
    std::filesystem::current_path(previous);
    EXPECT_EQ(files, (std::vector<std::string>{"a", "b1"}));
}

TEST(FileList, UnreadableFolderGivesAnEmptyList) { EXPECT_TRUE(folderFiles("/no/such/folder/").empty()); }

TEST(FileList, WheelSteps)
{
    struct Case {
        int index, count, delta, expected;
    };
    for (const Case& c : {Case{1, 3, 120, 2}, Case{2, 3, 120, 2}, Case{1, 3, -120, 0}, Case{0, 3, -120, 0},
                          Case{1, 3, 0, 0}, Case{0, 1, 120, 0}, Case{0, 0, 120, 0}}) {
        EXPECT_EQ(wheelStep(c.index, c.count, c.delta), c.expected) << c.index << " " << c.count << " " << c.delta;
    }
}

} // namespace
