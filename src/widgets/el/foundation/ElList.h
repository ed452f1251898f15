// Plain containers of untyped pointers: TElList, a growable array with a delete notification
// and optional ownership of the objects it holds, and TElStack.
#pragma once

#include "framework/Exceptions.h"
#include "framework/Objects.h"

#include <cstdint>
#include <functional>

class EElListError : public EListError {
public:
    using EListError::EListError;
};

class EElStackError : public Exception {
public:
    using Exception::Exception;
};

// A handler that sets Item to nil clears the slot (and so keeps the object from being freed).
using TElListDeleteEvent = std::function<void(TObject* Sender, void*& Item)>;

// Invariant: 0 <= Count <= Capacity < MaxElListSize.
inline constexpr int32_t MaxElListSize = 0x8000000;

class TElList : public TPersistent {
public:
    TElList() = default;
    ~TElList() override;
    const char* ClassName() const override { return "TElList"; }

    // When true the items are TObject instances that the list frees when they are deleted or
    // replaced one by one, and on Clear. DeleteRange and Remove never free.
    bool AutoClearObjects = false;
    TElListDeleteEvent OnDelete;

    int32_t Add(void* Item);
    void Insert(int32_t Index, void* Item);
    virtual void* Get(int32_t Index) const;
    virtual void Put(int32_t Index, void* Item);
    // Unchecked (asserted in debug builds).
    void* FastGet(int32_t Index) const;
    void* Items(int32_t Index) const { return Get(Index); }
    void* Last() const;
    virtual void Delete(int32_t Index);
    virtual void DeleteRange(int32_t FromIndex, int32_t ToIndex);
    int32_t Remove(void* Item);
    int32_t IndexOf(void* Item) const;
    void Exchange(int32_t Index1, int32_t Index2);
    virtual void Clear();

    int32_t Count() const { return count_; }
    void SetCount(int32_t NewCount);
    int32_t Capacity() const { return capacity_; }
    void SetCapacity(int32_t NewCapacity);
    void* const* List() const { return list_; }

    void Assign(const TPersistent* Source) override;

protected:
    virtual void Grow();
    virtual void TriggerDeleteEvent(void* Item, int32_t Index);

private:
    [[noreturn]] static void Error(int32_t Value);
    void CheckIndex(int32_t Index) const;
    void ShrinkAfterRemoval();
    // Fires the delete event for slot Index and frees what the handler left there.
    void ReleaseSlot(int32_t Index, bool FreeObject);
    void RemoveSlots(int32_t Index, int32_t Count);

    void** list_ = nullptr;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};

class TElStack : public TObject {
public:
    TElStack() = default;
    ~TElStack() override;
    const char* ClassName() const override { return "TElStack"; }

    void Push(void* Item);
    void* Pop();
    bool Empty() const { return count_ == 0; }
    // Counted from the bottom; unchecked (asserted in debug builds).
    void* Items(int32_t Index) const;
    void Clear();
    // Drops the N oldest items.
    void Shift(int32_t N);

    int32_t Count() const { return count_; }
    int32_t Capacity() const { return capacity_; }
    void SetCapacity(int32_t NewCapacity);

private:
    void** list_ = nullptr;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};
