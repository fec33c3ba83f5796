#include "SeriesMeasurement.h"

#include "AppError.h"

#include <gtest/gtest.h>

TEST(SeriesMeasurement, NamePartIsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(NamePart("/data/series/slice001.dcm"), "slice001.dcm");
    EXPECT_EQ(NamePart("slice001.dcm"), "slice001.dcm");
    EXPECT_EQ(NamePart("/data/"), "");
}

TEST(SeriesMeasurement, MiddleOfTheListUpToTheFirstEmptyEntry)
{
    EXPECT_EQ(MiddleIndex(LeadingEntries(std::vector<std::string>(7, "f"))), 3);
    EXPECT_EQ(MiddleIndex(LeadingEntries(std::vector<std::string>(8, "f"))), 4);
    EXPECT_EQ(LeadingEntries({"a", "b", "", "c"}), 2);
    EXPECT_EQ(MiddleIndex(LeadingEntries({})), 0);
}

TEST(SeriesMeasurement, IntervalKeepsItsSignAndStepFollowsIt)
{
    EXPECT_EQ(SliceIntervalText("-20.0", "-19.5"), "0.5");
    EXPECT_EQ(SliceIntervalText("10.00", "9.25"), "-0.75");
    EXPECT_EQ(FrequencyStepText("0.5", 40), "0.05");
    EXPECT_EQ(FrequencyStepText("-0.5", 40), "-0.05");
}

TEST(SeriesMeasurement, FailuresCarryTheSystemMessages)
{
    try {
        SliceIntervalText("abc", "1");
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "'abc' は浮動小数点数ではありません");
    }
    try {
        FrequencyStepText("0", 40);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
    }
}
