// Native menus through real windows: the menu bar follows its items, commands and short-cuts
// reach the item once, highlighting an item sets the application's hint, and a popup menu
// shown with TrackPopupMenu posts its command.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/CustomControls.h"
#include "framework/Menus.h"
#include "framework/WinText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TMenuItem* AddItem(TMenuItem* parent, const std::u16string& caption, const std::u16string& shortCut = u"")
{
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    item->SetShortCut(TextToShortCut(shortCut));
    parent->Add(item);
    return item;
}

MENUITEMINFOW NativeItem(HMENU menu, UINT command, std::u16string* text = nullptr)
{
    static char16_t buffer[256];
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_ID | MIIM_SUBMENU;
    info.dwTypeData = WideBuffer(buffer);
    info.cch = 255;
    buffer[0] = 0;
    EXPECT_TRUE(GetMenuItemInfoW(menu, command, FALSE, &info)) << command;
    if (text)
        *text = FromWide(WideChars(buffer));
    return info;
}

class Field : public TCustomControl {
public:
    explicit Field(TComponent* owner) : TCustomControl(owner) { TabStop = true; }
};

// A form with a menu bar: File (Open Ctrl+R, a line, Exit F11), View (three radio levels in
// group 1, Grid Ctrl+F1, Mark Ctrl+Shift+X), and a focused field.
struct MenuForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TMainMenu* menu = new TMainMenu(form.get());
    TMenuItem* file = AddItem(menu->Items(), u"&File");
    TMenuItem* open = AddItem(file, u"&Open", u"Ctrl+R");
    TMenuItem* line = AddItem(file, u"-");
    TMenuItem* exit = AddItem(file, u"E&xit", u"F11");
    TMenuItem* view = AddItem(menu->Items(), u"&View");
    std::vector<TMenuItem*> levels;
    TMenuItem* grid = AddItem(view, u"Grid", u"Ctrl+F1");
    TMenuItem* mark = AddItem(view, u"Mark", u"Ctrl+Shift+X");
    Field* field = new Field(form.get());
    std::vector<std::string> log;

    MenuForm()
    {
        for (int i = 0; i < 3; ++i) {
            TMenuItem* level = AddItem(view, u"Level " + std::u16string(1, char16_t(u'1' + i)));
            level->SetRadioItem(true);
            level->SetGroupIndex(1);
            level->AutoCheck = true;
            levels.push_back(level);
        }
        for (TMenuItem* item : {open, exit, grid, mark, levels[0], levels[1], levels[2]})
            item->OnClick = [this](TObject* sender) {
                log.push_back(std::string("click ") + std::to_string(static_cast<TMenuItem*>(sender)->Command()));
            };
        open->SetHint(u"Open|Opens a scan file");
        form->SetClientSize(300, 200);
        form->SetMenu(menu);
        form->KeyPreview = true;
        form->OnKeyDown = [this](TObject*, uint16_t&, TShiftState) { log.push_back("preview"); };
        field->SetParent(form.get());
        field->SetBounds(10, 10, 100, 30);
        field->OnKeyDown = [this](TObject*, uint16_t&, TShiftState) { log.push_back("field"); };
        form->Show();
        field->SetFocus();
        PumpUntil([this] { return field->Focused(); });
    }

    std::string Click(TMenuItem* item) const { return "click " + std::to_string(item->Command()); }
};

