#include "framework/RecordingSurface.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool IsLowSurrogate(char16_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

TRect Intersect(const TRect& A, const TRect& B)
{
    TRect r{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

}  // namespace

RecordingSurface::RecordingSurface(int32_t CharWidth, TRect Bounds) : charWidth_(CharWidth)
{
    clips_.push_back(Bounds);
}

TFontMetrics RecordingSurface::FontMetrics()
{
    int32_t height = font_.Height < 0 ? -font_.Height + 3 : std::max(font_.Height, 1);
    TFontMetrics m;
    m.Height = height;
    m.Descent = height / 4;
    m.Ascent = height - m.Descent;
    m.AveCharWidth = charWidth_;
    m.MaxCharWidth = charWidth_ + ((font_.Style & fsBold) ? 1 : 0);
    return m;
}

int32_t RecordingSurface::CharWidthOf(char16_t C) const
{
    if (IsLowSurrogate(C)) return 0;
    return charWidth_ + ((font_.Style & fsBold) ? 1 : 0);
}

TSize RecordingSurface::TextExtent(std::u16string_view Text)
{
    int32_t width = 0;
    for (char16_t c : Text) width += CharWidthOf(c);
    return {width, FontMetrics().Height};
}

void RecordingSurface::TextEnds(std::u16string_view Text, std::vector<int32_t>& Ends)
{
    Ends.resize(Text.size());
    int32_t width = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        width += CharWidthOf(Text[i]);
        Ends[i] = width;
    }
}

RecordingSurface::Call RecordingSurface::Base(Op Kind) const
{
    Call c{Kind, {}, {}, {}, 0, clNone, {}, {}, clips_.back()};
    return c;
}

void RecordingSurface::FillRect(const TRect& R, TColor Color)
{
    Call c = Base(Op::Fill);
    c.Rect = R;
    c.Color = Color;
    calls_.push_back(std::move(c));
}

void RecordingSurface::FrameRect(const TRect& R, TColor Color)
{
    Call c = Base(Op::Frame);
    c.Rect = R;
    c.Color = Color;
    calls_.push_back(std::move(c));
}

void RecordingSurface::Line(TPoint A, TPoint B, TColor Color)
{
    Call c = Base(Op::Line);
    c.From = A;
    c.To = B;
    c.Color = Color;
    calls_.push_back(std::move(c));
}

void RecordingSurface::DrawText(int32_t X, int32_t Y, std::u16string_view Text, TColor Background)
{
    Call c = Base(Op::Text);
    TSize size = TextExtent(Text);
    c.Rect = Bounds(X, Y, size.cx, size.cy);
    c.Color = font_.Color;
    c.Background = Background;
    c.Text = std::u16string(Text);
    c.Font = font_;
    calls_.push_back(std::move(c));
}

void RecordingSurface::PushClip(const TRect& R)
{
    Call c = Base(Op::PushClip);
    c.Rect = R;
    calls_.push_back(std::move(c));
    clips_.push_back(Intersect(clips_.back(), R));
}

void RecordingSurface::PopClip()
{
    // The bottom entry is the surface's own bounds and stays.
    if (clips_.size() > 1) clips_.pop_back();
    calls_.push_back(Base(Op::PopClip));
}

std::vector<std::u16string> RecordingSurface::Texts() const
{
    std::vector<std::u16string> texts;
    for (const Call& c : calls_)
        if (c.Kind == Op::Text) texts.push_back(c.Text);
    return texts;
}
