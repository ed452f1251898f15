// Native menus over the item model of MenuItems.h: the menu bar of a form (TMainMenu) and popup
// menus (TPopupMenu), built as HMENUs with wide texts.
//
// A menu keeps its native menu in step with its items: a change of an item's state (caption,
// check, enabled, short-cut, radio mark) updates that native item; a change of what is listed
// rebuilds in place the native list that holds it (the whole menu only when that list is the
// top one), so the HMENU (and a window's menu bar) stays the same. A form's menu bar is drawn
// again only when its own items change: the system reads the items of a menu as it opens.
// Invisible items are left out; a caption "-" is a separator; a short-cut is shown after a tab
// ("Open\tCtrl+O"); a radio item shows a bullet. Right to left: a menu bar's items stand at the
// right, the first one rightmost (listed in reverse and right-justified); a popup menu opens
// mirrored (TPM_LAYOUTRTL). No item is given MFT_RIGHTORDER: Wine takes that bit for its own
// mark of the system menu's item (MF_SYSMENU, the same value) and shows such an item as the
// window's icon, with no text and no width for it. The drop-down menus of a bar are laid out
// left to right by the system; a descendant that wants them mirrored draws their items itself.
//
// Commands: a menu bar's WM_COMMAND reaches its form, which hands it to DispatchCommand; a
// popup menu's reaches the popup window of this unit; both end in the item's Click.
// WM_MENUSELECT puts the highlighted item's long hint into Application.Hint (so OnHint runs)
// and clears it when the menu closes. Short-cuts: the form offers every key to its menu before
// the key is translated, ahead of KeyPreview and the focused control (TCustomForm::IsShortCut).
#pragma once

#include "framework/Controls.h"
#include "framework/MenuItems.h"

#include <windows.h>

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    const char* ClassName() const override { return "TMenu"; }

    // The root item: its sub-items are the menu's items. Owned by the menu.
    TMenuItem* Items() const { return items_; }

    // The native menu, built on first use and kept until the menu is freed.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool Value);

    // The item of this menu with the command number; nil when none.
    TMenuItem* FindItem(uint16_t Command) const { return items_->FindCommand(Command); }
    // Clicks the item with the command number; false when the menu has none.
    bool DispatchCommand(uint16_t Command);
    // Offers a key (the record of a WM_KEYDOWN or WM_SYSKEYDOWN) as a short-cut: the enabled
    // item with that short-cut is clicked and the result is true.
    bool IsShortCut(TMessage& Message);

    // The menu whose tree holds Item; nil when none.
    static TMenu* MenuOf(const TMenuItem* Item);

protected:
    friend bool DispatchMenuMessage(TMessage& Message);
    // Whether the native menu is a popup menu (else a menu bar).
    virtual bool IsPopup() const = 0;
    // Describes Item's native item; Text is the storage of its text. Descendants may add to it
    // (owner drawing) after calling this one.
    virtual void ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar);
    // Owner-drawn items (when ItemInfo made them so) are measured and drawn here.
    virtual void MeasureItem(TMenuItem*, MEASUREITEMSTRUCT&) {}
    virtual void DrawItem(TMenuItem*, const DRAWITEMSTRUCT&) {}
    // The items changed (see MenuItems.h); the native menu follows.
    virtual void MenuChanged(TMenuItem* Source, bool Rebuild);
    // Makes the native menu follow a change of Source; true when the top list of the native
    // menu (a menu bar's own items) changed with it.
    bool FollowChange(TMenuItem* Source, bool Rebuild);
    void RebuildHandle();

private:
    void Fill(HMENU Menu, TMenuItem* Parent, bool InBar);
    void UpdateItem(TMenuItem* Item);
    // Rebuilds the native list of Parent's items (not the top one); false when Parent has no
    // native list of its own to rebuild.
    bool RebuildList(TMenuItem* Parent);

    TMenuItem* items_;
    HMENU handle_ = nullptr;
    bool rightToLeft_ = false;
};

// The menu bar of a form (TCustomForm::SetMenu shows it).
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
    const char* ClassName() const override { return "TMainMenu"; }
    void BeforeDestruction() override;

    // The window that shows this menu as its bar; nil when none.
    TWinControl* Window() const { return window_.Get(); }

protected:
    bool IsPopup() const override { return false; }
    void MenuChanged(TMenuItem* Source, bool Rebuild) override;

private:
    friend class TCustomForm;
    void DetachFromWindow();
    TWeakRef<TWinControl> window_;
};

// A menu shown at a point on demand.
class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    const char* ClassName() const override { return "TPopupMenu"; }

    // Shows the menu with its corner at the screen point and returns when it closes. The chosen
    // item's command is posted to the popup window; its Click runs when the loop handles it.
    virtual void Popup(int X, int Y);

protected:
    bool IsPopup() const override { return true; }
};

// Handles the menu messages every window with menus passes on: WM_MENUSELECT (the application's
// hint) and WM_MEASUREITEM/WM_DRAWITEM of owner-drawn menu items. False for other messages.
bool DispatchMenuMessage(TMessage& Message);
// The window that owns every popup menu while it is shown and receives its commands.
HWND PopupMenuWindow();
