#include "widgets/el/editing/ElFloatSpinEdit.h"

#include "widgets/el/editing/ElFloatSpinEditValue.h"

#include "framework/NumberText.h"

#include <commctrl.h>

TElFloatSpinEdit::TElFloatSpinEdit(TComponent* AOwner) : TElEditPartControl(AOwner)
{
    BeginCreate();
    SetBounds(0, 0, 121, 21);
    SetText(FloatSpinText(value_, digits_));
    EndCreate();
}

double TElFloatSpinEdit::Value() const
{
    double parsed = 0.0;
    return TryStrToFloat(Text(), parsed) ? parsed : value_;
}

void TElFloatSpinEdit::SetValue(double Value)
{
    value_ = Value;
    SetText(FloatSpinText(Value, digits_));
}

void TElFloatSpinEdit::SetDigits(int Value)
{
    if (Value == digits_)
        return;
    digits_ = Value;
    SetValue(this->Value());
}

void TElFloatSpinEdit::Step(double Delta)
{
    SetValue(StepFloatValue(Value(), Delta, minValue_, maxValue_));
}

void TElFloatSpinEdit::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TElEditPartControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_UP: Step(increment_); break;
    case VK_DOWN: Step(-increment_); break;
    case VK_PRIOR: Step(largeIncrement_); break;
    case VK_NEXT: Step(-largeIncrement_); break;
    default: return;
    }
    Key = 0;
}

int TElFloatSpinEdit::SidePartWidth() const
{
    return GetSystemMetrics(SM_CXVSCROLL);
}

void TElFloatSpinEdit::CreateSidePart(const RECT& Bounds)
{
    static const bool commonControls = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&icc) != 0;
    }();
    (void)commonControls;
    buttons_ = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, Bounds.left, Bounds.top,
                               Bounds.right - Bounds.left, Bounds.bottom - Bounds.top, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    // Up counts upwards; the position stays in the middle, the steps are the value's own.
    SendMessageW(buttons_, UDM_SETRANGE32, 0, 100);
    SendMessageW(buttons_, UDM_SETPOS32, 0, 50);
}

void TElFloatSpinEdit::PlaceSidePart(const RECT& Bounds)
{
    if (buttons_)
        MoveWindow(buttons_, Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top, TRUE);
}

bool TElFloatSpinEdit::SidePartMessage(TMessage& Message)
{
    if (Message.Msg != WM_NOTIFY)
        return false;
    const auto* note = reinterpret_cast<const NMUPDOWN*>(Message.LParam);
    if (note->hdr.hwndFrom != buttons_ || note->hdr.code != UDN_DELTAPOS)
        return false;
    if (Enabled())
        Step(note->iDelta > 0 ? increment_ : -increment_);
    Message.Result = 1;  // the up-down's own position stays
    return true;
}
