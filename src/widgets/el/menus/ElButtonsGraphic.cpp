#include "widgets/el/menus/ElButtonsGraphic.h"

#include "widgets/el/menus/ElPanel.h"

#include "widgets/el/foundation/ElDrawing.h"

#include "framework/WideHints.h"

#include <vssym32.h>

namespace {

void RegisterGraphicButtonProperties(TElPropertyTable& Table)
{
    using T = TCustomElGraphicButton;
    Table.AddBoolean<T>("Flat", [](T& b, bool v) { b.SetFlat(v); });
    Table.AddBoolean<T>("ThinFrame", [](T& b, bool v) { b.SetThinFrame(v); });
    Table.AddBoolean<T>("ShowBorder", [](T& b, bool v) { b.SetShowBorder(v); });
    Table.AddBoolean<T>("OldStyled", [](T& b, bool v) { b.SetOldStyled(v); });
    Table.AddBoolean<T>("Transparent", [](T& b, bool v) { b.SetTransparent(v); });
    Table.AddBoolean<T>("MoneyFlat", [](T& b, bool v) { b.SetMoneyFlat(v); });
    Table.AddColor<T>("MoneyFlatActiveColor", [](T& b, TColor v) { b.SetMoneyFlatActiveColor(v); });
    Table.AddColor<T>("MoneyFlatInactiveColor", [](T& b, TColor v) { b.SetMoneyFlatInactiveColor(v); });
    Table.AddColor<T>("MoneyFlatDownColor", [](T& b, TColor v) { b.SetMoneyFlatDownColor(v); });
}

}  // namespace

TCustomElGraphicButton::TCustomElGraphicButton(TComponent* AOwner)
    : TElXPThemedControl(AOwner), icon_(std::make_unique<TIcon>())
{
    BeginCreate();
    ElPropertyTable().RegisterOnce<TCustomElGraphicButton>(RegisterGraphicButtonProperties);
    SetBounds(0, 0, 23, 22);
    // The face is painted whole; only a transparent button lets its parent show.
    ControlStyle |= csOpaque;
    EndCreate();
}

TCustomElGraphicButton::~TCustomElGraphicButton() = default;

void TCustomElGraphicButton::LookChanged()
{
    if (HandleAllocated() && !IsLoading() && !IsDestroying())
        Invalidate();
}

bool TCustomElGraphicButton::EffectivelyEnabled() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Enabled())
            return false;
    return true;
}

// ---- Down state

template <class F>
void TCustomElGraphicButton::ForEachGroupSibling(F&& Action)
{
    if (groupIndex_ == 0 || !Parent())
        return;
    std::vector<TCustomElGraphicButton*> group;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = dynamic_cast<TCustomElGraphicButton*>(Parent()->Controls(i));
        if (b && b != this && b->groupIndex_ == groupIndex_)
            group.push_back(b);
    }
    for (TCustomElGraphicButton* b : group)
        Action(*b);
}

void TCustomElGraphicButton::SetDown(bool Value)
{
    if (Value == down_ || !ElCanSetDown(Value, groupIndex_, allowAllUp_))
        return;
    down_ = Value;
    if (down_)
        ForEachGroupSibling([](TCustomElGraphicButton& b) {
            if (b.down_) {
                b.down_ = false;
                b.LookChanged();
            }
        });
    LookChanged();
}

void TCustomElGraphicButton::SetGroupIndex(int32_t Value)
{
    if (Value == groupIndex_)
        return;
    groupIndex_ = Value;
    // Joining a group takes its all-up rule; a down button joining raises the others.
    bool groupAllowsAllUp = allowAllUp_;
    bool joined = false;
    ForEachGroupSibling([&](TCustomElGraphicButton& b) {
        if (!joined)
            groupAllowsAllUp = b.allowAllUp_;
        joined = true;
        if (down_ && b.down_) {
            b.down_ = false;
            b.LookChanged();
        }
    });
    allowAllUp_ = groupAllowsAllUp;
    LookChanged();
}

void TCustomElGraphicButton::SetAllowAllUp(bool Value)
{
    allowAllUp_ = Value;
    ForEachGroupSibling([Value](TCustomElGraphicButton& b) { b.allowAllUp_ = Value; });
}

