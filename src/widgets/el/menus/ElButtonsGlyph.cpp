#include "widgets/el/menus/ElButtonsGlyph.h"

#include "framework/Graphics.h"

namespace {

// 0x00RRGGBB, as the bitmap's rows hold pixels.
uint32_t PixelOf(TColor Color)
{
    const COLORREF c = ColorToRGB(Color);
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace

TElButtonGlyph::TElButtonGlyph() : source_(std::make_unique<TBitmap>()) {}

TElButtonGlyph::~TElButtonGlyph() = default;

void TElButtonGlyph::Assign(const TBitmap* Source)
{
    if (Source && !Source->Empty())
        source_->Assign(Source);
    else
        source_ = std::make_unique<TBitmap>();
    Rebuild();
}

void TElButtonGlyph::SetNumGlyphs(int Value)
{
    Value = ElClampNumGlyphs(Value);
    if (Value == numGlyphs_)
        return;
    numGlyphs_ = Value;
    Rebuild();
}

TSize TElButtonGlyph::ImageSize() const
{
    if (Empty())
        return {};
    return {source_->Width() / numGlyphs_, source_->Height()};
}

void TElButtonGlyph::Rebuild()
{
    images_.clear();
    greyed_.reset();
    const TSize size = ImageSize();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    const uint32_t key = source_->ScanLine(size.cy - 1)[0] & 0xFFFFFF;
    for (int i = 0; i < numGlyphs_; ++i) {
        auto image = std::make_unique<TBitmap>(size.cx, size.cy);
        for (int y = 0; y < size.cy; ++y) {
            const uint32_t* from = source_->ScanLine(y) + i * size.cx;
            std::copy(from, from + size.cx, image->ScanLine(y));
        }
        image->Transparent = true;
        image->TransparentColor = RGBColor(key >> 16 & 0xFF, key >> 8 & 0xFF, key & 0xFF);
        images_.push_back(std::move(image));
    }
    if (ElGlyphImageIndex(TElGlyphState::Disabled, numGlyphs_) >= 0)
        return;
    std::vector<uint32_t> up;
    up.reserve(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    for (int y = 0; y < size.cy; ++y)
        up.insert(up.end(), images_[0]->ScanLine(y), images_[0]->ScanLine(y) + size.cx);
    const std::vector<uint32_t> grey =
        ElDisabledGlyphPixels(up, size.cx, size.cy, key, PixelOf(clBtnHighlight), PixelOf(clBtnShadow));
    greyed_ = std::make_unique<TBitmap>(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y)
        std::copy(grey.begin() + static_cast<ptrdiff_t>(y) * size.cx,
                  grey.begin() + static_cast<ptrdiff_t>(y + 1) * size.cx, greyed_->ScanLine(y));
    greyed_->Transparent = true;
    greyed_->TransparentColor = images_[0]->TransparentColor;
}

void TElButtonGlyph::Draw(TCanvas* Canvas, int X, int Y, TElGlyphState State)
{
    if (images_.empty() || !Canvas)
        return;
    const int index = ElGlyphImageIndex(State, numGlyphs_);
    TBitmap* image = index >= 0 ? images_[static_cast<size_t>(index)].get() : greyed_.get();
    if (image)
        Canvas->Draw(X, Y, image);
}
