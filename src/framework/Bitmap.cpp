#include "framework/Bitmap.h"

#include "framework/Exceptions.h"
#include "framework/LittleEndianBytes.h"
#include "framework/FileUtils.h"

#include <cstring>
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
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && !bits) {
        DeleteObject(dib);
        dib = nullptr;
    }
    Bits = dib ? static_cast<uint32_t*>(bits) : nullptr;
    return dib;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int Width, int Height)
{
    SetSize(Width, Height);
}

TBitmap::~TBitmap()
{
    canvas_.reset();
    Release();
}

void TBitmap::Release()
{
    if (canvas_)
        canvas_->SetHandle(nullptr);
    if (memDc_) {
        SelectObject(memDc_, oldBitmap_);
        DeleteDC(memDc_);
        memDc_ = nullptr;
    }
    if (dib_)
        DeleteObject(dib_);
    dib_ = nullptr;
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
    dib_ = CreateTopDownDib(Width, Height, bits_);
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
    if (dib_ && !memDc_) {
        memDc_ = CreateCompatibleDC(nullptr);
        oldBitmap_ = SelectObject(memDc_, dib_);
    }
    canvas_->SetHandle(memDc_);
    return canvas_.get();
}

void TBitmap::DrawTo(HDC Dc, const TRect& Dest) const
{
    if (Empty())
        return;
    Flush();
    // A bitmap is selected into one DC at a time: use the canvas's when there is one.
    HDC src = memDc_ ? memDc_ : CreateCompatibleDC(Dc);
    HGDIOBJ old = memDc_ ? nullptr : SelectObject(src, dib_);
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
    if (!memDc_) {
        SelectObject(src, old);
        DeleteDC(src);
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

void TBitmap::LoadFromStream(TStream& Stream)
{
    const int64_t start = Stream.Position();
    const int64_t available = Stream.Size() - start;
    uint8_t header[54];
    if (available < static_cast<int64_t>(sizeof header) || Stream.Read(header, sizeof header) != sizeof header)
        Invalid();
    if (header[0] != 'B' || header[1] != 'M')
        Invalid();
    const uint32_t offset = le::U32At(header + 10);
    const uint32_t infoSize = le::U32At(header + 14);
    const int32_t w = static_cast<int32_t>(le::U32At(header + 18));
    const int32_t rawH = static_cast<int32_t>(le::U32At(header + 22));
    const uint16_t planes = le::U16At(header + 26);
    const uint16_t bpp = le::U16At(header + 28);
    const uint32_t compression = le::U32At(header + 30);
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
    if (offset < 14 + infoSize || static_cast<int64_t>(offset) + stride * h > available)
        Invalid();
    uint32_t masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (compression == BI_BITFIELDS) {
        uint8_t m[12];
        if (infoSize == 40 && offset < 54 + 12)
            Invalid();
        Stream.SetPosition(start + 14 + 40);
        Stream.ReadBuffer(m, sizeof m);
        for (int i = 0; i < 3; ++i)
            masks[i] = le::U32At(m + 4 * i);
        // Only the plain byte layout is accepted.
        if (masks[0] != 0x00FF0000 || masks[1] != 0x0000FF00 || masks[2] != 0x000000FF)
            Invalid();
    }
    std::vector<uint8_t> data(static_cast<size_t>(stride * h));
    Stream.SetPosition(start + offset);
    Stream.ReadBuffer(data.data(), static_cast<int32_t>(data.size()));

    TBitmap loaded(w, h);
    for (int row = 0; row < h; ++row) {
        const uint8_t* src = data.data() + static_cast<size_t>(stride) * row;
        uint32_t* dst = loaded.bits_ + static_cast<size_t>(topDown ? row : h - 1 - row) * w;
        for (int x = 0; x < w; ++x) {
            if (bpp == 32)
                dst[x] = le::U32At(src + 4 * x);
            else
                dst[x] = src[3 * x] | (src[3 * x + 1] << 8) | (src[3 * x + 2] << 16);
        }
    }
    SetSize(w, h);
    std::memcpy(bits_, loaded.bits_, static_cast<size_t>(w) * h * 4);
}

void TBitmap::LoadFromFile(const std::u16string& FileName)
{
    TFileStream file(FileName, fmOpenRead);
    LoadFromStream(file);
}
