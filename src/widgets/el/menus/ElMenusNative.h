// The widget layer's native menus: the main menu with its menu bar and the popup menu, over the
// framework's HMENU menus (framework/Menus.h), holding TElMenuItem items.
//
// Texts, check and radio marks, enabled states and short-cuts are the system's own menu items,
// kept in step with the items by the framework. Items with an image index show their glyph from
// the menu's image list (drawn on request, HBMMENU_CALLBACK). Right to left, the main menu draws
// its drop-down items itself, as the system draws them mirrored: texts right-aligned and read
// right to left, short-cuts at the left, glyphs and check marks at the right, submenu arrows at
// the left pointing left (the system lays its own items out left to right only; see Menus.h). A popup menu in the tdsOfficeXP
// style draws its items itself: a flat face, a grey gutter with the glyph or check mark, and a
// framed highlight.
//
// The menu bar stands for the form's native menu bar: it puts its main menu on the form
// (commands, short-cuts, hints) and shows or hides the bar on the window with its own Visible.
// The native bar lies outside the client area, so the control itself takes no room (height 0).
// Right to left, the bar's items stand at its right, the first one rightmost.
#pragma once

#include "widgets/el/menus/ElMenus.h"

#include "framework/Controls.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"

class TElHook;

class TElMainMenu : public TMainMenu {
public:
    explicit TElMainMenu(TComponent* AOwner);
    const char* ClassName() const override { return "TElMainMenu"; }

    // The glyphs of items with an image index; not owned, and forgotten when freed.
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* Value);

protected:
    void ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar) override;
    void MeasureItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure) override;
    void DrawItem(TMenuItem* Item, const DRAWITEMSTRUCT& Draw) override;

private:
    // Whether the item is a drop-down item this menu draws itself (right to left).
    bool DrawsMirrored(const TMenuItem* Item) const;

    TWeakRef<TImageList> images_;
};

class TElPopupMenu : public TPopupMenu, public IElPopupMenu {
public:
    explicit TElPopupMenu(TComponent* AOwner);
    const char* ClassName() const override { return "TElPopupMenu"; }

    TComponent* Component() override { return this; }
    TMenuItem* Items() const override { return TPopupMenu::Items(); }
    // Captions are never given hot keys of their own; the choice is kept for the callers.
    TMenuAutoFlag AutoHotkeys() const override { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuAutoFlag Value) override { autoHotkeys_ = Value; }
    TDrawStyle DrawStyle() const override { return drawStyle_; }
    void SetDrawStyle(TDrawStyle Value) override;

    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* Value);

protected:
    void ItemInfo(TMenuItem* Item, MENUITEMINFOW& Info, std::u16string& Text, bool InBar) override;
    void MeasureItem(TMenuItem* Item, MEASUREITEMSTRUCT& Measure) override;
    void DrawItem(TMenuItem* Item, const DRAWITEMSTRUCT& Draw) override;

private:
    bool OwnerDrawn() const { return drawStyle_ == tdsOfficeXP; }

    TMenuAutoFlag autoHotkeys_ = maAutomatic;
    TDrawStyle drawStyle_ = tdsNormal;
    TWeakRef<TImageList> images_;
};

class TElMenuBar : public TControl {
public:
    explicit TElMenuBar(TComponent* AOwner);
    ~TElMenuBar() override;
    const char* ClassName() const override { return "TElMenuBar"; }

    // The main menu shown; not owned. Its form is the form this bar stands on.
    TElMainMenu* Menu() const { return menu_.Get(); }
    void SetMenu(TElMainMenu* Value);
    // Mirrors the bar (and with it the menu it shows) for right-to-left languages.
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool Value);

    void SetParent(TWinControl* AParent) override;

protected:
    void VisibleChanged() override;

private:
    // Puts the menu on the form and the bar on its window as Visible says.
    void Apply();
    void ShowOnWindow();
    void WatchForm(TCustomForm* Form);

    TWeakRef<TElMainMenu> menu_;
    bool rightToLeft_ = false;
    TElHook* formHook_;  // owned as a component
};
