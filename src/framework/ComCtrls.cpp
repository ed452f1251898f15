#include "framework/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    SetBounds(0, 0, 150, 45);
    ControlStyle &= ~(csClickEvents | csCaptureMouse | csDoubleClicks);
}

void TTrackBar::CreateParams(TCreateParams& Params)
{
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != 0;
    }();
    (void)commonControls;
    TWinControl::CreateParams(Params);
    Params.SystemClassName = u"msctls_trackbar32";
    Params.Style |= TBS_AUTOTICKS | TBS_ENABLESELRANGE |
                    (orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ);
}

void TTrackBar::CreateHandleDone()
{
    ApplyAll();
}

void TTrackBar::ApplyAll()
{
    if (!HandleAllocated())
        return;
    HWND h = Handle();
    SendMessageW(h, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(h, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(h, TBM_SETTICFREQ, frequency_, 0);
    SendMessageW(h, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageW(h, TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageW(h, TBM_SETSELSTART, FALSE, selStart_);
    SendMessageW(h, TBM_SETSELEND, FALSE, selEnd_);
    SendMessageW(h, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetRange(int AMin, int AMax)
{
    if (AMax < AMin)
        AMax = AMin;
    min_ = AMin;
    max_ = AMax;
    const int clamped = std::clamp(position_, min_, max_);
    ApplyAll();
    if (clamped != position_)
        SetPosition(clamped);
}

int TTrackBar::Position() const
{
    if (HandleAllocated())
        return static_cast<int>(SendMessageW(const_cast<TTrackBar*>(this)->Handle(), TBM_GETPOS, 0, 0));
    return position_;
}

void TTrackBar::SetPosition(int Value)
{
    Value = std::clamp(Value, min_, max_);
    if (Value == Position() && Value == position_)
        return;
    position_ = Value;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETPOS, TRUE, Value);
    Changed();
}

void TTrackBar::SetTickFrequency(int Value)
{
    frequency_ = Value;
    ApplyAll();
}

void TTrackBar::SetLineSize(int Value)
{
    lineSize_ = Value;
    ApplyAll();
}

void TTrackBar::SetPageSize(int Value)
{
    pageSize_ = Value;
    ApplyAll();
}

void TTrackBar::SetSelStart(int Value)
{
    selStart_ = Value;
    ApplyAll();
}

void TTrackBar::SetSelEnd(int Value)
{
    selEnd_ = Value;
    ApplyAll();
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
    if (Value == orientation_)
        return;
    orientation_ = Value;
    SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::Changed()
{
    if (OnChange && !IsDestroying())
        OnChange(this);
}

void TTrackBar::WndProc(TMessage& Message)
{
    if (Message.Msg == CN_BASE + WM_HSCROLL || Message.Msg == CN_BASE + WM_VSCROLL) {
        const int now = Position();
        if (now != position_) {
            position_ = now;
            Changed();
        }
        Message.Result = 0;
        return;
    }
    TWinControl::WndProc(Message);
}
