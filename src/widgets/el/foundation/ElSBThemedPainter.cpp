#include "widgets/el/foundation/ElSBThemedPainter.h"

#include "widgets/el/foundation/ElColorMath.h"
#include "widgets/el/foundation/ElDrawing.h"
#include "widgets/el/foundation/ElUxTheme.h"

#include "framework/GdiSurface.h"

#include <vssym32.h>

namespace {

// Offset of a piece's look within a part's run of four states (normal, hot, pressed, disabled).
int StateStep(const TElSBPaintPart& Piece)
{
    if (!Piece.Enabled)
        return 3;
    if (Piece.Pressed)
        return 2;
    return Piece.Hot ? 1 : 0;
}

struct ThemePart {
    int Part;
    int State;
};

// The arrow buttons' states come in runs of four per direction: up, down, left, right.
ThemePart Arrow(bool Vertical, bool Forward, const TElSBPaintPart& Piece)
{
    const int first = Vertical ? (Forward ? ABS_DOWNNORMAL : ABS_UPNORMAL) : (Forward ? ABS_RIGHTNORMAL : ABS_LEFTNORMAL);
    return {SBP_ARROWBTN, first + StateStep(Piece)};
}

ThemePart ThumbButton(bool Vertical, const TElSBPaintPart& Piece)
{
    return {Vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, SCRBS_NORMAL + StateStep(Piece)};
}

// The track before the thumb is the theme's upper track, the one after it the lower.
ThemePart Track(bool Vertical, bool BeforeThumb, const TElSBPaintPart& Piece)
{
    const int part = Vertical ? (BeforeThumb ? SBP_UPPERTRACKVERT : SBP_LOWERTRACKVERT)
                              : (BeforeThumb ? SBP_UPPERTRACKHORZ : SBP_LOWERTRACKHORZ);
    return {part, SCRBS_NORMAL + StateStep(Piece)};
}

class ThemedPaint {
public:
    ThemedPaint(const TElSBHandlerCustom& Bar, const TElSBPaintPart& Piece, HTHEME Theme, HDC Dc)
        : bar_(Bar), piece_(Piece), theme_(Theme), dc_(Dc), vertical_(Bar.Vertical())
    {
    }

    void Run()
    {
        switch (piece_.Role) {
        case TElSBPaintRole::FirstArrow: Draw(Arrow(vertical_, false, piece_)); break;
        case TElSBPaintRole::LastArrow: Draw(Arrow(vertical_, true, piece_)); break;
        case TElSBPaintRole::SecondaryFirst: Secondary(true); break;
        case TElSBPaintRole::SecondaryLast: Secondary(false); break;
        case TElSBPaintRole::PageBefore: Draw(Track(vertical_, true, piece_)); break;
        case TElSBPaintRole::PageAfter: Draw(Track(vertical_, false, piece_)); break;
        case TElSBPaintRole::Thumb: Thumb(); break;
        case TElSBPaintRole::DisabledTrack: Draw(Track(vertical_, false, piece_)); break;
        }
    }

private:
    void Draw(ThemePart P, const TRect* Where = nullptr)
    {
        const TRect& r = Where ? *Where : piece_.Rect;
        const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
        ElUxTheme().DrawThemeBackground(theme_, dc_, P.Part, P.State, rect);
    }

    // The secondary button beside the first arrow acts forward when it is the opposite arrow,
    // and pages back as a page button; beside the last arrow the other way round.
    void Secondary(bool NearFirst)
    {
        const TElSBStyleData& st = bar_.Styles();
        if (st.SecondBtnKind == sbkOpposite) {
            Draw(Arrow(vertical_, NearFirst, piece_));
            return;
        }
        Draw(ThumbButton(vertical_, piece_));
        if (st.SecondBtnKind != sbkPage)
            return;
        const bool forward = !NearFirst;
        const int dir = vertical_ ? (forward ? 3 : 1) : (forward ? 2 : 0);
        const TRect& r = piece_.Rect;
        const int32_t half = vertical_ ? r.Height() / 2 : r.Width() / 2;
        const TRect a = vertical_ ? TRect{r.Left, r.Top, r.Right, r.Top + half} : TRect{r.Left, r.Top, r.Left + half, r.Bottom};
        const TRect b = vertical_ ? TRect{r.Left, r.Top + half, r.Right, r.Bottom}
                                  : TRect{r.Left + half, r.Top, r.Right, r.Bottom};
        const TColor color = piece_.Enabled ? st.ArrowColor : clGrayText;
        for (const TRect& glyphRect : {a, b}) {
            TRect strokes[4];
            if (ArrowGlyphStrokes(dir, glyphRect, strokes))
                for (const TRect& s : strokes)
                    FillSolidRect(dc_, s, color);
        }
    }

    void Thumb()
    {
        const ThemePart thumb = ThumbButton(vertical_, piece_);
        Draw(thumb);
        if (!bar_.Styles().DrawBars)
            return;
        const RECT bounds{piece_.Rect.Left, piece_.Rect.Top, piece_.Rect.Right, piece_.Rect.Bottom};
        RECT content = bounds;
        ElUxTheme().GetThemeBackgroundContentRect(theme_, dc_, thumb.Part, thumb.State, bounds, content);
        const TRect inner{content.left, content.top, content.right, content.bottom};
        Draw({vertical_ ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, thumb.State}, &inner);
    }

    const TElSBHandlerCustom& bar_;
    const TElSBPaintPart& piece_;
    HTHEME theme_;
    HDC dc_;
    bool vertical_;
};

}  // namespace

void TElSBThemedPainter::PaintPart(const TElSBHandlerCustom& Bar, const TElSBPaintPart& Part, IDrawSurface& Surface)
{
    const HTHEME theme = theme_ ? theme_() : nullptr;
    auto* gdi = dynamic_cast<GdiSurface*>(&Surface);
    if (!theme || !gdi || !gdi->Handle() || !Bar.Host().Themed(Bar)) {
        classic_.PaintPart(Bar, Part, Surface);
        return;
    }
    ThemedPaint(Bar, Part, theme, gdi->Handle()).Run();
}
