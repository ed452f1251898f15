// The pictures whose size the system or the window chooses: the program's icon and the splash
// screen's logo and background, drawn pixel by pixel. The fixed-size glyphs are pixel rows
// (AppGlyphRows.cpp).
#include "app/AppGlyphs.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t Navy = 0xFF102050;

// The colour bands of the program's scale, from low to high values.
constexpr uint32_t Bands[] = {0xFF1030A0, 0xFF2070E0, 0xFF20A0A0, 0xFF30B040, 0xFFC0D020, 0xFFF09020, 0xFFD02020};

// A top view of a measured field: a hill in the colour bands of the scale.
uint32_t SurfaceColour(double X, double Y)
{
    const double hill = std::exp(-((X - 0.38) * (X - 0.38) + (Y - 0.42) * (Y - 0.42)) * 7.0);
    const double hollow = 0.55 * std::exp(-((X - 0.78) * (X - 0.78) + (Y - 0.75) * (Y - 0.75)) * 14.0);
    const double v = std::clamp(0.35 + 0.65 * hill - hollow, 0.0, 0.999);
    return Bands[static_cast<size_t>(v * std::size(Bands))];
}

// A clear picture of Width x Height pixels whose colour at (x, y) Colour gives.
template <class TColourAt>
TGlyphPicture Painted(int Width, int Height, TColourAt Colour)
{
    TGlyphPicture p;
    p.Width = Width;
    p.Height = Height;
    p.Pixels.reserve(static_cast<size_t>(std::max(0, Width)) * std::max(0, Height));
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            p.Pixels.push_back(Colour(x, y));
    return p;
}

bool OnEdge(int X, int Y, int Width, int Height)
{
    return X == 0 || Y == 0 || X == Width - 1 || Y == Height - 1;
}

}  // namespace

TGlyphPicture DrawProgramIcon(int Size)
{
    const double r = Size / 5.0;
    return Painted(Size, Size, [&](int x, int y) -> uint32_t {
        // A rounded square: the corners outside a circle of radius r stay clear.
        const double cx = std::clamp(x + 0.5, r, Size - r), cy = std::clamp(y + 0.5, r, Size - r);
        if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) > r)
            return 0;
        return OnEdge(x, y, Size, Size) ? Navy : SurfaceColour((x + 0.5) / Size, (y + 0.5) / Size);
    });
}

TGlyphPicture DrawSplashLogo(int Width, int Height)
{
    return Painted(Width, Height, [&](int x, int y) {
        return OnEdge(x, y, Width, Height) ? Navy : SurfaceColour((x + 0.5) / Width, (y + 0.5) / Height);
    });
}

TGlyphPicture DrawSplashBackground(int Width, int Height)
{
    // White at the top, a pale blue at the bottom.
    return Painted(Width, Height, [&](int, int y) {
        const double t = Height > 1 ? static_cast<double>(y) / (Height - 1) : 0.0;
        const auto mix = [t](int a, int b) { return static_cast<uint32_t>(std::lround(a + (b - a) * t)); };
        return 0xFF000000u | mix(255, 222) << 16 | mix(255, 232) << 8 | mix(255, 248);
    });
}

std::vector<uint32_t> OnKeyColour(const TGlyphPicture& Picture, uint32_t Key)
{
    std::vector<uint32_t> out(Picture.Pixels.size());
    std::transform(Picture.Pixels.begin(), Picture.Pixels.end(), out.begin(),
                   [Key](uint32_t p) { return (p >> 24) >= 0x80 ? (p & 0xFFFFFFu) : (Key & 0xFFFFFFu); });
    return out;
}
