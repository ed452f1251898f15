#include "framework/GdiSurface.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/WinText.h"

#include <algorithm>
#include <mutex>

namespace {

using TSharedFont = std::shared_ptr<TGdiObject<HFONT>>;

// Fonts by face, height, style and character set (the colour is no part of a GDI font). A
// surface holds its font through the shared pointer, so emptying the cache never deletes a
// font that some DC still has selected.
class TFontCache {
public:
    TSharedFont Get(const TFontSpec& Spec)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& [spec, font] : fonts_)
            if (spec.Name == Spec.Name && spec.Height == Spec.Height && spec.Style == Spec.Style &&
                spec.Charset == Spec.Charset)
                return font;
        // A program uses a handful of fonts; a cache this full means fonts made on the fly.
        if (fonts_.size() >= kLimit)
            fonts_.clear();
        auto font = std::make_shared<TGdiObject<HFONT>>(CreateFontOf(Spec));
        fonts_.emplace_back(Spec, font);
        return font;
    }

private:
    static constexpr size_t kLimit = 64;
    std::mutex mutex_;
    std::vector<std::pair<TFontSpec, TSharedFont>> fonts_;
};

TFontCache& Fonts()
{
    static TFontCache cache;
    return cache;
}

bool IsHighSurrogate(char16_t C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLowSurrogate(char16_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

RECT ToRECT(const TRect& R) { return RECT{R.Left, R.Top, R.Right, R.Bottom}; }

}  // namespace

GdiSurface::GdiSurface(HDC Dc) : dc_(Dc), saved_(Dc)
{
    if (!dc_)
        return;
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(dc_, clip) == 1)
        originalClip_.reset(clip);
    else
        DeleteObject(clip);
    // Lines and rectangles take their colour from the DC's own pen and brush.
    SelectObject(dc_, GetStockObject(DC_PEN));
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetFont(TFontSpec{});
}

GdiSurface::GdiSurface(TCanvas& Canvas) : GdiSurface(Canvas.Handle())
{
    SetFont(Canvas.Font()->Spec());
}

GdiSurface::~GdiSurface() = default;

void GdiSurface::SetFont(const TFontSpec& Font)
{
    spec_ = Font;
    if (!dc_)
        return;
    TSharedFont font = Fonts().Get(Font);
    if (font->get())
        SelectObject(dc_, font->get());
    // The previous font is released only now that the DC no longer has it selected.
    font_ = std::move(font);
}

TFontMetrics GdiSurface::FontMetrics()
{
    TEXTMETRICW tm{};
    if (!dc_ || !GetTextMetricsW(dc_, &tm))
        return {};
    return TFontMetrics{tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmAveCharWidth, tm.tmMaxCharWidth};
}

TSize GdiSurface::TextExtent(std::u16string_view Text)
{
    SIZE size{};
    if (dc_ && !Text.empty())
        GetTextExtentPoint32W(dc_, WideData(Text), static_cast<int>(Text.size()), &size);
    if (Text.empty())
        size.cy = FontMetrics().Height;
    return {size.cx, size.cy};
}

void GdiSurface::TextEnds(std::u16string_view Text, std::vector<int32_t>& Ends)
{
    Ends.assign(Text.size(), 0);
    if (!dc_ || Text.empty())
        return;
    std::vector<INT> ends(Text.size());
    SIZE size{};
    if (!GetTextExtentExPointW(dc_, WideData(Text), static_cast<int>(Text.size()), 0, nullptr, ends.data(), &size))
        return;
    std::copy(ends.begin(), ends.end(), Ends.begin());
    // A surrogate pair is one glyph: it is whole at its high half, and the low half adds
    // nothing of its own.
    for (size_t i = 0; i + 1 < Text.size(); ++i)
        if (IsHighSurrogate(Text[i]) && IsLowSurrogate(Text[i + 1]))
            Ends[i] = Ends[i + 1];
}

void GdiSurface::FillRect(const TRect& R, TColor Color)
{
    if (!dc_ || Color == clNone)
        return;
    SetDCBrushColor(dc_, ColorToRGB(Color));
    const RECT r = ToRECT(R);
    ::FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiSurface::FrameRect(const TRect& R, TColor Color)
{
    if (!dc_ || Color == clNone)
        return;
    SetDCBrushColor(dc_, ColorToRGB(Color));
    const RECT r = ToRECT(R);
    ::FrameRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiSurface::Line(TPoint A, TPoint B, TColor Color)
{
    if (!dc_ || Color == clNone)
        return;
    SetDCPenColor(dc_, ColorToRGB(Color));
    MoveToEx(dc_, A.X, A.Y, nullptr);
    LineTo(dc_, B.X, B.Y);
}

void GdiSurface::DrawText(int32_t X, int32_t Y, std::u16string_view Text, TColor Background)
{
    if (!dc_)
        return;
    SetTextColor(dc_, ColorToRGB(spec_.Color));
    const int count = static_cast<int>(Text.size());
    if (Background == clNone) {
        SetBkMode(dc_, TRANSPARENT);
        ExtTextOutW(dc_, X, Y, 0, nullptr, WideData(Text), count, nullptr);
        return;
    }
    const TSize cell = TextExtent(Text);
    const RECT r = ToRECT(Bounds(X, Y, cell.cx, cell.cy));
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, ColorToRGB(Background));
    ExtTextOutW(dc_, X, Y, ETO_OPAQUE, &r, WideData(Text), count, nullptr);
}

void GdiSurface::ApplyClip()
{
    SelectClipRgn(dc_, originalClip_.get());
    if (!clips_.empty()) {
        const TRect& r = clips_.back();
        IntersectClipRect(dc_, r.Left, r.Top, r.Right, r.Bottom);
    }
}

void GdiSurface::PushClip(const TRect& R)
{
    TRect r = R;
    if (!clips_.empty()) {
        const TRect& below = clips_.back();
        r = TRect{std::max(r.Left, below.Left), std::max(r.Top, below.Top), std::min(r.Right, below.Right),
                  std::min(r.Bottom, below.Bottom)};
    }
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    clips_.push_back(r);
    if (dc_)
        ApplyClip();
}

void GdiSurface::PopClip()
{
    if (clips_.empty())
        return;
    clips_.pop_back();
    if (dc_)
        ApplyClip();
}

TRect GdiSurface::ClipBounds() const
{
    RECT r{};
    if (!dc_ || GetClipBox(dc_, &r) == ERROR)
        return {};
    return {r.left, r.top, r.right, r.bottom};
}