TEST(Menus, TheMenuBarShowsItsItemsAndFollowsTheirState)
{
    MenuForm m;
    HMENU bar = GetMenu(m.form->Handle());
    ASSERT_EQ(bar, m.menu->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    std::u16string text;
    EXPECT_TRUE(NativeItem(bar, m.open->Command(), &text).fType == MFT_STRING);
    EXPECT_EQ(text, u"&Open\tCtrl+R");
    EXPECT_EQ(NativeItem(bar, m.line->Command()).fType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
    NativeItem(bar, m.file->Command(), &text);
    EXPECT_EQ(text, u"&File");  // no short-cut texts in the bar

    // Radio marks and checks follow the items; one radio item of a group is checked.
    m.levels[1]->SetChecked(true);
    m.levels[2]->SetChecked(true);
    EXPECT_NE(NativeItem(bar, m.levels[2]->Command()).fType & MFT_RADIOCHECK, 0u);
    EXPECT_NE(NativeItem(bar, m.levels[2]->Command()).fState & MFS_CHECKED, 0u);
    EXPECT_EQ(NativeItem(bar, m.levels[1]->Command()).fState & MFS_CHECKED, 0u);
    m.grid->SetChecked(true);
    EXPECT_NE(NativeItem(bar, m.grid->Command()).fState & MFS_CHECKED, 0u);
    EXPECT_EQ(NativeItem(bar, m.grid->Command()).fType & MFT_RADIOCHECK, 0u);
    m.grid->SetEnabled(false);
    EXPECT_NE(NativeItem(bar, m.grid->Command()).fState & MFS_DISABLED, 0u);

    // Wide texts, and items that come, go and hide.
    m.grid->SetCaption(u"Gitter \u2713 \u05D0\u05D1");
    NativeItem(bar, m.grid->Command(), &text);
    EXPECT_EQ(text, u"Gitter \u2713 \u05D0\u05D1\tCtrl+F1");
    HMENU viewMenu = GetSubMenu(bar, 1);
    EXPECT_EQ(GetMenuItemCount(viewMenu), 5);
    m.mark->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(viewMenu = GetSubMenu(bar, 1)), 4);
    AddItem(m.view, u"New");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 5);
    EXPECT_EQ(GetMenu(m.form->Handle()), bar);  // rebuilt in place

    // A list inside a menu gets its first items, one turns into a line, and all go again, as a
    // recent-files list does: the list is made again where it is, the other menu stays as it was.
    TMenuItem* recent = AddItem(m.file, u"Recent");
    EXPECT_EQ(NativeItem(bar, recent->Command()).hSubMenu, nullptr);
    const HMENU fileMenu = GetSubMenu(bar, 0), viewMenuBefore = GetSubMenu(bar, 1);
    TMenuItem* first = AddItem(recent, u"a.dmo");
    TMenuItem* second = AddItem(recent, u"b.dmo");
    const HMENU recentMenu = NativeItem(bar, recent->Command()).hSubMenu;
    ASSERT_NE(recentMenu, nullptr);
    EXPECT_EQ(GetMenuItemCount(recentMenu), 2);
    NativeItem(bar, second->Command(), &text);
    EXPECT_EQ(text, u"b.dmo");
    first->SetCaption(u"-");
    EXPECT_EQ(NativeItem(bar, first->Command()).fType & MFT_SEPARATOR, static_cast<UINT>(MFT_SEPARATOR));
    recent->Clear();
    EXPECT_EQ(NativeItem(bar, recent->Command()).hSubMenu, nullptr);
    EXPECT_EQ(GetSubMenu(bar, 0), fileMenu);
    EXPECT_EQ(GetSubMenu(bar, 1), viewMenuBefore);
    EXPECT_EQ(GetMenuItemCount(bar), 2);

    // Right to left: the bar's items at the right, the first one rightmost (listed last). No
    // item carries the bit that Wine reads as the system menu's (drawn as an icon, no text).
    m.menu->SetRightToLeft(true);
    EXPECT_EQ(NativeItem(bar, m.file->Command()).fType & (MF_SYSMENU | MFT_RIGHTJUSTIFY),
              static_cast<UINT>(MFT_RIGHTJUSTIFY));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, GetMenuItemCount(bar) - 1), 0), m.open->Command());
    EXPECT_EQ(NativeItem(bar, m.open->Command()).fType & MF_SYSMENU, 0u);
}

TEST(Menus, EitherTheMenuOrItsFormMayGoFirst)
{
    MenuForm m;
    const int clientHeight = m.form->ClientHeight();
    Free(m.menu);
    EXPECT_EQ(m.form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(m.form->Handle()), nullptr);
    EXPECT_GT(m.form->ClientHeight(), clientHeight);

    // A form freed while its menu lives leaves the menu's native menu whole.
    TOwned<TMainMenu> kept(new TMainMenu(nullptr));
    AddItem(kept->Items(), u"Kept");
    {
        TOwned<TForm> form(CreateComponent<TForm>(nullptr));
        form->SetMenu(kept.get());
        form->Show();
        EXPECT_EQ(GetMenu(form->Handle()), kept->Handle());
    }
    EXPECT_TRUE(IsMenu(kept->Handle()));
    EXPECT_EQ(GetMenuItemCount(kept->Handle()), 1);
}

