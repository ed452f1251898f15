// The drawing surface over GDI and the scoped GDI objects: what is drawn reads back by pixel
// from memory DCs and from a real window, text stays inside the box it was measured to, clips
// nest, and every borrowed DC gets its own state back.
#include "framework/Bitmap.h"
#include "framework/GdiSurface.h"
#include "framework/ScopedGdi.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF;

TFontSpec Arial(int Height, TFontStyles Style = 0)
{
    TFontSpec f;
    f.Name = u"Arial";
    f.Height = Height;
    f.Style = Style;
    f.Color = clBlack;
    return f;
}

uint32_t At(const TMemoryDC& Dc, int X, int Y)
{
    GdiFlush();
    return Dc.Bits()[Y * Dc.Width() + X] & 0xFFFFFF;
}

// Pixels other than Background outside R.
int InkOutside(const TMemoryDC& Dc, const TRect& R, uint32_t Background)
{
    int n = 0;
    for (int y = 0; y < Dc.Height(); ++y)
        for (int x = 0; x < Dc.Width(); ++x)
            n += !R.Contains({x, y}) && At(Dc, x, y) != Background;
    return n;
}

TEST(GdiSurface, FillsFramesAndLinesLandOnTheirPixels)
{
    TMemoryDC dc(nullptr, 40, 30);
    ASSERT_TRUE(dc.Valid());
    GdiSurface s(dc);
    s.FillRect({0, 0, 40, 30}, clWhite);
    s.FillRect({2, 3, 12, 9}, clRed);
    s.FrameRect({20, 2, 30, 12}, clBlue);
    s.Line({0, 20}, {30, 20}, clBlue);   // up to, not including, x = 30
    s.FillRect({5, 25, 6, 26}, clNone);  // nothing
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool frame = x >= 20 && x < 30 && y >= 2 && y < 12 && (x == 20 || x == 29 || y == 2 || y == 11);
            const uint32_t want = (x >= 2 && x < 12 && y >= 3 && y < 9) ? kRed
                                  : frame || (y == 20 && x < 30)      ? kBlue
                                                                      : kWhite;
            ASSERT_EQ(At(dc, x, y), want) << x << "," << y;
        }
}

TEST(GdiSurface, TextStaysInsideItsMeasuredBoxAndMetricsAgree)
{
    TMemoryDC dc(nullptr, 200, 60);
    GdiSurface s(dc);
    s.SetFont(Arial(-16));
    const TFontMetrics m = s.FontMetrics();
    EXPECT_GT(m.Descent, 0);
    EXPECT_EQ(m.Height, m.Ascent + m.Descent);

    const std::u16string text = u"Wg|\U0001D11EQy";  // a surrogate pair in the middle
    const TSize size = s.TextExtent(text);
    EXPECT_EQ(size.cy, m.Height);
    std::vector<int32_t> ends;
    s.TextEnds(text, ends);
    ASSERT_EQ(ends.size(), text.size());
    EXPECT_EQ(ends[3], ends[4]) << "a pair is whole at its high half";
    EXPECT_GT(ends[3], ends[2]);
    EXPECT_EQ(ends.back(), size.cx);

    s.FillRect({0, 0, 200, 60}, clWhite);
    s.DrawText(30, 20, text);
    EXPECT_EQ(InkOutside(dc, Bounds(30, 20, size.cx, size.cy), kWhite), 0);
    EXPECT_GT(InkOutside(dc, {0, 0, 0, 0}, kWhite), 30) << "some text was drawn";

    // With a background the whole cell is filled first, and nothing beyond it.
    s.DrawText(30, 20, text, clBlue);
    EXPECT_EQ(At(dc, 30, 20), kBlue);
    EXPECT_EQ(At(dc, 30 + size.cx - 1, 20 + size.cy - 1), kBlue);
    EXPECT_EQ(InkOutside(dc, Bounds(30, 20, size.cx, size.cy), kWhite), 0);

    const int32_t regular = s.TextExtent(u"WWWW").cx;
    s.SetFont(Arial(-16, fsBold));
    EXPECT_GT(s.TextExtent(u"WWWW").cx, regular);
}

TEST(GdiSurface, ClipsNestWithinTheDcsOwnAndEverythingIsGivenBack)
{
    TMemoryDC dc(nullptr, 40, 40);
    const HGDIOBJ ownFont = GetCurrentObject(dc.Handle(), OBJ_FONT);
    const HGDIOBJ ownPen = GetCurrentObject(dc.Handle(), OBJ_PEN);
    {
        GdiSurface s(dc);
        s.FillRect({0, 0, 40, 40}, clWhite);
        s.PushClip({10, 10, 30, 30});
        s.PushClip({20, 0, 40, 20});
        EXPECT_EQ(s.ClipBounds(), (TRect{20, 10, 30, 20}));
        s.FillRect({0, 0, 40, 40}, clRed);
        EXPECT_EQ(InkOutside(dc, {20, 10, 30, 20}, kWhite), 0);
        s.PopClip();
        s.FillRect({0, 0, 40, 40}, clBlue);
        EXPECT_EQ(At(dc, 10, 29), kBlue);
        EXPECT_EQ(At(dc, 9, 29), kWhite);
        s.PopClip();
        s.PopClip();  // one too many: the whole area stays
        EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 40, 40}));
        s.SetFont(Arial(-13, fsItalic));
        EXPECT_NE(GetCurrentObject(dc.Handle(), OBJ_FONT), ownFont);
    }
    EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_FONT), ownFont);
    EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_PEN), ownPen);

    // A clip the DC had stays in force under the surface's, and is its own again afterwards.
    const TGdiObject<HRGN> region(CreateRectRgn(5, 5, 25, 25));
    SelectClipRgn(dc.Handle(), region.get());
    HGDIOBJ italic = nullptr;
    {
        GdiSurface s(dc);
        s.PushClip({0, 0, 15, 40});
        EXPECT_EQ(s.ClipBounds(), (TRect{5, 5, 15, 25}));
        s.PopClip();
        EXPECT_EQ(s.ClipBounds(), (TRect{5, 5, 25, 25}));
        s.SetFont(Arial(-13, fsItalic));
        italic = GetCurrentObject(dc.Handle(), OBJ_FONT);
    }
    RECT box{};
    GetClipBox(dc.Handle(), &box);
    EXPECT_EQ(box.right, 25);
    TMemoryDC other(nullptr, 10, 10);
    GdiSurface second(other);
    second.SetFont(Arial(-13, fsItalic));
    EXPECT_EQ(GetCurrentObject(other.Handle(), OBJ_FONT), italic) << "fonts are made once and shared";
}

