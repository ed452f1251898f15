// The renderer under Wine with Mesa: a scan drawn in every mode into a drawing window over part
// of a parent, read back from the back buffer (before the swap) and checked for coverage,
// colours from the colour scale, and OpenGL errors; the context's life cycle.
#include <windows.h>
#include <GL/gl.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "scan/render/DataGridView.h"
#include "scan/model/_TDataGrid.h"
#include "scan/render/GLReadback.h"
#include "scan/render/_TScanImage.h"
#include "scan/render/call_by_call_sink.h"
#include "scan/render/gl_test_support.h"
#include "scan/render/render_support.h"
#include "support/gui_test.h"
#include "support/pump.h"

using namespace render_test;
using l3d::testing::ColorNear;
using l3d::testing::ReadClientPixels;
using l3d::testing::TestWindow;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kTop = 40;     // a tool bar above the drawing area
constexpr int kBottom = 20;  // a status bar below it
constexpr int kAreaHeight = kHeight - kTop - kBottom;

uint32_t Rgb(const TRGBColor& c) { return (uint32_t{c.R} << 16) | (uint32_t{c.G} << 8) | c.B; }

class RendererFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        barBrush_ = CreateSolidBrush(RGB(0, 192, 0));
        frame_ = std::make_unique<TestWindow>(L"Renderer", kWidth, kHeight, DefWindowProcW, barBrush_, nullptr,
                                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
        ASSERT_TRUE(PumpUntil(NothingToPaint));
        image_ = std::make_unique<TScanImage>(frame_->Handle(), &colors_.Var);
        image_->SetDrawingArea(0, kTop, kWidth, kAreaHeight);
        image_->SetScale(1, 1, 1);
        ASSERT_TRUE(PumpUntil(NothingToPaint));
    }
    void TearDown() override
    {
        image_.reset();
        frame_.reset();
        DeleteObject(barBrush_);
    }

    TScanData& Scan() { return *image_->ScanData; }

    // The drawing area in the parent's OpenGL coordinates (from the bottom of its client area).
    void WholeArea() { image_->SetViewport(0, kBottom, kWidth, kAreaHeight); }

    // Clears, draws, finishes, and checks that OpenGL reported nothing.
    template <typename F>
    void Frame(F&& Draw, const char* What)
    {
        image_->ClearView(0, 0, 0, 0);
        Draw();
        glFinish();
        EXPECT_TRUE(NoGLErrors(What));
        ReadBack();
    }

    void ReadBack()
    {
        pixels_.assign(static_cast<size_t>(kWidth) * kAreaHeight * 4, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kAreaHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels_.data());
    }

    // A pixel of the drawing window, from its bottom left, as 0xRRGGBB.
    uint32_t Pixel(int X, int Y) const
    {
        const uint8_t* p = &pixels_[(static_cast<size_t>(Y) * kWidth + X) * 4];
        return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }

    // Share of non-black pixels in a rectangle of the drawing window.
    double Coverage(int X, int Y, int W, int H) const
    {
        int lit = 0;
        for (int y = Y; y < Y + H; ++y)
            for (int x = X; x < X + W; ++x)
                lit += Pixel(x, y) != 0 ? 1 : 0;
        return double(lit) / (double(W) * H);
    }

    TColors colors_;
    HBRUSH barBrush_ = nullptr;
    std::unique_ptr<TestWindow> frame_;
    std::unique_ptr<TScanImage> image_;
    std::vector<uint8_t> pixels_;
};

