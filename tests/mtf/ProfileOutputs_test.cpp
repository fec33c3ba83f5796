#include "ProfileOutputs.h"

#include "Convert.h"
#include "MtfTransform.h"
#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text must end with CR LF";
    return out;
}

struct Eleven {
    ProfileArrays p;
    SpectrumArrays s;
    Eleven()
    {
        const double a[] = {0, 0, 1, 5, 35, 95, 45, 7, 1, 0, 0};
        for (int k = 0; k < 11; ++k) {
            p.aSSPz[k] = a[k];
            p.pSSPz[k] = a[k] / 95 * 100;
        }
        computeMtfValues(p.aSSPz, 11, s);
    }
};

} // namespace

TEST(ProfileOutputs, SSPzMemosOfTheElevenSampleProfile)
{
    Eleven e;
    const SSPzMemoTexts t =
        buildSSPzMemos(memoHeaderTail("1", "1"), e.p.aSSPz, e.p.pSSPz, 11, 1, toFloat("5.07916666666667"));
    const auto a = lines(t.absolute);
    const auto r = lines(t.relative);
    ASSERT_EQ(a.size(), 12u);
    ASSERT_EQ(r.size(), 12u);
    EXPECT_EQ(a[0], "mm\taSSPz 1 1");
    EXPECT_EQ(r[0], "mm\t%SSPz 1 1");
    EXPECT_EQ(a[1], "-5.07916666666667\t0");
    EXPECT_EQ(a[6].substr(a[6].find('\t') + 1), "95");
    EXPECT_EQ(r[6].substr(r[6].find('\t') + 1), "100");
}

TEST(ProfileOutputs, MtfMemoOfTheElevenSampleProfile)
{
    Eleven e;
    const long double step = toFloat(formatGeneral(frequencyStep(1, 55)));
    const auto m = lines(buildMtfMemo(memoHeaderTail("1", "SThick"), e.s.MTFValues, 27, step));
    ASSERT_EQ(m.size(), 28u);
    EXPECT_EQ(m[0], "c/mm\tMTF 1 SThick");
    EXPECT_EQ(m[1], "0\t1");
    EXPECT_EQ(m[2], "0.0181818181818182\t0.995011200601797");
    EXPECT_EQ(lines(buildMtfMemo(memoHeaderTail("1", "1"), e.s.MTFValues, 10, step)).size(), 11u);
}

TEST(ProfileOutputs, NegativeSpacingRunsFromPositiveToNegative)
{
    Eleven e;
    PlotArrays plot;
    ASSERT_EQ(fillSSPzPlot(plot, e.p.pSSPz, 11, -0.5L, 5), 11);
    EXPECT_EQ(plot.PlotX[0], 2.5);
    EXPECT_EQ(plot.PlotX[10], -2.5);
    EXPECT_EQ(plot.PlotY[5], 100);
}

TEST(ProfileOutputs, CountsAreClippedToTheArrays)
{
    Eleven e;
    PlotArrays plot;
    EXPECT_EQ(fillMtfPlot(plot, e.s, 100000, 0.01L), MtfArraySize);
    EXPECT_EQ(fillMtfPlot(plot, e.s, -3, 0.01L), 0);
    EXPECT_EQ(fillSSPzPlot(plot, e.p.pSSPz, 3000, 1, 0), MtfArraySize);
    EXPECT_EQ(lines(buildMtfMemo("\r\n", e.s.MTFValues, 5000, 0.01L)).size(), static_cast<size_t>(MtfArraySize + 1));
    EXPECT_EQ(lines(buildSSPzMemos("\r\n", e.p.aSSPz, e.p.pSSPz, -1, 1, 0).absolute).size(), 1u);
}
