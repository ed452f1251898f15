#include "app/AppGlyphs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr uint32_t Clear = 0x00000000;
constexpr uint32_t Ink = 0xFF202020;
constexpr uint32_t Paper = 0xFFFFFFFF;
constexpr uint32_t Grey = 0xFF808080;
constexpr uint32_t LightGrey = 0xFFC8C8C8;
constexpr uint32_t Blue = 0xFF2050C0;
constexpr uint32_t LightBlue = 0xFF88B0E8;
constexpr uint32_t Yellow = 0xFFF0C030;
constexpr uint32_t Red = 0xFFD03020;
constexpr uint32_t Green = 0xFF209040;
constexpr uint32_t Navy = 0xFF102050;

// The colour bands of the program's scale, from low to high values.
constexpr uint32_t Bands[] = {0xFF1030A0, 0xFF2070E0, 0xFF20A0A0, 0xFF30B040, 0xFFC0D020, 0xFFF09020, 0xFFD02020};

// A small canvas: every drawing call clips to the picture. Rectangles are half-open.
class TPixelCanvas {
public:
    TPixelCanvas(int Width, int Height)
    {
        p_.Width = Width;
        p_.Height = Height;
        p_.Pixels.assign(static_cast<size_t>(Width) * Height, Clear);
    }

    void Put(int X, int Y, uint32_t C)
    {
        if (X >= 0 && Y >= 0 && X < p_.Width && Y < p_.Height)
            p_.Pixels[static_cast<size_t>(Y) * p_.Width + X] = C;
    }
    void Fill(int X0, int Y0, int X1, int Y1, uint32_t C)
    {
        for (int y = Y0; y < Y1; ++y)
            for (int x = X0; x < X1; ++x)
                Put(x, y, C);
    }
    void Frame(int X0, int Y0, int X1, int Y1, uint32_t C)
    {
        Line(X0, Y0, X1 - 1, Y0, C);
        Line(X0, Y1 - 1, X1 - 1, Y1 - 1, C);
        Line(X0, Y0, X0, Y1 - 1, C);
        Line(X1 - 1, Y0, X1 - 1, Y1 - 1, C);
    }
    void Box(int X0, int Y0, int X1, int Y1, uint32_t Face, uint32_t Edge = Ink)
    {
        Fill(X0, Y0, X1, Y1, Face);
        Frame(X0, Y0, X1, Y1, Edge);
    }
    // Both ends included.
    void Line(int X0, int Y0, int X1, int Y1, uint32_t C)
    {
        const int dx = std::abs(X1 - X0), sx = X0 < X1 ? 1 : -1;
        const int dy = -std::abs(Y1 - Y0), sy = Y0 < Y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            Put(X0, Y0, C);
            if (X0 == X1 && Y0 == Y1)
                return;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                X0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                Y0 += sy;
            }
        }
    }
    // The pixels whose centres lie inside the triangle (either winding).
    void Triangle(double X0, double Y0, double X1, double Y1, double X2, double Y2, uint32_t C)
    {
        auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
            return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
        };
        for (int y = 0; y < p_.Height; ++y)
            for (int x = 0; x < p_.Width; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double a = edge(X0, Y0, X1, Y1, px, py), b = edge(X1, Y1, X2, Y2, px, py),
                             c = edge(X2, Y2, X0, Y0, px, py);
                if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0))
                    Put(x, y, C);
            }
    }
    void Disc(double CX, double CY, double R, uint32_t C) { Ring(CX, CY, 0.0, R, 0.0, 360.0, C); }
    // The pixels between radii R0 and R1 whose angle (degrees, counter-clockwise from the right,
    // y up) lies from A0 to A1.
    void Ring(double CX, double CY, double R0, double R1, double A0, double A1, uint32_t C)
    {
        for (int y = 0; y < p_.Height; ++y)
            for (int x = 0; x < p_.Width; ++x) {
                const double dx = x + 0.5 - CX, dy = CY - (y + 0.5);
                const double r = std::hypot(dx, dy);
                if (r < R0 || r > R1)
                    continue;
                double a = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
                if (a < 0)
                    a += 360.0;
                if ((A0 <= A1 && a >= A0 && a <= A1) || (A0 > A1 && (a >= A0 || a <= A1)))
                    Put(x, y, C);
            }
    }
    // An arrow head pointing in Direction degrees (counter-clockwise from the right, y up).
    void Head(double TipX, double TipY, double Direction, double Length, uint32_t C)
    {
        const double a = Direction * std::numbers::pi / 180.0;
        const double bx = TipX - std::cos(a) * Length, by = TipY + std::sin(a) * Length;
        const double nx = std::sin(a) * Length * 0.6, ny = std::cos(a) * Length * 0.6;
        Triangle(TipX, TipY, bx + nx, by + ny, bx - nx, by - ny, C);
    }
    TGlyphPicture Take() { return std::move(p_); }

