// Encoders of the image files the program exports besides BMP: PNG through libpng (8-bit RGB,
// no alpha channel) and JPEG (JFIF) through libjpeg at the library's default quality. They
// take plain 8-bit RGB pixels, so they are portable; TBitmap hands its pixels over on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An image of 8-bit RGB pixels: R, G, B for each pixel, rows top first, no padding.
struct TRgbImage {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Pixels;

    TRgbImage() = default;
    TRgbImage(int32_t Width, int32_t Height);
    // Both sides positive and exactly Width * Height * 3 bytes of pixels.
    bool Valid() const;
    uint8_t* Row(int32_t Y) { return Pixels.data() + static_cast<size_t>(Y) * Width * 3; }
    const uint8_t* Row(int32_t Y) const { return Pixels.data() + static_cast<size_t>(Y) * Width * 3; }
};

// The bytes of the file. An image that is not Valid(), or that the encoder refuses (JPEG
// takes at most 65500 pixels a side), raises EWriteError with the reason.
std::vector<uint8_t> EncodePng(const TRgbImage& Image);
std::vector<uint8_t> EncodeJpeg(const TRgbImage& Image);

// Encode, then write FileName through a temporary file beside it: EWriteError as above, or
// EFCreateError when the file cannot be written. FileName is untouched by a failure.
void SavePngFile(const TRgbImage& Image, const std::u16string& FileName);
void SaveJpegFile(const TRgbImage& Image, const std::u16string& FileName);
