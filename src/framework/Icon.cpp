#include "framework/Icon.h"

#include "framework/Exceptions.h"
#include "framework/LittleEndianBytes.h"

#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void Invalid()
{
    throw EReadError(u"Icon image is not valid");
}

}  // namespace

TIcon::~TIcon()
{
    Release();
}

void TIcon::Release()
{
    if (handle_)
        DestroyIcon(handle_);
    handle_ = nullptr;
    width_ = height_ = 0;
}

void TIcon::SetHandle(HICON Icon)
{
    if (Icon == handle_)
        return;
    Release();
    handle_ = Icon;
    if (handle_) {
        ICONINFO info{};
        if (GetIconInfo(handle_, &info)) {
            BITMAP bm{};
            HBITMAP shape = info.hbmColor ? info.hbmColor : info.hbmMask;
            if (GetObjectW(shape, sizeof bm, &bm)) {
                width_ = bm.bmWidth;
                height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
            }
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
            if (info.hbmMask)
                DeleteObject(info.hbmMask);
        }
    }
}

void TIcon::Assign(const TPersistent* Source)
{
    if (auto* i = dynamic_cast<const TIcon*>(Source)) {
        if (i == this)
            return;
        SetHandle(i->handle_ ? CopyIcon(i->handle_) : nullptr);
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
    if (le::U16At(&data[0]) != 0 || le::U16At(&data[2]) != 1)
        Invalid();
    const int count = le::U16At(&data[4]);
    if (count == 0 || 6 + 16 * static_cast<int64_t>(count) > size)
        Invalid();
    int best = -1;
    long bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = &data[6 + 16 * i];
        const uint32_t bytes = le::U32At(e + 8), offset = le::U32At(e + 12);
        // Every entry must lie inside the file.
        if (offset < 6 + 16u * count || bytes == 0 || static_cast<int64_t>(offset) + bytes > size)
            Invalid();
        const int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
        const long score = (Width || Height) ? std::labs(w - Width) + std::labs(h - Height) : i;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    const uint8_t* e = &data[6 + 16 * best];
    const int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    HICON icon =
        CreateIconFromResourceEx(&data[le::U32At(e + 12)], le::U32At(e + 8), TRUE, 0x00030000, w, h, LR_DEFAULTCOLOR);
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
        DrawIconEx(Dc, X, Y, handle_, 0, 0, 0, nullptr, DI_NORMAL);
}

void TIcon::StretchDraw(HDC Dc, const TRect& R) const
{
    if (handle_)
        DrawIconEx(Dc, R.Left, R.Top, handle_, R.Width(), R.Height(), 0, nullptr, DI_NORMAL);
}
