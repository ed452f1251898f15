#include "framework/ImageList.h"

#include "framework/Exceptions.h"

namespace {

uint32_t Premultiply(uint32_t p)
{
    const uint32_t a = p >> 24;
    if (a == 255)
        return p;
    auto ch = [a](uint32_t v) { return (v * a + 127) / 255; };
    return (a << 24) | (ch((p >> 16) & 0xFF) << 16) | (ch((p >> 8) & 0xFF) << 8) | ch(p & 0xFF);
}

}  // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TImageList::SetSize(int AWidth, int AHeight)
{
    if (AWidth <= 0 || AHeight <= 0)
        throw EListError(u"Invalid image size");
    width_ = AWidth;
    height_ = AHeight;
    Clear();
}

void TImageList::Clear()
{
    images_.clear();
    disabled_.clear();
    Changed();
}

void TImageList::Changed()
{
    if (OnChange && !IsDestroying())
        OnChange(this);
}

int TImageList::Add(TBitmap* Image)
{
    if (!Image || Image->Width() < width_ || Image->Height() < height_)
        return -1;
    bool hasAlpha = false;
    for (int y = 0; y < Image->Height() && !hasAlpha; ++y)
        for (int x = 0; x < Image->Width(); ++x)
            if (Image->ScanLine(y)[x] >> 24) {
                hasAlpha = true;
                break;
            }
    const COLORREF key = Image->Transparent
                             ? ColorToRGB(Image->TransparentColor == clNone ? Image->Pixel(0, Image->Height() - 1)
                                                                           : Image->TransparentColor)
                             : CLR_INVALID;
    const uint32_t keyPixel = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
    const int first = Count();
    for (int cell = 0; cell + width_ <= Image->Width(); cell += width_) {
        auto glyph = std::make_unique<TBitmap>(width_, height_);
        auto grey = std::make_unique<TBitmap>(width_, height_);
        for (int y = 0; y < height_; ++y) {
            const uint32_t* src = Image->ScanLine(y) + cell;
            uint32_t* dst = glyph->ScanLine(y);
            uint32_t* dim = grey->ScanLine(y);
            for (int x = 0; x < width_; ++x) {
                uint32_t p = src[x];
                if (!hasAlpha)
                    p = (key != CLR_INVALID && (p & 0xFFFFFF) == keyPixel) ? 0 : (p | 0xFF000000u);
                dst[x] = Premultiply(p);
                // Grey at a third of the opacity for the disabled look.
                const uint32_t a = (p >> 24) / 3;
                const uint32_t lum = (((p >> 16) & 0xFF) * 30 + ((p >> 8) & 0xFF) * 59 + (p & 0xFF) * 11) / 100;
                dim[x] = Premultiply((a << 24) | (lum << 16) | (lum << 8) | lum);
            }
        }
        images_.push_back(std::move(glyph));
        disabled_.push_back(std::move(grey));
    }
    Changed();
    return first;
}

bool TImageList::GetBitmap(int Index, TBitmap* Target) const
{
    if (!Target || Index < 0 || Index >= Count())
        return false;
    Target->Assign(images_[static_cast<size_t>(Index)].get());
    return true;
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const
{
    if (!Canvas || !Canvas->HandleAllocated() || Index < 0 || Index >= Count())
        return;
    const TBitmap* glyph = (Enabled ? images_ : disabled_)[static_cast<size_t>(Index)].get();
    const TMemoryDC src(Canvas->Handle(), glyph->Handle());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(Canvas->Handle(), X, Y, width_, height_, src.Handle(), 0, 0, width_, height_, blend);
}
