#include "widgets/el/menus/ElCheckControls.h"

#include "widgets/el/foundation/ElDrawing.h"

#include <vssym32.h>

#include <vector>

namespace {

constexpr int BoxSize = 13;
constexpr int BoxGap = 4;

}  // namespace

// ---- TElCheckControl

TElCheckControl::TElCheckControl(TComponent* AOwner) : TElButtonControl(AOwner)
{
    BeginCreate();
    SetParentColor(true);
    SetBounds(0, 0, 120, 17);
    EndCreate();
}

void TElCheckControl::SetChecked(bool Value)
{
    if (Value == checked_)
        return;
    checked_ = Value;
    LookChanged();
}

TRect TElCheckControl::BoxRect() const
{
    const int top = (Height() - BoxSize) / 2;
    const int left = BiDiMode() == TBiDiMode::bdRightToLeft ? Width() - BoxSize : 0;
    return Bounds(left, top, BoxSize, BoxSize);
}

TRect TElCheckControl::CaptionArea() const
{
    if (BiDiMode() == TBiDiMode::bdRightToLeft)
        return {0, 0, Width() - BoxSize - BoxGap, Height()};
    return {BoxSize + BoxGap, 0, Width(), Height()};
}

void TElCheckControl::Paint()
{
    TCanvas* c = Canvas();
    const HDC dc = c->Handle();
    FillSolidRect(dc, ClientRect(), Color());

    const TRect box = BoxRect();
    if (IsThemeApplied()) {
        const int offset = !Enabled() ? 3 : Pressed() ? 2 : MouseInControl() ? 1 : 0;
        // Radio buttons number their states as check boxes do.
        static_assert(static_cast<int>(RBS_CHECKEDNORMAL) == static_cast<int>(CBS_CHECKEDNORMAL));
        const int first = checked_ ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
        ElUxTheme().DrawThemeBackground(Theme(), dc, IsRadio() ? BP_RADIOBUTTON : BP_CHECKBOX, first + offset,
                                        {box.Left, box.Top, box.Right, box.Bottom});
    } else {
        RECT r{box.Left, box.Top, box.Right, box.Bottom};
        UINT state = IsRadio() ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        if (checked_)
            state |= DFCS_CHECKED;
        if (!Enabled())
            state |= DFCS_INACTIVE;
        if (Pressed())
            state |= DFCS_PUSHED;
        DrawFrameControl(dc, &r, DFC_BUTTON, state);
    }

    const bool rtl = BiDiMode() == TBiDiMode::bdRightToLeft;
    const UINT flags = DT_SINGLELINE | DT_VCENTER | (rtl ? DT_RIGHT : DT_LEFT);
    TRect text = CaptionArea();
    DrawCaption(text, flags);
    if (Focused() && !Caption().empty()) {
        TRect used = CaptionArea();
        DrawCaption(used, flags | DT_CALCRECT);
        const int h = used.Height();
        const int top = (Height() - h) / 2;
        const TRect area = CaptionArea();
        const int left = rtl ? area.Right - used.Width() : area.Left;
        const RECT focus{left - 1, top, left + used.Width() + 1, top + h};
        SetTextColor(dc, ColorToRGB(clBtnText));
        SetBkColor(dc, ColorToRGB(Color()));
        DrawFocusRect(dc, &focus);
    }
}

// ---- TElCheckBox

TElCheckBox::TElCheckBox(TComponent* AOwner) : TElCheckControl(AOwner) {}

void TElCheckBox::Click()
{
    SetChecked(!Checked());
    TElCheckControl::Click();
}

// ---- TElRadioButton

TElRadioButton::TElRadioButton(TComponent* AOwner) : TElCheckControl(AOwner) {}

void TElRadioButton::SetChecked(bool Value)
{
    if (Value == Checked())
        return;
    TElCheckControl::SetChecked(Value);
    if (!Value || !Parent())
        return;
    std::vector<TElRadioButton*> others;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* r = dynamic_cast<TElRadioButton*>(Parent()->Controls(i));
        if (r && r != this)
            others.push_back(r);
    }
    for (TElRadioButton* r : others)
        r->SetChecked(false);
}

void TElRadioButton::Click()
{
    if (Checked())
        return;
    SetChecked(true);
    TElCheckControl::Click();
}
