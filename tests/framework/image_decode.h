// Decoders for the image-writer tests, with the same libraries the writers use: what was
// written is read back and compared by pixel.
#pragma once

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace image_test {

struct Decoded {
    bool Ok = false;
    bool HasAlpha = false;
    int Width = 0, Height = 0;
    std::vector<uint8_t> Rgb;  // rows top first
};

inline Decoded DecodePng(const std::vector<uint8_t>& File)
{
    Decoded out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, File.data(), File.size()))
        return out;
    out.HasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGB;
    out.Width = static_cast<int>(image.width);
    out.Height = static_cast<int>(image.height);
    out.Rgb.resize(PNG_IMAGE_SIZE(image));
    out.Ok = png_image_finish_read(&image, nullptr, out.Rgb.data(), 0, nullptr) != 0;
    return out;
}

struct JpegErrors {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

inline void JpegJump(j_common_ptr Info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(Info->err)->Jump, 1);
}

// Fills Out; false when the data is no JPEG the library can read.
inline bool DecodeJpegInto(const std::vector<uint8_t>& File, Decoded& Out, std::vector<uint8_t>& Pixels)
{
    jpeg_decompress_struct info{};
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = JpegJump;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, File.data(), static_cast<unsigned long>(File.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    Out.Width = static_cast<int>(info.output_width);
    Out.Height = static_cast<int>(info.output_height);
    Pixels.resize(static_cast<size_t>(Out.Width) * Out.Height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = Pixels.data() + static_cast<size_t>(info.output_scanline) * Out.Width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

inline Decoded DecodeJpeg(const std::vector<uint8_t>& File)
{
    Decoded out;
    std::vector<uint8_t> pixels;
    out.Ok = DecodeJpegInto(File, out, pixels);
    out.Rgb = std::move(pixels);
    return out;
}

}  // namespace image_test
