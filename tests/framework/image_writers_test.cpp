// The PNG and JPEG encoders: what they write decodes, with the same libraries, to the pixels
// given (PNG exactly, JPEG closely); failures are reported and leave the target alone.
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/ImageWriters.h"
#include "framework/Streams.h"

#include "framework/image_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using image_test::DecodeJpeg;
using image_test::DecodePng;

// Odd sizes (rows not a multiple of 4 bytes, blocks not a multiple of 8): flat blocks of
// distinct colours on the left, a smooth ramp on the right.
TRgbImage TestImage(int32_t Width = 37, int32_t Height = 23)
{
    TRgbImage image(Width, Height);
    for (int32_t y = 0; y < Height; ++y)
        for (int32_t x = 0; x < Width; ++x) {
            uint8_t* p = image.Row(y) + 3 * x;
            if (x < Width / 2) {
                const bool top = y < Height / 2;
                p[0] = top ? 220 : 20;
                p[1] = top ? 30 : 200;
                p[2] = x < Width / 4 ? 40 : 180;
            } else {
                p[0] = static_cast<uint8_t>(x * 6);
                p[1] = static_cast<uint8_t>(y * 10);
                p[2] = 128;
            }
        }
    return image;
}

std::vector<uint8_t> ReadFile(const std::u16string& Name)
{
    TMemoryStream stream;
    stream.LoadFromFile(Name);
    return stream.Bytes();
}

std::u16string TempName(const std::u16string& Leaf)
{
    return TempFolder() + u"l3d-image-writers-" + Leaf;
}

TEST(ImageWriters, PngIsEightBitRgbWithoutAlphaAndExact)
{
    const TRgbImage image = TestImage();
    const std::vector<uint8_t> file = EncodePng(image);
    ASSERT_GT(file.size(), 8u);
    const auto decoded = DecodePng(file);
    ASSERT_TRUE(decoded.Ok);
    EXPECT_FALSE(decoded.HasAlpha);
    EXPECT_EQ(file[25], PNG_COLOR_TYPE_RGB);  // IHDR: colour type
    EXPECT_EQ(file[24], 8);                   // IHDR: bit depth
    EXPECT_EQ(decoded.Width, 37);
    EXPECT_EQ(decoded.Height, 23);
    EXPECT_EQ(decoded.Rgb, image.Pixels);
}

TEST(ImageWriters, JpegIsJfifAndClose)
{
    const TRgbImage image = TestImage(64, 40);
    const std::vector<uint8_t> file = EncodeJpeg(image);
    ASSERT_GT(file.size(), 20u);
    EXPECT_EQ(std::string(file.begin() + 6, file.begin() + 10), "JFIF");
    const auto decoded = DecodeJpeg(file);
    ASSERT_TRUE(decoded.Ok);
    ASSERT_EQ(decoded.Width, 64);
    ASSERT_EQ(decoded.Height, 40);
    // Lossy at the default quality (chroma halved at the sharp block edges): small errors on
    // average, and the flat blocks keep their colour away from the edges.
    long total = 0;
    for (size_t i = 0; i < image.Pixels.size(); ++i)
        total += std::abs(int(decoded.Rgb[i]) - int(image.Pixels[i]));
    EXPECT_LT(double(total) / image.Pixels.size(), 10.0);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(decoded.Rgb[(5 * 64 + 5) * 3 + c], image.Pixels[(5 * 64 + 5) * 3 + c], 8) << "channel " << c;
}

TEST(ImageWriters, FilesAreWrittenAndReplaced)
{
    const std::u16string png = TempName(u"out.png"), jpg = TempName(u"out.jpg");
    const TRgbImage small = TestImage(5, 3), image = TestImage();
    SavePngFile(small, png);
    SavePngFile(image, png);  // replaces
    SaveJpegFile(image, jpg);
    const auto decodedPng = DecodePng(ReadFile(png));
    ASSERT_TRUE(decodedPng.Ok);
    EXPECT_EQ(decodedPng.Rgb, image.Pixels);
    const auto decodedJpg = DecodeJpeg(ReadFile(jpg));
    ASSERT_TRUE(decodedJpg.Ok);
    EXPECT_EQ(decodedJpg.Width, 37);
    FileDelete(png);
    FileDelete(jpg);
}

TEST(ImageWriters, FailuresAreReportedAndTheTargetStays)
{
    const std::u16string kept = TempName(u"kept.png");
    SavePngFile(TestImage(5, 3), kept);
    const std::vector<uint8_t> before = ReadFile(kept);

    TRgbImage empty;
    EXPECT_THROW(SavePngFile(empty, kept), EWriteError);
    TRgbImage lying = TestImage(5, 3);
    lying.Height = 4;  // more rows than pixels
    EXPECT_THROW(SavePngFile(lying, kept), EWriteError);
    EXPECT_THROW(SaveJpegFile(lying, kept), EWriteError);
    EXPECT_THROW(EncodeJpeg(TRgbImage(70000, 1)), EWriteError);
    EXPECT_EQ(ReadFile(kept), before);

    // A folder that is a file cannot hold the image.
    const std::u16string unwritable = kept + PathDelimiter() + u"out.png";
    EXPECT_THROW(SavePngFile(TestImage(), unwritable), EFCreateError);
    EXPECT_THROW(SaveJpegFile(TestImage(), unwritable), EFCreateError);
    EXPECT_EQ(ReadFile(kept), before);
    FileDelete(kept);
}

}  // namespace
