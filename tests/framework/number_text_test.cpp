#include "framework/Exceptions.h"
#include "framework/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TFormatSettings German()
{
    TFormatSettings s;
    s.DecimalSeparator = u',';
    s.ThousandSeparator = u'.';
    return s;
}

TEST(NumberText, DisplayFormHasThousandsSeparatorsEightDigitsTwoDecimals)
{
    const TFormatSettings en;
    EXPECT_EQ(FormatNumber(0, en), u"0.00");
    EXPECT_EQ(FormatNumber(4.6, en), u"4.60");
    EXPECT_EQ(FormatNumber(-1234.5, en), u"-1,234.50");
    EXPECT_EQ(FormatNumber(999.999, en), u"1,000.00");
    // Eight significant digits come first: the ninth is rounded away before the decimals.
    EXPECT_EQ(FormatNumber(1234567.891, en), u"1,234,567.90");
    EXPECT_EQ(FormatNumber(12345678.9, en), u"12,345,679.00");
    // More integer digits than the precision: the general form.
    EXPECT_EQ(FormatNumber(3.4e38, en), u"3.4E38");
    EXPECT_EQ(FormatNumber(-0.001, en), u"0.00");
    EXPECT_EQ(FormatNumber(1234.5, German()), u"1.234,50");
    EXPECT_EQ(FormatNumber(std::nan(""), en), u"NAN");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), en), u"-INF");
}

TEST(NumberText, FixedAndGeneralForms)
{
    const TFormatSettings en;
    EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 15, 2, en), u"1234.57");
    EXPECT_EQ(FloatToStrF(2.5, TFloatFormat::ffFixed, 15, 0, en), u"3");
    EXPECT_EQ(FloatToStrF(54.0, TFloatFormat::ffFixed, 15, 4, German()), u"54,0000");
    EXPECT_EQ(FloatToStrF(2.5, TFloatFormat::ffFixed, 15, -3, en), u"3") << "fewer than no decimals are none";
    EXPECT_EQ(FloatToStrF(2.25, TFloatFormat::ffFixed, 15, 1, en), u"2.3");
    EXPECT_EQ(FloatToStr(3.25, en), u"3.25");
    EXPECT_EQ(FloatToStr(-3.25, German()), u"-3,25");
    EXPECT_EQ(FloatToStr(100, en), u"100");
    EXPECT_EQ(FloatToStr(0.1, en), u"0.1");
    EXPECT_EQ(FloatToStr(0.0001, en), u"0.0001");
    EXPECT_EQ(FloatToStr(0.00001, en), u"1E-5");
    EXPECT_EQ(FloatToStr(1e15, en), u"1E15");
    EXPECT_EQ(FloatToStr(123456789012345.0, en), u"123456789012345");
}

TEST(NumberText, TextToFloatFollowsTheLocaleSeparator)
{
    double v = -1;
    EXPECT_TRUE(TryStrToFloat(u" 3.25 ", v, TFormatSettings{}));
    EXPECT_DOUBLE_EQ(v, 3.25);
    EXPECT_TRUE(TryStrToFloat(u"-1,5e2", v, German()));
    EXPECT_DOUBLE_EQ(v, -150);
    EXPECT_TRUE(TryStrToFloat(u".5", v, TFormatSettings{}));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(TryStrToFloat(u"90.09", v, TFormatSettings{}));  // every digit, 0 and 9 too
    EXPECT_DOUBLE_EQ(v, 90.09);
    EXPECT_TRUE(TryStrToFloat(u"9e19", v, TFormatSettings{}));
    EXPECT_DOUBLE_EQ(v, 9e19);
    v = 7;
    for (const char16_t* bad : {u"", u"-", u"1,5", u"1.2.3", u"1e", u"abc", u"1 2", u"1e999", u"1,000.5"})
        EXPECT_FALSE(TryStrToFloat(bad, v, TFormatSettings{})) << std::string(bad, bad + 0);
    EXPECT_EQ(v, 7);  // untouched by the failures
    EXPECT_THROW(StrToFloat(u"x", TFormatSettings{}), EConvertError);
    EXPECT_DOUBLE_EQ(StrToFloat(u"2,75", German()), 2.75);
}

TEST(NumberText, IntegerText)
{
    EXPECT_EQ(IntToStr(-2147483648LL), u"-2147483648");
    EXPECT_EQ(IntToHex(0xABC, 4), u"0ABC");
    EXPECT_EQ(IntToHex(0x12345, 2), u"12345");
    int32_t v = 0;
    EXPECT_TRUE(TryStrToInt(u"$FF", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(TryStrToInt(u"0x10", v));
    EXPECT_EQ(v, 16);
    // Lower-case hexadecimal digits, the first and the last of them.
    EXPECT_TRUE(TryStrToInt(u"$A0", v));
    EXPECT_EQ(v, 0xA0);
    EXPECT_TRUE(TryStrToInt(u"$af", v));
    EXPECT_EQ(v, 0xAF);
    EXPECT_TRUE(TryStrToInt(u"0xfa", v));
    EXPECT_EQ(v, 0xFA);
    EXPECT_FALSE(TryStrToInt(u"$g", v));
    EXPECT_TRUE(TryStrToInt(u"$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryStrToInt(u"-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_FALSE(TryStrToInt(u"2147483648", v));
    EXPECT_FALSE(TryStrToInt(u"$", v));
    EXPECT_FALSE(TryStrToInt(u" 1", v));
    EXPECT_FALSE(TryStrToInt(u"12a", v));
    EXPECT_EQ(StrToIntDef(u"zz", 42), 42);
    try {
        StrToInt(u"abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'abc' ist kein gültiger Integerwert");
    }
}

}  // namespace
