// The two-value progress bar on a real window, read back by its pixels: classic blocks, the
// splash screen's smooth gradient, vertical growth, clamping inside the bevel, a bar of no size,
// the marquee's motion, a themed bar, styles, and the panels' repaint notice.
#include "widgets/el/foundation/ElBiProgressBar.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Forms.h"
#include "framework/Graphics.h"

#include <gtest/gtest.h>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;

// 0x00RRGGBB, as pixels read back.
uint32_t Rgb(TColor c)
{
    const COLORREF r = ColorToRGB(c);
    return (GetRValue(r) << 16) | (GetGValue(r) << 8) | GetBValue(r);
}

struct BarForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    BarForm()
    {
        form->SetBounds(60, 60, 320, 240);
        form->Show();
    }
    // A classic bar (themes off) of the given size at (10, 10).
    TElBiProgressBar* Add(int Width = 100, int Height = 21, bool Themed = false)
    {
        auto* b = CreateComponent<TElBiProgressBar>(form.get());
        b->SetUseXPThemes(Themed);
        b->SetBounds(10, 10, Width, Height);
        b->SetParent(form.get());
        return b;
    }
    static Pixels Read(TElBiProgressBar* b)
    {
        b->Invalidate();
        b->Update();
        return ReadClientPixels(b->Handle(), {0, 0, b->ClientWidth(), b->ClientHeight()});
    }
};

TEST(BiProgressBar, ClassicBlocksAreEightPixelsWithGapsOfTwo)
{
    BarForm f;
    TElBiProgressBar* b = f.Add();
    b->SetColor(clWhite);
    b->SetLightColor(clRed);
    b->SetLightValue(15);  // 15 of a 100-pixel bar
    const Pixels px = BarForm::Read(b);
    const int y = 10;
    for (int x : {0, 7, 10, 14})
        EXPECT_TRUE(ColorNear(px.At(x, y), 0xFF0000)) << x << " " << std::hex << px.At(x, y);
    for (int x : {8, 9, 15, 50, 99})
        EXPECT_TRUE(ColorNear(px.At(x, y), 0xFFFFFF)) << x << " " << std::hex << px.At(x, y);
    // The dark bar lies under the light one; in half mode each keeps its half.
    b->SetDarkColor(clBlue);
    b->SetDarkValue(40);
    b->SetProgressShowMode(psmAllHalf);
    const Pixels halves = BarForm::Read(b);
    EXPECT_TRUE(ColorNear(halves.At(2, 3), 0xFF0000));   // light: upper half
    EXPECT_TRUE(ColorNear(halves.At(2, 17), 0x0000FF));  // dark: lower half
    EXPECT_TRUE(ColorNear(halves.At(32, 17), 0x0000FF));
    EXPECT_TRUE(ColorNear(halves.At(32, 3), 0xFFFFFF));
}

TEST(BiProgressBar, TheSplashScreensSmoothGradientRunsFromTheBarColourToTheBackground)
{
    BarForm f;
    TElBiProgressBar* b = f.Add(200, 21);
    b->SetLightColor(clNavy);
    b->SetDarkColor(clSilver);
    b->SetSmooth(true);
    b->SetLightGradient(true);
    b->SetScale(100);
    b->SetLightValue(50);
    const Pixels px = BarForm::Read(b);
    const int y = 10;
    EXPECT_TRUE(ColorNear(px.At(0, y), Rgb(clNavy), 12)) << std::hex << px.At(0, y);
    EXPECT_TRUE(ColorNear(px.At(150, y), Rgb(clWindow))) << std::hex << px.At(150, y);
    // Lighter and lighter towards the value's end, all the way.
    int previous = -1;
    for (int x = 0; x < 100; ++x) {
        const int red = static_cast<int>((px.At(x, y) >> 16) & 0xFF);
        EXPECT_GE(red, previous) << x;
        previous = red;
    }
    EXPECT_GT(previous, 0x80);
    // No blocks: the bar is continuous.
    for (int x = 0; x < 100; ++x)
        EXPECT_FALSE(ColorNear(px.At(x, y), Rgb(clWindow), 2) && x < 90) << x;
}

