// Image files of bitmaps and icons: a bitmap written as PNG and JPEG decodes to its pixels,
// and BMP and icon data that is cut short or whose header lies is refused without touching
// what was loaded before.
#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/Icon.h"

#include "framework/image_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::vector<uint8_t> ReadFile(const std::u16string& Name)
{
    TMemoryStream stream;
    stream.LoadFromFile(Name);
    return stream.Bytes();
}

// A bitmap with a blue block, a green line and a yellow corner on red.
void Paint(TBitmap& Bmp)
{
    TCanvas* c = Bmp.Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect({0, 0, Bmp.Width(), Bmp.Height()});
    c->Brush()->SetColor(clBlue);
    c->FillRect({16, 8, 40, 24});
    c->Pen()->SetColor(clGreen);
    c->MoveTo(0, 30);
    c->LineTo(Bmp.Width(), 30);
    Bmp.SetPixel(0, 0, clYellow);
}

TColor ColorAt(const image_test::Decoded& D, int X, int Y)
{
    const uint8_t* p = &D.Rgb[(static_cast<size_t>(Y) * D.Width + X) * 3];
    return static_cast<TColor>(p[0] | (p[1] << 8) | (p[2] << 16));
}

TEST(BitmapFiles, PngAndJpegDecodeToTheBitmapsPixels)
{
    TBitmap bmp(51, 37);
    Paint(bmp);
    bmp.ScanLine(2)[2] = 0xFF123456;  // an alpha byte does not reach the file
    const std::u16string png = TempFolder() + u"l3d-bitmap.png", jpg = TempFolder() + u"l3d-bitmap.jpg";
    bmp.SaveToPngFile(png);
    bmp.SaveToJpegFile(jpg);

    const auto fromPng = image_test::DecodePng(ReadFile(png));
    ASSERT_TRUE(fromPng.Ok);
    EXPECT_FALSE(fromPng.HasAlpha);
    ASSERT_EQ(fromPng.Width, 51);
    ASSERT_EQ(fromPng.Height, 37);
    int wrong = 0;
    for (int y = 0; y < 37; ++y)
        for (int x = 0; x < 51; ++x)
            wrong += ColorAt(fromPng, x, y) != bmp.Pixel(x, y);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(ColorAt(fromPng, 2, 2), static_cast<TColor>(0x563412));

    const auto fromJpg = image_test::DecodeJpeg(ReadFile(jpg));
    ASSERT_TRUE(fromJpg.Ok);
    ASSERT_EQ(fromJpg.Width, 51);
    for (auto [x, y] : {std::pair{28, 16}, {45, 5}, {5, 20}})
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(int(ColorAt(fromJpg, x, y) >> shift & 0xFF), int(bmp.Pixel(x, y) >> shift & 0xFF), 12)
                << x << "," << y;
    FileDelete(png);
    FileDelete(jpg);

    TBitmap empty;
    EXPECT_THROW(empty.SaveToPngFile(png), EWriteError);
    EXPECT_THROW(bmp.SaveToJpegFile(TempFolder() + u"no\\such\\<folder>\\x.jpg"), EFCreateError);
    EXPECT_FALSE(FileExists(png));
}

// The BMP file of a 4 x 3 32-bit bitmap, and a reader that sets fields in it.
struct BmpBytes {
    std::vector<uint8_t> Data;
    BmpBytes()
    {
        TBitmap bmp(4, 3);
        Paint(bmp);
        TMemoryStream stream;
        bmp.SaveToStream(stream);
        Data = stream.Bytes();
    }
    BmpBytes& U32(size_t At, uint32_t V)
    {
        for (int i = 0; i < 4; ++i)
            Data[At + i] = static_cast<uint8_t>(V >> (8 * i));
        return *this;
    }
    BmpBytes& Cut(size_t Size)
    {
        Data.resize(Size);
        return *this;
    }
};

