// Ordering the slices of a series by position, and the checks "Cal." makes of them,
// on folders of slices written here.
#include "AppError.h"
#include "DicomSlices.h"
#include "NumberFormat.h"
#include "SeriesOrder.h"
#include "TestFiles.h"
#include "Unreadable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include <cerrno>

namespace {

SliceSpec at(double z, const std::string& series = "1.2.3.4")
{
    SliceSpec fields;
    fields.seriesUid = series;
    fields.position = std::array<double, 3>{-10, -10, z};
    fields.orientation = std::array<double, 6>{1, 0, 0, 0, 1, 0};
    return fields;
}

class SeriesOrderTest : public ::testing::Test {
protected:
    TempFolder folder;

    std::string write(const std::string& name, const SliceSpec& fields) const
    {
        return folder.write(name, dicomSlice(fields)).string();
    }
    std::string path(const std::string& name) const { return (folder.path() / name).string(); }
    std::vector<std::string> paths(std::initializer_list<const char*> names) const
    {
        std::vector<std::string> result;
        for (const char* name : names) result.push_back(path(name));
        return result;
    }
};

} // namespace

TEST_F(SeriesOrderTest, NamesInAnyOrderGiveThePositionOrder)
{
    // Names against positions: shuffled, reversed, and UIDs that sort neither way.
    write("IM3", at(-1));
    write("IM1", at(0.5));
    write("IM10", at(-0.5));
    write("IM2", at(0));
    const OrderedSeries series = orderedSeries(path("IM1"));
    EXPECT_EQ(series.slices, paths({"IM3", "IM10", "IM2", "IM1"}));
    EXPECT_EQ(series.note, Msg::seriesInPositionOrder(4));
}

TEST_F(SeriesOrderTest, PositionsGoAlongTheSliceNormal)
{
    // Rows along x and columns along -y: the normal points down z, so the highest z comes first.
    for (double z : {1.0, 2.0, 3.0}) {
        SliceSpec fields = at(z);
        fields.orientation = std::array<double, 6>{1, 0, 0, 0, -1, 0};
        write("z" + formatGeneral(z), fields);
    }
    EXPECT_EQ(orderedSeries(path("z1")).slices, paths({"z3", "z2", "z1"}));

    // A sagittal series lies along x, whatever its z; its normal points to the patient's right (-x).
    SliceSpec left = at(5), right = at(0);
    left.seriesUid = right.seriesUid = "9.9";
    left.orientation = right.orientation = std::array<double, 6>{0, 1, 0, 0, 0, -1};
    (*left.position)[0] = -20;
    (*right.position)[0] = 20;
    write("s-right", right);
    write("s-left", left);
    EXPECT_EQ(orderedSeries(path("s-left")).slices, paths({"s-right", "s-left"}));
}

TEST_F(SeriesOrderTest, WithoutOrientationTheZComponentOrders)
{
    SliceSpec high = at(7), low = at(-7);
    high.orientation.reset();
    low.orientation.reset();
    write("a", high);
    write("b", low);
    EXPECT_EQ(orderedSeries(path("a")).slices, paths({"b", "a"}));
}

TEST_F(SeriesOrderTest, OtherSeriesAndFilesThatAreNoImagesAreLeftOut)
{
    write("a1", at(1, "1.1"));
    write("a2", at(2, "1.1"));
    write("b1", at(1.5, "2.2"));
    folder.write("notes.txt", {'h', 'i', '\n'});
    const OrderedSeries first = orderedSeries(path("a2"));
    EXPECT_EQ(first.slices, paths({"a1", "a2"}));
    EXPECT_EQ(first.note, Msg::seriesInPositionOrder(2) + Msg::filesLeftOut(2));
    EXPECT_EQ(orderedSeries(path("b1")).slices, paths({"b1"}));
    // A folder stands for the series of its first image by name.
    EXPECT_EQ(orderedSeries(folder.path().string() + "/").slices, paths({"a1", "a2"}));
    // A file that is no image lists the folder as a raw folder does.
    const OrderedSeries raw = orderedSeries(path("notes.txt"));
    EXPECT_EQ(raw.slices, paths({"a1", "a2", "b1", "notes.txt"}));
    EXPECT_EQ(raw.note, "");
}

