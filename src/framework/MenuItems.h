// Menu items: the portable model behind the native menu bars and popup menus (Menus.h).
//
// An item holds its sub-items in order. Ownership: an item is freed by its owner when it has
// one, otherwise by the item that holds it (Clear, or the holder's destruction); an item freed
// by its owner leaves its parent first, so that no parent holds a freed item.
//
// Every item has a command number, unique in the program while the item lives; native menus
// carry it in WM_COMMAND and WM_MENUSELECT. Changes travel up to the root item's OnChange,
// through which the menu that shows the tree keeps its native menu in step: Rebuild for a
// change of what the menu lists (items added, removed, shown or hidden), otherwise only Source
// changed.
#pragma once

#include "framework/Components.h"
#include "framework/Exceptions.h"
#include "framework/ShortCuts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The framework's menu error ("Index Error" for an item without sub-items).
class EMenuError : public Exception {
public:
    using Exception::Exception;
};

class TMenuItem;
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    const char* ClassName() const override { return "TMenuItem"; }
    void BeforeDestruction() override;

    // Appends Item as the last sub-item (Insert: before Index); an item held elsewhere moves here.
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    // Takes Item out of the sub-items without freeing it.
    void Remove(TMenuItem* Item);
    // Frees every sub-item, the last first.
    void Clear();

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EMenuError when there are no sub-items, EListError for an index out of range.
    TMenuItem* Items(int Index) const;
    int IndexOf(const TMenuItem* Item) const;
    TMenuItem* Parent() const { return parent_; }

    const std::u16string& Caption() const { return caption_; }
    void SetCaption(const std::u16string& Value);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return caption_ == u"-"; }
    // "short|long": the long part is the status-bar text while the item is highlighted.
    const std::u16string& Hint() const { return hint_; }
    void SetHint(const std::u16string& Value) { hint_ = Value; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut Value);

    bool Checked() const { return checked_; }
    // A radio item that becomes checked unchecks the radio items of its group among its siblings.
    void SetChecked(bool Value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    // A radio item shows a bullet instead of a tick when checked.
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool Value);
    uint8_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(uint8_t Value);
    // Choosing the item toggles Checked (a checked radio item stays checked).
    bool AutoCheck = false;

    uint16_t Command() const { return command_; }

    TNotifyEvent OnClick;
    // Set on the root item by the menu that shows the tree.
    TMenuChangeEvent OnChange;

    // What choosing the item does: an auto-check item toggles, then OnClick runs with the item
    // as Sender. Nothing for a disabled item. The handler may free the item (a rebuilt menu),
    // so nothing of the item is touched after it.
    virtual void Click();

    // The item at or below this one with the command number; nil when none.
    TMenuItem* FindCommand(uint16_t Command);
    // The item at or below this one whose short-cut is ShortCut, enabled and with every item
    // above it (up to this one) enabled; nil when none.
    TMenuItem* FindShortCut(TShortCut ShortCut);

protected:
    // Reports a change to the root's OnChange.
    void Changed(bool Rebuild);

private:
    void DetachFromParent();
    void UncheckGroupSiblings();

    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    std::u16string caption_;
    std::u16string hint_;
    TShortCut shortCut_ = scNone;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool radioItem_ = false;
    uint8_t groupIndex_ = 0;
    uint16_t command_ = 0;
};

// The living item with the command number, wherever it is; nil when none.
TMenuItem* MenuItemOfCommand(uint16_t Command);

// A text (a file name, a path) as a menu caption that shows it as it is: native menus take '&'
// as the hot-key marker, so each one is doubled.
std::u16string MenuCaptionOfText(const std::u16string& Text);