TEST_F(RendererFixture, DrawingWindowCoversTheAreaAndLetsTheMouseThrough)
{
    HWND child = image_->DrawingWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), frame_->Handle());
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, frame_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, kTop);
    EXPECT_EQ(r.bottom - r.top, kAreaHeight);
    EXPECT_EQ(SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(r.left + 5, r.top + 5)), HTTRANSPARENT);
    EXPECT_EQ(wglGetCurrentContext(), image_->RC());
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(RendererFixture, ViewportInParentCoordinatesFillsTheDrawingWindow)
{
    ReceiveGrid(Scan(), 10, 10, [](int, int) { return 50.0f; });
    Scan().SetScanMode(2);
    WholeArea();
    Frame([&] { image_->RenderTop(); }, "top view of a plateau");
    // The top view spans the viewport exactly; only a correct offset fills all four corners.
    const int m = 3;
    for (auto [x, y] : {std::pair{m, m}, {kWidth - m, m}, {m, kAreaHeight - m}, {kWidth - m, kAreaHeight - m}})
        EXPECT_NE(Pixel(x, y), 0u) << x << "," << y;
    image_->SwapBuffers();
    ASSERT_TRUE(PumpUntil(NothingToPaint));

    // The window shows the frame that was drawn (rows of the screen copy run top down).
    const auto shown = ReadClientPixels(image_->DrawingWindow(), RECT{0, 0, kWidth, kAreaHeight});
    for (auto [x, y] : {std::pair{m, m}, {kWidth / 2, kAreaHeight / 2}, {kWidth - m, kAreaHeight - m}})
        EXPECT_TRUE(ColorNear(shown.At(x, kAreaHeight - 1 - y), Pixel(x, y)))
            << "on screen at " << x << "," << y << ": " << std::hex << shown.At(x, kAreaHeight - 1 - y)
            << ", drawn " << Pixel(x, y);

    // The bars beside the drawing window keep their own colour.
    InvalidateRect(frame_->Handle(), nullptr, TRUE);
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    const auto bar = ReadClientPixels(frame_->Handle(), RECT{0, 0, kWidth, kTop});
    int wrong = 0;
    for (uint32_t p : bar.data)
        wrong += ColorNear(p, 0x00C000) ? 0 : 1;
    EXPECT_EQ(wrong, 0);
}

TEST_F(RendererFixture, SurfaceShowsTheColourScaleWhereExpected)
{
    // Left half of the scan low, right half high; X is mirrored, so column 0 is drawn right.
    ReceiveGrid(Scan(), 20, 20, [](int c, int) { return c < 10 ? 0.0f : 100.0f; });
    const TRGBColor low = colors_.Manager.ColorOfPercent(0.0f);
    const TRGBColor high = colors_.Manager.ColorOfPercent(100.0f);
    ASSERT_NE(Rgb(low), Rgb(high));
    WholeArea();
    for (uint8_t smooth : {0, 1}) {
        image_->SetSmooth(smooth);
        Frame([&] { image_->RenderScene(); }, "scene");
        // The square scan is centred in the wide area: x from 80 to 320 at this height.
        const int y = kAreaHeight / 2;
        EXPECT_TRUE(ColorNear(Pixel(kWidth / 2 + 60, y), Rgb(low), 4))
            << std::hex << Pixel(kWidth / 2 + 60, y) << " smooth " << int(smooth);
        EXPECT_TRUE(ColorNear(Pixel(kWidth / 2 - 60, y), Rgb(high), 4))
            << std::hex << Pixel(kWidth / 2 - 60, y) << " smooth " << int(smooth);
        EXPECT_EQ(Pixel(20, y), 0u) << "beside the scan stays clear";
    }
}

