#include "framework/ExtCtrls.h"

#include <algorithm>

TRect Frame3D(TCanvas* Canvas, TRect R, TColor TopLeft, TColor BottomRight)
{
    --R.Right;
    --R.Bottom;
    Canvas->Pen()->SetColor(TopLeft);
    Canvas->MoveTo(R.Left, R.Bottom);
    Canvas->LineTo(R.Left, R.Top);
    Canvas->LineTo(R.Right, R.Top);
    Canvas->Pen()->SetColor(BottomRight);
    Canvas->LineTo(R.Right, R.Bottom);
    Canvas->LineTo(R.Left - 1, R.Bottom);
    return {R.Left + 1, R.Top + 1, R.Right, R.Bottom};
}

namespace {

TRect DrawCut(TCanvas* c, TRect r, TBevelCut cut)
{
    if (cut == TBevelCut::bvNone)
        return r;
    if (cut == TBevelCut::bvSpace)  // a band of the panel's own colour, already filled
        return {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    return cut == TBevelCut::bvRaised ? Frame3D(c, r, clBtnHighlight, clBtnShadow)
                                       : Frame3D(c, r, clBtnShadow, clBtnHighlight);
}

}  // namespace

// ---- TPanel

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 185, 41);
    ControlStyle |= csAcceptsControls | csOpaque;
}

void TPanel::SetBevelOuter(TBevelCut Value)
{
    bevelOuter_ = Value;
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut Value)
{
    bevelInner_ = Value;
    Realign();
    Invalidate();
}

void TPanel::SetAlignment(TAlignment Value)
{
    alignment_ = Value;
    Invalidate();
}

int TPanel::BorderSize() const
{
    return (bevelOuter_ != TBevelCut::bvNone ? 1 : 0) + (bevelInner_ != TBevelCut::bvNone ? 1 : 0);
}

void TPanel::AlignControls(TRect& Rect)
{
    const int b = BorderSize();
    Rect = {Rect.Left + b, Rect.Top + b, Rect.Right - b, Rect.Bottom - b};
    TCustomControl::AlignControls(Rect);
}

void TPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    r = DrawCut(c, r, bevelOuter_);
    r = DrawCut(c, r, bevelInner_);
    const std::u16string caption = Caption();
    if (!ShowCaption || caption.empty())
        return;
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->Font()->Assign(Font());
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    format |= alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
    if (BiDiMode() == TBiDiMode::bdRightToLeft)
        format |= DT_RTLREADING;
    c->TextRectFormat(r, caption, format);
}

// ---- TFlowPanel

TFlowPanel::TFlowPanel(TComponent* AOwner) : TPanel(AOwner) {}

void TFlowPanel::SetFlowStyle(TFlowStyle Value)
{
    flowStyle_ = Value;
    Realign();
}

void TFlowPanel::SetAutoSize(bool Value)
{
    autoSize_ = Value;
    Realign();
}

void TFlowPanel::AlignControls(TRect& Rect)
{
    const int b = BorderSize();
    const TRect area{Rect.Left + b, Rect.Top + b, Rect.Right - b, Rect.Bottom - b};
    const bool rtl = flowStyle_ == TFlowStyle::fsRightLeftTopBottom;
    int x = 0, y = area.Top, rowHeight = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        const int w = c->Width();
        if (AutoWrap && x > 0 && x + w > area.Width()) {
            y += rowHeight;
            x = 0;
            rowHeight = 0;
        }
        const int left = rtl ? area.Right - x - w : area.Left + x;
        c->SetBounds(left, y, w, c->Height());
        x += w;
        rowHeight = std::max(rowHeight, c->Height());
    }
    if (autoSize_) {
        const int wanted = y + rowHeight - area.Top + 2 * b;
        if (wanted != ClientHeight())
            SetClientHeight(wanted);
    }
}

// ---- TControlBar

TControlBar::TControlBar(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 100, 50);
    ControlStyle |= csAcceptsControls | csOpaque;
}

void TControlBar::AlignControls(TRect& Rect)
{
    int x = Rect.Left, y = Rect.Top + RowSpacing, rowHeight = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        if (x > Rect.Left && x + c->Width() > Rect.Right) {
            y += rowHeight + RowSpacing;
            x = Rect.Left;
            rowHeight = 0;
        }
        c->SetBounds(x + 2, y, c->Width(), c->Height());
        x += c->Width() + 4;
        rowHeight = std::max(rowHeight, c->Height());
    }
    if (AutoSize) {
        const int wanted = y + rowHeight + RowSpacing - Rect.Top;
        if (wanted != ClientHeight() && rowHeight > 0)
            SetClientHeight(wanted);
    }
}

void TControlBar::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
    // A raised edge around every band.
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Visible())
            Frame3D(Canvas(), {c->Left() - 2, c->Top() - 1, c->Left() + c->Width() + 2, c->Top() + c->Height() + 1},
                    clBtnHighlight, clBtnShadow);
    }
}

// ---- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 50, 50);
    ControlStyle &= ~csClickEvents;
}

void TBevel::SetShape(TBevelShape Value)
{
    shape_ = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    style_ = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* c = Canvas();
    const TColor first = style_ == TBevelStyle::bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == TBevelStyle::bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (shape_) {
    case TBevelShape::bsBox:
        Frame3D(c, {0, 0, w, h}, first, second);
        break;
    case TBevelShape::bsFrame:
        Frame3D(c, {1, 1, w, h}, second, second);
        Frame3D(c, {0, 0, w - 1, h - 1}, first, first);
        break;
    case TBevelShape::bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case TBevelShape::bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case TBevelShape::bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case TBevelShape::bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}

// ---- TShape

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>())
{
    SetBounds(0, 0, 65, 65);
    brush_->OnChange = [this](TObject*) { Invalidate(); };
    pen_->OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::SetShape(TShapeType Value)
{
    shape_ = Value;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas* c = Canvas();
    c->Pen()->Assign(pen_.get());
    c->Brush()->Assign(brush_.get());
    const int pw = pen_->Width();
    int x = pw / 2, y = pw / 2;
    int w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    const bool square = shape_ == TShapeType::stSquare || shape_ == TShapeType::stRoundSquare ||
                        shape_ == TShapeType::stCircle;
    if (square) {
        const int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    switch (shape_) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
        c->Rectangle(x, y, x + w, y + h);
        break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare:
        c->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
        break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
        c->Ellipse(x, y, x + w, y + h);
        break;
    }
}

// ---- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 105, 105);
}

TCanvas* TImage::NewPicture(int Width, int Height, TColor Background)
{
    picture_->SetSize(Width, Height);
    TCanvas* c = picture_->Canvas();
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Brush()->SetColor(Background);
    c->FillRect({0, 0, Width, Height});
    return c;
}

void TImage::SetTransparent(bool Value)
{
    picture_->Transparent = Value;
    Invalidate();
}

void TImage::Paint()
{
    if (picture_->Empty())
        return;
    TRect dest = Bounds(0, 0, picture_->Width(), picture_->Height());
    if (Stretch)
        dest = {0, 0, Width(), Height()};
    else if (Center)
        dest = Bounds((Width() - picture_->Width()) / 2, (Height() - picture_->Height()) / 2, picture_->Width(),
                      picture_->Height());
    Canvas()->StretchDraw(dest, picture_.get());
}