private:
    TGlyphPicture p_;
};

void Page(TPixelCanvas& C)
{
    C.Box(3, 1, 13, 15, Paper);
    C.Triangle(9, 1, 13, 1, 13, 5, Clear);
    C.Line(9, 1, 9, 4, Ink);
    C.Line(9, 5, 12, 5, Ink);
    C.Line(9, 1, 12, 4, Ink);
}

void Magnifier(TPixelCanvas& C)
{
    C.Ring(6.5, 6.5, 3.5, 5.2, 0, 360, Ink);
    C.Disc(6.5, 6.5, 3.5, 0xFFE8F0FF);
    C.Line(10, 10, 14, 14, Ink);
    C.Line(11, 10, 15, 14, Ink);
    C.Line(10, 11, 14, 15, Ink);
}

void ArrowUp(TPixelCanvas& C, int X, int Y0, int Y1, uint32_t Colour)
{
    C.Fill(X - 1, Y0 + 3, X + 1, Y1, Colour);
    C.Triangle(X - 4, Y0 + 4, X + 4, Y0 + 4, X, Y0, Colour);
}

void ArrowDown(TPixelCanvas& C, int X, int Y0, int Y1, uint32_t Colour)
{
    C.Fill(X - 1, Y0, X + 1, Y1 - 3, Colour);
    C.Triangle(X - 4, Y1 - 4, X + 4, Y1 - 4, X, Y1, Colour);
}

// A round arrow turning counter-clockwise (Left) or clockwise around the centre.
void TurnArrow(TPixelCanvas& C, bool Left, uint32_t Colour)
{
    C.Ring(8, 8, 4, 6, 60, 330, Colour);
    if (Left)
        C.Head(13.0, 11.0, 110.0, 5.0, Colour);
    else
        C.Head(12.0, 3.0, 300.0, 5.0, Colour);
}

// A level of detail as a row of bars: more bars for finer levels.
void LevelBars(TPixelCanvas& C, int Level)
{
    for (int i = 0; i < 5; ++i) {
        const int x = 1 + i * 3;
        const int h = 3 + i * 2;
        C.Box(x, 15 - h, x + 3, 15, i < Level ? Blue : Paper, i < Level ? Navy : Grey);
    }
}

void ColourBar(TPixelCanvas& C, int X0, int X1)
{
    const int n = static_cast<int>(std::size(Bands));
    for (int i = 0; i < n; ++i)
        C.Fill(X0, 2 + i * 12 / n, X1, 2 + (i + 1) * 12 / n, Bands[n - 1 - i]);
    C.Frame(X0 - 1, 1, X1 + 1, 15, Ink);
}

// A top view of a measured field: a hill in the colour bands of the scale.
uint32_t SurfaceColour(double X, double Y)
{
    const double hill = std::exp(-((X - 0.38) * (X - 0.38) + (Y - 0.42) * (Y - 0.42)) * 7.0);
    const double hollow = 0.55 * std::exp(-((X - 0.78) * (X - 0.78) + (Y - 0.75) * (Y - 0.75)) * 14.0);
    const double v = std::clamp(0.35 + 0.65 * hill - hollow, 0.0, 0.999);
    return Bands[static_cast<size_t>(v * std::size(Bands))];
}

}  // namespace

