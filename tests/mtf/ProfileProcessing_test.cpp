#include "ProfileProcessing.h"

#include "AppError.h"
#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Profile {
    ProfileArrays a;
    int n = 0;
    explicit Profile(const std::vector<double>& values)
    {
        n = static_cast<int>(values.size());
        for (int k = 0; k < n; ++k) a.WorkProfile[k] = values[k];
    }
    int normalise() { return normaliseProfile(a.WorkProfile, n, a.aSSPz, a.pSSPz); }
    std::vector<double> absolute(int m) const { return {a.aSSPz.begin(), a.aSSPz.begin() + m}; }
};

std::string shown(long double v) { return formatGeneral(v); }

} // namespace

TEST(NormaliseProfile, ElevenSampleProfileKeepsEverything)
{
    Profile p({5, 5, 6, 10, 40, 100, 50, 12, 6, 5, 5});
    ASSERT_EQ(p.normalise(), 11);
    EXPECT_EQ(p.absolute(11), (std::vector<double>{0, 0, 1, 5, 35, 95, 45, 7, 1, 0, 0}));
    const std::vector<std::string> relative = {
        "0", "0", "1.05263157894737", "5.26315789473684", "36.8421052631579", "100", "47.3684210526316"};
    for (size_t k = 0; k < relative.size(); ++k) {
        EXPECT_EQ(shown(p.a.pSSPz[k]), relative[k]) << k;
        EXPECT_EQ(p.a.WorkProfile[k], p.a.pSSPz[k]) << k;
    }

    const HalfCrossings c = findHalfCrossings(p.a.WorkProfile, 11);
    EXPECT_NEAR(static_cast<double>(c.left), 4.2083333, 1e-7);
    EXPECT_NEAR(static_cast<double>(c.right), 5.95, 1e-12);
    const FwhmResult r = fwhmFromCrossings(c, 1);
    EXPECT_EQ(shown(r.fwhm), "1.74166666666667");
    EXPECT_EQ(shown(r.centre), "5.07916666666667");
}

TEST(NormaliseProfile, SeventeenSampleProfileCutsTheTailAfterTheRightFoot)
{
    Profile p({5, 5, 5, 5, 5, 6, 10, 40, 100, 50, 12, 6, 5, 7, 9, 9, 9});
    ASSERT_EQ(p.normalise(), 13);
    EXPECT_EQ(p.absolute(13), (std::vector<double>{0, 0, 0, 1, 5, 35, 95, 45, 7, 1, 0, 0, 0}));
    const FwhmResult r = fwhmFromCrossings(findHalfCrossings(p.a.WorkProfile, 13), 2);
    EXPECT_EQ(shown(r.fwhm), "3.48333333333333");
    EXPECT_EQ(shown(r.centre), "6.07916666666667");
}

TEST(NormaliseProfile, HigherLeftFootLowersLeftFlankAndPeakByIt)
{
    // Left foot 20, right foot 4: the left flank and the peak lose 20, the right flank 4.
    Profile p({30, 20, 60, 100, 50, 10, 4, 8});
    ASSERT_EQ(p.normalise(), 8);
    EXPECT_EQ(p.absolute(8), (std::vector<double>{0, 0, 40, 80, 46, 6, 0, 0}));
}

TEST(NormaliseProfile, PlateauPeakTakesTheFirstAndCrossesAfterThePlateau)
{
    Profile p({0, 0, 10, 100, 100, 10, 0, 0});
    ASSERT_EQ(p.normalise(), 8);
    const HalfCrossings c = findHalfCrossings(p.a.WorkProfile, 8);
    EXPECT_NEAR(static_cast<double>(c.left), 2 + 40.0 / 90, 1e-15);
    EXPECT_NEAR(static_cast<double>(c.right), 4 + 50.0 / 90, 1e-15);
}

TEST(NormaliseProfile, PeakNearTheEndsClipsTheKeptRange)
{
    Profile p({0, 50, 100, 40, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(p.normalise(), 7); // samples 0 .. 3 + 3
    EXPECT_EQ(p.absolute(7), (std::vector<double>{0, 50, 100, 40, 0, 0, 0}));
}

TEST(NormaliseProfile, FlatOrEdgePeakFailsWithTheDivisionMessage)
{
    for (const std::vector<double>& values :
         {std::vector<double>{7, 7, 7, 7}, {100, 50, 20, 5}, {1, 5, 20, 100}, {3}}) {
        Profile p(values);
        const MtfArray before = p.a.aSSPz;
        try {
            p.normalise();
            FAIL() << "a profile without a raised peak was normalised";
        } catch (const AppError& e) {
            EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
        }
        EXPECT_EQ(p.a.aSSPz, before);
    }
}

TEST(NormaliseProfile, RefusesMoreValuesThanTheArraysHold)
{
    Profile p({0, 1, 0});
    EXPECT_THROW(normaliseProfile(p.a.WorkProfile, MtfArraySize + 1, p.a.aSSPz, p.a.pSSPz), AppError);
}

TEST(FindHalfCrossings, WalkThatMeetsNoLowSampleFailsInsteadOfLeavingTheArray)
{
    // Every sample above half: both walks would run off the ends of the array.
    MtfArray high{};
    high.fill(50);
    high[100] = 60;
    EXPECT_THROW(findHalfCrossings(high, 200), AppError);
    MtfArray rising{};
    for (int k = 0; k < MtfArraySize; ++k) rising[k] = 100 + k;
    rising[0] = 0;
    EXPECT_THROW(findHalfCrossings(rising, 5000), AppError); // the count is clipped, the walk bounded
}

TEST(FindHalfCrossings, SampleExactlyAtHalfIsTheCrossing)
{
    MtfArray w{};
    const double values[] = {0, 50, 100, 50, 0};
    for (int k = 0; k < 5; ++k) w[k] = values[k];
    const HalfCrossings c = findHalfCrossings(w, 5);
    EXPECT_EQ(c.left, 1);
    EXPECT_EQ(c.right, 3);
}

TEST(FwhmFromCrossings, NegativeIntervalGivesPositiveWidthAndSameCentre)
{
    const FwhmResult r = fwhmFromCrossings({4.25L, 5.95L}, -2);
    EXPECT_NEAR(static_cast<double>(r.fwhm), 3.4, 1e-15);
    EXPECT_NEAR(static_cast<double>(r.centre), 5.1, 1e-15);
}
