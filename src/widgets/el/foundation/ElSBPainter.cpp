#include "widgets/el/foundation/ElSBPainter.h"

#include "widgets/el/foundation/ElColorMath.h"

#include <algorithm>

namespace {

TColor ShiftLightness(TColor Resolved, bool Lighter)
{
    const uint32_t hls = RGBToHLS(Resolved);
    const int32_t h = hls & 0xFF, l = (hls >> 8) & 0xFF, s = (hls >> 16) & 0xFF;
    const int32_t shifted = Lighter ? std::min(HLSMAX, l + l / 4) : l - l / 4;
    return HLSToColor(MakeHLS(h, shifted, s));
}

class ClassicPaint {
public:
    ClassicPaint(const TElSBHandlerCustom& Bar, const TElSBPaintPart& Part, IDrawSurface& Surface)
        : bar_(Bar), part_(Part), s_(Surface), st_(Bar.Styles()), host_(Bar.Host())
    {
    }

    void Run()
    {
        switch (part_.Role) {
        case TElSBPaintRole::FirstArrow:
        case TElSBPaintRole::LastArrow:
        case TElSBPaintRole::SecondaryFirst:
        case TElSBPaintRole::SecondaryLast: Button(); break;
        case TElSBPaintRole::Thumb: Thumb(); break;
        case TElSBPaintRole::PageBefore:
        case TElSBPaintRole::PageAfter: Background(part_.Rect, part_.Pressed); break;
        case TElSBPaintRole::DisabledTrack: Background(part_.Rect, false); break;
        }
    }

private:
    TColor Resolved(TColor C) const { return host_.ResolveColor(C); }

    // Flat bars draw their frames flat, except a hot part that can act while nothing is held.
    bool FlatLook() const { return st_.Flat && (st_.ActiveFlat || !(part_.Hot && part_.Enabled)); }

    void Frame(const TRect& R, bool Sunken)
    {
        const TElEdgeColors shades = ButtonShadesOf(st_.Color, Resolved(st_.Color));
        if (Sunken)
            DrawSBButtonFrame(s_, R, true, st_.ThinFrame, shades);
        else if (FlatLook())
            DrawBevelRing(s_, R, shades.Shadow, shades.Shadow);
        else
            DrawSBButtonFrame(s_, R, false, st_.ThinFrame, shades);
    }

    // Direction of DrawArrow's glyph (0 left, 1 up, 2 right, 3 down) pointing back or forward.
    int Direction(bool Forward) const
    {
        return bar_.Vertical() ? (Forward ? 3 : 1) : (Forward ? 2 : 0);
    }

    void Glyph(const TRect& R, int Dir)
    {
        TRect strokes[4];
        if (!ArrowGlyphStrokes(Dir, R, strokes))
            return;
        auto draw = [&](int32_t d, TColor color) {
            for (const TRect& k : strokes) {
                // A stroke is one pixel thick; a line along it covers it (LineTo excludes its end).
                const TPoint a{k.Left + d, k.Top + d};
                const TPoint b = k.Width() == 1 ? TPoint{a.X, k.Bottom + d} : TPoint{k.Right + d, a.Y};
                s_.Line(a, b, color);
            }
        };
        if (part_.Enabled) {
            draw(0, part_.Hot ? st_.ArrowHotTrackColor : st_.ArrowColor);
        } else {
            draw(1, clBtnHighlight);
            draw(0, clBtnShadow);
        }
    }

    void Button()
    {
        const TRect& r = part_.Rect;
        if (st_.DrawArrowFrames) {
            s_.FillRect(r, st_.Color);
            Frame(r, part_.Pressed);
        } else {
            Background(r, false);
        }
        const bool first = part_.Role == TElSBPaintRole::FirstArrow;
        const bool last = part_.Role == TElSBPaintRole::LastArrow;
        if (first || last) {
            Glyph(r, Direction(last));
            return;
        }
        // A secondary button shows the arrow opposite to its neighbour's, or, as a page button,
        // two arrows in the direction it pages; a custom one shows none.
        const bool nearFirst = part_.Role == TElSBPaintRole::SecondaryFirst;
        switch (st_.SecondBtnKind) {
        case sbkOpposite: Glyph(r, Direction(nearFirst)); break;
        case sbkPage: {
            const int dir = Direction(!nearFirst);
            const int32_t half = bar_.Vertical() ? r.Height() / 2 : r.Width() / 2;
            const TRect a = bar_.Vertical() ? TRect{r.Left, r.Top, r.Right, r.Top + half}
                                            : TRect{r.Left, r.Top, r.Left + half, r.Bottom};
            const TRect b = bar_.Vertical() ? TRect{r.Left, r.Top + half, r.Right, r.Bottom}
                                            : TRect{r.Left + half, r.Top, r.Right, r.Bottom};
            Glyph(a, dir);
            Glyph(b, dir);
            break;
        }
        default: break;
        }
    }

    void Thumb()
    {
        const TRect& r = part_.Rect;
        s_.FillRect(r, st_.Color);
        const bool sunken = part_.Pressed && !st_.NoSunkenThumb;
        if (st_.ShowBorder)
            Frame(r, sunken);
        GripLines(r, sunken);
    }

