#include "framework/ImageWriters.h"

#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "framework/Streams.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <cstring>
#include <memory>

#include <jpeglib.h>
#include <png.h>

// Both libraries report errors by jumping out of their own C frames: a C++ exception must not
// unwind through those. Each encoder therefore runs in a function that holds nothing needing a
// destructor between its setjmp and the library calls, and turns a failure into a message that
// the caller raises once the library is left.

namespace {

constexpr int32_t kJpegMaxSide = 65500;

struct TEncodeResult {
    bool Failed = false;
    char Message[JMSG_LENGTH_MAX > 200 ? JMSG_LENGTH_MAX : 200] = {};

    void Fail(const char* Text)
    {
        Failed = true;
        std::snprintf(Message, sizeof Message, "%s", Text ? Text : "");
    }
};

[[noreturn]] void RaiseEncodeError(const char* Format, const TEncodeResult& Result)
{
    throw EWriteError(FormatMessageS(Utf8ToWide(Format), Utf8ToWide(Result.Message)));
}

// ---- PNG

struct TPngOutput {
    std::vector<uint8_t>* Bytes;
    TEncodeResult* Result;
};

[[noreturn]] void PngFail(png_structp Png, png_const_charp Message)
{
    static_cast<TPngOutput*>(png_get_error_ptr(Png))->Result->Fail(Message);
    png_longjmp(Png, 1);
}

void PngIgnoreWarning(png_structp, png_const_charp) {}

void PngWrite(png_structp Png, png_bytep Data, png_size_t Length)
{
    auto* out = static_cast<TPngOutput*>(png_get_io_ptr(Png));
    bool stored = true;
    try {
        out->Bytes->insert(out->Bytes->end(), Data, Data + Length);
    } catch (...) {
        stored = false;
    }
    if (!stored)
        png_error(Png, "out of memory");
}

void PngFlush(png_structp) {}

void EncodePngInto(const TRgbImage& Image, TPngOutput& Out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Out, PngFail, PngIgnoreWarning);
    if (!png) {
        Out.Result->Fail("out of memory");
        return;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        Out.Result->Fail("out of memory");
        return;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return;
    }
    png_set_write_fn(png, &Out, PngWrite, PngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(Image.Width), static_cast<png_uint_32>(Image.Height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < Image.Height; ++y)
        png_write_row(png, const_cast<png_bytep>(Image.Row(y)));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

// ---- JPEG

struct TJpegErrors {
    jpeg_error_mgr Manager;  // first: the library sees only this part
    std::jmp_buf Jump;
    TEncodeResult* Result;
};

[[noreturn]] void JpegFail(j_common_ptr Info)
{
    auto* errors = reinterpret_cast<TJpegErrors*>(Info->err);
    char text[JMSG_LENGTH_MAX] = {};
    (*Info->err->format_message)(Info, text);
    errors->Result->Fail(text);
    std::longjmp(errors->Jump, 1);
}

// Warnings and trace messages would go to stderr; the result is what counts.
void JpegIgnoreMessage(j_common_ptr, int) {}

// Buffer and Size receive the memory the library allocated (also after a failure); the caller
// frees Buffer.
void EncodeJpegInto(const TRgbImage& Image, unsigned char** Buffer, unsigned long* Size, TEncodeResult& Result)
{
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof info);
    TJpegErrors errors;
    info.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = JpegFail;
    errors.Manager.emit_message = JpegIgnoreMessage;
    errors.Result = &Result;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_compress(&info);
        return;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, Buffer, Size);
    info.image_width = static_cast<JDIMENSION>(Image.Width);
    info.image_height = static_cast<JDIMENSION>(Image.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(Image.Row(static_cast<int32_t>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
}

void RequireValid(const TRgbImage& Image)
{
    if (!Image.Valid())
        throw EWriteError(u"The image has no pixels to write");
}

void SaveBytes(const std::vector<uint8_t>& Bytes, const std::u16string& FileName)
{
    SaveFileSafely(FileName, [&](TStream& Stream) {
        Stream.WriteBuffer(Bytes.data(), static_cast<int32_t>(Bytes.size()));
    });
}

}  // namespace

TRgbImage::TRgbImage(int32_t Width, int32_t Height)
    : Width(Width), Height(Height),
      Pixels(Width > 0 && Height > 0 ? static_cast<size_t>(Width) * static_cast<size_t>(Height) * 3 : 0)
{
}

bool TRgbImage::Valid() const
{
    return Width > 0 && Height > 0 && uint64_t{Pixels.size()} == uint64_t(Width) * uint64_t(Height) * 3;
}

std::vector<uint8_t> EncodePng(const TRgbImage& Image)
{
    RequireValid(Image);
    std::vector<uint8_t> bytes;
    TEncodeResult result;
    TPngOutput out{&bytes, &result};
    EncodePngInto(Image, out);
    if (result.Failed)
        RaiseEncodeError("The PNG image could not be written: %s", result);
    return bytes;
}

std::vector<uint8_t> EncodeJpeg(const TRgbImage& Image)
{
    RequireValid(Image);
    if (Image.Width > kJpegMaxSide || Image.Height > kJpegMaxSide) {
        TEncodeResult result;
        result.Fail("the image is too large");
        RaiseEncodeError("The JPEG image could not be written: %s", result);
    }
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    TEncodeResult result;
    EncodeJpegInto(Image, &buffer, &size, result);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
    if (result.Failed || !buffer)
        RaiseEncodeError("The JPEG image could not be written: %s", result);
    return std::vector<uint8_t>(buffer, buffer + size);
}

void SavePngFile(const TRgbImage& Image, const std::u16string& FileName)
{
    SaveBytes(EncodePng(Image), FileName);
}

void SaveJpegFile(const TRgbImage& Image, const std::u16string& FileName)
{
    SaveBytes(EncodeJpeg(Image), FileName);
}