TGlyphPicture DrawToolGlyph(TToolGlyph Glyph)
{
    TPixelCanvas c(ToolGlyphSize, ToolGlyphSize);
    switch (Glyph) {
    case TToolGlyph::Open:
        c.Box(1, 3, 8, 6, Yellow);
        c.Box(1, 5, 15, 14, Yellow);
        c.Line(2, 6, 13, 6, 0xFFFFF0B0);
        break;
    case TToolGlyph::Save:
        c.Box(1, 1, 15, 15, Blue, Navy);
        c.Box(4, 1, 12, 7, Paper, Navy);
        c.Box(5, 10, 11, 15, LightGrey, Navy);
        c.Fill(9, 11, 10, 14, Navy);
        break;
    case TToolGlyph::New:
        Page(c);
        c.Fill(1, 10, 8, 12, Green);
        c.Fill(3, 8, 5, 14, Green);
        break;
    case TToolGlyph::Print:
        c.Box(4, 1, 12, 7, Paper);
        c.Box(1, 6, 15, 12, LightGrey);
        c.Put(12, 8, Green);
        c.Box(4, 10, 12, 15, Paper);
        c.Line(5, 12, 10, 12, Grey);
        break;
    case TToolGlyph::Export:
        Page(c);
        c.Fill(5, 5, 11, 11, SurfaceColour(0.4, 0.4));
        c.Fill(7, 7, 10, 10, SurfaceColour(0.38, 0.42));
        c.Fill(9, 11, 14, 13, Green);
        c.Head(16.0, 12.0, 0.0, 4.0, Green);
        break;
    case TToolGlyph::Help:
        c.Disc(8, 8, 7.2, Blue);
        c.Fill(6, 3, 10, 5, Paper);
        c.Fill(10, 4, 12, 7, Paper);
        c.Fill(8, 7, 10, 10, Paper);
        c.Fill(8, 11, 10, 13, Paper);
        break;
    case TToolGlyph::PortClosed:
    case TToolGlyph::PortOpen: {
        const bool open = Glyph == TToolGlyph::PortOpen;
        c.Box(2, 4, 14, 11, LightGrey);
        c.Triangle(2, 11, 14, 11, 8, 15, LightGrey);
        for (int x = 4; x <= 12; x += 2)
            c.Put(x, 6, Ink);
        for (int x = 5; x <= 11; x += 2)
            c.Put(x, 8, Ink);
        c.Disc(12.5, 3.5, 2.6, open ? Green : Red);
        break;
    }
    case TToolGlyph::Undo:
        c.Ring(8.5, 8.5, 3.5, 5.5, 200, 90, Blue);
        c.Head(1.0, 10.0, 250.0, 5.5, Blue);
        break;
    case TToolGlyph::Interpolate:
        c.Line(1, 12, 4, 4, Grey);
        c.Line(4, 4, 7, 13, Grey);
        c.Line(7, 13, 10, 3, Grey);
        c.Line(10, 3, 14, 12, Grey);
        c.Ring(8, 16, 6, 7.4, 20, 160, Blue);
        break;
    case TToolGlyph::FaultSignal:
        c.Line(0, 12, 6, 12, Blue);
        c.Line(6, 12, 8, 2, Blue);
        c.Line(8, 2, 10, 12, Blue);
        c.Line(10, 12, 15, 12, Blue);
        c.Line(3, 3, 13, 13, Red);
        c.Line(13, 3, 3, 13, Red);
        break;
    case TToolGlyph::RemoveDummies:
        for (int y = 2; y < 16; y += 4)
            for (int x = 2; x < 16; x += 4)
                c.Fill(x - 1, y - 1, x + 1, y + 1, (x == 6 && y == 10) ? Red : Blue);
        c.Frame(4, 8, 9, 13, Red);
        break;
    case TToolGlyph::Chart:
        c.Line(1, 1, 1, 14, Ink);
        c.Line(1, 14, 15, 14, Ink);
        c.Line(2, 12, 5, 5, Yellow);
        c.Line(5, 5, 8, 10, Yellow);
        c.Line(8, 10, 11, 3, Yellow);
        c.Line(11, 3, 14, 9, Yellow);
        c.Line(2, 8, 14, 8, Green);
        break;
    case TToolGlyph::InfoWindow:
        c.Box(1, 2, 15, 14, Paper);
        c.Fill(1, 2, 15, 5, Blue);
        c.Fill(7, 6, 9, 7, Blue);
        c.Fill(7, 8, 9, 13, Blue);
        break;
    case TToolGlyph::Resolution1:
    case TToolGlyph::Resolution2:
    case TToolGlyph::Resolution3:
    case TToolGlyph::Resolution4:
    case TToolGlyph::Resolution5:
        LevelBars(c, 1 + static_cast<int>(Glyph) - static_cast<int>(TToolGlyph::Resolution1));
        break;
    case TToolGlyph::Wireframe:
        for (int i = 0; i <= 12; i += 4) {
            c.Line(2 + i, 2, 2 + i, 14, Blue);
            c.Line(2, 2 + i, 14, 2 + i, Blue);
        }
        c.Line(2, 14, 14, 2, LightBlue);
        break;
    case TToolGlyph::LineUp:
        c.Fill(1, 13, 15, 15, Ink);
        ArrowUp(c, 8, 1, 12, Green);
        break;
    case TToolGlyph::LineDown:
        c.Fill(1, 1, 15, 3, Ink);
        ArrowDown(c, 8, 4, 15, Green);
        break;
    case TToolGlyph::ZoomIn:
        Magnifier(c);
        c.Fill(4, 6, 9, 7, Ink);
        c.Fill(6, 4, 7, 9, Ink);
        break;
    case TToolGlyph::ZoomOut:
        Magnifier(c);
        c.Fill(4, 6, 9, 7, Ink);
        break;
    case TToolGlyph::StretchIn:
        ArrowDown(c, 8, 0, 6, Blue);
        ArrowUp(c, 8, 10, 16, Blue);
        c.Fill(2, 7, 14, 9, Ink);
        break;
    case TToolGlyph::StretchOut:
        ArrowUp(c, 8, 0, 7, Blue);
        ArrowDown(c, 8, 9, 16, Blue);
        c.Fill(2, 7, 14, 9, Ink);
        break;
    case TToolGlyph::ViewReset:
        TurnArrow(c, false, Green);
        c.Disc(8, 8, 1.6, Ink);
        break;
    case TToolGlyph::Perspective:
        c.Frame(1, 5, 11, 15, Ink);
        c.Line(1, 5, 5, 1, Ink);
        c.Line(10, 5, 14, 1, Ink);
        c.Line(10, 14, 14, 10, Ink);
        c.Line(5, 1, 14, 1, Ink);
        c.Line(14, 1, 14, 10, Ink);
        c.Fill(2, 6, 10, 14, LightBlue);
        break;
    case TToolGlyph::Front:
        c.Box(2, 2, 14, 14, LightBlue);
        c.Fill(2, 9, 14, 14, Blue);
        c.Line(2, 9, 13, 9, Ink);
        break;
    case TToolGlyph::Top:
        c.Box(2, 2, 14, 14, LightBlue);
        c.Disc(8, 8, 3, Blue);
        break;
    case TToolGlyph::Remarks:
        Page(c);
        for (int y = 7; y <= 13; y += 2)
            c.Line(5, y, 11, y, Grey);
        break;
    case TToolGlyph::Preferences:
        for (int i = 0; i < 8; ++i) {
            const double a = i * std::numbers::pi / 4.0;
            const int x = static_cast<int>(std::lround(8 + 5.5 * std::cos(a)));
            const int y = static_cast<int>(std::lround(8 - 5.5 * std::sin(a)));
            c.Fill(x - 1, y - 1, x + 1, y + 1, Grey);
        }
        c.Disc(8, 8, 5.0, Grey);
        c.Disc(8, 8, 2.0, Clear);
        break;
    case TToolGlyph::Import:
        c.Box(1, 8, 15, 15, LightGrey);
        ArrowDown(c, 8, 0, 12, Green);
        break;
    case TToolGlyph::Exit:
        c.Box(2, 1, 10, 15, 0xFFA06030);
        c.Put(8, 8, Yellow);
        c.Fill(9, 7, 14, 9, Red);
        c.Head(16.0, 8.0, 0.0, 4.0, Red);
        break;
    case TToolGlyph::SplitScreen:
        c.Box(1, 1, 11, 15, 0xFF000000, Red);
        c.Box(11, 1, 15, 6, 0xFF000000, Grey);
        c.Box(11, 5, 15, 11, 0xFF000000, Grey);
        c.Box(11, 10, 15, 15, 0xFF000000, Grey);
        break;
    case TToolGlyph::Fullscreen:
        c.Frame(1, 1, 15, 15, Ink);
        c.Head(3.0, 3.0, 135.0, 5.0, Blue);
        c.Head(13.0, 13.0, 315.0, 5.0, Blue);
        break;
    case TToolGlyph::CrossHairs:
        c.Fill(7, 1, 9, 15, Ink);
        c.Fill(1, 7, 15, 9, Ink);
        c.Ring(8, 8, 3.2, 4.6, 0, 360, Red);
        break;
    case TToolGlyph::Count: break;
    }
    return c.Take();
}

