// The painting routines on memory bitmaps: pixels are read back and compared with the colours
// the routines promise (never with images of text).
#include "widgets/el/foundation/ElDrawing.h"

#include "framework/Forms.h"
#include "framework/Graphics.h"

#include "support/gui_test.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TColor Sys(TColor c)
{
    return static_cast<TColor>(ColorToRGB(c));
}

// A bitmap filled with one colour, drawn on through its canvas's DC.
struct Surface {
    Surface(int w, int h, TColor fill = clWhite) : bitmap(w, h)
    {
        FillSolidRect(DC(), {0, 0, w, h}, fill);
    }
    HDC DC() { return bitmap.Canvas()->Handle(); }
    TColor At(int x, int y) { return bitmap.Pixel(x, y); }
    int Count(TColor c)
    {
        int n = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                n += At(x, y) == c;
        return n;
    }
    TBitmap bitmap;
};

TEST(Drawing, FillSolidRectFillsAndKeepsTheBackgroundColour)
{
    Surface s(10, 10);
    SetBkColor(s.DC(), RGB(1, 2, 3));
    FillSolidRect(s.DC(), {2, 3, 5, 7}, clRed);
    EXPECT_EQ(GetBkColor(s.DC()), RGB(1, 2, 3));
    EXPECT_EQ(s.Count(clRed), 3 * 4);
    EXPECT_EQ(s.At(2, 3), clRed);
    EXPECT_EQ(s.At(5, 3), clWhite);
    FillSolidRect(s.DC(), {0, 0, 1, 1}, clBtnFace);
    EXPECT_EQ(s.At(0, 0), Sys(clBtnFace));
}

TEST(Drawing, GradientBands)
{
    Surface s(10, 40);
    const TColor start = MakeRGB(0, 0, 0), end = MakeRGB(240, 120, 60);
    GradientFillRect(s.DC(), {0, 0, 10, 40}, start, end, 4, true);
    EXPECT_EQ(s.At(5, 0), start);
    EXPECT_EQ(s.At(5, 9), start);
    EXPECT_EQ(s.At(5, 10), GradientBandColor(start, end, 1, 4));
    EXPECT_EQ(s.At(5, 25), GradientBandColor(start, end, 2, 4));
    EXPECT_EQ(s.At(5, 39), end);

    GradientFillRect(s.DC(), {0, 0, 10, 40}, clRed, clBlue, 1, false);
    EXPECT_EQ(s.Count(clRed), 400);  // one band: the start colour

    GradientFillRect(s.DC(), {0, 0, 10, 40}, clLime, clBlue, 0, false);
    EXPECT_EQ(s.Count(clRed), 400);  // no steps, nothing drawn
}

TEST(Drawing, ArrowsAreSmallTrianglesAndNeedRoom)
{
    Surface s(20, 20);
    DrawArrow(s.bitmap.Canvas(), 0, {0, 0, 20, 20}, clBlack, true);
    EXPECT_EQ(s.Count(clBlack), 1 + 3 + 5 + 7);
    // A left arrow: the tip column holds one pixel, the base column seven.
    EXPECT_EQ(s.At(8, 9), clBlack);
    EXPECT_EQ(s.At(8, 8), clWhite);
    for (int y = 6; y < 13; ++y)
        EXPECT_EQ(s.At(11, y), clBlack);

    Surface flat(20, 20);
    DrawArrow(flat.bitmap.Canvas(), 3, {0, 0, 20, 2}, clBlack, true);
    EXPECT_EQ(flat.Count(clBlack), 0);

    Surface disabled(20, 20, clRed);
    DrawArrow(disabled.bitmap.Canvas(), 1, {0, 0, 20, 20}, clBlack, false);
    EXPECT_EQ(disabled.Count(clBlack), 0);
    EXPECT_EQ(disabled.Count(Sys(clBtnShadow)), 16);
    EXPECT_GT(disabled.Count(Sys(clBtnHighlight)), 0);
}

