// Panels, flow panels, control bars, track bars and the windowless decorations on real windows.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"

#include "support/gui_test.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

uint32_t Rgb(TColor c)
{
    const COLORREF v = ColorToRGB(c);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

struct Host {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    Host()
    {
        form->SetClientSize(240, 160);
        form->SetColor(clWhite);
    }
    void ShowAndPaint()
    {
        form->Show();
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_TRUE(PumpUntil(NothingToPaint));
    }
};

TControl* Child(TComponent* owner, TWinControl* parent, int w, int h)
{
    auto* c = new TPanel(owner);
    c->SetParent(parent);
    c->SetBounds(0, 0, w, h);
    return c;
}

TEST(FlowPanel, PlacesChildrenInRowsFromEitherSideAndFitsItsHeight)
{
    Host host;
    auto* flow = new TFlowPanel(host.form.get());
    flow->SetParent(host.form.get());
    flow->SetBevelOuter(TBevelCut::bvNone);
    flow->SetBounds(0, 0, 100, 10);
    TControl* a = Child(host.form.get(), flow, 40, 20);
    TControl* hidden = Child(host.form.get(), flow, 40, 20);
    hidden->Hide();
    TControl* b = Child(host.form.get(), flow, 40, 25);
    TControl* c = Child(host.form.get(), flow, 40, 20);
    flow->SetAutoSize(true);
    EXPECT_EQ(a->BoundsRect(), Bounds(0, 0, 40, 20));
    EXPECT_EQ(b->BoundsRect(), Bounds(40, 0, 40, 25));
    EXPECT_EQ(c->BoundsRect(), Bounds(0, 25, 40, 20));
    EXPECT_EQ(flow->ClientHeight(), 45);
    flow->SetFlowStyle(TFlowStyle::fsRightLeftTopBottom);
    EXPECT_EQ(a->BoundsRect(), Bounds(60, 0, 40, 20));
    EXPECT_EQ(b->BoundsRect(), Bounds(20, 0, 40, 25));
    EXPECT_EQ(c->BoundsRect(), Bounds(60, 25, 40, 20));
    // Showing the hidden child takes it back into the flow.
    hidden->Show();
    flow->Realign();
    EXPECT_EQ(hidden->BoundsRect(), Bounds(20, 0, 40, 20));
}

TEST(ControlBar, BandsWrapIntoRowsAndTheBarFollowsTheirHeight)
{
    Host host;
    auto* bar = new TControlBar(host.form.get());
    bar->SetParent(host.form.get());
    bar->SetAlign(TAlign::alTop);
    TControl* first = Child(host.form.get(), bar, 120, 24);
    TControl* second = Child(host.form.get(), bar, 150, 30);
    bar->Realign();
    EXPECT_EQ(first->Top(), second->Top() - 24 - bar->RowSpacing);  // 120 + 150 > 240: two rows
    EXPECT_EQ(bar->ClientHeight(), 2 + 24 + 2 + 30 + 2);
    host.form->SetClientSize(400, 160);
    EXPECT_TRUE(PumpUntil([&] { return first->Top() == second->Top(); })) << "both bands fit in one row";
    EXPECT_EQ(bar->ClientHeight(), 2 + 30 + 2);
}

TEST(TrackBar, PositionRangeSelectionAndChangesByTheUser)
{
    Host host;
    auto* track = new TTrackBar(host.form.get());
    track->SetParent(host.form.get());
    track->SetBounds(10, 10, 200, 40);
    int changes = 0;
    track->OnChange = [&](TObject*) { ++changes; };
    track->SetRange(0, 100);
    track->SetPosition(50);
    track->SetSelStart(0);
    track->SetSelEnd(70);
    EXPECT_EQ(changes, 1);
    host.ShowAndPaint();
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 50);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETSELEND, 0, 0), 70);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMAX, 0, 0), 100);
    track->SetPosition(500);
    EXPECT_EQ(track->Position(), 100);

    // The user presses a key: the bar moves by LineSize and tells its parent, which reflects
    // the notification to the bar.
    track->SetLineSize(5);
    track->SetPosition(20);
    const int before = changes;
    track->SetFocus();
    PostMessageW(track->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    PostMessageW(track->Handle(), WM_KEYUP, VK_RIGHT, static_cast<LPARAM>(0xC0000001u));
    EXPECT_TRUE(PumpUntil([&] { return track->Position() == 25; }));
    EXPECT_EQ(changes, before + 1);

    // The window's state survives a recreation (orientation change).
    track->SetOrientation(TTrackBarOrientation::trVertical);
    EXPECT_EQ(track->Width(), 40);
    EXPECT_EQ(track->Height(), 200);
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_VERT);
    EXPECT_EQ(track->Position(), 25);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETSELEND, 0, 0), 70);
}

TEST(PlainControls, PanelBevelShapeImageAndBevelPaint)
{
    Host host;
    auto* panel = new TPanel(host.form.get());
    panel->SetParent(host.form.get());
    panel->SetBounds(0, 0, 100, 60);
    panel->SetColor(clYellow);
    auto* inside = new TPanel(host.form.get());
    inside->SetParent(panel);
    inside->SetAlign(TAlign::alClient);
    inside->SetBevelOuter(TBevelCut::bvNone);
    inside->SetColor(clAqua);

    auto* shape = new TShape(host.form.get());
    shape->SetParent(host.form.get());
    shape->SetBounds(110, 0, 40, 20);
    shape->SetShape(TShapeType::stEllipse);
    shape->Brush()->SetColor(clRed);
    shape->Pen()->SetColor(clRed);

    auto* image = new TImage(host.form.get());
    image->SetParent(host.form.get());
    image->SetBounds(160, 0, 40, 40);
    image->Picture()->SetSize(10, 10);
    image->Picture()->Canvas()->Brush()->SetColor(clBlue);
    image->Picture()->Canvas()->FillRect({0, 0, 10, 10});
    image->Center = true;

    auto* bevel = new TBevel(host.form.get());
    bevel->SetParent(host.form.get());
    bevel->SetBounds(0, 100, 100, 10);
    bevel->SetShape(TBevelShape::bsTopLine);

    host.ShowAndPaint();
    // A raised bevel: light top-left, dark bottom-right; the aligned child sits inside it.
    EXPECT_EQ(inside->BoundsRect(), (TRect{1, 1, 99, 59}));
    const auto p = l3d::testing::ReadClientPixels(host.form->Handle(), RECT{0, 0, 240, 160});
    EXPECT_EQ(p.At(0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(p.At(99, 59), Rgb(clBtnShadow));
    EXPECT_EQ(p.At(50, 30), Rgb(clAqua));
    EXPECT_EQ(p.At(130, 10), Rgb(clRed));      // inside the ellipse
    EXPECT_EQ(p.At(111, 1), Rgb(clWhite));     // outside it, in the corner
    EXPECT_EQ(p.At(180, 20), Rgb(clBlue));     // the centred picture
    EXPECT_EQ(p.At(162, 2), Rgb(clWhite));
    EXPECT_EQ(p.At(50, 100), Rgb(clBtnShadow));  // lowered top line
    EXPECT_EQ(p.At(50, 101), Rgb(clBtnHighlight));
}

}  // namespace
