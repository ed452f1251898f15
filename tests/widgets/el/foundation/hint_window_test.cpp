// The hint window on real windows: wrapping only when asked, kept inside the work area at every
// edge, shown on top without taking the activation, HTML painted with its link in the link
// colour and clickable, no line lost between measuring and painting, and installed as the
// application's hint window.
#include "widgets/el/foundation/ElHintWindow.h"

#include "widgets/el/foundation/ElHTMLGdi.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Screen.h"

#include <gtest/gtest.h>

#include <windowsx.h>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;

struct Hint {
    TOwned<TElHintWindow> window{new TElHintWindow(nullptr)};
    Hint()
    {
        window->SetColor(clWhite);
        window->Font()->SetColor(clBlack);
    }
    ~Hint() { window->ReleaseHint(); }
    RECT Shown() const
    {
        RECT r{};
        GetWindowRect(window->Handle(), &r);
        return r;
    }
    Pixels Read()
    {
        window->Update();
        return ReadClientPixels(window->Handle(), {0, 0, window->ClientWidth(), window->ClientHeight()});
    }
    int LineHeight()
    {
        return window->CalcHintRectW(1000, u"X").Height() - 2;
    }
};

bool Inside(const RECT& r, const TRect& area)
{
    return r.left >= area.Left && r.top >= area.Top && r.right <= area.Right && r.bottom <= area.Bottom;
}

// Counts pixels near Rgb in the band [x0, x1) x [y0, y1).
int Count(const Pixels& px, uint32_t Rgb, int x0, int y0, int x1, int y1, int Tolerance = 40)
{
    int n = 0;
    for (int y = std::max(0, y0); y < std::min(px.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(px.width, x1); ++x)
            n += ColorNear(px.At(x, y), Rgb, Tolerance);
    return n;
}

const std::u16string kLong = u"a rather long hint text that cannot fit into two hundred pixels on one line";

TEST(ElHintWindow, APlainHintWrapsOnlyWhenWordWrapIsOn)
{
    Hint h;
    const int line = h.LineHeight();
    const TRect single = h.window->CalcHintRectW(200, kLong);
    EXPECT_EQ(single.Height(), line + 2);
    EXPECT_GT(single.Width(), 206);
    h.window->SetWordWrap(true);
    const TRect wrapped = h.window->CalcHintRectW(200, kLong);
    EXPECT_GE(wrapped.Height(), 2 * line + 2);
    EXPECT_LE(wrapped.Width(), 206);
    // A width left at nothing (a hint far right on a monitor) still gives usable lines.
    EXPECT_GE(h.window->CalcHintRectW(-50, kLong).Width(), 100);

    // Every line is inside the window once shown: the last line's band carries text.
    h.window->ActivateHintW(Bounds(100, 100, wrapped.Width(), wrapped.Height()), kLong);
    const Pixels px = h.Read();
    EXPECT_EQ(px.height, wrapped.Height() + 4 - 2);  // client: 4 more, less the 1-pixel border
    EXPECT_GT(Count(px, 0x000000, 0, px.height - line - 4, px.width, px.height, 90), 0);
}

TEST(ElHintWindow, AHintIsKeptInsideTheWorkAreaAtEveryEdge)
{
    Hint h;
    const TRect area = Screen->WorkAreaRect();
    const TRect size = h.window->CalcHintRectW(300, u"Edge");
    const int w = size.Width(), ht = size.Height();
    for (const TPoint at : {TPoint{area.Right - 5, area.Bottom - 5}, TPoint{area.Left - 40, area.Top - 30},
                            TPoint{area.Right - 5, area.Top - 30}, TPoint{area.Left - 40, area.Bottom + 100}}) {
        h.window->ActivateHintW(Bounds(at.X, at.Y, w, ht), u"Edge");
        const RECT r = h.Shown();
        EXPECT_TRUE(Inside(r, area)) << at.X << "," << at.Y << " -> " << r.left << "," << r.top;
        EXPECT_EQ(r.right - r.left, w);
        EXPECT_EQ(r.bottom - r.top, ht + 4);
    }
    // Inside already: it stays where it was put.
    h.window->ActivateHintW(Bounds(area.Left + 50, area.Top + 60, w, ht), u"Edge");
    EXPECT_EQ(h.Shown().left, area.Left + 50);
    EXPECT_EQ(h.Shown().top, area.Top + 60);
    // Larger than the area: its start stays visible.
    h.window->ActivateHintW(Bounds(area.Left + 50, area.Top + 60, area.Width() + 300, ht), u"Edge");
    EXPECT_EQ(h.Shown().left, area.Left);
}

TEST(ElHintWindow, AHintShowsOnTopWithoutTakingTheActivation)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(100, 100, 200, 150);
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }));
    const HWND before = GetForegroundWindow();
    Hint h;
    h.window->ActivateHintW(Bounds(150, 150, 80, 20), u"Top");
    ASSERT_TRUE(NothingFollows());  // an activation would be in by now
    EXPECT_TRUE(GetWindowLongW(h.window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(h.window->Handle()));
    EXPECT_EQ(GetForegroundWindow(), before);
}

