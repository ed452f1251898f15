#include "widgets/el/foundation/ElColorMath.h"

#include "framework/MathUtils.h"

#include <algorithm>

namespace {

TColor MapChannels(TColor C, int32_t (*f)(int32_t, uint8_t), uint8_t Percent)
{
    return MakeRGB(f(RedOf(C), Percent), f(GreenOf(C), Percent), f(BlueOf(C), Percent));
}

// One channel of the HLS-to-RGB conversion, on the 0..252 scale.
int32_t HueToChannel(int32_t A, int32_t B, int32_t H)
{
    if (H < 0)
        H += HLSMAX;
    if (H > HLSMAX)
        H -= HLSMAX;
    if (H < HLSMAX / 6)
        return A + ((B - A) * H + HLSMAX / 12) / (HLSMAX / 6);
    if (H < HLSMAX / 2)
        return B;
    if (H < HLSMAX * 2 / 3)
        return A + ((B - A) * (HLSMAX * 2 / 3 - H) + HLSMAX / 12) / (HLSMAX / 6);
    return A;
}

int32_t ToRGBScale(int32_t X)
{
    return std::clamp((X * RGBMAX + HLSMAX / 2) / HLSMAX, 0, RGBMAX);
}

}  // namespace

TColor MakeRGB(int32_t R, int32_t G, int32_t B)
{
    return static_cast<TColor>(R & 0xFF) | static_cast<TColor>(G & 0xFF) << 8 | static_cast<TColor>(B & 0xFF) << 16;
}

TColor LightenRGB(TColor C, uint8_t Percent)
{
    // Above 100 % a wrapped channel would turn a light colour dark: clamp instead.
    return MapChannels(
        C, [](int32_t c, uint8_t p) { return std::min(255, c + PortableMulDiv(255 - c, p, 100)); }, Percent);
}

TColor ScaleRGB(TColor C, uint8_t Percent)
{
    return MapChannels(
        C, [](int32_t c, uint8_t p) { return std::max(0, PortableMulDiv(c, p, 100)); }, Percent);
}

uint32_t MakeHLS(int32_t H, int32_t L, int32_t S)
{
    return static_cast<uint32_t>(H & 0xFF) | static_cast<uint32_t>(L & 0xFF) << 8 | static_cast<uint32_t>(S & 0xFF) << 16;
}

uint32_t RGBToHLS(TColor C)
{
    const int32_t r = RedOf(C), g = GreenOf(C), b = BlueOf(C);
    const int32_t cMax = std::max({r, g, b}), cMin = std::min({r, g, b});
    const int32_t l = ((cMax + cMin) * HLSMAX + RGBMAX) / (2 * RGBMAX);
    if (cMax == cMin)
        return MakeHLS(UNDEFINED_HUE, l, 0);
    const int32_t sum = cMax + cMin, diff = cMax - cMin;
    const int32_t s = l <= HLSMAX / 2 ? (diff * HLSMAX + sum / 2) / sum
                                      : (diff * HLSMAX + (2 * RGBMAX - sum) / 2) / (2 * RGBMAX - sum);
    const int32_t rd = ((cMax - r) * (HLSMAX / 6) + diff / 2) / diff;
    const int32_t gd = ((cMax - g) * (HLSMAX / 6) + diff / 2) / diff;
    const int32_t bd = ((cMax - b) * (HLSMAX / 6) + diff / 2) / diff;
    int32_t h;
    if (r == cMax)
        h = bd - gd;
    else if (g == cMax)
        h = HLSMAX / 3 + rd - bd;
    else
        h = 2 * HLSMAX / 3 + gd - rd;
    if (h < 0)
        h += HLSMAX;
    if (h > HLSMAX)
        h -= HLSMAX;
    return MakeHLS(h, l, s);
}

TColor HLSToColor(uint32_t HLS)
{
    const int32_t h = HLS & 0xFF, l = (HLS >> 8) & 0xFF, s = (HLS >> 16) & 0xFF;
    if (s == 0) {
        const int32_t v = l * RGBMAX / HLSMAX;
        return MakeRGB(v, v, v);
    }
    const int32_t m2 = l <= HLSMAX / 2 ? (l * (HLSMAX + s) + HLSMAX / 2) / HLSMAX
                                       : l + s - (l * s + HLSMAX / 2) / HLSMAX;
    const int32_t m1 = 2 * l - m2;
    return MakeRGB(ToRGBScale(HueToChannel(m1, m2, h + HLSMAX / 3)), ToRGBScale(HueToChannel(m1, m2, h)),
                   ToRGBScale(HueToChannel(m1, m2, h - HLSMAX / 3)));
}

