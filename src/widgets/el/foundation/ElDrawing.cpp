#include "widgets/el/foundation/ElDrawing.h"

#include "framework/Bitmap.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <algorithm>
#include <vector>

namespace {

RECT ToRECT(const TRect& R)
{
    return RECT{R.Left, R.Top, R.Right, R.Bottom};
}

TRect FromRECT(const RECT& R)
{
    return TRect{R.left, R.top, R.right, R.bottom};
}

TColor Resolved(TColor Color)
{
    return static_cast<TColor>(ColorToRGB(Color));
}

// Pixels of a memory DC's own DIB.
size_t PixelCount(const TMemoryDC& Area)
{
    return static_cast<size_t>(Area.Width()) * static_cast<size_t>(Area.Height());
}

// Blends Source (destination-sized, 32-bit) onto Dest's rectangle with a per-pixel weight.
template <class Weight>
void BlendOnto(HDC Dest, const TRect& DestRect, const TMemoryDC& Source, Weight WeightOf)
{
    const int w = DestRect.Width(), h = DestRect.Height();
    TMemoryDC dest(nullptr, w, h);
    if (!dest.Valid())
        return;
    BitBlt(dest.Handle(), 0, 0, w, h, Dest, DestRect.Left, DestRect.Top, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < PixelCount(dest); ++i)
        dest.Bits()[i] = BlendPixel(Source.Bits()[i], dest.Bits()[i], WeightOf(i, Source.Bits()[i]));
    BitBlt(Dest, DestRect.Left, DestRect.Top, w, h, dest.Handle(), 0, 0, SRCCOPY);
}

// Src's rectangle copied (or stretched) to a DIB of the destination's size; nullptr on failure.
std::unique_ptr<TMemoryDC> ReadSource(HDC Src, const TRect& SrcRect, int Width, int Height)
{
    auto area = std::make_unique<TMemoryDC>(nullptr, Width, Height);
    if (!area->Valid())
        return nullptr;
    if (SrcRect.Width() == Width && SrcRect.Height() == Height) {
        BitBlt(area->Handle(), 0, 0, Width, Height, Src, SrcRect.Left, SrcRect.Top, SRCCOPY);
    } else {
        SetStretchBltMode(area->Handle(), COLORONCOLOR);
        StretchBlt(area->Handle(), 0, 0, Width, Height, Src, SrcRect.Left, SrcRect.Top, SrcRect.Width(),
                   SrcRect.Height(), SRCCOPY);
    }
    GdiFlush();
    return area;
}

uint32_t EdgeMask(UINT Flags)
{
    return ((Flags & BF_LEFT) ? emLeft : 0) | ((Flags & BF_RIGHT) ? emRight : 0) | ((Flags & BF_TOP) ? emTop : 0) |
           ((Flags & BF_BOTTOM) ? emBottom : 0);
}

uint32_t SidesMask(TElBorderSides Sides)
{
    return ((Sides & (1 << ebsLeft)) ? emLeft : 0) | ((Sides & (1 << ebsRight)) ? emRight : 0) |
           ((Sides & (1 << ebsTop)) ? emTop : 0) | ((Sides & (1 << ebsBottom)) ? emBottom : 0);
}

UINT SidesFlags(TElBorderSides Sides)
{
    return ((Sides & (1 << ebsLeft)) ? BF_LEFT : 0) | ((Sides & (1 << ebsRight)) ? BF_RIGHT : 0) |
           ((Sides & (1 << ebsTop)) ? BF_TOP : 0) | ((Sides & (1 << ebsBottom)) ? BF_BOTTOM : 0);
}

}  // namespace

// ---- Colours

uint8_t GetRedValue(TColor Color) { return RedOf(Resolved(Color)); }
uint8_t GetGreenValue(TColor Color) { return GreenOf(Resolved(Color)); }
uint8_t GetBlueValue(TColor Color) { return BlueOf(Resolved(Color)); }
TColor LightenColor(TColor Color, uint8_t Percent) { return LightenRGB(Resolved(Color), Percent); }
TColor ScaleColor(TColor Color, uint8_t Percent) { return ScaleRGB(Resolved(Color), Percent); }
uint32_t ColorToHLS(TColor Color) { return RGBToHLS(Resolved(Color)); }

// ---- Desktop

