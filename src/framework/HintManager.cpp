#include "framework/HintManager.h"

#include "framework/Application.h"
#include "framework/Screen.h"
#include "framework/StrConv.h"

namespace {

// The innermost control at or above Control that has a hint: it speaks for the place.
TControl* HintControlOf(TControl* Control)
{
    while (Control && Control->Hint.empty())
        Control = Control->Parent();
    return Control;
}

TRect ScreenRect(TControl* Control, const TRect& R)
{
    const TPoint topLeft = Control->ClientToScreen({R.Left, R.Top});
    return Bounds(topLeft.X, topLeft.Y, R.Width(), R.Height());
}

}  // namespace

THintManager::THintManager(TApplication& App)
    : app_(App), timer_(new TTimer(nullptr)),
      windowClass_([] { return new THintWindow(nullptr); })
{
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject*) { Tick(); };
}

THintManager::~THintManager() = default;

bool THintManager::Wants(TControl* Control) const
{
    return Control && app_.ShowHint() && Control->ShowHint && !Control->IsDestroying();
}

void THintManager::Start(int Ms, TState State)
{
    state_ = State;
    timer_->SetEnabled(false);
    timer_->SetInterval(static_cast<uint32_t>(Ms > 0 ? Ms : 1));
    timer_->SetEnabled(true);
}

void THintManager::Stop()
{
    timer_->SetEnabled(false);
    state_ = TState::Idle;
}

void THintManager::HideWindow()
{
    if (window_ && window_->Visible())
        window_->ReleaseHint();
}

void THintManager::MouseMoved(TControl* Hover, TPoint ScreenPos, bool HoverChanged)
{
    mouse_ = ScreenPos;
    TControl* control = HintControlOf(Hover);
    if (HoverChanged || control != control_.Get()) {
        const bool wasShowing = state_ == TState::Showing;
        HideWindow();
        Stop();
        cancelled_ = false;
        control_ = control;
        if (Wants(control))
            Start(wasShowing ? app_.HintShortPause : app_.HintPause, TState::Waiting);
        return;
    }
    if (state_ == TState::Showing && !cursorRect_.Contains(ScreenPos)) {
        // Out of the part the hint was for: ask the control again soon.
        HideWindow();
        Start(app_.HintShortPause, TState::Waiting);
    }
}

void THintManager::Cancel()
{
    HideWindow();
    Stop();
    cancelled_ = true;
}

void THintManager::SetWindowClass(THintWindowClass Value)
{
    HideWindow();
    window_.reset();
    windowClass_ = Value ? std::move(Value) : THintWindowClass([] { return new THintWindow(nullptr); });
}

void THintManager::Tick()
{
    if (state_ == TState::Waiting) {
        Stop();
        ShowNow();
    } else {
        // The hint has been shown long enough; the next one waits for another control.
        HideWindow();
        Stop();
        cancelled_ = true;
    }
}

void THintManager::ShowNow()
{
    TControl* control = control_.Get();
    if (cancelled_ || !Wants(control))
        return;
    THintInfo info;
    info.HintControl = control;
    info.HintMaxWidth = Screen->Width();
    info.HintColor = app_.HintColor;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(mouse_);
    info.HintPos = {mouse_.X, mouse_.Y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4};
    info.HideTimeout = app_.HintHidePause;
    info.HintStr = GetShortHint(control->Hint);
    if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info)) != 0 || !control_)
        return;
    if (!info.PackedHintStr.empty()) {
        std::u16string wide;
        info.HintStr = GetShortHint(UnpackWideHint(info.PackedHintStr, wide) ? wide : AnsiToWide(info.PackedHintStr));
    }
    if (info.HintStr.empty())
        return;
    if (!window_) {
        window_.reset(windowClass_());
        if (!window_)
            return;
    }
    window_->SetColor(info.HintColor);
    window_->SetBiDiMode(control->BiDiMode());
    TRect r = window_->CalcHintRect(info.HintMaxWidth, info.HintStr);
    r = Bounds(info.HintPos.X, info.HintPos.Y, r.Width(), r.Height());
    window_->ActivateHint(r, info.HintStr);
    cursorRect_ = ScreenRect(control, info.CursorRect);
    if (info.HideTimeout > 0)
        Start(info.HideTimeout, TState::Showing);
    else
        state_ = TState::Showing;
}
