#include "widgets/el/menus/ElButtonsCore.h"

#include <algorithm>

bool ElCanSetDown(bool Value, int32_t GroupIndex, bool AllowAllUp)
{
    if (Value)
        return GroupIndex != 0 || AllowAllUp;
    return GroupIndex == 0 || AllowAllUp;
}

bool ElDownAfterClick(bool Down, int32_t GroupIndex, bool AllowAllUp, bool IsSwitch)
{
    bool wanted = Down;
    if (IsSwitch)
        wanted = !Down;
    else if (GroupIndex != 0)
        wanted = !(Down && AllowAllUp);
    return ElCanSetDown(wanted, GroupIndex, AllowAllUp) ? wanted : Down;
}

int ElClampNumGlyphs(int NumGlyphs)
{
    return std::clamp(NumGlyphs, 1, 4);
}

int ElGlyphImageIndex(TElGlyphState State, int NumGlyphs)
{
    const int n = ElClampNumGlyphs(NumGlyphs);
    const int wanted = static_cast<int>(State);
    if (wanted < n)
        return wanted;
    switch (State) {
    case TElGlyphState::Disabled:
        return -1;
    case TElGlyphState::Down:
        return n > 2 ? 2 : 0;
    default:
        return 0;
    }
}

namespace {

bool IsLight(uint32_t Pixel)
{
    const uint32_t r = (Pixel >> 16) & 0xFF, g = (Pixel >> 8) & 0xFF, b = Pixel & 0xFF;
    return (r * 30 + g * 59 + b * 11) / 100 >= 192;
}

}  // namespace

std::vector<uint32_t> ElDisabledGlyphPixels(const std::vector<uint32_t>& Pixels, int Width, int Height,
                                            uint32_t Transparent, uint32_t Highlight, uint32_t Shadow)
{
    const size_t count = Width > 0 && Height > 0 ? static_cast<size_t>(Width) * static_cast<size_t>(Height) : 0;
    std::vector<uint32_t> out(count, Transparent);
    if (Pixels.size() < count)
        return out;
    auto at = [&](int x, int y) { return static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x); };
    auto drawn = [&](int x, int y) {
        const uint32_t p = Pixels[at(x, y)] & 0xFFFFFF;
        return p != (Transparent & 0xFFFFFF) && !IsLight(p);
    };
    // Highlights first, so that a shadow pixel is never covered by its neighbour's highlight.
    for (int y = 0; y + 1 < Height; ++y)
        for (int x = 0; x + 1 < Width; ++x)
            if (drawn(x, y) && (Pixels[at(x + 1, y + 1)] & 0xFFFFFF) == (Transparent & 0xFFFFFF))
                out[at(x + 1, y + 1)] = Highlight;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (drawn(x, y))
                out[at(x, y)] = Shadow;
    return out;
}

TElButtonContent ElLayoutButtonContent(const TRect& Face, TSize GlyphSize, TSize TextSize, TButtonLayout Layout,
                                       bool AdjustSpaceForGlyph)
{
    const bool hasGlyph = GlyphSize.cx > 0 && GlyphSize.cy > 0;
    const bool hasText = TextSize.cx > 0 && TextSize.cy > 0;
    const int midX2 = Face.Left + Face.Right;  // twice the horizontal centre
    auto vertical = [&](int height) { return Face.Top + (Face.Height() - height) / 2; };

    TElButtonContent c;
    if (hasGlyph && hasText && AdjustSpaceForGlyph) {
        const int block = GlyphSize.cx + ElButtonSpacing + TextSize.cx;
        const int left = (midX2 - block) / 2;
        const int glyphLeft = Layout == blGlyphLeft ? left : left + block - GlyphSize.cx;
        const int textLeft = Layout == blGlyphLeft ? left + GlyphSize.cx + ElButtonSpacing : left;
        c.Glyph = Bounds(glyphLeft, vertical(GlyphSize.cy), GlyphSize.cx, GlyphSize.cy);
        c.Text = Bounds(textLeft, vertical(TextSize.cy), TextSize.cx, TextSize.cy);
        return c;
    }
    if (hasGlyph) {
        int glyphLeft = (midX2 - GlyphSize.cx) / 2;
        if (hasText)
            glyphLeft = Layout == blGlyphLeft ? Face.Left + ElButtonMargin : Face.Right - ElButtonMargin - GlyphSize.cx;
        c.Glyph = Bounds(glyphLeft, vertical(GlyphSize.cy), GlyphSize.cx, GlyphSize.cy);
    }
    if (hasText)
        c.Text = Bounds((midX2 - TextSize.cx) / 2, vertical(TextSize.cy), TextSize.cx, TextSize.cy);
    return c;
}

TColor ElMoneyFlatFrameColor(const TElMoneyFlatColors& Colors, bool Hot, bool PressedOrDown)
{
    if (PressedOrDown)
        return Colors.Down;
    return Hot ? Colors.Active : Colors.Inactive;
}
