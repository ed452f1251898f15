// The drawing surface over a GDI device context: a window's DC while it paints, the DC of a
// canvas, or a memory DC. Text is measured by GDI in the selected font; fonts are made from
// their TFontSpec once and shared by every surface of the program.
//
// The surface saves the DC's state when it is made and restores it when it goes, so the DC's
// owner finds its own objects, colours and clipping again. While a surface over a canvas
// lives, draw through the surface only.
#pragma once

#include "framework/DrawSurface.h"
#include "framework/ScopedGdi.h"

#include <windows.h>
#ifdef DrawText
#undef DrawText  // see DrawSurface.h
#endif

#include <memory>
#include <vector>

class TCanvas;

class GdiSurface : public IDrawSurface {
public:
    // Starts with the default TFontSpec.
    explicit GdiSurface(HDC Dc);
    explicit GdiSurface(const TMemoryDC& Memory) : GdiSurface(Memory.Handle()) {}
    // Starts with the canvas's font.
    explicit GdiSurface(TCanvas& Canvas);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    HDC Handle() const { return dc_; }
    const TFontSpec& Font() const { return spec_; }

    void SetFont(const TFontSpec& Font) override;
    TFontMetrics FontMetrics() override;
    TSize TextExtent(std::u16string_view Text) override;
    void TextEnds(std::u16string_view Text, std::vector<int32_t>& Ends) override;

    void FillRect(const TRect& R, TColor Color) override;
    void FrameRect(const TRect& R, TColor Color) override;
    void Line(TPoint A, TPoint B, TColor Color) override;
    void DrawText(int32_t X, int32_t Y, std::u16string_view Text, TColor Background = clNone) override;
    void PushClip(const TRect& R) override;
    void PopClip() override;
    TRect ClipBounds() const override;

private:
    void ApplyClip();

    HDC dc_;
    // Declared before the saved state: the DC lets go of the font (restored) before it may be
    // deleted.
    std::shared_ptr<TGdiObject<HFONT>> font_;
    TFontSpec spec_;
    TSavedDC saved_;
    // The clip the DC had (device coordinates), null when it had none; then the rectangles
    // pushed, each already intersected with the one below.
    TGdiObject<HRGN> originalClip_;
    std::vector<TRect> clips_;
};

// Measures text in the selected font on a memory DC compatible with the screen, for layouts
// made before or apart from a window.
class GdiTextMeasurer : public ITextMeasurer {
public:
    GdiTextMeasurer() : surface_(dc_.Handle()) {}
    void SetFont(const TFontSpec& Font) override { surface_.SetFont(Font); }
    TFontMetrics FontMetrics() override { return surface_.FontMetrics(); }
    TSize TextExtent(std::u16string_view Text) override { return surface_.TextExtent(Text); }
    void TextEnds(std::u16string_view Text, std::vector<int32_t>& Ends) override { surface_.TextEnds(Text, Ends); }

private:
    TMemoryDC dc_;
    GdiSurface surface_;
};
