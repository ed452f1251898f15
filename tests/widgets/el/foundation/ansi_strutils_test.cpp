#include "widgets/el/foundation/ElAnsiStrUtils.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

TEST(AnsiStr, ReplaceAndSearch)
{
    std::string s = "a-b-c";
    EXPECT_TRUE(StrReplaceFirst(s, "-", "+="));
    EXPECT_EQ(s, "a+=b-c");
    EXPECT_FALSE(StrReplaceFirst(s, "x", "y"));
    EXPECT_EQ(LastPos("-", "a-b-c"), 4);
    EXPECT_EQ(LastPos("abc", "ab"), 0);
    EXPECT_EQ(LastPos("", "ab"), 0);
    EXPECT_EQ(LastPos("ab", "ab"), 1);      // the whole string
    EXPECT_EQ(LastPos("c", "a-b-c"), 5);    // a match at the very end

    std::string part;
    s = "hello";
    ExtractStr(s, 2, 3, part);
    EXPECT_EQ(part, "ell");
    EXPECT_EQ(s, "ho");
    s = "hello";
    ExtractStr(s, 4, 100, part);   // to the end, the last character included
    EXPECT_EQ(part, "lo");
    EXPECT_EQ(s, "hel");

    EXPECT_TRUE(StrStartsWith("abc", nullptr));
    EXPECT_FALSE(StrStartsWith(nullptr, "a"));
    EXPECT_TRUE(StrStartsWith("abc", "ab"));
    EXPECT_FALSE(StrStartsWith("a", "ab"));
    EXPECT_TRUE(ContainsAt("abc", 2, "bc"));
    EXPECT_FALSE(ContainsAt("abc", 3, "cd"));
    EXPECT_TRUE(ContainsAt("abc", 3, "c"));     // the last character
    EXPECT_TRUE(ContainsAt("abc", 1, "abc"));
    EXPECT_FALSE(ContainsAt("abc", 0, "a"));
    EXPECT_FALSE(ContainsAt("abc", 4, ""));
    EXPECT_TRUE(IsDigitChar('7'));
    EXPECT_FALSE(IsDigitChar('a'));
}

TEST(HexStrToInt, ValuesSignsAndLimits)
{
    EXPECT_EQ(HexStrToInt("$1F"), 31);
    EXPECT_EQ(HexStrToInt("  ff  "), 255);
    EXPECT_EQ(HexStrToInt("-10"), -16);
    EXPECT_EQ(HexStrToInt("+"), 0);
    EXPECT_EQ(HexStrToInt("FFFFFFFF"), -1);
    EXPECT_EQ(HexStrToInt("0000000080000000"), INT32_MIN);   // leading zeros are not significant
    try {
        HexStrToInt("1G");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'1G' ist kein gültiger Integerwert");
    }
    EXPECT_THROW(HexStrToInt(""), EConvertError);
    EXPECT_THROW(HexStrToInt("   "), EConvertError);
    EXPECT_THROW(HexStrToInt("100000000"), EConvertError);   // nine significant digits
    EXPECT_EQ(HexStrToIntDef("zz", 7), 7);
}

TEST(HexData, RoundTripAndTheWrittenForm)
{
    std::string s;
    const uint8_t bytes[] = {0x0A, 0xFF, 0x00};
    DataToHexStr(bytes, 3, s);
    EXPECT_EQ(s, "454C 3 0A FF 00 ");
    std::vector<uint8_t> data;
    int32_t size;
    EXPECT_TRUE(HexStrToData(s, data, size));
    EXPECT_EQ(size, 3);
    EXPECT_EQ(data, std::vector<uint8_t>(bytes, bytes + 3));

    DataToHexStr(nullptr, 0, s);
    EXPECT_EQ(s, "454C 0 ");
    EXPECT_TRUE(HexStrToData(s, data, size));
    EXPECT_EQ(size, 0);

    std::vector<uint8_t> big(300);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<uint8_t>(i * 7);
    DataToHexStr(big.data(), 300, s);
    EXPECT_EQ(s.substr(0, 9), "454C 12C ");
    EXPECT_TRUE(HexStrToData(s, data, size));
    EXPECT_EQ(data, big);
    // The last field needs no blank.
    EXPECT_TRUE(HexStrToData("454C 2 01 2", data, size));
    EXPECT_EQ(data, (std::vector<uint8_t>{1, 2}));
}

TEST(HexData, MalformedTextIsRefusedWithoutRaising)
{
    std::vector<uint8_t> data;
    int32_t size = 5;
    EXPECT_FALSE(HexStrToData("ABCD 1 00", data, size));
    EXPECT_EQ(size, -1);
    EXPECT_FALSE(HexStrToData("454C", data, size));
    EXPECT_FALSE(HexStrToData("454C 3 01 02", data, size));        // fields run out
    EXPECT_FALSE(HexStrToData("454C FFFFFFFF 00", data, size));    // negative count
    EXPECT_FALSE(HexStrToData("454C 7FFFFFFF 00 ", data, size));   // more than the text holds
    EXPECT_TRUE(data.capacity() < 1024);
    EXPECT_FALSE(HexStrToData("454C -1 ", data, size));
    EXPECT_FALSE(HexStrToData("454C 2 0Z 00", data, size));        // bad digit
    EXPECT_FALSE(HexStrToData("454C 1G 00", data, size));
    EXPECT_FALSE(HexStrToData("454C 123456789 00", data, size));   // count overflows
}
