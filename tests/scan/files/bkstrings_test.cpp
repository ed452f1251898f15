#include "scan/files/bkStrings.h"
#include "support/allocation_probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(SplitByDelimiter, PiecesAndLimits)
{
    using V = TStringArray;
    EXPECT_EQ(SplitByDelimiter(";", "10;20;30", 0), (V{"10", "20", "30"}));
    EXPECT_EQ(SplitByDelimiter(";", "10;20;30", 2), (V{"10", "20;30"}));
    EXPECT_EQ(SplitByDelimiter(";", "10;20;30", 1), (V{"10;20;30"}));
    EXPECT_EQ(SplitByDelimiter(";", "10;20;30", 5), (V{"10", "20", "30"}));
    EXPECT_EQ(SplitByDelimiter(";", "a;b;", 0), (V{"a", "b"}));
    EXPECT_EQ(SplitByDelimiter(";", ";a", 0), (V{"", "a"}));
    EXPECT_EQ(SplitByDelimiter(";", "a;;b", 0), (V{"a", "", "b"}));
    EXPECT_EQ(SplitByDelimiter(";", ";", 0), (V{""}));
    EXPECT_EQ(SplitByDelimiter("", "a;b", 0), (V{"a;b"}));
    EXPECT_EQ(SplitByDelimiter(";", "", 0), V{});
    EXPECT_EQ(SplitByDelimiter(";", "a;b", -1), V{});
    EXPECT_EQ(SplitByDelimiter("::", "a::b:c::", 0), (V{"a", "b:c"}));
    // A huge limit is a limit, not an allocation.
    TAllocationProbe probe;
    EXPECT_EQ(SplitByDelimiter(";", "a;b", 0x7FFFFFFF), (V{"a", "b"}));
    EXPECT_LT(probe.Largest(), 1024u);
}

TEST(SplitByDelimiter, NeverMatchesOnATrailByte)
{
    // Shift-JIS-like: 0x81 leads a double-byte character whose trail byte here is ";".
    const auto lead = [](uint8_t b) { return b == 0x81; };
    const std::string text = "x\x81;y;z";
    EXPECT_EQ(SplitByDelimiter(";", text, 0, lead), (TStringArray{"x\x81;y", "z"}));
    EXPECT_EQ(SplitByDelimiter(";", text, 0, [](uint8_t) { return false; }),
              (TStringArray{"x\x81", "y", "z"}));
}

TEST(WidePaths, Delimiters)
{
    EXPECT_EQ(WideLastDelimiter(u"\\:", u"C:\\a\\b"), 5);
    EXPECT_EQ(WideLastDelimiter(u"\\:", u""), 0);
    EXPECT_EQ(WideLastDelimiter(std::u16string(1, u'\0'), std::u16string(u"a\0b", 3)), 0);   // NUL never matches
    EXPECT_EQ(WideChangeFileExt(u"C:\\dir.x\\name", u".dat"), u"C:\\dir.x\\name.dat");
    EXPECT_EQ(WideChangeFileExt(u"C:\\dir\\name.tmp", u".dat"), u"C:\\dir\\name.dat");
    EXPECT_EQ(WideChangeFileExt(u"a.b.c", u""), u"a.b");
    EXPECT_EQ(WideExtractFilePath(u"C:name"), u"C:");
    EXPECT_EQ(WideExtractFileName(u"C:name"), u"name");
    EXPECT_EQ(WideExtractFilePath(u"C:\\x\\y.l3d"), u"C:\\x\\");
    EXPECT_EQ(WideExtractFileName(u"plain.txt"), u"plain.txt");
    EXPECT_EQ(WideExtractFilePath(u"plain.txt"), u"");
    // "/" is no delimiter.
    EXPECT_EQ(WideExtractFileName(u"a/b"), u"a/b");
}

TEST(WidePaths, FilesAndFolders)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "l3d_bk_\u00E4";
    fs::create_directories(dir);
    const fs::path file = dir / "f.txt";
    std::ofstream(file) << "x";
    EXPECT_TRUE(WideFileExists(file.u16string()));
    EXPECT_FALSE(WideDirectoryExists(file.u16string()));
    EXPECT_TRUE(WideDirectoryExists(dir.u16string()));
    EXPECT_FALSE(WideFileExists(dir.u16string()));
    EXPECT_EQ(WideGetFileAttributes((dir / "missing").u16string()), 0xFFFFFFFFu);
    EXPECT_FALSE(WideFileExists((dir / "missing").u16string()));
    EXPECT_FALSE(WideDirectoryExists(u""));
    fs::remove_all(dir);
}
