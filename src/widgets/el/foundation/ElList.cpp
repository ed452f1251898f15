#include "widgets/el/foundation/ElList.h"

#include "widgets/el/foundation/ElTools.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Reallocates a slot array to NewCapacity slots; new slots are zero.
void** Reallocate(void** List, int32_t OldCapacity, int32_t NewCapacity)
{
    if (NewCapacity == 0) {
        std::free(List);
        return nullptr;
    }
    auto* p = static_cast<void**>(std::realloc(List, static_cast<size_t>(NewCapacity) * sizeof(void*)));
    if (!p)
        throw std::bad_alloc();
    if (NewCapacity > OldCapacity)
        std::memset(p + OldCapacity, 0, static_cast<size_t>(NewCapacity - OldCapacity) * sizeof(void*));
    return p;
}

} // namespace

// ---- TElList

TElList::~TElList()
{
    Clear();
}

void TElList::Error(int32_t Value)
{
    throw EElListError(FormatMessageD(SElListIndexError, Value));
}

void TElList::CheckIndex(int32_t Index) const
{
    if (Index < 0 || Index >= FCount)
        Error(Index);
}

void TElList::Grow()
{
    SetCapacity(FCapacity + std::min(2 * FCount + 1, 1280));
}

int32_t TElList::Add(void* Item)
{
    if (FCount == FCapacity)
        Grow();
    FList[FCount] = Item;
    return FCount++;
}

void TElList::Insert(int32_t Index, void* Item)
{
    if (Index < 0 || Index > FCount)
        Error(Index);
    if (FCount == FCapacity)
        Grow();
    std::memmove(FList + Index + 1, FList + Index, static_cast<size_t>(FCount - Index) * sizeof(void*));
    FList[Index] = Item;
    ++FCount;
}

void* TElList::Get(int32_t Index) const
{
    CheckIndex(Index);
    return FList[Index];
}

void* TElList::FastGet(int32_t Index) const
{
    assert(Index >= 0 && Index < FCount);
    return FList[Index];
}

void* TElList::Last() const
{
    return FCount > 0 ? FList[FCount - 1] : nullptr;
}

void TElList::TriggerDeleteEvent(void* Item, int32_t Index)
{
    if (!OnDelete || !Item)
        return;
    try {
        void* item = Item;
        OnDelete(this, item);
        if (!item)
            FList[Index] = nullptr;
    } catch (...) {
        // A handler's failure must not leave the list half-changed.
    }
}

void TElList::ReleaseSlot(int32_t Index, bool FreeObject)
{
    void* item = FList[Index];
    if (!item)
        return;
    TriggerDeleteEvent(item, Index);
    // Whatever the handler left in the slot is freed; a handler that cleared it keeps the object.
    if (FreeObject && FList[Index]) {
        auto* object = static_cast<TObject*>(FList[Index]);
        FList[Index] = nullptr;
        delete object;
    }
}

void TElList::Put(int32_t Index, void* Item)
{
    CheckIndex(Index);
    // Storing the same pointer again changes nothing: freeing it would leave a dangling slot.
    if (FList[Index] == Item)
        return;
    ReleaseSlot(Index, AutoClearObjects);
    FList[Index] = Item;
}

void TElList::ShrinkAfterRemoval()
{
    if ((FCapacity >> 1) > FCount)
        SetCapacity(FCapacity >> 1);
}

void TElList::RemoveSlots(int32_t Index, int32_t Count)
{
    std::memmove(FList + Index, FList + Index + Count, static_cast<size_t>(FCount - Index - Count) * sizeof(void*));
    FCount -= Count;
    ShrinkAfterRemoval();
}

void TElList::Delete(int32_t Index)
{
    CheckIndex(Index);
    ReleaseSlot(Index, AutoClearObjects);
    RemoveSlots(Index, 1);
}

void TElList::DeleteRange(int32_t FromIndex, int32_t ToIndex)
{
    CheckIndex(FromIndex);
    CheckIndex(ToIndex);
    if (FromIndex > ToIndex)
        Error(ToIndex);
    for (int32_t i = ToIndex; i >= FromIndex; --i)
        ReleaseSlot(i, false);
    RemoveSlots(FromIndex, ToIndex - FromIndex + 1);
}

