#include "widgets/el/foundation/ElCaseTable.h"
#include "widgets/el/foundation/ElStrUtils.h"

#include <gtest/gtest.h>

#include <set>

TEST(WStr, NullTerminatedPrimitives)
{
    char16_t buf[32] = u"abcab";
    EXPECT_EQ(WStrLen(buf), 5);
    EXPECT_EQ(WStrEnd(buf), buf + 5);
    EXPECT_EQ(WStrScan(buf, u'b'), buf + 1);
    EXPECT_EQ(WStrScan(buf, 0), buf + 5);
    EXPECT_EQ(WStrScan(buf, u'z'), nullptr);
    EXPECT_EQ(WStrRScan(buf, u'b'), buf + 4);
    EXPECT_EQ(WStrPos(buf, u"ca"), buf + 2);
    EXPECT_EQ(WStrPos(buf, u""), nullptr);
    EXPECT_EQ(WStrPos(buf, u"abcabc"), nullptr);
    // Matches that end at the last unit: the whole string and a suffix found nowhere else.
    EXPECT_EQ(WStrPos(buf, u"abcab"), buf);
    EXPECT_EQ(WStrPos(buf, u"cab"), buf + 2);
    EXPECT_EQ(WStrPos(buf, u"bz"), nullptr);
    EXPECT_EQ(WStrPos(nullptr, u"a"), nullptr);
    EXPECT_GT(WStrComp(u"b", u"a"), 0);
    EXPECT_EQ(WStrComp(u"ab", u"abc"), -static_cast<int32_t>(u'c'));

    char16_t dst[32];
    EXPECT_EQ(WStrECopy(dst, u"xy"), dst + 2);
    WStrCat(dst, u"z");
    EXPECT_EQ(WStrPas(dst), u"xyz");
    WStrLCopy(dst, u"hello", 2);
    EXPECT_EQ(WStrPas(dst), u"he");
    WStrPCopy(dst, u"pq");
    EXPECT_EQ(WStrPas(dst), u"pq");
    EXPECT_EQ(WStrPas(nullptr), u"");

    // Overlapping moves in both directions.
    char16_t m[8] = u"abcdef";
    WStrMove(m + 1, m, 4);
    EXPECT_EQ(WStrPas(m), u"aabcdf");
    WStrMove(m, m + 2, 4);
    EXPECT_EQ(WStrPas(m), u"bcdfdf");
    WideFillChar(m, 3, u'.');
    EXPECT_EQ(WStrPas(m), u"...fdf");
}

TEST(WideString, SearchAndEditing)
{
    EXPECT_EQ(WideLastPos(u"ab", u"abab"), 3);
    EXPECT_EQ(WideLastPos(u"abc", u"ab"), 0);
    EXPECT_EQ(WidePos(u"b", u"abab"), 2);
    EXPECT_EQ(WidePos(u"", u"abab"), 0);
    EXPECT_EQ(WidePos(u"bc", u"aabc"), 3);     // a match at the very end
    EXPECT_EQ(WidePos(u"z", u"abc"), 0);
    EXPECT_EQ(WidePos(u"abc", u"abc"), 1);
    EXPECT_EQ(WideLastPos(u"abc", u"abc"), 1);
    EXPECT_EQ(WideLastPos(u"c", u"abc"), 3);
    EXPECT_EQ(WideCopy(u"hello", 0, 2), u"he");
    EXPECT_EQ(WideCopy(u"hello", 4, 100), u"lo");
    EXPECT_EQ(WideCopy(u"hello", 6, 1), u"");
    EXPECT_EQ(WideCopy(u"hello", 2, -1), u"");

    std::u16string s = u"held";
    WideInsert(u"LLO wor", s, 3);
    EXPECT_EQ(s, u"heLLO world");
    WideInsert(u"!", s, 99);
    EXPECT_EQ(s, u"heLLO world!");
    WideDelete(s, 0, 3);   // index below 1: nothing
    WideDelete(s, 3, 3);
    EXPECT_EQ(s, u"he world!");
    WideDelete(s, 3, 1);
    EXPECT_EQ(s, u"heworld!");
    WideDelete(s, 3, 0);   // no count: nothing
    EXPECT_EQ(s, u"heworld!");
    WideInsert(u" ", s, 3);
    EXPECT_EQ(WideExtract(s, 3, 100), u" world!");
    EXPECT_EQ(s, u"he");

    std::u16string z;
    WideSetString(z, nullptr, 2);
    EXPECT_EQ(z, std::u16string(2, u'\0'));
    WideSetString(z, u"abc", 2);
    EXPECT_EQ(z, u"ab");
    EXPECT_EQ(WideStringOfChar(u'x', 3), u"xxx");
    EXPECT_EQ(WideTrim(u" \t \r\n"), u"");
    EXPECT_EQ(WideTrim(u"\t a b\x01"), u"a b");
}