void TCustomElGraphicButton::SetIsSwitch(bool Value)
{
    SetLook(isSwitch_, Value);
}

void TCustomElGraphicButton::Click()
{
    const bool wanted = ElDownAfterClick(down_, groupIndex_, allowAllUp_, isSwitch_);
    if (wanted != down_)
        SetDown(wanted);
    TElXPThemedControl::Click();
}

// ---- Texts and menus

void TCustomElGraphicButton::SetHint(const std::u16string& Value)
{
    Hint = Value;
    packedHint_ = PackWideHint(Value);
    LookChanged();
}

void TCustomElGraphicButton::SetPullDownMenu(TPopupMenu* Value)
{
    if (Value == pullDownMenu_.Get())
        return;
    pullDownMenu_ = Value;
    PullDownMenuChanged();
}

void TCustomElGraphicButton::SetPopupPlace(TPopupPlace Value)
{
    SetLook(popupPlace_, Value);
}

TPoint TCustomElGraphicButton::PullDownPoint() const
{
    switch (popupPlace_) {
    case ppRight:
        return ClientToScreen({Width(), 0});
    case ppTop:
        return ClientToScreen({0, 0});
    default:
        return ClientToScreen({0, Height()});
    }
}

TRect TCustomElGraphicButton::ArrowStrip() const
{
    if (!PullDownMenu())
        return {};
    return {Width() - ElPullDownArrowWidth, 0, Width(), Height()};
}

TRect TCustomElGraphicButton::FaceRect() const
{
    TRect r = ClientRect();
    if (PullDownMenu())
        r.Right -= ElPullDownArrowWidth;
    return r;
}

void TCustomElGraphicButton::ShowPullDown()
{
    TPopupMenu* menu = PullDownMenu();
    if (!menu)
        return;
    const TWeakRef<TCustomElGraphicButton> self(this);
    inPullDown_ = true;
    if (HandleAllocated()) {
        Invalidate();
        Update();
    }
    const TPoint p = PullDownPoint();
    if (popupPlace_ == ppTop) {
        // Above the button: the menu's bottom edge at the point.
        const UINT align = menu->RightToLeft() ? TPM_RIGHTALIGN | TPM_LAYOUTRTL : TPM_LEFTALIGN;
        TrackPopupMenu(menu->Handle(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN | align, p.X, p.Y, 0, PopupMenuWindow(),
                       nullptr);
    } else {
        menu->Popup(p.X, p.Y);
    }
    if (!self)
        return;  // freed by something the menu did
    inPullDown_ = false;
    LookChanged();
}

// ---- Pictures

void TCustomElGraphicButton::SetGlyph(const TBitmap* Value)
{
    glyph_.Assign(Value);
    LookChanged();
}

void TCustomElGraphicButton::SetNumGlyphs(int Value)
{
    glyph_.SetNumGlyphs(Value);
    LookChanged();
}

void TCustomElGraphicButton::SetIcon(const TIcon* Value)
{
    if (Value)
        icon_->Assign(Value);
    else
        icon_ = std::make_unique<TIcon>();
    LookChanged();
}

void TCustomElGraphicButton::SetUseIcon(bool Value) { SetLook(useIcon_, Value); }
void TCustomElGraphicButton::SetAdjustSpaceForGlyph(bool Value) { SetLook(adjustSpaceForGlyph_, Value); }
void TCustomElGraphicButton::SetFlat(bool Value) { SetLook(flat_, Value); }
void TCustomElGraphicButton::SetThinFrame(bool Value) { SetLook(thinFrame_, Value); }
void TCustomElGraphicButton::SetShowBorder(bool Value) { SetLook(showBorder_, Value); }
void TCustomElGraphicButton::SetOldStyled(bool Value) { SetLook(oldStyled_, Value); }
void TCustomElGraphicButton::SetMoneyFlat(bool Value) { SetLook(moneyFlat_, Value); }
void TCustomElGraphicButton::SetLayout(TButtonLayout Value) { SetLook(layout_, Value); }
void TCustomElGraphicButton::SetMoneyFlatActiveColor(TColor Value) { SetLook(moneyColors_.Active, Value); }
void TCustomElGraphicButton::SetMoneyFlatInactiveColor(TColor Value) { SetLook(moneyColors_.Inactive, Value); }
void TCustomElGraphicButton::SetMoneyFlatDownColor(TColor Value) { SetLook(moneyColors_.Down, Value); }

void TCustomElGraphicButton::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    if (Value) {
        ControlStyle = (ControlStyle & ~csOpaque) | csParentBackground;
    } else {
        ControlStyle = (ControlStyle & ~csParentBackground) | csOpaque;
    }
    LookChanged();
}

