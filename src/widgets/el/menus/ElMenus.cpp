#include "widgets/el/menus/ElMenus.h"

#include <algorithm>

TElMenuItem::TElMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TElMenuItem::~TElMenuItem()
{
    Clear();
    DetachFromParent();
}

void TElMenuItem::BeforeDestruction()
{
    // Owned components go first (TComponent), then the held items, while the item is whole.
    TComponent::BeforeDestruction();
    Clear();
    DetachFromParent();
}

void TElMenuItem::DetachFromParent()
{
    if (parent_)
        parent_->Remove(this);
}

void TElMenuItem::Add(TElMenuItem* Item)
{
    if (!Item || Item == this)
        return;
    Item->DetachFromParent();
    items_.push_back(Item);
    Item->parent_ = this;
}

void TElMenuItem::Remove(TElMenuItem* Item)
{
    auto it = std::find(items_.begin(), items_.end(), Item);
    if (it == items_.end())
        return;
    items_.erase(it);
    Item->parent_ = nullptr;
}

void TElMenuItem::Clear()
{
    while (!items_.empty()) {
        TElMenuItem* item = items_.back();
        Remove(item);
        Free(item);
    }
}

TElMenuItem* TElMenuItem::Items(int Index) const
{
    if (items_.empty())
        throw EMenuError(u"Index Error");
    if (Index < 0 || Index >= Count())
        throw EListError(FormatMessageD(u"List index out of bounds (%d)", Index));
    return items_[static_cast<size_t>(Index)];
}

int TElMenuItem::IndexOf(const TElMenuItem* Item) const
{
    auto it = std::find(items_.begin(), items_.end(), Item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TElMenuItem::SetChecked(bool Value)
{
    if (checked_ == Value)
        return;
    checked_ = Value;
    if (Value && RadioItem)
        UncheckGroupSiblings();
}

void TElMenuItem::UncheckGroupSiblings()
{
    if (!parent_)
        return;
    for (TElMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex)
            sibling->checked_ = false;
}

void TElMenuItem::Click()
{
    if (!enabled_)
        return;
    if (AutoCheck && !(RadioItem && checked_))
        SetChecked(!checked_);
    // A copy: the handler may free this item and with it OnClick.
    TNotifyEvent handler = OnClick;
    if (handler)
        handler(this);
}

TElPopupMenu::TElPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TElMenuItem(nullptr)) {}

TElPopupMenu::~TElPopupMenu()
{
    Free(items_);
}
