#include "widgets/el/foundation/ElUTF8.h"
#include "widgets/el/foundation/ElWideHints.h"

#include <gtest/gtest.h>

#include <random>

#if !defined(_WIN32)
#include <iconv.h>
#endif

TEST(UTF8, FromWide)
{
    std::string d;
    EXPECT_EQ(WideStringToUTF8(u"\u00E9", d, false, false), ConversionOK);
    EXPECT_EQ(d, "\xC3\xA9");
    EXPECT_EQ(WideStringToUTF8(u"\U0001F600", d, false, false), ConversionOK);
    EXPECT_EQ(d, "\xF0\x9F\x98\x80");
    const std::u16string lone = u"a" + std::u16string(1, u'\xD800') + u"b";
    EXPECT_EQ(WideStringToUTF8(lone, d, false, false), SourceIllegal);
    EXPECT_EQ(d, "a");
    EXPECT_EQ(WideStringToUTF8(lone, d, true, false), ConversionOK);
    EXPECT_EQ(d, "a\xED\xA0\x80" "b");
    // A high surrogate at the very end is no valid UTF-8 either: strict mode stops.
    EXPECT_EQ(WideStringToUTF8(u"a" + std::u16string(1, u'\xD83D'), d, false, false), SourceIllegal);
    EXPECT_EQ(d, "a");
    EXPECT_EQ(WideStringToUTF8(u"x", d, false, true), ConversionOK);
    EXPECT_EQ(d, "\xEF\xBB\xBFx");
    EXPECT_EQ(WideStringToUTF8(u"\uFEFFx", d, false, true), ConversionOK);
    EXPECT_EQ(d, "\xEF\xBB\xBFx");   // no second mark
}

TEST(UTF8, ToWide)
{
    std::u16string w = u"junk";
    EXPECT_EQ(UTF8ToWideString("\xC3", w, false, false), SourceExhausted);
    EXPECT_EQ(w, u"");
    EXPECT_EQ(UTF8ToWideString("\xC0\x80", w, false, false), SourceIllegal);
    EXPECT_EQ(UTF8ToWideString("a\xF0\x9F\x98\x80", w, false, false), ConversionOK);
    EXPECT_EQ(w, u"a\U0001F600");
    EXPECT_EQ(UTF8ToWideString("\xED\xA0\x80", w, false, false), SourceIllegal);
    EXPECT_EQ(UTF8ToWideString("\xED\xA0\x80", w, true, false), ConversionOK);
    EXPECT_EQ(w, std::u16string(1, u'\xD800'));
    EXPECT_EQ(UTF8ToWideString("ab\x80", w, false, false), SourceIllegal);
    EXPECT_EQ(w, u"ab");
    EXPECT_EQ(UTF8ToWideString("x", w, false, true), ConversionOK);
    EXPECT_EQ(w, u"\uFEFFx");

    const uint8_t e0ok[] = {0xE0, 0xA0, 0x80}, e0bad[] = {0xE0, 0x9F, 0x80}, f4bad[] = {0xF4, 0x90, 0x80, 0x80};
    EXPECT_TRUE(IsLegalUTF8(e0ok, 3));
    EXPECT_FALSE(IsLegalUTF8(e0bad, 3));
    EXPECT_FALSE(IsLegalUTF8(f4bad, 4));
    EXPECT_FALSE(IsLegalUTF8(e0ok, 5));
    const uint8_t fiveBytes[] = {0xF0, 0x90, 0x80, 0x80, 0x80};
    EXPECT_TRUE(IsLegalUTF8(fiveBytes, 4));
    EXPECT_FALSE(IsLegalUTF8(fiveBytes, 5)) << "no sequence is longer than four bytes";
}

#if !defined(_WIN32)
TEST(UTF8, AgreesWithIconvOnRandomText)
{
    iconv_t cd = iconv_open("UTF-8", "UTF-16LE");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::mt19937 rng(12345);
    for (int round = 0; round < 2000; ++round) {
        std::u16string s;
        const int len = static_cast<int>(rng() % 12);
        for (int i = 0; i < len; ++i) {
            const uint32_t cp = (rng() % 4 == 0) ? 0x10000 + rng() % 0x100000 : rng() % 0xD800;
            if (cp >= 0x10000) {
                s += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                s += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                s += static_cast<char16_t>(cp);
            }
        }
        std::string in;
        for (char16_t c : s) {
            in += static_cast<char>(c & 0xFF);
            in += static_cast<char>(c >> 8);
        }
        std::string expected(in.size() * 2 + 4, '\0');
        char* src = in.data();
        char* dst = expected.data();
        size_t inLeft = in.size(), outLeft = expected.size();
        ASSERT_NE(iconv(cd, &src, &inLeft, &dst, &outLeft), static_cast<size_t>(-1));
        expected.resize(expected.size() - outLeft);

        std::string utf8;
        ASSERT_EQ(WideStringToUTF8(s, utf8, false, false), ConversionOK);
        ASSERT_EQ(utf8, expected);
        std::u16string back;
        ASSERT_EQ(UTF8ToWideString(utf8, back, false, false), ConversionOK);
        ASSERT_EQ(back, s);
    }
    iconv_close(cd);
}
#endif

TEST(WideHints, PackedForm)
{
    EXPECT_EQ(PackWideHint(u"a"), std::string("a\0a\0\0\0\xFE\xFF", 8));
    const std::string packed = PackWideHint(u"short|long \u4E2D");
    EXPECT_EQ(std::string(packed.c_str()), "short|long ?");   // what an 8-bit reader sees
    EXPECT_EQ(GetWideLongHint(packed), u"long \u4E2D");
    EXPECT_EQ(GetWideLongHint(PackWideHint(u"only")), u"only");
    EXPECT_EQ(GetWideShortHint(u"short|long"), u"short");
    EXPECT_EQ(GetWideShortHint(u"whole"), u"whole");
}

TEST(WideHints, PlainAndMalformedHintsAreReadAsText)
{
    EXPECT_EQ(GetWideLongHint("x"), u"x");
    EXPECT_EQ(GetWideLongHint("tip|status \xE9"), u"status \u00E9");
    // A code-page hint that merely ends in the bytes FE FF ("þÿ") is text, not a packed hint.
    EXPECT_EQ(GetWideLongHint("ab\xFE\xFF"), u"ab\u00FE\u00FF");
    // A 0 byte, but the lengths do not add up (odd wide part) or no 00 00 before FE FF.
    const std::string odd("a\0b\0\0\0\0\xFE\xFF", 9), noZeros("a\0b\0c\0\xFE\xFF", 8);
    EXPECT_EQ(GetWideLongHint(odd), std::u16string(u"a\0b\0\0\0\0\u00FE\u00FF", 9));
    EXPECT_EQ(GetWideLongHint(noZeros), std::u16string(u"a\0b\0c\0\u00FE\u00FF", 8));
}
