// Window hooks: a TElHook sees every message of a windowed control before and after the
// control's own handling, and may swallow it.
//
// Several hooks may sit on one control. They share one TCtlHook record per control, which
// replaces the control's WindowProc once (at the first hook) and puts it back when the last
// hook leaves, provided nobody has subclassed the control after it; otherwise the record stays
// in the chain and just forwards, so that the later subclasser keeps its messages.
#pragma once

#include "widgets/el/foundation/ElComponent.h"
#include "widgets/el/foundation/ElList.h"

#include "framework/Controls.h"
#include "framework/Messages.h"

#include <windows.h>

#include <functional>
#include <memory>

class TCtlHook;
class TElHookList;

using TElHookEvent = std::function<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

class TElHook : public TElComponent {
public:
    explicit TElHook(TComponent* AOwner);
    ~TElHook() override;
    const char* ClassName() const override { return "TElHook"; }
    void BeforeDestruction() override;

    bool DesignActive() const { return designActive_; }
    void SetDesignActive(bool Value);
    TElHookEvent OnBeforeProcess;
    TElHookEvent OnAfterProcess;
    bool Active() const { return active_; }
    void SetActive(bool Value);
    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* Value);

    virtual void DoBeforeProcess(TMessage& Msg, bool& Handled);
    virtual void DoAfterProcess(TMessage& Msg, bool& Handled);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool Designing() const;
    // Puts the hook on or takes it off its control's record, without touching active_.
    void Attach();
    void Detach();

    bool designActive_ = false;
    bool active_ = false;
    bool attached_ = false;
    bool destroying_ = false;
    TWinControl* control_ = nullptr;
};

// The message handler a TCtlHook installs as its control's WindowProc. A distinct type, so that
// the record can tell whether the control's WindowProc is still its own.
struct TCtlHookWindowProc {
    TCtlHook* Record;
    void operator()(TMessage& Message) const;
};

class TCtlHook : public TObject {
public:
    TCtlHook();
    ~TCtlHook() override;
    const char* ClassName() const override { return "TCtlHook"; }

    // The hooks of the control, in the order they were activated (not owned).
    TElList Hooks;
    TWinControl* Control = nullptr;
    // The control's WindowProc saved at the first hook; empty when none is saved.
    TWndMethod OldWindowProc;
    TWndMethod NewWindowProc;
    // Set once the control is being freed: no hook sees its messages any more.
    bool Destroying = false;

    void AddHook(TElHook* Hook);
    void RemoveHook(TElHook* Hook);
    // True while the control's WindowProc is this record's handler.
    bool OwnsWindowProc() const;
    // True while a message is on its way through this record.
    bool Dispatching() const { return dispatchDepth_ > 0; }

private:
    friend struct TCtlHookWindowProc;
    friend class TElHookList;
    void HandleMessage(TMessage& Msg);

    int dispatchDepth_ = 0;
    bool controlGone_ = false;    // the control has been freed (or is being freed)
    bool dropRequested_ = false;  // the list asked to free this record while it was dispatching
};

// Private messages of the list's window; LParam is a TCtlHook.
constexpr UINT WM_ELHOOK_RELEASE = 0x0473;   // free the record when it has no hooks left
constexpr UINT WM_ELHOOK_RESUBCLASS = 0x0474; // put the record's handler in front of the control again

class TElHookList : public TObject {
public:
    TElHookList();
    ~TElHookList() override;
    const char* ClassName() const override { return "TElHookList"; }

    // The records (owned).
    TElList List;
    HWND Handle = nullptr;

    TCtlHook* FindCtlHook(TWinControl* Control) const;
    // Creates the record of Control when there is none.
    TCtlHook* RecordFor(TWinControl* Control);
    // Asks (by a posted message) for a record without hooks to be freed once no message is on
    // its way through it.
    void RequestRelease(TCtlHook* Record);

private:
    class TControlWatcher;
    bool WndProc(TMessage& Message);
    void Release(TCtlHook* Record);
    // A control is being freed: its hooks let go of it and its record is forgotten.
    void ControlRemoved(TComponent* Control);

    std::unique_ptr<TControlWatcher> watcher_;
};

// The global list; nil until the first hook is activated, and again after it freed itself.
TElHookList* ElHookList();
