#include "framework/Bitmap.h"

#include "framework/ByteReader.h"
#include "framework/Exceptions.h"
#include "framework/LittleEndianBytes.h"
#include "framework/FileUtils.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int kMaxSide = 32768;

[[noreturn]] void Invalid()
{
    throw EReadError(u"Bitmap image is not valid");
}

}  // namespace

BITMAPINFO TopDownDibInfo(int Width, int Height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

HBITMAP CreateTopDownDib(int Width, int Height, uint32_t*& Bits)
{
    const BITMAPINFO bi = TopDownDibInfo(Width, Height);
    void* bits = nullptr;
    TGdiObject<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits)
        dib.reset();
    Bits = dib ? static_cast<uint32_t*>(bits) : nullptr;
    return dib.release();
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int Width, int Height)
{
    SetSize(Width, Height);
}

TBitmap::~TBitmap() = default;

void TBitmap::Release()
{
    if (canvas_)
        canvas_->SetHandle(nullptr);
    memDc_.reset();
    dib_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

void TBitmap::SetSize(int Width, int Height)
{
    if (Width < 0 || Height < 0 || Width > kMaxSide || Height > kMaxSide)
        throw EOutOfResources(u"Invalid bitmap size");
    if (Width == width_ && Height == height_)
        return;
    Release();
    if (Width == 0 || Height == 0)
        return;
    dib_.reset(CreateTopDownDib(Width, Height, bits_));
    if (!dib_)
        throw EOutOfResources(u"Out of system resources");
    width_ = Width;
    height_ = Height;
    std::memset(bits_, 0, static_cast<size_t>(Width) * Height * 4);
}

void TBitmap::Assign(const TPersistent* Source)
{
    if (auto* b = dynamic_cast<const TBitmap*>(Source)) {
        if (b == this)
            return;
        b->Flush();
        SetSize(b->width_, b->height_);
        if (bits_)
            std::memcpy(bits_, b->bits_, static_cast<size_t>(width_) * height_ * 4);
        Transparent = b->Transparent;
        TransparentColor = b->TransparentColor;
        return;
    }
    TPersistent::Assign(Source);
}

void TBitmap::Flush() const
{
    if (memDc_)
        GdiFlush();
}

uint32_t* TBitmap::ScanLine(int Y)
{
    if (Y < 0 || Y >= height_)
        throw EListError(u"Scan line index out of range");
    Flush();
    return bits_ + static_cast<size_t>(Y) * width_;
}

const uint32_t* TBitmap::ScanLine(int Y) const
{
    if (Y < 0 || Y >= height_)
        throw EListError(u"Scan line index out of range");
    Flush();
    return bits_ + static_cast<size_t>(Y) * width_;
}

TColor TBitmap::Pixel(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= width_ || Y >= height_)
        return clNone;
    const uint32_t p = ScanLine(Y)[X];
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

void TBitmap::SetPixel(int X, int Y, TColor Color)
{
    if (X < 0 || Y < 0 || X >= width_ || Y >= height_)
        return;
    const COLORREF c = ColorToRGB(Color);
    ScanLine(Y)[X] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>();
    if (dib_ && !memDc_)
        memDc_ = std::make_unique<TMemoryDC>(nullptr, dib_.get());
    canvas_->SetHandle(memDc_ ? memDc_->Handle() : nullptr);
    return canvas_.get();
}

void TBitmap::DrawTo(HDC Dc, const TRect& Dest) const
{
    if (Empty())
        return;
    Flush();
    // A bitmap is selected into one DC at a time: use the canvas's when there is one.
    std::optional<TMemoryDC> own;
    if (!memDc_)
        own.emplace(Dc, dib_.get());
    const HDC src = memDc_ ? memDc_->Handle() : own->Handle();
    if (Transparent) {
        TColor key = TransparentColor;
        if (key == clNone)
            key = Pixel(0, height_ - 1);
        TransparentBlt(Dc, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, 0, 0, width_, height_,
                       ColorToRGB(key));
    } else {
        SetStretchBltMode(Dc, COLORONCOLOR);
        StretchBlt(Dc, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), src, 0, 0, width_, height_, SRCCOPY);
    }
}

void TBitmap::SaveToStream(TStream& Stream) const
{
    Flush();
    const uint32_t imageSize = static_cast<uint32_t>(width_) * height_ * 4;
    uint8_t header[54] = {};
    header[0] = 'B';
    header[1] = 'M';
    le::PutU32(header + 2, 54 + imageSize);
    le::PutU32(header + 10, 54);
    le::PutU32(header + 14, 40);
    le::PutU32(header + 18, static_cast<uint32_t>(width_));
    le::PutU32(header + 22, static_cast<uint32_t>(height_));  // bottom-up, the common form
    le::PutU16(header + 26, 1);
    le::PutU16(header + 28, 32);
    le::PutU32(header + 34, imageSize);
    Stream.WriteBuffer(header, sizeof header);
    for (int y = height_ - 1; y >= 0; --y)
        Stream.WriteBuffer(bits_ + static_cast<size_t>(y) * width_, width_ * 4);
}

