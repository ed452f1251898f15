// TComponent: named, owned, notified objects.
//
// Ownership: a component frees every component it owns when it is freed. Components are freed
// with Free(c) (or held in a TOwned<T>): Free first runs BeforeDestruction while the whole
// object is alive (forms fire OnDestroy there, owned components go there), then deletes it.
// A plain delete is safe too but skips that early phase.
//
// Creation in two phases: CreateComponent<T>(args...) constructs and then calls the virtual
// AfterConstruction (forms run Loaded on their components and fire OnCreate there).
#pragma once

#include "framework/Objects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using TComponentState = uint32_t;
constexpr TComponentState csLoading = 0x01;
constexpr TComponentState csReading = 0x02;
constexpr TComponentState csWriting = 0x04;
constexpr TComponentState csDestroying = 0x08;
constexpr TComponentState csDesigning = 0x10;  // never set: the program has no designer

enum class TOperation { opInsert, opRemove };

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TComponent;

// The untyped half of TWeakRef: one link in the list of references its component keeps.
class TWeakRefBase {
protected:
    TWeakRefBase() = default;
    ~TWeakRefBase() { Attach(nullptr); }
    TWeakRefBase(const TWeakRefBase&) = delete;
    TWeakRefBase& operator=(const TWeakRefBase&) = delete;
    // Leaves the current component's list and joins Target's (nil: refers to nothing).
    void Attach(TComponent* Target);
    TComponent* target_ = nullptr;

private:
    friend class TComponent;
    TWeakRefBase* prev_ = nullptr;
    TWeakRefBase* next_ = nullptr;
};

// A pointer to a component that the holder does not own. It reads nil from the moment the
// component is freed (its free notification clears every reference to it), so a holder never
// sees a freed component. Copies refer to the same component; either side may go first.
// T must derive from TComponent.
template <class T>
class TWeakRef : private TWeakRefBase {
public:
    TWeakRef() = default;
    TWeakRef(T* Target) { Attach(Target); }
    TWeakRef(const TWeakRef& Other) : TWeakRefBase() { Attach(Other.target_); }
    TWeakRef& operator=(const TWeakRef& Other)
    {
        Attach(Other.target_);
        return *this;
    }
    TWeakRef& operator=(T* Target)
    {
        Attach(Target);
        return *this;
    }
    T* Get() const { return static_cast<T*>(target_); }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    const char* ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int Index) const { return components_.at(static_cast<size_t>(Index)); }
    int ComponentIndex() const;
    TComponent* FindComponent(const std::string& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, the last first.
    void DestroyComponents();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& Value) { name_ = Value; }
    int32_t Tag = 0;

    TComponentState ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    bool IsDesigning() const { return (state_ & csDesigning) != 0; }

    // Asks AComponent to call this component's Notification(AComponent, opRemove) when it is
    // freed; the link is mutual, so whichever goes first tells the other.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Called once after the component has been built (and after a form's constructor built its
    // children); clears csLoading. Overrides call the inherited Loaded first.
    virtual void Loaded();
    virtual void AfterConstruction();
    // The early phase of destruction, with the whole object still alive.
    virtual void BeforeDestruction();

    // Marks the component (and what it owns) as being destroyed.
    void Destroying();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void SetLoadingState() { state_ |= csLoading; }

private:
    friend class TWeakRefBase;
    void NotifyRemoval();
    void ClearWeakRefs();

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;     // owned, in insertion order
    std::vector<TComponent*> freeNotifies_;   // mutual free-notification links
    TWeakRefBase* weakRefs_ = nullptr;        // the weak references to this component
    std::string name_;
    TComponentState state_ = 0;
    bool notified_ = false;
};

// Frees a component through both phases; nil is ignored.
void Free(TComponent* AComponent);

template <class T>
void FreeAndNil(T*& AComponent)
{
    T* c = AComponent;
    AComponent = nullptr;
    Free(c);
}

struct TComponentDeleter {
    void operator()(TComponent* c) const { Free(c); }
};
template <class T>
using TOwned = std::unique_ptr<T, TComponentDeleter>;

// Two-phase creation: construct, then AfterConstruction.
template <class T, class... Args>
T* CreateComponent(Args&&... args)
{
    T* c = new T(std::forward<Args>(args)...);
    try {
        c->AfterConstruction();
    } catch (...) {
        Free(c);
        throw;
    }
    return c;
}