TEST(WideString, Comparisons)
{
    EXPECT_EQ(WideCompareStr(u"a", u"b"), -1);
    EXPECT_EQ(WideCompareStr(u"b", u"a"), 1);
    EXPECT_EQ(WideCompareStr(std::u16string(u"ab\0x", 4), u"ab"), 0);
    EXPECT_EQ(WideCompareStr(u"\xFFFF", u"a"), 1);   // units compare unsigned
    EXPECT_EQ(WideCompareExact(u"", u""), 0);
    EXPECT_LT(WideCompareExact(u"", u"a"), 0);
    EXPECT_TRUE(WideSameText(u"Stra\u00DFe", u"STRA\u00DFE"));
    EXPECT_FALSE(WideSameText(u"a", u"b"));
}

TEST(CaseMapping, TheLayersEdgeCases)
{
    EXPECT_EQ(WideUpperCase(u"stra\u00DFe"), u"STRA\u00DFE");
    EXPECT_EQ(WideLowerCase(u"\u0130"), u"i");
    EXPECT_EQ(WideUpperCase(u"\u0131"), u"\u0131");
    EXPECT_EQ(WideLowerCase(u"\u0131"), u"\u0131");
    EXPECT_EQ(WideUpperCase(u"i"), u"I");
    EXPECT_EQ(WideUpperCase(u"\u00E0z\uFF5A"), u"\u00C0Z\uFF3A");
    EXPECT_EQ(WideLowerCase(u"\u00C0Z\uFF3A"), u"\u00E0z\uFF5A");
    // Letters added after Unicode 4.0 have no entries.
    EXPECT_EQ(WideLowerCase(u"\u023A\u2C00\u1E9E"), u"\u023A\u2C00\u1E9E");
    EXPECT_EQ(WideUpperCase(u""), u"");
    // Upper case gives the Greek capitals, not the micro sign or the ypogegrammeni.
    EXPECT_EQ(WideUpperCase(u"\u03BC\u03B9"), u"\u039C\u0399");
    EXPECT_EQ(WideUpperCase(u"k\u00E5\u03C9"), u"K\u00C5\u03A9");
    // Non-letter sources stay reachable where they are the only source.
    EXPECT_EQ(WideUpperCase(u"\u2170\u24D0"), u"\u2160\u24B6");
}

TEST(CaseMapping, TableShape)
{
    ASSERT_EQ(ElCaseTableCount, 831);
    int counts[9] = {};
    for (int i = 0; i < ElCaseTableCount; ++i) {
        ++counts[ElCaseTable[i].Status];
        if (i > 0) {
            EXPECT_LE(ElCaseTable[i - 1].Source, ElCaseTable[i].Source);
        }
    }
    EXPECT_EQ(counts[csCommon], 699);
    EXPECT_EQ(counts[csSimple], 27);
    EXPECT_EQ(counts[csFull], 103);
    EXPECT_EQ(counts[csTurkic], 2);
}

TEST(CaseMapping, EveryUnitIsStable)
{
    for (uint32_t u = 0; u < 0x10000; ++u) {
        const auto c = static_cast<char16_t>(u);
        const char16_t up = WideUpperChar(c);
        const char16_t low = WideLowerChar(c);
        // A unit that upper-cases to something else lower-cases back to itself...
        if (up != c) {
            ASSERT_EQ(WideLowerChar(up), c) << std::hex << u;
        }
        // ...and the upper case of a lower-cased unit lower-cases to the same unit.
        ASSERT_EQ(WideLowerChar(WideUpperChar(low)), low) << std::hex << u;
        // Upper case picks a capital or a unit that is itself only ever a source.
        ASSERT_EQ(WideUpperChar(up), up) << std::hex << u;
    }
}
