#include "widgets/el/editing/ElFloatSpinEdit.h"

#include "widgets/el/editing/ElFloatSpinEditValue.h"

#include "framework/NumberText.h"

TElFloatSpinEdit::TElFloatSpinEdit(TComponent* AOwner)
    : TCustomElButtonEdit(AOwner,
                          [](TComponent* Owner) -> TElEditBtn* { return new TElEditArrowButton(Owner, {1, 3}); })
{
    BeginCreate();
    SetNotifyUserChangeOnly(false);
    SetWidth(121);
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
    // The upper half steps up, the lower one down.
    Step(static_cast<TElEditArrowButton*>(Button())->PressedPart() == 0 ? increment_ : -increment_);
    TCustomElButtonEdit::ButtonClick();
}
