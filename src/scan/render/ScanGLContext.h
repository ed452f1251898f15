// The rendering context of the scan renderer: a drawing child window over the parent's
// drawing area, its device context, the pixel format (and a palette when the format needs
// one) and the WGL context, made current on creation. Everything is released in reverse
// order when the object goes, and on every failure path of the constructor.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/ScopedGdi.h"
#include "scan/render/GLChildWindow.h"
#include "scan/render/WGLContext.h"

// The two texts the renderer's set-up reports.
inline constexpr char16_t SGraphicsInitFailed[] = u"Fehlerhafte Initialisierung der Grafikeinstellungen.";
inline constexpr char16_t SGraphicsFormatFailed[] =
    u"Fehlerhafte Grafikeinstellung. \u00DCberpr\u00FCfen Sie, ob eine Farbtiefe von mindestens 16-Bit "
    u"eingestellt wurde.";

// Chooses and sets the renderer's pixel format on DC (RGBA, double-buffered, 16 colour and
// 32 depth bits wanted). Throws Exception(SGraphicsInitFailed) when no format is offered and
// Exception(SGraphicsFormatFailed) when the format falls short. Palette receives a realised
// logical palette when the format needs one, else stays 0.
void SetupPixelFormat(HDC DC, HPALETTE& Palette);

class TScanGLContext {
public:
    // Throws Exception with one of the two texts above; then nothing is left behind.
    explicit TScanGLContext(HWND Parent);
    ~TScanGLContext() = default;
    TScanGLContext(const TScanGLContext&) = delete;
    TScanGLContext& operator=(const TScanGLContext&) = delete;

    TGLChildWindow& Window() { return *window_; }
    HDC DC() const { return gl_.DC; }
    HGLRC RC() const { return gl_.RC; }
    HPALETTE Palette() const { return palette_.get(); }

    bool MakeCurrent() const { return wglMakeCurrent(gl_.DC, gl_.RC) != FALSE; }

private:
    // Released in reverse order: the context and its DC, then the palette selected into that
    // DC, then the drawing window.
    std::unique_ptr<TGLChildWindow> window_;
    TGdiObject<HPALETTE> palette_;
    TWGLResources gl_;  // on the child itself or on its hidden drawable
};