TEST_F(RendererFixture, EveryModeDrawsWithoutError)
{
    ReceiveGrid(Scan(), 30, 20, [](int c, int r) { return Hill(c, r, 30, 20); });
    Scan().SelectPoint(Scan().First->Up->Up->Next->Next);
    image_->AxisX = image_->AxisY = image_->AxisZ = 1;
    image_->SetRotation(-30, 0, -20);
    WholeArea();

    image_->SetSmooth(1);
    for (uint8_t level = 0; level <= 4; ++level) {
        image_->SetResolution(level);
        Frame([&] { image_->RenderScene(); }, "smooth level");
        EXPECT_EQ(image_->BuiltResolution(), level);
        EXPECT_GT(Coverage(0, 0, kWidth, kAreaHeight), 0.15) << "level " << int(level);
    }
    image_->SetResolution(1);
    image_->SetWireframe(1);
    Frame([&] { image_->RenderScene(); }, "wireframe");
    const double outline = Coverage(0, 0, kWidth, kAreaHeight);
    image_->SetWireframe(0);
    Frame([&] { image_->RenderScene(); }, "filled");
    EXPECT_LT(outline, Coverage(0, 0, kWidth, kAreaHeight)) << "outlines leave gaps";
    image_->SetSmooth(0);
    Frame([&] { image_->RenderScene(); }, "flat");
    EXPECT_GT(Coverage(0, 0, kWidth, kAreaHeight), 0.15);

    Scan().SetScanMode(2);
    for (uint8_t smooth : {0, 1}) {
        image_->SetSmooth(smooth);
        Frame([&] { image_->RenderTop(); }, "top");
        EXPECT_GT(Coverage(0, 0, kWidth, kAreaHeight), 0.5);
    }
    Scan().SetScanMode(3);
    image_->Rebuild = 1;  // a new scan mode comes with a new scan, which asks for a rebuild
    Frame([&] { image_->RenderSide(); }, "side");
    EXPECT_GT(Coverage(0, 0, kWidth, kAreaHeight), 0.1);

    Scan().SetScanMode(1);
    for (int i = 0; i < 151; ++i)
        Scan().DiagramSamples[static_cast<size_t>(i)] = 10.0f + (i % 20);
    Scan().DiagramMin = 10.0f;
    Scan().DiagramMax = 29.0f;
    Scan().DiagramRange = 19.0f;
    Frame([&] { image_->RenderDiagram(); }, "diagram");
    EXPECT_GT(Coverage(0, 0, kWidth, 40), 0.0);
}

TEST_F(RendererFixture, SplitScreenDrawsFourViewsInTheirViewports)
{
    ReceiveGrid(Scan(), 25, 25, [](int c, int r) { return Hill(c, r, 25, 25); });
    Scan().SelectPoint(Scan().First->Up->Next);
    image_->AxisX = image_->AxisY = image_->AxisZ = 1;
    image_->SetSmooth(1);
    // Main view on the left, three panes on the right, in the parent's coordinates.
    const int mainW = kWidth * 3 / 4;
    const int paneH = kAreaHeight / 3;
    struct Pane {
        uint8_t view;
        int x, y, w, h;
        float rotX, rotZ;
    };
    const Pane panes[] = {{3, mainW, kBottom + 2 * paneH, kWidth - mainW, paneH, -90, 0},
                          {1, mainW, kBottom + paneH, kWidth - mainW, paneH, 0, 0},
                          {2, mainW, kBottom, kWidth - mainW, paneH, -45, -45},
                          {0, 0, kBottom, mainW, kAreaHeight, -20, -10}};
    Frame(
        [&] {
            for (const Pane& p : panes) {
                image_->SetView(p.view);
                image_->SetRotation(p.rotX, 0, p.rotZ);
                image_->SetViewport(p.x + 2, p.y + 2, p.w - 4, p.h - 4);
                image_->RenderScene();
                EXPECT_TRUE(NoGLErrors("a view of the split screen")) << "view " << int(p.view);
            }
        },
        "split screen");
    for (const Pane& p : panes)
        EXPECT_GT(Coverage(p.x + 2, p.y - kBottom + 2, p.w - 4, p.h - 4), 0.05) << "view " << int(p.view);
    // The 2-pixel gaps between the panes stay clear.
    EXPECT_EQ(Pixel(mainW, kAreaHeight / 2), 0u);
}