int32_t TElList::Remove(void* Item)
{
    const int32_t index = IndexOf(Item);
    if (index >= 0) {
        ReleaseSlot(index, false);
        RemoveSlots(index, 1);
    }
    return index;
}

int32_t TElList::IndexOf(void* Item) const
{
    for (int32_t i = 0; i < FCount; ++i)
        if (FList[i] == Item)
            return i;
    return -1;
}

void TElList::Exchange(int32_t Index1, int32_t Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(FList[Index1], FList[Index2]);
}

void TElList::Clear()
{
    if (FCount >= 1) {
        for (int32_t i = FCount - 1; i >= 0; --i)
            if (FList[i])
                TriggerDeleteEvent(FList[i], i);
        if (AutoClearObjects)
            for (int32_t i = FCount - 1; i >= 0; --i) {
                auto* object = static_cast<TObject*>(FList[i]);
                FList[i] = nullptr;
                delete object;
            }
    }
    FCount = 0;
    FList = Reallocate(FList, FCapacity, 0);
    FCapacity = 0;
}

void TElList::SetCapacity(int32_t NewCapacity)
{
    if (NewCapacity < FCount || NewCapacity >= MaxElListSize)
        Error(NewCapacity);
    if (NewCapacity != FCapacity) {
        FList = Reallocate(FList, FCapacity, NewCapacity);
        FCapacity = NewCapacity;
    }
}

void TElList::SetCount(int32_t NewCount)
{
    if (NewCount < 0 || NewCount >= MaxElListSize)
        Error(NewCount);
    if (NewCount > FCapacity)
        SetCapacity(NewCount);
    if (NewCount > FCount)
        std::memset(FList + FCount, 0, static_cast<size_t>(NewCount - FCount) * sizeof(void*));
    FCount = NewCount;
}

void TElList::Assign(const TPersistent* Source)
{
    if (const auto* other = dynamic_cast<const TElList*>(Source)) {
        if (other == this)
            return;
        Clear();
        SetCapacity(other->FCapacity);
        SetCount(other->FCount);
        if (FCount > 0)
            std::memcpy(FList, other->FList, static_cast<size_t>(FCount) * sizeof(void*));
        return;
    }
    TPersistent::Assign(Source);
}

// ---- TElStack

namespace {

[[noreturn]] void StackError(const char16_t* Text)
{
    throw EElStackError(Text);
}

} // namespace

TElStack::~TElStack()
{
    std::free(FList);
}

void TElStack::Push(void* Item)
{
    if (FCount == FCapacity) {
        const int32_t delta = FCapacity > 64 ? FCapacity / 4 : FCapacity > 8 ? 16 : 4;
        SetCapacity(FCapacity + delta);
    }
    FList[FCount++] = Item;
}

void* TElStack::Pop()
{
    if (FCount == 0)
        StackError(u"ElStack is empty.");
    void* item = FList[--FCount];
    if (FCapacity / 2 > FCount)
        SetCapacity(FCapacity / 2);
    return item;
}

void* TElStack::Items(int32_t Index) const
{
    assert(Index >= 0 && Index < FCount);
    return FList[Index];
}

void TElStack::Clear()
{
    FCount = 0;
    FList = Reallocate(FList, FCapacity, 0);
    FCapacity = 0;
}

void TElStack::Shift(int32_t N)
{
    // A negative count would move the items by a negative length.
    if (N > FCount || N < 0)
        StackError(u"Cannot shift ElStack");
    if (FCount == 0)
        StackError(u"ElStack is empty.");
    std::memmove(FList, FList + N, static_cast<size_t>(FCount - N) * sizeof(void*));
    FCount -= N;
    SetCapacity(FCount);
}

void TElStack::SetCapacity(int32_t NewCapacity)
{
    if (NewCapacity < FCount || NewCapacity >= MaxElListSize)
        StackError(u"Invalid ElStack capacity.");
    if (NewCapacity != FCapacity) {
        FList = Reallocate(FList, FCapacity, NewCapacity);
        FCapacity = NewCapacity;
    }
}