void TBitmap::SaveToFile(const std::u16string& FileName) const
{
    SaveFileSafely(FileName, [this](TStream& File) { SaveToStream(File); });
}

TRgbImage TBitmap::RgbImage() const
{
    Flush();
    TRgbImage image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* src = bits_ + static_cast<size_t>(y) * width_;
        uint8_t* dst = image.Row(y);
        for (int x = 0; x < width_; ++x) {
            dst[3 * x] = static_cast<uint8_t>(src[x] >> 16);
            dst[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<uint8_t>(src[x]);
        }
    }
    return image;
}

void TBitmap::SaveToPngFile(const std::u16string& FileName) const
{
    SavePngFile(RgbImage(), FileName);
}

void TBitmap::SaveToJpegFile(const std::u16string& FileName) const
{
    SaveJpegFile(RgbImage(), FileName);
}

void TBitmap::LoadFromStream(TStream& Stream)
{
    const int64_t start = Stream.Position();
    const int64_t available = Stream.Size() - start;
    // The file header, the info header and, for bit fields, the three masks that follow it.
    constexpr int64_t kHeader = 14 + 40, kMasks = 12;
    if (available < kHeader)
        Invalid();
    std::vector<uint8_t> head(static_cast<size_t>(std::min(available, kHeader + kMasks)));
    Stream.ReadBuffer(head.data(), static_cast<int32_t>(head.size()));
    ByteReader header(head.data(), head.size());
    uint8_t b = 0, m = 0;
    uint32_t offset = 0, infoSize = 0, compression = 0;
    int32_t w = 0, rawH = 0;
    uint16_t planes = 0, bpp = 0;
    header.U8(b);
    header.U8(m);
    header.Skip(8);
    header.U32(offset);
    header.U32(infoSize);
    header.I32(w);
    header.I32(rawH);
    header.U16(planes);
    header.U16(bpp);
    header.U32(compression);
    if (!header.Ok() || b != 'B' || m != 'M')
        Invalid();
    if (infoSize < 40 || planes != 1 || (bpp != 24 && bpp != 32))
        Invalid();
    if (!(compression == BI_RGB || (compression == BI_BITFIELDS && bpp == 32)))
        Invalid();
    if (w <= 0 || w > kMaxSide || rawH == 0 || rawH < -kMaxSide || rawH > kMaxSide)
        Invalid();
    const bool topDown = rawH < 0;
    const int h = topDown ? -rawH : rawH;
    const int64_t stride = ((static_cast<int64_t>(w) * bpp + 31) / 32) * 4;
    // Every byte the header promises must be in the stream before anything is allocated.
    if (offset < uint64_t{14} + infoSize || static_cast<int64_t>(offset) + stride * h > available)
        Invalid();
    if (compression == BI_BITFIELDS) {
        // The masks follow a plain info header and must lie before the pixels; only the plain
        // byte layout is accepted.
        if (infoSize == 40 && offset < kHeader + kMasks)
            Invalid();
        uint32_t masks[3] = {};
        header.Seek(kHeader);
        for (uint32_t& mask : masks)
            header.U32(mask);
        if (!header.Ok() || masks[0] != 0x00FF0000 || masks[1] != 0x0000FF00 || masks[2] != 0x000000FF)
            Invalid();
    }
    std::vector<uint8_t> data(static_cast<size_t>(stride * h));
    Stream.SetPosition(start + offset);
    Stream.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));

    ByteReader pixels(data.data(), data.size());
    TBitmap loaded(w, h);
    for (int row = 0; row < h; ++row) {
        ByteReader line = pixels.Sub(static_cast<uint64_t>(stride));
        uint32_t* dst = loaded.bits_ + static_cast<size_t>(topDown ? row : h - 1 - row) * w;
        for (int x = 0; x < w; ++x) {
            if (bpp == 32) {
                line.U32(dst[x]);
            } else {
                uint8_t blue = 0, green = 0, red = 0;
                line.U8(blue);
                line.U8(green);
                line.U8(red);
                dst[x] = blue | (green << 8) | (red << 16);
            }
        }
        if (!line.Ok())
            Invalid();
    }
    SetSize(w, h);
    std::memcpy(bits_, loaded.bits_, static_cast<size_t>(w) * h * 4);
}

void TBitmap::LoadFromFile(const std::u16string& FileName)
{
    TFileStream file(FileName, fmOpenRead);
    LoadFromStream(file);
}
