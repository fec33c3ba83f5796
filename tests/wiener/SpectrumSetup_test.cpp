#include "SpectrumSetup.h"

#include "AppError.h"

#include <gtest/gtest.h>

#include <map>

TEST(SpectrumSetup, LoadDerivesSegmentsAndShiftsFromTheRoiWidth)
{
    struct Case {
        std::string roiWidth;
        SegmentTexts expected;
    };
    for (const Case& c : {Case{"64", {"16", "16", "8", "8"}}, Case{"256", {"64", "16", "32", "8"}},
                          Case{"66", {"16", "16", "8", "8"}}, Case{"512", {"128", "16", "64", "8"}}}) {
        const SegmentTexts t = loadSegments(c.roiWidth);
        EXPECT_EQ(
            std::vector<std::string>({t.segmentX, t.segmentY, t.shiftX, t.shiftY}),
            std::vector<std::string>({c.expected.segmentX, c.expected.segmentY, c.expected.shiftX, c.expected.shiftY}))
            << "ROI width " << c.roiWidth;
    }
    EXPECT_THROW(loadSegments(""), AppError);
}

TEST(SpectrumSetup, TheSwitchExchangesXAndYAndBackAgain)
{
    const SegmentTexts loaded = loadSegments("256");
    const SegmentTexts y = exchanged(loaded);
    EXPECT_EQ(y.segmentX, "16");
    EXPECT_EQ(y.segmentY, "64");
    EXPECT_EQ(y.shiftX, "8");
    EXPECT_EQ(y.shiftY, "32");
    EXPECT_EQ(exchanged(y).segmentX, "64");
}

namespace {

SpectrumTexts someTexts()
{
    SpectrumTexts t;
    t.imageWidth = "64";
    t.factor = "1.0";
    t.offset = "";
    t.segments = loadSegments("64");
    t.roiWidth = t.roiHeight = "64";
    t.limit = "10000";
    t.header = "0";
    t.bandDegree = t.segmentDegree = "1";
    t.pixelSpacing = "0.5";
    return t;
}

} // namespace

TEST(SpectrumSetup, AnEmptyOffsetCountsAsZeroAndLateTextsFailWhenRead)
{
    SpectrumTexts t = someTexts();
    t.bandTrend = true;
    t.bandDegree = "two";
    t.pixelSpacing = "";
    const SpectrumParameters p = spectrumParameters(t);
    EXPECT_EQ(p.offset, 0);
    EXPECT_EQ(p.SgX, 16);
    EXPECT_EQ(p.ShY, 8);
    EXPECT_FALSE(p.bandDegree.converted());
    EXPECT_FALSE(p.pixelSpacing.converted());
}

TEST(SpectrumSetup, TheFirstTextThatDoesNotConvertIsTheOneReported)
{
    SpectrumTexts t = someTexts();
    t.roiWidth = "w";
    t.limit = "l";
    try {
        spectrumParameters(t);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), Msg::notInteger("w"));
    }
}

TEST(SpectrumSetup, TheReportNamesEveryParameter)
{
    SpectrumTexts t = someTexts();
    t.segmentTrend = true;
    t.segmentDegree = "2";
    const NamedValues rows = spectrumParameterRows(t);
    const std::map<std::string, std::string> named(rows.begin(), rows.end());
    EXPECT_EQ(named.at("X/Y"), "X");
    EXPECT_EQ(named.at("SegmentSize"), "16,16");
    EXPECT_EQ(named.at("Trnd"), "off");
    EXPECT_EQ(named.at("Trnd1"), "2");
    EXPECT_EQ(named.at("Window"), "Haming");
    EXPECT_EQ(named.at("mmPS"), "0.5");
}
