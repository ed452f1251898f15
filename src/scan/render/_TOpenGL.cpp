#include "scan/render/_TOpenGL.h"

#include <GL/gl.h>

#include "framework/Exceptions.h"
#include "scan/render/WGLContext.h"

TOpenGL::TOpenGL(TComponent* AOwner)
    : TCustomControl(AOwner),
      pixelFormat_(std::make_unique<TOGPixelFormat>()),
      transformation_(std::make_unique<TTransformation>())
{
    pixelFormat_->SetFlags({TPFFlag::pffDrawToWindow, TPFFlag::pffSupportOpenGL, TPFFlag::pffGenericAccelerated,
                            TPFFlag::pffNeedSystemPalette, TPFFlag::pffDoubleBuffer});
    pixelFormat_->ColorBits = 16;
    pixelFormat_->DepthBits = 16;
}

TOpenGL::~TOpenGL() { ReleaseContext(); }

void TOpenGL::SetPixelFormat(const TOGPixelFormat* Value)
{
    if (Value != pixelFormat_.get())
        pixelFormat_->Assign(Value);
}

void TOpenGL::SetTransformation(const TTransformation* Value)
{
    if (Value != transformation_.get())
        transformation_->Assign(Value);
}

void TOpenGL::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    // A device context of its own that lives as long as the window: the context is bound to it.
    Params.ClassStyle |= CS_OWNDC;
}

void TOpenGL::Loaded()
{
    TCustomControl::Loaded();
    if (AutoInitialize)
        InitializeContext();
}

void TOpenGL::InitializeContext()
{
    HWND wnd = Handle();
    savedStyle_ = GetWindowLongPtrW(wnd, GWL_STYLE);
    SetWindowLongPtrW(wnd, GWL_STYLE, savedStyle_ | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);

    const TOGPixelFormat& f = *pixelFormat_;
    for (int32_t bits : {f.ColorBits, f.AlphaBits, f.AccumBits, f.DepthBits, f.StencilBits, f.AuxBuffers})
        if (bits < 0 || bits > 255)
            throw Exception(SPixelFormatRange);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = f.Flags().DescriptorFlags();
    pfd.iPixelType = static_cast<BYTE>(f.PixelType);
    pfd.cColorBits = static_cast<BYTE>(f.ColorBits);
    pfd.cAlphaBits = static_cast<BYTE>(f.AlphaBits);
    pfd.cAccumBits = static_cast<BYTE>(f.AccumBits);
    pfd.cDepthBits = static_cast<BYTE>(f.DepthBits);
    pfd.cStencilBits = static_cast<BYTE>(f.StencilBits);
    pfd.cAuxBuffers = static_cast<BYTE>(f.AuxBuffers);

    ReleaseContext();
    // Built in a holder of its own: a failure on the way gives back what was made so far.
    TWGLResources made;
    made.Drawable = CreateGLDrawable(wnd);
    made.DC = made.Drawable ? GetDC(made.Drawable) : nullptr;
    if (!made.DC)
        throw Exception(SChoosePixelFormatFailed);
    const int format = ChoosePixelFormat(made.DC, &pfd);
    if (format == 0)
        throw Exception(SChoosePixelFormatFailed);
    if (!::SetPixelFormat(made.DC, format, &pfd))
        throw Exception(SSetPixelFormatFailed);
    made.RC = wglCreateContext(made.DC);
    if (!made.RC)
        throw Exception(SCreateContextFailed);
    if (!wglMakeCurrent(made.DC, made.RC))
        throw Exception(SMakeCurrentFailed);
    gl_ = std::move(made);

    initialized_ = true;
    if (OnResize)
        OnResize(this);
    if (OnInitialize)
        OnInitialize(this);
    Repaint();
}

void TOpenGL::ReleaseContext()
{
    gl_.Reset();
    initialized_ = false;
}

void TOpenGL::DestroyWnd()
{
    // The context belongs to this window's device context and cannot outlive it.
    ReleaseContext();
    TCustomControl::DestroyWnd();
}

void TOpenGL::MakeCurrent()
{
    if (gl_.DC && gl_.RC)
        wglMakeCurrent(gl_.DC, gl_.RC);
}

void TOpenGL::SwapBuffers()
{
    if (initialized_)
        PresentGLFrame(gl_.DC);
}

void TOpenGL::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_SIZE)
        FitGLDrawable(Handle());
    if (Message.Msg == WM_ERASEBKGND && initialized_) {
        Message.Result = 0;  // OpenGL covers the whole window; erasing would only flicker
        return;
    }
    TCustomControl::WndProc(Message);
}

void TOpenGL::Paint()
{
    TCustomControl::Paint();
    if (OnPaint && initialized_) {
        // The control draws with its own context and then gives the current one back: a
        // renderer that drew before must find its context current, not this one.
        const TKeepCurrentGLContext previous;
        MakeCurrent();
        OnPaint(this);
        glFlush();
        SwapBuffers();
    }
}

bool TOpenGL::Drags(TShiftState Shift) const
{
    return transformation_->Automatic && transformation_->Mode != TTransformationType::tfNone &&
           (Shift & ssLeft) != 0;
}

void TOpenGL::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Drags(Shift | (Button == TMouseButton::mbLeft ? ssLeft : 0)))
        last_ = TPoint{X, Y};
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TOpenGL::MouseMove(TShiftState Shift, int X, int Y)
{
    if (Drags(Shift)) {
        transformation_->Drag(last_.X, last_.Y, X, Y);
        last_ = TPoint{X, Y};
    }
    TCustomControl::MouseMove(Shift, X, Y);
}