TEST_F(RendererFixture, ReadBackBeforeTheSwapGivesTheDrawnFrame)
{
    ReceiveGrid(Scan(), 10, 10, [](int, int) { return 50.0f; });
    Scan().SetScanMode(2);
    const TRGBColor plateau = colors_.Manager.ColorOfPercent(0.0f);  // a flat scan sits at 0 %
    image_->ClearView(10, 20, 30, 0);
    // The plateau fills the upper left quarter of the drawing area only.
    image_->SetViewport(0, kBottom + kAreaHeight / 2, kWidth / 2, kAreaHeight / 2);
    image_->RenderTop();
    const TColor background = 0x001E140A;  // (10, 20, 30) as 0x00BBGGRR

    TBitmap kept;
    ASSERT_TRUE(ReadGLPixelsToBitmap(&kept, 0, kBottom, kWidth, kAreaHeight, background, 0));
    TBitmap white;
    ASSERT_TRUE(ReadGLPixelsToBitmap(&white, 0, kBottom, kWidth, kAreaHeight, background, 1));
    image_->SwapBuffers();
    ASSERT_EQ(kept.Width(), kWidth);
    ASSERT_EQ(kept.Height(), kAreaHeight);

    const uint32_t plateauRgb = Rgb(plateau);
    EXPECT_TRUE(ColorNear(kept.ScanLine(10)[10], plateauRgb, 2)) << std::hex << kept.ScanLine(10)[10];
    EXPECT_EQ(kept.ScanLine(kAreaHeight - 10)[10], 0x0A141Eu) << "bottom left is background";
    EXPECT_EQ(kept.ScanLine(10)[kWidth - 10], 0x0A141Eu);
    EXPECT_EQ(white.ScanLine(kAreaHeight - 10)[10], 0xFFFFFFu);
    EXPECT_TRUE(ColorNear(white.ScanLine(10)[10], plateauRgb, 2));

    TBitmap none;
    EXPECT_FALSE(ReadGLPixelsToBitmap(nullptr, 0, 0, 10, 10, background, 0));
    EXPECT_FALSE(ReadGLPixelsToBitmap(&none, 0, 0, 0, 10, background, 0));
    EXPECT_TRUE(NoGLErrors("read-back"));
}

TEST_F(RendererFixture, RecreatedContextDrawsAgain)
{
    ReceiveGrid(Scan(), 12, 12, [](int c, int r) { return Hill(c, r, 12, 12); });
    WholeArea();
    Frame([&] { image_->RenderScene(); }, "before");
    HWND oldChild = image_->DrawingWindow();
    image_->RecreateContext(frame_->Handle());
    EXPECT_FALSE(IsWindow(oldChild));
    image_->Rebuild = 1;
    WholeArea();
    Frame([&] { image_->RenderScene(); }, "after");
    EXPECT_GT(Coverage(0, 0, kWidth, kAreaHeight), 0.1);
}

TEST_F(RendererFixture, ListsCompiledFromArraysDrawWhatCallByCallListsDrew)
{
    ReceiveGrid(Scan(), 40, 30, [](int c, int r) { return Hill(c, r, 40, 30); });
    image_->SetRotation(-30, 0, -20);
    WholeArea();
    const struct {
        const char* what;
        uint8_t mode, smooth, level, wireframe;
    } cases[] = {{"smooth, level 1", 0, 1, 0, 0}, {"smooth, level 3", 0, 1, 2, 0}, {"wireframe", 0, 1, 1, 1},
                 {"flat", 0, 0, 0, 0},          {"flat wireframe", 0, 0, 0, 1}, {"top view", 2, 1, 1, 0},
                 {"side view", 3, 1, 0, 0}};
    for (const auto& c : cases) {
        Scan().SetScanMode(c.mode);
        image_->SetSmooth(c.smooth);
        image_->SetResolution(c.level);
        image_->SetWireframe(c.wireframe);
        image_->Rebuild = 1;
        auto render = [&] {
            if (c.mode == 2)
                image_->RenderTop();
            else if (c.mode == 3)
                image_->RenderSide();
            else
                image_->RenderScene();
        };
        Frame(render, c.what);
        const std::vector<uint8_t> batched = pixels_;
        EXPECT_GT(Coverage(0, 0, kWidth, kAreaHeight), 0.05) << c.what;

        // The same geometry compiled call by call into the same list.
        image_->MakeCurrent();
        glDeleteLists(image_->DisplayList, 1);
        glNewList(image_->DisplayList, GL_COMPILE);
        glPolygonMode(GL_FRONT_AND_BACK, c.wireframe ? GL_LINE : GL_FILL);
        {
            TCallByCall calls(c.wireframe == 1);
            TSurfaceOptions o;
            o.Smooth = c.smooth == 1;
            o.Depth = c.level;
            if (c.mode == 2)
                BuildTopGeometry(Scan(), colors_.Manager, o, calls);
            else if (c.mode == 3)
                BuildSideGeometry(Scan(), o, calls);
            else
                BuildSurfaceGeometry(Scan(), colors_.Manager, o, calls);
        }
        glEndList();
        Frame(render, c.what);
        EXPECT_TRUE(pixels_ == batched) << c.what << ": the pictures differ";
    }
}

