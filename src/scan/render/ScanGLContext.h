// The rendering context of the scan renderer: a drawing child window over the parent's
// drawing area, its device context, the pixel format (and a palette when the format needs
// one) and the WGL context, made current on creation. Everything is released in reverse
// order when the object goes, and on every failure path of the constructor.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "scan/render/GLChildWindow.h"

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
    ~TScanGLContext();
    TScanGLContext(const TScanGLContext&) = delete;
    TScanGLContext& operator=(const TScanGLContext&) = delete;

    TGLChildWindow& Window() { return *window_; }
    HDC DC() const { return dc_; }
    HGLRC RC() const { return rc_; }
    HPALETTE Palette() const { return palette_; }

    bool MakeCurrent() const { return wglMakeCurrent(dc_, rc_) != FALSE; }

private:
    void Release();

    std::unique_ptr<TGLChildWindow> window_;
    HWND drawable_ = nullptr;  // the window OpenGL draws on: the child itself or its hidden drawable
    HDC dc_ = nullptr;
    HGLRC rc_ = nullptr;
    HPALETTE palette_ = nullptr;
};
