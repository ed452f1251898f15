// The widget layer's menus on real windows: the menu bar puts its main menu on the form and
// keeps its short-cuts while hidden, native items follow the El items, a highlighted item's hint
// reaches a status panel, right to left moves the bar's items to the right, the flat popup look,
// and the file manager's recent files as a native popup menu.
#include "widgets/el/menus/ElMenusNative.h"
#include "widgets/el/menus/ElStatusBar.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/FileUtils.h"
#include "framework/Forms.h"
#include "framework/ScopedGdi.h"
#include "framework/Streams.h"
#include "framework/WinText.h"
#include "scan/files/_TFileManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::ReadClientPixels;

TElMenuItem* AddItem(TMenuItem* Parent, const std::u16string& Caption, const std::u16string& ShortCut = u"")
{
    auto* item = new TElMenuItem(nullptr);
    item->SetCaption(Caption);
    item->SetShortCut(TextToShortCut(ShortCut));
    Parent->Add(item);
    return item;
}

std::u16string NativeText(HMENU Menu, UINT Command)
{
    wchar_t buffer[128] = {};
    GetMenuStringW(Menu, Command, buffer, 127, MF_BYCOMMAND);
    return FromWide(buffer);
}

UINT NativeState(HMENU Menu, UINT Command)
{
    return GetMenuState(Menu, Command, MF_BYCOMMAND);
}

class Field : public TCustomControl {
public:
    explicit Field(TComponent* Owner) : TCustomControl(Owner) { TabStop = true; }
};

// A form with a menu bar showing File (Open Ctrl+R) and View (three levels, a radio group), a
// status bar of two panels and a focused field.
struct MenuForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TElMainMenu* menu = new TElMainMenu(form.get());
    TElMenuBar* bar = new TElMenuBar(form.get());
    TElMenuItem* file = AddItem(menu->Items(), u"&File");
    TElMenuItem* open = AddItem(file, u"&Open", u"Ctrl+R");
    TElMenuItem* view = AddItem(menu->Items(), u"&View");
    std::vector<TElMenuItem*> levels;
    TElStatusBar* status = new TElStatusBar(form.get());
    Field* field = new Field(form.get());
    int opened = 0;

    MenuForm()
    {
        for (const char16_t* caption : {u"Level 1", u"Level 2", u"Level 3"}) {
            TElMenuItem* level = AddItem(view, caption);
            level->SetRadioItem(true);
            level->SetGroupIndex(2);
            level->AutoCheck = true;
            levels.push_back(level);
        }
        open->OnClick = [this](TObject*) { ++opened; };
        open->SetHint(u"Open|Opens a scan file");
        form->SetBounds(40, 40, 420, 240);
        bar->SetParent(form.get());
        bar->SetMenu(menu);
        status->SetParent(form.get());
        status->SetBounds(0, 150, 400, 20);
        status->Panels().Add()->SetWidth(120);
        status->Panels().Add()->SetWidth(200);
        field->SetParent(form.get());
        field->SetBounds(10, 10, 100, 30);
        form->Show();
        field->SetFocus();
        PumpUntil([this] { return field->Focused(); });
    }

    // Presses Key with Ctrl down at the focused field; the clicks of Open it caused.
    int PressCtrl(uint16_t Key)
    {
        BYTE state[256] = {};
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
        const int before = opened;
        PostMessageW(field->Handle(), WM_KEYDOWN, Key, 1);
        PostMessageW(field->Handle(), WM_KEYUP, Key, static_cast<LPARAM>(0xC0000001u));
        // All the keys set off has happened once the queue ran dry.
        EXPECT_TRUE(NothingFollows());
        const BYTE none[256] = {};
        SetKeyboardState(const_cast<BYTE*>(none));
        return opened - before;
    }
};

TEST(ElMenus, TheBarShowsItsMenuAndShortCutsFireOnceWhetherShownOrHidden)
{
    MenuForm m;
    ASSERT_EQ(GetMenu(m.form->Handle()), m.menu->Handle());
    EXPECT_EQ(m.bar->Height(), 0);  // the native bar lies outside the client area
    EXPECT_EQ(m.PressCtrl('R'), 1);

    // Hidden (full screen): the window loses its bar and gains its height, the short-cut stays.
    const int clientHeight = m.form->ClientHeight();
    m.bar->SetVisible(false);
    EXPECT_EQ(GetMenu(m.form->Handle()), nullptr);
    EXPECT_GT(m.form->ClientHeight(), clientHeight);
    EXPECT_EQ(m.PressCtrl('R'), 1);
    m.bar->SetVisible(true);
    EXPECT_EQ(GetMenu(m.form->Handle()), m.menu->Handle());
    EXPECT_EQ(m.form->ClientHeight(), clientHeight);

    // A command posted by the native bar clicks the item once too.
    PostMessageW(m.form->Handle(), WM_COMMAND, MAKEWPARAM(m.open->Command(), 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return m.opened == 3; }));
}