// The drawing state a view could inherit or leave behind, as numbers: polygon modes, line
// width, matrix mode, both matrices, and the switches (the client arrays of a list's build
// among them).
std::vector<GLfloat> DrawingState()
{
    std::vector<GLfloat> s(36);
    glGetFloatv(GL_POLYGON_MODE, &s[0]);
    glGetFloatv(GL_LINE_WIDTH, &s[2]);
    glGetFloatv(GL_MATRIX_MODE, &s[3]);
    glGetFloatv(GL_MODELVIEW_MATRIX, &s[4]);
    glGetFloatv(GL_PROJECTION_MATRIX, &s[20]);
    for (GLenum cap : {GL_LINE_STIPPLE, GL_LINE_SMOOTH, GL_POLYGON_SMOOTH, GL_DEPTH_TEST, GL_VERTEX_ARRAY,
                       GL_COLOR_ARRAY, GL_EDGE_FLAG_ARRAY})
        s.push_back(glIsEnabled(cap));
    return s;
}

// What the main window leaves before its views: its frames are outlines in wide lines, here
// dashed and smoothed too, under a camera of its own.
void LeaveForeignState(TRenderSink& Sink)
{
    Sink.PolygonOutline(true);
    Sink.LineWidth(5.0f);
    Sink.LineStipple(true, 1, 0x0F0F);
    Sink.Smoothing(true);
    Sink.MatrixMode(TMatrixMode::Projection);
    Sink.LoadIdentity();
    Sink.Ortho(0.0, 10.0, 0.0, 10.0, -1.0, 1.0);
    Sink.MatrixMode(TMatrixMode::ModelView);
    Sink.Rotate(30.0f, 0.0f, 0.0f, 1.0f);
}

// A live data grid of 8 x 6 cells in a colour ramp.
struct LiveGrid {
    LiveGrid()
    {
        Grid.SetSize(8, 6, 1);
        Grid.XFrom = Grid.YFrom = 0;
        Grid.XTo = 7;
        Grid.YTo = 5;
        Grid.Statistics[0] = Grid.Statistics[1] = Grid.Statistics[2] = 0.0f;
        Grid.ColorMin = 0.0f;
        Grid.ColorMax = 12.0f;
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 6; ++y)
                Grid.GetCell(x, y, 0)->Value = float(x + y);
    }
    TDataGrid Grid;
};

TEST_F(RendererFixture, AViewDrawsTheSameWhateverWasDrawnBeforeIt)
{
    ReceiveGrid(Scan(), 20, 20, [](int c, int r) { return Hill(c, r, 20, 20); });
    Scan().SelectPoint(Scan().First->Up->Up->Next);
    image_->AxisX = image_->AxisY = 1;
    image_->SetRotation(-30, 0, -20);
    for (int i = 0; i < 151; ++i)
        Scan().DiagramSamples[static_cast<size_t>(i)] = 10.0f + (i % 20);
    Scan().DiagramMin = 10.0f;
    Scan().DiagramMax = 29.0f;
    Scan().DiagramRange = 19.0f;
    WholeArea();
    const struct {
        uint8_t mode;
        void (TScanImage::*render)();
    } views[] = {{0, &TScanImage::RenderScene}, {2, &TScanImage::RenderTop}, {1, &TScanImage::RenderDiagram}};
    for (const auto& v : views) {
        Scan().SetScanMode(v.mode);
        image_->Rebuild = 1;
        Frame([&] { ((*image_).*v.render)(); }, "alone");
        const std::vector<uint8_t> alone = pixels_;
        Frame(
            [&] {
                LeaveForeignState(image_->Sink());
                ((*image_).*v.render)();
            },
            "after foreign state");
        EXPECT_EQ(pixels_, alone) << "scan mode " << int(v.mode);
    }
}

