// A form with the themed controls as the program shows them: the splash screen's bar, a themed
// bar, classic blocks, a marquee, a vertical two-value bar, and an HTML hint beside them. The
// test checks that each shows up; with L3D_SCREENSHOT_DIR set it also saves the form and the hint
// as "themed_showcase.png" and "themed_showcase_hint.png" there, for people to look at.
#include "widgets/el/foundation/ElBiProgressBar.h"
#include "widgets/el/foundation/ElHintWindow.h"

#include "support/gui_test.h"
#include "support/pump.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Forms.h"

#include <gtest/gtest.h>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::ReadClientPixels;

TEST(ThemedShowcase, TheBarsAndAnHTMLHintShowOnOneForm)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(30, 30, 360, 230);
    form->SetCaption(u"Themed controls");
    auto add = [&](int x, int y, int w, int h, bool themed) {
        auto* b = CreateComponent<TElBiProgressBar>(form.get());
        b->SetUseXPThemes(themed);
        b->SetParent(form.get());
        b->SetBounds(x, y, w, h);
        return b;
    };
    // The splash screen's bar: navy with a gradient, silver behind, no themes.
    TElBiProgressBar* splash = add(10, 10, 240, 18, false);
    splash->SetLightColor(clNavy);
    splash->SetDarkColor(clSilver);
    splash->SetSmooth(true);
    splash->SetLightGradient(true);
    splash->SetLightValue(60);
    splash->SetDarkValue(85);
    TElBiProgressBar* themed = add(10, 40, 240, 21, true);
    themed->SetLightValue(45);
    TElBiProgressBar* blocks = add(10, 72, 240, 21, false);
    blocks->SetLightValue(40);
    blocks->SetDarkValue(70);
    blocks->SetDarkColor(clGray);
    blocks->SetBevelStyle(ebsLowered);
    blocks->SetCaption(u"40 / 70");
    TElBiProgressBar* marquee = add(10, 104, 240, 21, false);
    marquee->SetMarqueeColor(clBlue);
    marquee->SetSmooth(true);
    marquee->SetMarquee(true);
    TElBiProgressBar* tall = add(270, 10, 24, 115, false);
    tall->SetOrientation(poVertical);
    tall->SetBounds(270, 10, 24, 115);
    tall->SetProgressShowMode(psmAllHalf);
    tall->SetLightValue(35);
    tall->SetDarkValue(70);
    tall->SetLightColor(clGreen);
    tall->SetDarkColor(clOlive);
    form->Show();
    ASSERT_TRUE(Settled());

    TElHintWindow hint(nullptr);
    hint.IsHTML = true;
    const std::u16string text = u"<html><b>Scan</b> loaded: <a href=\"info\">details</a><ul><li>250 lines</li>"
                                u"<li>12.5 m</li></ul><hr><font color=\"#008000\">ready</font>";
    const TRect size = hint.CalcHintRectW(300, text);
    const TPoint at = form->ClientToScreen({20, 140});
    hint.ActivateHintW(Bounds(at.X, at.Y, size.Width(), size.Height()), text);
    ASSERT_TRUE(Settled());

    const auto px = ReadClientPixels(splash->Handle(), {0, 0, 240, 18});
    EXPECT_TRUE(ColorNear(px.At(1, 9), 0x000080, 12));
    const auto bars = ReadClientPixels(blocks->Handle(), {0, 0, 240, 21});
    EXPECT_TRUE(ColorNear(bars.At(3, 10), 0xFF0000));
    EXPECT_TRUE(IsWindowVisible(hint.Handle()));

    l3d::testing::SaveScreenshot(form->Handle(), u"themed_showcase.png");
    l3d::testing::SaveScreenshot(hint.Handle(), u"themed_showcase_hint.png");
    hint.ReleaseHint();
}

}  // namespace