TEST(ElMenus, NativeTextsAndMarksFollowTheItemsAndRadioItemsUncheckTheirGroup)
{
    MenuForm m;
    const HMENU bar = m.menu->Handle();
    EXPECT_EQ(NativeText(bar, m.open->Command()), u"&Open\tCtrl+R");
    m.open->SetCaption(u"&\u00D6ffnen \u05D0");
    EXPECT_EQ(NativeText(bar, m.open->Command()), u"&\u00D6ffnen \u05D0\tCtrl+R");

    m.levels[0]->SetChecked(true);
    m.levels[2]->Click();  // auto-check
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m.levels[i]->Checked(), i == 2) << i;
        EXPECT_EQ((NativeState(bar, m.levels[i]->Command()) & MF_CHECKED) != 0, i == 2) << i;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(bar, m.levels[2]->Command(), FALSE, &info);
    EXPECT_NE(info.fType & MFT_RADIOCHECK, 0u);

    m.open->SetEnabled(false);
    EXPECT_NE(NativeState(bar, m.open->Command()) & MF_GRAYED, 0u);
    m.levels[1]->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 2);

    // An image index asks the menu for the glyph, which comes from its image list.
    TImageList images(nullptr);
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect({0, 0, 16, 16});
    images.Add(&glyph);
    m.menu->SetImages(&images);
    m.levels[0]->SetImageIndex(0);
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoW(bar, m.levels[0]->Command(), FALSE, &info);
    EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);
    GetMenuItemInfoW(bar, m.levels[2]->Command(), FALSE, &info);
    EXPECT_EQ(info.hbmpItem, nullptr);

    TMemoryDC dc(nullptr, 20, 20);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemData = m.levels[0]->Command();
    draw.hDC = dc.Handle();
    draw.rcItem = {0, 0, 20, 20};
    SendMessageW(m.form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_TRUE(ColorNear(dc.Bits()[10 * 20 + 10], 0xFF0000));
    m.menu->SetImages(nullptr);  // the list goes before the menu
}

