// The portable rules of the buttons: down state, glyph images, disabled glyphs, layout.
#include "widgets/el/menus/ElButtonsCore.h"

#include <gtest/gtest.h>

namespace {

TEST(ElButtonRules, DownFollowsGroupAndAllUp)
{
    // A lone button that does not allow all-up is a push button: never down.
    EXPECT_FALSE(ElCanSetDown(true, 0, false));
    EXPECT_TRUE(ElCanSetDown(true, 0, true));
    EXPECT_TRUE(ElCanSetDown(true, 3, false));
    // A group's down button stays down unless the group allows all up.
    EXPECT_FALSE(ElCanSetDown(false, 3, false));
    EXPECT_TRUE(ElCanSetDown(false, 3, true));
    EXPECT_TRUE(ElCanSetDown(false, 0, false));

    // Clicks: a group button goes down and stays down; with all-up it toggles.
    EXPECT_TRUE(ElDownAfterClick(false, 2, false, false));
    EXPECT_TRUE(ElDownAfterClick(true, 2, false, false));
    EXPECT_FALSE(ElDownAfterClick(true, 2, true, false));
    // A switch toggles where the rules let it.
    EXPECT_TRUE(ElDownAfterClick(false, 0, true, true));
    EXPECT_FALSE(ElDownAfterClick(true, 0, true, true));
    EXPECT_TRUE(ElDownAfterClick(true, 5, false, true));   // its group keeps one down
    EXPECT_FALSE(ElDownAfterClick(false, 0, false, true));  // nowhere to stay down
    // A plain button keeps its state.
    EXPECT_FALSE(ElDownAfterClick(false, 0, false, false));
}

TEST(ElButtonRules, GlyphImageByStateAndCount)
{
    using S = TElGlyphState;
    EXPECT_EQ(ElClampNumGlyphs(0), 1);
    EXPECT_EQ(ElClampNumGlyphs(9), 4);
    // One image: disabled is greyed from it (-1), every other state shows it.
    EXPECT_EQ(ElGlyphImageIndex(S::Up, 1), 0);
    EXPECT_EQ(ElGlyphImageIndex(S::Disabled, 1), -1);
    EXPECT_EQ(ElGlyphImageIndex(S::Pressed, 1), 0);
    EXPECT_EQ(ElGlyphImageIndex(S::Down, 1), 0);
    EXPECT_EQ(ElGlyphImageIndex(S::Disabled, 2), 1);
    EXPECT_EQ(ElGlyphImageIndex(S::Pressed, 2), 0);
    // Down falls back to pressed, then to up.
    EXPECT_EQ(ElGlyphImageIndex(S::Down, 3), 2);
    EXPECT_EQ(ElGlyphImageIndex(S::Down, 4), 3);
    EXPECT_EQ(ElGlyphImageIndex(S::Down, 0), 0);
}

TEST(ElButtonRules, DisabledGlyphEmbossesDarkPixelsAndDropsLightOnes)
{
    constexpr uint32_t T = 0xFF00FF, H = 0xFFFFFF, S = 0x808080;
    // 3 x 3: a dark pixel at (0,0) whose lower-right neighbour is drawn too, a light pixel at
    // (2,0), and a dark pixel at (1,1) over transparency.
    const std::vector<uint32_t> in = {
        0x000000, T,        0xF0F0F0,
        T,        0x102030, T,
        T,        T,        T,
    };
    const std::vector<uint32_t> out = ElDisabledGlyphPixels(in, 3, 3, T, H, S);
    const std::vector<uint32_t> expected = {
        S, T, T,  // the light pixel vanished
        T, S, T,  // (0,0)'s highlight would fall on a drawn pixel: none
        T, T, H,  // (1,1)'s highlight
    };
    EXPECT_EQ(out, expected);
    // Too few pixels for the size: all transparent rather than a read past the end.
    EXPECT_EQ(ElDisabledGlyphPixels({1, 2}, 3, 3, T, H, S), std::vector<uint32_t>(9, T));
}

TEST(ElButtonRules, GlyphAndCaptionLayout)
{
    const TRect face{0, 0, 100, 30};
    const TSize glyph{16, 16}, text{40, 14};
    // One block centred: 16 + 4 + 40 = 60 wide from 20.
    TElButtonContent c = ElLayoutButtonContent(face, glyph, text, blGlyphLeft, true);
    EXPECT_EQ(c.Glyph, (TRect{20, 7, 36, 23}));
    EXPECT_EQ(c.Text, (TRect{40, 8, 80, 22}));
    c = ElLayoutButtonContent(face, glyph, text, blGlyphRight, true);
    EXPECT_EQ(c.Text, (TRect{20, 8, 60, 22}));
    EXPECT_EQ(c.Glyph, (TRect{64, 7, 80, 23}));
    // Without the glyph's space the caption is centred alone and the glyph keeps to its side.
    c = ElLayoutButtonContent(face, glyph, text, blGlyphLeft, false);
    EXPECT_EQ(c.Text, (TRect{30, 8, 70, 22}));
    EXPECT_EQ(c.Glyph.Left, ElButtonMargin);
    c = ElLayoutButtonContent(face, glyph, text, blGlyphRight, false);
    EXPECT_EQ(c.Glyph.Right, 100 - ElButtonMargin);
    // A lone glyph or caption is centred; an absent one is empty.
    c = ElLayoutButtonContent({10, 0, 33, 22}, glyph, {}, blGlyphRight, true);
    EXPECT_EQ(c.Glyph, (TRect{13, 3, 29, 19}));
    EXPECT_TRUE(c.Text.IsEmpty());
    c = ElLayoutButtonContent(face, {}, text, blGlyphLeft, false);
    EXPECT_EQ(c.Text, (TRect{30, 8, 70, 22}));
    EXPECT_TRUE(c.Glyph.IsEmpty());
}

TEST(ElButtonRules, MoneyFlatFrameColourByState)
{
    const TElMoneyFlatColors colours{clRed, clGreen, clBlue};
    EXPECT_EQ(ElMoneyFlatFrameColor(colours, false, false), clGreen);
    EXPECT_EQ(ElMoneyFlatFrameColor(colours, true, false), clRed);
    EXPECT_EQ(ElMoneyFlatFrameColor(colours, true, true), clBlue);
    EXPECT_EQ(ElMoneyFlatFrameColor(colours, false, true), clBlue);
}

}  // namespace