TSize TCustomElGraphicButton::PictureSize() const
{
    if (useIcon_ && !icon_->Empty())
        return {icon_->Width(), icon_->Height()};
    return glyph_.ImageSize();
}

void TCustomElGraphicButton::DrawPicture(const TRect& Where, TElGlyphState State)
{
    if (useIcon_ && !icon_->Empty()) {
        icon_->Draw(Canvas()->Handle(), Where.Left, Where.Top);
        return;
    }
    glyph_.Draw(Canvas(), Where.Left, Where.Top, State);
}

TElGlyphState TCustomElGraphicButton::GlyphState() const
{
    if (!EffectivelyEnabled())
        return TElGlyphState::Disabled;
    if (down_)
        return TElGlyphState::Down;
    return pressed_ || inPullDown_ ? TElGlyphState::Pressed : TElGlyphState::Up;
}

// ---- Painting

void TCustomElGraphicButton::PaintBackground(const TRect& R)
{
    if (transparent_)
        return;  // the parent's painting is already there (csParentBackground)
    TColor fill = Color();
    if (down_ && !pressed_ && !moneyFlat_ && !IsThemeApplied())
        fill = LightenColor(fill, 50);  // the classic look of a button that stays down
    FillSolidRect(Canvas()->Handle(), R, fill);
}

void TCustomElGraphicButton::PaintFrame(const TRect& R)
{
    const HDC dc = Canvas()->Handle();
    const bool sunk = pressed_ || down_ || inPullDown_;
    const bool hot = hot_ && EffectivelyEnabled();
    if (moneyFlat_) {
        const TColor c = ElMoneyFlatFrameColor(moneyColors_, hot, sunk);
        const TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(c)));
        const RECT r{R.Left, R.Top, R.Right, R.Bottom};
        FrameRect(dc, &r, brush.get());
        return;
    }
    const bool framed = !flat_ || hot || sunk || showBorder_;
    if (!framed)
        return;
    if (IsThemeApplied() && !oldStyled_) {
        int state = PBS_NORMAL;
        if (!EffectivelyEnabled())
            state = PBS_DISABLED;
        else if (sunk)
            state = PBS_PRESSED;
        else if (hot)
            state = PBS_HOT;
        ElUxTheme().DrawThemeBackground(Theme(), dc, BP_PUSHBUTTON, state, {R.Left, R.Top, R.Right, R.Bottom});
        return;
    }
    RECT r{R.Left, R.Top, R.Right, R.Bottom};
    if (thinFrame_ || flat_)
        DrawEdge(dc, &r, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    else
        DrawEdge(dc, &r, sunk ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void TCustomElGraphicButton::PaintContent(const TRect& Face)
{
    TCanvas* c = Canvas();
    const std::u16string caption = Caption();
    const TSize textSize = caption.empty() ? TSize{} : c->TextExtent(caption);
    TElButtonContent content = ElLayoutButtonContent(Face, PictureSize(), textSize, layout_, adjustSpaceForGlyph_);
    const bool sunk = (pressed_ || down_ || inPullDown_) && !(IsThemeApplied() && !oldStyled_) && !moneyFlat_;
    if (sunk) {
        for (TRect* r : {&content.Glyph, &content.Text}) {
            r->Left += 1, r->Right += 1;
            r->Top += 1, r->Bottom += 1;
        }
    }
    if (!content.Glyph.IsEmpty())
        DrawPicture(content.Glyph, GlyphState());
    if (content.Text.IsEmpty())
        return;
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    const UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_VCENTER |
                       (BiDiMode() == TBiDiMode::bdRightToLeft ? DT_RTLREADING : 0);
    const TColor textColor = Font()->Color();
    if (EffectivelyEnabled()) {
        c->Font()->SetColor(textColor);
        c->TextRectFormat(content.Text, caption, flags);
    } else {
        TRect lifted = {content.Text.Left + 1, content.Text.Top + 1, content.Text.Right + 1, content.Text.Bottom + 1};
        c->Font()->SetColor(clBtnHighlight);
        c->TextRectFormat(lifted, caption, flags);
        c->Font()->SetColor(clBtnShadow);
        c->TextRectFormat(content.Text, caption, flags);
    }
    c->Font()->SetColor(textColor);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TCustomElGraphicButton::PaintArrow(const TRect& Strip)
{
    const HDC dc = Canvas()->Handle();
    if (flat_ && !(hot_ && EffectivelyEnabled()) && !inPullDown_ && !moneyFlat_ && !showBorder_) {
        DrawArrow(Canvas(), 3, Strip, clBtnText, EffectivelyEnabled());
        return;
    }
    // A separator between face and strip.
    const TGdiObject<HPEN> shadow(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnShadow)));
    const TSelectedObject pen(dc, shadow.get());
    MoveToEx(dc, Strip.Left, Strip.Top + 2, nullptr);
    LineTo(dc, Strip.Left, Strip.Bottom - 2);
    DrawArrow(Canvas(), 3, Strip, clBtnText, EffectivelyEnabled());
}

void TCustomElGraphicButton::Paint()
{
    const TRect client = ClientRect();
    PaintBackground(client);
    PaintFrame(client);
    PaintContent(FaceRect());
    if (PullDownMenu())
        PaintArrow(ArrowStrip());
}

// ---- Mouse

void TCustomElGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft) {
        lastMouse_ = {X, Y};
        if (!EffectivelyEnabled() || (PullDownMenu() && ArrowStrip().Contains({X, Y}))) {
            // Not a press: no click follows, and nothing holds the mouse.
            ControlState &= ~(csClicked | csLButtonDown);
            SetMouseCapture(false);
            if (EffectivelyEnabled())
                ShowPullDown();
            return;
        }
        held_ = true;
        pressed_ = true;
        LookChanged();
    }
    TElXPThemedControl::MouseDown(Button, Shift, X, Y);
}

