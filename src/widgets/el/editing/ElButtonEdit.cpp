#include "widgets/el/editing/ElButtonEdit.h"

#include "widgets/el/foundation/ElDrawing.h"

#include "framework/Forms.h"
#include "framework/MathUtils.h"

#include <algorithm>

// ---- TElEditArrowButton

TElEditArrowButton::TElEditArrowButton(TComponent* AOwner, std::vector<int> Arrows)
    : TElEditBtn(AOwner), arrows_(std::move(Arrows))
{
    if (arrows_.empty())
        arrows_.push_back(3);
}

TRect TElEditArrowButton::PartRect(int Part) const
{
    const TRect r = ClientRect();
    const int parts = static_cast<int>(arrows_.size());
    return {r.Left, r.Top + r.Height() * Part / parts, r.Right, r.Top + r.Height() * (Part + 1) / parts};
}

void TElEditArrowButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const int parts = static_cast<int>(arrows_.size());
    pressedPart_ = std::clamp(Height() > 0 ? Y * parts / Height() : 0, 0, parts - 1);
    TElEditBtn::MouseDown(Button, Shift, X, Y);
}

void TElEditArrowButton::Paint()
{
    const HDC dc = Canvas()->Handle();
    for (int part = 0; part < static_cast<int>(arrows_.size()); ++part) {
        const TRect r = PartRect(part);
        FillSolidRect(dc, r, Color());
        DrawButtonFrameByColor(dc, r, BF_RECT, (Pressed() || Down()) && part == pressedPart_, Flat(), Color());
        DrawArrow(Canvas(), arrows_[static_cast<size_t>(part)], r, clBtnText, EffectivelyEnabled());
    }
}

// ---- TCustomElButtonEdit

TCustomElButtonEdit::TCustomElButtonEdit(TComponent* AOwner, const TButtonFactory& ButtonClass)
    : TCustomElEdit(AOwner)
{
    button_ = MakeButton(ButtonClass, false);
    altButton_ = MakeButton(ButtonClass, true);
    altButton_->SetVisible(false);
}

TElEditBtn* TCustomElButtonEdit::MakeButton(const TButtonFactory& ButtonClass, bool Alt)
{
    TElEditBtn* b = ButtonClass ? ButtonClass(this) : new TElEditBtn(this);
    b->SetAdjustSpaceForGlyph(false);
    b->SetUseXPThemes(UseXPThemes());
    b->SetWidth(GetSystemMetrics(SM_CXVSCROLL));
    b->SetParent(this);
    b->OnClick = [this, Alt](TObject*) { Alt ? AltButtonClick() : ButtonClick(); };
    return b;
}

void TCustomElButtonEdit::ButtonClick()
{
    if (OnButtonClick)
        OnButtonClick(this);
}

void TCustomElButtonEdit::AltButtonClick()
{
    if (OnAltButtonClick)
        OnAltButtonClick(this);
}

// ---- layout

TElButtonEditParts TCustomElButtonEdit::Parts() const
{
    return LayoutButtonEdit(ClientRect(), {button_->Visible(), buttonWidth_}, {altButton_->Visible(), altButtonWidth_},
                            altButtonPosition_ == TAlignment::taRightJustify, GetSystemMetrics(SM_CXVSCROLL));
}

TRect TCustomElButtonEdit::ComputeEditRect() const
{
    return Parts().EditRect;
}

void TCustomElButtonEdit::LayoutButtons()
{
    if (!HandleAllocated() || IsDestroying())
        return;
    const TElButtonEditParts parts = Parts();
    for (auto [b, r] : {std::pair{button_, parts.Button}, std::pair{altButton_, parts.AltButton}})
        if (b->Visible())
            b->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    UpdateEditRect();
}

void TCustomElButtonEdit::CreateWnd()
{
    TCustomElEdit::CreateWnd();
    LayoutButtons();
}

void TCustomElButtonEdit::Resize()
{
    TCustomElEdit::Resize();
    LayoutButtons();
}

void TCustomElButtonEdit::EnabledChanged()
{
    TCustomElEdit::EnabledChanged();
    for (TElEditBtn* b : {button_, altButton_})
        if (b && b->HandleAllocated())
            b->Invalidate();
}

void TCustomElButtonEdit::SetButtonVisible(bool Value)
{
    button_->SetVisible(Value);
    LayoutButtons();
}

void TCustomElButtonEdit::SetAltButtonVisible(bool Value)
{
    altButton_->SetVisible(Value);
    LayoutButtons();
}

