#include "SeriesMeasurement.h"

#include "AppError.h"
#include "FileList.h"

#include <gtest/gtest.h>

#include <map>

TEST(SeriesMeasurement, NamePartIsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(namePart("/data/series/slice001.dcm"), "slice001.dcm");
    EXPECT_EQ(namePart("slice001.dcm"), "slice001.dcm");
    EXPECT_EQ(namePart("/data/"), "");
}

TEST(SeriesMeasurement, MiddleOfTheListUpToTheFirstEmptyEntry)
{
    EXPECT_EQ(middleIndex(leadingEntries(std::vector<std::string>(7, "f"))), 3);
    EXPECT_EQ(middleIndex(leadingEntries(std::vector<std::string>(8, "f"))), 4);
    EXPECT_EQ(leadingEntries({"a", "b", "", "c"}), 2);
    EXPECT_EQ(middleIndex(leadingEntries({})), 0);
}

TEST(SeriesMeasurement, IntervalKeepsItsSignAndStepFollowsIt)
{
    EXPECT_EQ(sliceIntervalText("-20.0", "-19.5"), "0.5");
    EXPECT_EQ(sliceIntervalText("10.00", "9.25"), "-0.75");
    EXPECT_EQ(frequencyStepText("0.5", 40), "0.05");
    EXPECT_EQ(frequencyStepText("-0.5", 40), "-0.05");
}

TEST(SeriesMeasurement, FailuresCarryTheSystemMessages)
{
    try {
        sliceIntervalText("abc", "1");
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "'abc' は浮動小数点数ではありません");
    }
    try {
        frequencyStepText("0", 40);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
    }
}

namespace {

// Records the loop's calls; the load of the file named `failing` fails.
class RecordedSlices final : public SeriesSlices {
public:
    std::vector<std::string> calls;
    std::map<std::pair<int, int>, std::string> cells;
    std::string failing;

    void load(const std::string& path) override
    {
        calls.push_back("load " + path);
        if (path == failing) throw AppError(Msg::cannotOpen(path));
        loaded_ = path;
    }
    std::string thickness() const override { return "t" + namePart(loaded_); }
    std::string position() const override { return "p" + namePart(loaded_); }
    std::string measureMean() override
    {
        calls.push_back("stat");
        return "m" + namePart(loaded_);
    }
    void setCell(int column, int row, const std::string& text) override { cells[{column, row}] = text; }

private:
    std::string loaded_;
};

} // namespace

TEST(SeriesMeasurement, EachRowNamesTheSliceWhoseValuesItHolds)
{
    RecordedSlices slices;
    measureSeries({"/s/a.dcm", "/s/b.dcm"}, slices);
    EXPECT_EQ(slices.calls, (std::vector<std::string>{"load /s/a.dcm", "stat", "load /s/b.dcm", "stat"}));
    const std::map<std::pair<int, int>, std::string> expected{
        {{0, 1}, "1"}, {{1, 1}, "a.dcm"}, {{2, 1}, "ta.dcm"}, {{3, 1}, "pa.dcm"}, {{4, 1}, "ma.dcm"},
        {{0, 2}, "2"}, {{1, 2}, "b.dcm"}, {{2, 2}, "tb.dcm"}, {{3, 2}, "pb.dcm"}, {{4, 2}, "mb.dcm"}};
    EXPECT_EQ(slices.cells, expected);
}

TEST(SeriesMeasurement, AFailedLoadLeavesTheRowsBeforeItAndItsNumberAndName)
{
    RecordedSlices slices;
    slices.failing = "/s/b.dcm";
    EXPECT_THROW(measureSeries({"/s/a.dcm", "/s/b.dcm", "/s/c.dcm"}, slices), AppError);
    EXPECT_EQ(slices.cells.at({4, 1}), "ma.dcm");
    EXPECT_EQ(slices.cells.at({1, 2}), "b.dcm");
    EXPECT_EQ(slices.cells.count({2, 2}), 0u);
    EXPECT_EQ(slices.cells.count({0, 3}), 0u);
}
