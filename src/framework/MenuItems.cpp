#include "framework/MenuItems.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Command numbers stay below the range of the system menu's commands (0xF000 and up).
constexpr uint16_t kFirstCommand = 1;
constexpr uint16_t kLastCommand = 0xEFFF;

struct TCommandTable {
    std::unordered_map<uint16_t, TMenuItem*> items;
    uint16_t next = kFirstCommand;

    uint16_t Allocate(TMenuItem* Item)
    {
        if (items.size() >= kLastCommand - kFirstCommand + 1u)
            throw EMenuError(u"Too many menu items");
        // The next free number after the last one given: a freed number is reused only after a
        // full turn, so that a late WM_COMMAND of a freed item rarely reaches a new one.
        while (items.count(next))
            next = next == kLastCommand ? kFirstCommand : static_cast<uint16_t>(next + 1);
        const uint16_t command = next;
        next = next == kLastCommand ? kFirstCommand : static_cast<uint16_t>(next + 1);
        items.emplace(command, Item);
        return command;
    }
};

TCommandTable& Commands()
{
    static TCommandTable table;
    return table;
}

}  // namespace

TMenuItem* MenuItemOfCommand(uint16_t Command)
{
    auto& items = Commands().items;
    auto it = items.find(Command);
    return it == items.end() ? nullptr : it->second;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner)
{
    command_ = Commands().Allocate(this);
}

TMenuItem::~TMenuItem()
{
    Clear();
    DetachFromParent();
    Commands().items.erase(command_);
}

void TMenuItem::BeforeDestruction()
{
    // Owned components go first (TComponent), then the held items, while the item is whole.
    TComponent::BeforeDestruction();
    Clear();
    DetachFromParent();
}

void TMenuItem::DetachFromParent()
{
    if (parent_)
        parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item || Item == this)
        return;
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == Item)
            throw EMenuError(u"A menu item cannot hold an item above it");
    Item->DetachFromParent();
    Index = std::clamp(Index, 0, Count());
    items_.insert(items_.begin() + Index, Item);
    Item->parent_ = this;
    Changed(true);
}

void TMenuItem::Remove(TMenuItem* Item)
{
    auto it = std::find(items_.begin(), items_.end(), Item);
    if (it == items_.end())
        return;
    items_.erase(it);
    Item->parent_ = nullptr;
    Changed(true);
}

void TMenuItem::Clear()
{
    while (!items_.empty()) {
        TMenuItem* item = items_.back();
        Remove(item);
        Free(item);
    }
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (items_.empty())
        throw EMenuError(u"Index Error");
    if (Index < 0 || Index >= Count())
        throw EListError(FormatMessageD(u"List index out of bounds (%d)", Index));
    return items_[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::SetCaption(const std::u16string& Value)
{
    if (Value == caption_)
        return;
    // Becoming or ceasing to be a line changes the kind of the native item.
    const bool wasLine = IsLine();
    caption_ = Value;
    Changed(wasLine != IsLine());
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (Value == shortCut_)
        return;
    shortCut_ = Value;
    Changed(false);
}

void TMenuItem::SetChecked(bool Value)
{
    if (checked_ == Value)
        return;
    checked_ = Value;
    Changed(false);
    if (Value && radioItem_)
        UncheckGroupSiblings();
}

void TMenuItem::UncheckGroupSiblings()
{
    if (!parent_)
        return;
    for (TMenuItem* sibling : std::vector<TMenuItem*>(parent_->items_))
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->SetChecked(false);
}

void TMenuItem::SetEnabled(bool Value)
{
    if (enabled_ == Value)
        return;
    enabled_ = Value;
    Changed(false);
}

void TMenuItem::SetVisible(bool Value)
{
    if (visible_ == Value)
        return;
    visible_ = Value;
    Changed(true);
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (radioItem_ == Value)
        return;
    radioItem_ = Value;
    Changed(false);
    if (Value && checked_)
        UncheckGroupSiblings();
}

void TMenuItem::SetGroupIndex(uint8_t Value)
{
    if (groupIndex_ == Value)
        return;
    groupIndex_ = Value;
    if (radioItem_ && checked_)
        UncheckGroupSiblings();
}

void TMenuItem::Changed(bool Rebuild)
{
    TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    if (root->OnChange && !root->IsDestroying())
        root->OnChange(root, this, Rebuild);
}

void TMenuItem::Click()
{
    if (!enabled_)
        return;
    if (AutoCheck && !(radioItem_ && checked_))
        SetChecked(!checked_);
    // A copy: the handler may free this item and with it OnClick.
    TNotifyEvent handler = OnClick;
    if (handler)
        handler(this);
}

TMenuItem* TMenuItem::FindCommand(uint16_t Command)
{
    if (command_ == Command)
        return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindCommand(Command))
            return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Value)
{
    if (!enabled_ || Value == scNone)
        return nullptr;
    if (shortCut_ == Value)
        return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindShortCut(Value))
            return found;
    return nullptr;
}

std::u16string MenuCaptionOfText(const std::u16string& Text)
{
    std::u16string caption;
    caption.reserve(Text.size());
    for (char16_t c : Text) {
        caption += c;
        if (c == u'&')
            caption += u'&';
    }
    return caption;
}
