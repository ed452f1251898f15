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
    if (Index < 0 || Index >= count_)
        Error(Index);
}

void TElList::Grow()
{
    SetCapacity(capacity_ + std::min(2 * count_ + 1, 1280));
}

int32_t TElList::Add(void* Item)
{
    if (count_ == capacity_)
        Grow();
    list_[count_] = Item;
    return count_++;
}

void TElList::Insert(int32_t Index, void* Item)
{
    if (Index < 0 || Index > count_)
        Error(Index);
    if (count_ == capacity_)
        Grow();
    std::memmove(list_ + Index + 1, list_ + Index, static_cast<size_t>(count_ - Index) * sizeof(void*));
    list_[Index] = Item;
    ++count_;
}

void* TElList::Get(int32_t Index) const
{
    CheckIndex(Index);
    return list_[Index];
}

void* TElList::FastGet(int32_t Index) const
{
    assert(Index >= 0 && Index < count_);
    return list_[Index];
}

void* TElList::Last() const
{
    return count_ > 0 ? list_[count_ - 1] : nullptr;
}

void TElList::TriggerDeleteEvent(void* Item, int32_t Index)
{
    if (!OnDelete || !Item)
        return;
    try {
        void* item = Item;
        OnDelete(this, item);
        if (!item)
            list_[Index] = nullptr;
    } catch (...) {
        // A handler's failure must not leave the list half-changed.
    }
}

void TElList::ReleaseSlot(int32_t Index, bool FreeObject)
{
    void* item = list_[Index];
    if (!item)
        return;
    TriggerDeleteEvent(item, Index);
    // Whatever the handler left in the slot is freed; a handler that cleared it keeps the object.
    if (FreeObject && list_[Index]) {
        auto* object = static_cast<TObject*>(list_[Index]);
        list_[Index] = nullptr;
        delete object;
    }
}

void TElList::Put(int32_t Index, void* Item)
{
    CheckIndex(Index);
    // Storing the same pointer again changes nothing: freeing it would leave a dangling slot.
    if (list_[Index] == Item)
        return;
    ReleaseSlot(Index, AutoClearObjects);
    list_[Index] = Item;
}

void TElList::ShrinkAfterRemoval()
{
    if ((capacity_ >> 1) > count_)
        SetCapacity(capacity_ >> 1);
}

void TElList::RemoveSlots(int32_t Index, int32_t Count)
{
    std::memmove(list_ + Index, list_ + Index + Count, static_cast<size_t>(count_ - Index - Count) * sizeof(void*));
    count_ -= Count;
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
    for (int32_t i = 0; i < count_; ++i)
        if (list_[i] == Item)
            return i;
    return -1;
}

void TElList::Exchange(int32_t Index1, int32_t Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(list_[Index1], list_[Index2]);
}

void TElList::Clear()
{
    if (count_ >= 1) {
        for (int32_t i = count_ - 1; i >= 0; --i)
            if (list_[i])
                TriggerDeleteEvent(list_[i], i);
        if (AutoClearObjects)
            for (int32_t i = count_ - 1; i >= 0; --i) {
                auto* object = static_cast<TObject*>(list_[i]);
                list_[i] = nullptr;
                delete object;
            }
    }
    count_ = 0;
    list_ = Reallocate(list_, capacity_, 0);
    capacity_ = 0;
}

void TElList::SetCapacity(int32_t NewCapacity)
{
    if (NewCapacity < count_ || NewCapacity >= MaxElListSize)
        Error(NewCapacity);
    if (NewCapacity != capacity_) {
        list_ = Reallocate(list_, capacity_, NewCapacity);
        capacity_ = NewCapacity;
    }
}

void TElList::SetCount(int32_t NewCount)
{
    if (NewCount < 0 || NewCount >= MaxElListSize)
        Error(NewCount);
    if (NewCount > capacity_)
        SetCapacity(NewCount);
    if (NewCount > count_)
        std::memset(list_ + count_, 0, static_cast<size_t>(NewCount - count_) * sizeof(void*));
    count_ = NewCount;
}

void TElList::Assign(const TPersistent* Source)
{
    if (const auto* other = dynamic_cast<const TElList*>(Source)) {
        if (other == this)
            return;
        Clear();
        SetCapacity(other->capacity_);
        SetCount(other->count_);
        if (count_ > 0)
            std::memcpy(list_, other->list_, static_cast<size_t>(count_) * sizeof(void*));
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
    std::free(list_);
}

void TElStack::Push(void* Item)
{
    if (count_ == capacity_) {
        const int32_t delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
        SetCapacity(capacity_ + delta);
    }
    list_[count_++] = Item;
}

void* TElStack::Pop()
{
    if (count_ == 0)
        StackError(u"ElStack is empty.");
    void* item = list_[--count_];
    if (capacity_ / 2 > count_)
        SetCapacity(capacity_ / 2);
    return item;
}

void* TElStack::Items(int32_t Index) const
{
    assert(Index >= 0 && Index < count_);
    return list_[Index];
}

void TElStack::Clear()
{
    count_ = 0;
    list_ = Reallocate(list_, capacity_, 0);
    capacity_ = 0;
}

void TElStack::Shift(int32_t N)
{
    // A negative count would move the items by a negative length.
    if (N > count_ || N < 0)
        StackError(u"Cannot shift ElStack");
    if (count_ == 0)
        StackError(u"ElStack is empty.");
    std::memmove(list_, list_ + N, static_cast<size_t>(count_ - N) * sizeof(void*));
    count_ -= N;
    SetCapacity(count_);
}

void TElStack::SetCapacity(int32_t NewCapacity)
{
    if (NewCapacity < count_ || NewCapacity >= MaxElListSize)
        StackError(u"Invalid ElStack capacity.");
    if (NewCapacity != capacity_) {
        list_ = Reallocate(list_, capacity_, NewCapacity);
        capacity_ = NewCapacity;
    }
}
