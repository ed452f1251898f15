#include "framework/Icon.h"

#include "framework/ByteReader.h"
#include "framework/Exceptions.h"
#include "framework/ScopedGdi.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

[[noreturn]] void Invalid()
{
    throw EReadError(u"Icon image is not valid");
}

}  // namespace

void TIcon::Release()
{
    handle_.reset();
    width_ = height_ = 0;
}

void TIcon::SetHandle(HICON Icon)
{
    if (Icon == handle_.get())
        return;
    Release();
    handle_.reset(Icon);
    if (handle_) {
        ICONINFO info{};
        if (GetIconInfo(Icon, &info)) {
            // The icon's bitmaps are copies that are the caller's to delete.
            const TGdiObject<HBITMAP> color(info.hbmColor), mask(info.hbmMask);
            BITMAP bm{};
            HBITMAP shape = info.hbmColor ? info.hbmColor : info.hbmMask;
            if (GetObjectW(shape, sizeof bm, &bm)) {
                width_ = bm.bmWidth;
                height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
            }
        }
    }
}

void TIcon::Assign(const TPersistent* Source)
{
    if (auto* i = dynamic_cast<const TIcon*>(Source)) {
        if (i == this)
            return;
        SetHandle(i->handle_ ? CopyIcon(i->handle_.get()) : nullptr);
        return;
    }
    TPersistent::Assign(Source);
}

void TIcon::LoadFromStream(TStream& Stream, int Width, int Height)
{
    const int64_t start = Stream.Position();
    const int64_t size = Stream.Size() - start;
    if (size < 6 || size > 16 * 1024 * 1024)
        Invalid();
    std::vector<uint8_t> data(static_cast<size_t>(size));
    Stream.ReadBuffer(data.data(), static_cast<int32_t>(size));
    ByteReader file(data.data(), data.size());
    uint16_t reserved = 0, type = 0, count = 0;
    file.U16(reserved);
    file.U16(type);
    file.U16(count);
    if (!file.Ok() || reserved != 0 || type != 1 || count == 0 || !file.Has(16u * count))
        Invalid();

    struct Entry {
        int W, H;
        uint32_t Bytes, Offset;
    };
    std::optional<Entry> best;
    long bestScore = 0;
    for (int i = 0; i < count; ++i) {
        ByteReader e = file.Sub(16);
        uint8_t w = 0, h = 0;
        Entry entry{};
        e.U8(w);
        e.U8(h);
        e.Skip(6);
        e.U32(entry.Bytes);
        e.U32(entry.Offset);
        entry.W = w ? w : 256;
        entry.H = h ? h : 256;
        // Every entry must lie inside the file, behind the directory.
        if (!e.Ok() || entry.Offset < 6 + 16u * count || entry.Bytes == 0 ||
            static_cast<int64_t>(entry.Offset) + entry.Bytes > size)
            Invalid();
        const long score = (Width || Height) ? std::labs(entry.W - Width) + std::labs(entry.H - Height) : i;
        if (!best || score < bestScore) {
            best = entry;
            bestScore = score;
        }
    }
    file.Seek(best->Offset);
    const std::span<const uint8_t> image = file.Take(best->Bytes);
    HICON icon = image.empty() ? nullptr
                               : CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                                          static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                                          best->W, best->H, LR_DEFAULTCOLOR);
    if (!icon)
        Invalid();
    SetHandle(icon);
}

void TIcon::LoadFromFile(const std::u16string& FileName, int Width, int Height)
{
    TFileStream file(FileName, fmOpenRead);
    LoadFromStream(file, Width, Height);
}

void TIcon::Draw(HDC Dc, int X, int Y) const
{
    if (handle_)
        DrawIconEx(Dc, X, Y, handle_.get(), 0, 0, 0, nullptr, DI_NORMAL);
}

void TIcon::StretchDraw(HDC Dc, const TRect& R) const
{
    if (handle_)
        DrawIconEx(Dc, R.Left, R.Top, handle_.get(), R.Width(), R.Height(), 0, nullptr, DI_NORMAL);
}
