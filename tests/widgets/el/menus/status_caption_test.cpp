// The status bar and the form caption by their pixels: an auto-sized panel grows with its text
// and moves the panels after it, right-aligned text stands at the panel's right, an owner-drawn
// panel is painted by OnDrawPanel; caption texts change the caption bar where they stand.
#include "widgets/el/menus/ElFormCaption.h"
#include "widgets/el/menus/ElStatusBar.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;
using l3d::testing::ReadWindowPixels;

// The columns of Area (x from Area's left) where some pixel differs from the background colour.
std::vector<int> InkColumns(const Pixels& P, uint32_t Background)
{
    std::vector<int> columns;
    for (int x = 0; x < P.width; ++x)
        for (int y = 0; y < P.height; ++y)
            if (!ColorNear(P.At(x, y), Background, 40)) {
                columns.push_back(x);
                break;
            }
    return columns;
}

struct StatusForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TElStatusBar* bar = new TElStatusBar(form.get());

    StatusForm()
    {
        form->SetBounds(40, 40, 560, 120);
        bar->SetParent(form.get());
        bar->SetBounds(0, 40, 540, 22);
        for (int32_t width : {25, 120, 200})
            bar->Panels().Add()->SetWidth(width);
        form->Show();
        EXPECT_TRUE(Settled());
    }

    // The text pixels of panel Index, inside its bevel.
    Pixels PanelPixels(int Index)
    {
        bar->Update();
        const TRect r = bar->PanelRect(Index);
        return ReadClientPixels(bar->Handle(), {r.Left + 2, r.Top + 3, r.Right - 4, r.Bottom - 3});
    }
    uint32_t Face() { return ReadClientPixels(bar->Handle(), {1, 1, 2, 2}).At(0, 0); }
};

TEST(ElStatusBar, AnAutoSizedPanelGrowsWithItsTextAndMovesThePanelsAfterIt)
{
    StatusForm s;
    TElStatusPanel* panel = s.bar->Panels(1);
    panel->SetAutoSize(true);
    panel->SetText(u"Scan line: 12");
    const int shortWidth = panel->Width();
    const std::vector<int> shortInk = InkColumns(s.PanelPixels(1), s.Face());
    ASSERT_FALSE(shortInk.empty());

    panel->SetText(u"Scan line: 12 of 250 along the field");
    EXPECT_GT(panel->Width(), shortWidth + 60);
    EXPECT_EQ(s.bar->PanelRect(2).Left, s.bar->PanelRect(1).Right);
    // The whole text shows: its last stroke stands near the panel's right end, not cut off.
    const Pixels grown = s.PanelPixels(1);
    const std::vector<int> ink = InkColumns(grown, s.Face());
    ASSERT_FALSE(ink.empty());
    EXPECT_GT(ink.back(), shortInk.back() + 60);
    EXPECT_LT(ink.back(), grown.width - 1);
}

TEST(ElStatusBar, RightAlignedTextStandsAtTheRightAndOwnerDrawnPanelsPaintThemselves)
{
    StatusForm s;
    TElStatusPanel* value = s.bar->Panels(2);
    value->SetText(u"1.234,56");
    const Pixels left = s.PanelPixels(2);
    value->SetAlignment(TAlignment::taRightJustify);
    const Pixels right = s.PanelPixels(2);
    const std::vector<int> leftInk = InkColumns(left, s.Face()), rightInk = InkColumns(right, s.Face());
    ASSERT_FALSE(leftInk.empty());
    ASSERT_FALSE(rightInk.empty());
    EXPECT_LT(leftInk.back(), left.width / 2);
    EXPECT_GT(rightInk.front(), right.width / 2);

    std::vector<TRect> drawn;
    s.bar->OnDrawPanel = [&](TElStatusBar* Bar, TElStatusPanel* Panel, const TRect& Rect) {
        EXPECT_EQ(Bar, s.bar);
        EXPECT_EQ(Panel, s.bar->Panels(0));
        drawn.push_back(Rect);
        Bar->Canvas()->Brush()->SetColor(clRed);
        Bar->Canvas()->FillRect({Rect.Left + 4, Rect.Top + 1, Rect.Left + 20, Rect.Top + 17});
    };
    s.bar->Panels(0)->SetStyle(TElStatusPanelStyle::epsOwnerDraw);
    s.bar->Update();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), s.bar->PanelRect(0));
    EXPECT_TRUE(ColorNear(ReadClientPixels(s.bar->Handle(), {8, 5, 9, 6}).At(0, 0), 0xFF0000));
}

