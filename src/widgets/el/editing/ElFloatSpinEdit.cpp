#include "widgets/el/editing/ElFloatSpinEdit.h"

#include "widgets/el/editing/ElFloatSpinEditValue.h"

#include "framework/Messages.h"
#include "framework/NumberText.h"
#include "framework/Timer.h"

#include <algorithm>

TElFloatSpinEdit::TElFloatSpinEdit(TComponent* AOwner)
    : TCustomElButtonEdit(AOwner,
                          [](TComponent* Owner) -> TElEditBtn* { return new TElEditArrowButton(Owner, {1, 3}); })
{
    BeginCreate();
    SetNotifyUserChangeOnly(false);
    SetAutoSize(false);
    SetWidth(121);
    SetHeight(21);
    SetText(FloatSpinText(value_, digits_));
    repeat_ = new TTimer(this);
    repeat_->SetEnabled(false);
    repeat_->OnTimer = [this](TObject*) {
        repeat_->SetInterval(RepeatIntervalMs);
        Step(PressedStep());
    };
    // A held half repeats its step from a while after the press until it is let go; the click
    // at the release makes the first step.
    Button()->OnMouseDown = [this](TObject*, TMouseButton Pressed, TShiftState, int, int) {
        if (Pressed != TMouseButton::mbLeft)
            return;
        repeat_->SetEnabled(false);
        repeat_->SetInterval(RepeatDelayMs);
        repeat_->SetEnabled(true);
    };
    Button()->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { repeat_->SetEnabled(false); };
    EndCreate();
}

double TElFloatSpinEdit::Value() const
{
    double parsed = 0.0;
    return TryStrToFloat(Text(), parsed) ? LimitFloatValue(parsed, minValue_, maxValue_) : value_;
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
    const int64_t caret = SelStart();
    SetValue(StepFloatValue(Value(), Delta, minValue_, maxValue_));
    SetSelStart(std::min<int64_t>(caret, static_cast<int64_t>(Text().size())));
}

double TElFloatSpinEdit::PressedStep() const
{
    // The upper half steps up, the lower one down.
    return static_cast<TElEditArrowButton*>(Button())->PressedPart() == 0 ? increment_ : -increment_;
}

void TElFloatSpinEdit::EditKeyDown(uint16_t& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_UP: Step(increment_); break;
    case VK_DOWN: Step(-increment_); break;
    case VK_PRIOR: Step(largeIncrement_); break;
    case VK_NEXT: Step(-largeIncrement_); break;
    default: TCustomElButtonEdit::EditKeyDown(Key, Shift); return;
    }
    Key = 0;
}

void TElFloatSpinEdit::ButtonClick()
{
    Step(PressedStep());
    TCustomElButtonEdit::ButtonClick();
}
