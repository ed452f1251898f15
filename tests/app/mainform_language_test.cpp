// The languages of the main window: the Language menu the start-up builds, a switch that sets
// every caption and hint (right to left included), and the language chosen on the command line.
// The right-to-left language is made here: its text for each number is "T" and the number, so
// every expected text follows from the language file, not from the program's own table. The
// open menus of a right-to-left language are compared, picture by picture, with the same menus
// left to right.
#include "program_fixture.h"

#include "ProgramFileSources.h"
#include "app/LanguageTexts.h"
#include "app/dlg_info.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TFileSystem.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

#include "support/gui_test.h"
#include "support/pump.h"
#include "support/real_input.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Application.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "framework/Streams.h"

#include <algorithm>

namespace {

using l3d::testing::Pixels;

std::u16string T(int Id)
{
    return u"T" + Utf8ToWide(std::to_string(Id));
}

// English (left to right, the program's own texts for a few numbers) and "xx_RT" (right to
// left, "T<id>" for every number the program uses).
std::vector<uint8_t> TwoLanguageFile()
{
    TTextSource english;
    english.Code = u"en_US";
    english.Name = u"English";
    english.Items = {{1, u"File"}, {182, u"Standard / Unknown"}};
    TTextSource rtl;
    rtl.Code = u"xx_RT";
    rtl.Name = u"Test & RTL";
    rtl.Direction = 2;
    for (const TNamedText& text : NamedTexts)
        rtl.Items.push_back({text.Id, T(text.Id)});
    TMemoryStream m;
    EXPECT_TRUE(WriteLanguageFile(m, {english, rtl}));
    return m.Bytes();
}

// The language file as shipped, with the direction byte of the language Code right to left.
std::vector<uint8_t> WithRightToLeft(const std::u16string& Shipped, const std::u16string& Code)
{
    TLanguageManager manager(nullptr);
    EXPECT_TRUE(manager.LoadFromFile(Shipped, u"en_US"));
    TMemoryStream file;
    bool found = false;
    for (const auto& language : manager.Languages().Items) {
        if (language->Name() == Code) {
            language->Direction = 2;
            found = true;
        }
        TMemoryStream payload;
        EXPECT_TRUE(language->Save(payload));
        EXPECT_TRUE(WriteContainerEntry(file, language->Name(), payload.Bytes()));
    }
    EXPECT_TRUE(found) << "the shipped file has no language " << WideToUtf8(Code);
    return file.Bytes();
}

// An open drop-down menu as the screen shows it, described by the bands of adjoining rows that
// hold anything besides the menu's face (an item's glyph, text and short-cut, a separator, the
// highlight), each with its first and last row and column. The frame is left out.
struct TBand {
    int Top, Bottom, Left, Right;
};
struct TMenuPicture {
    Pixels Picture;
    std::vector<TBand> Bands;
};

constexpr int kFrame = 3;

TMenuPicture Described(Pixels Picture)
{
    const COLORREF face = GetSysColor(COLOR_MENU);
    const uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    TMenuPicture menu{std::move(Picture), {}};
    const Pixels& p = menu.Picture;
    bool inBand = false;
    for (int y = kFrame; y < p.height - kFrame; ++y) {
        int left = -1, right = -1;
        for (int x = kFrame; x < p.width - kFrame; ++x)
            if (!l3d::testing::ColorNear(p.At(x, y), faceRgb, 16)) {
                left = left < 0 ? x : left;
                right = x;
            }
        if (left < 0) {
            inBand = false;
            continue;
        }
        if (!inBand)
            menu.Bands.push_back({y, y, left, right});
        TBand& band = menu.Bands.back();
        band.Bottom = y;
        band.Left = std::min(band.Left, left);
        band.Right = std::max(band.Right, right);
        inBand = true;
    }
    return menu;
}

// The window's pixels once two readings in a row agree (the menu drew itself completely).
Pixels SettledPicture(HWND Window)
{
    RECT r{};
    GetWindowRect(Window, &r);
    const RECT area{0, 0, r.right - r.left, r.bottom - r.top};
    Pixels last = l3d::testing::ReadWindowPixels(Window, area);
    for (int tries = 0; tries < 500; ++tries) {
        Sleep(20);
        Pixels now = l3d::testing::ReadWindowPixels(Window, area);
        if (now.data == last.data)
            return now;
        last = std::move(now);
    }
    return last;
}

// The first item of Menu that is not a separator; -1 when none.
int FirstItem(HMENU Menu)
{
    for (int i = 0; i < GetMenuItemCount(Menu); ++i)
        if (!(GetMenuState(Menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR))
            return i;
    return -1;
}

// A caption as the menu shows it: "&&" is one '&', a single '&' marks the hot key.
std::u16string ShownCaption(const std::u16string& Caption)
{
    std::u16string shown;
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == u'&' && ++i == Caption.size())
            break;
        shown += Caption[i];
    }
    return shown;
}

}  // namespace