void TCustomElButtonEdit::SetButtonWidth(int32_t Value)
{
    buttonWidth_ = Value;
    button_->SetWidth(EditButtonWidth(Value, GetSystemMetrics(SM_CXVSCROLL)));
    LayoutButtons();
}

void TCustomElButtonEdit::ChangeScale(int M, int D)
{
    if (M == D || D == 0)
        return;
    const int32_t system = GetSystemMetrics(SM_CXVSCROLL);
    const int32_t main = PortableMulDiv(buttonWidth_ == -1 ? system : buttonWidth_, M, D);
    const int32_t alt = PortableMulDiv(altButtonWidth_ == -1 ? system : altButtonWidth_, M, D);
    TCustomElEdit::ChangeScale(M, D);
    SetButtonWidth(main);
    SetAltButtonWidth(alt);
}

void TCustomElButtonEdit::SetAltButtonWidth(int32_t Value)
{
    altButtonWidth_ = Value;
    altButton_->SetWidth(EditButtonWidth(Value, GetSystemMetrics(SM_CXVSCROLL)));
    LayoutButtons();
}

void TCustomElButtonEdit::SetAltButtonPosition(TAlignment Value)
{
    altButtonPosition_ = Value;
    LayoutButtons();
}

// ---- look

void TCustomElButtonEdit::UpdateButtonLook()
{
    const bool moneyFlat =
        Flat() && ActiveBorderType() == fbtColorLineBorder && InactiveBorderType() == fbtColorLineBorder;
    for (TElEditBtn* b : {button_, altButton_}) {
        b->SetMoneyFlat(moneyFlat);
        b->SetMoneyFlatActiveColor(LineBorderActiveColor());
        b->SetMoneyFlatDownColor(LineBorderActiveColor());
        b->SetMoneyFlatInactiveColor(LineBorderInactiveColor());
    }
}

void TCustomElButtonEdit::SetFlat(bool Value)
{
    TCustomElEdit::SetFlat(Value);
    UpdateButtonLook();
}

void TCustomElButtonEdit::SetActiveBorderType(TElFlatBorderType Value)
{
    TCustomElEdit::SetActiveBorderType(Value);
    UpdateButtonLook();
}

void TCustomElButtonEdit::SetInactiveBorderType(TElFlatBorderType Value)
{
    TCustomElEdit::SetInactiveBorderType(Value);
    UpdateButtonLook();
}

void TCustomElButtonEdit::SetLineBorderActiveColor(TColor Value)
{
    TCustomElEdit::SetLineBorderActiveColor(Value);
    UpdateButtonLook();
}

void TCustomElButtonEdit::SetLineBorderInactiveColor(TColor Value)
{
    TCustomElEdit::SetLineBorderInactiveColor(Value);
    UpdateButtonLook();
}

void TCustomElButtonEdit::SetUseXPThemes(bool Value)
{
    TCustomElEdit::SetUseXPThemes(Value);
    for (TElEditBtn* b : {button_, altButton_})
        if (b)
            b->SetUseXPThemes(Value);
}

// ---- keys

bool TCustomElButtonEdit::ClickByShortcut(TElEditBtn* Button, TShortCut Shortcut, uint16_t Key, TShiftState Shift)
{
    // A hidden or disabled button takes no short-cut: the key is the edit's then.
    if (Shortcut == 0 || ShortCut(Key, Shift) != Shortcut || !Button->Visible() || !Button->EffectivelyEnabled())
        return false;
    Button->Click();
    return true;
}

void TCustomElButtonEdit::EditKeyDown(uint16_t& Key, TShiftState Shift)
{
    if (ClickByShortcut(button_, ButtonShortcut, Key, Shift) ||
        ClickByShortcut(altButton_, AltButtonShortcut, Key, Shift)) {
        Key = 0;
        return;
    }
    // Escape goes to the form first (a multiline edit that wants every key too).
    if (Key == VK_ESCAPE && Shift == 0) {
        TCustomForm* form = ParentForm();
        if (form && form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0) != 0) {
            Key = 0;
            return;
        }
    }
    TCustomElEdit::EditKeyDown(Key, Shift);
}

void TCustomElButtonEdit::KeyPress(char16_t& Key)
{
    TCustomElEdit::KeyPress(Key);
    if (Key == u'\r' && !Multiline())
        Key = 0;
}

void TCustomElButtonEdit::WndProc(TMessage& Message)
{
    TCustomElEdit::WndProc(Message);
    if (Message.Msg == WM_GETDLGCODE && Multiline())
        Message.Result |= DLGC_WANTALLKEYS;
}
