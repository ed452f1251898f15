// Canvas and bitmap: what is drawn reads back pixel for pixel, in memory and on a window.
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"

#include "support/gui_test.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The picture drawn in every test: red background, a blue rectangle (2,3)-(12,9) filled, a
// green horizontal line on y = 20 from x = 0 to 29, single pixels in yellow.
void DrawPicture(TCanvas* c)
{
    c->Brush()->SetColor(clRed);
    c->FillRect({0, 0, 40, 30});
    c->Brush()->SetColor(clBlue);
    c->FillRect({2, 3, 12, 9});
    c->Pen()->SetColor(clGreen);
    c->MoveTo(0, 20);
    c->LineTo(30, 20);
    c->SetPixel(39, 29, clYellow);
    c->SetPixel(0, 0, clYellow);
}

TColor Expected(int x, int y)
{
    if ((x == 39 && y == 29) || (x == 0 && y == 0))
        return clYellow;
    if (y == 20 && x < 30)
        return clGreen;
    if (x >= 2 && x < 12 && y >= 3 && y < 9)
        return clBlue;
    return clRed;
}

TEST(Bitmap, DrawnThroughTheCanvasReadsBackPixelForPixel)
{
    TBitmap bmp(40, 30);
    DrawPicture(bmp.Canvas());
    int wrong = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            wrong += bmp.Pixel(x, y) != Expected(x, y);
    EXPECT_EQ(wrong, 0);
    // ScanLine gives the same pixels in DIB order (0x00RRGGBB).
    EXPECT_EQ(bmp.ScanLine(5)[5], 0x0000FFu);
    EXPECT_EQ(bmp.ScanLine(0)[20], 0xFF0000u);
    EXPECT_EQ(bmp.Pixel(40, 0), clNone);

    // Direct pixel writes show through the canvas as well.
    bmp.ScanLine(1)[1] = 0x123456;
    EXPECT_EQ(bmp.Canvas()->Pixel(1, 1), static_cast<TColor>(0x563412));
}

TEST(Bitmap, SavedAndLoadedBackUnchangedAndBadStreamsAreRefused)
{
    TBitmap bmp(40, 30);
    DrawPicture(bmp.Canvas());
    TMemoryStream stream;
    bmp.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 54 + 40 * 30 * 4);
    EXPECT_EQ(stream.Bytes()[0], 'B');

    stream.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(stream);
    ASSERT_EQ(back.Width(), 40);
    ASSERT_EQ(back.Height(), 30);
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(std::memcmp(back.ScanLine(y), bmp.ScanLine(y), 40 * 4), 0) << "row " << y;

    // A header that promises more rows than the data holds, or an unknown format: refused,
    // and the target keeps what it had.
    std::vector<uint8_t> bytes = stream.Bytes();
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 4);
    TMemoryStream shortStream(cut.data(), cut.size());
    EXPECT_THROW(back.LoadFromStream(shortStream), EReadError);
    bytes[28] = 8;  // 8 bits per pixel
    TMemoryStream palette(bytes.data(), bytes.size());
    EXPECT_THROW(back.LoadFromStream(palette), EReadError);
    bytes[28] = 32;
    bytes[22] = 0xFF; bytes[23] = 0xFF; bytes[24] = 0xFF; bytes[25] = 0x7F;  // absurd height
    TMemoryStream huge(bytes.data(), bytes.size());
    EXPECT_THROW(back.LoadFromStream(huge), EReadError);
    EXPECT_EQ(back.Width(), 40);
    EXPECT_EQ(back.Pixel(5, 5), clBlue);
}

