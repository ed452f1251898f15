// The form background image on real windows: a child's share of the background equals what the
// form shows at the same place for every kind (and follows the form's scroll positions), a
// window region from a picture, dragging the form by its background, and the controls that
// paint the background through a change link.
#include "widgets/el/foundation/ElImageForm.h"

#include "widgets/el/foundation/ElBiProgressBar.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Forms.h"
#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;

class Panel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBlack);
        Canvas()->FillRect(ClientRect());
    }
};

struct ImageFormFixture {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TElImageForm* image = new TElImageForm(form.get());
    Panel* child = new Panel(form.get());

    ImageFormFixture()
    {
        form->SetBounds(40, 40, 300, 220);
        form->SetColor(clYellow);
        child->SetParent(form.get());
        child->SetBounds(37, 23, 40, 30);
        // Four 8 x 8 quadrants of distinct colours.
        TBitmap b(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                b.SetPixel(x, y, x < 8 ? (y < 8 ? clRed : clLime) : (y < 8 ? clBlue : clWhite));
        image->SetBackground(&b);
        image->SetGradientStartColor(clNavy);
        image->SetGradientEndColor(clAqua);
        form->Show();
        EXPECT_TRUE(PumpUntil(NothingToPaint));
    }

    // The child's share of the background, painted into a memory DC of its size.
    std::vector<uint32_t> ChildShare(TControl* Child, TPoint Origin = {})
    {
        TMemoryDC mem(nullptr, Child->Width(), Child->Height());
        image->PaintBkgnd(mem.Handle(), Child, {0, 0, Child->Width(), Child->Height()}, Origin);
        GdiFlush();
        std::vector<uint32_t> px(mem.Bits(), mem.Bits() + Child->Width() * Child->Height());
        for (uint32_t& p : px)
            p &= 0x00FFFFFF;
        return px;
    }
    // What the form shows under the child, with the child out of the way.
    std::vector<uint32_t> FormShows(TControl* Child)
    {
        Child->Hide();
        form->Invalidate();
        form->Update();
        const Pixels px = ReadClientPixels(form->Handle(), {Child->Left(), Child->Top(), Child->Left() + Child->Width(),
                                                            Child->Top() + Child->Height()});
        Child->Show();
        return px.data;
    }
};

TEST(ElImageForm, AChildsShareOfTheBackgroundIsWhatTheFormShowsThereForEveryKind)
{
    ImageFormFixture f;
    for (TElBkGndType kind : {bgtColorFill, bgtTileBitmap, bgtStretchBitmap, bgtCenterBitmap, bgtTopLeftBitmap,
                              bgtHorzGradient, bgtVertGradient}) {
        f.image->SetBackgroundType(kind);
        EXPECT_EQ(f.ChildShare(f.child), f.FormShows(f.child)) << static_cast<int>(kind);
    }
    // Spot checks of the kinds themselves: the tile's phase follows the form's origin (37 % 16 = 5,
    // 23 % 16 = 7: red quadrant), the colour fill is the form's colour.
    f.image->SetBackgroundType(bgtTileBitmap);
    EXPECT_EQ(f.ChildShare(f.child)[0], 0xFF0000u);
    EXPECT_EQ(f.ChildShare(f.child)[3], 0x0000FFu);  // x 40 % 16 = 8: blue
    f.image->SetBackgroundType(bgtColorFill);
    EXPECT_EQ(f.ChildShare(f.child)[0], 0xFFFF00u);
    // Stretching an empty bitmap fills with the colour.
    TBitmap empty;
    f.image->SetBackground(&empty);
    f.image->SetBackgroundType(bgtStretchBitmap);
    EXPECT_EQ(f.ChildShare(f.child)[0], 0xFFFF00u);
}

TEST(ElImageForm, AScrolledFormShiftsTheChildsShareByItsScrollPositions)
{
    ImageFormFixture f;
    f.image->SetBackgroundType(bgtTileBitmap);
    const std::vector<uint32_t> shifted = f.ChildShare(f.child, {5, 3});
    const HWND wnd = f.form->Handle();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    si.nMax = 100;
    si.nPage = 10;
    si.nPos = 5;
    SetScrollInfo(wnd, SB_HORZ, &si, TRUE);
    si.nPos = 3;
    SetScrollInfo(wnd, SB_VERT, &si, TRUE);
    ASSERT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(f.ChildShare(f.child), shifted);
    EXPECT_NE(f.ChildShare(f.child, {}), std::vector<uint32_t>(shifted.size(), shifted[0]));
}

TEST(ElImageForm, GradientsHaveAtLeastOneBand)
{
    ImageFormFixture f;
    f.image->SetBackgroundType(bgtHorzGradient);
    f.image->SetGradientSteps(0);
    EXPECT_EQ(f.image->GradientSteps(), 1);
    for (uint32_t p : f.ChildShare(f.child))
        EXPECT_EQ(p, 0x000080u);  // the one band is the start colour
}

TEST(ElImageForm, APictureShapesTheWindowAndAnEmptyOneLeavesItWhole)
{
    ImageFormFixture f;
    auto* picture = new TImage(f.form.get());
    TBitmap& p = *picture->Picture();
    p.SetSize(240, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 240; ++x) {
            // Left: transparent; middle: opaque; right: a checkerboard of single pixels (more
            // rectangles than one block of the region takes).
            const bool opaque = x < 60 ? false : x < 120 ? true : ((x + y) % 2 == 0);
            p.SetPixel(x, y, opaque ? clRed : clFuchsia);
        }
    f.image->SetTransparentColor(clFuchsia);
    f.image->SetFormImage(picture);
    f.image->SetChangeFormRegion(true);
    const HWND wnd = f.form->Handle();
    const TGdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(wnd, rgn.get()), ERROR);
    EXPECT_FALSE(PtInRegion(rgn.get(), 10, 10));
    EXPECT_TRUE(PtInRegion(rgn.get(), 70, 10));
    EXPECT_TRUE(PtInRegion(rgn.get(), 200, 10));   // (200 + 10) even: opaque
    EXPECT_FALSE(PtInRegion(rgn.get(), 201, 10));
    EXPECT_TRUE(PtInRegion(rgn.get(), 239, 59));
    EXPECT_FALSE(PtInRegion(rgn.get(), 70, 60));  // below the picture

