#include "LSM.h"

#include "AppError.h"
#include "ErrorMessage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

struct Fit : ::testing::Test {
    std::unique_ptr<LsmArrays> lsm = std::make_unique<LsmArrays>();
    static const IndexPowers& powers()
    {
        static const auto table = std::make_unique<IndexPowers>();
        return *table;
    }
};

} // namespace

TEST_F(Fit, DegreeZeroIsTheMean)
{
    const double y[] = {2, 7, -1, 4, 3};
    for (int k = 0; k < 5; ++k) {
        lsm->LsmX[k] = 10 * k;
        lsm->LsmY[k] = y[k];
    }
    LSM(*lsm, 0, 5);
    EXPECT_DOUBLE_EQ(lsm->LsmCoef[0], 3.0);
}

TEST_F(Fit, RecoversAnExactPolynomial)
{
    // y = 1.5 - 2x + 0.25x^2 - 0.01x^3 at uneven abscissae, including x = 0.
    for (int k = 0; k < 12; ++k) {
        const double x = 0.7 * k * k / 3.0;
        lsm->LsmX[k] = x;
        lsm->LsmY[k] = 1.5 - 2 * x + 0.25 * x * x - 0.01 * x * x * x;
    }
    LSM(*lsm, 3, 12);
    EXPECT_NEAR(lsm->LsmCoef[0], 1.5, 1e-7);
    EXPECT_NEAR(lsm->LsmCoef[1], -2.0, 1e-7);
    EXPECT_NEAR(lsm->LsmCoef[2], 0.25, 1e-8);
    EXPECT_NEAR(lsm->LsmCoef[3], -0.01, 1e-9);
}

TEST_F(Fit, StraightLineThroughNoisyPointsByLeastSquares)
{
    // Symmetric residuals +1, -1, -1, +1 around y = 2 + 3x leave the line unchanged.
    const double residual[] = {1, -1, -1, 1};
    for (int k = 0; k < 4; ++k) {
        lsm->LsmX[k] = k;
        lsm->LsmY[k] = 2 + 3 * k + residual[k];
    }
    LSM(*lsm, 1, 4);
    EXPECT_NEAR(lsm->LsmCoef[0], 2.0, 1e-12);
    EXPECT_NEAR(lsm->LsmCoef[1], 3.0, 1e-12);
}

TEST_F(Fit, TablePathGivesBitForBitTheResultOfTheFullFit)
{
    for (int m : {3, 17, 64, 512, 1024})
        for (int n : {0, 1, 2, 5}) {
            for (int k = 0; k < m; ++k) {
                lsm->LsmX[k] = k;
                lsm->LsmY[k] = std::sin(0.05 * k) * 100 + 0.3 * k + (k % 7);
            }
            lsm->LsmCoef.fill(0);
            LSM(*lsm, n, m);
            const auto full = lsm->LsmCoef;
            lsm->LsmCoef.fill(0);
            LSM(*lsm, n, m, powers());
            EXPECT_EQ(lsm->LsmCoef, full) << "m " << m << " n " << n;
            double values[1024];
            fittedValues(*lsm, n, m, powers(), values);
            for (int k = 0; k < m; ++k) ASSERT_EQ(values[k], fittedValue(*lsm, n, k)) << k;
        }
}

TEST_F(Fit, NoPointsFailsAsZeroByZeroAndOutOfRangeDegreesAreRefused)
{
    EXPECT_EQ(errorMessageOf([&] { LSM(*lsm, 0, 0); }), "不正な浮動小数点数演算命令");
    EXPECT_THROW(LSM(*lsm, 17, 100), AppError);
    EXPECT_THROW(LSM(*lsm, -1, 100), AppError);
    EXPECT_THROW(LSM(*lsm, 1, 1026), AppError);
    EXPECT_THROW(LSM(*lsm, 1, 1025, powers()), AppError);
}
