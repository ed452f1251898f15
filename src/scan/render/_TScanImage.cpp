#include "scan/render/_TScanImage.h"

#include "scan/render/WGLContext.h"

#include "framework/MemoryStatus.h"

#include <GL/gl.h>

TScanImage::TScanImage(HWND Wnd, TColorManager* const* ColorManagerVar)
    : TScanScene(ColorManagerVar, GLSink), wnd_(Wnd)
{
    AddressSpace = ProcessAddressSpace;
    CreateContext();
    SetViewport(0, 0, 800, 600);
}

TScanImage::~TScanImage()
{
    ScanData.reset();
    GLSink.Window = nullptr;
    context_.reset();
}

HWND TScanImage::DrawingWindow() const { return context_ ? context_->Window().Handle() : nullptr; }
HDC TScanImage::DC() const { return context_ ? context_->DC() : nullptr; }
HGLRC TScanImage::RC() const { return context_ ? context_->RC() : nullptr; }
HPALETTE TScanImage::Palette() const { return context_ ? context_->Palette() : nullptr; }

void TScanImage::CreateContext()
{
    context_ = std::make_unique<TScanGLContext>(wnd_);
    GLSink.Window = &context_->Window();
    if (hasArea_)
        context_->Window().SetBounds(area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top);
    ApplyGLState();
}

void TScanImage::ApplyGLState()
{
    ApplyRendererGLState();
}

void TScanImage::SetDrawingArea(int Left, int Top, int Width, int Height)
{
    hasArea_ = true;
    area_ = RECT{Left, Top, Left + (Width < 0 ? 0 : Width), Top + (Height < 0 ? 0 : Height)};
    if (context_)
        context_->Window().SetBounds(Left, Top, Width, Height);
}

void TScanImage::RecreateContext(HWND Wnd)
{
    GLSink.Window = nullptr;
    context_.reset();
    wnd_ = Wnd;
    CreateContext();
}

bool TScanImage::MakeCurrent() { return context_ && context_->MakeCurrent(); }

void TScanImage::ClearView(uint8_t R, uint8_t G, uint8_t B, uint8_t A)
{
    MakeCurrent();
    glClearColor(R / 255.0f, G / 255.0f, B / 255.0f, A / 255.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void TScanImage::FinishDrawing()
{
    glFinish();
}

void TScanImage::SwapBuffers()
{
    glFlush();
    if (context_)
        PresentGLFrame(context_->DC());
}