TEST(BitmapFiles, ShortAndLyingBmpHeadersAreRefused)
{
    TBitmap target(2, 2);
    target.SetPixel(1, 1, clLime);
    auto refused = [&](const BmpBytes& Bytes, const char* What) {
        TMemoryStream stream(Bytes.Data.data(), Bytes.Data.size());
        EXPECT_THROW(target.LoadFromStream(stream), EReadError) << What;
        EXPECT_EQ(target.Width(), 2) << What;
        EXPECT_EQ(target.Pixel(1, 1), clLime) << What;
    };
    refused(BmpBytes().Cut(30), "shorter than its headers");
    refused(BmpBytes().Cut(53), "one byte short of its headers");
    refused(BmpBytes().U32(10, 70), "pixels that would run past the end");
    refused(BmpBytes().U32(10, 20), "pixels that start inside the headers");
    refused(BmpBytes().U32(14, 0xFFFFFFF5u), "an info header larger than the file");
    refused(BmpBytes().U32(14, 12), "an info header too small");
    refused(BmpBytes().U32(30, 3), "bit fields whose masks would lie in the pixels");
    refused(BmpBytes().U32(30, 3).U32(10, 66).Cut(66 + 48).U32(54, 0xFF), "bit fields in another layout");

    // A top-down file loads row for row.
    BmpBytes topDown;
    topDown.U32(22, static_cast<uint32_t>(-3));
    TMemoryStream stream(topDown.Data.data(), topDown.Data.size());
    TBitmap flipped;
    flipped.LoadFromStream(stream);
    EXPECT_EQ(flipped.Pixel(0, 2), clYellow);
    EXPECT_EQ(flipped.Pixel(0, 0), clRed);
}

// An icon file of Count directory entries (only the first filled) followed by one 16 x 16
// 32-bit image.
std::vector<uint8_t> IconFile(uint16_t Count = 1)
{
    std::vector<uint8_t> f;
    auto u16 = [&](uint16_t v) { f.push_back(v & 0xFF); f.push_back(v >> 8); };
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back((v >> (8 * i)) & 0xFF); };
    const uint32_t imageBytes = 40 + 16 * 16 * 4 + 16 * 4;
    u16(0); u16(1); u16(Count);
    f.insert(f.end(), {16, 16, 0, 0});
    u16(1); u16(32); u32(imageBytes); u32(6 + 16u * Count);
    for (int i = 1; i < Count; ++i)
        f.insert(f.end(), 16, 0);
    u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(16 * 16 * 4); u32(0); u32(0); u32(0); u32(0);
    for (int i = 0; i < 16 * 16; ++i)
        u32(0xFF0000FFu);  // opaque blue
    f.insert(f.end(), 16 * 4, 0);
    return f;
}

TEST(IconFiles, ShortAndLyingDirectoriesAreRefused)
{
    TIcon icon;
    {
        const std::vector<uint8_t> good = IconFile();
        TMemoryStream stream(good.data(), good.size());
        icon.LoadFromStream(stream);
        ASSERT_FALSE(icon.Empty());
    }
    const HICON loaded = icon.Handle();
    auto refused = [&](std::vector<uint8_t> Bytes, const char* What) {
        TMemoryStream stream(Bytes.data(), Bytes.size());
        EXPECT_THROW(icon.LoadFromStream(stream), EReadError) << What;
        EXPECT_EQ(icon.Handle(), loaded) << What;
    };
    auto patched = [](size_t At, uint32_t V, std::vector<uint8_t> Bytes = IconFile()) {
        for (int i = 0; i < 4; ++i)
            Bytes[At + i] = static_cast<uint8_t>(V >> (8 * i));
        return Bytes;
    };
    std::vector<uint8_t> good = IconFile();
    refused(std::vector<uint8_t>(good.begin(), good.begin() + 5), "shorter than the directory's head");
    refused(std::vector<uint8_t>(good.begin(), good.begin() + 20), "cut inside the directory");
    std::vector<uint8_t> many = good;
    many[4] = 0xFF;
    many[5] = 0xFF;
    refused(many, "more entries than the file holds");
    refused(patched(0, 0x00010001), "not an icon file");
    refused(patched(4, 0), "no entries");
    refused(patched(18, 10), "an image inside the directory");
    refused(patched(14, 0), "an image of no bytes");
    refused(patched(18, 0xFFFFFFF0u), "an image far past the end");
    refused(std::vector<uint8_t>(good.begin(), good.end() - 1), "an image one byte short");

    // A second, empty entry is refused even though the first one is sound.
    refused(IconFile(2), "an empty second entry");
}

}  // namespace