void GetDesktopRect(TRect& R)
{
    R = Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
               GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    if (R.IsEmpty())
        R = TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void GetWorkArea(TRect& R)
{
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    R = FromRECT(r);
}

int32_t GetWorkAreaRight()
{
    TRect r;
    GetWorkArea(r);
    return r.Right;
}

int32_t GetWorkAreaBottom()
{
    TRect r;
    GetWorkArea(r);
    return r.Bottom;
}

// ---- Fills and lines

void FillSolidRect(HDC DC, const TRect& R, TColor Color)
{
    const COLORREF old = SetBkColor(DC, ColorToRGB(Color));
    RECT r = ToRECT(R);
    ExtTextOutA(DC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(DC, old);
}

void GradientFillRect(HDC DC, const TRect& R, TColor StartColor, TColor EndColor, int32_t Steps, bool Vertical)
{
    if (Steps <= 0)
        return;
    const TColor start = Resolved(StartColor), end = Resolved(EndColor);
    if (start == end) {
        const TGdiObject<HBRUSH> brush(CreateSolidBrush(start));
        RECT r = ToRECT(R);
        FillRect(DC, &r, brush.get());
        return;
    }
    const int32_t extent = Vertical ? R.Height() : R.Width();
    for (int32_t i = 0; i < Steps; ++i) {
        const int32_t from = GradientBandStart(i, extent, Steps), to = GradientBandStart(i + 1, extent, Steps);
        if (to <= from)
            continue;
        const TGdiObject<HBRUSH> brush(CreateSolidBrush(GradientBandColor(start, end, i, Steps)));
        const TSelectedObject selected(DC, brush.get());
        if (Vertical)
            PatBlt(DC, R.Left, R.Top + from, R.Width(), to - from, PATCOPY);
        else
            PatBlt(DC, R.Left + from, R.Top, to - from, R.Height(), PATCOPY);
    }
}

void Draw3DRect(HDC DC, int32_t X, int32_t Y, int32_t Width, int32_t Height, uint32_t Mask, TColor TopLeft,
                TColor BottomRight)
{
    // The top-left lines first, so that the corners they share with the others take the
    // bottom-right colour.
    if (Mask & emLeft)
        FillSolidRect(DC, Bounds(X, Y, 1, Height), TopLeft);
    if (Mask & emTop)
        FillSolidRect(DC, Bounds(X, Y, Width, 1), TopLeft);
    if (Mask & emRight)
        FillSolidRect(DC, Bounds(X + Width - 1, Y, 1, Height), BottomRight);
    if (Mask & emBottom)
        FillSolidRect(DC, Bounds(X, Y + Height - 1, Width, 1), BottomRight);
}

void Draw3DRectSys(HDC DC, int32_t X, int32_t Y, int32_t Width, int32_t Height, uint32_t Mask, int TopLeftIndex,
                   int BottomRightIndex)
{
    Draw3DRect(DC, X, Y, Width, Height, Mask, clSystemColor | static_cast<TColor>(TopLeftIndex),
               clSystemColor | static_cast<TColor>(BottomRightIndex));
}

TRect DrawBevelLines(HDC DC, const TRect& R, uint32_t Mask, TColor Color1, TColor Color2)
{
    Draw3DRect(DC, R.Left, R.Top, R.Width(), R.Height(), Mask, Color1, Color2);
    TRect inner = R;
    if (Mask & emLeft)
        ++inner.Left;
    if (Mask & emTop)
        ++inner.Top;
    if (Mask & emRight)
        --inner.Right;
    if (Mask & emBottom)
        --inner.Bottom;
    return inner;
}

void DrawDottedRect(TCanvas* Canvas, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom)
{
    HDC dc = Canvas->Handle();
    const COLORREF color = ColorToRGB(Canvas->Pen()->Color());
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            SetPixelV(dc, x, y, color);
    };
    for (int x = Left; x < Right; ++x) {
        dot(x, Top);
        dot(x, Bottom - 1);
    }
    for (int y = Top + 1; y < Bottom - 1; ++y) {
        dot(Left, y);
        dot(Right - 1, y);
    }
}

// ---- Edges and frames

TElEdgeColors ButtonShades(TColor BaseColor)
{
    return ButtonShadesOf(BaseColor, Resolved(BaseColor));
}

bool DrawEdgeColored(HDC DC, TRect& R, UINT Edge, UINT Flags, const TElEdgeColors& Colors)
{
    if (Flags & BF_DIAGONAL) {
        RECT r = ToRECT(R);
        const bool ok = DrawEdge(DC, &r, Edge, Flags) != 0;
        R = FromRECT(r);
        return ok;
    }
    const uint32_t mask = EdgeMask(Flags);
    const bool mono = (Flags & BF_MONO) != 0, flat = (Flags & BF_FLAT) != 0;
    const TColor dark = mono ? Colors.DkShadow : Colors.Shadow, light = Colors.Face;
    TRect r = R;
    auto ring = [&](TColor topLeft, TColor bottomRight) { r = DrawBevelLines(DC, r, mask, topLeft, bottomRight); };
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        const bool raised = (Edge & BDR_RAISEDOUTER) != 0;
        if (mono || flat)
            ring(raised ? dark : light, raised ? dark : light);
        else if (raised)
            ring(Colors.Face, Colors.DkShadow);
        else
            ring(Colors.Shadow, Colors.Highlight);
    }
    if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        const bool sunken = (Edge & BDR_SUNKENINNER) != 0;
        if (mono || flat)
            ring(sunken ? dark : light, sunken ? dark : light);
        else if (sunken)
            ring(Colors.DkShadow, Colors.Face);
        else
            ring(Colors.Highlight, Colors.Shadow);
    }
    if ((Flags & BF_MIDDLE) && !r.IsEmpty())
        FillSolidRect(DC, r, Colors.Face);
    if (Flags & BF_ADJUST)
        R = r;
    return true;
}