TGlyphPicture DrawPaletteGlyph(TPaletteGlyph Glyph)
{
    TPixelCanvas c(ToolGlyphSize, ToolGlyphSize);
    // Each button hides or shows one group of the scale's bands: blue, green or red shades.
    static constexpr uint32_t Shades[3][3] = {{0xFF1030A0, 0xFF2070E0, 0xFF60A0F0},
                                              {0xFF107020, 0xFF30B040, 0xFF90D060},
                                              {0xFFA01010, 0xFFD02020, 0xFFF09020}};
    const auto& s = Shades[static_cast<size_t>(Glyph) % 3];
    for (int i = 0; i < 3; ++i)
        c.Fill(2, 2 + i * 4, 14, 6 + i * 4, s[i]);
    c.Frame(1, 1, 15, 15, Ink);
    return c.Take();
}

TGlyphPicture DrawNavigatorGlyph(TNavigatorGlyph Glyph)
{
    TPixelCanvas c(ToolGlyphSize, ToolGlyphSize);
    switch (Glyph) {
    case TNavigatorGlyph::TurnLeft: TurnArrow(c, true, Blue); break;
    case TNavigatorGlyph::TurnRight: TurnArrow(c, false, Blue); break;
    case TNavigatorGlyph::MoveLeft: c.Triangle(2, 8, 13, 2, 13, 14, Blue); break;
    case TNavigatorGlyph::MoveRight: c.Triangle(14, 8, 3, 2, 3, 14, Blue); break;
    case TNavigatorGlyph::MoveUp: c.Triangle(8, 2, 2, 13, 14, 13, Blue); break;
    case TNavigatorGlyph::MoveDown: c.Triangle(8, 14, 2, 3, 14, 3, Blue); break;
    case TNavigatorGlyph::UpperLimitUp:
    case TNavigatorGlyph::UpperLimitDown:
    case TNavigatorGlyph::LowerLimitUp:
    case TNavigatorGlyph::LowerLimitDown: {
        ColourBar(c, 2, 6);
        const bool upper = Glyph == TNavigatorGlyph::UpperLimitUp || Glyph == TNavigatorGlyph::UpperLimitDown;
        const bool up = Glyph == TNavigatorGlyph::UpperLimitUp || Glyph == TNavigatorGlyph::LowerLimitUp;
        const int mark = upper ? 3 : 12;
        c.Fill(7, mark, 9, mark + 1, Ink);
        if (up)
            ArrowUp(c, 12, 2, 14, Ink);
        else
            ArrowDown(c, 12, 2, 14, Ink);
        break;
    }
    case TNavigatorGlyph::Count: break;
    }
    return c.Take();
}

