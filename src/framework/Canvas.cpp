#include "framework/Canvas.h"

#include "framework/Bitmap.h"
#include "framework/WinText.h"

namespace {
RECT ToRECT(const TRect& r)
{
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}
}  // namespace

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>())
{
    // A tool's GDI object is never deleted while this canvas has it selected.
    font_->OnHandleRelease = [this] {
        if (dc_ && oldFont_)
            SelectObject(dc_, oldFont_);
        oldFont_ = selFont_ = nullptr;
    };
    brush_->OnHandleRelease = [this] {
        if (dc_ && oldBrush_)
            SelectObject(dc_, oldBrush_);
        oldBrush_ = selBrush_ = nullptr;
    };
    pen_->OnHandleRelease = [this] {
        if (dc_ && oldPen_)
            SelectObject(dc_, oldPen_);
        oldPen_ = selPen_ = nullptr;
    };
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
    font_->OnHandleRelease = nullptr;
    brush_->OnHandleRelease = nullptr;
    pen_->OnHandleRelease = nullptr;
}

void TCanvas::SetHandle(HDC Dc)
{
    if (Dc == dc_)
        return;
    if (dc_)
        Deselect();
    dc_ = Dc;
}

void TCanvas::Deselect()
{
    if (oldFont_)
        SelectObject(dc_, oldFont_);
    if (oldBrush_)
        SelectObject(dc_, oldBrush_);
    if (oldPen_)
        SelectObject(dc_, oldPen_);
    oldFont_ = oldBrush_ = oldPen_ = nullptr;
    selFont_ = selBrush_ = selPen_ = nullptr;
}

void TCanvas::RequireFont()
{
    HGDIOBJ f = font_->Handle();
    if (f != selFont_) {
        HGDIOBJ old = SelectObject(dc_, f);
        if (!oldFont_)
            oldFont_ = old;
        selFont_ = f;
    }
    SetTextColor(dc_, ColorToRGB(font_->Color()));
}

void TCanvas::RequireBrush()
{
    HGDIOBJ b = brush_->Handle();
    if (b != selBrush_) {
        HGDIOBJ old = SelectObject(dc_, b);
        if (!oldBrush_)
            oldBrush_ = old;
        selBrush_ = b;
    }
    SetBkColor(dc_, ColorToRGB(brush_->Color()));
    SetBkMode(dc_, brush_->Style() == TBrushStyle::bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::RequirePen()
{
    HGDIOBJ p = pen_->Handle();
    if (p != selPen_) {
        HGDIOBJ old = SelectObject(dc_, p);
        if (!oldPen_)
            oldPen_ = old;
        selPen_ = p;
    }
}

void TCanvas::MoveTo(int X, int Y)
{
    if (dc_)
        MoveToEx(dc_, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
    if (!dc_)
        return;
    RequirePen();
    ::LineTo(dc_, X, Y);
}

TPoint TCanvas::PenPos() const
{
    POINT p{};
    if (dc_)
        GetCurrentPositionEx(dc_, &p);
    return {p.x, p.y};
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    if (!dc_)
        return;
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, X1, Y1, X2, Y2);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    if (!dc_)
        return;
    RequirePen();
    RequireBrush();
    ::Ellipse(dc_, X1, Y1, X2, Y2);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight)
{
    if (!dc_)
        return;
    RequirePen();
    RequireBrush();
    ::RoundRect(dc_, X1, Y1, X2, Y2, CornerWidth, CornerHeight);
}

int TCanvas::TextRectFormat(TRect& R, const std::u16string& Text, unsigned Format)
{
    if (!dc_)
        return 0;
    RequireFont();
    RequireBrush();
    RECT r = ToRECT(R);
    const int h = DrawTextW(dc_, WideChars(Text), static_cast<int>(Text.size()), &r, Format);
    R = {r.left, r.top, r.right, r.bottom};
    return h;
}

void TCanvas::Polygon(const TPoint* Points, int Count)
{
    if (!dc_ || Count <= 0)
        return;
    RequirePen();
    RequireBrush();
    static_assert(sizeof(TPoint) == sizeof(POINT));
    ::Polygon(dc_, reinterpret_cast<const POINT*>(Points), Count);
}

void TCanvas::FillRect(const TRect& R)
{
    if (!dc_ || brush_->Style() == TBrushStyle::bsClear)
        return;
    const RECT r = ToRECT(R);
    ::FillRect(dc_, &r, brush_->Handle());
}

void TCanvas::FrameRect(const TRect& R)
{
    if (!dc_)
        return;
    const RECT r = ToRECT(R);
    ::FrameRect(dc_, &r, brush_->Handle());
}

void TCanvas::TextOut(int X, int Y, const std::u16string& Text)
{
    if (!dc_)
        return;
    RequireFont();
    RequireBrush();
    ::TextOutW(dc_, X, Y, WideChars(Text), static_cast<int>(Text.size()));
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::u16string& Text)
{
    if (!dc_)
        return;
    RequireFont();
    RequireBrush();
    const RECT r = ToRECT(R);
    const UINT opaque = brush_->Style() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE;
    ExtTextOutW(dc_, X, Y, ETO_CLIPPED | opaque, &r, WideChars(Text), static_cast<UINT>(Text.size()), nullptr);
}

TSize TCanvas::TextExtent(const std::u16string& Text)
{
    SIZE s{};
    if (dc_) {
        RequireFont();
        GetTextExtentPoint32W(dc_, WideChars(Text), static_cast<int>(Text.size()), &s);
    }
    return {s.cx, s.cy};
}

void TCanvas::Draw(int X, int Y, TBitmap* Bitmap)
{
    if (!dc_ || !Bitmap || Bitmap->Empty())
        return;
    Bitmap->DrawTo(dc_, Bounds(X, Y, Bitmap->Width(), Bitmap->Height()));
}

void TCanvas::StretchDraw(const TRect& R, TBitmap* Bitmap)
{
    if (!dc_ || !Bitmap || Bitmap->Empty())
        return;
    Bitmap->DrawTo(dc_, R);
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
    if (!dc_ || !Source || !Source->dc_)
        return;
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source->dc_, SourceRect.Left, SourceRect.Top,
               SourceRect.Width(), SourceRect.Height(), SRCCOPY);
}

TColor TCanvas::Pixel(int X, int Y) const
{
    return dc_ ? static_cast<TColor>(GetPixel(dc_, X, Y)) : clNone;
}

void TCanvas::SetPixel(int X, int Y, TColor Color)
{
    if (dc_)
        ::SetPixel(dc_, X, Y, ColorToRGB(Color));
}

TRect TCanvas::ClipRect() const
{
    RECT r{};
    if (dc_)
        GetClipBox(dc_, &r);
    return {r.left, r.top, r.right, r.bottom};
}
