// The portable rules of the start: the program's folders, the command-line arguments, the
// Examples menu's entries, and the pictures drawn for menus, buttons and the icon.
#include "app/AppGlyphs.h"
#include "app/StartupRules.h"

#include "framework/FileSystem.h"
#include "framework/FileUtils.h"

#include <gtest/gtest.h>

namespace {

std::u16string Sep()
{
    return std::u16string(1, PathDelimiter());
}

}  // namespace

TEST(StartupRules, TheFoldersHangBelowTheUsersFoldersAndEndInASeparator)
{
    const std::u16string s = Sep();
    const TFolders f = MakeFolders(u"A" + s + u"Roaming", u"D" + s + u"Docs" + s, u"P" + s + u"bin");
    EXPECT_EQ(f.AppDataFolder, u"A" + s + u"Roaming" + s + u"Lorvane 3D" + s);
    EXPECT_EQ(f.DocumentsFolder, u"D" + s + u"Docs" + s + u"Lorvane 3D" + s);
    EXPECT_EQ(f.ProgramFolder, u"P" + s + u"bin" + s);
    EXPECT_EQ(f.ScansFolder, f.DocumentsFolder + u"My Scans" + s);
    EXPECT_EQ(f.ExamplesFolder, f.DocumentsFolder + u"Examples" + s);
}

TEST(StartupRules, ArgumentsOpenScansByTheirFullPathOrChooseALanguage)
{
    const std::vector<TStartArgument> a = StartArguments({u"scan.dmo", u"", u"-de_DE", u"-"});
    ASSERT_EQ(a.size(), 3u);
    // A relative name becomes a whole path, so that the recent list and the open folder work.
    EXPECT_EQ(a[0].Kind, TStartArgument::OpenFile);
    EXPECT_NE(a[0].Value, u"scan.dmo");
    EXPECT_EQ(ExpandFileName(a[0].Value), a[0].Value);
    EXPECT_EQ(a[0].Value.substr(a[0].Value.size() - 9), Sep() + u"scan.dmo");
    // The empty argument asks for nothing; a hyphen names a locale, a lone one the empty one.
    EXPECT_EQ(a[1].Kind, TStartArgument::ChooseLanguage);
    EXPECT_EQ(a[1].Value, u"de_DE");
    EXPECT_EQ(a[2].Kind, TStartArgument::ChooseLanguage);
    EXPECT_EQ(a[2].Value, u"");
}

TEST(StartupRules, ExamplesShowTheirNamesWithoutExtensionAndKeepTheirPaths)
{
    const std::vector<TSearchRec> found = {
        {u"Field & Cave.dmo", 0, 10}, {u"Sub.dmo", 0x10, 0}, {u"two.dots.DMO", 0x20, 10}};
    const std::vector<TExampleItem> items = ExampleItems(u"E" + Sep(), found);
    ASSERT_EQ(items.size(), 2u);
    // An ampersand is shown, not taken as a menu's hot-key mark.
    EXPECT_EQ(items[0].Caption, u"Field && Cave");
    EXPECT_EQ(items[0].Path, u"E" + Sep() + u"Field & Cave.dmo");
    EXPECT_EQ(items[1].Caption, u"two.dots");
    EXPECT_EQ(items[1].Path, u"E" + Sep() + u"two.dots.DMO");
}

TEST(AppGlyphs, TheImagesOthersReferToKeepTheirPlacesAndKeyedPicturesTheirColours)
{
    // (That every picture is whole and unlike the others is the command table's test.)
    // The serial-port marks of the status bar are images 6 and 7, New is image 2.
    EXPECT_EQ(ToolGlyphIndex(TToolGlyph::New), 2);
    EXPECT_EQ(ToolGlyphIndex(TToolGlyph::PortClosed), 6);
    EXPECT_EQ(ToolGlyphIndex(TToolGlyph::PortOpen), 7);

    // Keyed pictures: opaque pixels keep their colour, the rest (the corner the buttons read
    // their key from) is the key.
    const TGlyphPicture turn = GlyphPicture(TNavigatorGlyph::TurnLeft);
    const std::vector<uint32_t> keyed = OnKeyColour(turn, 0xFF00FF);
    EXPECT_EQ(keyed[static_cast<size_t>(15) * 16], 0xFF00FFu);
    for (size_t i = 0; i < keyed.size(); ++i)
        EXPECT_EQ(keyed[i], (turn.Pixels[i] >> 24) >= 0x80 ? (turn.Pixels[i] & 0xFFFFFF) : 0xFF00FFu);

    // The icon is a rounded square: corners clear, centre opaque.
    const TGlyphPicture icon = DrawProgramIcon(32);
    EXPECT_EQ(icon.At(0, 0) >> 24, 0u);
    EXPECT_EQ(icon.At(16, 16) >> 24, 0xFFu);
}
