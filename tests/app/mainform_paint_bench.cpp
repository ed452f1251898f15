// Figures of the main road under Wine, printed and never checked (speed is reported, not
// asserted): the idle program (frames drawn and processor time in 5 s of nothing changing),
// frames per second while a 250 x 250 scan is turned by a continuous drag in the single view
// and in the four views, and the time from the open command to the first frame drawn for
// square scans (250 x 250 and 1000 x 1000 by default; scripts/bench.sh adds 3000 x 3000).
#include "mainroad_support.h"

#include "ExampleScans.h"
#include "app/ScanPainting.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "framework/Dialogs.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "framework/Streams.h"
#include "support/real_input.h"

#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

using namespace mainroad;

namespace {

using Clock = std::chrono::steady_clock;

// The processor time of this process so far, in milliseconds.
double ProcessCpuMs()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

// A square scan of the program's own kind with a hill and ripples, written to Path.
void WriteSquareScan(const std::u16string& Path, int Size)
{
    TMemoryStream m;
    ASSERT_TRUE(WriteScanFile(m, MakeSquareScan(Size)));
    m.SaveToFile(Path);
}

// Where the first frame's paint goes, each step called again with the program as the open left
// it and finished by glFinish: the geometry of the list alone (into a sink that keeps nothing),
// the whole list build, each view of the frame in the order the paint timer draws them, and
// showing the frame. The triangles and vertices the list holds are counted as they are emitted.
void PrintPaintBreakdown(int Size)
{
    TScanImage& image = *MainForm->State().Session().Image();
    image.MakeCurrent();
    struct TCounter : TGeometrySink {
        uint64_t Triangles = 0, Vertices = 0, Polygons = 0;
        int corners = 0;
        TPrimitive kind = TPrimitive::Triangles;
        void Begin(TPrimitive P) override { kind = P; corners = 0; }
        void Color(uint8_t, uint8_t, uint8_t) override {}
        void Vertex(float, float, float) override { ++corners; }
        void End() override
        {
            if (kind == TPrimitive::Polygon) {
                ++Polygons;
                Triangles += corners > 2 ? uint64_t(corners - 2) : 0;
                Vertices += corners > 2 ? uint64_t(corners - 2) * 3 : 0;
            } else {
                Triangles += uint64_t(corners) / (kind == TPrimitive::Quads ? 2 : 3);
                Vertices += uint64_t(corners);
            }
        }
    } count;
    TSurfaceOptions options;
    options.Smooth = image.Smooth() == 1;
    options.Depth = image.BuiltResolution();
    options.Step = image.BuiltStep();
    auto start = Clock::now();
    BuildSurfaceGeometry(*image.ScanData, *MainForm->State().Colors(), options, count);
    const double geometryMs = MsSince(start);
    image.Rebuild = 1;
    start = Clock::now();
    image.BuildSurfaceList();
    glFinish();
    const double listMs = MsSince(start);
    std::string views;
    auto view = [&](uint8_t View, const TViewState& Camera, const TViewportRect& Rect) {
        image.SetView(View);
        image.Camera = Camera;
        const TViewportRect inner = InsetViewport(Rect, 2);
        image.SetViewport(inner.X, inner.Y, inner.Width, inner.Height);
        const auto t = Clock::now();
        image.RenderScene();
        glFinish();
        char text[64];
        std::snprintf(text, sizeof text, "%s%d %.0f", views.empty() ? "" : ", ", View, MsSince(t));
        views += text;
    };
    image.ClearView(0, 0, 0, 0);
    const TScanViews& panes = MainForm->State().Views();
    if (GlobalSettings.SplitScreen != 0)
        for (const TSmallViewPass& pass : SmallViewPasses)
            view(pass.View, panes.States()[pass.ViewStateSlot], panes.Viewports()[pass.Viewport]);
    view(0, panes.States()[0], panes.Viewports()[MainViewport]);
    start = Clock::now();
    image.SwapBuffers();
    const double showMs = MsSince(start);
    std::printf("  %d x %d: list of %llu triangles (%llu polygons), %llu vertices emitted; geometry alone %.0f ms, "
                "list %.0f ms; views (index ms) %s; showing the frame %.0f ms\n",
                Size, Size, static_cast<unsigned long long>(count.Triangles),
                static_cast<unsigned long long>(count.Polygons), static_cast<unsigned long long>(count.Vertices),
                geometryMs, listMs, views.c_str(), showMs);
    std::fflush(stdout);
}

class MainRoadBench : public ProgramTest {
protected:
    // Frames per second over Seconds of a left drag in the main view, and the mean time the
    // paint tick itself takes. The moves come as a moving mouse gives them: one after another,
    // each as soon as the one before was handled, and one that came while a frame was drawn
    // waits in the queue (before any tick, as input does); a frame is a tick that drew a
    // pending repaint.
    void DragFigures(const char* What, double Seconds)
    {
        const POINT p = CentreOf(MainForm->State().Views().Viewports()[MainViewport]);
        PostMouse(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
        ASSERT_TRUE(WaitForFrame());
        int frames = 0, moves = 0;
        auto move = [&] {
            PostMessageW(MainForm->Handle(), WM_MOUSEMOVE, MK_LBUTTON,
                         MAKELPARAM(p.x + (++moves % 2 ? 3 : -3), p.y));
        };
        const auto start = Clock::now();
        auto dragging = [&] { return MsSince(start) < Seconds * 1000.0; };
        const TNotifyEvent paint = MainForm->TimerPaint->OnTimer;
        MainForm->TimerPaint->OnTimer = [&](TObject* Sender) {
            const bool pending = MainForm->State().Views().RepaintPending();
            paint(Sender);
            if (pending && !MainForm->State().Views().RepaintPending()) {
                ++frames;
                if (dragging())
                    move();
            }
        };
        while (dragging()) {
            move();
            ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
        }
        const double fps = frames / (MsSince(start) / 1000.0);
        MainForm->TimerPaint->OnTimer = paint;
        PostMouse(WM_LBUTTONUP, 0, p.x, p.y);

        // Where a paint's time goes, its steps called directly, ten times each: the clear, the
        // views (finished by glFinish), and showing the frame.
        TScanImage& image = *MainForm->State().Session().Image();
        TScanPaintInput input;
        input.Viewports = MainForm->State().Views().Viewports();
        input.Scene = SceneViewport(MainForm->ClientWidth(), MainForm->ClientHeight(), MainForm->ControlBar->Height());
        input.SplitScreen = GlobalSettings.SplitScreen != 0;
        const int paints = 10;
        double clearMs = 0, viewsMs = 0, showMs = 0;
        TViewStates views = MainForm->State().Views().States();
        for (int i = 0; i < paints; ++i) {
            views[0].Rotation.Z += 3.0f;
            auto t = Clock::now();
            image.ClearView(0, 0, 0, 0);
            glFinish();
            clearMs += MsSince(t);
            t = Clock::now();
            PaintScanViews(image, input, views);
            glFinish();
            viewsMs += MsSince(t);
            t = Clock::now();
            image.SwapBuffers();
            showMs += MsSince(t);
        }
        const double paintMs = (clearMs + viewsMs + showMs) / paints;
        std::printf("%s: %.1f frames per second while dragging (%d frames, %d moves); one paint %.1f ms: "
                    "clear %.1f, views %.1f, showing the frame %.1f\n",
                    What, fps, frames, moves, paintMs, clearMs / paints, viewsMs / paints, showMs / paints);
        std::fflush(stdout);
    }
};

}  // namespace

TEST_F(MainRoadBench, IdleNoFrameIsDrawnAndTheProcessorRests)
{
    ASSERT_NO_FATAL_FAILURE(StartWithExample(u"Field with metal object.dmo"));
    ASSERT_TRUE(PumpUntil(NothingToPaint));
    // A marker painted over the drawing area stays only while no frame is drawn.
    const POINT p = CentreOf(MainForm->State().Views().Viewports()[MainViewport]);
    HDC dc = GetDC(MainForm->State().Session().Image()->DrawingWindow());
    POINT local = p;
    MapWindowPoints(MainForm->Handle(), MainForm->State().Session().Image()->DrawingWindow(), &local, 1);
    const RECT marker{local.x, local.y, local.x + 4, local.y + 4};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &marker, magenta);
    DeleteObject(magenta);
    ReleaseDC(MainForm->State().Session().Image()->DrawingWindow(), dc);