class LanguageTest : public ProgramTest {
protected:
    std::u16string CaptionOf(const std::string& Name) const
    {
        if (auto* item = Element<TMenuItem>(Name))
            return item->Caption();
        return Element<TControl>(Name)->Caption();
    }
    std::u16string HintOf(const std::string& Name) const
    {
        if (auto* item = Element<TMenuItem>(Name))
            return item->Hint();
        return Element<TControl>(Name)->Hint;
    }
    TElMenuItem* LanguageItem(int Index) const
    {
        return dynamic_cast<TElMenuItem*>(MainForm->MenuExtras_Language->Items(Index));
    }

    // Starts the program in German and opens each menu of the bar, and the Zoom menu in the
    // View menu, with real clicks, with the mouse on the first item of each; the pictures of
    // these menus, in that order (saved as Name_<n>.png when the run asks for pictures).
    std::vector<TMenuPicture> OpenEveryMenu(const std::u16string& Name)
    {
        std::vector<TMenuPicture> menus;
        if (!Start({u"-de_DE"}))
            return menus;
        const HWND window = MainForm->Handle();
        EXPECT_TRUE(l3d::testing::BringToFront(window));
        std::vector<std::vector<std::u16string>> paths;
        TMenuItem* top = MainForm->ElMainMenu1->Items();
        for (int i = 0; i < top->Count(); ++i)
            paths.push_back({ShownCaption(top->Items(i)->Caption())});
        paths.push_back({ShownCaption(MainForm->MenuView->Caption()), ShownCaption(MainForm->MenuViewZoom->Caption())});
        for (const auto& path : paths) {
            const std::string named = WideToUtf8(path.back());
            Pixels picture;
            bool hovered = true;
            const auto opened = l3d::testing::ChooseFromMenuBar(window, path, [&](HWND Shown, HMENU Menu) {
                hovered = l3d::testing::HoverMenuItem(Menu, FirstItem(Menu)) && hovered;
                picture = SettledPicture(Shown);
            });
            EXPECT_EQ(opened.size(), path.size()) << named << " did not open";
            EXPECT_TRUE(hovered) << named << ": an item under the mouse was not highlighted";
            if (!l3d::testing::ScreenshotFolder().empty())
                l3d::testing::SavePicture(picture, l3d::testing::ScreenshotFolder() + u"\\menu_" + Name + u"_" +
                                                       Utf8ToWide(std::to_string(menus.size())) + u".png");
            menus.push_back(Described(std::move(picture)));
        }
        return menus;
    }
};

TEST_F(LanguageTest, TheLanguageMenuListsEveryLanguageWithTheActiveOneTicked)
{
    WriteFileBytes(ProgramDir + u"Lorvane3D.lng", TwoLanguageFile());
    ASSERT_TRUE(Start());
    TElMenuItem* menu = MainForm->MenuExtras_Language;
    ASSERT_EQ(menu->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(LanguageItem(i)->RadioItem());
        EXPECT_EQ(LanguageItem(i)->GroupIndex(), 11);
        EXPECT_EQ(LanguageItem(i)->Tag, i);
    }
    EXPECT_EQ(LanguageItem(0)->Caption(), u"English");
    // A display name is shown as it is, '&' included.
    EXPECT_EQ(LanguageItem(1)->Caption(), u"Test && RTL");
    EXPECT_TRUE(LanguageItem(0)->Checked());
    EXPECT_FALSE(LanguageItem(1)->Checked());
}

