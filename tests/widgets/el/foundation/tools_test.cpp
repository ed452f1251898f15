#include "widgets/el/foundation/ElCRC32.h"
#include "widgets/el/foundation/ElTools.h"

#include "framework/Streams.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// Bit by bit, no table: the same variant (reflected, initial 0, no final inversion).
uint32_t BitwiseCRC(const std::string& s)
{
    uint32_t crc = 0;
    for (const char ch : s) {
        crc ^= static_cast<uint8_t>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ ((crc & 1) ? 0xEDB88320u : 0);
    }
    return crc;
}

std::string Written(const std::string& s)
{
    TMemoryStream m;
    WriteLineToStream(m, s);
    return std::string(m.Bytes().begin(), m.Bytes().end());
}

double ParseOk(const std::string& s, char sep = '.')
{
    double v = -999;
    int32_t err = -1;
    StrToFloatDot(s, v, err, sep);
    EXPECT_EQ(err, 0) << s;
    return v;
}

int32_t ParseError(const std::string& s, char sep = '.')
{
    double v = -999;
    int32_t err = 0;
    StrToFloatDot(s, v, err, sep);
    EXPECT_EQ(v, -999) << s;   // a failure sets no value
    return err;
}

} // namespace

TEST(StrCRC32, LayerVariant)
{
    EXPECT_EQ(StrCRC32(""), 0u);
    EXPECT_EQ(StrCRC32("a"), 0x3AB551CEu);
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        std::string s(rng() % 40, '\0');
        for (char& c : s)
            c = static_cast<char>(rng());
        ASSERT_EQ(StrCRC32(s), BitwiseCRC(s));
    }
}

TEST(ElTools, SmallServices)
{
    EXPECT_EQ(AddTrailingBackslash(u""), u"");
    EXPECT_EQ(AddTrailingBackslash(u"x/"), u"x/");
    EXPECT_EQ(AddTrailingBackslash(u"x\\"), u"x\\");
    EXPECT_EQ(AddTrailingBackslash(std::string("C:")), "C:\\");
    EXPECT_EQ(Written("abc"), "abc\r\n");
    EXPECT_EQ(Written("abc\r\n"), "abc\r\n");
    EXPECT_EQ(Written("abc\n"), "abc\n\r\n");
    EXPECT_EQ(Written(""), "\r\n");

    TRect r;
    CenterRect(50, 30, 10, 100, r);
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Right, 30);
    EXPECT_EQ(r.Top, 45);
    EXPECT_EQ(r.Bottom, 55);
    CenterRect(10, 30, 120, 100, r);
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Right, 20);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Bottom, 100);

    EXPECT_EQ(SwapBytes32(0x11223344u), 0x44332211u);
    EXPECT_EQ(CompareSign(-7), -1);
    EXPECT_EQ(CompareSign(0), 0);
    EXPECT_TRUE(InRange(1, 3, 3));
    EXPECT_FALSE(InRange(1, 3, 4));
    EXPECT_TRUE(InRangeF(0.5, 1.5, 1.5));

    void* p = reinterpret_cast<void*>(1);
    ElGetMem(p, 0);   // nothing asked for: nothing given, and no failure
    EXPECT_EQ(p, nullptr);
    ElReallocMem(p, 16);
    ASSERT_NE(p, nullptr);
    ElReallocMem(p, 64);
    ElReallocMem(p, 0);
    EXPECT_EQ(p, nullptr);
    ElFreeMem(nullptr);
}

TEST(StrToFloatDot, AcceptedTexts)
{
    EXPECT_EQ(ParseOk("3.25"), 3.25);
    EXPECT_EQ(ParseOk("3.25", ','), 3.25);
    EXPECT_EQ(ParseOk("-3.25"), -3.25);
    EXPECT_EQ(ParseOk("-0.5"), -0.5);
    EXPECT_EQ(ParseOk("3,25", ','), 3.25);
    EXPECT_EQ(ParseOk("42"), 42.0);
    EXPECT_EQ(ParseOk("1E3"), 1000.0);
    // Long fractions read back exactly what FloatToStrDot wrote.
    EXPECT_EQ(ParseOk("3.14159265358979"), 3.14159265358979);
    EXPECT_EQ(ParseOk("0.1234567890123456789"), 0.1234567890123456789);
}