TEST(Bitmap, DrawnOnAFormReadsBackPixelForPixel)
{
    TBitmap bmp(40, 30);
    DrawPicture(bmp.Canvas());
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetClientSize(100, 80);
    form->SetColor(clWhite);
    form->OnPaint = [&](TObject*) {
        form->Canvas()->Draw(10, 20, &bmp);
        form->Canvas()->Brush()->SetColor(clBlack);
        form->Canvas()->FillRect({60, 0, 61, 80});
    };
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    const auto pixels = l3d::testing::ReadClientPixels(form->Handle(), RECT{0, 0, 100, 80});
    int wrong = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            TColor want = clWhite;
            if (x >= 10 && x < 50 && y >= 20 && y < 50)
                want = Expected(x - 10, y - 20);
            else if (x == 60)
                want = clBlack;
            const uint32_t rgb = ((want & 0xFF) << 16) | (want & 0xFF00) | ((want >> 16) & 0xFF);
            wrong += pixels.At(x, y) != rgb;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(Canvas, TextIsMeasuredAndToolsCanChangeWhileSelected)
{
    TBitmap bmp(200, 40);
    TCanvas* c = bmp.Canvas();
    c->Font()->SetName(u"Arial");
    c->Font()->SetHeight(-12);
    const TSize one = c->TextExtent(u"W");
    const TSize three = c->TextExtent(u"WWW");
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(one.cy, 0);
    EXPECT_GE(three.cx, 3 * one.cx - 1);
    // Changing the font deletes the old GDI font; the canvas must have let go of it first.
    c->Font()->SetHeight(-24);
    EXPECT_GT(c->TextExtent(u"W").cy, one.cy);
    c->Brush()->SetColor(clWhite);
    c->FillRect({0, 0, 200, 40});
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->TextOut(2, 2, u"WWW");
    int dark = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            dark += bmp.Pixel(x, y) != clWhite;
    EXPECT_GT(dark, 20);
}

TEST(ImageList, GlyphsAreCutDrawnWithAlphaAndDisabledFaint)
{
    TImageList list(nullptr);
    list.SetSize(16, 16);
    // Two opaque glyphs (no alpha anywhere: treated as opaque) and a half-transparent one.
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect({0, 0, 16, 16});
    strip.Canvas()->Brush()->SetColor(clLime);
    strip.Canvas()->FillRect({16, 0, 32, 16});
    EXPECT_EQ(list.Add(&strip), 0);
    TBitmap translucent(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            translucent.ScanLine(y)[x] = x < 8 ? 0x800000FFu : 0x00000000u;  // left: blue at alpha 128
    EXPECT_EQ(list.Add(&translucent), 2);
    EXPECT_EQ(list.Count(), 3);
    TBitmap tooSmall(8, 8);
    EXPECT_EQ(list.Add(&tooSmall), -1);

    TBitmap target(64, 16);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect({0, 0, 64, 16});
    list.Draw(target.Canvas(), 0, 0, 1);
    list.Draw(target.Canvas(), 16, 0, 2);
    list.Draw(target.Canvas(), 32, 0, 0, false);
    list.Draw(target.Canvas(), 48, 0, 7);  // out of range: nothing
    EXPECT_EQ(target.Pixel(5, 5), clLime);
    const TColor half = target.Pixel(18, 5);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 127, 2);          // red: white halved
    EXPECT_EQ((half >> 16) & 0xFF, 0xFFu);                         // blue stays full
    EXPECT_EQ(target.Pixel(28, 5), clWhite);                       // alpha 0 leaves the background
    const TColor faint = target.Pixel(36, 5);
    EXPECT_EQ(faint & 0xFF, (faint >> 8) & 0xFF);                  // grey
    EXPECT_GT(faint & 0xFF, 0x80u);                                // and light: faint on white
    EXPECT_EQ(target.Pixel(50, 5), clWhite);
    TBitmap copy;
    EXPECT_TRUE(list.GetBitmap(0, &copy));
    EXPECT_EQ(copy.Pixel(3, 3), clRed);
}

// A 16 x 16 icon file of one 32-bit image: green on the left half, transparent on the right.
std::vector<uint8_t> MakeIcon()
{
    std::vector<uint8_t> f;
    auto u16 = [&](uint16_t v) { f.push_back(v & 0xFF); f.push_back(v >> 8); };
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back((v >> (8 * i)) & 0xFF); };
    const uint32_t imageBytes = 40 + 16 * 16 * 4 + 16 * 4;
    u16(0); u16(1); u16(1);
    f.push_back(16); f.push_back(16); f.push_back(0); f.push_back(0);
    u16(1); u16(32); u32(imageBytes); u32(22);
    u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(16 * 16 * 4); u32(0); u32(0); u32(0); u32(0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            u32(x < 8 ? 0xFF00FF00u : 0x00000000u);
    for (int i = 0; i < 16 * 4; ++i)
        f.push_back(0);  // AND mask: alpha decides
    return f;
}

TEST(Icon, LoadsFromIconBytesDrawsAndRefusesBrokenFiles)
{
    const std::vector<uint8_t> bytes = MakeIcon();
    TMemoryStream stream(bytes.data(), bytes.size());
    TIcon icon;
    icon.LoadFromStream(stream);
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
    TBitmap target(16, 16);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect({0, 0, 16, 16});
    icon.Draw(target.Canvas()->Handle(), 0, 0);
    EXPECT_EQ(target.Pixel(2, 2), clLime);
    EXPECT_EQ(target.Pixel(12, 2), clWhite);

    std::vector<uint8_t> broken = bytes;
    broken[14] = 0xFF;  // the entry's size runs past the file
    TMemoryStream bad(broken.data(), broken.size());
    EXPECT_THROW(icon.LoadFromStream(bad), EReadError);
    EXPECT_FALSE(icon.Empty());  // the old image stays
    const uint8_t notIcon[] = {'B', 'M', 0, 0, 0, 0, 0, 0};
    TMemoryStream other(notIcon, sizeof notIcon);
    EXPECT_THROW(icon.LoadFromStream(other), EReadError);
}

}  // namespace
