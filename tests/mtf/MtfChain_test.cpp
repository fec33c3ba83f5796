#include "MtfChain.h"

#include "AppError.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class Edits final : public MtfEdits {
public:
    std::map<MtfEdit, std::string> texts;
    std::string text(MtfEdit e) const override { return texts.count(e) ? texts.at(e) : std::string(); }
    void setText(MtfEdit e, const std::string& t) override { texts[e] = t; }
};

class Stages final : public MtfDisplay {
public:
    std::vector<std::string> seen;
    void profileReady() override { seen.push_back("profile"); }
    void mtfPage() override { seen.push_back("mtf page"); }
    void mtfReady() override { seen.push_back("mtf"); }
};

const std::vector<std::string> elevenSamples{"5", "5", "6", "10", "40", "100", "50", "12", "6", "5", "5"};

Edits editsAfterCal(const std::string& spacing)
{
    Edits e;
    e.texts = {{MtfEdit::SliceInterval, spacing}, {MtfEdit::SliceThickness, "1"}, {MtfEdit::LSFgnd, "11"},
               {MtfEdit::LSFgdx, spacing},        {MtfEdit::MTFgnd, "11"},        {MtfEdit::MTFgdx, "0.1"}};
    return e;
}

} // namespace

TEST(MtfChain, TheElevenSampleProfileGivesTheWindowsTexts)
{
    Edits e = editsAfterCal("1");
    Stages stages;
    auto ws = std::make_unique<MtfWorkspace>();
    processProfile(elevenSamples, e, *ws, stages);

    EXPECT_EQ(stages.seen, (std::vector<std::string>{"profile", "mtf page", "mtf"}));
    EXPECT_EQ(e.text(MtfEdit::LSFgnd), "11");
    EXPECT_EQ(e.text(MtfEdit::FWHM), "1.74166666666667");
    EXPECT_EQ(e.text(MtfEdit::MaxPoint), "5.07916666666667");
    EXPECT_EQ(e.text(MtfEdit::MTFgnd), "27");
    EXPECT_EQ(e.text(MtfEdit::MTFgdx), "0.0181818181818182");
    EXPECT_EQ(e.text(MtfEdit::Frq), "0.574162679425836");
    EXPECT_FALSE(e.text(MtfEdit::MTF).empty());

    const SSPzMemoTexts memos = sspzMemos(e, *ws);
    EXPECT_EQ(memos.absolute.substr(0, memos.absolute.find("\r\n", 0) + 2), "mm\taSSPz 1 1\r\n");
    EXPECT_NE(memos.absolute.find("-5.07916666666667\t0\r\n"), std::string::npos);
    const std::string mtf = mtfMemo(e, *ws);
    EXPECT_EQ(mtf.substr(0, mtf.find("0.0181818181818182")), "c/mm\tMTF 1 1\r\n0\t1\r\n");
    EXPECT_NE(mtf.find("0.0181818181818182\t0.995011200601797\r\n"), std::string::npos);
}

TEST(MtfChain, AZeroSpacingStopsTheMtfStageAfterTheProfileIsShown)
{
    Edits e = editsAfterCal("0");
    e.texts[MtfEdit::SliceInterval] = "1";
    Stages stages;
    auto ws = std::make_unique<MtfWorkspace>();
    try {
        processProfile(elevenSamples, e, *ws, stages);
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), Msg::floatDivByZero);
    }
    EXPECT_EQ(stages.seen, (std::vector<std::string>{"profile"}));
    EXPECT_EQ(e.text(MtfEdit::FWHM), "1.74166666666667");
    EXPECT_EQ(e.text(MtfEdit::MTFgdx), "0.1"); // kept from before
}

TEST(MtfChain, EditsThatDoNotConvertStopTheChainBeforeItReadsTheTable)
{
    Edits e = editsAfterCal("1");
    e.texts[MtfEdit::SliceInterval] = "x";
    Stages stages;
    auto ws = std::make_unique<MtfWorkspace>();
    EXPECT_THROW(processProfile(elevenSamples, e, *ws, stages), AppError);
    EXPECT_EQ(ws->N, 0);
    EXPECT_TRUE(stages.seen.empty());
}
