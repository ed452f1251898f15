// The drawing surface over GDI and the scoped GDI objects: what is drawn reads back by pixel
// from memory DCs and from a real window, text stays inside the box it was measured to, clips
// nest, and every borrowed DC gets its own state back.
#include "framework/Bitmap.h"
#include "framework/GdiSurface.h"
#include "framework/ScopedGdi.h"

#include "support/gui_test.h"

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

// Pixels of a memory DC (0x00RRGGBB) other than Background inside and outside R.
struct Spread {
    int Inside = 0, Outside = 0;
};
Spread InkAround(const TMemoryDC& Dc, const TRect& R, uint32_t Background)
{
    GdiFlush();
    Spread s;
    for (int y = 0; y < Dc.Height(); ++y)
        for (int x = 0; x < Dc.Width(); ++x)
            if ((Dc.Bits()[y * Dc.Width() + x] & 0xFFFFFF) != Background)
                ++(R.Contains({x, y}) ? s.Inside : s.Outside);
    return s;
}

uint32_t At(const TMemoryDC& Dc, int X, int Y)
{
    GdiFlush();
    return Dc.Bits()[Y * Dc.Width() + X] & 0xFFFFFF;
}

TEST(GdiSurface, FillsFramesAndLinesLandOnTheirPixels)
{
    TMemoryDC dc(nullptr, 40, 30);
    ASSERT_TRUE(dc.Valid());
    GdiSurface s(dc);
    s.FillRect({0, 0, 40, 30}, clWhite);
    s.FillRect({2, 3, 12, 9}, clRed);
    s.FrameRect({20, 2, 30, 12}, clBlue);
    s.Line({0, 20}, {30, 20}, clBlue);  // up to, not including, x = 30
    s.FillRect({5, 25, 6, 26}, clNone);  // nothing
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            uint32_t want = kWhite;
            if (x >= 2 && x < 12 && y >= 3 && y < 9)
                want = kRed;
            else if ((x >= 20 && x < 30 && (y == 2 || y == 11)) || ((x == 20 || x == 29) && y >= 2 && y < 12))
                want = kBlue;
            else if (y == 20 && x < 30)
                want = kBlue;
            ASSERT_EQ(At(dc, x, y), want) << x << "," << y;
        }
}

TEST(GdiSurface, TextStaysInsideItsMeasuredBoxAndMetricsAgree)
{
    TMemoryDC dc(nullptr, 200, 60);
    GdiSurface s(dc);
    s.SetFont(Arial(-16));
    const TFontMetrics m = s.FontMetrics();
    EXPECT_GT(m.Ascent, 0);
    EXPECT_GT(m.Descent, 0);
    EXPECT_EQ(m.Height, m.Ascent + m.Descent);
    EXPECT_GT(m.AveCharWidth, 0);

    const std::u16string text = u"Wg|Qy";
    const TSize size = s.TextExtent(text);
    EXPECT_EQ(size.cy, m.Height);
    std::vector<int32_t> ends;
    s.TextEnds(text, ends);
    ASSERT_EQ(ends.size(), text.size());
    for (size_t i = 1; i < ends.size(); ++i)
        EXPECT_GT(ends[i], ends[i - 1]);
    EXPECT_EQ(ends.back(), size.cx);

    s.FillRect({0, 0, 200, 60}, clWhite);
    s.DrawText(30, 20, text);
    const Spread ink = InkAround(dc, Bounds(30, 20, size.cx, size.cy), kWhite);
    EXPECT_GT(ink.Inside, 30);
    EXPECT_EQ(ink.Outside, 0);

    // With a background the whole cell is filled first, and nothing beyond it.
    s.FillRect({0, 0, 200, 60}, clWhite);
    s.DrawText(30, 20, text, clBlue);
    EXPECT_EQ(At(dc, 30, 20), kBlue);
    EXPECT_EQ(At(dc, 30 + size.cx - 1, 20 + size.cy - 1), kBlue);
    EXPECT_EQ(At(dc, 30 + size.cx, 20), kWhite);
    EXPECT_EQ(At(dc, 29, 20 + size.cy - 1), kWhite);

    // Bold measures wider; a larger height gives a taller cell.
    const int32_t regular = s.TextExtent(u"WWWW").cx;
    s.SetFont(Arial(-16, fsBold));
    EXPECT_GT(s.TextExtent(u"WWWW").cx, regular);
    s.SetFont(Arial(-30));
    EXPECT_GT(s.FontMetrics().Height, m.Height);
}