TEST(BiProgressBar, AVerticalBarGrowsFromTheBottomAndTurningSwapsTheSize)
{
    BarForm f;
    TElBiProgressBar* b = f.Add();
    b->SetOrientation(poVertical);
    EXPECT_EQ(b->Width(), 21);
    EXPECT_EQ(b->Height(), 100);
    b->SetColor(clWhite);
    b->SetSmooth(true);
    b->SetLightColor(clGreen);
    b->SetLightValue(30);
    const Pixels px = BarForm::Read(b);
    EXPECT_TRUE(ColorNear(px.At(10, 99), Rgb(clGreen)));
    EXPECT_TRUE(ColorNear(px.At(10, 70), Rgb(clGreen)));
    EXPECT_TRUE(ColorNear(px.At(10, 69), 0xFFFFFF));
    EXPECT_TRUE(ColorNear(px.At(10, 0), 0xFFFFFF));
}

TEST(BiProgressBar, ValuesBeyondTheScaleStayInsideTheBevelAndAnEmptyRangeDrawsNoBar)
{
    BarForm f;
    TElBiProgressBar* b = f.Add();
    b->SetColor(clWhite);
    b->SetSmooth(true);
    b->SetBevelStyle(ebsLowered);
    b->SetLightColor(clRed);
    b->SetLightValue(150);
    Pixels px = BarForm::Read(b);
    EXPECT_TRUE(ColorNear(px.At(98, 10), 0xFF0000));
    EXPECT_TRUE(ColorNear(px.At(1, 10), 0xFF0000));
    // The frame keeps its shades: shadow at the top left, highlight at the bottom right.
    EXPECT_TRUE(ColorNear(px.At(0, 10), Rgb(clBtnShadow)));
    EXPECT_TRUE(ColorNear(px.At(99, 10), Rgb(clBtnHighlight)));

    // Scale equal to the minimum, or below it: background and caption, no bars.
    b->SetScale(0);
    b->SetCaption(u"Caption");
    b->Font()->SetColor(clBlack);
    px = BarForm::Read(b);
    int red = 0, dark = 0;
    for (int x = 1; x < 99; ++x)
        for (int y = 1; y < 20; ++y) {
            red += ColorNear(px.At(x, y), 0xFF0000);
            dark += ColorNear(px.At(x, y), 0x000000, 60);
        }
    EXPECT_EQ(red, 0);
    EXPECT_GT(dark, 10);  // the caption's pixels
    b->SetMinValue(10);
    b->SetScale(5);
    b->SetLightValue(7);
    px = BarForm::Read(b);
    EXPECT_TRUE(ColorNear(px.At(5, 2), 0xFFFFFF));
}

TEST(BiProgressBar, ABarOfNoSizePaintsNothingAndSurvives)
{
    BarForm f;
    TElBiProgressBar* b = f.Add(0, 0);
    b->SetLightValue(50);
    b->SetInfiniteMode(true);
    b->Invalidate();
    b->Update();
    b->SetBounds(10, 10, 3, 2);
    b->SetBevelStyle(ebsRaised);  // a bar area of 1 x 0
    b->Update();
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    EXPECT_EQ(b->Width(), 3);
}

