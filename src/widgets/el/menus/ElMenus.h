// The widget layer's menu items, and popup menus as portable code sees them.
//
// TElMenuItem is the framework's menu item (framework/MenuItems.h) with an image index: items
// hold their sub-items, raise the framework's "Index Error" for Items on an item without
// sub-items, uncheck the radio items of their group, carry a short-cut, and tell the native
// menu that shows them about every change. The native menus themselves - TElMainMenu,
// TElPopupMenu and the menu bar - are Windows units (ElMenusNative.h).
//
// Portable code that owns a popup menu (the file manager's recent-file menu) holds it as an
// IElPopupMenu made by NewElPopupMenu: in a program that links the native menus that is a
// TElPopupMenu; elsewhere (native builds, tests of the portable layers) a holder that keeps the
// items and the display choices and shows nothing.
#pragma once

#include "framework/Components.h"
#include "framework/MenuItems.h"

#include <cstdint>

// How a menu gives its captions hot keys: maManual leaves every caption as it stands.
enum TMenuAutoFlag { maAutomatic, maManual, maParent };
// The look of a popup menu: tdsOfficeXP draws its items flat (owner-drawn); tdsNormal and
// tdsWindowsXP leave them to the system.
enum TDrawStyle { tdsNormal, tdsOfficeXP, tdsWindowsXP };

class TElMenuItem : public TMenuItem {
public:
    explicit TElMenuItem(TComponent* AOwner);
    const char* ClassName() const override { return "TElMenuItem"; }

    // The glyph of the item in its menu's image list; -1 for none.
    int32_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int32_t Value);

private:
    int32_t imageIndex_ = -1;
};

class IElPopupMenu {
public:
    // The popup menu's component, through which it is owned and freed.
    virtual TComponent* Component() = 0;
    // The root item; its sub-items are the menu's items.
    virtual TMenuItem* Items() const = 0;
    virtual TMenuAutoFlag AutoHotkeys() const = 0;
    virtual void SetAutoHotkeys(TMenuAutoFlag Value) = 0;
    virtual TDrawStyle DrawStyle() const = 0;
    virtual void SetDrawStyle(TDrawStyle Value) = 0;

protected:
    // Freed through Component(), never through this interface.
    ~IElPopupMenu() = default;
};

// A new popup menu with Owner: native when the program links the native menus, else the
// portable holder. Free it through Component() (or let Owner free it).
IElPopupMenu* NewElPopupMenu(TComponent* Owner);

// The maker NewElPopupMenu uses; null restores the portable holder. The native menus unit
// installs its own while the program starts.
using TElPopupMenuMaker = IElPopupMenu* (*)(TComponent* Owner);
void SetElPopupMenuMaker(TElPopupMenuMaker Maker);
