// Command-line splitting, file search by mask, full path names, temporary names and safe saving.
// Portable: these run natively and under Wine, where the search and the full paths are the
// system's own.
#include "framework/CommandLine.h"
#include "framework/Exceptions.h"
#include "framework/FileSystem.h"
#include "framework/FileUtils.h"
#include "framework/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

using TArgs = std::vector<std::u16string>;

TEST(CommandLine, QuotesBackslashesAndBlanksFollowTheSystemsRules)
{
    EXPECT_EQ(SplitCommandLine(u"prog a  b\tc"), (TArgs{u"prog", u"a", u"b", u"c"}));
    EXPECT_EQ(SplitCommandLine(u"\"C:\\Program Files\\L3D.exe\" -de_DE \"my scan.dmo\""),
              (TArgs{u"C:\\Program Files\\L3D.exe", u"-de_DE", u"my scan.dmo"}));
    // The program's name takes no escapes; what follows its closing quote starts an argument.
    EXPECT_EQ(SplitCommandLine(u"\"C:\\a\\\"x y"), (TArgs{u"C:\\a\\", u"x", u"y"}));
    // Backslashes count only before a double quote.
    EXPECT_EQ(SplitCommandLine(u"p C:\\dir\\\\x \"C:\\dir\\\\\" \\\"q\\\" a\\\\\\\"b"),
              (TArgs{u"p", u"C:\\dir\\\\x", u"C:\\dir\\", u"\"q\"", u"a\\\"b"}));
    // Quotes inside quotes, empty arguments, blanks at the end.
    EXPECT_EQ(SplitCommandLine(u"p \"a\"\"b\""), (TArgs{u"p", u"a\"b"}));
    EXPECT_EQ(SplitCommandLine(u"p \"\" x\"y z\"w   "), (TArgs{u"p", u"", u"xy zw"}));
    EXPECT_EQ(SplitCommandLine(u"p \"\"\"\""), (TArgs{u"p", u"\""}));
    EXPECT_EQ(SplitCommandLine(u"p   "), (TArgs{u"p"}));
    EXPECT_EQ(SplitCommandLine(std::u16string(u"p a\0b", 5)), (TArgs{u"p", u"a"}));
    // An empty line names the program itself.
    const TArgs self = SplitCommandLine(u"");
    ASSERT_EQ(self.size(), 1u);
    EXPECT_EQ(self[0], FolderSeam().ProgramFile());
}

TEST(FileMask, StarsQuestionMarksAndCase)
{
    EXPECT_TRUE(MatchesFileMask(u"Field.DMO", u"*.dmo"));
    EXPECT_FALSE(MatchesFileMask(u"notes.dmox", u"*.dmo"));
    EXPECT_FALSE(MatchesFileMask(u"dmo", u"*.dmo"));
    EXPECT_TRUE(MatchesFileMask(u"README", u"*.*"));
    EXPECT_TRUE(MatchesFileMask(u"abc", u"abc."));
    EXPECT_TRUE(MatchesFileMask(u"ab.txt", u"a?.txt"));
    EXPECT_FALSE(MatchesFileMask(u"a.txt", u"a?.txt"));
    EXPECT_TRUE(MatchesFileMask(u"xaYb", u"*a*b"));
    EXPECT_TRUE(MatchesFileMask(u"\u00c4rger.dvc", u"\u00e4*.DVC"));
    EXPECT_FALSE(MatchesFileMask(u"a", u""));
    EXPECT_TRUE(MatchesFileMask(u"", u"*"));
    // Many stars against a long name that almost matches: no exponential backtracking.
    EXPECT_FALSE(MatchesFileMask(std::u16string(20000, u'a'), u"*a*a*a*a*a*a*b"));
}

class FolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Folder = IncludeTrailingPathDelimiter(TempFileName());
        ASSERT_TRUE(ForceDirectories(Folder));
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(Folder), ignored);
    }
    void MakeFile(const std::u16string& Name, const std::string& Bytes)
    {
        TFileStream f(Folder + Name, fmCreate);
        f.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
    }
    std::u16string Folder;
};