TEST(GdiSurface, OverACanvasStartsWithItsFont)
{
    TBitmap bmp(60, 30);
    TCanvas* c = bmp.Canvas();
    c->Font()->SetName(u"Arial");
    c->Font()->SetHeight(-20);
    c->Font()->SetColor(clRed);
    const TSize canvasSize = c->TextExtent(u"Hello");
    {
        GdiSurface s(*c);
        EXPECT_EQ(s.Font(), c->Font()->Spec());
        EXPECT_EQ(s.TextExtent(u"Hello"), canvasSize);
        s.FillRect({0, 0, 60, 30}, clWhite);
        s.DrawText(0, 0, u"l");
    }
    int red = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            red += bmp.Pixel(x, y) == clRed;
    EXPECT_GT(red, 5);
    EXPECT_EQ(c->TextExtent(u"Hello"), canvasSize) << "the canvas still measures in its own font";
}

// A window that paints itself through a paint DC and the surface; the paint may throw.
bool gThrowInPaint = false;
LRESULT CALLBACK SurfaceWindowProc(HWND Wnd, UINT Msg, WPARAM W, LPARAM L)
{
    if (Msg != WM_PAINT)
        return DefWindowProcW(Wnd, Msg, W, L);
    try {
        TPaintDC paint(Wnd);
        GdiSurface s(paint.Handle());
        s.FillRect({0, 0, 80, 60}, clWhite);
        s.PushClip({0, 0, 40, 60});
        s.FillRect({10, 10, 70, 50}, clRed);
        s.PopClip();
        s.FrameRect({50, 10, 70, 50}, clBlue);
        if (gThrowInPaint)
            throw std::runtime_error("paint failed");
    } catch (...) {
    }
    return 0;
}

TEST(GdiSurface, PaintsARealWindowAndEndsThePaintWhenItThrows)
{
    l3d::testing::TestWindow window(L"Surface", 80, 60, SurfaceWindowProc);
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    const auto px = l3d::testing::ReadClientPixels(window.Handle(), RECT{0, 0, 80, 60});
    EXPECT_EQ(px.At(20, 30), kRed);
    EXPECT_EQ(px.At(45, 30), kWhite) << "outside the clip";
    EXPECT_EQ(px.At(50, 30), kBlue);
    EXPECT_EQ(px.At(60, 30), kWhite);

    gThrowInPaint = true;
    InvalidateRect(window.Handle(), nullptr, FALSE);
    UpdateWindow(window.Handle());
    gThrowInPaint = false;
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(window.Handle(), &update, FALSE)) << "EndPaint validated the window";
}

TEST(ScopedGdi, ObjectsSelectionsAndLentDcsAreGivenBack)
{
    TMemoryDC dc(nullptr, 8, 8);
    const HGDIOBJ ownBrush = GetCurrentObject(dc.Handle(), OBJ_BRUSH);
    HBRUSH brushHandle = nullptr;
    {
        TGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
        brushHandle = brush.get();
        const TSelectedObject selected(dc.Handle(), brush.get());
        EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_BRUSH), brushHandle);
    }
    EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_BRUSH), ownBrush);
    EXPECT_EQ(GetObjectType(brushHandle), 0u) << "deleted after it was deselected";

    // A memory DC deletes its own bitmap, and leaves a borrowed one alone and free to select.
    const TGdiObject<HBITMAP> kept(CreateBitmap(4, 4, 1, 32, nullptr));
    { const TMemoryDC borrowing(nullptr, kept.get()); }
    EXPECT_TRUE(TMemoryDC(nullptr, kept.get()).Valid()) << "the borrowed bitmap was deselected";
    HGDIOBJ dib = nullptr;
    { dib = GetCurrentObject(TMemoryDC(nullptr, 8, 8).Handle(), OBJ_BITMAP); }
    EXPECT_EQ(GetObjectType(dib), 0u);
    EXPECT_FALSE(TMemoryDC(nullptr, 0, 0).Valid());

    // A canvas lent another DC takes up its own again, and the lent DC gets its font back.
    TMemoryDC second(nullptr, 8, 8);
    const HGDIOBJ secondFont = GetCurrentObject(second.Handle(), OBJ_FONT);
    TCanvas canvas;
    canvas.SetHandle(dc.Handle());
    {
        const TCanvasLoan loan(canvas, second.Handle());
        canvas.TextExtent(u"x");  // selects the canvas's font
        EXPECT_NE(GetCurrentObject(second.Handle(), OBJ_FONT), secondFont);
    }
    EXPECT_EQ(canvas.Handle(), dc.Handle());
    EXPECT_EQ(GetCurrentObject(second.Handle(), OBJ_FONT), secondFont);
    canvas.SetHandle(nullptr);
}

}  // namespace
