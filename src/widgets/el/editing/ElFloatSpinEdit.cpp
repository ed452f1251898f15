#include "widgets/el/editing/ElFloatSpinEdit.h"

#include "widgets/el/editing/ElFloatSpinEditValue.h"

#include "widgets/el/foundation/ElDrawing.h"

#include "framework/NumberText.h"

namespace {

// The spin edit's button: an upper half that steps up and a lower half that steps down.
class TElSpinButton : public TElEditBtn {
public:
    using TElEditBtn::TElEditBtn;
    const char* ClassName() const override { return "TElSpinButton"; }
    // The half the last press went to.
    bool UpPressed() const { return up_; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        up_ = Y < Height() / 2;
        TElEditBtn::MouseDown(Button, Shift, X, Y);
    }
    void Paint() override
    {
        const TRect r = ClientRect();
        const int middle = r.Top + r.Height() / 2;
        const HDC dc = Canvas()->Handle();
        for (const bool up : {true, false}) {
            const TRect half = up ? TRect{r.Left, r.Top, r.Right, middle} : TRect{r.Left, middle, r.Right, r.Bottom};
            FillSolidRect(dc, half, Color());
            DrawButtonFrameByColor(dc, half, BF_RECT, Pressed() && up == up_, Flat(), Color());
            DrawArrow(Canvas(), up ? 1 : 3, half, clBtnText, EffectivelyEnabled());
        }
    }

private:
    bool up_ = true;
};

}  // namespace

TElFloatSpinEdit::TElFloatSpinEdit(TComponent* AOwner)
    : TCustomElButtonEdit(AOwner, [](TComponent* Owner) -> TElEditBtn* { return new TElSpinButton(Owner); })
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
    Step(static_cast<TElSpinButton*>(Button())->UpPressed() ? increment_ : -increment_);
    TCustomElButtonEdit::ButtonClick();
}