    // Nothing opaque: the window keeps its whole shape rather than vanishing.
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 240; ++x)
            p.SetPixel(x, y, clFuchsia);
    f.image->UpdateRegion();
    EXPECT_EQ(GetWindowRgn(wnd, rgn.get()), ERROR);
    EXPECT_TRUE(IsWindowVisible(wnd));
}

TEST(ElImageForm, TheBackgroundDragsTheFormButAChildDoesNot)
{
    ImageFormFixture f;
    const HWND wnd = f.form->Handle();
    auto hit = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(wnd, &p);
        return SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(5, 5), HTCLIENT);
    f.image->MoveForm = true;
    EXPECT_EQ(hit(5, 5), HTCAPTION);
    EXPECT_EQ(hit(40, 30), HTCLIENT);  // the child

    // A right click on the dragging background still reaches the form as a client click.
    std::vector<TPoint> rightClicks;
    f.form->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        if (b == TMouseButton::mbRight)
            rightClicks.push_back({x, y});
    };
    POINT p{6, 7};
    ClientToScreen(wnd, &p);
    SendMessageW(wnd, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
    ASSERT_EQ(rightClicks.size(), 1u);
    EXPECT_EQ(rightClicks[0], (TPoint{6, 7}));

    // With a caption control only that control drags.
    auto* caption = new TBevel(f.form.get());
    caption->SetParent(f.form.get());
    caption->SetBounds(150, 100, 60, 20);
    f.image->SetCaptionControl(caption);
    EXPECT_EQ(hit(5, 5), HTCLIENT);
    EXPECT_EQ(hit(160, 105), HTCAPTION);
    Free(caption);
    EXPECT_EQ(f.image->CaptionControl(), nullptr);
}

TEST(ElImageForm, ALinkedBarPaintsTheBackgroundAndFollowsItsChanges)
{
    ImageFormFixture f;
    f.image->SetBackgroundType(bgtVertGradient);
    auto* bar = CreateComponent<TElBiProgressBar>(f.form.get());
    bar->SetUseXPThemes(false);
    bar->SetParent(f.form.get());
    bar->SetBounds(120, 80, 100, 21);
    bar->SetImageForm(f.image);
    EXPECT_EQ(bar->ImageForm(), f.image);
    auto read = [&] {
        bar->Update();
        return ReadClientPixels(bar->Handle(), {0, 0, 100, 21}).data;
    };
    EXPECT_EQ(read(), f.ChildShare(bar));
    // A change of the background reaches the bar.
    f.image->SetGradientStartColor(clMaroon);
    RECT r{};
    EXPECT_TRUE(GetUpdateRect(bar->Handle(), &r, FALSE));
    EXPECT_EQ(read(), f.ChildShare(bar));
    // The image form goes: the bar lets go of it and paints its own colour.
    Free(f.image);
    f.image = nullptr;
    EXPECT_EQ(bar->ImageForm(), nullptr);
    bar->Invalidate();
    const std::vector<uint32_t> own = read();
    EXPECT_EQ(own[0], 0xFFFFFFu);  // clWindow
}

}  // namespace
