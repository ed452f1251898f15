// What a form hands down to its controls and how windowed controls look at their edges:
// right to left, the settings-change notice, the parent's background under a control that
// shows it, bevels and borders in the non-client area, and window regions.
#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/CustomControls.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::ReadClientPixels;

constexpr DWORD kRtl = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;

DWORD ExStyle(TWinControl* c)
{
    return static_cast<DWORD>(GetWindowLongW(c->Handle(), GWL_EXSTYLE));
}

// Fills itself (unless it shows its parent's background) and counts the settings notices.
class Panel : public TCustomControl {
public:
    explicit Panel(TComponent* owner, TWinControl* parent, TRect bounds, TColor fill = clNone)
        : TCustomControl(owner), fill_(fill)
    {
        SetParent(parent);
        SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    }
    std::vector<uintptr_t> settings;
    // Two colours side by side: the left half Fill, the right half blue.
    bool split = false;

    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CM_WININICHANGE)
            settings.push_back(Message.WParam);
        TCustomControl::WndProc(Message);
    }

protected:
    void Paint() override
    {
        if (fill_ == clNone)
            return;
        TRect r = ClientRect();
        Canvas()->Brush()->SetColor(fill_);
        Canvas()->FillRect(r);
        if (split) {
            Canvas()->Brush()->SetColor(clBlue);
            Canvas()->FillRect({r.Width() / 2, 0, r.Right, r.Bottom});
        }
    }

private:
    TColor fill_;
};

class Dot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<uintptr_t> settings;
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == CM_WININICHANGE)
            settings.push_back(Message.WParam);
        TGraphicControl::WndProc(Message);
    }

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect({0, 0, Width(), Height()});
    }
};

struct StyleForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    StyleForm()
    {
        form->SetBounds(50, 50, 360, 260);
        form->Show();
    }
};

TEST(RightToLeft, AFormHandsItsReadingOrderDownToEveryControlThatFollowsItsParent)
{
    StyleForm f;
    auto* outer = new Panel(f.form.get(), f.form.get(), {10, 10, 200, 150});
    auto* inner = new Panel(f.form.get(), outer, {10, 10, 100, 60});
    auto* own = new Panel(f.form.get(), f.form.get(), {210, 10, 300, 150});
    own->SetBiDiMode(TBiDiMode::bdLeftToRight);  // its own setting: no longer follows the form
    auto* ownChild = new Panel(f.form.get(), own, {5, 5, 50, 50});
    EXPECT_EQ(ExStyle(inner) & kRtl, 0u);

    f.form->SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_EQ(ExStyle(f.form.get()) & kRtl, kRtl);
    EXPECT_EQ(ExStyle(outer) & kRtl, kRtl);
    EXPECT_EQ(ExStyle(inner) & kRtl, kRtl);
    EXPECT_EQ(inner->BiDiMode(), TBiDiMode::bdRightToLeft);
    EXPECT_EQ(ExStyle(own) & kRtl, 0u);
    EXPECT_EQ(ExStyle(ownChild) & kRtl, 0u);
    // Alignment and reading order only: the layout is never mirrored.
    EXPECT_EQ(ExStyle(inner) & WS_EX_LAYOUTRTL, 0u);

    // A control placed later is made right to left; following the parent again takes it over.
    auto* later = new Panel(f.form.get(), outer, {120, 10, 180, 60});
    EXPECT_EQ(ExStyle(later) & kRtl, kRtl);
    own->SetParentBiDiMode(true);
    EXPECT_EQ(ExStyle(ownChild) & kRtl, kRtl);
    // A control moved onto a right-to-left parent takes its controls along.
    auto* moved = new Panel(f.form.get(), nullptr, {0, 0, 50, 50});
    auto* movedChild = new Panel(f.form.get(), moved, {5, 5, 20, 20});
    moved->SetParent(outer);
    EXPECT_EQ(ExStyle(movedChild) & kRtl, kRtl);

    f.form->SetBiDiMode(TBiDiMode::bdLeftToRight);
    for (TWinControl* c : {static_cast<TWinControl*>(f.form.get()), static_cast<TWinControl*>(outer),
                           static_cast<TWinControl*>(inner), static_cast<TWinControl*>(later),
                           static_cast<TWinControl*>(ownChild)})
        EXPECT_EQ(ExStyle(c) & kRtl, 0u);
}

TEST(SettingsChange, EveryControlOfTheFormHearsOfItOnce)
{
    StyleForm f;
    auto* outer = new Panel(f.form.get(), f.form.get(), {10, 10, 200, 150});
    auto* inner = new Panel(f.form.get(), outer, {10, 10, 100, 60});
    auto* dot = new Dot(f.form.get());
    dot->SetParent(inner);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, SMTO_ABORTIFHUNG, 2000,
                        &result);
    const std::vector<uintptr_t> once{SPI_SETNONCLIENTMETRICS};
    EXPECT_EQ(outer->settings, once);
    EXPECT_EQ(inner->settings, once);
    EXPECT_EQ(dot->settings, once);
}

