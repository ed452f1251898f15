// The registry wrapper on the real registry: typed values, keys opened from the root or from the
// open key, and the recursive delete. Each test works below a key of its own.
#include "framework/FileUtils.h"
#include "framework/Registry.h"
#include "framework/WinText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A fresh name for each test: tests may run side by side in one wine server.
        Base = u"Software\\L3DTests\\" + TempFileName(u"x").substr(2);
        ASSERT_TRUE(Reg.OpenKey(u"\\" + Base, true));
    }
    void TearDown() override
    {
        Reg.CloseKey();
        Reg.DeleteKey(u"\\" + Base);
    }

    TRegistry Reg;
    std::u16string Base;
};

std::vector<std::u16string> Sorted(std::vector<std::u16string> V)
{
    std::sort(V.begin(), V.end());
    return V;
}

TEST_F(RegistryTest, TypedValuesComeBackAndOtherTypesAreRefused)
{
    const std::u16string wide = u"Gr\u00f6\u00dfe \u2713";
    ASSERT_TRUE(Reg.WriteString(wide, u"Wert \u00fc\u20ac"));
    ASSERT_TRUE(Reg.WriteExpandString(u"Path", u"%TEMP%\\x"));
    ASSERT_TRUE(Reg.WriteInteger(u"Count", -7));
    const uint8_t bytes[5] = {0, 1, 2, 0xFE, 0xFF};
    ASSERT_TRUE(Reg.WriteBinary(u"Blob", bytes, 5));
    ASSERT_TRUE(Reg.WriteMultiString(u"Ports", {u"COM1", u"COM12"}));

    std::u16string s;
    EXPECT_TRUE(Reg.ReadString(wide, s));
    EXPECT_EQ(s, u"Wert \u00fc\u20ac");
    EXPECT_TRUE(Reg.ReadString(u"Path", s));
    EXPECT_EQ(s, u"%TEMP%\\x");  // not expanded
    int32_t i = 0;
    EXPECT_TRUE(Reg.ReadInteger(u"Count", i));
    EXPECT_EQ(i, -7);
    std::vector<uint8_t> b;
    EXPECT_TRUE(Reg.ReadBinary(u"Blob", b));
    EXPECT_EQ(b, std::vector<uint8_t>(bytes, bytes + 5));
    std::vector<std::u16string> m;
    EXPECT_TRUE(Reg.ReadMultiString(u"Ports", m));
    EXPECT_EQ(m, (std::vector<std::u16string>{u"COM1", u"COM12"}));

    TRegDataInfo info;
    ASSERT_TRUE(Reg.GetDataInfo(u"Count", info));
    EXPECT_EQ(info.RegData, TRegDataType::Integer);
    EXPECT_EQ(info.DataSize, 4u);
    ASSERT_TRUE(Reg.GetDataInfo(u"Path", info));
    EXPECT_EQ(info.RegData, TRegDataType::ExpandString);

    // Another type, or no value: false, and the variable keeps what it had.
    s = u"kept";
    i = 99;
    EXPECT_FALSE(Reg.ReadString(u"Count", s));
    EXPECT_FALSE(Reg.ReadInteger(u"Blob", i));
    EXPECT_FALSE(Reg.ReadInteger(u"missing", i));
    EXPECT_FALSE(Reg.ReadBinary(u"Ports", b));
    EXPECT_EQ(s, u"kept");
    EXPECT_EQ(i, 99);

    // A list that the stored form cannot bring back is not written.
    EXPECT_FALSE(Reg.WriteMultiString(u"Holes", {u"a", u"", u"b"}));
    EXPECT_FALSE(Reg.ValueExists(u"Holes"));

    EXPECT_EQ(Sorted(Reg.GetValueNames()), Sorted({wide, u"Path", u"Count", u"Blob", u"Ports"}));
    EXPECT_TRUE(Reg.DeleteValue(u"Blob"));
    EXPECT_FALSE(Reg.ValueExists(u"Blob"));
    EXPECT_FALSE(Reg.DeleteValue(u"Blob"));
}

TEST_F(RegistryTest, ValuesStoredByOthersAreReadWithinTheirBounds)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, WideChars(Base), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    // A string without its closing NUL, an odd byte count, a DWORD of the wrong size.
    RegSetValueExW(key, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"COM7"), 8);
    RegSetValueExW(key, L"Odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"AB"), 3);
    const BYTE two[2] = {1, 2};
    RegSetValueExW(key, L"Short", 0, REG_DWORD, two, 2);
    RegSetValueExW(key, L"Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(L"x\0yz\0\0tail\0"), 24);
    RegCloseKey(key);

    std::u16string s;
    EXPECT_TRUE(Reg.ReadString(u"NoNul", s));
    EXPECT_EQ(s, u"COM7");
    EXPECT_TRUE(Reg.ReadString(u"Odd", s));
    EXPECT_EQ(s, u"A");
    int32_t i = 5;
    EXPECT_FALSE(Reg.ReadInteger(u"Short", i));
    EXPECT_EQ(i, 5);
    std::vector<std::u16string> m;
    EXPECT_TRUE(Reg.ReadMultiString(u"Multi", m));
    EXPECT_EQ(m, (std::vector<std::u16string>{u"x", u"yz"}));
}

TEST_F(RegistryTest, KeysFromTheRootOrTheOpenKeyAndRecursiveDelete)
{
    ASSERT_TRUE(Reg.CreateKey(u"a\\b\\c"));  // relative to the open key, which stays open
    EXPECT_EQ(Reg.CurrentPath(), Base);
    EXPECT_TRUE(Reg.KeyExists(u"a\\b"));
    EXPECT_TRUE(Reg.KeyExists(u"\\" + Base + u"\\a\\b\\c"));
    EXPECT_FALSE(Reg.KeyExists(u"\\a\\b"));  // from the root there is no such key

    ASSERT_TRUE(Reg.OpenKey(u"a\\", false));  // a trailing "\" is ignored
    EXPECT_EQ(Reg.CurrentPath(), Base + u"\\a");
    ASSERT_TRUE(Reg.WriteString(u"v", u"in a"));
    EXPECT_FALSE(Reg.OpenKey(u"missing", false));
    EXPECT_EQ(Reg.CurrentPath(), Base + u"\\a");  // still open
    ASSERT_TRUE(Reg.OpenKey(u"b", false));
    ASSERT_TRUE(Reg.WriteInteger(u"n", 1));
    EXPECT_EQ(Reg.GetKeyNames(), (std::vector<std::u16string>{u"c"}));

    ASSERT_TRUE(Reg.OpenKeyReadOnly(u"\\" + Base));
    EXPECT_EQ(Reg.CurrentPath(), Base);
    EXPECT_EQ(Reg.GetKeyNames(), (std::vector<std::u16string>{u"a"}));
    EXPECT_FALSE(Reg.WriteString(u"refused", u"read only"));

    ASSERT_TRUE(Reg.OpenKey(u"\\" + Base, false));
    EXPECT_TRUE(Reg.DeleteKey(u"a"));  // with b, c and their values
    EXPECT_FALSE(Reg.KeyExists(u"a"));
    EXPECT_TRUE(Reg.GetKeyNames().empty());
    EXPECT_FALSE(Reg.DeleteKey(u"a"));

    // Another root closes the open key.
    Reg.SetRootKey(TRootKey::LocalMachine);
    EXPECT_FALSE(Reg.HasCurrentKey());
    EXPECT_TRUE(Reg.OpenKeyReadOnly(u"\\HARDWARE\\DEVICEMAP"));
    Reg.SetRootKey(TRootKey::CurrentUser);
}

} // namespace