TEST(ElMenus, AHighlightedItemsHintReachesAStatusPanel)
{
    MenuForm m;
    TElStatusPanel* panel = m.status->Panels(1);
    Application->OnHint = [&](TObject*) { panel->SetText(u" " + Application->Hint()); };
    ASSERT_TRUE(Settled());
    const TRect area = m.status->PanelRect(1);
    const RECT r{area.Left, area.Top, area.Right, area.Bottom};
    const auto before = ReadClientPixels(m.status->Handle(), r);

    SendMessageW(m.form->Handle(), WM_MENUSELECT, MAKEWPARAM(m.open->Command(), MF_HILITE),
                 reinterpret_cast<LPARAM>(GetSubMenu(m.menu->Handle(), 0)));
    EXPECT_EQ(panel->Text(), u" Opens a scan file");
    m.status->Update();
    EXPECT_NE(ReadClientPixels(m.status->Handle(), r).data, before.data);  // the text was painted

    SendMessageW(m.form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(panel->Text(), u" ");
    Application->OnHint = nullptr;
}

TEST(ElMenus, RightToLeftMovesTheBarsItemsToTheRight)
{
    MenuForm m;
    const HWND window = m.form->Handle();
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT file{}, view{};
    GetMenuItemRect(window, m.menu->Handle(), 0, &file);
    EXPECT_LT(file.left - client.left, 20);

    m.bar->SetRightToLeft(true);
    EXPECT_TRUE(m.menu->RightToLeft());
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    GetMenuItemRect(window, m.menu->Handle(), 0, &file);
    GetMenuItemRect(window, m.menu->Handle(), 1, &view);
    EXPECT_GT(file.left, (client.left + client.right) / 2);
    EXPECT_GT(view.left, (client.left + client.right) / 2);
    // The drop-down items are drawn mirrored by the menu, which keeps their texts.
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(m.menu->Handle(), m.open->Command(), FALSE, &info);
    EXPECT_EQ(info.fType & (MFT_OWNERDRAW | MF_SYSMENU), static_cast<UINT>(MFT_OWNERDRAW));
    EXPECT_EQ(NativeText(m.menu->Handle(), m.open->Command()), u"&Open\tCtrl+R");

    m.bar->SetRightToLeft(false);
    GetMenuItemInfoW(m.menu->Handle(), m.open->Command(), FALSE, &info);
    EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
    GetMenuItemRect(window, m.menu->Handle(), 0, &file);
    EXPECT_LT(file.left - client.left, 20);
}

TEST(ElMenus, TheFlatPopupLookDrawsItsItemsAndFramesTheHighlightedOne)
{
    TOwned<TElPopupMenu> popup(new TElPopupMenu(nullptr));
    TElMenuItem* item = AddItem(popup->Items(), u"C:\\scans\\field.dmo");
    TElMenuItem* line = AddItem(popup->Items(), u"-");
    const HMENU menu = popup->Handle();
    auto type = [&](TMenuItem* Item) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, Item->Command(), FALSE, &info);
        return info.fType;
    };
    EXPECT_EQ(type(item) & MFT_OWNERDRAW, 0u);
    popup->SetDrawStyle(tdsOfficeXP);
    EXPECT_EQ(popup->Handle(), menu);  // rebuilt in place
    EXPECT_NE(type(item) & MFT_OWNERDRAW, 0u);
    EXPECT_NE(type(line) & MFT_SEPARATOR, 0u);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = item->Command();
    SendMessageW(PopupMenuWindow(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_GT(measure.itemWidth, 100u);
    EXPECT_GE(measure.itemHeight, 16u);

    const int w = static_cast<int>(measure.itemWidth), h = static_cast<int>(measure.itemHeight);
    auto drawn = [&](UINT State) {
        TMemoryDC dc(nullptr, w, h);
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemData = item->Command();
        draw.itemState = State;
        draw.hDC = dc.Handle();
        draw.rcItem = {0, 0, w, h};
        SendMessageW(PopupMenuWindow(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        return std::vector<uint32_t>(dc.Bits(), dc.Bits() + w * h);
    };
    const auto normal = drawn(0), selected = drawn(ODS_SELECTED);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const uint32_t frame = (GetRValue(highlight) << 16) | (GetGValue(highlight) << 8) | GetBValue(highlight);
    const int edge = 1 * w + w / 2;  // the frame's top edge, in the middle
    EXPECT_TRUE(ColorNear(selected[edge], frame));
    EXPECT_FALSE(ColorNear(normal[edge], frame));
    // The caption was drawn: the text row holds more than the face and gutter colours.
    int textPixels = 0;
    for (int x = w / 3; x < w; ++x)
        textPixels += !ColorNear(normal[(h / 2) * w + x], normal[1 * w + w - 2]);
    EXPECT_GT(textPixels, 3);
}

TEST(ElMenus, TheFileManagersRecentFilesAreANativePopupThatOpensThem)
{
    std::vector<std::u16string> paths;
    for (int i = 0; i < 2; ++i)
        paths.push_back(CreateTempFile(u"rec"));
    TRecentFileList list;
    for (const std::u16string& p : paths)
        list.Add(p);
    TMemoryStream stream;
    list.Save(stream);
    stream.SetPosition(0);

    TViewStates views{};
    TFileManager manager([] { return nullptr; }, views);
    auto* popup = dynamic_cast<TElPopupMenu*>(manager.PopupMenu()->Component());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->DrawStyle(), tdsOfficeXP);
    EXPECT_EQ(popup->AutoHotkeys(), maManual);
    TOwned<TElMainMenu> mainMenu(new TElMainMenu(nullptr));
    TElMenuItem* recent = AddItem(mainMenu->Items(), u"Recent files");
    manager.MainMenuItem = recent;
    const HMENU native = popup->Handle();
    manager.LoadRecentFiles(&stream);

    ASSERT_EQ(GetMenuItemCount(native), 2);
    ASSERT_EQ(GetMenuItemCount(GetSubMenu(mainMenu->Handle(), 0)), 2);
    EXPECT_EQ(NativeText(mainMenu->Handle(), recent->Items(1)->Command()), paths[1]);
    std::vector<std::u16string> opened;
    manager.OnOpenRecentFile = [&](const std::u16string& Path) { opened.push_back(Path); };
    const UINT command = GetMenuItemID(native, 1);
    PostMessageW(PopupMenuWindow(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    EXPECT_TRUE(PumpUntil([&] { return !opened.empty(); }));
    EXPECT_EQ(opened, std::vector<std::u16string>{paths[1]});
    for (const std::u16string& p : paths)
        DeleteFileW(WideChars(p));
}

}  // namespace
