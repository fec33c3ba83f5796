#include "NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>

struct FormatCase {
    long double value;
    const char* text;
};

class GeneralFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(GeneralFormat, WritesFifteenSignificantDigits) { EXPECT_EQ(formatGeneral(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Boundaries, GeneralFormat,
                         testing::Values(FormatCase{0, "0"}, FormatCase{-0.0L, "0"}, FormatCase{1, "1"},
                                         FormatCase{-3, "-3"}, FormatCase{0.5, "0.5"}, FormatCase{-0.25, "-0.25"},
                                         FormatCase{0.0001L, "0.0001"}, FormatCase{0.00005L, "5E-5"},
                                         FormatCase{-0.00005L, "-5E-5"}, FormatCase{0.000099999L, "9.9999E-5"},
                                         FormatCase{1e15L, "1E15"}, FormatCase{999999999999999.0L, "999999999999999"},
                                         FormatCase{9999999999999999.0L, "1E16"}, FormatCase{2e20L, "2E20"},
                                         FormatCase{-1.5e-7L, "-1.5E-7"}, FormatCase{1.1L, "1.1"},
                                         FormatCase{1.0L + 0.1L, "1.1"}, FormatCase{100.0L / 95.0L, "1.05263157894737"},
                                         FormatCase{std::sqrt(200.0L / 3.0L), "8.16496580927726"},
                                         FormatCase{1.0L / 45.0L, "0.0222222222222222"}, FormatCase{0.1L + 0.2L, "0.3"},
                                         FormatCase{123456.789L, "123456.789"}, FormatCase{0.95L * 100, "95"}));

TEST(ThousandsFormat, GroupsThousandsWithThreeDecimals)
{
    EXPECT_EQ(formatThousands3(0), "0.000");
    EXPECT_EQ(formatThousands3(1), "1.000");
    EXPECT_EQ(formatThousands3(1234.5678), "1,234.568");
    EXPECT_EQ(formatThousands3(999.9996), "1,000.000");
    EXPECT_EQ(formatThousands3(1234567.0), "1,234,567.000");
    EXPECT_EQ(formatThousands3(-12345.5), "-12,345.500");
}
