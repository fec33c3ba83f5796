#include "Phantoms.h"
#include "SelfChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool endsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

TEST(SelfChecks, EveryCheckPassesAndSaysSoOnItsLine)
{
    const std::vector<SelfCheck> checks = selfChecks();
    std::ostringstream out;
    EXPECT_EQ(printSelfChecks(checks, out), 0);
    const std::vector<std::string> lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), checks.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind(checks[i].name + "\tmeasured ", 0), 0u) << lines[i];
        EXPECT_TRUE(endsWith(lines[i], "\tPASS\r")) << lines[i];
    }
}

// A measurement made to miss its truth fails its line and the whole check, and only it.
TEST(SelfChecks, OnePerturbedMeasurementFailsTheCheck)
{
    for (const size_t perturbed : {size_t{0}, size_t{5}}) {
        std::vector<SelfCheck> checks = selfChecks();
        ASSERT_GT(checks.size(), perturbed);
        SelfCheck& check = checks[perturbed];
        const double beyond = 1 + 1.5 * check.tolerancePercent / 100;
        check.measure = [measure = check.measure, beyond] { return measure() * beyond; };
        std::ostringstream out;
        EXPECT_EQ(printSelfChecks(checks, out), 1);
        const std::vector<std::string> lines = linesOf(out.str());
        ASSERT_EQ(lines.size(), checks.size());
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_TRUE(endsWith(lines[i], i == perturbed ? "\tFAIL\r" : "\tPASS\r")) << lines[i];
    }
}

TEST(SelfChecks, ALineHoldsMeasuredTruthTolerance)
{
    EXPECT_EQ(selfCheckLine({"FWHM (mm)", 5.06, 5, 1, false}),
              "FWHM (mm)\tmeasured 5.0600\ttruth 5.0000\ttolerance 1 %\tFAIL");
    EXPECT_EQ(selfCheckLine({"f50", 0.37126, 0.37478, 2, true}),
              "f50\tmeasured 0.3713\ttruth 0.3748\ttolerance 2 %\tPASS");
    // A measurement that gives no number never passes.
    EXPECT_FALSE(runSelfCheck({"none", 1, 50, [] { return NAN; }}).passed);
}

// The blurred disk's centre is P(|Y| < R) = 1 − exp(−R²/(2σ²)) (a Rayleigh law), its far
// background 0, and it falls through half its contrast close to the edge.
TEST(Phantoms, BlurredDiskFollowsItsClosedForm)
{
    const double spacing = 0.5, diameter = 3, blur = 1, contrast = 80;
    const HuSlice disk = blurredDiskSlice(64, spacing, diameter, contrast, blur);
    EXPECT_NEAR(disk.at(32, 32), contrast * (1 - std::exp(-1.5 * 1.5 / 2)), 1e-4 * contrast);
    EXPECT_NEAR(disk.at(0, 32), 0.0, 1e-9);
    const HuSlice sharp = blurredDiskSlice(64, spacing, 20, contrast, 0.2);
    EXPECT_NEAR(sharp.at(32 + 20, 32), contrast * 0.5, 0.01 * contrast); // 10 mm from the centre
    EXPECT_NEAR(sharp.at(32 + 16, 32), contrast, 1e-6 * contrast);
}

} // namespace
