// Geometry of the two-value progress bar: fill lengths with their guards, classic blocks, the
// infinite mode's passes, the marquee block and its motion, and each bar's half.
#include "widgets/el/foundation/ElProgressGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

using Spans = std::vector<TElProgressSpan>;

TElProgressSpan Fill(int32_t Min, int32_t Scale, int32_t Value, int32_t Length)
{
    return ProgressFill(Min, Scale, Value, Length, false, 10, false).Span;
}

TEST(ProgressGeometry, AValueFillsItsShareOfTheBarAndNeverMore)
{
    EXPECT_EQ(Fill(0, 100, 15, 100), (TElProgressSpan{0, 15}));
    EXPECT_EQ(Fill(0, 100, 50, 21), (TElProgressSpan{0, 11}));  // 10.5 rounds up, as MulDiv does
    EXPECT_EQ(Fill(50, 150, 100, 200), (TElProgressSpan{0, 100}));
    // Below the minimum: nothing. Above the scale: the whole bar, not past its end.
    EXPECT_TRUE(Fill(10, 100, 5, 100).Empty());
    EXPECT_EQ(Fill(0, 100, 150, 100), (TElProgressSpan{0, 100}));
    // No range, or a reversed one, draws no bar at all.
    EXPECT_TRUE(Fill(100, 100, 100, 100).Empty());
    EXPECT_TRUE(Fill(100, 50, 0, 100).Empty());
    EXPECT_TRUE(Fill(100, 50, 75, 100).Empty());
    // A bar without length.
    EXPECT_TRUE(Fill(0, 100, 50, 0).Empty());
    EXPECT_TRUE(Fill(0, 100, 50, -4).Empty());
    // The ends of Integer do not overflow.
    EXPECT_EQ(Fill(INT_MIN, INT_MAX, INT_MAX, 100), (TElProgressSpan{0, 100}));
    EXPECT_EQ(Fill(INT_MIN, INT_MAX, 0, 100), (TElProgressSpan{0, 50}));
    EXPECT_TRUE(Fill(INT_MIN, INT_MAX, INT_MIN, 100).Empty());
}

TEST(ProgressGeometry, ClassicBlocksAreEightPixelsWithTwoPixelGaps)
{
    EXPECT_EQ(ProgressBlocks({{0, 15}}), (Spans{{0, 8}, {10, 15}}));
    EXPECT_EQ(ProgressBlocks({{0, 8}}), (Spans{{0, 8}}));
    EXPECT_EQ(ProgressBlocks({{0, 9}}), (Spans{{0, 8}}));  // the gap shows nothing
    EXPECT_EQ(ProgressBlocks({{0, 11}}), (Spans{{0, 8}, {10, 11}}));
    EXPECT_TRUE(ProgressBlocks({{0, 0}}).empty());
    // A fill from the far end lays its blocks from there.
    EXPECT_EQ(ProgressBlocks({{70, 100}, true}), (Spans{{92, 100}, {82, 90}, {72, 80}}));
}

TEST(ProgressGeometry, InfiniteModeWrapsRoundTheBarAndTurnsOnOddPasses)
{
    // 130 of a 100-pixel bar: the second pass, from the far end.
    TElProgressFill f = ProgressFill(0, 100, 130, 100, true, 10, true);
    EXPECT_TRUE(f.FromFarEnd);
    EXPECT_EQ(f.Span, (TElProgressSpan{70, 100}));
    // Third pass from the near end again; rounded down to whole steps unless told not to.
    f = ProgressFill(0, 100, 237, 100, true, 10, true);
    EXPECT_FALSE(f.FromFarEnd);
    EXPECT_EQ(f.Span, (TElProgressSpan{0, 30}));
    EXPECT_EQ(ProgressFill(0, 100, 237, 100, true, 10, false).Span, (TElProgressSpan{0, 37}));
    // A step of 0 (a theme that says so) rounds by single pixels; nothing divides by zero.
    EXPECT_EQ(ProgressFill(0, 100, 37, 100, true, 0, true).Span, (TElProgressSpan{0, 37}));
    EXPECT_TRUE(ProgressFill(0, 100, 37, 0, true, 10, true).Span.Empty());
    // Huge values keep wrapping without overflow.
    f = ProgressFill(INT_MIN, INT_MAX, INT_MAX, 7, true, 1, false);
    EXPECT_GE(f.Span.Start, 0);
    EXPECT_LE(f.Span.End, 7);
}

