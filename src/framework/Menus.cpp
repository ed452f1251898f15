#include "framework/Menus.h"

#include "framework/Application.h"
#include "framework/UtilityWindow.h"
#include "framework/WinText.h"

// ---- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this))
{
    items_->OnChange = [this](TObject*, TMenuItem* Source, bool Rebuild) { MenuChanged(Source, Rebuild); };
}

TMenu::~TMenu()
{
    // The root item is an owned component and goes with TComponent, marked as destroying, so
    // it reports no changes any more.
    if (handle_)
        DestroyMenu(handle_);
}

TMenu* TMenu::MenuOf(const TMenuItem* Item)
{
    if (!Item)
        return nullptr;
    while (Item->Parent())
        Item = Item->Parent();
    auto* menu = dynamic_cast<TMenu*>(Item->Owner());
    return menu && menu->items_ == Item ? menu : nullptr;
}

HMENU TMenu::Handle()
{
    if (!handle_) {
        handle_ = IsPopup() ? CreatePopupMenu() : CreateMenu();
        if (!handle_)
            throw EOutOfResources(u"Error creating menu");
        Fill(handle_, items_, !IsPopup());
    }
    return handle_;
}

void TMenu::SetRightToLeft(bool Value)
{
    if (Value == rightToLeft_)
        return;
    rightToLeft_ = Value;
    MenuChanged(items_, true);
}

void TMenu::ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar)
{
    Info.cbSize = sizeof Info;
    Info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
    Info.wID = Item->Command();
    // Owner-drawn items tell their command by their data (their id may be a submenu's).
    Info.dwItemData = Item->Command();
    if (Item->IsLine()) {
        Info.fType = MFT_SEPARATOR;
    } else {
        Text = Item->Caption();
        if (Item->ShortCut() != scNone && !InBar)
            Text += u"\t" + ShortCutToText(Item->ShortCut());
        Info.fType = MFT_STRING;
        Info.fMask |= MIIM_STRING;
        Info.dwTypeData = WideBuffer(Text);
        Info.cch = static_cast<UINT>(Text.size());
    }
    if (Item->RadioItem())
        Info.fType |= MFT_RADIOCHECK;
    // Not MFT_RIGHTORDER on any item (see Menus.h).
    if (rightToLeft_ && InBar)
        Info.fType |= MFT_RIGHTJUSTIFY;
    Info.fState = (Item->Checked() ? MFS_CHECKED : MFS_UNCHECKED) | (Item->Enabled() ? MFS_ENABLED : MFS_DISABLED);
}

void TMenu::Fill(HMENU Menu, TMenuItem* Parent, bool InBar)
{
    // Right to left, the bar lists its items from the right: the first item stands rightmost.
    const bool reversed = InBar && rightToLeft_;
    for (int n = 0; n < Parent->Count(); ++n) {
        TMenuItem* item = Parent->Items(reversed ? Parent->Count() - 1 - n : n);
        if (!item->Visible())
            continue;
        MENUITEMINFOW info{};
        std::u16string text;
        ItemInfo(item, info, text, InBar);
        if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            Fill(sub, item, false);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = sub;
        }
        InsertMenuItemW(Menu, static_cast<UINT>(GetMenuItemCount(Menu)), TRUE, &info);
    }
}

void TMenu::RebuildHandle()
{
    if (!handle_)
        return;
    // In place: a window that shows this menu keeps the same HMENU. Deleting an item destroys
    // its submenu.
    while (GetMenuItemCount(handle_) > 0)
        DeleteMenu(handle_, 0, MF_BYPOSITION);
    Fill(handle_, items_, !IsPopup());
}

void TMenu::UpdateItem(TMenuItem* Item)
{
    if (!handle_ || Item == items_)
        return;
    MENUITEMINFOW info{};
    std::u16string text;
    ItemInfo(Item, info, text, !IsPopup() && Item->Parent() == items_);
    // Found by command through every submenu; an item left out (invisible) is not found.
    SetMenuItemInfoW(handle_, Item->Command(), FALSE, &info);
}

bool TMenu::RebuildList(TMenuItem* Parent)
{
    if (!handle_ || !Parent || Parent == items_)
        return false;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU;
    if (!GetMenuItemInfoW(handle_, Parent->Command(), FALSE, &info) || !info.hSubMenu)
        return false;
    while (GetMenuItemCount(info.hSubMenu) > 0)
        DeleteMenu(info.hSubMenu, 0, MF_BYPOSITION);
    Fill(info.hSubMenu, Parent, false);
    return true;
}