bool DrawEdgeEx(HDC DC, TRect& R, UINT Edge, UINT Flags)
{
    return DrawEdgeColored(DC, R, Edge, Flags, TElEdgeColors{});
}

void DrawButtonFrameColors(HDC DC, const TRect& R, UINT Flags, bool Pressed, bool Flat, const TElEdgeColors& Colors)
{
    TRect r = R;
    if (Flat) {
        DrawBevelLines(DC, r, EdgeMask(Flags), Pressed ? Colors.Shadow : Colors.Highlight,
                       Pressed ? Colors.Highlight : Colors.Shadow);
        return;
    }
    DrawEdgeColored(DC, r, Pressed ? EDGE_SUNKEN : EDGE_RAISED, Flags & BF_RECT, Colors);
}

void DrawButtonFrameByColor(HDC DC, const TRect& R, UINT Flags, bool Pressed, bool Flat, TColor BaseColor)
{
    DrawButtonFrameColors(DC, R, Flags, Pressed, Flat, ButtonShades(BaseColor));
}

TRect DrawFlatFrame(HDC DC, const TRect& R, const TElFrameColors& Colors, TElFlatBorderType Type,
                    TElBorderSides Sides, bool FlatFocused)
{
    const uint32_t mask = SidesMask(Sides);
    TRect r = R;
    auto ring = [&](TColor topLeft, TColor bottomRight) { r = DrawBevelLines(DC, r, mask, topLeft, bottomRight); };
    if (Type == fbtFlat) {
        ring(Colors.Frame, Colors.Frame);
        ring(Colors.Frame, Colors.Frame);
        if (FlatFocused)
            ring(clBtnText, cl3DLight);
        else
            ring(clBtnShadow, Colors.Highlight != clNone ? Colors.Highlight : clBtnHighlight);
        return r;
    }
    const TElFrameColors brushes = Type == fbtColorLineBorder ? TElFrameColors{} : Colors;
    static constexpr UINT kEdges[] = {0, 0xA, 0x8, 0x2, 0x5, 0x4, 0x1, 0x9, 0x9, 0x6, 0x9};
    if (Type >= fbtSunken && Type <= fbtFramed) {
        TElEdgeColors shades = ButtonShades(brushes.Frame);
        if (brushes.DkShadow != clNone)
            shades.DkShadow = brushes.DkShadow;
        if (brushes.Highlight != clNone)
            shades.Highlight = brushes.Highlight;
        DrawEdgeColored(DC, r, kEdges[Type], SidesFlags(Sides) | BF_ADJUST, shades);
    }
    switch (Type) {
    case fbtSunkenInner:
    case fbtSunkenOuter:
    case fbtRaisedInner:
    case fbtRaisedOuter:
    case fbtBigBump:
    case fbtEtched:
        ring(brushes.Frame, brushes.Frame);  // the band around a narrow edge, in the face colour
        break;
    case fbtFramed:
        ring(brushes.Window, brushes.Window);
        break;
    case fbtLine:
        ring(brushes.Line, brushes.Line);
        break;
    case fbtLineBorder:
    case fbtColorLineBorder:
        ring(brushes.Line, brushes.Line);
        ring(brushes.Window, brushes.Window);
        break;
    default:
        break;
    }
    return r;
}