    // Four short lines across the thumb around its centre, when it is long and thick enough.
    void GripLines(const TRect& R, bool Sunken)
    {
        const bool vertical = bar_.Vertical();
        const int32_t length = vertical ? R.Height() : R.Width();
        const int32_t thickness = vertical ? R.Width() : R.Height();
        if (!st_.DrawBars || length <= 14)
            return;
        const int64_t inset = static_cast<int64_t>(st_.BarOffset) + (st_.ShowBorder ? 1 : 0);
        if (thickness < 2 * inset + 3)
            return;
        const int32_t centre = (vertical ? R.Top : R.Left) + length / 2 + (Sunken ? 1 : 0);
        const int32_t from = static_cast<int32_t>(inset), to = thickness - static_cast<int32_t>(inset);
        for (int32_t d : {-3, -1, 1, 3}) {
            const int32_t at = centre + d;
            if (vertical)
                s_.Line({R.Left + from, at}, {R.Left + to, at}, st_.BarColor);
            else
                s_.Line({at, R.Top + from}, {at, R.Top + to}, st_.BarColor);
        }
    }

    // The track background; a pressed page area darkens while ChangeColorsOnScroll is set.
    void Background(const TRect& R, bool Pressed)
    {
        const TColor color = st_.Color;
        if (Pressed && st_.ChangeColorsOnScroll) {
            s_.FillRect(R, SBDarkShade(color, Resolved(color)));
            return;
        }
        const bool systemIsFace = Resolved(clScrollBar) == Resolved(clBtnFace);
        if ((st_.BlendBackground && !st_.SystemBkColor) || (st_.SystemBkColor && systemIsFace)) {
            FillCheckerboard(s_, R, color, SBLightShade(color, Resolved(color)));
            return;
        }
        TColor themed = 0;
        if (host_.ThemeTrackColor(themed)) {
            s_.FillRect(R, themed);
            return;
        }
        s_.FillRect(R, st_.SystemBkColor ? clScrollBar : color);
    }

    const TElSBHandlerCustom& bar_;
    const TElSBPaintPart& part_;
    IDrawSurface& s_;
    const TElSBStyleData& st_;
    IElScrollBarHost& host_;
};

}  // namespace

TColor SBLightShade(TColor Color, TColor Resolved)
{
    return Color == clBtnFace ? clBtnHighlight : ShiftLightness(Resolved, true);
}

TColor SBDarkShade(TColor Color, TColor Resolved)
{
    return Color == clBtnFace ? clBtnShadow : ShiftLightness(Resolved, false);
}

void FillCheckerboard(IDrawSurface& Surface, const TRect& R, TColor Odd, TColor Even)
{
    if (R.IsEmpty())
        return;
    Surface.FillRect(R, Even);
    // The odd pixels lie on the diagonals x + y = k, k odd: one line each, from its top-right
    // end down to the left (a 45-degree line covers exactly the pixels of its diagonal).
    const int64_t first = static_cast<int64_t>(R.Left) + R.Top, last = static_cast<int64_t>(R.Right) + R.Bottom - 2;
    for (int64_t k = first + ((first & 1) ? 0 : 1); k <= last; k += 2) {
        const int64_t x0 = std::max<int64_t>(R.Left, k - (R.Bottom - 1));  // lowest x on the diagonal
        const int64_t x1 = std::min<int64_t>(R.Right - 1, k - R.Top);       // highest x
        const TPoint a{static_cast<int32_t>(x1), static_cast<int32_t>(k - x1)};
        const TPoint b{static_cast<int32_t>(x0 - 1), static_cast<int32_t>(k - x0 + 1)};
        Surface.Line(a, b, Odd);
    }
}

TRect DrawBevelRing(IDrawSurface& Surface, const TRect& R, TColor TopLeft, TColor BottomRight)
{
    if (R.IsEmpty())
        return R;
    Surface.Line({R.Left, R.Top}, {R.Right - 1, R.Top}, TopLeft);
    Surface.Line({R.Left, R.Top}, {R.Left, R.Bottom - 1}, TopLeft);
    Surface.Line({R.Right - 1, R.Top}, {R.Right - 1, R.Bottom}, BottomRight);
    Surface.Line({R.Left, R.Bottom - 1}, {R.Right, R.Bottom - 1}, BottomRight);
    return TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
}

void DrawSBButtonFrame(IDrawSurface& Surface, const TRect& R, bool Pressed, bool Thin, const TElEdgeColors& Colors)
{
    if (Thin) {
        DrawBevelRing(Surface, R, Pressed ? Colors.Shadow : Colors.Highlight, Pressed ? Colors.Highlight : Colors.Shadow);
        return;
    }
    if (Pressed) {
        const TRect inner = DrawBevelRing(Surface, R, Colors.Shadow, Colors.Highlight);
        DrawBevelRing(Surface, inner, Colors.DkShadow, Colors.Face);
    } else {
        const TRect inner = DrawBevelRing(Surface, R, Colors.Face, Colors.DkShadow);
        DrawBevelRing(Surface, inner, Colors.Highlight, Colors.Shadow);
    }
}

void TElSBClassicPainter::PaintPart(const TElSBHandlerCustom& Bar, const TElSBPaintPart& Part, IDrawSurface& Surface)
{
    ClassicPaint(Bar, Part, Surface).Run();
}
