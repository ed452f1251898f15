#include "widgets/el/foundation/ElHook.h"

#include "framework/ExceptionBarrier.h"
#include "framework/UtilityWindow.h"

#include <vector>

namespace {

std::unique_ptr<TElHookList>& GlobalList()
{
    static std::unique_ptr<TElHookList> list;
    return list;
}

TElHookList& EnsureList()
{
    auto& list = GlobalList();
    if (!list)
        list = std::make_unique<TElHookList>();
    return *list;
}

}  // namespace

TElHookList* ElHookList()
{
    return GlobalList().get();
}

// ---- TElHook

TElHook::TElHook(TComponent* AOwner) : TElComponent(AOwner) {}

TElHook::~TElHook()
{
    destroying_ = true;
    SetControl(nullptr);
}

void TElHook::BeforeDestruction()
{
    destroying_ = true;
    SetControl(nullptr);
    TElComponent::BeforeDestruction();
}

bool TElHook::Designing() const
{
    return IsDesigning() || (Owner() && Owner()->IsDesigning());
}

void TElHook::Attach()
{
    if (attached_ || !control_ || destroying_)
        return;
    EnsureList().RecordFor(control_)->AddHook(this);
    attached_ = true;
}

void TElHook::Detach()
{
    if (!attached_)
        return;
    attached_ = false;
    if (TElHookList* list = ElHookList())
        if (TCtlHook* record = list->FindCtlHook(control_))
            record->RemoveHook(this);
}

void TElHook::SetActive(bool Value)
{
    if (Value == active_)
        return;
    if (!(Designing() && !designActive_)) {
        if (Value)
            Attach();
        else
            Detach();
    }
    active_ = Value;
}

void TElHook::SetControl(TWinControl* Value)
{
    if (Value == control_)
        return;
    const bool wasActive = active_;
    SetActive(false);
    if (control_ && !control_->IsDestroying())
        RemoveFreeNotification(control_);
    control_ = Value;
    if (control_) {
        SetActive(wasActive);
        FreeNotification(control_);
    }
}

void TElHook::SetDesignActive(bool Value)
{
    if (Value == designActive_)
        return;
    designActive_ = Value;
    if (Designing()) {
        if (designActive_ && active_)
            Attach();
        else
            Detach();
    }
}

void TElHook::Notification(TComponent* AComponent, TOperation Operation)
{
    TElComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == control_)
        SetControl(nullptr);
}

void TElHook::DoBeforeProcess(TMessage& Msg, bool& Handled)
{
    if (OnBeforeProcess)
        OnBeforeProcess(this, Msg, Handled);
}

void TElHook::DoAfterProcess(TMessage& Msg, bool& Handled)
{
    if (OnAfterProcess)
        OnAfterProcess(this, Msg, Handled);
}

// ---- TCtlHook

void TCtlHookWindowProc::operator()(TMessage& Message) const
{
    Record->HandleMessage(Message);
}

TCtlHook::TCtlHook()
{
    NewWindowProc = TCtlHookWindowProc{this};
}

TCtlHook::~TCtlHook() = default;

bool TCtlHook::OwnsWindowProc() const
{
    if (!Control)
        return false;
    const auto* proc = Control->WindowProc.target<TCtlHookWindowProc>();
    return proc && proc->Record == this;
}

void TCtlHook::AddHook(TElHook* Hook)
{
    Hooks.Add(Hook);
    if (!OldWindowProc && Control) {
        OldWindowProc = Control->WindowProc;
        Control->WindowProc = NewWindowProc;
    }
}

void TCtlHook::RemoveHook(TElHook* Hook)
{
    Hooks.Remove(Hook);
    if (Hooks.Count() > 0 || !OldWindowProc)
        return;
    // A control on its way out keeps the record's handler: its members may already be gone,
    // and its last messages still pass through here to its own procedure.
    if (!controlGone_ && Control && !Control->IsDestroying() && OwnsWindowProc()) {
        Control->WindowProc = OldWindowProc;
        OldWindowProc = nullptr;
    }
    // Otherwise someone subclassed the control after this record: it stays in the chain and
    // forwards, so that the later subclasser keeps its messages.
    if (TElHookList* list = ElHookList())
        list->RequestRelease(this);
}