void DrawFramedBorder(HDC DC, const TRect& R, TColor Color, bool Inner)
{
    TRect r = DrawBevelLines(DC, R, emAll, Color, Color);
    r = DrawBevelLines(DC, r, emAll, Color, Color);
    r = DrawBevelLines(DC, r, emAll, clBtnShadow, clBtnHighlight);
    if (Inner)
        DrawBevelLines(DC, r, emAll, cl3DDkShadow, cl3DLight);
}

// ---- Arrows and text

void DrawArrow(TCanvas* Canvas, int Direction, const TRect& R, TColor Color, bool Enabled)
{
    TRect strokes[4];
    if (!ArrowGlyphStrokes(Direction, R, strokes))
        return;
    HDC dc = Canvas->Handle();
    auto fill = [&](int d, TColor color) {
        for (const TRect& s : strokes)
            FillSolidRect(dc, TRect{s.Left + d, s.Top + d, s.Right + d, s.Bottom + d}, color);
    };
    if (Enabled) {
        fill(0, Color);
    } else {
        fill(1, clBtnHighlight);
        fill(0, clBtnShadow);
    }
}

int DrawWideText(HDC DC, const char16_t* Text, int Count, TRect& R, UINT Flags)
{
    RECT r = ToRECT(R);
    const int result = DrawTextW(DC, WideChars(Text), Count, &r, Flags & ~0x10000000u);
    R = FromRECT(r);
    return result;
}

void DrawTypedText(TCanvas* Canvas, const std::u16string& Text, TRect R, UINT Flags, TElTextDrawType DrawType)
{
    HDC dc = Canvas->Handle();
    const TSavedDC saved(dc);  // the font, mode and colour set here go with it
    SelectObject(dc, Canvas->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    auto draw = [&](int dx, int dy, TColor color) {
        TRect r{R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy};
        SetTextColor(dc, ColorToRGB(color));
        DrawWideText(dc, Text.c_str(), static_cast<int>(Text.size()), r, Flags);
    };
    if (DrawType == tdtShadowed)
        draw(2, 2, clBtnShadow);
    else if (DrawType == tdtRaised)
        draw(-1, -1, clBtnHighlight);
    draw(0, 0, Canvas->Font()->Color());
}

// ---- Bitmaps

void DrawTransparentBitmap(HDC DC, TBitmap* Bitmap, int32_t X, int32_t Y, const TRect& SourceRect,
                           TColor TransparentColor)
{
    const int w = SourceRect.Width(), h = SourceRect.Height();
    if (!Bitmap || w <= 0 || h <= 0)
        return;
    HDC src = Bitmap->Canvas()->Handle();
    GdiFlush();

    const TMemoryDC mask(DC, TGdiObject<HBITMAP>(CreateBitmap(w, h, 1, 1, nullptr)));
    const TMemoryDC image(DC, TGdiObject<HBITMAP>(CreateCompatibleBitmap(DC, w, h)));
    if (!mask.Valid() || !image.Valid())
        return;

    // Mask: 1 where the source has the transparent colour.
    const COLORREF oldSrcBk = SetBkColor(src, ColorToRGB(TransparentColor));
    BitBlt(mask.Handle(), 0, 0, w, h, src, SourceRect.Left, SourceRect.Top, SRCCOPY);
    SetBkColor(src, oldSrcBk);

    // The source with its transparent pixels made black.
    SetMapMode(image.Handle(), GetMapMode(DC));
    BitBlt(image.Handle(), 0, 0, w, h, src, SourceRect.Left, SourceRect.Top, SRCCOPY);
    SetBkColor(image.Handle(), RGB(255, 255, 255));
    SetTextColor(image.Handle(), RGB(0, 0, 0));
    BitBlt(image.Handle(), 0, 0, w, h, mask.Handle(), 0, 0, 0x00220326);  // DSna

    // The destination cleared where the image is opaque, then the image added.
    const COLORREF oldBk = SetBkColor(DC, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(DC, RGB(0, 0, 0));
    BitBlt(DC, X, Y, w, h, mask.Handle(), 0, 0, SRCAND);
    BitBlt(DC, X, Y, w, h, image.Handle(), 0, 0, SRCPAINT);
    SetBkColor(DC, oldBk);
    SetTextColor(DC, oldText);
}

void TileBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->Empty())
        return;
    HDC dc = Canvas->Handle();
    HDC src = Bitmap->Canvas()->Handle();
    GdiFlush();
    const int bw = Bitmap->Width(), bh = Bitmap->Height();
    for (int y = R.Top; y < R.Bottom; y += bh)
        for (int x = R.Left; x < R.Right; x += bw)
            BitBlt(dc, x, y, std::min(bw, R.Right - x), std::min(bh, R.Bottom - y), src, 0, 0, SRCCOPY);
}

