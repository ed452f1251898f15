// The recent list: ten slots, oldest first in both menus, stored in the settings payload.
#include "filemanager_fixture.h"

namespace {

std::vector<std::u16string> Captions(TMenuItem& Parent)
{
    std::vector<std::u16string> captions;
    for (int i = 0; i < Parent.Count(); ++i) captions.push_back(Parent.Items(i)->Caption());
    return captions;
}

class FileManagerRecentTest : public FileManagerTest {
protected:
    std::vector<std::u16string> OpenNumbered(int From, int To)
    {
        const std::vector<uint8_t> bytes = EncodeScanFile(MakeFieldExample().Source);
        std::vector<std::u16string> paths;
        for (int i = From; i <= To; ++i) {
            paths.push_back(Write("scan" + std::to_string(i) + ".dmo", bytes));
            EXPECT_TRUE(Open(paths.back()));
        }
        return paths;
    }
};

TEST_F(FileManagerRecentTest, ElevenFilesDropTheFirstAndMenusListOldestFirst)
{
    const std::vector<std::u16string> paths = OpenNumbered(1, 11);
    const std::vector<std::u16string> expected(paths.begin() + 1, paths.end());
    EXPECT_EQ(std::vector<std::u16string>(Manager.RecentFiles().Slots().begin(), Manager.RecentFiles().Slots().end()),
              expected);
    EXPECT_EQ(Captions(*Manager.PopupMenu()->Items()), expected);
    EXPECT_EQ(Captions(MainMenu), expected);
    EXPECT_TRUE(Manager.PopupMenu()->AutoHotkeys() == maManual);
    EXPECT_TRUE(Manager.PopupMenu()->DrawStyle() == tdsOfficeXP);
}

TEST_F(FileManagerRecentTest, ReopeningAListedPathMovesNothing)
{
    const std::vector<std::u16string> paths = OpenNumbered(1, 3);
    const auto before = Manager.RecentFiles().Slots();
    ASSERT_TRUE(Open(paths[0]));
    EXPECT_EQ(Manager.RecentFiles().Slots(), before);
    EXPECT_EQ(Captions(MainMenu), paths);
    EXPECT_TRUE(Manager.RecentFiles().Slot(6).empty());  // slots 1..7 free, 8..10 used
    EXPECT_EQ(Manager.RecentFiles().Slot(7), paths[0]);
}

TEST_F(FileManagerRecentTest, SavedSlotsIncludeEmptyOnesAndMissingFilesGetNoItem)
{
    const std::vector<std::u16string> paths = OpenNumbered(1, 3);
    TMemoryStream stream;
    EXPECT_EQ(Manager.SaveRecentFiles(&stream), 1);
    // Ten strings: seven empty (4 bytes each) and three paths.
    size_t expectedSize = 7 * 4;
    for (const auto& p : paths) expectedSize += 4 + 2 * p.size();
    EXPECT_EQ(stream.Size(), int64_t(expectedSize));

    FileDelete(paths[1]);
    TFileManager other([this] { return &Scan; }, Views, &Messages);
    TElMenuItem otherMain(nullptr);
    other.MainMenuItem = &otherMain;
    stream.SetPosition(0);
    EXPECT_EQ(other.LoadRecentFiles(&stream), 1);
    EXPECT_EQ(other.RecentFiles().Slots(), Manager.RecentFiles().Slots());  // the missing one stays
    EXPECT_EQ(Captions(*other.PopupMenu()->Items()), (std::vector<std::u16string>{paths[0], paths[2]}));
    EXPECT_EQ(Captions(otherMain), (std::vector<std::u16string>{paths[0], paths[2]}));

    // It is saved again.
    TMemoryStream again;
    other.SaveRecentFiles(&again);
    EXPECT_EQ(again.Bytes(), stream.Bytes());

    EXPECT_EQ(other.LoadRecentFiles(nullptr), 0);
    EXPECT_EQ(other.SaveRecentFiles(nullptr), 0);
}

TEST_F(FileManagerRecentTest, DamagedListLoadsAsFarAsItIsSound)
{
    // Read over a list that holds entries already: none of them may survive in a slot that
    // the damaged data does not fill.
    const std::vector<std::u16string> earlier = OpenNumbered(1, 10);
    ASSERT_EQ(Manager.RecentFiles().Slot(1), earlier[1]);
    const std::u16string sound = Write("a.dmo", ReadFileBytes(earlier[0]));
    TMemoryStream stream;
    WriteWideStringToStream(stream, sound);
    const uint8_t huge[4] = {0xFF, 0xFF, 0xFF, 0x7F};
    stream.Write(huge, 4);
    stream.SetPosition(0);
    EXPECT_EQ(Manager.LoadRecentFiles(&stream), 1);
    EXPECT_EQ(Manager.RecentFiles().Slot(0), sound);
    for (int i = 1; i < TRecentFileList::SlotCount; ++i) EXPECT_TRUE(Manager.RecentFiles().Slot(i).empty()) << i;
    EXPECT_EQ(Captions(MainMenu), (std::vector<std::u16string>{sound}));
}

TEST_F(FileManagerRecentTest, ClickOpensTheSlotPathEvenWithAnAmpersand)
{
    const std::vector<uint8_t> bytes = EncodeScanFile(MakeFieldExample().Source);
    const std::u16string path = Write("Smith & Sons.dmo", bytes);
    ASSERT_TRUE(Open(path));
    std::vector<std::u16string> opened;
    Manager.OnOpenRecentFile = [&](const std::u16string& p) {
        opened.push_back(p);
        std::string magic;
        Manager.OpenFile(p, magic);  // the main window's road ends here
    };
    TMenuItem* item = MainMenu.Items(0);
    EXPECT_NE(item->Caption().find(u"&&"), std::u16string::npos);  // shown as one "&"
    item->Click();
    Manager.PopupMenu()->Items()->Items(0)->Click();
    EXPECT_EQ(opened, (std::vector<std::u16string>{path, path}));

    TElMenuItem stranger(nullptr);
    stranger.Tag = 42;
    Manager.RecentFileItemClick(&stranger);
    Manager.RecentFileItemClick(nullptr);
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(FileManagerRecentTest, MenuLinksHoldWhicheverSideIsFreedFirst)
{
    // The main-menu item goes first: the manager lets go of it and rebuilds the popup alone.
    auto* main = new TElMenuItem(nullptr);
    Manager.MainMenuItem = main;
    OpenNumbered(1, 1);
    ASSERT_EQ(main->Count(), 1);
    Free(main);
    EXPECT_FALSE(Manager.MainMenuItem);
    OpenNumbered(2, 2);
    EXPECT_EQ(Manager.PopupMenu()->Items()->Count(), 2);

    // The manager goes first: no item it made stays behind with a handler that calls it.
    TElMenuItem kept(nullptr);
    {
        TFileManager other([this] { return &Scan; }, Views, &Messages);
        other.MainMenuItem = &kept;
        TMemoryStream stream;
        Manager.SaveRecentFiles(&stream);
        stream.SetPosition(0);
        other.LoadRecentFiles(&stream);
        EXPECT_EQ(kept.Count(), 2);
    }
    EXPECT_EQ(kept.Count(), 0);
}

} // namespace
