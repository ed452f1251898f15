#include "widgets/el/menus/ElButtons.h"

#include "widgets/el/foundation/ElDrawing.h"

#include "framework/StdCtrls.h"

#include <vssym32.h>

// ---- TElButtonControl

TElButtonControl::TElButtonControl(TComponent* AOwner) : TElXPThemedControl(AOwner)
{
    BeginCreate();
    TabStop = true;
    ControlStyle |= csOpaque;
    // A second click in quick succession is a click of its own, not a double-click.
    ControlStyle &= ~csDoubleClicks;
    EndCreate();
}

void TElButtonControl::LookChanged()
{
    if (HandleAllocated() && !IsLoading() && !IsDestroying())
        Invalidate();
}

void TElButtonControl::SetPressed(bool Value)
{
    if (Value == pressed_)
        return;
    pressed_ = Value;
    LookChanged();
}

UINT TElButtonControl::ReadingFlags() const
{
    return BiDiMode() == TBiDiMode::bdRightToLeft ? DT_RTLREADING : 0;
}

void TElButtonControl::DrawCaption(TRect& R, UINT Flags)
{
    TCanvas* c = Canvas();
    const std::u16string caption = Caption();
    const TColor textColor = Font()->Color();
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    Flags |= DT_NOPREFIX | ReadingFlags();
    if (Enabled() || (Flags & DT_CALCRECT)) {
        c->Font()->SetColor(textColor);
        c->TextRectFormat(R, caption, Flags);
    } else {
        TRect lifted{R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
        c->Font()->SetColor(clBtnHighlight);
        c->TextRectFormat(lifted, caption, Flags);
        c->Font()->SetColor(clBtnShadow);
        c->TextRectFormat(R, caption, Flags);
    }
    c->Font()->SetColor(textColor);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TElButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft)
        SetPressed(true);
    TElXPThemedControl::MouseDown(Button, Shift, X, Y);
}

void TElButtonControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if ((ControlState & csLButtonDown) && !spaceHeld_)
        SetPressed(ClientRect().Contains({X, Y}));
    TElXPThemedControl::MouseMove(Shift, X, Y);
}

void TElButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && !spaceHeld_)
        SetPressed(false);
    TElXPThemedControl::MouseUp(Button, Shift, X, Y);
}

void TElButtonControl::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TElXPThemedControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE && !(ControlState & csLButtonDown)) {
        spaceHeld_ = true;
        SetPressed(true);
    }
}

void TElButtonControl::KeyUp(uint16_t& Key, TShiftState Shift)
{
    TElXPThemedControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE && spaceHeld_) {
        spaceHeld_ = false;
        SetPressed(false);
        Click();
    }
}

void TElButtonControl::EnabledChanged()
{
    TElXPThemedControl::EnabledChanged();
    if (!Enabled()) {
        spaceHeld_ = false;
        SetPressed(false);
        hot_ = false;
    }
    LookChanged();
}

void TElButtonControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        hot_ = Message.Msg == CM_MOUSEENTER && Enabled();
        LookChanged();
        break;
    case WM_SETFOCUS:
        LookChanged();
        break;
    case WM_KILLFOCUS:
        // A press by the space bar does not survive the focus leaving.
        if (spaceHeld_) {
            spaceHeld_ = false;
            SetPressed(false);
        }
        LookChanged();
        break;
    case WM_CAPTURECHANGED:
        if ((ControlState & csLButtonDown) && !spaceHeld_) {
            ControlState &= ~(csClicked | csLButtonDown);
            SetPressed(false);
        }
        break;
    default:
        break;
    }
    TElXPThemedControl::WndProc(Message);
}

// ---- TElPopupButton

TElPopupButton::TElPopupButton(TComponent* AOwner) : TElButtonControl(AOwner)
{
    BeginCreate();
    SetBounds(0, 0, 75, 25);
    EndCreate();
}

void TElPopupButton::SetDefault(bool Value)
{
    if (Value == default_)
        return;
    default_ = Value;
    LookChanged();
}

void TElPopupButton::SetLayout(TButtonLayout Value)
{
    if (Value == layout_)
        return;
    layout_ = Value;
    LookChanged();
}

void TElPopupButton::SetGlyph(const TBitmap* Value)
{
    glyph_.Assign(Value);
    LookChanged();
}

void TElPopupButton::SetNumGlyphs(int Value)
{
    glyph_.SetNumGlyphs(Value);
    LookChanged();
}

void TElPopupButton::Click()
{
    if (TCustomForm* form = ParentForm(); form && ModalResult != mrNone)
        form->SetModalResult(ModalResult);
    TElButtonControl::Click();
}

void TElPopupButton::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGKEY) {
        // Enter presses the focused button, else the default one; Escape the cancel button.
        const TWinControl* focused = FindControl(GetFocus());
        const bool otherButtonFocused = focused && focused != this &&
                                        (dynamic_cast<const TElPopupButton*>(focused) ||
                                         dynamic_cast<const TButton*>(focused));
        const bool active = Focused() || (default_ && !otherButtonFocused);
        if (((Message.WParam == VK_RETURN && active) || (Message.WParam == VK_ESCAPE && Cancel)) && CanFocus()) {
            Click();
            Message.Result = 1;
        }
        return;
    }
    TElButtonControl::WndProc(Message);
}

void TElPopupButton::Paint()
{
    TCanvas* c = Canvas();
    const HDC dc = c->Handle();
    TRect r = ClientRect();
    FillSolidRect(dc, r, Color());
    const bool focused = Focused();
    const bool defaulted = default_ || focused;
    if (IsThemeApplied()) {
        int state = PBS_NORMAL;
        if (!Enabled())
            state = PBS_DISABLED;
        else if (Pressed())
            state = PBS_PRESSED;
        else if (MouseInControl())
            state = PBS_HOT;
        else if (defaulted)
            state = PBS_DEFAULTED;
        ElUxTheme().DrawThemeBackground(Theme(), dc, BP_PUSHBUTTON, state, {r.Left, r.Top, r.Right, r.Bottom});
    } else {
        RECT frame{r.Left, r.Top, r.Right, r.Bottom};
        if (defaulted) {
            FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&frame, -1, -1);
        }
        DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (Pressed() ? DFCS_PUSHED : 0));
    }

    const TRect face{r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4};
    const std::u16string caption = Caption();
    const TSize textSize = caption.empty() ? TSize{} : c->TextExtent(caption);
    TElButtonContent content = ElLayoutButtonContent(face, glyph_.ImageSize(), textSize, layout_, true);
    if (Pressed() && !IsThemeApplied())
        for (TRect* p : {&content.Glyph, &content.Text}) {
            p->Left += 1, p->Right += 1;
            p->Top += 1, p->Bottom += 1;
        }
    if (!content.Glyph.IsEmpty()) {
        const TElGlyphState state = !Enabled() ? TElGlyphState::Disabled
                                    : Pressed() ? TElGlyphState::Pressed
                                                : TElGlyphState::Up;
        glyph_.Draw(c, content.Glyph.Left, content.Glyph.Top, state);
    }
    if (!content.Text.IsEmpty())
        DrawCaption(content.Text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    if (focused) {
        const RECT focus{face.Left - 1, face.Top - 1, face.Right + 1, face.Bottom + 1};
        SetTextColor(dc, ColorToRGB(clBtnText));
        SetBkColor(dc, ColorToRGB(Color()));
        DrawFocusRect(dc, &focus);
    }
}