void AlphaCopy(HDC Dest, const TRect& DestRect, HDC Src, const TRect& SrcRect, bool ConstantAlpha, uint8_t Alpha)
{
    if (DestRect.IsEmpty() || SrcRect.IsEmpty())
        return;
    auto source = ReadSource(Src, SrcRect, DestRect.Width(), DestRect.Height());
    if (!source)
        return;
    BlendOnto(Dest, DestRect, *source,
              [&](size_t, uint32_t pixel) { return ConstantAlpha ? uint32_t{Alpha} : pixel >> 24; });
}

void AlphaCopyMasked(HDC Dest, const TRect& DestRect, HDC Src, const TRect& SrcRect, TBitmap* Mask, uint8_t Alpha)
{
    if (DestRect.IsEmpty() || SrcRect.IsEmpty() || !Mask)
        return;
    auto source = ReadSource(Src, SrcRect, DestRect.Width(), DestRect.Height());
    if (!source)
        return;
    Mask->Canvas();
    GdiFlush();
    const int w = DestRect.Width();
    BlendOnto(Dest, DestRect, *source, [&](size_t i, uint32_t) -> uint32_t {
        const int x = static_cast<int>(i % static_cast<size_t>(w)), y = static_cast<int>(i / static_cast<size_t>(w));
        if (x >= Mask->Width() || y >= Mask->Height())
            return 0;
        return (Mask->ScanLine(y)[x] & 0xFF) * Alpha / 255;
    });
}

bool IsAlphaEmpty(HBITMAP Bitmap)
{
    BITMAP info{};
    if (!Bitmap || GetObject(Bitmap, sizeof info, &info) == 0 || info.bmBitsPixel != 32)
        return true;
    BITMAPINFO header = TopDownDibInfo(info.bmWidth, info.bmHeight);
    std::vector<uint32_t> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    const TWindowDC screen(nullptr);
    const int lines =
        GetDIBits(screen.Handle(), Bitmap, 0, info.bmHeight, pixels.data(), &header, DIB_RGB_COLORS);
    if (lines == 0)
        return true;
    return std::none_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) != 0; });
}

void AlphaFillRect(HDC DC, const TRect& R, TColor Color, uint8_t Alpha)
{
    if (R.IsEmpty())
        return;
    TMemoryDC fill(nullptr, R.Width(), R.Height());
    if (!fill.Valid())
        return;
    const COLORREF c = ColorToRGB(Color);
    const uint32_t pixel = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;  // DIB order
    std::fill(fill.Bits(), fill.Bits() + PixelCount(fill), pixel);
    BlendOnto(DC, R, fill, [&](size_t, uint32_t) { return uint32_t{Alpha}; });
}

// ---- Scroll bars