    const double cpuStart = ProcessCpuMs();
    const auto start = Clock::now();
    PumpUntil([] { return false; }, 5000);
    const double wall = MsSince(start);
    const double cpu = ProcessCpuMs() - cpuStart;
    const l3d::testing::Pixels seen =
        l3d::testing::ReadClientPixels(MainForm->Handle(), RECT{p.x, p.y, p.x + 4, p.y + 4});
    const bool markerKept = (seen.data[5] & 0xFFFFFF) == 0xFF00FF;
    std::printf("idle %.0f ms: %s, processor %.0f ms (%.1f %%, the test's own 5 ms message wait included)\n", wall,
                markerKept ? "no frame drawn" : "A FRAME WAS DRAWN", cpu, 100.0 * cpu / wall);
    std::fflush(stdout);
    EXPECT_TRUE(markerKept);
}

TEST_F(MainRoadBench, FramesPerSecondWhileA250By250ScanIsTurned)
{
    const std::u16string path = Root + u"square250.dmo";
    WriteSquareScan(path, 250);
    ASSERT_TRUE(Start());
    MainForm->OpenFile(path);
    ASSERT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
    ASSERT_TRUE(WaitForFrame());
    DragFigures("250 x 250, four views", 5.0);
    PostKey('M', true);
    ASSERT_EQ(GlobalSettings.SplitScreen, 0);
    ASSERT_TRUE(WaitForFrame());
    DragFigures("250 x 250, single view", 5.0);
}

