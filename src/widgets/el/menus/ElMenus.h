// The item model of the program's menus: menu items in a tree under a main-menu item or a
// popup menu. The native menus that show them are made by the windows that own the menus;
// this model keeps the state they show and runs the click handlers.
//
// Ownership: an item is freed by its owner when it has one, otherwise by the item that holds
// it (Clear, or the parent's destruction). An item freed by its owner leaves its parent's
// list first, so a parent never holds a freed item.
#pragma once

#include "framework/Components.h"
#include "framework/Exceptions.h"
#include "framework/MenuItems.h"

#include <cstdint>
#include <string>
#include <vector>

enum TMenuAutoFlag { maAutomatic, maManual, maParent };
enum TDrawStyle { tdsNormal, tdsOfficeXP, tdsWindowsXP };

class TElMenuItem : public TComponent {
public:
    explicit TElMenuItem(TComponent* AOwner);
    ~TElMenuItem() override;
    const char* ClassName() const override { return "TElMenuItem"; }
    void BeforeDestruction() override;

    // Appends Item as the last sub-item; an item held elsewhere moves here.
    void Add(TElMenuItem* Item);
    // Takes Item out of the sub-items without freeing it.
    void Remove(TElMenuItem* Item);
    // Frees every sub-item, the last first.
    void Clear();

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EMenuError when there are no sub-items, EListError for an index out of range.
    TElMenuItem* Items(int Index) const;
    int IndexOf(const TElMenuItem* Item) const;
    TElMenuItem* Parent() const { return parent_; }

    const std::u16string& Caption() const { return caption_; }
    void SetCaption(const std::u16string& Value) { caption_ = Value; }
    const std::u16string& Hint() const { return hint_; }
    void SetHint(const std::u16string& Value) { hint_ = Value; }

    bool Checked() const { return checked_; }
    // A radio item that becomes checked unchecks the radio items of its group among its
    // siblings.
    void SetChecked(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value) { enabled_ = Value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool Value) { visible_ = Value; }

    bool RadioItem = false;
    bool AutoCheck = false;
    uint8_t GroupIndex = 0;
    int32_t ImageIndex = -1;
    TNotifyEvent OnClick;

    // What choosing the item does: an auto-check item toggles, then OnClick runs with the item
    // as Sender. The handler may free the item (a rebuilt menu), so nothing of the item is
    // touched after it.
    void Click();

private:
    void DetachFromParent();
    void UncheckGroupSiblings();

    std::vector<TElMenuItem*> items_;
    TElMenuItem* parent_ = nullptr;
    std::u16string caption_;
    std::u16string hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
};

// A popup menu: its items hang under Items, a root item that the menu owns.
class TElPopupMenu : public TComponent {
public:
    explicit TElPopupMenu(TComponent* AOwner);
    ~TElPopupMenu() override;
    const char* ClassName() const override { return "TElPopupMenu"; }

    TElMenuItem* Items() const { return items_; }

    TMenuAutoFlag AutoHotkeys = maAutomatic;  // maManual leaves captions as they are
    TDrawStyle DrawStyle = tdsNormal;

private:
    TElMenuItem* items_;
};