TEST_F(FolderTest, FindFilesListsTheMatchingNamesOfAFolder)
{
    MakeFile(u"one.dmo", "12345");
    MakeFile(u"two.DMO", "");
    MakeFile(u"three.dmox", "x");  // its short alias would end in .DMO
    MakeFile(u"four.txt", "x");
    ASSERT_TRUE(ForceDirectories(Folder + u"sub.dmo"));

    std::vector<TSearchRec> found = FindFiles(Folder + u"*.dmo");
    std::sort(found.begin(), found.end(), [](const TSearchRec& A, const TSearchRec& B) { return A.Name < B.Name; });
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].Name, u"one.dmo");
    EXPECT_EQ(found[0].Size, 5);
    EXPECT_EQ(found[0].Attr & 0x10u, 0u);
    EXPECT_EQ(found[1].Name, u"sub.dmo");
    EXPECT_NE(found[1].Attr & 0x10u, 0u);
    EXPECT_EQ(found[2].Name, u"two.DMO");

    EXPECT_EQ(FindFiles(Folder + u"*").size(), 5u);  // no "." or ".."
    EXPECT_TRUE(FindFiles(Folder + u"missing" + PathDelimiter() + u"*.dmo").empty());
}

TEST_F(FolderTest, ExpandFileNameResolvesRelativeNamesFromTheCurrentFolder)
{
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(Folder));
    // The current folder as the system spells it (a link in the temporary folder's path stays).
    const std::u16string here = ExpandFileName(u".") + PathDelimiter();
    const char16_t sep = PathDelimiter();
    EXPECT_EQ(ExpandFileName(u"scan.dmo"), here + u"scan.dmo");
    EXPECT_EQ(ExpandFileName(std::u16string(u"a") + sep + u"." + sep + u"b" + sep + u".." + sep + u"c.dmo"),
              here + u"a" + sep + u"c.dmo");
    EXPECT_EQ(ExpandFileName(std::u16string(u"sub") + sep), here + u"sub" + sep);
    EXPECT_EQ(ExpandFileName(here + u"x.dmo"), here + u"x.dmo");
    EXPECT_EQ(ExpandFileName(u""), u"");
#ifdef _WIN32
    EXPECT_EQ(ExpandFileName(u"C:\\..\\..\\x"), u"C:\\x");
#else
    EXPECT_EQ(ExpandFileName(u"/../../x"), u"/x");
#endif
    std::filesystem::current_path(saved);
}

TEST_F(FolderTest, TemporaryNamesAreFreshAndOnlyCreateTempFileMakesAFile)
{
    const std::u16string name = TempFileName(Folder);
    ASSERT_EQ(name.size(), Folder.size() + 36);
    const std::u16string guid = name.substr(Folder.size());
    for (size_t i = 0; i < guid.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23)
            EXPECT_EQ(guid[i], u'-');
        else
            EXPECT_TRUE((guid[i] >= u'0' && guid[i] <= u'9') || (guid[i] >= u'a' && guid[i] <= u'f')) << i;
    }
    EXPECT_EQ(guid[14], u'4');
    EXPECT_FALSE(FileExists(name));
    EXPECT_NE(TempFileName(Folder), name);

    std::set<std::u16string> made;
    for (int i = 0; i < 50; ++i) {
        const std::u16string file = CreateTempFile(u"l3d", Folder);
        ASSERT_TRUE(FileExists(file));
        EXPECT_EQ(file.substr(Folder.size(), 3), u"l3d");
        EXPECT_EQ(file.size(), Folder.size() + 11);  // prefix, four digits, ".tmp"
        made.insert(file);
    }
    EXPECT_EQ(made.size(), 50u);
    EXPECT_TRUE(CreateTempFile(u"l3d", Folder + u"missing").empty());

    TFileToDelete doomed(*made.begin());
    EXPECT_TRUE(doomed.Delete());
    EXPECT_FALSE(FileExists(*made.begin()));
    EXPECT_FALSE(doomed.Delete());
}

TEST_F(FolderTest, SafeSaveKeepsTheOldFileWhenTheSaveFails)
{
    const std::u16string target = Folder + u"settings.cfg";
    SaveFileSafely(target, [](TStream& S) { S.WriteBuffer("old", 3); });
    EXPECT_THROW(SaveFileSafely(target,
                                [](TStream& S) {
                                    S.WriteBuffer("new, cut short", 14);
                                    throw EWriteError(SWriteError);
                                }),
                 EWriteError);
    TMemoryStream back;
    back.LoadFromFile(target);
    EXPECT_EQ(std::string(back.Bytes().begin(), back.Bytes().end()), "old");
    EXPECT_EQ(FindFiles(Folder + u"*").size(), 1u);  // no temporary left

    // A missing folder is not made: the save fails.
    const std::u16string elsewhere = Folder + u"missing" + PathDelimiter() + u"x.cfg";
    EXPECT_THROW(SaveFileSafely(elsewhere, [](TStream& S) { S.WriteBuffer("x", 1); }), EFCreateError);
    EXPECT_FALSE(DirectoryExists(Folder + u"missing"));
}

} // namespace
