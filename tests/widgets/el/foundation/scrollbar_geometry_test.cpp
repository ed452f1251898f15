// Scroll-bar range rules, layout, position mapping and hit testing (portable).
#include "widgets/el/foundation/ElSBGeometry.h"
#include "widgets/el/foundation/ElSBRange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

namespace {

TElSBMetrics Bar(int32_t Length, int32_t ButtonSize = 17)
{
    TElSBMetrics m;
    m.Length = Length;
    m.Thickness = 17;
    m.ButtonSize = ButtonSize;
    m.SystemThumbSize = 17;
    m.MinThumbSize = 12;
    return m;
}

TElSBRange Range(int32_t Min, int32_t Max, int32_t Page, int32_t Position)
{
    return TElSBRange{Min, Max, Page, Position};
}

TEST(ScrollBarLayout, ButtonsShrinkOnlyWhenTheyDoNotFit)
{
    const TElSBRange r = Range(0, 99, 10, 0);
    EXPECT_EQ(ComputeSBLayout(Bar(40), r, false).ButtonSize, 17);
    EXPECT_EQ(ComputeSBLayout(Bar(30), r, false).ButtonSize, 15);
    TElSBMetrics four = Bar(50);
    four.SecondaryButtons = true;
    const TElSBLayout l = ComputeSBLayout(four, r, false);
    EXPECT_EQ(l.ButtonSize, 12);
    EXPECT_EQ(l.TrackStart(), 24);
    EXPECT_EQ(l.TrackEnd(), 26);
    // No buttons at all: the size is irrelevant and nothing is divided by zero.
    TElSBMetrics none = Bar(3);
    none.ShowFirstArrows = none.ShowLastArrows = false;
    const TElSBLayout n = ComputeSBLayout(none, r, false);
    EXPECT_EQ(n.ButtonSize, 0);
    EXPECT_EQ(n.Track(), 3);
}

TEST(ScrollBarLayout, ThumbFollowsThePageAndKeepsItsMinimum)
{
    const TElSBRange r = Range(0, 99, 10, 0);
    EXPECT_EQ(ComputeSBLayout(Bar(200), r, false).ThumbLength, 17);  // MulDiv(166, 10, 100) rounds up
    EXPECT_EQ(ComputeSBLayout(Bar(100), r, false).ThumbLength, 12);  // 7 raised to the minimum
    EXPECT_EQ(ComputeSBLayout(Bar(46), r, false).ThumbLength, 12);   // track 12: fits exactly
    EXPECT_EQ(ComputeSBLayout(Bar(45), r, false).ThumbLength, 0);    // 12 exceeds a track of 11
    EXPECT_EQ(ComputeSBLayout(Bar(200), Range(0, 99, 0, 0), false).ThumbLength, 17);    // no page: system thumb
    EXPECT_EQ(ComputeSBLayout(Bar(200), Range(0, 99, 100, 0), false).ThumbLength, 166);  // page covers all
    EXPECT_EQ(ComputeSBLayout(Bar(200), Range(0, -1, 14, -1), false).ThumbLength, 166);  // no range yet
    TElSBMetrics fixed = Bar(60);
    fixed.ThumbMode = etmFixed;
    fixed.FixedThumbSize = 20;
    EXPECT_EQ(ComputeSBLayout(fixed, r, false).ThumbLength, 20);
    fixed.Length = 50;  // track 16: a thumb larger than the track is not shown
    EXPECT_EQ(ComputeSBLayout(fixed, r, false).ThumbLength, 0);
}

TEST(ScrollBarLayout, ZeroAndTinyBars)
{
    const TElSBRange r = Range(0, 99, 10, 50);
    auto hit = [&](int32_t length, int32_t along) {
        const TElSBMetrics m = Bar(length);
        const TElSBLayout l = ComputeSBLayout(m, r, false);
        EXPECT_EQ(l.ThumbLength, 0);
        return HitTestSB(l, m, PositionToThumbOffset(l, r), along, 5);
    };
    EXPECT_EQ(hit(0, -1), sbpNowhere);
    EXPECT_EQ(hit(0, 0), sbpNowhere);
    EXPECT_EQ(hit(1, 0), sbpNowhere);  // no button fits, and there is no thumb
    EXPECT_EQ(hit(2, 0), sbpFirstArrow);
    EXPECT_EQ(hit(2, 1), sbpLastArrow);
    EXPECT_EQ(hit(2, 2), sbpNowhere);
    TElSBMetrics flat = Bar(100);
    flat.Thickness = 0;
    const TElSBLayout l = ComputeSBLayout(flat, r, false);
    EXPECT_EQ(HitTestSB(l, flat, 17, 50, 0), sbpNowhere);
}

// Every pixel of the bar hits the part painted over it, including the first pixel of the last
// arrow, for all combinations of buttons, lengths down to 0 and thumb positions.
TEST(ScrollBarLayout, EveryPixelHitsThePartPaintedThere)
{
    const TElSBPart parts[] = {sbpFirstArrow, sbpSecondaryLast, sbpLastArrow, sbpSecondaryFirst,
                               sbpThumb,      sbpPageBefore,    sbpPageAfter};
    for (int flags = 0; flags < 8; ++flags)
        for (int32_t length = 0; length <= 90; length += 3)
            for (int32_t position : {0, 37, 90}) {
                TElSBMetrics m = Bar(length);
                m.ShowFirstArrows = flags & 1;
                m.ShowLastArrows = flags & 2;
                m.SecondaryButtons = flags & 4;
                const TElSBRange r = Range(0, 99, 10, position);
                const TElSBLayout l = ComputeSBLayout(m, r, true);
                const int32_t offset = PositionToThumbOffset(l, r);
                for (int32_t a = 0; a < length; ++a) {
                    TElSBPart painted = sbpNowhere;
                    for (TElSBPart p : parts)
                        if (SBPartRect(l, m, offset, p).Contains(TPoint{3, a}))
                            painted = p;
                    ASSERT_EQ(HitTestSB(l, m, offset, a, 3), painted)
                        << "flags " << flags << " length " << length << " pos " << position << " at " << a;
                }
            }
}

TEST(ScrollBarLayout, PositionAndOffsetMapOntoEachOther)
{
    const TElSBRange r = Range(0, 99, 10, 0);
    const TElSBLayout l = ComputeSBLayout(Bar(200), r, false);  // track 17..183, thumb 17, travel 149
    EXPECT_EQ(PositionToThumbOffset(l, Range(0, 99, 10, 0)), 17);
    EXPECT_EQ(PositionToThumbOffset(l, Range(0, 99, 10, 90)), 17 + 149);
    EXPECT_EQ(PositionToThumbOffset(l, Range(0, 99, 10, 99)), 17 + 149);  // beyond the last page position
    EXPECT_EQ(ThumbOffsetToPosition(l, r, 17 + 149), 90);
    EXPECT_EQ(ThumbOffsetToPosition(l, r, 500), 90);
    EXPECT_EQ(ThumbOffsetToPosition(l, r, -50), 0);
    // A thumb that fills the track cannot travel: the position is Min, never Min - 1.
    const TElSBRange small = Range(5, 104, 10, 50);
    TElSBMetrics fixed = Bar(200);
    fixed.ThumbMode = etmFixed;
    fixed.FixedThumbSize = 166;
    EXPECT_EQ(ThumbOffsetToPosition(ComputeSBLayout(fixed, small, false), small, 17), 5);
    // Without a page every position up to Max is reachable.
    EXPECT_EQ(ThumbOffsetToPosition(ComputeSBLayout(Bar(200), Range(0, 99, 0, 0), false), Range(0, 99, 0, 0), 183),
              99);
}

// Random ranges up to the extremes of Integer: no overflow (checked by the sanitizers), results
// always inside the range and the track, and each round trip off by at most one step of the
// coarser scale (a position, or a pixel).
TEST(ScrollBarLayout, MappingHoldsOverExtremeRanges)
{
    std::mt19937 rng(1234);
    const int32_t edges[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, 99, INT_MAX - 1, INT_MAX};
    auto pick = [&]() -> int32_t {
        if (rng() % 3 == 0)
            return edges[rng() % 8];
        return static_cast<int32_t>(rng());
    };
    for (int i = 0; i < 4000; ++i) {
        int32_t a = pick(), b = pick();
        if (a > b)
            std::swap(a, b);
        const int32_t page = static_cast<int32_t>(rng() % 4 == 0 ? pick() & 0x7FFFFFFF : rng() % 1000);
        TElSBRange r = Range(a, b, page, pick());
        r.Position = r.Clamp(r.Position);
        const TElSBMetrics m = Bar(static_cast<int32_t>(rng() % 600));
        const TElSBLayout l = ComputeSBLayout(m, r, false);
        const int32_t offset = PositionToThumbOffset(l, r);
        ASSERT_GE(offset, l.TrackStart());
        ASSERT_LE(offset, l.TrackStart() + std::max(0, l.Travel()));
        const int32_t back = ThumbOffsetToPosition(l, r, offset);
        ASSERT_GE(back, r.Min);
        ASSERT_LE(back, r.MaxPosition());
        if (l.ThumbLength == 0 || l.Travel() <= 0 || r.Span() <= 0)
            continue;
        const int64_t unitsPerPixel = (r.Span() + l.Travel() - 1) / l.Travel();
        ASSERT_LE(std::llabs(static_cast<int64_t>(back) - r.Position), std::max<int64_t>(1, unitsPerPixel));
        const int32_t anyOffset = l.TrackStart() + static_cast<int32_t>(rng() % (l.Travel() + 1));
        TElSBRange atOffset = r;
        atOffset.Position = ThumbOffsetToPosition(l, r, anyOffset);
        const int64_t pixelsPerUnit = (l.Travel() + r.Span() - 1) / r.Span();
        ASSERT_LE(std::abs(PositionToThumbOffset(l, atOffset) - anyOffset), std::max<int64_t>(1, pixelsPerUnit));
    }
}

TEST(ScrollBarRange, SetScrollInfoClampsAsTheSystemDoes)
{
    TElSBRange r;
    TElScrollInfo info;
    info.fMask = ESIF_RANGE | ESIF_PAGE | ESIF_POS;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 95;
    ASSERT_TRUE(ApplyScrollInfo(r, info));
    EXPECT_EQ(r.Position, 90);  // Max - Page + 1, not Max
    info.fMask = ESIF_POS;
    info.nPos = 500;
    ApplyScrollInfo(r, info);
    EXPECT_EQ(r.Position, 90);  // stored clamped, not ignored
    info.nPos = -5;
    ApplyScrollInfo(r, info);
    EXPECT_EQ(r.Position, 0);
    info.fMask = ESIF_PAGE;
    info.nPage = 500;
    ApplyScrollInfo(r, info);
    EXPECT_EQ(r.Page, 100);  // at most the range
    info.fMask = ESIF_RANGE;
    info.nMin = 10;
    info.nMax = 5;  // reversed: ignored
    ApplyScrollInfo(r, info);
    EXPECT_EQ(r.Min, 0);
    EXPECT_EQ(r.Max, 99);
    info.nMin = INT_MIN;
    info.nMax = INT_MAX;  // wider than the system accepts
    ApplyScrollInfo(r, info);
    EXPECT_EQ(r.Max, 99);
    info.fMask = ESIF_ALL;
    info.cbSize = 24;  // shorter than SCROLLINFO: ignored
    info.nMin = 0;
    info.nMax = 9;
    EXPECT_FALSE(ApplyScrollInfo(r, info));
    EXPECT_EQ(r.Max, 99);
}

TEST(ScrollBarRange, VisibilityFollowsWhatThereIsToScroll)
{
    EXPECT_EQ(ShownAfterScrollInfo(Range(0, 0, 0, 0), ESIF_RANGE), false);
    EXPECT_EQ(ShownAfterScrollInfo(Range(0, 9, 10, 0), ESIF_RANGE | ESIF_PAGE), false);
    EXPECT_EQ(ShownAfterScrollInfo(Range(0, 10, 10, 0), ESIF_RANGE | ESIF_PAGE), true);
    EXPECT_EQ(ShownAfterScrollInfo(Range(10, 20, 15, 10), ESIF_PAGE), false);  // the page covers all 11 positions
    EXPECT_EQ(ShownAfterScrollInfo(Range(0, 0, 0, 0), ESIF_RANGE | ESIF_DISABLENOSCROLL), true);
    EXPECT_EQ(ShownAfterScrollInfo(Range(0, 0, 0, 0), ESIF_POS), std::nullopt);
    const TElSBRange r = Range(0, 99, 10, 90);
    EXPECT_TRUE(r.CanScrollBack());
    EXPECT_FALSE(r.CanScrollForward());
}

TEST(ScrollBarLayout, TrackHintStaysOnTheDesktop)
{
    const TRect desktop{0, 0, 800, 600};
    EXPECT_EQ(PlaceTrackHint(false, {100, 300}, {40, -5}, {60, 20}, desktop), (TPoint{140, 275}));
    EXPECT_EQ(PlaceTrackHint(true, {100, 300}, {-2, 40}, {60, 20}, desktop), (TPoint{38, 340}));
    EXPECT_EQ(PlaceTrackHint(true, {10, 590}, {-2, 40}, {60, 20}, desktop), (TPoint{0, 580}));
    EXPECT_EQ(PlaceTrackHint(false, {780, 5}, {40, -5}, {60, 20}, desktop), (TPoint{740, 0}));
}

}  // namespace
