#include "framework/Components.h"

#include <algorithm>
#include <cctype>

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) {
        // A component made while its owner is still being built is loaded with it.
        if (AOwner->IsLoading())
            state_ |= csLoading;
        AOwner->InsertComponent(this);
    }
}

TComponent::~TComponent()
{
    Destroying();
    NotifyRemoval();
    // A reference taken while the component was being freed goes here at the latest.
    ClearWeakRefs();
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction()
{
    Destroying();
    NotifyRemoval();
    DestroyComponents();
}

void TWeakRefBase::Attach(TComponent* Target)
{
    if (Target == target_)
        return;
    if (target_) {
        (prev_ ? prev_->next_ : target_->weakRefs_) = next_;
        if (next_)
            next_->prev_ = prev_;
        prev_ = next_ = nullptr;
    }
    target_ = Target;
    if (target_) {
        next_ = target_->weakRefs_;
        if (next_)
            next_->prev_ = this;
        target_->weakRefs_ = this;
    }
}

void TComponent::ClearWeakRefs()
{
    while (TWeakRefBase* ref = weakRefs_) {
        weakRefs_ = ref->next_;
        ref->target_ = nullptr;
        ref->prev_ = ref->next_ = nullptr;
    }
}

void TComponent::NotifyRemoval()
{
    // Weak references let go first: the handlers notified below must not reach this
    // component through one of them.
    ClearWeakRefs();
    if (notified_)
        return;
    notified_ = true;
    // Whoever holds a reference to this component learns of its going before it goes.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& back = other->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        other->Notification(this, TOperation::opRemove);
    }
    if (owner_ && !owner_->IsDestroying())
        owner_->Notification(this, TOperation::opRemove);
}

void TComponent::Destroying()
{
    if (state_ & csDestroying)
        return;
    state_ |= csDestroying;
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* c = components_.back();
        RemoveComponent(c);
        Free(c);
    }
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& AName) const
{
    if (AName.empty())
        return nullptr;
    for (TComponent* c : components_) {
        const std::string& n = c->Name();
        if (n.size() == AName.size() &&
            std::equal(n.begin(), n.end(), AName.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return c;
    }
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (!AComponent || AComponent->owner_ == this)
        return;
    if (AComponent->owner_)
        AComponent->owner_->RemoveComponent(AComponent);
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    auto it = std::find(components_.begin(), components_.end(), AComponent);
    if (it == components_.end())
        return;
    components_.erase(it);
    AComponent->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end())
        freeNotifies_.push_back(AComponent);
    auto& back = AComponent->freeNotifies_;
    if (std::find(back.begin(), back.end(), this) == back.end())
        back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), AComponent), freeNotifies_.end());
    auto& back = AComponent->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Loaded()
{
    state_ &= ~csLoading;
}

void TComponent::AfterConstruction()
{
    if (IsLoading())
        Loaded();
}

void TComponent::Notification(TComponent*, TOperation) {}

void Free(TComponent* AComponent)
{
    if (!AComponent)
        return;
    AComponent->BeforeDestruction();
    delete AComponent;
}
