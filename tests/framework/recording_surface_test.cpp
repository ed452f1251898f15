// The recording surface that native layout and painting tests measure and draw on: its
// fixed-pitch metrics and its clip stack.
#include "framework/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordingSurface, MeasuresWithItsFixedPitchFont)
{
    RecordingSurface s(7);
    TFontSpec font;
    font.Height = -13;
    s.SetFont(font);
    const TFontMetrics m = s.FontMetrics();
    EXPECT_EQ(m.Height, 16);
    EXPECT_EQ(m.Descent, 4);
    EXPECT_EQ(m.Ascent + m.Descent, m.Height);
    EXPECT_EQ(m.AveCharWidth, 7);
    EXPECT_EQ(m.MaxCharWidth, 7);
    EXPECT_EQ(s.TextExtent(u"abc\t"), (TSize{28, 16}));
    EXPECT_EQ(s.TextExtent(u""), (TSize{0, 16}));

    // A surrogate pair is one character wide, all of it at its high half.
    std::vector<int32_t> ends;
    s.TextEnds(u"a\U0001D11Eb\U00010000\U0010FFFF", ends);
    EXPECT_EQ(ends, (std::vector<int32_t>{7, 14, 14, 21, 28, 28, 35, 35}));

    font.Style = fsBold;
    font.Height = 20;  // a cell height
    s.SetFont(font);
    EXPECT_EQ(s.FontMetrics().Height, 20);
    EXPECT_EQ(s.FontMetrics().MaxCharWidth, 8);
    EXPECT_EQ(s.TextExtent(u"ab").cx, 16);
    font.Height = 0;
    s.SetFont(font);
    EXPECT_EQ(s.FontMetrics().Height, 1);
}

TEST(RecordingSurface, ClipsNestRecordAndNeverPopItsBounds)
{
    RecordingSurface s(8, {0, 0, 100, 50});
    s.PushClip({10, 10, 60, 60});
    s.PushClip({50, 0, 90, 30});
    EXPECT_EQ(s.ClipBounds(), (TRect{50, 10, 60, 30}));
    s.FillRect({0, 0, 5, 5}, clRed);
    s.FrameRect({1, 2, 3, 4}, clBlue);
    s.PushClip({70, 40, 80, 45});  // disjoint: an empty clip
    EXPECT_TRUE(s.ClipBounds().IsEmpty());
    s.PopClip();
    s.PopClip();
    s.DrawText(1, 2, u"hi", clWhite);
    s.PopClip();
    s.PopClip();  // one too many: the bounds stay
    EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 100, 50}));

    const auto& calls = s.Calls();
    ASSERT_EQ(calls.size(), 10u);
    EXPECT_EQ(calls[0].Kind, RecordingSurface::Op::PushClip);
    EXPECT_EQ(calls[0].Rect, (TRect{10, 10, 60, 60}));
    EXPECT_EQ(calls[2].Kind, RecordingSurface::Op::Fill);
    EXPECT_EQ(calls[2].Clip, (TRect{50, 10, 60, 30}));
    EXPECT_EQ(calls[3].Kind, RecordingSurface::Op::Frame);
    EXPECT_EQ(calls[3].Rect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(calls[3].Color, clBlue);
    EXPECT_EQ(calls[7].Kind, RecordingSurface::Op::Text);
    EXPECT_EQ(calls[7].Clip, (TRect{10, 10, 60, 50}));
    EXPECT_EQ(calls[7].Rect, (TRect{1, 2, 17, 16}));
    EXPECT_EQ(calls[7].Background, clWhite);
    EXPECT_EQ(s.Texts(), (std::vector<std::u16string>{u"hi"}));
}

}  // namespace