TEST(Menus, CommandsAndShortCutsClickTheirItemOnceBeforeKeyPreview)
{
    MenuForm m;
    PostMessageW(m.form->Handle(), WM_COMMAND, MAKEWPARAM(m.levels[1]->Command(), 0), 0);
    ASSERT_TRUE(PumpUntil([&] { return !m.log.empty(); }));
    EXPECT_EQ(m.log, std::vector<std::string>{m.Click(m.levels[1])});
    EXPECT_TRUE(m.levels[1]->Checked());

    auto press = [&](uint16_t key, std::initializer_list<int> modifiers) {
        BYTE state[256] = {};
        for (int vk : modifiers)
            state[vk] = 0x80;
        SetKeyboardState(state);
        m.log.clear();
        PostMessageW(m.field->Handle(), WM_KEYDOWN, key, 1);
        PostMessageW(m.field->Handle(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        // All the keys set off has happened once the queue ran dry.
        EXPECT_TRUE(NothingFollows());
        const BYTE none[256] = {};
        SetKeyboardState(const_cast<BYTE*>(none));
        return m.log;
    };
    EXPECT_EQ(press('R', {VK_CONTROL}), std::vector<std::string>{m.Click(m.open)});
    EXPECT_EQ(press(VK_F11, {}), std::vector<std::string>{m.Click(m.exit)});
    EXPECT_EQ(press(VK_F1, {VK_CONTROL}), std::vector<std::string>{m.Click(m.grid)});
    EXPECT_EQ(press('X', {VK_CONTROL, VK_SHIFT}), std::vector<std::string>{m.Click(m.mark)});
    // Not a short-cut (Shift missing), a disabled item, a disabled parent: the key goes on.
    EXPECT_EQ(press('X', {VK_CONTROL}), (std::vector<std::string>{"preview", "field"}));
    m.open->SetEnabled(false);
    EXPECT_EQ(press('R', {VK_CONTROL}), (std::vector<std::string>{"preview", "field"}));
    m.view->SetEnabled(false);
    EXPECT_EQ(press(VK_F1, {VK_CONTROL}), (std::vector<std::string>{"preview", "field"}));
}

TEST(Menus, HighlightingAnItemSetsTheApplicationHint)
{
    MenuForm m;
    std::vector<std::u16string> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
    HMENU fileMenu = GetSubMenu(m.menu->Handle(), 0);
    SendMessageW(m.form->Handle(), WM_MENUSELECT, MAKEWPARAM(m.open->Command(), MF_HILITE),
                 reinterpret_cast<LPARAM>(fileMenu));
    EXPECT_EQ(Application->Hint(), u"Opens a scan file");
    // A submenu is reported by its position in the menu that holds it.
    m.view->SetHint(u"View options");
    SendMessageW(m.form->Handle(), WM_MENUSELECT, MAKEWPARAM(1, MF_HILITE | MF_POPUP),
                 reinterpret_cast<LPARAM>(m.menu->Handle()));
    EXPECT_EQ(Application->Hint(), u"View options");
    SendMessageW(m.form->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(Application->Hint(), u"");
    EXPECT_EQ(hints, (std::vector<std::u16string>{u"Opens a scan file", u"View options", u""}));
    Application->OnHint = nullptr;
}

TEST(Menus, APopupMenuPostsTheChosenCommandAndShowsHints)
{
    MenuForm m;
    TOwned<TPopupMenu> popup(new TPopupMenu(nullptr));
    TMenuItem* first = AddItem(popup->Items(), u"First");
    first->SetHint(u"The first one");
    TMenuItem* second = AddItem(popup->Items(), u"Second");
    second->SetHint(u"Short|The second one");
    TMenuItem* chosen = nullptr;
    int clicks = 0;
    for (TMenuItem* item : {first, second})
        item->OnClick = [&](TObject* sender) {
            chosen = static_cast<TMenuItem*>(sender);
            ++clicks;
        };
    std::vector<std::u16string> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };

    // The menu loop reads the keys that are waiting: down twice, then Enter.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        PostMessageW(PopupMenuWindow(), WM_KEYDOWN, key, 1);
    POINT p{20, 20};
    ClientToScreen(m.form->Handle(), &p);
    popup->Popup(p.x, p.y);
    EXPECT_TRUE(PumpUntil([&] { return chosen != nullptr; }));
    EXPECT_EQ(chosen, second);
    ASSERT_TRUE(NothingFollows());  // a second click would be in by then
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(std::find(hints.begin(), hints.end(), u"The second one"), hints.end());
    EXPECT_EQ(Application->Hint(), u"");
    Application->OnHint = nullptr;
}

// A menu that draws its own items, as themed menus do.
class DrawnMenu : public TMainMenu {
public:
    using TMainMenu::TMainMenu;
    std::vector<TMenuItem*> measured, drawn;

protected:
    void ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar) override
    {
        TMainMenu::ItemInfo(Item, Info, Text, InBar);
        Info.fType |= MFT_OWNERDRAW;
    }
    void MeasureItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure) override
    {
        measured.push_back(Item);
        Measure.itemWidth = 40;
        Measure.itemHeight = 18;
    }
    void DrawItem(TMenuItem* Item, const DRAWITEMSTRUCT&) override { drawn.push_back(Item); }
};

TEST(Menus, OwnerDrawnItemsAreMeasuredAndDrawnByTheirMenu)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    auto* menu = new DrawnMenu(form.get());
    TMenuItem* a = AddItem(menu->Items(), u"A");
    TMenuItem* b = AddItem(menu->Items(), u"B");
    form->SetMenu(menu);
    form->Show();
    DrawMenuBar(form->Handle());
    auto has = [](const std::vector<TMenuItem*>& v, TMenuItem* i) { return std::find(v.begin(), v.end(), i) != v.end(); };
    EXPECT_TRUE(PumpUntil([&] { return has(menu->drawn, a) && has(menu->drawn, b); }));
    EXPECT_TRUE(has(menu->measured, a));
    EXPECT_TRUE(has(menu->measured, b));
}

}  // namespace
