// Small owning wrappers for GDI resources. Each gives back what it holds when it goes out of
// scope, however the scope ends, so drawing code needs neither hand-written clean-up nor a
// catch-and-rethrow that exists only for it. None of them can be copied.
//
// Order matters where resources depend on each other: an object must not be deleted while it
// is selected into a DC, so declare the owned object before the TSelectedObject (or TMemoryDC)
// that selects it; the selection then ends first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

class TCanvas;

struct TGdiObjectDeleter {
    void operator()(void* Object) const { DeleteObject(static_cast<HGDIOBJ>(Object)); }
};
struct TIconDeleter {
    void operator()(void* Icon) const { DestroyIcon(static_cast<HICON>(Icon)); }
};

// An owned font, brush, pen, bitmap, region or palette (DeleteObject when it goes):
// TGdiObject<HBRUSH> brush(CreateSolidBrush(c)); FillRect(dc, &r, brush.get());
template <class THandle>
using TGdiObject = std::unique_ptr<std::remove_pointer_t<THandle>, TGdiObjectDeleter>;
// An owned icon or cursor (DestroyIcon when it goes).
using TOwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;

// Object selected into Dc for the scope; the DC's previous object of that kind comes back.
class TSelectedObject {
public:
    TSelectedObject(HDC Dc, HGDIOBJ Object) : dc_(Dc), old_(Dc && Object ? SelectObject(Dc, Object) : nullptr) {}
    ~TSelectedObject()
    {
        if (old_)
            SelectObject(dc_, old_);
    }
    TSelectedObject(const TSelectedObject&) = delete;
    TSelectedObject& operator=(const TSelectedObject&) = delete;

    bool Selected() const { return old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The DC's whole state (selected objects, colours, modes, clipping, origin) saved for the
// scope and restored at its end.
class TSavedDC {
public:
    explicit TSavedDC(HDC Dc) : dc_(Dc), saved_(Dc ? SaveDC(Dc) : 0) {}
    ~TSavedDC()
    {
        if (saved_)
            RestoreDC(dc_, saved_);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// The DC of a window's client area (or, with NonClient, of the whole window), released at the
// end of the scope.
class TWindowDC {
public:
    explicit TWindowDC(HWND Wnd, bool NonClient = false)
        : wnd_(Wnd), dc_(NonClient ? GetWindowDC(Wnd) : GetDC(Wnd))
    {
    }
    ~TWindowDC()
    {
        if (dc_)
            ReleaseDC(wnd_, dc_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Handle() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint for the scope, EndPaint at its end.
class TPaintDC {
public:
    explicit TPaintDC(HWND Wnd) : wnd_(Wnd), dc_(BeginPaint(Wnd, &paint_)) {}
    ~TPaintDC() { EndPaint(wnd_, &paint_); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Handle() const { return dc_; }
    const PAINTSTRUCT& Info() const { return paint_; }

private:
    HWND wnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory DC compatible with Reference (the screen when null), with a bitmap selected into
// it for its whole life: one of its own (a top-down 32-bit DIB of a given size, or a bitmap
// handed over) or one it only borrows. The bitmap is deselected before the DC goes, and an
// owned one is deleted after it.
class TMemoryDC {
public:
    // Nothing of its own selected.
    explicit TMemoryDC(HDC Reference = nullptr) : dc_(CreateCompatibleDC(Reference)) {}
    // A top-down 32-bit DIB section of Width x Height pixels, whose pixels Bits() gives.
    TMemoryDC(HDC Reference, int Width, int Height);
    // Takes Bitmap over.
    TMemoryDC(HDC Reference, TGdiObject<HBITMAP> Bitmap);
    // Selects a bitmap that stays its owner's.
    TMemoryDC(HDC Reference, HBITMAP Borrowed);
    ~TMemoryDC();
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Handle() const { return dc_; }
    // True when the DC exists and the bitmap asked for (if any) is selected into it.
    bool Valid() const { return dc_ && (!wantsBitmap_ || old_); }
    // The DIB's pixels (0x00RRGGBB, rows top first); null unless made with a size.
    uint32_t* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void Select(HBITMAP Bitmap);

    TGdiObject<HBITMAP> owned_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    bool wantsBitmap_ = false;
    uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

// A canvas drawing on Dc for the scope; the canvas lets go of it (putting the DC's own objects
// back) at the end, and takes up the DC it had before, if any.
class TCanvasLoan {
public:
    TCanvasLoan(TCanvas& Canvas, HDC Dc);
    ~TCanvasLoan();
    TCanvasLoan(const TCanvasLoan&) = delete;
    TCanvasLoan& operator=(const TCanvasLoan&) = delete;

private:
    TCanvas& canvas_;
    HDC previous_;
};
