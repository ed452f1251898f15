// Registry value bytes as the system keeps them, decoded the way the registry and the ini
// store's registry mode read them, damaged data included.
#include "framework/RegistryData.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> B) { return std::vector<uint8_t>(B.begin(), B.end()); }

TEST(RegistryData, StringsAreUtf16LeWithTheirZeroAndReadUpToTheFirstZero)
{
    std::vector<uint8_t> data;
    AppendRegWide(data, u"A\u00E9\u20AC");
    EXPECT_EQ(data, Bytes({0x41, 0, 0xE9, 0, 0xAC, 0x20, 0, 0}));
    EXPECT_EQ(RegString(data), u"A\u00E9\u20AC");
    // A value without its zero, with an odd last byte, or with text after a zero.
    EXPECT_EQ(RegString(Bytes({0x41, 0, 0x42})), u"A");
    EXPECT_EQ(RegWideUnits(Bytes({0x41, 0, 0x42})), u"A");
    EXPECT_EQ(RegString(Bytes({0x41, 0, 0, 0, 0x42, 0})), u"A");
    EXPECT_EQ(RegString({}), u"");
}

TEST(RegistryData, MultiStringsEndAtTheEmptyStringOrTheEndOfTheData)
{
    const std::vector<uint8_t> data = RegMultiStringData({u"ab", u"c"});
    EXPECT_EQ(data, Bytes({'a', 0, 'b', 0, 0, 0, 'c', 0, 0, 0, 0, 0}));
    size_t next = 0;
    EXPECT_EQ(RegMultiStrings(RegWideUnits(data), next), (std::vector<std::u16string>{u"ab", u"c"}));
    EXPECT_EQ(next, 5u);  // at the zero that ends the list
    EXPECT_EQ(RegMultiStringData({}), Bytes({0, 0}));

    // An unterminated last string still counts; an empty string ends the list early.
    EXPECT_EQ(RegMultiStrings(std::u16string(u"ab\0cd", 5), next), (std::vector<std::u16string>{u"ab", u"cd"}));
    EXPECT_EQ(next, 6u);
    EXPECT_EQ(RegMultiStrings(std::u16string(u"a\0\0b", 4), next), std::vector<std::u16string>{u"a"});
    EXPECT_EQ(next, 2u);
}

} // namespace
