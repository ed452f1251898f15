#include "widgets/el/editing/ElLabel.h"

#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

TCustomElLabel::TCustomElLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TCustomElLabel::LookChanged()
{
    if (!IsLoading() && !IsDestroying())
        Invalidate();
}

void TCustomElLabel::SetWordWrap(bool Value)
{
    if (Value == wordWrap_)
        return;
    wordWrap_ = Value;
    AdjustBounds();
    LookChanged();
}

void TCustomElLabel::SetAlignment(TAlignment Value)
{
    if (Value == alignment_)
        return;
    alignment_ = Value;
    LookChanged();
}

void TCustomElLabel::SetAutoSize(bool Value)
{
    if (Value == autoSize_)
        return;
    autoSize_ = Value;
    AdjustBounds();
}

void TCustomElLabel::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    LookChanged();
}

unsigned TCustomElLabel::DrawFlags() const
{
    const bool rtl = BiDiMode() == TBiDiMode::bdRightToLeft;
    unsigned flags = DT_NOPREFIX | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    switch (alignment_) {
    case TAlignment::taCenter:
        flags |= DT_CENTER;
        break;
    case TAlignment::taRightJustify:
        flags |= rtl ? DT_LEFT : DT_RIGHT;
        break;
    default:
        flags |= rtl ? DT_RIGHT : DT_LEFT;
        break;
    }
    if (rtl)
        flags |= DT_RTLREADING;
    return flags;
}

TSize TCustomElLabel::TextSize()
{
    const TMemoryDC dc(nullptr);
    const TSelectedObject font(dc.Handle(), Font()->Handle());
    const std::u16string text = Caption();
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    if (text.empty()) {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.Handle(), &tm);
        return {0, tm.tmHeight};
    }
    DrawTextW(dc.Handle(), WideChars(text), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

void TCustomElLabel::AdjustBounds()
{
    if (!autoSize_ || IsLoading() || IsDestroying())
        return;
    const TSize size = TextSize();
    if (wordWrap_)
        SetBounds(Left(), Top(), Width(), size.cy);
    else
        SetBounds(Left(), Top(), size.cx, size.cy);
}

void TCustomElLabel::TextChanged()
{
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomElLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TCustomElLabel::EnabledChanged()
{
    TGraphicControl::EnabledChanged();
    LookChanged();
}

void TCustomElLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!transparent_) {
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(TBrushStyle::bsSolid);
        c->FillRect(r);
    }
    const std::u16string text = Caption();
    if (text.empty())
        return;
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    const TColor textColor = Font()->Color();
    if (Enabled()) {
        c->TextRectFormat(r, text, DrawFlags());
    } else {
        TRect lifted{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
        c->Font()->SetColor(clBtnHighlight);
        c->TextRectFormat(lifted, text, DrawFlags());
        c->Font()->SetColor(clBtnShadow);
        c->TextRectFormat(r, text, DrawFlags());
        c->Font()->SetColor(textColor);
    }
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
}
