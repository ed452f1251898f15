// TCanvas: drawing on a device context with the canvas's Font, Brush and Pen. The tools are
// selected into the DC when a drawing call needs them, and the DC's original objects are put
// back when the canvas lets go of it (SetHandle(nullptr) or destruction).
#pragma once

#include "framework/Graphics.h"
#include "framework/Types.h"

#include <memory>
#include <string>

class TBitmap;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    const char* ClassName() const override { return "TCanvas"; }

    HDC Handle() const { return dc_; }
    // Takes a DC to draw on (not owned); nullptr releases the current one.
    void SetHandle(HDC Dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() { return font_.get(); }
    TBrush* Brush() { return brush_.get(); }
    TPen* Pen() { return pen_.get(); }

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    TPoint PenPos() const;
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void RoundRect(int X1, int Y1, int X2, int Y2, int CornerWidth, int CornerHeight);
    void Polygon(const TPoint* Points, int Count);
    void FillRect(const TRect& R);
    void FrameRect(const TRect& R);
    void TextOut(int X, int Y, const std::u16string& Text);
    void TextRect(const TRect& R, int X, int Y, const std::u16string& Text);
    // Text laid out in R with DT_* flags (DrawTextW); returns the text's height.
    int TextRectFormat(TRect& R, const std::u16string& Text, unsigned Format);
    TSize TextExtent(const std::u16string& Text);
    int TextWidth(const std::u16string& Text) { return TextExtent(Text).cx; }
    int TextHeight(const std::u16string& Text) { return TextExtent(Text).cy; }
    // Draws the bitmap at (X, Y); a transparent bitmap leaves its transparent colour out.
    void Draw(int X, int Y, TBitmap* Bitmap);
    void StretchDraw(const TRect& R, TBitmap* Bitmap);
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
    TColor Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor Color);
    TRect ClipRect() const;

    std::function<void(TObject* Sender)> OnChange;

private:
    void RequireFont();
    void RequireBrush();
    void RequirePen();
    void Deselect();

    HDC dc_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
    HGDIOBJ selFont_ = nullptr, selBrush_ = nullptr, selPen_ = nullptr;
};