TEST_F(LanguageTest, SwitchingToARightToLeftLanguageSetsEveryTextAndTheReadingDirection)
{
    WriteFileBytes(ProgramDir + u"Lorvane3D.lng", TwoLanguageFile());
    ASSERT_TRUE(Start());
    EXPECT_EQ(MainForm->MenuFile->Caption(), u"File");
    EXPECT_EQ(MainForm->StatusBar->Panels(1)->Alignment(), TAlignment::taLeftJustify);

    LanguageItem(1)->Click();
    EXPECT_TRUE(LanguageItem(1)->Checked());
    EXPECT_FALSE(LanguageItem(0)->Checked());
    EXPECT_EQ(GlobalSettings.Language, u"xx_RT");

    // Every caption and hint of the command table carries its text, on every element of its command.
    for (const TCommand& c : MainForm->Commands()) {
        if (c.Caption.ID != 0) {
            EXPECT_NE(CaptionOf(c.Menu.Item.Name).find(T(c.Caption.ID)), std::u16string::npos) << c.Menu.Item.Name;
        }
        for (const std::string& e : {c.Menu.Item.Name, c.Tool.Button.Name, c.Tool.Box.Name, c.Pad.Button.Name}) {
            if (c.Hint.ID != 0 && !e.empty()) {
                EXPECT_NE(HintOf(e).find(T(c.Hint.ID)), std::u16string::npos) << e << " " << c.Hint.ID;
            }
        }
    }
    // Joined captions: " ..." appended, " ... " always after the text, About in reading order.
    EXPECT_EQ(CaptionOf("MenuFileNew"), T(2) + u" ...");
    EXPECT_EQ(CaptionOf("MenuFileOpen"), T(6) + u" ... ");
    EXPECT_EQ(CaptionOf("MenuHelpAbout"), u" ..." + T(57));
    // Buttons take the hints of the items and buttons that run the same command.
    EXPECT_EQ(HintOf("ToolButtonNew"), T(3));
    EXPECT_EQ(HintOf("ToolButtonPreferences"), HintOf("MenuFileConfiguration"));
    EXPECT_EQ(HintOf("SpeedButton13"), T(119));
    EXPECT_EQ(HintOf("SpeedButton10"), T(116));
    // Levels and zoom steps: the group's hint, a colon and the item's caption.
    EXPECT_EQ(HintOf("MenuEditRes0"), T(39) + u": " + T(40));
    EXPECT_EQ(HintOf("ToolButtonRes4"), T(39) + u": " + T(44));
    EXPECT_EQ(HintOf("ImageZoom50"), T(46) + u": 50 %");
    EXPECT_EQ(HintOf("ComboBoxZoom"), T(46));
    // The soil names of the language.
    ASSERT_EQ(SoilTypes.size(), 8u);
    EXPECT_EQ(SoilTypes[7].Name, T(189));
    ASSERT_EQ(MainForm->ComboBoxSoil->Items()->GetCount(), 8);
    EXPECT_EQ(MainForm->ComboBoxSoil->Items()->Get(0), T(182));
    // Right to left: status panels, menu bar and both boxes.
    for (int i = 0; i < MainForm->StatusBar->Panels().Count(); ++i)
        EXPECT_EQ(MainForm->StatusBar->Panels(i)->Alignment(), TAlignment::taRightJustify);
    EXPECT_TRUE(MainForm->MenuBar->RightToLeft());
    EXPECT_TRUE(MainForm->ElMainMenu1->RightToLeft());
    EXPECT_EQ(MainForm->ComboBoxSoil->BiDiMode(), TBiDiMode::bdRightToLeft);
    EXPECT_EQ(MainForm->ComboBoxZoom->BiDiMode(), TBiDiMode::bdRightToLeft);
    EXPECT_EQ(Application->BiDiMode, TBiDiMode::bdRightToLeft);
    // The info window reads right to left too: its GPS panel at the left, the bars reversed.
    ASSERT_NE(Dialog_Info, nullptr);
    EXPECT_EQ(Dialog_Info->Caption(), T(202));
    EXPECT_EQ(Dialog_Info->ElLabel_Latitude->Caption(), T(223));
    EXPECT_EQ(Dialog_Info->ElPanel_GPS->Left(), 0);
    EXPECT_EQ(Dialog_Info->ElLabel15->Left(), Dialog_Info->ElPanel_GPS->Width() - Dialog_Info->ElLabel15->Width());
    EXPECT_EQ(Dialog_Info->Shape_GPS_01->Left(), 18);
    EXPECT_EQ(Dialog_Info->Shape_GPS_04->Left(), 0);

    // And back: the soil box keeps the user's choice.
    MainForm->ComboBoxSoil->SetItemIndex(5);
    LanguageItem(0)->Click();
    EXPECT_EQ(CaptionOf("MenuFileNew"), u"New ...");
    EXPECT_EQ(CaptionOf("MenuHelpAbout"), u"About Lorvane 3D ...");
    EXPECT_EQ(MainForm->StatusBar->Panels(3)->Alignment(), TAlignment::taLeftJustify);
    EXPECT_FALSE(MainForm->MenuBar->RightToLeft());
    EXPECT_EQ(MainForm->ComboBoxSoil->ItemIndex(), 5);
    EXPECT_EQ(MainForm->ComboBoxSoil->Items()->Get(0), u"Standard / Unknown");
}