TEST(Drawing, EdgesFollowTheTableAndAdjustLikeTheSystem)
{
    Surface s(20, 20, clRed);
    TRect r{0, 0, 20, 20};
    DrawEdgeEx(s.DC(), r, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
    EXPECT_EQ(r, (TRect{2, 2, 18, 18}));
    EXPECT_EQ(s.At(0, 10), Sys(clBtnFace));
    EXPECT_EQ(s.At(19, 10), Sys(cl3DDkShadow));
    EXPECT_EQ(s.At(10, 19), Sys(cl3DDkShadow));
    EXPECT_EQ(s.At(1, 10), Sys(clBtnHighlight));
    EXPECT_EQ(s.At(18, 10), Sys(clBtnShadow));
    EXPECT_EQ(s.At(10, 10), Sys(clBtnFace));
    EXPECT_EQ(s.Count(clRed), 0);

    Surface sunken(20, 20, clRed);
    r = {0, 0, 20, 20};
    DrawEdgeEx(sunken.DC(), r, BDR_SUNKENOUTER, BF_LEFT | BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(r, (TRect{1, 0, 20, 19}));
    EXPECT_EQ(sunken.At(0, 5), Sys(clBtnShadow));
    EXPECT_EQ(sunken.At(10, 19), Sys(clBtnHighlight));
    EXPECT_EQ(sunken.At(19, 5), clRed);

    // The rings sit where the system's DrawEdge puts them.
    Surface system(20, 20, clRed);
    RECT sr{0, 0, 20, 20};
    DrawEdge(system.DC(), &sr, EDGE_ETCHED, BF_RECT | BF_ADJUST);
    Surface own(20, 20, clRed);
    r = {0, 0, 20, 20};
    DrawEdgeEx(own.DC(), r, EDGE_ETCHED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, (TRect{sr.left, sr.top, sr.right, sr.bottom}));
    EXPECT_EQ(own.Count(clRed), system.Count(clRed));
}

TEST(Drawing, FlatFramesAndBevelLines)
{
    Surface s(20, 20, clRed);
    TElFrameColors colors;
    colors.Line = clBlack;
    colors.Window = clWhite;
    TRect inner = DrawFlatFrame(s.DC(), {0, 0, 20, 20}, colors, fbtLineBorder, AllBorderSides);
    EXPECT_EQ(inner, (TRect{2, 2, 18, 18}));
    EXPECT_EQ(s.At(0, 7), clBlack);
    EXPECT_EQ(s.At(19, 7), clBlack);
    EXPECT_EQ(s.At(1, 7), clWhite);
    EXPECT_EQ(s.At(10, 10), clRed);

    Surface partial(20, 20, clRed);
    inner = DrawFlatFrame(partial.DC(), {0, 0, 20, 20}, colors, fbtLine, (1 << ebsLeft) | (1 << ebsTop));
    EXPECT_EQ(inner, (TRect{1, 1, 20, 20}));
    EXPECT_EQ(partial.At(19, 10), clRed);
    EXPECT_EQ(partial.At(10, 0), clBlack);

    Surface none(20, 20, clRed);
    EXPECT_EQ(DrawFlatFrame(none.DC(), {0, 0, 20, 20}, colors, fbtNone, AllBorderSides), (TRect{0, 0, 20, 20}));
    EXPECT_EQ(none.Count(clRed), 400);

    Surface bevel(10, 10, clRed);
    EXPECT_EQ(DrawBevelLines(bevel.DC(), {0, 0, 10, 10}, emLeft | emBottom, clWhite, clBlack), (TRect{1, 0, 10, 9}));
    EXPECT_EQ(bevel.At(0, 3), clWhite);
    EXPECT_EQ(bevel.At(5, 9), clBlack);
    EXPECT_EQ(bevel.At(0, 9), clBlack);  // the shared corner takes the bottom-right colour
    EXPECT_EQ(bevel.At(9, 3), clRed);
}

TEST(Drawing, ButtonShadesOfAColourKeepItsHue)
{
    const TColor base = MakeRGB(40, 80, 160);
    TElEdgeColors shades = ButtonShades(base);
    auto lightness = [](TColor c) { return (RGBToHLS(Sys(c)) >> 8) & 0xFF; };
    EXPECT_GT(lightness(shades.Highlight), lightness(base));
    EXPECT_LT(lightness(shades.Shadow), lightness(base));
    EXPECT_LT(lightness(shades.DkShadow), lightness(shades.Shadow));
    EXPECT_EQ(ButtonShades(clBtnFace).Shadow, clBtnShadow);
    EXPECT_EQ(ButtonShades(clBlack).Highlight, clBtnHighlight);

    Surface s(20, 20, clRed);
    DrawButtonFrameByColor(s.DC(), {0, 0, 20, 20}, BF_RECT, false, false, base);
    EXPECT_EQ(s.At(1, 10), Sys(shades.Highlight));
    EXPECT_EQ(s.At(19, 10), Sys(shades.DkShadow));
    DrawButtonFrameByColor(s.DC(), {0, 0, 20, 20}, BF_RECT, true, true, base);
    EXPECT_EQ(s.At(0, 10), Sys(shades.Shadow));
}

TEST(Drawing, TransparentCopyLeavesTheKeyColourOut)
{
    TBitmap source(4, 4);
    FillSolidRect(source.Canvas()->Handle(), {0, 0, 4, 4}, clFuchsia);
    FillSolidRect(source.Canvas()->Handle(), {0, 0, 2, 4}, clLime);
    Surface s(10, 10, clBlue);
    DrawTransparentBitmap(s.DC(), &source, 3, 3, {0, 0, 4, 4}, clFuchsia);
    EXPECT_EQ(s.At(3, 3), clLime);
    EXPECT_EQ(s.At(4, 6), clLime);
    EXPECT_EQ(s.At(5, 3), clBlue);
    EXPECT_EQ(s.At(6, 6), clBlue);
    EXPECT_EQ(s.Count(clLime), 8);
}

TEST(Drawing, TilesRepeatAndClipAtTheEdges)
{
    TBitmap tile(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.SetPixel(x, y, MakeRGB(x * 80, y * 100, 7));
    Surface s(12, 8, clRed);
    TileBitmap(s.bitmap.Canvas(), {1, 1, 8, 6}, &tile);
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 8; ++x)
            ASSERT_EQ(s.At(x, y), MakeRGB(((x - 1) % 3) * 80, ((y - 1) % 2) * 100, 7)) << x << "," << y;
    EXPECT_EQ(s.At(8, 3), clRed);
    EXPECT_EQ(s.At(3, 6), clRed);
    EXPECT_EQ(s.Count(clRed), 96 - 35);
}

TEST(Drawing, AlphaBlending)
{
    Surface src(6, 6, clRed), dst(6, 6, clBlue);
    AlphaCopy(dst.DC(), {0, 0, 6, 6}, src.DC(), {0, 0, 6, 6}, true, 128);
    EXPECT_EQ(dst.At(2, 2), MakeRGB(127, 0, 127));

    // Stretched: a 3x3 source area fills the 6x6 destination.
    Surface half(6, 6, clBlue);
    AlphaCopy(half.DC(), {0, 0, 6, 6}, src.DC(), {0, 0, 3, 3}, true, 255);
    EXPECT_EQ(half.Count(MakeRGB(254, 0, 0)), 36);

    Surface fill(4, 4, clBlack);
    AlphaFillRect(fill.DC(), {0, 0, 2, 4}, clWhite, 64);
    EXPECT_EQ(fill.At(0, 0), MakeRGB(63, 63, 63));
    EXPECT_EQ(fill.At(3, 0), clBlack);

    TBitmap mask(6, 6);
    FillSolidRect(mask.Canvas()->Handle(), {0, 0, 6, 6}, clBlack);
    FillSolidRect(mask.Canvas()->Handle(), {0, 0, 3, 6}, clWhite);
    Surface masked(6, 6, clBlue);
    AlphaCopyMasked(masked.DC(), {0, 0, 6, 6}, src.DC(), {0, 0, 6, 6}, &mask, 255);
    EXPECT_EQ(masked.At(0, 0), MakeRGB(254, 0, 0));
    EXPECT_EQ(masked.At(5, 0), clBlue);
}

TEST(Drawing, PerPixelAlphaComesFromTheSourcesAlphaByte)
{
    TBitmap source(2, 1);
    source.Canvas();
    source.ScanLine(0)[0] = 0xFFFF0000;  // opaque red
    source.ScanLine(0)[1] = 0x00FF0000;  // transparent red
    EXPECT_FALSE(IsAlphaEmpty(source.Handle()));
    Surface dst(2, 1, clBlue);
    AlphaCopy(dst.DC(), {0, 0, 2, 1}, source.Canvas()->Handle(), {0, 0, 2, 1}, false, 0);
    EXPECT_EQ(dst.At(0, 0), MakeRGB(254, 0, 0));
    EXPECT_EQ(dst.At(1, 0), clBlue);

    TBitmap plain(3, 3);
    EXPECT_TRUE(IsAlphaEmpty(plain.Handle()));
    EXPECT_TRUE(IsAlphaEmpty(nullptr));
}

TEST(Drawing, DottedRectangleAlternates)
{
    Surface s(10, 10);
    s.bitmap.Canvas()->Pen()->SetColor(clBlack);
    DrawDottedRect(s.bitmap.Canvas(), 0, 0, 10, 10);
    EXPECT_EQ(s.At(0, 0), clBlack);
    EXPECT_EQ(s.At(1, 0), clWhite);
    EXPECT_EQ(s.At(2, 0), clBlack);
    EXPECT_EQ(s.At(9, 1), clBlack);
    EXPECT_EQ(s.At(5, 5), clWhite);
    EXPECT_EQ(s.Count(clBlack), 18);
}

TEST(Drawing, ShadowedTextAddsAShadowInTheButtonShadowColour)
{
    Surface s(80, 30);
    TCanvas* canvas = s.bitmap.Canvas();
    canvas->Font()->SetColor(clBlack);
    canvas->Font()->SetHeight(-14);
    DrawTypedText(canvas, u"Hg", {2, 2, 80, 30}, DT_SINGLELINE | DT_LEFT | DT_TOP, tdtShadowed);
    EXPECT_GT(s.Count(clBlack), 0);
    EXPECT_GT(s.Count(Sys(clBtnShadow)), 0);

    Surface plain(80, 30);
    plain.bitmap.Canvas()->Font()->SetColor(clBlack);
    DrawTypedText(plain.bitmap.Canvas(), u"Hg", {2, 2, 80, 30}, DT_SINGLELINE, tdtNormal);
    EXPECT_EQ(plain.Count(Sys(clBtnShadow)), 0);

    // DT_CALCRECT measures without drawing; the private flag is ignored.
    Surface measure(80, 30);
    TRect r{0, 0, 0, 0};
    DrawWideText(measure.DC(), u"Hg", -1, r, DT_CALCRECT | DT_SINGLELINE | 0x10000000);
    EXPECT_GT(r.Right, 0);
    EXPECT_GT(r.Bottom, 0);
    EXPECT_EQ(measure.Count(clWhite), 80 * 30);
}

TEST(Drawing, FlatScrollBarsPaintTheBarsOfTheWindow)
{
    l3d::testing::TestWindow window(L"flat bars", 200, 150, DefWindowProcW, nullptr, nullptr,
                                    WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    si.nMax = 99;
    si.nPage = 10;
    si.nPos = 0;
    SetScrollInfo(window.Handle(), SB_VERT, &si, FALSE);
    EXPECT_EQ(GetScrollBarPos(window.Handle(), SB_VERT), 0);
    EXPECT_EQ(GetScrollBarPos(nullptr, SB_VERT), -1);

    RECT wr, cr;
    GetWindowRect(window.Handle(), &wr);
    GetClientRect(window.Handle(), &cr);
    MapWindowPoints(window.Handle(), nullptr, reinterpret_cast<POINT*>(&cr), 2);
    Surface s(wr.right - wr.left, wr.bottom - wr.top, clRed);
    DrawFlatScrollBars(window.Handle(), s.DC(), {0, 0, s.bitmap.Width(), s.bitmap.Height()}, true);
    const int barX = cr.right - wr.left + GetSystemMetrics(SM_CXVSCROLL) / 2;
    const int top = cr.top - wr.top;
    EXPECT_EQ(s.At(barX, top + 2), Sys(clBtnFace));  // the up button
    EXPECT_NE(s.At(barX, top + 5), clRed);
    EXPECT_EQ(s.At(cr.left - wr.left + 5, top + 5), clRed);  // the client area is left alone

    Surface skipped(wr.right - wr.left, wr.bottom - wr.top, clRed);
    EnableWindow(window.Handle(), FALSE);
    DrawFlatScrollBars(window.Handle(), skipped.DC(), {0, 0, skipped.bitmap.Width(), skipped.bitmap.Height()}, true);
    EXPECT_EQ(skipped.Count(clRed), skipped.bitmap.Width() * skipped.bitmap.Height());
}

TEST(Drawing, OwnersKeysNumbersAndDisplayOptions)
{
    auto* form = CreateComponent<TForm>(nullptr);
    auto* middle = new TComponent(form);
    auto* leaf = new TComponent(middle);
    EXPECT_EQ(GetOwnerForm(leaf), form);
    EXPECT_EQ(GetTopOwnerControl(leaf), form);
    auto* loose = new TComponent(nullptr);
    auto* child = new TComponent(loose);
    EXPECT_EQ(GetOwnerForm(child), nullptr);
    EXPECT_EQ(GetTopOwnerControl(child), loose);
    Free(loose);
    Free(form);

    EXPECT_EQ(ShiftStateToKeyData(ssAlt | ssCtrl), 0x20000000u);
    EXPECT_EQ(ShiftStateToKeyData(ssShift), 0u);
    std::string text;
    UIntToStrA(4294967295u, text);
    EXPECT_EQ(text, "4294967295");

    TElDisplayOptions a, b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.SetTextColor(clWindowText);  // unchanged: no event
    EXPECT_EQ(changes, 0);
    a.SetEnabled(true);
    a.SetBkColor(clRed);
    a.SetTextColor(clLime);
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.BkColor(), clRed);
    EXPECT_EQ(b.TextColor(), clLime);
}

}  // namespace
