// The scan renderer: draws the current scan into a window with OpenGL, one view per call.
// It owns the scan (ScanData), a rendering context on a drawing child window that covers the
// parent's drawing area, and one display list. The main window sets the viewport (in its own
// client coordinates, from the bottom left), the view index and the camera for each view,
// clears, renders and swaps.
#pragma once

#include <windows.h>

#include <memory>

#include "scan/render/OpenGLSink.h"
#include "scan/render/ScanGLContext.h"
#include "scan/render/ScanScene.h"

// Holds the sink so that it exists before the scene that keeps a reference to it.
struct TScanImageSinkHolder {
    TOpenGLSink GLSink;
};

class TScanImage : private TScanImageSinkHolder, public TScanScene {
public:
    // Creates the drawing window over Wnd's client area, the pixel format and the context
    // (made current), the viewport (0, 0, 800, 600) and the GL state. Throws Exception with
    // SGraphicsInitFailed or SGraphicsFormatFailed; nothing is left behind then.
    TScanImage(HWND Wnd, TColorManager* const* ColorManagerVar);
    ~TScanImage() override;
    const char* ClassName() const override { return "TScanImage"; }

    HWND Wnd() const { return wnd_; }
    HWND DrawingWindow() const;
    HDC DC() const;
    HGLRC RC() const;
    HPALETTE Palette() const;

    // The drawing window's rectangle in Wnd's client area (top-left origin). Viewports stay in
    // Wnd's client coordinates; the window's offset is applied at each viewport call.
    void SetDrawingArea(int Left, int Top, int Width, int Height);

    // For the switch to and from full screen: a new drawing window and context on Wnd. The
    // display list went with the old context; the caller sets Rebuild.
    void RecreateContext(HWND Wnd);

    bool MakeCurrent();
    void ClearView(uint8_t R, uint8_t G, uint8_t B, uint8_t A);
    void SwapBuffers();
    // Waits until what was drawn so far is on the drawing surface. Mesa's rasteriser draws a
    // view while the next is being set up, holding memory for every part not yet drawn, and
    // the system's heap keeps what such a peak took: waiting between the views of a large
    // surface keeps the peak to one view's.
    void FinishDrawing();

private:
    void CreateContext();
    void ApplyGLState();

    HWND wnd_;
    std::unique_ptr<TScanGLContext> context_;
    bool hasArea_ = false;
    RECT area_{};
};
