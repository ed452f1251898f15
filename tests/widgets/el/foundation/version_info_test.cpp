#include "widgets/el/foundation/ElVersionInfo.h"

#include "framework/StrConv.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

namespace {

std::u16string BesideTheTest(const char16_t* name)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path().u16string() + u"\\" + name;
}

} // namespace

TEST(ElVersionInfo, ReadsTheProgramsOwnResource)
{
    TElVersionInfo info(nullptr);
    ASSERT_TRUE(info.IsVerinfoExists());
    EXPECT_EQ(info.MajorVersion(), 2);
    EXPECT_EQ(info.MinorVersion(), 0);
    EXPECT_EQ(info.Release(), 1);
    EXPECT_EQ(info.Build(), 162);
    EXPECT_EQ(info.Attributes(), 1 << vaPreRelease);
    EXPECT_EQ(info.Translation(), "040704E4");
    EXPECT_EQ(info.CompanyName(), "Lorvane Test Company");
    EXPECT_EQ(info.FileVersion(), "2.0.1.162");
    EXPECT_EQ(info.ProductName(), "Base units \xE4");   // 8-bit text in the system code page
    EXPECT_EQ(info.Comments(), "");                    // no such entry
    // The system's own name of language 0407.
    char expected[64] = {};
    VerLanguageNameA(0x0407, expected, sizeof expected);
    EXPECT_EQ(info.Language(), expected);
    EXPECT_NE(info.Language().find("German"), std::string::npos);
}

TEST(ElVersionInfo, ModuleWithoutTranslationKeepsTheDefault)
{
    TElVersionInfo info(nullptr);
    info.SetFileName(BesideTheTest(u"version_info_notrans.dll"));
    ASSERT_TRUE(info.IsVerinfoExists());
    EXPECT_EQ(info.Translation(), "040904E4");
    EXPECT_EQ(info.MajorVersion(), 3);
    EXPECT_EQ(info.Build(), 7);
    EXPECT_EQ(info.Attributes(), 0);
    EXPECT_EQ(info.InternalName(), "notrans");   // read under the default translation
    char expected[64] = {};
    VerLanguageNameA(1033, expected, sizeof expected);
    EXPECT_EQ(info.Language(), expected);
}

TEST(ElVersionInfo, FilesWithoutResourceGiveNothing)
{
    const auto text = std::filesystem::temp_directory_path() / "l3d_base_noversion.txt";
    std::ofstream(text) << "no resource here";
    TElVersionInfo info(nullptr);
    for (const std::u16string& name : {text.u16string(), BesideTheTest(u"does_not_exist.dll")}) {
        info.SetFileName(name);
        EXPECT_FALSE(info.IsVerinfoExists());
        EXPECT_EQ(info.MajorVersion(), 0);
        EXPECT_EQ(info.Build(), 0);
        EXPECT_EQ(info.Attributes(), 0);
        EXPECT_EQ(info.CompanyName(), "");
        EXPECT_EQ(info.FileName(), name);
    }
    std::filesystem::remove(text);
}