TEST(GdiSurface, SurrogatePairIsWholeAtItsHighHalf)
{
    TMemoryDC dc(nullptr, 10, 10);
    GdiSurface s(dc);
    s.SetFont(Arial(-16));
    const std::u16string text = u"a\U0001D11Eb";  // a, a pair, b
    std::vector<int32_t> ends;
    s.TextEnds(text, ends);
    ASSERT_EQ(ends.size(), 4u);
    EXPECT_EQ(ends[1], ends[2]);
    EXPECT_GT(ends[1], ends[0]);
    EXPECT_EQ(ends[3], s.TextExtent(text).cx);
}

TEST(GdiSurface, ClipsNestAndPopBack)
{
    TMemoryDC dc(nullptr, 40, 40);
    GdiSurface s(dc);
    s.FillRect({0, 0, 40, 40}, clWhite);
    EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 40, 40}));
    s.PushClip({10, 10, 30, 30});
    s.PushClip({20, 0, 40, 20});
    EXPECT_EQ(s.ClipBounds(), (TRect{20, 10, 30, 20}));
    s.FillRect({0, 0, 40, 40}, clRed);
    EXPECT_EQ(InkAround(dc, {20, 10, 30, 20}, kWhite).Outside, 0);
    EXPECT_EQ(At(dc, 25, 15), kRed);
    s.PopClip();
    EXPECT_EQ(s.ClipBounds(), (TRect{10, 10, 30, 30}));
    s.FillRect({0, 0, 40, 40}, clBlue);
    EXPECT_EQ(At(dc, 10, 29), kBlue);
    EXPECT_EQ(At(dc, 9, 29), kWhite);
    s.PopClip();
    s.PopClip();  // one too many: the surface's whole area stays
    EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 40, 40}));

    // Disjoint clips leave nothing to draw on.
    s.PushClip({0, 0, 5, 5});
    s.PushClip({10, 10, 20, 20});
    s.FillRect({0, 0, 40, 40}, clBlack);
    EXPECT_EQ(At(dc, 2, 2), kWhite);
    EXPECT_EQ(At(dc, 15, 15), kBlue);
}

TEST(GdiSurface, TheDcGetsItsOwnStateBackAndFontsAreShared)
{
    TMemoryDC dc(nullptr, 40, 40);
    HGDIOBJ ownFont = GetCurrentObject(dc.Handle(), OBJ_FONT);
    HGDIOBJ ownPen = GetCurrentObject(dc.Handle(), OBJ_PEN);
    HRGN region = CreateRectRgn(5, 5, 25, 25);
    SelectClipRgn(dc.Handle(), region);
    DeleteObject(region);
    HGDIOBJ surfaceFont = nullptr;
    {
        GdiSurface first(dc);
        first.SetFont(Arial(-13, fsItalic));
        surfaceFont = GetCurrentObject(dc.Handle(), OBJ_FONT);
        EXPECT_NE(surfaceFont, ownFont);
        // The DC's own clip stays in force under the surface's clips.
        first.PushClip({0, 0, 15, 40});
        EXPECT_EQ(first.ClipBounds(), (TRect{5, 5, 15, 25}));
        first.PopClip();
        EXPECT_EQ(first.ClipBounds(), (TRect{5, 5, 25, 25}));

        TMemoryDC other(nullptr, 10, 10);
        GdiSurface second(other);
        second.SetFont(Arial(-13, fsItalic));
        EXPECT_EQ(GetCurrentObject(other.Handle(), OBJ_FONT), surfaceFont) << "made once, shared";
    }
    EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_FONT), ownFont);
    EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_PEN), ownPen);
    RECT box{};
    GetClipBox(dc.Handle(), &box);
    EXPECT_EQ(box.right, 25);
}

