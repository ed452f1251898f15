// The ini store's registry mode on the system registry (under HKCU\Software, removed again):
// every type written and read back, stored with the system's types, keys and values listed and
// deleted, lists the registry cannot hold refused, and the tree-only operations refused.
#include "widgets/el/foundation/ElIniSystemRegistry.h"

#include "framework/Registry.h"

#include <gtest/gtest.h>

namespace {

constexpr char16_t kBase[] = u"\\Software\\L3DThemedIniTest";

class IniRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallElIniSystemRegistry();
        Clean();
        ini.SetPath(kBase);
        ini.SetUseRegistry(true);
        ASSERT_TRUE(ini.UseRegistry());
    }
    void TearDown() override
    {
        ini.SetUseRegistry(false);
        Clean();
        ElIniRegistryFactory() = nullptr;
    }
    static void Clean()
    {
        TRegistry r;
        r.DeleteKey(kBase);
    }
    TOwned<TElIniFile> owned{new TElIniFile(nullptr)};
    TElIniFile& ini = *owned;
};

TEST_F(IniRegistry, EveryTypeGoesToTheSystemRegistryAndComesBack)
{
    const std::vector<uint8_t> bytes{0, 1, 0xFE, 0xFF};
    ASSERT_TRUE(ini.WriteString("\\Sec\\Sub", "Name", "Caf\xe9 au lait"));
    ASSERT_TRUE(ini.WriteInteger("\\Sec\\Sub", "Count", -42));
    ASSERT_TRUE(ini.WriteBool("\\Sec\\Sub", "Flag", true));
    ASSERT_TRUE(ini.WriteFloat("\\Sec\\Sub", "Ratio", 0.125));
    ASSERT_TRUE(ini.WriteBinary("\\Sec\\Sub", "Blob", bytes.data(), 4));
    ASSERT_TRUE(ini.WriteMultiString("\\Sec\\Sub", "Lines", {"one", "two"}));

    std::string s;
    int32_t n = 0;
    bool b = false;
    double f = 0;
    std::vector<std::string> list;
    EXPECT_TRUE(ini.ReadString("\\Sec\\Sub", "Name", "", s));
    EXPECT_EQ(s, "Caf\xe9 au lait");
    EXPECT_TRUE(ini.ReadInteger("\\Sec\\Sub", "Count", 0, n));
    EXPECT_EQ(n, -42);
    EXPECT_TRUE(ini.ReadBool("\\Sec\\Sub", "Flag", false, b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(ini.ReadFloat("\\Sec\\Sub", "Ratio", 0, f));
    EXPECT_DOUBLE_EQ(f, 0.125);
    uint8_t buffer[8] = {};
    int32_t size = sizeof(buffer);
    EXPECT_TRUE(ini.ReadBinary("\\Sec\\Sub", "Blob", buffer, size));
    EXPECT_EQ(size, 4);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), bytes);
    EXPECT_TRUE(ini.ReadMultiString("\\Sec\\Sub", "Lines", list));
    EXPECT_EQ(list, (std::vector<std::string>{"one", "two"}));
    // Read as text: the number in decimal, the list one line each.
    EXPECT_TRUE(ini.ReadString("\\Sec\\Sub", "Count", "", s));
    EXPECT_EQ(s, "-42");
    EXPECT_TRUE(ini.ReadString("\\Sec\\Sub", "Lines", "", s));
    EXPECT_EQ(s, "one\r\ntwo");

    // What the system holds, seen through the framework's registry.
    TRegistry r;
    ASSERT_TRUE(r.OpenKeyReadOnly(std::u16string(kBase) + u"\\Sec\\Sub"));
    std::u16string wide;
    EXPECT_TRUE(r.ReadString(u"Name", wide));
    EXPECT_EQ(wide, u"Caf\u00e9 au lait");
    EXPECT_TRUE(r.ReadInteger(u"Count", n));
    EXPECT_EQ(n, -42);
    TRegDataInfo info;
    EXPECT_TRUE(r.GetDataInfo(u"Ratio", info));
    EXPECT_EQ(info.RegData, TRegDataType::Binary);
    EXPECT_EQ(info.DataSize, 8u);
    std::vector<std::u16string> lines;
    EXPECT_TRUE(r.ReadMultiString(u"Lines", lines));
    EXPECT_EQ(lines, (std::vector<std::u16string>{u"one", u"two"}));
}

TEST_F(IniRegistry, KeysAndValuesAreListedRenamedAndDeleted)
{
    ini.WriteInteger("\\A\\B", "x", 1);
    ini.WriteInteger("\\A\\C", "y", 2);
    ini.WriteInteger("\\A", "z", 3);
    std::vector<std::string> names;
    EXPECT_TRUE(ini.EnumSubKeys("\\A", names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B", "C"}));
    EXPECT_TRUE(ini.EnumValues("\\A", names));
    EXPECT_EQ(names, std::vector<std::string>{"z"});
    EXPECT_TRUE(ini.RenameValue("\\A", "z", "w"));
    EXPECT_TRUE(ini.ValueExists("\\A", "w"));
    EXPECT_FALSE(ini.ValueExists("\\A", "z"));
    EXPECT_TRUE(ini.DeleteValue("\\A", "w"));
    EXPECT_FALSE(ini.ValueExists("\\A", "w"));
    EXPECT_TRUE(ini.DeleteKey("\\A\\B"));
    EXPECT_FALSE(ini.KeyExists("\\A\\B"));
    EXPECT_TRUE(ini.KeyExists("\\A\\C"));
    EXPECT_TRUE(ini.OpenKey("\\A\\C", false));
    int32_t y = 0;
    EXPECT_TRUE(ini.ReadInteger("", "y", 0, y));
    EXPECT_EQ(y, 2);
}

TEST_F(IniRegistry, WhatTheRegistryCannotHoldIsRefusedAndTreeOperationsRaise)
{
    // A list with an empty line cannot be stored as the system's multi-string: refused, not cut.
    EXPECT_FALSE(ini.WriteMultiString("\\L", "Gap", {"a", "", "b"}));
    std::vector<std::string> list;
    EXPECT_FALSE(ini.ReadMultiString("\\L", "Gap", list));
    EXPECT_TRUE(ini.WriteMultiString("\\L", "Empty", {}));

    try {
        ini.GetValueEntry("\\L", "Empty");
        FAIL() << "no exception";
    } catch (const EElIniError& e) {
        EXPECT_EQ(e.Message(), u"GetValueEntry method is not available when using registry.");
    }
    EXPECT_THROW(ini.SetDelimiter('/'), EElIniError);
    EXPECT_FALSE(ini.Save());
}

}  // namespace