void TCtlHook::HandleMessage(TMessage& Msg)
{
    // The hooks and the saved procedure may change while handlers run: work on copies, and ask
    // of each hook whether it is still on the record.
    std::vector<TElHook*> hooks;
    hooks.reserve(static_cast<size_t>(Hooks.Count()));
    for (int32_t i = 0; i < Hooks.Count(); ++i)
        hooks.push_back(static_cast<TElHook*>(Hooks.Get(i)));
    TWndMethod oldProc = OldWindowProc;
    const bool goneBefore = controlGone_;
    ++dispatchDepth_;

    bool handled = false;
    if (Msg.Msg != WM_QUIT && !Destroying)
        for (auto it = hooks.rbegin(); it != hooks.rend() && !handled; ++it)
            if (Hooks.IndexOf(*it) >= 0)
                Guarded([&] { (*it)->DoBeforeProcess(Msg, handled); });

    // A control freed by a handler gets nothing more.
    const bool controlFreedHere = controlGone_ && !goneBefore;
    if (!handled && oldProc && !controlFreedHere)
        Guarded([&] { oldProc(Msg); });

    handled = false;
    if (!controlFreedHere)
        for (auto it = hooks.rbegin(); it != hooks.rend() && !handled; ++it)
            if (Hooks.IndexOf(*it) >= 0)
                Guarded([&] { (*it)->DoAfterProcess(Msg, handled); });

    if (--dispatchDepth_ == 0 && dropRequested_) {
        dropRequested_ = false;
        if (TElHookList* list = ElHookList())
            list->RequestRelease(this);
    }
}

// ---- TElHookList

// Tells the list when a hooked control is freed.
class TElHookList::TControlWatcher : public TComponent {
public:
    explicit TControlWatcher(TElHookList* List) : TComponent(nullptr), list_(List) {}

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove)
            list_->ControlRemoved(AComponent);
    }

private:
    TElHookList* list_;
};

TElHookList::TElHookList() : watcher_(std::make_unique<TControlWatcher>(this))
{
    List.AutoClearObjects = true;
    Handle = AllocateHWnd([this](TMessage& m) { return WndProc(m); });
}

TElHookList::~TElHookList()
{
    DeallocateHWnd(Handle);
    Handle = nullptr;
    // A record still in a live control's chain is not freed under it: the control keeps
    // calling it, and it keeps forwarding.
    List.AutoClearObjects = false;
    for (int32_t i = List.Count() - 1; i >= 0; --i) {
        auto* record = static_cast<TCtlHook*>(List.Get(i));
        if (record->Hooks.Count() == 0 && record->OwnsWindowProc() && !record->Control->IsDestroying()) {
            record->Control->WindowProc = record->OldWindowProc;
            record->OldWindowProc = nullptr;
        }
        if (!record->OldWindowProc || record->controlGone_)
            delete record;
    }
    List.Clear();
}

TCtlHook* TElHookList::FindCtlHook(TWinControl* Control) const
{
    if (!Control)
        return nullptr;
    for (int32_t i = 0; i < List.Count(); ++i) {
        auto* record = static_cast<TCtlHook*>(List.Get(i));
        if (record->Control == Control)
            return record;
    }
    return nullptr;
}

TCtlHook* TElHookList::RecordFor(TWinControl* Control)
{
    if (TCtlHook* record = FindCtlHook(Control))
        return record;
    auto record = std::make_unique<TCtlHook>();
    List.Add(record.get());
    record->Control = Control;
    watcher_->FreeNotification(Control);
    return record.release();
}

void TElHookList::RequestRelease(TCtlHook* Record)
{
    if (Handle)
        PostMessageW(Handle, WM_ELHOOK_RELEASE, 0, reinterpret_cast<LPARAM>(Record));
}

void TElHookList::Release(TCtlHook* Record)
{
    const int32_t index = List.IndexOf(Record);
    if (index < 0 || Record->Hooks.Count() > 0)
        return;
    if (Record->Dispatching()) {
        Record->dropRequested_ = true;
        return;
    }
    // A record still in a live control's chain must stay: the control calls it.
    if (Record->OldWindowProc && !Record->controlGone_)
        return;
    if (Record->Control)
        watcher_->RemoveFreeNotification(Record->Control);
    List.Delete(index);
    if (List.Count() == 0)
        GlobalList().reset();  // frees this list (and its window, from inside its own handler)
}

void TElHookList::ControlRemoved(TComponent* Control)
{
    for (int32_t i = 0; i < List.Count(); ++i) {
        auto* record = static_cast<TCtlHook*>(List.Get(i));
        if (record->Control != Control)
            continue;
        record->controlGone_ = true;
        record->Destroying = true;  // the hooks let go below; its last messages only pass through
        std::vector<TElHook*> hooks;
        for (int32_t h = 0; h < record->Hooks.Count(); ++h)
            hooks.push_back(static_cast<TElHook*>(record->Hooks.Get(h)));
        for (TElHook* hook : hooks)
            hook->SetControl(nullptr);
        record->Control = nullptr;
        RequestRelease(record);
        return;
    }
}

bool TElHookList::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ELHOOK_RELEASE:
        Release(reinterpret_cast<TCtlHook*>(Message.LParam));
        return true;
    case WM_ELHOOK_RESUBCLASS: {
        auto* record = reinterpret_cast<TCtlHook*>(Message.LParam);
        if (List.IndexOf(record) >= 0 && record->Control && !record->OwnsWindowProc()) {
            record->OldWindowProc = record->Control->WindowProc;
            record->Control->WindowProc = record->NewWindowProc;
        }
        return true;
    }
    case WM_QUERYENDSESSION:
        Message.Result = 1;
        return true;
    default:
        return false;
    }
}
