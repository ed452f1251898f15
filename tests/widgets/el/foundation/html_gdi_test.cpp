// The HTML renderer painting through GDI into a memory DC: link pixels only inside the link,
// a bullet left of its item, a rule in its two shades, buffered and unbuffered alike, nothing
// for an empty rectangle.
#include "widgets/el/foundation/ElHTMLGdi.h"

#include "support/gui_test.h"

#include "framework/Graphics.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using l3d::testing::ColorNear;

uint32_t Rgb(TColor c)
{
    const COLORREF r = ColorToRGB(c);
    return (GetRValue(r) << 16) | (GetGValue(r) << 8) | GetBValue(r);
}

// A white memory DC of W x H with Text painted into it.
struct Painted {
    std::unique_ptr<TElHTMLRender> render = NewGdiHTMLRender();
    TMemoryDC dc;
    int w, h;
    Painted(const std::u16string& Text, int W, int H, bool Buffered = true) : dc(nullptr, W, H), w(W), h(H)
    {
        render->Data()->DefaultColor = clBlack;
        FillRect(dc.Handle(), std::array<RECT, 1>{RECT{0, 0, W, H}}.data(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ok = render->PrepareText(Text, W, false);
        DrawHTMLText(*render, dc.Handle(), {0, 0}, {0, 0, W, H}, clNone, Buffered);
        GdiFlush();
    }
    uint32_t At(int x, int y) const { return dc.Bits()[y * w + x] & 0xFFFFFF; }
    std::vector<uint32_t> All() const
    {
        std::vector<uint32_t> v(dc.Bits(), dc.Bits() + w * h);
        for (uint32_t& p : v)
            p &= 0xFFFFFF;
        return v;
    }
    bool ok = false;
};

TEST(HTMLOnGdi, LinkPixelsLieOnlyWhereTheLinkIs)
{
    Painted p(u"<html>Some words and <a href=\"help:topic\">a link</a> then more", 400, 40);
    ASSERT_TRUE(p.ok);
    int blue = 0;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (ColorNear(p.At(x, y), 0x0000FF, 60)) {
                ++blue;
                // The font's underline may begin a pixel before the run's cell.
                std::u16string href;
                EXPECT_TRUE(p.render->IsCursorOverLink({x, y}, {0, 0}, {0, 0, p.w, p.h}, href) ||
                            p.render->IsCursorOverLink({x + 1, y}, {0, 0}, {0, 0, p.w, p.h}, href))
                    << x << "," << y;
                EXPECT_EQ(href, u"help:topic");
            }
    EXPECT_GT(blue, 20);
    std::u16string href;
    EXPECT_FALSE(p.render->IsCursorOverLink({3, 6}, {0, 0}, {0, 0, p.w, p.h}, href));
}

TEST(HTMLOnGdi, ABulletStandsLeftOfItsItemAndARuleShowsItsTwoShades)
{
    Painted p(u"<html><ul><li>item</li></ul><hr width=\"200\">below", 300, 80);
    ASSERT_TRUE(p.ok);
    // The first line with ink holds the bullet, then a gap, then the item's text.
    int row = -1;
    for (int y = 0; y < p.h && row < 0; ++y)
        for (int x = 0; x < p.w; ++x)
            if (ColorNear(p.At(x, y), 0x000000, 100)) {
                row = y;
                break;
            }
    ASSERT_GE(row, 0);
    int bulletLeft = -1, bulletRight = -1, textLeft = -1;
    for (int x = 0; x < p.w; ++x) {
        bool ink = false;
        for (int y = row; y < std::min(p.h, row + 14); ++y)
            ink = ink || ColorNear(p.At(x, y), 0x000000, 100);
        if (ink && bulletLeft < 0)
            bulletLeft = x;
        else if (!ink && bulletLeft >= 0 && bulletRight < 0)
            bulletRight = x;
        else if (ink && bulletRight >= 0) {
            textLeft = x;
            break;
        }
    }
    EXPECT_GE(bulletRight - bulletLeft, 2);
    EXPECT_GT(textLeft, bulletRight);

    // The rule: a row of the shadow colour 200 pixels long, the face colour below it.
    const uint32_t shadow = Rgb(clBtnShadow), face = Rgb(clBtnFace);
    int shadowRow = -1;
    for (int y = 0; y < p.h && shadowRow < 0; ++y)
        if (p.At(5, y) == shadow && p.At(195, y) == shadow && p.At(205, y) != shadow)
            shadowRow = y;
    ASSERT_GE(shadowRow, 0);
    bool faceBelow = false;
    for (int y = shadowRow + 1; y < p.h; ++y)
        faceBelow = faceBelow || (p.At(5, y) == face && p.At(195, y) == face);
    EXPECT_TRUE(faceBelow);
}

TEST(HTMLOnGdi, BufferedAndDirectPaintingAgreeAndAnEmptyRectanglePaintsNothing)
{
    const std::u16string text = u"<html><b>Bold</b> <i>italic</i> <font color=\"#00FF00\">green</font><br>second";
    Painted buffered(text, 200, 40, true), direct(text, 200, 40, false);
    EXPECT_EQ(buffered.All(), direct.All());
    int green = 0;
    for (uint32_t px : buffered.All())
        green += ColorNear(px, 0x00FF00, 60);
    EXPECT_GT(green, 5);

    Painted none(u"<html>x", 20, 20);
    DrawHTMLText(*none.render, none.dc.Handle(), {0, 0}, {5, 5, 5, 15});
    DrawHTMLText(*none.render, none.dc.Handle(), {0, 0}, {0, 0, 0, 0});
    GdiFlush();
    const std::vector<uint32_t> before = none.All();
    DrawHTMLText(*none.render, none.dc.Handle(), {0, 0}, {8, 8, 8, 8});
    GdiFlush();
    EXPECT_EQ(none.All(), before);
}

}  // namespace