TEST(StrToFloatDot, Faults)
{
    EXPECT_EQ(ParseError("3."), 2);
    EXPECT_EQ(ParseError(".5"), 1);
    EXPECT_EQ(ParseError("3.-5"), 3);   // a fraction beginning with a sign fails
    EXPECT_EQ(ParseError("3. 5"), 3);
    EXPECT_EQ(ParseError("3.5x"), 4);
    EXPECT_EQ(ParseError("3a.5"), 2);
    EXPECT_EQ(ParseError("abc"), 1);
    EXPECT_EQ(ParseError("inf"), 1);
    EXPECT_EQ(ParseError(""), 1);
}

TEST(FloatToStrDot, GeneralFormWithADot)
{
    std::string s;
    FloatToStrDot(s, 3.25);
    EXPECT_EQ(s, "3.25");
    FloatToStrDot(s, 3.14159265358979);
    EXPECT_EQ(s, "3.14159265358979");
    FloatToStrDot(s, 1e20);
    EXPECT_EQ(s, "1E20");
    FloatToStrDot(s, -1.5e-6);
    EXPECT_EQ(s, "-1.5E-6");
    FloatToStrDot(s, 100);
    EXPECT_EQ(s, "100");
    FloatToStrDot(s, std::nan(""));
    EXPECT_EQ(s, "NAN");
    FloatToStrDot(s, HUGE_VAL);
    EXPECT_EQ(s, "INF");
    FloatToStrDot(s, -HUGE_VAL);
    EXPECT_EQ(s, "-INF");
}

TEST(WindowsFlags, ByVersion)
{
    auto flags = [](uint32_t major, uint32_t minor, uint32_t platform, std::string sp = "", uint8_t product = 1,
                    uint16_t arch = 0, bool r2 = false) {
        TElOSVersion v;
        v.Major = major;
        v.Minor = minor;
        v.Platform = platform;
        v.ServicePack = std::move(sp);
        v.ProductType = product;
        v.ProcessorArchitecture = arch;
        v.ServerR2 = r2;
        v.Build = 2222;
        return ComputeWindowsFlags(v);
    };
    const auto nt4 = flags(4, 0, 2);
    EXPECT_TRUE(nt4.PlatformIsNT && nt4.WindowsNTFamily);
    EXPECT_FALSE(nt4.WindowsAtLeast2000 || nt4.WindowsAtLeastXP);
    const auto w2000 = flags(5, 0, 2);
    EXPECT_TRUE(w2000.WindowsAtLeast2000);
    EXPECT_FALSE(w2000.WindowsAtLeastXP || w2000.WindowsIsXP);
    const auto xpsp2 = flags(5, 1, 2, "Service Pack 2");
    EXPECT_TRUE(xpsp2.WindowsIsXP && xpsp2.WindowsIsXPSP2 && xpsp2.WindowsAtLeastXPSP2 && xpsp2.WindowsAtLeastXP);
    EXPECT_FALSE(flags(5, 1, 2, "Service Pack 3").WindowsIsXPSP2);
    const auto r2 = flags(5, 2, 2, "", 3, 0, true);
    EXPECT_TRUE(r2.WindowsIs2003 && r2.WindowsIs2003R2 && r2.WindowsAtLeast2003 && r2.WindowsAtLeastXPSP2);
    const auto xp64 = flags(5, 2, 2, "", 1, 9);
    EXPECT_TRUE(xp64.WindowsIsXP64);
    EXPECT_FALSE(xp64.WindowsIs2003);
    const auto vista = flags(6, 0, 2);
    EXPECT_TRUE(vista.WindowsIsVista && vista.WindowsAtLeastVista && vista.WindowsAtLeastXP && vista.WindowsAtLeast2003);
    const auto seven = flags(6, 1, 2, "Service Pack 1");
    EXPECT_TRUE(seven.WindowsIsVista && seven.WindowsNTFamily);   // Major 6, as the flag is defined
    const auto ten = flags(10, 0, 2);
    EXPECT_FALSE(ten.WindowsIsVista);
    EXPECT_TRUE(ten.WindowsAtLeastVista && ten.WindowsAtLeastXP && ten.WindowsAtLeastXPSP2);
    const auto w95 = flags(4, 0, 1);
    EXPECT_TRUE(w95.PlatformIs9x);
    EXPECT_FALSE(w95.Windows98OrLater9x || w95.WindowsIsME || w95.PlatformIsNT);
    const auto me = flags(4, 90, 1);
    EXPECT_TRUE(me.PlatformIs9x && me.WindowsIsME && me.Windows98OrLater9x && me.Windows9xBuild1000);
    EXPECT_FALSE(me.WindowsNTFamily);
}