TEST(ParentBackground, AControlThatShowsItsParentShowsItsPaintingAtTheRightPlace)
{
    StyleForm f;
    auto* back = new Panel(f.form.get(), f.form.get(), {10, 10, 210, 110}, clRed);
    back->split = true;  // red on x < 100, blue from 100
    auto* dot = new Dot(f.form.get());
    dot->SetParent(back);
    dot->SetBounds(90, 40, 10, 10);
    auto* glass = new Panel(f.form.get(), back, {60, 20, 160, 80});  // paints nothing itself
    glass->ControlStyle |= csParentBackground;
    glass->Invalidate();
    ASSERT_TRUE(PumpUntil(NothingToPaint));

    const auto px = ReadClientPixels(glass->Handle(), {0, 0, 100, 60});
    EXPECT_TRUE(ColorNear(px.At(5, 5), 0xFF0000)) << std::hex << px.At(5, 5);    // parent x 65: red
    EXPECT_TRUE(ColorNear(px.At(60, 5), 0x0000FF)) << std::hex << px.At(60, 5);  // parent x 120: blue
    EXPECT_TRUE(ColorNear(px.At(35, 25), 0x00FF00)) << std::hex << px.At(35, 25);  // the dot at 90..100, 40..50
    EXPECT_TRUE(ColorNear(px.At(45, 25), 0x0000FF)) << std::hex << px.At(45, 25);
}

uint32_t WindowPixel(HWND wnd, int x, int y)
{
    HDC dc = GetWindowDC(wnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST(Bevels, BorderAndBevelTakeTheirWidthFromTheClientAndArePainted)
{
    StyleForm f;
    auto* boxed = new Panel(f.form.get(), f.form.get(), {10, 10, 110, 70}, clLime);
    boxed->SetColor(clRed);
    boxed->SetBorderWidth(3);
    boxed->SetBevelKind(TBevelKind::bkTile);
    boxed->SetBevelOuter(TBevelCut::bvRaised);
    boxed->SetBevelInner(TBevelCut::bvNone);
    boxed->SetBevelWidth(2);
    // Border 3 and one bevel cut of 2 on every side.
    EXPECT_EQ(boxed->ClientWidth(), 100 - 2 * 5);
    EXPECT_EQ(boxed->ClientHeight(), 60 - 2 * 5);
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    HWND h = boxed->Handle();
    const uint32_t highlight = ColorToRGB(clBtnHighlight), light = ColorToRGB(cl3DLight);
    const uint32_t corner = WindowPixel(h, 0, 0);
    const uint32_t cornerRgb = ((corner >> 16) & 0xFF) | (corner & 0xFF00) | ((corner & 0xFF) << 16);
    EXPECT_TRUE(cornerRgb == highlight || cornerRgb == light) << std::hex << corner;  // a raised edge is light
    EXPECT_TRUE(ColorNear(WindowPixel(h, 3, 3), 0xFF0000));   // the border band in the control's colour
    EXPECT_TRUE(ColorNear(WindowPixel(h, 6, 6), 0x00FF00));   // the client

    // Edges: the bevel on the bottom alone; Ctl3D and the kind keep the sizes.
    boxed->SetBorderWidth(0);
    boxed->SetBevelEdges(beBottom);
    EXPECT_EQ(boxed->ClientWidth(), 100);
    EXPECT_EQ(boxed->ClientHeight(), 58);
    boxed->SetBevelInner(TBevelCut::bvLowered);
    EXPECT_EQ(boxed->ClientHeight(), 56);
    boxed->SetBevelKind(TBevelKind::bkNone);
    EXPECT_EQ(boxed->ClientHeight(), 60);

    // Settings made before the window exists apply when it is made.
    auto* early = new Panel(f.form.get(), nullptr, {0, 0, 50, 40});
    early->SetBorderWidth(4);
    early->SetParent(f.form.get());
    EXPECT_EQ(early->ClientWidth(), 42);
}

TEST(Regions, TheControlKeepsItsRegionAcrossANewWindow)
{
    StyleForm f;
    auto* shaped = new Panel(f.form.get(), f.form.get(), {10, 10, 110, 90}, clLime);
    HRGN given = CreateEllipticRgn(0, 0, 100, 80);
    RECT givenBox{};
    GetRgnBox(given, &givenBox);
    shaped->SetRegion(given);
    auto regionBox = [&] {
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        RECT box{};
        const int kind = GetWindowRgn(shaped->Handle(), r);
        GetRgnBox(r, &box);
        DeleteObject(r);
        return std::make_pair(kind, box);
    };
    auto [kind, box] = regionBox();
    EXPECT_EQ(kind, COMPLEXREGION);
    EXPECT_EQ(box.right, givenBox.right);
    EXPECT_EQ(box.bottom, givenBox.bottom);

    shaped->RecreateWnd();
    std::tie(kind, box) = regionBox();
    EXPECT_EQ(kind, COMPLEXREGION);
    EXPECT_EQ(box.right, givenBox.right);

    // A new region replaces (and frees) the old one; nil makes the window rectangular.
    shaped->SetRegion(CreateRectRgn(0, 0, 50, 40));
    EXPECT_EQ(GetObjectType(given), 0u);
    std::tie(kind, box) = regionBox();
    EXPECT_EQ(box.right, 50);
    shaped->SetRegion(nullptr);
    EXPECT_FALSE(shaped->HasRegion());
    EXPECT_EQ(regionBox().first, ERROR);
}

}  // namespace