TGlyphPicture DrawProgramIcon(int Size)
{
    TPixelCanvas c(Size, Size);
    const double r = Size / 5.0;
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            // A rounded square: the corners outside a circle of radius r stay clear.
            const double cx = std::clamp(x + 0.5, r, Size - r), cy = std::clamp(y + 0.5, r, Size - r);
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) > r)
                continue;
            const bool edge = x == 0 || y == 0 || x == Size - 1 || y == Size - 1;
            c.Put(x, y, edge ? Navy : SurfaceColour((x + 0.5) / Size, (y + 0.5) / Size));
        }
    return c.Take();
}

TGlyphPicture DrawSplashLogo(int Width, int Height)
{
    TPixelCanvas c(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            c.Put(x, y, SurfaceColour((x + 0.5) / Width, (y + 0.5) / Height));
    c.Frame(0, 0, Width, Height, Navy);
    return c.Take();
}

TGlyphPicture DrawSplashBackground(int Width, int Height)
{
    TPixelCanvas c(Width, Height);
    for (int y = 0; y < Height; ++y) {
        // White at the top, a pale blue at the bottom.
        const double t = Height > 1 ? static_cast<double>(y) / (Height - 1) : 0.0;
        const auto mix = [t](int a, int b) { return static_cast<uint32_t>(std::lround(a + (b - a) * t)); };
        c.Fill(0, y, Width, y + 1, 0xFF000000u | mix(255, 222) << 16 | mix(255, 232) << 8 | mix(255, 248));
    }
    return c.Take();
}

std::vector<uint32_t> OnKeyColour(const TGlyphPicture& Picture, uint32_t Key)
{
    std::vector<uint32_t> out(Picture.Pixels.size());
    std::transform(Picture.Pixels.begin(), Picture.Pixels.end(), out.begin(),
                   [Key](uint32_t p) { return (p >> 24) >= 0x80 ? (p & 0xFFFFFFu) : (Key & 0xFFFFFFu); });
    return out;
}
