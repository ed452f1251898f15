// Proves the OpenGL path the renderer relies on: a top-level window with a child window
// that owns a WGL context, a triangle drawn into the back buffer, pixels read back with
// glReadPixels, and the parent's own pixels outside the child left untouched.
#include <windows.h>
#include <GL/gl.h>

#include <gtest/gtest.h>

#include "support/gui_test.h"
#include "support/pump.h"

namespace {

using l3d::testing::ColorNear;
using l3d::testing::ReadClientPixels;
using l3d::testing::TestWindow;

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kToolbarHeight = 40;  // parent area above the drawing child
constexpr uint32_t kToolbarColor = 0x0000C000;  // GDI RGB(0, 192, 0) read back as 0x00RRGGBB

class GlContext {
public:
    explicit GlContext(HWND window) : window_(window), dc_(GetDC(window))
    {
        PIXELFORMATDESCRIPTOR pfd{};
        pfd.nSize = sizeof(pfd);
        pfd.nVersion = 1;
        pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        pfd.iPixelType = PFD_TYPE_RGBA;
        pfd.cColorBits = 24;
        pfd.cDepthBits = 16;
        pfd.iLayerType = PFD_MAIN_PLANE;
        const int format = ChoosePixelFormat(dc_, &pfd);
        if (format != 0 && SetPixelFormat(dc_, format, &pfd))
            rc_ = wglCreateContext(dc_);
        if (rc_)
            wglMakeCurrent(dc_, rc_);
    }
    ~GlContext()
    {
        wglMakeCurrent(nullptr, nullptr);
        if (rc_)
            wglDeleteContext(rc_);
        ReleaseDC(window_, dc_);
    }
    bool Valid() const { return rc_ != nullptr; }
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    HGLRC rc_ = nullptr;
};

uint32_t ReadGlPixel(int x, int y)
{
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (uint32_t{rgba[0]} << 16) | (uint32_t{rgba[1]} << 8) | rgba[2];
}

TEST(OpenGlPath, ChildWindowDrawsAndReadsBackWithoutTouchingParent)
{
    HBRUSH toolbarBrush = CreateSolidBrush(RGB(0, 192, 0));
    TestWindow frame(L"OpenGL path", kWidth, kHeight, DefWindowProcW, toolbarBrush,
                     nullptr, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
    ASSERT_NE(frame.Handle(), nullptr);
    TestWindow view(L"", kWidth, kHeight - kToolbarHeight, DefWindowProcW, nullptr, frame.Handle(),
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CS_OWNDC);
    ASSERT_NE(view.Handle(), nullptr);
    SetWindowPos(view.Handle(), nullptr, 0, kToolbarHeight, kWidth, kHeight - kToolbarHeight, SWP_NOZORDER);
    ASSERT_TRUE(PumpUntil(NothingToPaint));

    GlContext gl(view.Handle());
    ASSERT_TRUE(gl.Valid()) << "no WGL context";
    const int viewHeight = kHeight - kToolbarHeight;

    for (int frameNo = 0; frameNo < 3; ++frameNo) {
        glViewport(0, 0, kWidth, viewHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glBegin(GL_TRIANGLES);
        glColor3f(1.0f, 0.0f, 0.0f);
        glVertex2f(-0.8f, -0.8f);
        glVertex2f(0.8f, -0.8f);
        glVertex2f(0.0f, 0.8f);
        glEnd();
        glFinish();
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        glReadBuffer(GL_BACK);
        EXPECT_EQ(ReadGlPixel(kWidth / 2, viewHeight / 2), 0xFF0000u) << "triangle centre";
        EXPECT_EQ(ReadGlPixel(2, viewHeight - 3), 0x000000u) << "top-left corner stays clear";
        EXPECT_EQ(ReadGlPixel(kWidth - 3, viewHeight - 3), 0x000000u) << "top-right corner stays clear";
        SwapBuffers(gl.Dc());
        ASSERT_TRUE(PumpUntil(NothingToPaint));
    }

    // The parent's toolbar strip keeps its own colour: the context draws only into the child.
    InvalidateRect(frame.Handle(), nullptr, TRUE);
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    const auto toolbar = ReadClientPixels(frame.Handle(), RECT{0, 0, kWidth, kToolbarHeight});
    int wrong = 0;
    for (uint32_t p : toolbar.data)
        wrong += ColorNear(p, kToolbarColor) ? 0 : 1;
    EXPECT_EQ(wrong, 0) << "toolbar pixels changed; first is " << std::hex << toolbar.At(0, 0);

    DeleteObject(toolbarBrush);
}

}  // namespace
