// TOpenGL: a windowed control with an OpenGL rendering context of its own, built from a
// pixel-format property object, and a transformation holder that mouse drags can drive. The
// owner makes the context current, draws and swaps through it (or lets OnPaint draw; a paint
// leaves whichever context was current before it current again).
#pragma once

#include <windows.h>

#include <memory>

#include "framework/CustomControls.h"
#include "scan/render/OpenGLControlModel.h"
#include "scan/render/WGLContext.h"

inline constexpr char16_t SChoosePixelFormatFailed[] = u"The function ChoosePixelFormat() failed.";
inline constexpr char16_t SSetPixelFormatFailed[] = u"The function SetPixelFormat() failed.";
inline constexpr char16_t SCreateContextFailed[] = u"The function wglCreateContext() failed.";
inline constexpr char16_t SMakeCurrentFailed[] = u"The function wglMakeCurrent() failed.";
inline constexpr char16_t SPixelFormatRange[] = u"Range check error";

class TOpenGL : public TCustomControl {
public:
    explicit TOpenGL(TComponent* AOwner);
    ~TOpenGL() override;
    const char* ClassName() const override { return "TOpenGL"; }

    bool AutoInitialize = true;

    TOGPixelFormat* PixelFormat() { return pixelFormat_.get(); }
    void SetPixelFormat(const TOGPixelFormat* Value);
    TTransformation* Transformation() { return transformation_.get(); }
    void SetTransformation(const TTransformation* Value);

    // Stored with the form; nothing fires OnBeforePaint, OnAfterPaint or OnFinalize.
    TNotifyEvent OnBeforePaint, OnPaint, OnAfterPaint, OnFinalize, OnInitialize;

    void Loaded() override;
    // Builds the pixel format and the context on the control's window and makes it current;
    // throws Exception with one of the four texts above (or the range text for a property
    // that does not fit a byte). Fires OnResize, then OnInitialize, and repaints.
    void InitializeContext();
    bool Initialized() const { return initialized_; }
    HGLRC Context() const { return gl_.RC; }
    HDC DC() const { return gl_.DC; }

    void MakeCurrent();
    void SwapBuffers();

protected:
    void CreateParams(TCreateParams& Params) override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    bool Drags(TShiftState Shift) const;
    void ReleaseContext();

    std::unique_ptr<TOGPixelFormat> pixelFormat_;
    std::unique_ptr<TTransformation> transformation_;
    TWGLResources gl_;
    LONG_PTR savedStyle_ = 0;
    bool initialized_ = false;
    TPoint last_{};
};