TEST(BiProgressBar, TheMarqueeSlidesToTheEndTurnsAndComesBack)
{
    BarForm f;
    TElBiProgressBar* b = f.Add();
    b->SetColor(clWhite);
    b->SetSmooth(true);
    b->SetScale(10);
    b->SetMarqueeSize(20);
    b->SetMarqueeColor(clBlue);
    b->SetMarqueeUpdateInterval(5);
    b->SetMarquee(true);
    EXPECT_TRUE(b->Marquee());
    EXPECT_EQ(b->MarqueePosition(), 2);
    ASSERT_TRUE(PumpUntil([&] { return b->MarqueePosition() == 6; }));
    b->SetMarqueeUpdateInterval(100000);  // hold it there
    // Far edge at 60 of 100 pixels, 20 pixels long.
    Pixels px = BarForm::Read(b);
    EXPECT_TRUE(ColorNear(px.At(59, 10), 0x0000FF));
    EXPECT_TRUE(ColorNear(px.At(40, 10), 0x0000FF));
    EXPECT_TRUE(ColorNear(px.At(39, 10), 0xFFFFFF));
    EXPECT_TRUE(ColorNear(px.At(60, 10), 0xFFFFFF));

    b->SetMarqueeUpdateInterval(5);
    ASSERT_TRUE(PumpUntil([&] { return b->MarqueePosition() == 10; }));
    ASSERT_TRUE(PumpUntil([&] { return b->MarqueePosition() == 9; }));  // turned
    ASSERT_TRUE(PumpUntil([&] { return b->MarqueePosition() == 2; }));
    ASSERT_TRUE(PumpUntil([&] { return b->MarqueePosition() == 3; }));  // turned again

    b->SetMarquee(false);
    const int32_t stopped = b->MarqueePosition();
    TimerWitness witness(10);  // a timer at least as slow as the marquee's
    ASSERT_TRUE(PumpUntil(witness.Ticked(5)));
    EXPECT_EQ(b->MarqueePosition(), stopped);
    EXPECT_FALSE(b->Marquee());
}

TEST(BiProgressBar, AThemedBarPaintsThroughTheProgressTheme)
{
    BarForm f;
    TElBiProgressBar* themed = f.Add(100, 21, true);
    TElBiProgressBar* classic = f.Add(100, 21, false);
    classic->SetTop(40);
    for (TElBiProgressBar* b : {themed, classic}) {
        b->SetLightValue(60);
        b->SetLightColor(clRed);
    }
    themed->HandleNeeded();
    if (!ElUxTheme().Loaded())
        GTEST_SKIP() << "no visual-styles library";
    ASSERT_TRUE(themed->IsThemeApplied());
    const Pixels t = BarForm::Read(themed);
    const Pixels c = BarForm::Read(classic);
    // The theme's chunks, not the bar colour; and the bar's frame, not the control's colour.
    EXPECT_FALSE(ColorNear(t.At(20, 10), 0xFF0000));
    EXPECT_NE(t.At(20, 10), t.At(90, 10));
    EXPECT_TRUE(ColorNear(c.At(20, 10), 0xFF0000));
}

TEST(BiProgressBar, StylesSetTheBarsProperties)
{
    BarForm f;
    TOwned<TElStyleManager> styles(new TElStyleManager(nullptr));
    styles->Store().WriteString("\\TElBiProgressBar", "LightColor", "clLime");
    styles->Store().WriteInteger("\\TElBiProgressBar", "LightValue", 100);
    styles->Store().WriteBool("\\TElBiProgressBar", "Smooth", true);
    TElBiProgressBar* b = f.Add();
    b->SetStyleManager(styles.get());
    EXPECT_EQ(b->LightColor(), clLime);
    EXPECT_TRUE(b->Smooth());
    const Pixels px = BarForm::Read(b);
    EXPECT_TRUE(ColorNear(px.At(50, 10), 0x00FF00));
}

TEST(BiProgressBar, ATransparentBarRepaintsWhenAPanelSaysSoUnlessItIsTheSender)
{
    BarForm f;
    TElBiProgressBar* b = f.Add();
    b->SetTransparent(true);
    EXPECT_TRUE(GetWindowLongW(b->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    b->Update();
    RECT r{};
    SendMessageW(b->Handle(), EL_REPAINTNOTIFY, 0, reinterpret_cast<LPARAM>(b));
    EXPECT_FALSE(GetUpdateRect(b->Handle(), &r, FALSE));
    SendMessageW(b->Handle(), EL_REPAINTNOTIFY, 0, 0);
    EXPECT_TRUE(GetUpdateRect(b->Handle(), &r, FALSE));
    // The form's colour shows through where no bar is.
    f.form->SetColor(clFuchsia);
    f.form->Invalidate();
    f.form->Update();
    const Pixels px = BarForm::Read(b);
    EXPECT_TRUE(ColorNear(px.At(80, 10), 0xFF00FF)) << std::hex << px.At(80, 10);
}

}  // namespace
