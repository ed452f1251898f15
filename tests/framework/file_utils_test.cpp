#include "framework/Delays.h"
#include "framework/FileUtils.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

class FileUtilsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = CreateTempFile(u"fwt");
        ASSERT_FALSE(root.empty());
        ASSERT_TRUE(FileDelete(root));
        root = IncludeTrailingPathDelimiter(root);
    }
    void TearDown() override { ResetFolderSeam(); }
    std::u16string root;
};

TEST_F(FileUtilsTest, FoldersWithAllParentsFilesAndReplacingMoves)
{
    const char16_t sep = PathDelimiter();
    const std::u16string deep = root + u"a" + sep + u"b\u00e4" + sep + u"c";
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));  // a folder is not a file
    EXPECT_TRUE(ForceDirectories(deep));  // already there

    const std::u16string a = CreateTempFile(u"x", deep);
    const std::u16string b = CreateTempFile(u"x", deep);
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_TRUE(FileExists(a));
    std::ofstream(std::filesystem::path(a)) << "new";
    EXPECT_TRUE(MoveFileReplacing(a, b));
    EXPECT_FALSE(FileExists(a));
    {
        std::ifstream in{std::filesystem::path(b)};
        std::string text;
        in >> text;
        EXPECT_EQ(text, "new");
    }
    EXPECT_TRUE(FileDelete(b));
    EXPECT_FALSE(FileDelete(b));
    EXPECT_TRUE(CreateTempFile(u"x", root + u"missing").empty());
    std::filesystem::remove_all(std::filesystem::path(root));
}

TEST_F(FileUtilsTest, SpecialFoldersAndProgramFolderComeThroughTheSeam)
{
    FolderSeam().SpecialFolder = [](TSpecialFolder f) {
        return f == TSpecialFolder::AppData ? std::u16string(u"C:\\Users\\t\\AppData") : std::u16string(u"C:\\Docs");
    };
    FolderSeam().ProgramFile = [] { return std::u16string(u"C:\\Program Files\\L3D\\Lorvane3D.exe"); };
    EXPECT_EQ(SpecialFolder(TSpecialFolder::Documents), u"C:\\Docs");
    EXPECT_EQ(ProgramFolder(), u"C:\\Program Files\\L3D\\");
    ResetFolderSeam();
    EXPECT_FALSE(ProgramFolder().empty());
    EXPECT_TRUE(DirectoryExists(ProgramFolder()));
}

TEST(Delays, WaitsGoThroughTheSeam)
{
    std::vector<uint32_t> waits;
    SleepSeam() = [&](uint32_t ms) { waits.push_back(ms); };
    Delay(300);
    Delay(200);
    ResetSleepSeam();
    EXPECT_EQ(waits, (std::vector<uint32_t>{300, 200}));

    // The real seam waits at least as long as asked.
    const auto start = std::chrono::steady_clock::now();
    Delay(20);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

}  // namespace