TEST(ElHintWindow, AnHTMLHintPaintsItsLinkInTheLinkColourAndReportsClicksOnIt)
{
    Hint h;
    h.window->IsHTML = true;
    std::vector<std::u16string> clicks;
    h.window->OnLinkClick = [&](TObject*, const std::u16string& href) { clicks.push_back(href); };
    const std::u16string text = u"<html>Plain words <a href=\"open:scan\">the link</a> after";
    const TRect r = h.window->CalcHintRectW(1000, text);
    h.window->ActivateHintW(Bounds(120, 120, r.Width(), r.Height()), text);
    const Pixels px = h.Read();
    // The link colour (blue by default) appears, and only right of the plain words.
    int firstBlue = -1;
    for (int x = 0; x < px.width && firstBlue < 0; ++x)
        if (Count(px, 0x0000FF, x, 0, x + 1, px.height, 60) > 0)
            firstBlue = x;
    ASSERT_GT(firstBlue, 20);
    EXPECT_EQ(Count(px, 0x0000FF, 0, 0, firstBlue, px.height, 60), 0);
    int blueY = 0;
    for (int y = 0; y < px.height; ++y)
        if (ColorNear(px.At(firstBlue, y), 0x0000FF, 60))
            blueY = y;

    // A click on the link reports it; a click on the plain words does not.
    const HWND w = h.window->Handle();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(firstBlue + 1, blueY));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(firstBlue + 1, blueY));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, blueY));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(8, blueY));
    EXPECT_EQ(clicks, std::vector<std::u16string>{u"open:scan"});
    // The link takes the mouse; the rest of the hint lets it through.
    POINT onLink{firstBlue + 1, blueY}, onPlain{8, blueY};
    ClientToScreen(w, &onLink);
    ClientToScreen(w, &onPlain);
    EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(onLink.x, onLink.y)), HTCLIENT);
    EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(onPlain.x, onPlain.y)), HTTRANSPARENT);
}

TEST(ElHintWindow, AnHTMLLineAsWideAsTheLimitIsPaintedOnTheLineItWasMeasuredOn)
{
    Hint h;
    h.window->IsHTML = true;
    h.window->SetWordWrap(true);
    const std::u16string text = u"<html>one two three four five six seven eight";
    // The narrowest limit that still lays the text out on one line: a few pixels less would
    // wrap its last word.
    auto render = NewGdiHTMLRender();
    render->Data()->DefaultFont = h.window->Font()->Name();
    render->Data()->DefaultHeight = h.window->Font()->Height();
    ASSERT_TRUE(render->PrepareText(text, 10000, false));
    const int oneLine = render->Data()->TextSize.cy;
    int limit = render->Data()->TextSize.cx;
    while (render->PrepareText(text, limit - 1, true) && render->Data()->TextSize.cy == oneLine)
        --limit;
    ASSERT_TRUE(render->PrepareText(text, limit, true));
    const int width = render->Data()->TextSize.cx;
    const int line = h.LineHeight();
    const TRect r = h.window->CalcHintRectW(limit, text);  // the width the hint is shown at
    EXPECT_EQ(r.Width(), width + 6);
    EXPECT_LT(r.Height(), 2 * line);
    h.window->ActivateHintW(Bounds(100, 100, r.Width(), r.Height()), text);
    const Pixels px = h.Read();
    // The last word ends the one line: text pixels at its right end.
    EXPECT_GT(Count(px, 0x000000, width - 12, 0, width + 2, px.height, 90), 0);
}

TEST(ElHintWindow, InstalledItShowsTheApplicationsHintsWithMarkupAsHTML)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(100, 100, 300, 200);
    auto* spot = new TCustomControl(form.get());
    spot->SetParent(form.get());
    spot->SetBounds(10, 10, 100, 60);
    spot->Hint = u"<html><b>Bold</b> hint|status text";
    spot->ShowHint = true;
    Application->HintPause = 30;
    Application->HintHidePause = 5000;
    Application->SetShowHint(true);
    form->Show();
    InstallElHintWindow();
    PostMessageW(spot->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    ASSERT_TRUE(PumpUntil([] { return Application->HintWindow() && Application->HintWindow()->Visible(); }));
    auto* hint = dynamic_cast<TElHintWindow*>(Application->HintWindow());
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->IsHTML);
    EXPECT_EQ(hint->WideCaption(), u"<html><b>Bold</b> hint");
    // Laid out as markup: the tags take no room.
    EXPECT_LT(hint->Width(), hint->CalcHintRectW(1000, u"<html>xxxxxxxxxxxxxxxxxxxxxxxxxxxxx").Width());
    Application->CancelHint();
    Application->SetHintWindowClass(nullptr);
}

}  // namespace
