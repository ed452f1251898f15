// The WGL steps that every OpenGL context of the program shares.
#pragma once

#include <windows.h>

#include <utility>

// Deletes RC, first making no context current when RC is the current one, and then hands DC
// back to Window, and destroys Window when it is a hidden drawable (see CreateGLDrawable).
// Either may already be null; both are null afterwards. The order matters: a
// context must not outlive the device context it was made on.
void ReleaseWGLContext(HGLRC& RC, HWND Window, HDC& DC);

// A drawable, its DC and the WGL context made on it, owned together: ReleaseWGLContext gives
// them back (the context first) when the holder goes or is reset, so a set-up that fails
// half-way leaves nothing behind. Fill the fields in order as the set-up proceeds.
class TWGLResources {
public:
    TWGLResources() = default;
    ~TWGLResources() { Reset(); }
    TWGLResources(TWGLResources&& Other) noexcept { Take(Other); }
    TWGLResources& operator=(TWGLResources&& Other) noexcept
    {
        if (this != &Other) {
            Reset();
            Take(Other);
        }
        return *this;
    }

    void Reset()
    {
        ReleaseWGLContext(RC, Drawable, DC);
        Drawable = nullptr;
    }

    HWND Drawable = nullptr;
    HDC DC = nullptr;
    HGLRC RC = nullptr;

private:
    void Take(TWGLResources& Other)
    {
        Drawable = std::exchange(Other.Drawable, nullptr);
        DC = std::exchange(Other.DC, nullptr);
        RC = std::exchange(Other.RC, nullptr);
    }
};

// Where OpenGL draws for a visible window, and how a finished frame reaches the screen.
// On Windows the visible window carries the pixel format itself and SwapBuffers shows the
// frame. Wine renders OpenGL in child windows offscreen and, on an X server without a
// compositing manager, never shows the result; there OpenGL draws into a hidden child window
// of the visible one, of the same size, and every frame is copied from its back buffer
// into the visible window with GDI. OpenGL window coordinates start at the bottom-left corner
// of the drawable in both cases, so viewports and read-backs need not know which is in use.

// The window whose device context gets the pixel format: Visible, or the hidden drawable.
// Null when the hidden drawable cannot be created.
HWND CreateGLDrawable(HWND Visible);
// Gives Visible's hidden drawable, if it has one, Visible's client size; call after every
// change of Visible's size.
void FitGLDrawable(HWND Visible);
// The visible window a drawable stands for: its parent when Drawable is a hidden drawable,
// else Drawable itself.
HWND VisibleWindowOf(HWND Drawable);
// Shows the frame drawn with DrawableDC's context (current, drawing finished): copies it into
// the visible window when the drawable is hidden, then swaps the buffers.
void PresentGLFrame(HDC DrawableDC);

// The context current on this thread (with its DC) when the scope began is current again when
// it ends: drawing with another context must not leave that one current for the next drawer.
class TKeepCurrentGLContext {
public:
    TKeepCurrentGLContext() : dc_(wglGetCurrentDC()), rc_(wglGetCurrentContext()) {}
    ~TKeepCurrentGLContext()
    {
        if (wglGetCurrentContext() != rc_)
            wglMakeCurrent(rc_ ? dc_ : nullptr, rc_);
    }
    TKeepCurrentGLContext(const TKeepCurrentGLContext&) = delete;
    TKeepCurrentGLContext& operator=(const TKeepCurrentGLContext&) = delete;

private:
    HDC dc_;
    HGLRC rc_;
};