TElEdgeColors ButtonShadesOf(TColor BaseColor, TColor Resolved)
{
    if (BaseColor == clBtnFace)
        return TElEdgeColors{};
    const uint32_t hls = RGBToHLS(Resolved);
    const int32_t h = hls & 0xFF, l = (hls >> 8) & 0xFF, s = (hls >> 16) & 0xFF;
    if (l == 0)
        return TElEdgeColors{};
    auto shade = [&](int32_t lightness) { return HLSToColor(MakeHLS(h, std::min(239, lightness), s)); };
    TElEdgeColors c;
    c.Face = BaseColor;
    c.Highlight = shade(l + l / 3);
    c.DkShadow = shade(l - (l >> 1));
    c.Shadow = shade(l - l / 3);
    return c;
}

bool ArrowGlyphStrokes(int Direction, const TRect& R, TRect (&Strokes)[4])
{
    const bool across = Direction == 0 || Direction == 2;
    const int32_t w = across ? 4 : 7, h = across ? 7 : 4;
    if (R.Width() < (across ? 3 : 6) || R.Height() < (across ? 6 : 3))
        return false;
    const int32_t x = R.Left + (R.Width() - w) / 2, y = R.Top + (R.Height() - h) / 2;
    // Stroke k is 2k + 1 pixels long and k pixels from the tip.
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t len = 2 * k + 1, inset = 3 - k;
        switch (Direction) {
        case 0: Strokes[k] = Bounds(x + k, y + inset, 1, len); break;
        case 2: Strokes[k] = Bounds(x + 3 - k, y + inset, 1, len); break;
        case 1: Strokes[k] = Bounds(x + inset, y + k, len, 1); break;
        default: Strokes[k] = Bounds(x + inset, y + 3 - k, len, 1); break;
        }
    }
    return true;
}

int32_t GradientBandStart(int32_t Index, int32_t Extent, int32_t Steps)
{
    return PortableMulDiv(Index, Extent, Steps);
}

TColor GradientBandColor(TColor Start, TColor End, int32_t Index, int32_t Steps)
{
    // One band has no second colour to run to (and MulDiv by 0 would give -1).
    if (Steps <= 1)
        return Start;
    auto channel = [&](uint8_t s, uint8_t e) { return s + PortableMulDiv(Index, e - s, Steps - 1); };
    return MakeRGB(channel(RedOf(Start), RedOf(End)), channel(GreenOf(Start), GreenOf(End)),
                   channel(BlueOf(Start), BlueOf(End)));
}

uint32_t BlendPixel(uint32_t Src, uint32_t Dst, uint32_t A)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (Src >> shift) & 0xFF, d = (Dst >> shift) & 0xFF;
        result |= (((s * A + d * (256 - A)) >> 8) & 0xFF) << shift;
    }
    return result;
}

int32_t BorderHitTest(const TRect& R, const TPoint& P, int32_t K, int32_t W)
{
    if (P.X < R.Left || P.X >= R.Right || P.Y < R.Top || P.Y >= R.Bottom)
        return htNowhere;
    if (P.X <= R.Left + W - 1) {
        if (P.Y <= R.Top + K)
            return htTopLeft;
        return P.Y < R.Bottom - K - 1 ? htLeft : htBottomLeft;
    }
    if (P.Y <= R.Top + W - 1) {
        if (P.X <= R.Left + K)
            return htTopLeft;
        return P.X < R.Right - K - 1 ? htTop : htTopRight;
    }
    if (P.Y >= R.Bottom - W - 1) {
        if (P.X <= R.Left + K)
            return htBottomLeft;
        return P.X < R.Right - K - 1 ? htBottom : htBottomRight;
    }
    if (P.X >= R.Right - W - 1) {
        if (P.Y <= R.Top + K)
            return htTopRight;
        return P.Y < R.Bottom - K - 1 ? htRight : htBottomRight;
    }
    return htClient;
}