void DrawFlatScrollBars(HWND Wnd, HDC DC, const TRect& WindowRect, bool SkipDisabled)
{
    const bool enabled = IsWindowEnabled(Wnd) != 0;
    if (SkipDisabled && !enabled)
        return;
    const LONG style = GetWindowLongW(Wnd, GWL_STYLE);
    const bool vert = (style & WS_VSCROLL) != 0, horz = (style & WS_HSCROLL) != 0;
    if (!vert && !horz)
        return;
    RECT window{}, client{};
    GetWindowRect(Wnd, &window);
    GetClientRect(Wnd, &client);
    MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The client area in the DC's coordinates.
    const TRect c{WindowRect.Left + client.left - window.left, WindowRect.Top + client.top - window.top,
                  WindowRect.Left + client.right - window.left, WindowRect.Top + client.bottom - window.top};
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);

    TCanvas canvas;
    const TCanvasLoan loan(canvas, DC);
    auto paintBar = [&](int bar, const TRect& r, bool vertical) {
        const int button = vertical ? std::min(r.Width(), r.Height() / 2) : std::min(r.Height(), r.Width() / 2);
        FillSolidRect(DC, r, clBtnHighlight);
        const TRect first = vertical ? Bounds(r.Left, r.Top, r.Width(), button) : Bounds(r.Left, r.Top, button, r.Height());
        const TRect last = vertical ? TRect{r.Left, r.Bottom - button, r.Right, r.Bottom}
                                    : TRect{r.Right - button, r.Top, r.Right, r.Bottom};
        for (const TRect& b : {first, last}) {
            FillSolidRect(DC, b, clBtnFace);
            DrawBevelLines(DC, b, emAll, clBtnHighlight, clBtnShadow);
        }
        DrawArrow(&canvas, vertical ? 1 : 0, first, clBtnText, enabled);
        DrawArrow(&canvas, vertical ? 3 : 2, last, clBtnText, enabled);

        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        if (!GetScrollInfo(Wnd, bar, &si) || si.nMax <= si.nMin)
            return;
        const int track = (vertical ? r.Height() : r.Width()) - 2 * button;
        const int range = si.nMax - si.nMin + 1;
        const int page = static_cast<int>(si.nPage);
        if (track <= 0 || (page > 0 && page >= range))
            return;
        const int thumb = page > 0 ? std::max(8, static_cast<int>(int64_t{track} * page / range)) : button;
        const int travel = range - std::max(page, 1);
        const int offset = travel > 0 ? static_cast<int>(int64_t{track - thumb} * (si.nPos - si.nMin) / travel) : 0;
        const int start = button + std::clamp(offset, 0, std::max(0, track - thumb));
        const TRect t = vertical ? Bounds(r.Left, r.Top + start, r.Width(), thumb)
                                 : Bounds(r.Left + start, r.Top, thumb, r.Height());
        FillSolidRect(DC, t, clBtnFace);
        DrawBevelLines(DC, t, emAll, clBtnHighlight, clBtnShadow);
    };
    // A window with WS_EX_LEFTSCROLLBAR (right-to-left forms) has its vertical bar, and with it
    // the corner, on the left of the client area.
    const bool leftBar = (GetWindowLongW(Wnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int barLeft = leftBar ? c.Left - cx : c.Right;
    if (vert)
        paintBar(SB_VERT, TRect{barLeft, c.Top, barLeft + cx, c.Bottom}, true);
    if (horz)
        paintBar(SB_HORZ, TRect{c.Left, c.Bottom, c.Right, c.Bottom + cy}, false);
    if (vert && horz)
        FillSolidRect(DC, TRect{barLeft, c.Bottom, barLeft + cx, c.Bottom + cy}, clBtnFace);
}

int GetScrollBarPos(HWND Wnd, int Bar)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    return GetScrollInfo(Wnd, Bar, &si) ? si.nPos : -1;
}

// ---- Owners, keys, numbers

TComponent* GetTopOwnerControl(TComponent* Component)
{
    TComponent* c = Component;
    while (c && c->Owner() && !dynamic_cast<TCustomForm*>(c))
        c = c->Owner();
    return c;
}

TForm* GetOwnerForm(TComponent* Component)
{
    for (TComponent* c = Component; c; c = c->Owner())
        if (auto* form = dynamic_cast<TForm*>(c))
            return form;
    return nullptr;
}

uint32_t ShiftStateToKeyData(TShiftState Shift)
{
    return (Shift & ssAlt) ? 0x20000000u : 0u;
}

void UIntToStrA(uint32_t Value, std::string& S)
{
    char buffer[15];
    wsprintfA(buffer, "%u", Value);
    S = buffer;
}

// ---- TElDisplayOptions

void TElDisplayOptions::Assign(const TPersistent* Source)
{
    if (auto* other = dynamic_cast<const TElDisplayOptions*>(Source)) {
        bkColor_ = other->bkColor_;
        textColor_ = other->textColor_;
        enabled_ = other->enabled_;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TElDisplayOptions::SetEnabled(bool Value)
{
    if (Value == enabled_)
        return;
    enabled_ = Value;
    Changed();
}

void TElDisplayOptions::SetTextColor(TColor Value)
{
    if (Value == textColor_)
        return;
    textColor_ = Value;
    Changed();
}

void TElDisplayOptions::SetBkColor(TColor Value)
{
    if (Value == bkColor_)
        return;
    bkColor_ = Value;
    Changed();
}
