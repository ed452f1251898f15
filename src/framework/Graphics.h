// Drawing tools: TFont, TBrush and TPen (each makes its GDI object lazily and tells its owner
// of changes through OnChange), and ColorToRGB.
#pragma once

#include "framework/Colors.h"
#include "framework/DrawSurface.h"
#include "framework/Objects.h"
#include "framework/ScopedGdi.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// A plain colour for the given TColor (system colours resolved; clNone and clDefault give black).
COLORREF ColorToRGB(TColor Color);
// A new GDI font of the face, height, style and character set of Spec (its colour is not part
// of a GDI font); the caller owns it.
HFONT CreateFontOf(const TFontSpec& Spec);

class TGraphicsObject : public TPersistent {
public:
    ~TGraphicsObject() override;
    std::function<void(TObject* Sender)> OnChange;
    // Called before the GDI object is deleted (a canvas that has it selected lets go of it).
    std::function<void()> OnHandleRelease;

protected:
    void Changed();
    void FreeHandle();
    TGdiObject<HGDIOBJ> handle_;  // made on first use
};

class TFont : public TGraphicsObject {
public:
    TFont();
    const char* ClassName() const override { return "TFont"; }
    void Assign(const TPersistent* Source) override;

    const std::u16string& Name() const { return name_; }
    void SetName(const std::u16string& Value);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int Value);
    // Points at the screen's pixels per inch.
    int Size() const;
    void SetSize(int Points);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles Value);
    uint8_t Charset() const { return charset_; }
    void SetCharset(uint8_t Value);
    // Takes the face, height and style of a system LOGFONT (the message font, for example).
    void AssignLogFont(const LOGFONTW& Font);
    // What a drawing surface needs to know of this font.
    TFontSpec Spec() const { return TFontSpec{name_, height_, style_, charset_, color_}; }

    HFONT Handle();

private:
    std::u16string name_ = u"MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    uint8_t charset_ = DEFAULT_CHARSET;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
public:
    const char* ClassName() const override { return "TBrush"; }
    void Assign(const TPersistent* Source) override;
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle Value);
    HBRUSH Handle();

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psClear };

class TPen : public TGraphicsObject {
public:
    const char* ClassName() const override { return "TPen"; }
    void Assign(const TPersistent* Source) override;
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    int Width() const { return width_; }
    void SetWidth(int Value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle Value);
    HPEN Handle();

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
};

// The screen's logical pixels per inch (read once).
int ScreenPixelsPerInch();
