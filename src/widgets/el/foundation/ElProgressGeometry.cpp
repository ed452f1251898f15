#include "widgets/el/foundation/ElProgressGeometry.h"

#include "framework/MathUtils.h"

#include <algorithm>

namespace {

// Number * Numerator / Denominator (Denominator > 0), rounded half away from zero, in 64 bits:
// value ranges near the ends of Integer must not overflow.
int64_t Scaled(int64_t Number, int64_t Numerator, int64_t Denominator)
{
    const int64_t p = Number * Numerator;
    const int64_t q = (p < 0 ? -p : p) + Denominator / 2;
    return (p < 0 ? -1 : 1) * (q / Denominator);
}

}  // namespace

TElProgressFill ProgressFill(int32_t MinValue, int32_t Scale, int32_t Value, int32_t BarLength, bool InfiniteMode,
                             int32_t Step, bool RoundToSteps)
{
    TElProgressFill fill;
    if (static_cast<int64_t>(Scale) <= MinValue || BarLength <= 0)
        return fill;
    int64_t length = Scaled(static_cast<int64_t>(Value) - MinValue, BarLength, static_cast<int64_t>(Scale) - MinValue);
    length = std::max<int64_t>(length, 0);
    if (!InfiniteMode) {
        fill.Span = {0, static_cast<int32_t>(std::min<int64_t>(length, BarLength))};
        return fill;
    }
    const int64_t pass = length / BarLength;
    length %= BarLength;
    if (RoundToSteps) {
        const int64_t step = std::max(1, Step);
        length -= length % step;
    }
    fill.FromFarEnd = (pass % 2) == 1;
    fill.Span = fill.FromFarEnd ? TElProgressSpan{static_cast<int32_t>(BarLength - length), BarLength}
                                : TElProgressSpan{0, static_cast<int32_t>(length)};
    return fill;
}

std::vector<TElProgressSpan> ProgressBlocks(const TElProgressFill& Fill)
{
    std::vector<TElProgressSpan> blocks;
    const int32_t length = Fill.Span.Length();
    for (int32_t at = 0; at < length; at += ElProgressStep) {
        const int32_t end = std::min(at + ElProgressBlock, length);
        if (Fill.FromFarEnd)
            blocks.push_back({Fill.Span.End - end, Fill.Span.End - at});
        else
            blocks.push_back({Fill.Span.Start + at, Fill.Span.Start + end});
    }
    return blocks;
}

TElProgressSpan MarqueeSpan(int32_t Position, int32_t Scale, int32_t MarqueeSize, int32_t ControlLength,
                            int32_t BarLength)
{
    if (Scale <= 0 || BarLength <= 0)
        return {};
    const int64_t size = std::max<int64_t>(0, Scaled(MarqueeSize, ControlLength, 100));
    const int64_t edge = Scaled(Position, BarLength, Scale);
    const int64_t start = std::clamp<int64_t>(edge - size, 0, BarLength);
    const int64_t end = std::clamp<int64_t>(edge, 0, BarLength);
    return {static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

void TElMarqueeMotion::Start(int32_t MarqueeSize, int32_t Scale)
{
    Position = std::max(0, PortableMulDiv(MarqueeSize, Scale, 100));
    Forward = true;
}

void TElMarqueeMotion::Tick(int32_t MarqueeSize, int32_t Scale)
{
    // One unit on; a step past the end lands on the end and turns (compared before stepping,
    // so that a range reaching the ends of Integer cannot overflow).
    if (Forward) {
        if (Position >= Scale) {
            Position = Scale;
            Forward = false;
        } else {
            ++Position;
        }
        return;
    }
    const int32_t low = PortableMulDiv(MarqueeSize, Scale, 100);
    if (Position <= low) {
        Position = low;
        Forward = true;
    } else {
        --Position;
    }
}

bool ProgressBarIsHalf(TProgrShowMode Mode, TElProgressBarKind Kind)
{
    if (Mode == psmAllHalf)
        return true;
    return Kind == TElProgressBarKind::Dark ? Mode == psmDarkHalf : Mode == psmLightHalf;
}

int32_t ProgressBarLength(const TRect& Area, TElProgrOrientation Orientation)
{
    return Orientation == poHorizontal ? Area.Width() : Area.Height();
}

TRect ProgressSpanRect(const TRect& Area, TElProgrOrientation Orientation, const TElProgressSpan& Span,
                       TElProgressBarKind Kind, bool Half)
{
    TRect r = Area;
    if (Orientation == poHorizontal) {
        r.Left = Area.Left + Span.Start;
        r.Right = Area.Left + Span.End;
        if (Half) {
            const int32_t middle = Area.Top + Area.Height() / 2;
            if (Kind == TElProgressBarKind::Dark)
                r.Top = middle;  // the lower half
            else
                r.Bottom = middle;
        }
    } else {
        r.Bottom = Area.Bottom - Span.Start;
        r.Top = Area.Bottom - Span.End;
        if (Half) {
            const int32_t middle = Area.Left + Area.Width() / 2;
            if (Kind == TElProgressBarKind::Dark)
                r.Right = middle;  // the left half
            else
                r.Left = middle;
        }
    }
    return r;
}