// The open command as a user gives it (Ctrl+O, the file chosen in the open dialog) to the first
// frame drawn, for square scans written by the project's generator into the folder that
// L3D_BENCH_SCANS names (square<size>.dmo for each size in L3D_BENCH_SIZES, "250 1000" when
// unset); without the folder the scans are written here. The time splits at the paint timer's
// tick that draws the frame: before it the open (and at most one timer interval), then the
// paint, during which the window answers nothing.
TEST_F(MainRoadBench, FromTheOpenCommandToTheFirstFrame)
{
    const char* folder = std::getenv("L3D_BENCH_SCANS");
    const char* sizesText = std::getenv("L3D_BENCH_SIZES");
    std::istringstream sizes(sizesText ? sizesText : "250 1000");
    for (int size = 0; sizes >> size;) {
        ASSERT_TRUE(Start());
        const std::u16string path = folder ? Utf8ToWide(folder) + u"\\square" + Utf8ToWide(std::to_string(size)) + u".dmo"
                                           : Root + u"square.dmo";
        if (!folder)
            WriteSquareScan(path, size);
        ASSERT_TRUE(FileExists(path)) << WideToUtf8(path);
        ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));
        ASSERT_TRUE(Settled(120000));
        FileDialogSeam() = [&](TFileDialogRequest& Request) {
            Request.FileName = path;
            return true;
        };
        double paintStart = -1, framed = -1;
        const auto start = Clock::now();
        const TNotifyEvent paint = MainForm->TimerPaint->OnTimer;
        MainForm->TimerPaint->OnTimer = [&](TObject* Sender) {
            const bool pending =
                MainForm->State().Views().RepaintPending() && !MainForm->State().Session().Magic().empty();
            const double begin = MsSince(start);
            paint(Sender);
            if (pending && framed < 0 && !MainForm->State().Views().RepaintPending()) {
                paintStart = begin;
                framed = MsSince(start);
            }
        };
        l3d::testing::PressKey('O', {VK_CONTROL});
        const bool drawn = PumpUntil([&] { return framed >= 0; }, 540000);
        MainForm->TimerPaint->OnTimer = paint;
        ASSERT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
        if (drawn)
            std::printf("open command to first frame, %d x %d: %.0f ms (open %.0f ms, then the paint %.0f ms; "
                        "level %d built)\n",
                        size, size, framed, paintStart, framed - paintStart,
                        MainForm->State().Session().Image()->BuiltResolution() + 1);
        else
            std::printf("open command to first frame, %d x %d: NO FRAME within %.0f ms\n", size, size, MsSince(start));
        std::fflush(stdout);
        if (drawn && std::getenv("L3D_BENCH_BREAKDOWN"))
            PrintPaintBreakdown(size);
        ResetDialogSeams();
        Stop();
    }
}
