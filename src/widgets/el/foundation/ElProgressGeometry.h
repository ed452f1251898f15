// Geometry of the two-value progress bar, portable: how much of the bar a value fills, the
// blocks a classic bar is drawn in, where the marquee block is and how it moves, and where each
// bar lies in the control.
//
// Lengths run along the bar from its near end: the left of a horizontal bar, the bottom of a
// vertical one.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <vector>

enum TElProgrOrientation : uint8_t { poHorizontal, poVertical };
enum TProgrShowMode : uint8_t { psmAllFull, psmLightHalf, psmDarkHalf, psmAllHalf };

// A stretch of the bar, [Start, End) pixels from the near end.
struct TElProgressSpan {
    int32_t Start = 0;
    int32_t End = 0;
    bool Empty() const { return End <= Start; }
    int32_t Length() const { return End > Start ? End - Start : 0; }
    friend bool operator==(const TElProgressSpan&, const TElProgressSpan&) = default;
};

// Classic blocks: 8 pixels of colour, then a gap of 2.
constexpr int32_t ElProgressBlock = 8;
constexpr int32_t ElProgressGap = 2;
constexpr int32_t ElProgressStep = ElProgressBlock + ElProgressGap;

struct TElProgressFill {
    TElProgressSpan Span;
    // In infinite mode every other pass grows from the far end.
    bool FromFarEnd = false;
};

// What a value fills of a bar BarLength pixels long. Nothing unless Scale > MinValue and the bar
// has a length. The length is (Value - MinValue) * BarLength / (Scale - MinValue), rounded as the
// system's MulDiv rounds, never below 0. Outside InfiniteMode it stops at the bar's end; in
// InfiniteMode it wraps round the bar (pass = length / BarLength; odd passes grow from the far
// end) and, when RoundToSteps, is rounded down to whole Steps.
TElProgressFill ProgressFill(int32_t MinValue, int32_t Scale, int32_t Value, int32_t BarLength, bool InfiniteMode,
                             int32_t Step, bool RoundToSteps);

// The classic blocks of a fill: from the end it grows from, 8 pixels each with 2-pixel gaps,
// the last one cut at the fill's end.
std::vector<TElProgressSpan> ProgressBlocks(const TElProgressFill& Fill);

// The marquee block: MarqueeSize per cent of ControlLength long, its far edge at Position of
// Scale along the bar, clipped to the bar. Empty when Scale <= 0 or the bar has no length.
TElProgressSpan MarqueeSpan(int32_t Position, int32_t Scale, int32_t MarqueeSize, int32_t ControlLength,
                            int32_t BarLength);

// The marquee's motion in value units: one unit per tick, forward up to Scale, back down to
// MarqueeSize per cent of Scale, turning at both ends.
class TElMarqueeMotion {
public:
    void Start(int32_t MarqueeSize, int32_t Scale);
    void Tick(int32_t MarqueeSize, int32_t Scale);
    int32_t Position = 0;
    bool Forward = true;
};

// Which part of the bar area across its thickness a bar takes: the dark bar the lower (or left)
// half when its half is chosen, the light bar the upper (or right) half.
enum class TElProgressBarKind { Dark, Light };
bool ProgressBarIsHalf(TProgrShowMode Mode, TElProgressBarKind Kind);

// The rectangle of a span of one bar inside Area.
TRect ProgressSpanRect(const TRect& Area, TElProgrOrientation Orientation, const TElProgressSpan& Span,
                       TElProgressBarKind Kind, bool Half);
// The bar's length inside Area: its width (horizontal) or height (vertical).
int32_t ProgressBarLength(const TRect& Area, TElProgrOrientation Orientation);