TEST_F(RendererFixture, AViewGivesBackTheStateItFound)
{
    ReceiveGrid(Scan(), 12, 12, [](int c, int r) { return Hill(c, r, 12, 12); });
    Scan().SelectPoint(Scan().First->Up);
    image_->AxisX = 1;
    image_->SetWireframe(1);
    image_->SetRotation(-30, 0, -20);
    WholeArea();
    LiveGrid live;
    const struct {
        uint8_t mode;
        std::function<void()> render;
    } views[] = {{0, [&] { image_->RenderScene(); }},
                 {2, [&] { image_->RenderTop(); }},
                 {1, [&] { image_->RenderDiagram(); }},
                 {0, [&] { PaintDataGridCells(&live.Grid, &colors_.Manager, image_->Sink()); }}};
    image_->ClearView(0, 0, 0, 0);
    for (const auto& v : views) {
        Scan().SetScanMode(v.mode);
        image_->Rebuild = 1;
        LeaveForeignState(image_->Sink());
        const std::vector<GLfloat> before = DrawingState();
        v.render();
        EXPECT_EQ(DrawingState(), before) << "scan mode " << int(v.mode);
        EXPECT_TRUE(NoGLErrors("a view between foreign state"));
    }
}

TEST_F(RendererFixture, TheDataGridBesideAWireframeViewIsDrawnAsAlone)
{
    // One frame: a turned wireframe scene on the left, the live grid on the right; the grid
    // must look as it does when drawn by itself.
    ReceiveGrid(Scan(), 12, 12, [](int c, int r) { return Hill(c, r, 12, 12); });
    image_->SetWireframe(1);
    image_->SetRotation(-40, 0, -30);
    LiveGrid live;
    auto grid = [&] {
        image_->SetViewport(kWidth / 2, kBottom, kWidth / 2, kAreaHeight);
        PaintDataGridCells(&live.Grid, &colors_.Manager, image_->Sink());
    };
    Frame(grid, "grid alone");
    const std::vector<uint8_t> alone = pixels_;
    EXPECT_GT(Coverage(kWidth / 2, 0, kWidth / 2, kAreaHeight), 0.9);
    Frame(
        [&] {
            image_->SetViewport(0, kBottom, kWidth / 2, kAreaHeight);
            image_->RenderScene();
            grid();
        },
        "wireframe scene, then grid");
    int different = 0;
    for (int y = 0; y < kAreaHeight; ++y)
        for (int x = kWidth / 2; x < kWidth; ++x) {
            const size_t i = (static_cast<size_t>(y) * kWidth + x) * 4;
            different += std::equal(&pixels_[i], &pixels_[i] + 3, &alone[i]) ? 0 : 1;
        }
    EXPECT_EQ(different, 0);
}

TEST(RendererLifeCycle, HundredCreateDestroyCyclesLeaveNoContext)
{
    TestWindow frame(L"Cycles", 320, 240, DefWindowProcW, nullptr, nullptr,
                     WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE);
    TColors colors;
    auto privateBytes = [] {
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof(pmc);
        GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
        return static_cast<double>(pmc.PagefileUsage);
    };
    double afterWarmUp = 0.0;
    for (int i = 0; i < 100; ++i) {
        HGLRC rc = nullptr;
        HWND child = nullptr;
        {
            TScanImage image(frame.Handle(), &colors.Var);
            rc = image.RC();
            child = image.DrawingWindow();
            ASSERT_NE(rc, nullptr) << "cycle " << i;
            ASSERT_EQ(wglGetCurrentContext(), rc);
            ReceiveGrid(*image.ScanData, 8, 8, [](int c, int r) { return float(c * r); });
            image.ClearView(0, 0, 0, 0);
            image.SetViewport(0, 0, 320, 240);
            image.RenderScene();
            image.SwapBuffers();
            ASSERT_TRUE(NoGLErrors("create, draw, swap"));
        }
        EXPECT_EQ(wglGetCurrentContext(), nullptr) << "cycle " << i;
        EXPECT_FALSE(IsWindow(child)) << "cycle " << i;
        EXPECT_EQ(GetWindow(frame.Handle(), GW_CHILD), nullptr);
        if (i == 19)
            afterWarmUp = privateBytes();
    }
    // A context left behind keeps its buffers: 80 of them would be tens of megabytes.
    EXPECT_LT(privateBytes() - afterWarmUp, 16.0 * 1024 * 1024);
}

}  // namespace