TEST(ProgressGeometry, TheMarqueeBlockEndsAtItsPositionAndSlidesBetweenTheEnds)
{
    // 20 % of a 100-pixel control; position 50 of 100 on a 100-pixel bar: [30, 50).
    EXPECT_EQ(MarqueeSpan(50, 100, 20, 100, 100), (TElProgressSpan{30, 50}));
    // The block is measured on the control, its edge on the bar (narrower by a frame).
    EXPECT_EQ(MarqueeSpan(100, 100, 20, 100, 98), (TElProgressSpan{78, 98}));
    // Clipped to the bar at its start.
    EXPECT_EQ(MarqueeSpan(10, 100, 20, 100, 100), (TElProgressSpan{0, 10}));
    EXPECT_TRUE(MarqueeSpan(50, 0, 20, 100, 100).Empty());
    EXPECT_TRUE(MarqueeSpan(50, -5, 20, 100, 100).Empty());
    EXPECT_TRUE(MarqueeSpan(50, 100, 20, 100, 0).Empty());

    TElMarqueeMotion m;
    m.Start(20, 10);  // from 2 up to 10, then back
    std::vector<int32_t> seen{m.Position};
    for (int i = 0; i < 20; ++i) {
        m.Tick(20, 10);
        seen.push_back(m.Position);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 9, 8, 7, 6, 5, 4, 3, 2, 2, 3, 4}));
    // The top of Integer is reached and turned at without overflow.
    TElMarqueeMotion top;
    top.Position = INT_MAX - 1;
    top.Tick(20, INT_MAX);
    top.Tick(20, INT_MAX);
    EXPECT_EQ(top.Position, INT_MAX);
    EXPECT_FALSE(top.Forward);
}

TEST(ProgressGeometry, EachBarTakesItsHalfWhenTheShowModeSaysSo)
{
    EXPECT_FALSE(ProgressBarIsHalf(psmAllFull, TElProgressBarKind::Dark));
    EXPECT_TRUE(ProgressBarIsHalf(psmDarkHalf, TElProgressBarKind::Dark));
    EXPECT_FALSE(ProgressBarIsHalf(psmDarkHalf, TElProgressBarKind::Light));
    EXPECT_TRUE(ProgressBarIsHalf(psmLightHalf, TElProgressBarKind::Light));
    EXPECT_TRUE(ProgressBarIsHalf(psmAllHalf, TElProgressBarKind::Light));

    const TRect area{1, 1, 99, 21};
    const TElProgressSpan s{0, 30};
    EXPECT_EQ(ProgressSpanRect(area, poHorizontal, s, TElProgressBarKind::Dark, false), (TRect{1, 1, 31, 21}));
    EXPECT_EQ(ProgressSpanRect(area, poHorizontal, s, TElProgressBarKind::Dark, true), (TRect{1, 11, 31, 21}));
    EXPECT_EQ(ProgressSpanRect(area, poHorizontal, s, TElProgressBarKind::Light, true), (TRect{1, 1, 31, 11}));
    // Vertical bars grow from the bottom; halves are left (dark) and right (light).
    const TRect tall{0, 0, 20, 100};
    EXPECT_EQ(ProgressSpanRect(tall, poVertical, s, TElProgressBarKind::Light, false), (TRect{0, 70, 20, 100}));
    EXPECT_EQ(ProgressSpanRect(tall, poVertical, s, TElProgressBarKind::Dark, true), (TRect{0, 70, 10, 100}));
    EXPECT_EQ(ProgressSpanRect(tall, poVertical, s, TElProgressBarKind::Light, true), (TRect{10, 70, 20, 100}));
    EXPECT_EQ(ProgressBarLength(tall, poVertical), 100);
}

}  // namespace