TEST_F(LanguageTest, WithoutALanguageFileTheEnglishDefaultsShow)
{
    ASSERT_TRUE(FileDelete(ProgramDir + u"Lorvane3D.lng"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(MainForm->MenuExtras_Language->Count(), 0);
    EXPECT_EQ(CaptionOf("MenuFileNew"), u"New ...");
    EXPECT_EQ(CaptionOf("MenuEdit"), u"Image");
    EXPECT_EQ(HintOf("MenuFileExit"), u"Exit program");
    // A text without a default stays empty; the zoom hints keep their captions.
    EXPECT_EQ(HintOf("MenuViewReset"), u"");
    EXPECT_EQ(HintOf("ImageZoom1000"), u": 1000 %");
    EXPECT_EQ(MainForm->ComboBoxSoil->Items()->Get(3), u"Sand");
}

TEST_F(LanguageTest, AHyphenatedLocaleOnTheCommandLineChoosesTheLanguage)
{
    ASSERT_TRUE(Start({u"-de_DE"}));
    EXPECT_EQ(LanguageManager->ActiveLanguageName(), u"de_DE");
    EXPECT_EQ(GlobalSettings.Language, u"de_DE");
    EXPECT_NE(MainForm->MenuFileNew->Caption(), u"New ...");
    Stop();

    // The choice was stored; an unknown locale then falls back to the first language.
    ASSERT_TRUE(Start({u"-zz_ZZ"}));
    EXPECT_EQ(LanguageManager->ActiveLanguageName(), u"en_US");
    EXPECT_EQ(GlobalSettings.Language, u"en_US");
    EXPECT_EQ(MainForm->MenuFileNew->Caption(), u"New ...");
}

TEST_F(LanguageTest, ARightToLeftMenuBarStandsAtTheRightAndItsMenusOpenToClicks)
{
    using l3d::testing::ChooseFromMenuBar;
    WriteFileBytes(ProgramDir + u"Lorvane3D.lng", TwoLanguageFile());
    ASSERT_TRUE(Start());
    const HWND window = MainForm->Handle();
    ASSERT_TRUE(l3d::testing::BringToFront(window));
    // The language chosen as the user chooses it, in the left-to-right bar.
    ASSERT_EQ(ChooseFromMenuBar(window, {u"Extras", u"Language", u"Test & RTL"}).size(), 2u);
    ASSERT_EQ(GlobalSettings.Language, u"xx_RT");

    // The bar reads from the right: File rightmost, then Image to its left.
    const HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    RECT client{}, file{}, image{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int count = GetMenuItemCount(bar);
    ASSERT_EQ(count, 5);
    ASSERT_TRUE(GetMenuItemRect(window, bar, static_cast<UINT>(count - 1), &file));
    ASSERT_TRUE(GetMenuItemRect(window, bar, static_cast<UINT>(count - 2), &image));
    EXPECT_GT(file.right - file.left, 0);
    EXPECT_GE(file.right, client.right - 2);
    EXPECT_LE(image.right, file.left);

    // A click on a menu opens it at the right; a click on its item runs the command.
    const uint8_t split = GlobalSettings.SplitScreen;
    const std::vector<RECT> opened = ChooseFromMenuBar(window, {T(47), T(48)});
    ASSERT_EQ(opened.size(), 1u) << "the menu did not open";
    EXPECT_GT(opened[0].left, (client.left + client.right) / 2);
    EXPECT_NE(GlobalSettings.SplitScreen, split);
}

TEST_F(LanguageTest, RightToLeftMenusShowWhatLeftToRightOnesShowMirrored)
{
    // German as shipped, then the shipped file with German's direction byte right to left: the
    // same texts, so each open menu is the mirror image of the other, item by item (the letters
    // themselves excepted).
    const std::vector<TMenuPicture> leftToRight = OpenEveryMenu(u"ltr");
    Stop();
    WriteFileBytes(ProgramDir + u"Lorvane3D.lng", WithRightToLeft(ProgramDir + u"Lorvane3D.lng", u"de_DE"));
    const std::vector<TMenuPicture> rightToLeft = OpenEveryMenu(u"rtl");
    ASSERT_EQ(rightToLeft.size(), leftToRight.size());
    ASSERT_EQ(leftToRight.size(), 6u);

    // Pixels; a caption joined in reading order (About's) reads " ..." first and so shows a
    // space at its right end.
    constexpr int kSlack = 5;
    // The system gives a text without a glyph in a menu with glyphs a glyph's column less room
    // than it takes; the mirrored menu gives it all, and is at most that much wider.
    const int glyphColumn = MainForm->ImageList->Width() + 2;
    for (size_t m = 0; m < leftToRight.size(); ++m) {
        const TMenuPicture& ltr = leftToRight[m];
        const TMenuPicture& rtl = rightToLeft[m];
        SCOPED_TRACE("menu " + std::to_string(m));
        // As wide as its texts and as high as its items.
        const int wider = rtl.Picture.width - ltr.Picture.width;
        EXPECT_GE(wider, -kSlack);
        EXPECT_LE(wider, glyphColumn + kSlack);
        EXPECT_NEAR(rtl.Picture.height, ltr.Picture.height, kSlack);
        // Each item, separator and the highlight in its rows; the check mark, glyph and text at
        // the same distance from the right edge as from the left edge left to right (the text
        // ends where it began); the short-cut and the submenu arrow at the far side (where the
        // extra width may lie).
        ASSERT_EQ(rtl.Bands.size(), ltr.Bands.size());
        for (size_t b = 0; b < ltr.Bands.size(); ++b) {
            const TBand &l = ltr.Bands[b], &r = rtl.Bands[b];
            SCOPED_TRACE("band " + std::to_string(b) + " at row " + std::to_string(l.Top));
            EXPECT_NEAR(r.Top, l.Top, kSlack);
            EXPECT_NEAR(r.Bottom, l.Bottom, kSlack);
            EXPECT_NEAR(rtl.Picture.width - 1 - r.Right, l.Left, kSlack);
            EXPECT_NEAR(r.Left, ltr.Picture.width - 1 - l.Right, kSlack + std::max(wider, 0));
        }
    }
}

TEST_F(LanguageTest, TheFrameworksMessagesSpeakTheActiveLanguage)
{
    // A folder in the place of settings.cfg: the settings cannot be written at the end.
    ASSERT_TRUE(ForceDirectories(SettingsFile() + u"\\"));
    ASSERT_TRUE(Start());
    ErrorBoxes.clear();
    Stop();
    EXPECT_EQ(ErrorBoxes, (std::vector<std::u16string>{u"The file " + SettingsFile() + u" cannot be created."}));

    ASSERT_TRUE(Start({u"-de_DE"}));
    ErrorBoxes.clear();
    Stop();
    EXPECT_EQ(ErrorBoxes,
              (std::vector<std::u16string>{u"Die Datei " + SettingsFile() + u" kann nicht erstellt werden."}));
}