TEST(GdiSurface, OverACanvasStartsWithItsFont)
{
    TBitmap bmp(60, 30);
    TCanvas* c = bmp.Canvas();
    c->Font()->SetName(u"Arial");
    c->Font()->SetHeight(-20);
    c->Font()->SetColor(clRed);
    const TSize canvasSize = c->TextExtent(u"Hello");
    TSize surfaceSize;
    {
        GdiSurface s(*c);
        EXPECT_EQ(s.Font(), c->Font()->Spec());
        surfaceSize = s.TextExtent(u"Hello");
        s.FillRect({0, 0, 60, 30}, clWhite);
        s.DrawText(0, 0, u"l");
    }
    EXPECT_EQ(surfaceSize, canvasSize);
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
    l3d::testing::PumpUntilIdle();
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

TEST(ScopedGdi, ObjectsAndSelectionsAreGivenBack)
{
    TMemoryDC dc(nullptr, 8, 8);
    HGDIOBJ ownBrush = GetCurrentObject(dc.Handle(), OBJ_BRUSH);
    HBRUSH brushHandle = nullptr;
    {
        TGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
        brushHandle = brush.get();
        TSelectedObject selected(dc.Handle(), brush.get());
        EXPECT_TRUE(selected.Selected());
        EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_BRUSH), brushHandle);
    }
    EXPECT_EQ(GetCurrentObject(dc.Handle(), OBJ_BRUSH), ownBrush);
    EXPECT_EQ(GetObjectType(brushHandle), 0u) << "deleted after it was deselected";

    // A memory DC deletes its own bitmap, and leaves a borrowed one alone and free to select.
    HGDIOBJ dib = GetCurrentObject(dc.Handle(), OBJ_BITMAP);
    TGdiObject<HBITMAP> kept(CreateBitmap(4, 4, 1, 32, nullptr));
    {
        TMemoryDC borrowing(nullptr, kept.get());
        EXPECT_TRUE(borrowing.Valid());
        EXPECT_EQ(borrowing.Bits(), nullptr);
    }
    TMemoryDC again(nullptr, kept.get());
    EXPECT_TRUE(again.Valid()) << "the borrowed bitmap was deselected";
    EXPECT_EQ(GetObjectType(dib), static_cast<DWORD>(OBJ_BITMAP));
    {
        TMemoryDC owning(nullptr, 8, 8);
        dib = GetCurrentObject(owning.Handle(), OBJ_BITMAP);
    }
    EXPECT_EQ(GetObjectType(dib), 0u);
    TMemoryDC empty(nullptr, 0, 0);
    EXPECT_FALSE(empty.Valid());
}

TEST(ScopedGdi, ACanvasLentADcLetsGoOfItAndTakesUpItsOwn)
{
    TMemoryDC first(nullptr, 8, 8), second(nullptr, 8, 8);
    HGDIOBJ secondFont = GetCurrentObject(second.Handle(), OBJ_FONT);
    TCanvas canvas;
    canvas.SetHandle(first.Handle());
    {
        TCanvasLoan loan(canvas, second.Handle());
        EXPECT_EQ(canvas.Handle(), second.Handle());
        canvas.TextExtent(u"x");  // selects the canvas's font
        EXPECT_NE(GetCurrentObject(second.Handle(), OBJ_FONT), secondFont);
    }
    EXPECT_EQ(canvas.Handle(), first.Handle());
    EXPECT_EQ(GetCurrentObject(second.Handle(), OBJ_FONT), secondFont);
    canvas.SetHandle(nullptr);
}

}  // namespace