void TCustomElGraphicButton::MouseMove(TShiftState Shift, int X, int Y)
{
    lastMouse_ = {X, Y};
    if (held_) {
        const bool inside = ClientRect().Contains({X, Y});
        if (inside != pressed_) {
            pressed_ = inside;
            LookChanged();
        }
    }
    TElXPThemedControl::MouseMove(Shift, X, Y);
}

void TCustomElGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft) {
        if (!held_)
            return;  // the press was refused or already ended
        held_ = false;
        pressed_ = false;
        LookChanged();
    }
    TElXPThemedControl::MouseUp(Button, Shift, X, Y);
}

void TCustomElGraphicButton::CancelPress()
{
    if (!held_)
        return;
    ControlState &= ~(csClicked | csLButtonDown);
    held_ = false;
    pressed_ = false;
    LookChanged();
    TElXPThemedControl::MouseUp(TMouseButton::mbLeft, 0, lastMouse_.X, lastMouse_.Y);
}

void TCustomElGraphicButton::EnabledChanged()
{
    TElXPThemedControl::EnabledChanged();
    if (!Enabled()) {
        SetMouseCapture(false);
        CancelPress();
        SetHot(false);
    }
    LookChanged();
}

void TCustomElGraphicButton::SetHot(bool Value)
{
    if (Value == hot_)
        return;
    hot_ = Value;
    LookChanged();
}

void TCustomElGraphicButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        SetHot(EffectivelyEnabled());
        break;
    case CM_MOUSELEAVE:
        SetHot(false);
        break;
    case WM_CAPTURECHANGED:
        // A press still held when the capture goes was cut short (the normal release clears
        // the held state before it lets the capture go).
        if (ControlState & csLButtonDown)
            CancelPress();
        break;
    case CM_HINTSHOW:
        if (!packedHint_.empty() && Message.LParam)
            reinterpret_cast<THintInfo*>(Message.LParam)->PackedHintStr = packedHint_;
        break;
    case EL_REPAINTNOTIFY:
        if (transparent_ && Message.LParam != reinterpret_cast<intptr_t>(this) && HandleAllocated())
            InvalidateRect(Handle(), nullptr, TRUE);
        return;
    default:
        break;
    }
    TElXPThemedControl::WndProc(Message);
}
