#include "widgets/el/editing/ElListBoxItems.h"

#include "framework/Exceptions.h"

void TElListBoxStrings::InsertItem(int32_t Index, const std::u16string& S)
{
    TElWideStringList::InsertItem(Index, S);
    states_.insert(states_.begin() + Index, TItemState{});
    const int32_t answer = Window ? Window->InsertPlaceholder(Index) : Index;
    if (answer < 0) {
        // The window and the list must keep the same count: the item goes again.
        states_.erase(states_.begin() + Index);
        TElWideStringList::Delete(Index);
        throw EOutOfResources(SInsertLineError);
    }
}

void TElListBoxStrings::Delete(int32_t Index)
{
    if (!InRange(Index))
        return;
    if (Window)
        Window->DeletePlaceholder(Index);
    TElWideStringList::Delete(Index);
    states_.erase(states_.begin() + Index);
}

void TElListBoxStrings::Clear()
{
    TElWideStringList::Clear();
    states_.clear();
    if (Window)
        Window->ClearPlaceholders();
}

void TElListBoxStrings::ExchangeItems(int32_t Index1, int32_t Index2)
{
    TElWideStringList::ExchangeItems(Index1, Index2);
    std::swap(states_[static_cast<size_t>(Index1)], states_[static_cast<size_t>(Index2)]);
}

void TElListBoxStrings::ReadSelection(int32_t Index)
{
    states_[static_cast<size_t>(Index)].Selected = Window && Window->ItemSelected(Index);
}

void TElListBoxStrings::WriteSelection(int32_t Index)
{
    const bool wanted = states_[static_cast<size_t>(Index)].Selected;
    if (Window && Window->ItemSelected(Index) != wanted)
        Window->SetItemSelected(Index, wanted);
}

void TElListBoxStrings::Exchange(int32_t Index1, int32_t Index2)
{
    // The window's placeholders are all alike: only the selection marks need carrying.
    const bool both = InRange(Index1) && InRange(Index2);
    if (both) {
        ReadSelection(Index1);
        ReadSelection(Index2);
    }
    TElWideStringList::Exchange(Index1, Index2);
    if (both) {
        WriteSelection(Index1);
        WriteSelection(Index2);
    }
}

void TElListBoxStrings::Move(int32_t CurIndex, int32_t NewIndex)
{
    if (CurIndex == NewIndex || !InRange(CurIndex)) {
        TElWideStringList::Move(CurIndex, NewIndex);  // nothing, or the list's index error
        return;
    }
    // Deleting and inserting shift every other item's state and mark with it (the window's
    // marks shift with its placeholders); the moved item's own are carried over.
    ReadSelection(CurIndex);
    const TItemState carried = states_[static_cast<size_t>(CurIndex)];
    TElWideStringList::Move(CurIndex, NewIndex);
    states_[static_cast<size_t>(NewIndex)] = carried;
    WriteSelection(NewIndex);
}

void TElListBoxStrings::CustomSort(const TElWideStringListSortCompare& Compare)
{
    if (Sorted() || Count() < 2)
        return;
    for (int32_t i = 0; i < Count(); ++i)
        ReadSelection(i);
    TElWideStringList::CustomSort(Compare);
    for (int32_t i = 0; i < Count(); ++i)
        WriteSelection(i);
}

void TElListBoxStrings::SetUpdateState(bool Updating)
{
    TElWideStringList::SetUpdateState(Updating);
    if (Window)
        Window->SetRedraw(!Updating);
}

TCheckBoxState TElListBoxStrings::State(int32_t Index) const
{
    return InRange(Index) ? states_[static_cast<size_t>(Index)].Check : cbUnchecked;
}

void TElListBoxStrings::SetState(int32_t Index, TCheckBoxState Value)
{
    if (InRange(Index))
        states_[static_cast<size_t>(Index)].Check = Value;
}

int32_t TElListBoxStrings::ImageIndex(int32_t Index) const
{
    return InRange(Index) ? states_[static_cast<size_t>(Index)].Image : -1;
}

void TElListBoxStrings::SetImageIndex(int32_t Index, int32_t Value)
{
    if (InRange(Index))
        states_[static_cast<size_t>(Index)].Image = Value;
}