struct CaptionForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TElFormCaption* caption = new TElFormCaption(form.get());

    CaptionForm()
    {
        form->SetBounds(60, 60, 480, 160);
        form->Show();
        form->BringToFront();
        caption->SetActive(true);
        EXPECT_TRUE(Settled());
    }

    // The caption bar's text area with only Text (Align) on it, painted as the system asks.
    Pixels With(const std::u16string& Text, TAlignment Align)
    {
        caption->Texts().Clear();
        TElCaptionText* t = caption->Texts().Add();
        t->SetCaption(Text);
        t->SetAlign(Align);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(Settled());
        const TRect area = caption->TextArea();
        return ReadWindowPixels(form->Handle(), {area.Left, area.Top, area.Right, area.Bottom});
    }
};

// Whether the columns [From, To) of A and B differ anywhere.
bool Differ(const Pixels& A, const Pixels& B, int From, int To)
{
    for (int x = From; x < To; ++x)
        for (int y = 0; y < A.height; ++y)
            if (!ColorNear(A.At(x, y), B.At(x, y), 20))
                return true;
    return false;
}

TEST(ElFormCaption, CaptionTextsChangeTheCaptionBarWhereTheyStand)
{
    CaptionForm c;
    c.form->SetCaption(u"");  // the system's own title would stand where the left text does
    const TRect area = c.caption->TextArea();
    ASSERT_GT(area.Width(), 200);
    ASSERT_GT(area.Height(), 8);
    const int third = area.Width() / 3;

    const Pixels blank = c.With(u"", TAlignment::taLeftJustify);
    const Pixels left = c.With(u"MMMM WWWW", TAlignment::taLeftJustify);
    EXPECT_TRUE(Differ(blank, left, 0, third));
    EXPECT_FALSE(Differ(blank, left, 2 * third, area.Width()));
    const Pixels right = c.With(u"MMMM WWWW", TAlignment::taRightJustify);
    EXPECT_FALSE(Differ(blank, right, 0, third));
    EXPECT_TRUE(Differ(blank, right, 2 * third, area.Width()));

    // The caption covers the system's title while active, and gives the bar back when not.
    c.form->SetCaption(u"MMMM WWWW");
    EXPECT_TRUE(Settled());
    const Pixels covered = c.With(u"", TAlignment::taLeftJustify);
    EXPECT_FALSE(Differ(blank, covered, 0, area.Width()));
    c.caption->SetActive(false);
    EXPECT_TRUE(Settled());
    const Pixels system = ReadWindowPixels(c.form->Handle(), {area.Left, area.Top, area.Right, area.Bottom});
    EXPECT_TRUE(Differ(blank, system, 0, third));
}

TEST(ElFormCaption, ADialogWithoutIconHasItsWholeTitleCovered)
{
    // A dialog frame has no icon: the system's title starts right at the border, left of where
    // a caption with an icon would start its texts.
    CaptionForm c;
    c.form->SetBorderStyle(TFormBorderStyle::bsDialog);
    c.form->SetCaption(u"");
    const TRect area = c.caption->TextArea();
    RECT window{};
    GetWindowRect(c.form->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(c.form->Handle(), &origin);
    const int border = origin.x - window.left;
    const RECT strip{border, area.Top, area.Right, area.Bottom};

    c.With(u"", TAlignment::taLeftJustify);
    const Pixels blank = ReadWindowPixels(c.form->Handle(), strip);
    c.form->SetCaption(u"WWWW MMMM");
    c.With(u"", TAlignment::taLeftJustify);
    const Pixels covered = ReadWindowPixels(c.form->Handle(), strip);
    EXPECT_FALSE(Differ(blank, covered, 0, blank.width));
}

}  // namespace