TEST_F(SeriesOrderTest, ASliceWithoutPositionKeepsTheNameOrderAndSaysSo)
{
    write("IM2", at(-5));
    write("IM10", at(-6));
    SliceSpec unplaced = at(0);
    unplaced.position.reset();
    write("IM1", unplaced);
    const OrderedSeries series = orderedSeries(path("IM2"));
    EXPECT_EQ(series.slices, paths({"IM1", "IM2", "IM10"}));
    EXPECT_EQ(series.note, Msg::seriesInNameOrder(3));
    EXPECT_EQ(seriesSpacingProblem(series.slices), ""); // nothing to check without positions
}

TEST_F(SeriesOrderTest, EqualPositionsKeepTheNameOrder)
{
    write("IM2", at(0));
    write("IM1", at(0));
    write("IM10", at(0));
    EXPECT_EQ(orderedSeries(path("IM10")).slices, paths({"IM1", "IM2", "IM10"}));
}

TEST_F(SeriesOrderTest, AChangedFileIsReadAgain)
{
    write("a", at(1));
    write("b", at(2));
    EXPECT_EQ(orderedSeries(path("a")).slices, paths({"a", "b"}));
    // Rewritten with the same size: only the modification time tells.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    write("a", at(3));
    EXPECT_EQ(orderedSeries(path("a")).slices, paths({"b", "a"}));
}

// Two slices of one size exchanged in place, their modification times set back: only
// the change time tells that they changed.
TEST_F(SeriesOrderTest, SlicesSwappedInPlaceAreReadAgain)
{
    write("a", at(1));
    write("b", at(2));
    EXPECT_EQ(orderedSeries(path("a")).slices, paths({"a", "b"}));
    const auto timeA = std::filesystem::last_write_time(path("a")), timeB = std::filesystem::last_write_time(path("b"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    write("a", at(2));
    write("b", at(1));
    std::filesystem::last_write_time(path("a"), timeA);
    std::filesystem::last_write_time(path("b"), timeB);
    EXPECT_EQ(orderedSeries(path("a")).slices, paths({"b", "a"}));
}

// A slice that cannot be read, at an end of the series or in its middle, refuses the
// series by its name and the system's reason, instead of leaving it out as no image.
TEST_F(SeriesOrderTest, AnUnreadableSliceRefusesTheSeries)
{
    std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
    for (const char* name : {"s1", "s3", "s5"}) {
        SCOPED_TRACE(name);
        for (int i = 1; i <= 5; ++i) write("s" + std::to_string(i), at(i));
        const UnreadableFile unreadable(path(name));
        if (!unreadable.unreadable()) GTEST_SKIP() << "the test's user reads a file of mode 000";
        const std::string expected = Msg::cannotRead(path(name), std::strerror(EACCES));
        for (const char* shown : {"s2", "s4"}) {
            try {
                orderedSeries(path(shown));
                ADD_FAILURE() << "not refused";
            } catch (const AppError& e) {
                EXPECT_EQ(e.what(), expected);
            }
        }
        EXPECT_THROW(refuseUnreadableFiles(paths({"s2", name})), AppError);
    }
    EXPECT_NO_THROW(refuseUnreadableFiles(paths({"s1", "s2", "s3", "s4", "s5"})));
    EXPECT_EQ(orderedSeries(path("s2")).slices, paths({"s1", "s2", "s3", "s4", "s5"}));
}

TEST_F(SeriesOrderTest, SpacingProblemsNameTheSlicesAndPositions)
{
    struct Case {
        std::vector<double> positions;
        std::string problem; // with the slices named s0, s1, ...
    };
    const Case cases[] = {
        {{0, 0.5, 1, 1.5}, ""},
        {{0, 0.5, 1.04, 1.5}, ""}, // within a tenth of the interval
        {{0, 0.5, 0.5, 1.5}, Msg::samePosition("s1", "s2", "0.5")},
        {{0, 0.5, 1.5, 2, 2.5}, Msg::irregularSpacing("s1", "0.5", "s2", "1.5", "0.5")},
        {{0, 0.5, 1, 1.2, 1.5}, Msg::irregularSpacing("s2", "1", "s3", "1.2", "0.5")},
        {{3, 2, 1, 0}, ""}, // downwards, as a list in another order might hold them
        {{7}, ""},
    };
    int folderNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        // A folder of its own for each case: a file rewritten at once may keep its time.
        const std::string sub = "case" + std::to_string(folderNumber++) + "/";
        std::filesystem::create_directory(folder.path() / sub);
        std::vector<std::string> slices;
        for (size_t i = 0; i < c.positions.size(); ++i)
            slices.push_back(write(sub + "s" + std::to_string(i), at(c.positions[i])));
        EXPECT_EQ(seriesSpacingProblem(slices), c.problem);
    }
}
