#include "framework/Graphics.h"

#include "framework/WinText.h"

#include <algorithm>
#include <cmath>

COLORREF ColorToRGB(TColor Color)
{
    if (IsSystemColor(Color))
        return GetSysColor(static_cast<int>(Color & 0xFF));
    if (Color == clNone || Color == clDefault)
        return 0;
    return Color & 0xFFFFFF;
}

int ScreenPixelsPerInch()
{
    static const int ppi = [] {
        HDC dc = GetDC(nullptr);
        const int v = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc)
            ReleaseDC(nullptr, dc);
        return v > 0 ? v : 96;
    }();
    return ppi;
}

TGraphicsObject::~TGraphicsObject()
{
    FreeHandle();
}

void TGraphicsObject::FreeHandle()
{
    if (handle_) {
        if (OnHandleRelease)
            OnHandleRelease();
        DeleteObject(handle_);
        handle_ = nullptr;
    }
}

void TGraphicsObject::Changed()
{
    FreeHandle();
    if (OnChange)
        OnChange(this);
}

// ---- TFont

TFont::TFont() = default;

void TFont::Assign(const TPersistent* Source)
{
    if (auto* f = dynamic_cast<const TFont*>(Source)) {
        name_ = f->name_;
        height_ = f->height_;
        color_ = f->color_;
        style_ = f->style_;
        charset_ = f->charset_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TFont::SetName(const std::u16string& Value)
{
    if (Value.empty() || Value == name_)
        return;
    name_ = Value;
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (Value == height_)
        return;
    height_ = Value;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int Points)
{
    SetHeight(-MulDiv(Points, ScreenPixelsPerInch(), 72));
}

void TFont::SetColor(TColor Value)
{
    if (Value == color_)
        return;
    color_ = Value;
    // The colour is not part of the GDI font: keep the handle.
    if (OnChange)
        OnChange(this);
}

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    Changed();
}

void TFont::SetCharset(uint8_t Value)
{
    if (Value == charset_)
        return;
    charset_ = Value;
    Changed();
}

void TFont::AssignLogFont(const LOGFONTW& Font)
{
    name_ = FromWide(Font.lfFaceName);
    height_ = Font.lfHeight;
    style_ = static_cast<TFontStyles>((Font.lfWeight >= FW_BOLD ? fsBold : 0) | (Font.lfItalic ? fsItalic : 0) |
                                      (Font.lfUnderline ? fsUnderline : 0) | (Font.lfStrikeOut ? fsStrikeOut : 0));
    charset_ = Font.lfCharSet;
    Changed();
}

HFONT TFont::Handle()
{
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = charset_;
        lf.lfQuality = DEFAULT_QUALITY;
        const size_t n = std::min<size_t>(name_.size(), LF_FACESIZE - 1);
        std::copy_n(WideChars(name_), n, lf.lfFaceName);
        handle_ = CreateFontIndirectW(&lf);
    }
    return static_cast<HFONT>(handle_);
}

// ---- TBrush

void TBrush::Assign(const TPersistent* Source)
{
    if (auto* b = dynamic_cast<const TBrush*>(Source)) {
        color_ = b->color_;
        style_ = b->style_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value)
{
    if (Value == color_ && style_ == TBrushStyle::bsSolid)
        return;
    color_ = Value;
    // Choosing a colour makes a clear brush solid again.
    style_ = TBrushStyle::bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    Changed();
}

HBRUSH TBrush::Handle()
{
    if (!handle_) {
        LOGBRUSH lb{};
        lb.lbStyle = style_ == TBrushStyle::bsClear ? BS_HOLLOW : BS_SOLID;
        lb.lbColor = ColorToRGB(color_);
        handle_ = CreateBrushIndirect(&lb);
    }
    return static_cast<HBRUSH>(handle_);
}

// ---- TPen

void TPen::Assign(const TPersistent* Source)
{
    if (auto* p = dynamic_cast<const TPen*>(Source)) {
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value)
{
    if (Value == color_)
        return;
    color_ = Value;
    Changed();
}

void TPen::SetWidth(int Value)
{
    if (Value < 0 || Value == width_)
        return;
    width_ = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Value == style_)
        return;
    style_ = Value;
    Changed();
}

HPEN TPen::Handle()
{
    if (!handle_) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_NULL};
        handle_ = CreatePen(styles[static_cast<int>(style_)], width_, ColorToRGB(color_));
    }
    return static_cast<HPEN>(handle_);
}