bool TMenu::FollowChange(TMenuItem* Source, bool Rebuild)
{
    if (!Source || Source == items_) {
        if (Rebuild)
            RebuildHandle();
        return Rebuild;
    }
    const bool inTopList = Source->Parent() == items_;
    if (!Rebuild) {
        UpdateItem(Source);
        return inTopList;
    }
    // What is listed changed in the list that holds Source (an item shown or hidden) or in
    // Source's own list (an item added or taken away): the list holding Source is made again,
    // with everything below it.
    if (RebuildList(Source->Parent()))
        return false;
    RebuildHandle();
    return true;
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild)
{
    if (IsDestroying())
        return;
    FollowChange(Source, Rebuild);
}

bool TMenu::DispatchCommand(uint16_t Command)
{
    TMenuItem* item = FindItem(Command);
    if (!item || item == items_)
        return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(TMessage& Message)
{
    TMenuItem* item = items_->FindShortCut(ShortCutFromMessage(Message));
    if (!item || item == items_)
        return false;
    item->Click();  // may free this menu: nothing of it is touched after
    return true;
}

// ---- TMainMenu

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

TMainMenu::~TMainMenu()
{
    DetachFromWindow();
}

void TMainMenu::BeforeDestruction()
{
    // The window lets go of the native menu before it is destroyed.
    DetachFromWindow();
    TMenu::BeforeDestruction();
}

void TMainMenu::DetachFromWindow()
{
    TWinControl* window = window_.Get();
    window_ = nullptr;
    if (window && window->HandleAllocated() && HandleAllocated() && GetMenu(window->Handle()) == Handle()) {
        ::SetMenu(window->Handle(), nullptr);
        window->Realign();
    }
}

void TMainMenu::MenuChanged(TMenuItem* Source, bool Rebuild)
{
    if (IsDestroying())
        return;
    // Drawing the bar again lays out the window's frame anew and, under Wine, erases the frame
    // and background of every child window at once: only a change the bar shows asks for it.
    if (!FollowChange(Source, Rebuild))
        return;
    if (TWinControl* window = window_.Get(); window && window->HandleAllocated() && HandleAllocated())
        DrawMenuBar(window->Handle());
}

// ---- TPopupMenu and its window

namespace {

// Clicks the item of a popup menu whose command a popup posted.
void DispatchPopupCommand(uint16_t Command)
{
    TMenuItem* item = MenuItemOfCommand(Command);
    if (item && dynamic_cast<TPopupMenu*>(TMenu::MenuOf(item)))
        item->Click();
}

struct TPopupWindow {
    HWND handle = nullptr;
    ~TPopupWindow() { DeallocateHWnd(handle); }
};

}  // namespace

HWND PopupMenuWindow()
{
    static TPopupWindow window;
    if (!window.handle)
        window.handle = AllocateHWnd([](TMessage& m) {
            if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == 0 && m.LParam == 0) {
                DispatchPopupCommand(LOWORD(m.WParam));
                return true;
            }
            return DispatchMenuMessage(m);
        });
    return window.handle;
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::Popup(int X, int Y)
{
    UINT flags = TPM_RIGHTBUTTON | (RightToLeft() ? TPM_RIGHTALIGN | TPM_LAYOUTRTL : TPM_LEFTALIGN);
    TrackPopupMenu(Handle(), flags, X, Y, 0, PopupMenuWindow(), nullptr);
}

// ---- messages of windows with menus

namespace {

TMenuItem* SelectedItem(WPARAM WParam, LPARAM LParam)
{
    const UINT flags = HIWORD(WParam);
    if (flags & (MF_SEPARATOR | MF_SYSMENU))
        return nullptr;
    uint16_t command = LOWORD(WParam);
    if (flags & MF_POPUP) {
        // A submenu's item is reported by its position; its id is its command.
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        if (!GetMenuItemInfoW(reinterpret_cast<HMENU>(LParam), LOWORD(WParam), TRUE, &info))
            return nullptr;
        command = static_cast<uint16_t>(info.wID);
    }
    return MenuItemOfCommand(command);
}

}  // namespace

bool DispatchMenuMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MENUSELECT: {
        TMenuItem* item = nullptr;
        // 0xFFFF with no menu: the menu closed.
        if (!(HIWORD(Message.WParam) == 0xFFFF && Message.LParam == 0))
            item = SelectedItem(Message.WParam, Message.LParam);
        if (Application)
            Application->SetHint(item && TMenu::MenuOf(item) ? GetLongHint(item->Hint()) : std::u16string());
        Message.Result = 0;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        if (measure->CtlType != ODT_MENU)
            return false;
        TMenuItem* item = MenuItemOfCommand(static_cast<uint16_t>(measure->itemData));
        if (TMenu* menu = TMenu::MenuOf(item)) {
            menu->MeasureItem(item, *measure);
            Message.Result = 1;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
        if (draw->CtlType != ODT_MENU)
            return false;
        TMenuItem* item = MenuItemOfCommand(static_cast<uint16_t>(draw->itemData));
        if (TMenu* menu = TMenu::MenuOf(item)) {
            menu->DrawItem(item, *draw);
            Message.Result = 1;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}
