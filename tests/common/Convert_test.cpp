#include "AppError.h"
#include "Arithmetic.h"
#include "Convert.h"
#include "ErrorMessage.h"
#include "Samples.h"

#include <gtest/gtest.h>

#include <limits>

TEST(ToInt, ReadsDecimalIntegers)
{
    EXPECT_EQ(toInt("512"), 512);
    EXPECT_EQ(toInt("-1024"), -1024);
    EXPECT_EQ(toInt("+7"), 7);
    EXPECT_EQ(toInt(" 12"), 12);
    EXPECT_EQ(toInt("2147483647"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(toInt("-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST(ToInt, RefusesOtherTextsWithTheMessage)
{
    for (const std::string text : {"", "abc", "1.5", "12 ", "2147483648", "-", "1e3"}) {
        EXPECT_EQ(errorMessageOf([&] { toInt(text); }), "'" + text + "' は整数ではありません");
        EXPECT_FALSE(tryToInt(text)) << text;
    }
}

TEST(ToFloat, ReadsPointDecimals)
{
    EXPECT_EQ(toFloat("0.488"), 0.488L);
    EXPECT_EQ(toFloat("-1024"), -1024.0L);
    EXPECT_EQ(toFloat("1E-5"), 1e-5L);
    EXPECT_EQ(toFloat(" 2.5 "), 2.5L);
    EXPECT_EQ(toFloat(".5"), 0.5L);
    EXPECT_EQ(static_cast<double>(toFloat("1.7976931348623158e308")), std::numeric_limits<double>::max());
    EXPECT_EQ(toFloat("1e-400"), 1e-400L); // tiny numbers stay, and are 0 as doubles
}

TEST(ToFloat, RefusesOtherTextsWithTheMessage)
{
    // A number beyond the double range is refused as a text that is no number.
    for (const std::string text : {"", "FWHM", "0,5", "1..2", "e5", "1e", "inf", "nan", "1e400", "-1e400", "1e5000"}) {
        EXPECT_EQ(errorMessageOf([&] { toFloat(text); }), "'" + text + "' は浮動小数点数ではありません");
        EXPECT_FALSE(tryToFloat(text)) << text;
    }
}

TEST(HexToInt, ReadsGroupNumbers)
{
    EXPECT_EQ(hexToInt("0028"), 0x28);
    EXPECT_EQ(hexToInt("FFFE"), 0xFFFE);
    EXPECT_EQ(hexToInt("7fe0"), 0x7FE0);
    EXPECT_THROW(hexToInt("00G8"), AppError);
    EXPECT_THROW(hexToInt(""), AppError);
}

TEST(Checked, FailsWithTheSystemMessages)
{
    const auto message = errorMessageOf;
    EXPECT_EQ(message([] { Checked::add(std::numeric_limits<int32_t>::max(), 1); }), "整数のオーバーフロー");
    EXPECT_EQ(message([] { Checked::mul(65536, 65536); }), "整数のオーバーフロー");
    EXPECT_EQ(message([] { Checked::div(1, 0); }), "ゼロによる除算");
    EXPECT_EQ(message([] { Checked::fdiv(1, 0); }), "0 による浮動小数点数除算");
    EXPECT_EQ(message([] { Checked::fdiv(0, 0); }), "不正な浮動小数点数演算命令");
    // A result the double range cannot hold is an invalid operation, not a number shown.
    EXPECT_EQ(message([] { Checked::fdiv(1, 1e-320L); }), "不正な浮動小数点数演算命令");
    EXPECT_EQ(message([] { Checked::finite(std::numeric_limits<long double>::infinity()); }),
              "不正な浮動小数点数演算命令");
    EXPECT_EQ(message([] { Checked::finite(std::numeric_limits<long double>::quiet_NaN()); }),
              "不正な浮動小数点数演算命令");
    EXPECT_EQ(Checked::finite(-1e308L), -1e308L);
    EXPECT_EQ(Checked::div(-7, 2), -3);
    EXPECT_EQ(Checked::trunc(-2.9L), -2);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5L), 0);
    EXPECT_EQ(roundHalfEven(1.5L), 2);
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
    EXPECT_EQ(roundHalfEven(512.5L), 512);
    EXPECT_EQ(wrap16(32768), -32768);
    EXPECT_EQ(wrap16(-32769), 32767);
    // A sample plus the offset wraps to 16 bits, even with an offset near the 32-bit limit.
    EXPECT_EQ(offsetSample(0x7FFF, 1), -32768);
    EXPECT_EQ(offsetSample(0x7FFF, std::numeric_limits<int32_t>::max()), 32766);
    EXPECT_EQ(offsetSample(0xFC00, 0), -1024);
}
