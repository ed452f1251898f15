// The OpenGL control on a form under Wine: context set-up, painting through OnPaint, the
// background left alone, the range check of the pixel format, and mouse drags.
#include <windows.h>
#include <GL/gl.h>

#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "scan/render/_TOpenGL.h"
#include "scan/render/_TScanImage.h"
#include "scan/render/gl_test_support.h"
#include "scan/render/render_support.h"
#include "support/gui_test.h"
#include "support/pump.h"


namespace {

struct ControlFixture : ::testing::Test {
    void SetUp() override
    {
        form.reset(CreateComponent<TForm>(nullptr));
        form->SetClientSize(240, 180);
        gl = new TOpenGL(form.get());
        gl->SetParent(form.get());
        gl->SetBounds(20, 20, 160, 120);
        form->Show();
        ASSERT_TRUE(PumpUntil(NothingToPaint));
    }
    TOwned<TForm> form;
    TOpenGL* gl = nullptr;  // owned by the form
};

TEST_F(ControlFixture, InitialisesAndPaintsThroughOnPaint)
{
    int resized = 0, initialised = 0, painted = 0;
    gl->OnResize = [&](TObject*) { ++resized; };
    gl->OnInitialize = [&](TObject* Sender) {
        EXPECT_EQ(Sender, gl);
        EXPECT_EQ(resized, 1) << "OnResize comes first";
        ++initialised;
    };
    EXPECT_FALSE(gl->Initialized());
    gl->InitializeContext();
    EXPECT_TRUE(gl->Initialized());
    EXPECT_EQ(initialised, 1);
    EXPECT_EQ(wglGetCurrentContext(), gl->Context());
    const LONG_PTR style = GetWindowLongPtrW(gl->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(SendMessageW(gl->Handle(), WM_ERASEBKGND, 0, 0), 0);

    // The handler draws into the control's own buffer (its size is the control's) with the
    // context current; the control swaps afterwards.
    GLint viewport[4] = {};
    unsigned char centre[4] = {};
    gl->OnPaint = [&](TObject*) {
        ++painted;
        EXPECT_EQ(wglGetCurrentContext(), gl->Context());
        glGetIntegerv(GL_VIEWPORT, viewport);
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glReadBuffer(GL_BACK);
        glReadPixels(80, 60, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
        EXPECT_TRUE(render_test::NoGLErrors("the control's frame"));
    };
    wglMakeCurrent(nullptr, nullptr);
    gl->Repaint();
    EXPECT_TRUE(PumpUntil([&] { return painted >= 1 && NothingToPaint(); }));
    EXPECT_EQ(viewport[2], 160);
    EXPECT_EQ(viewport[3], 120);
    EXPECT_EQ(centre[0], 255);
    EXPECT_EQ(centre[1], 0);
    // ...and the control shows that frame.
    const auto shown = l3d::testing::ReadClientPixels(gl->Handle(), RECT{0, 0, 160, 120});
    EXPECT_TRUE(l3d::testing::ColorNear(shown.At(80, 60), 0xFF0000u)) << std::hex << shown.At(80, 60);
}

TEST_F(ControlFixture, APaintGivesTheCurrentContextBack)
{
    // The scan renderer's context is current; the control paints with its own in between.
    l3d::testing::TestWindow frame(L"Renderer", 200, 150, DefWindowProcW, nullptr, nullptr,
                                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
    render_test::TColors colors;
    TScanImage image(frame.Handle(), &colors.Var);
    gl->InitializeContext();
    int painted = 0;
    gl->OnPaint = [&](TObject*) {
        ++painted;
        glClear(GL_COLOR_BUFFER_BIT);
    };
    ASSERT_TRUE(image.MakeCurrent());
    gl->Repaint();
    EXPECT_TRUE(PumpUntil([&] { return painted >= 1 && NothingToPaint(); }));
    EXPECT_EQ(wglGetCurrentContext(), image.RC());
    EXPECT_EQ(wglGetCurrentDC(), image.DC());
}

TEST_F(ControlFixture, PixelFormatPropertyAboveAByteIsARangeError)
{
    gl->PixelFormat()->DepthBits = 300;
    try {
        gl->InitializeContext();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), std::u16string(SPixelFormatRange));
    }
    EXPECT_FALSE(gl->Initialized());
    gl->PixelFormat()->DepthBits = 16;
    gl->InitializeContext();
    EXPECT_TRUE(gl->Initialized());
}

TEST_F(ControlFixture, LeftDragTurnsTheTransformationWhenAutomatic)
{
    TTransformation* t = gl->Transformation();
    t->RotateXEnabled = t->RotateYEnabled = 1;
    HWND h = gl->Handle();
    auto drag = [&] {
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(15, 13));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(15, 13));
    };
    drag();
    EXPECT_EQ(t->RotationX, 0.0f) << "Automatic is off";
    t->Automatic = true;
    t->Mode = TTransformationType::tfRotate;
    drag();
    EXPECT_EQ(t->RotationX, 5.0f);
    EXPECT_EQ(t->RotationY, 3.0f);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(40, 40));
    EXPECT_EQ(t->RotationX, 5.0f) << "moves without the left button change nothing";
}

}  // namespace
