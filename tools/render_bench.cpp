// Frame timing of the scan renderer under Wine: display-list build time and frames per second
// for square scans of several sizes at each resolution level, in the single view and in the
// four views of the split screen. Run by hand:
//   cmake/wine-run.sh build/<dir>/wine build/<dir>/tools/render_bench.exe [max-triangles [size|probe|memory]]
// Levels whose smooth form would pass max-triangles (default 32 million) are skipped; a size
// measures that square scan only; "probe" splits the frame time of 250 x 250 at level 1;
// "memory [size level [flat]]" measures the display list's memory per triangle for one square
// scan at one level (250 x 250 at level 2 by default; of the flat form when asked), in a
// process of its own for each figure:
// memory freed by an earlier list would be taken again and hide the list's size; "build
// [size level]" times only the compiling of the list, three times (1000 x 1000 at level 1 by
// default), for profiling; "compare [size level]" draws the list compiled from arrays and the
// same geometry compiled call by call, in turn, and prints the time per frame of each (the
// processor time of the drawing thread too: with LP_NUM_THREADS=0 Mesa rasterises on it, so
// that figure does not depend on what else the machine runs).
#include <windows.h>
#include <GL/gl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "scan/render/VertexBatch.h"
#include "scan/render/_TScanImage.h"
#include "scan/render/call_by_call_sink.h"
#include "scan/render/render_support.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point Since) { return std::chrono::duration<double>(Clock::now() - Since).count(); }

PROCESS_MEMORY_COUNTERS MemoryCounters()
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc;
}

double PrivateMegabytes() { return static_cast<double>(MemoryCounters().PagefileUsage) / (1024.0 * 1024.0); }
double PeakPrivateMegabytes() { return static_cast<double>(MemoryCounters().PeakPagefileUsage) / (1024.0 * 1024.0); }

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

// Frames per second over at least MinSeconds and MinFrames frames.
template <typename F>
double FramesPerSecond(TScanImage& Image, F&& Draw, double MinSeconds = 1.5, int MinFrames = 3)
{
    const auto start = Clock::now();
    int frames = 0;
    while (frames < MinFrames || Seconds(start) < MinSeconds) {
        Image.ClearView(0, 0, 0, 0);
        Draw();
        Image.SwapBuffers();
        glFinish();
        Pump();
        ++frames;
        if (frames >= MinFrames && Seconds(start) > 20.0)
            break;
    }
    return frames / Seconds(start);
}

// Forwards polygons to OpenGL one by one, as the immediate-mode calls would without batching.
struct TPlainPolygonSink : TGeometrySink {
    void Begin(TPrimitive P) override
    {
        glBegin(P == TPrimitive::Polygon ? GL_POLYGON : P == TPrimitive::Quads ? GL_QUADS : GL_TRIANGLES);
    }
    void Color(uint8_t R, uint8_t G, uint8_t B) override { glColor3ub(R, G, B); }
    void Vertex(float X, float Y, float Z) override { glVertex3f(X, Y, Z); }
    void End() override { glEnd(); }
};

// A smooth surface of a Size x Size hill at Level, turned to the perspective view. Unbounded
// lifts the triangle budget and the address-space check, so that the list holds every triangle.
struct THill {
    render_test::TColors Colors;
    TScanImage Image;
    THill(HWND Frame, int Size, uint8_t Level, bool Unbounded) : Image(Frame, &Colors.Var)
    {
        render_test::ReceiveGrid(*Image.ScanData, Size, Size,
                                 [Size](int c, int row) { return render_test::Hill(c, row, Size, Size); });
        if (Unbounded) {
            Image.TriangleBudget = UINT64_MAX;
            Image.AddressSpace = nullptr;
        }
        Image.SetSmooth(1);
        Image.SetResolution(Level);
        Image.SetScale(1, 1, 1);
        Image.SetRotation(-45, 0, -45);
    }
};

// Where the frame time goes for one scan at one level: the frame without geometry, the list
// as the renderer compiles it, polygons sent one by one, and the flat form.
void Probe(HWND Frame, int Size, uint8_t Level)
{
    THill hill(Frame, Size, Level, false);
    TScanImage& image = hill.Image;
    render_test::TColors& colors = hill.Colors;
    const int mainW = kWidth * 3 / 4;
    auto single = [&] {
        image.SetView(0);
        image.SetViewport(2, 2, mainW - 4, kHeight - 4);
        image.RenderScene();
    };
    auto compile = [&](auto&& Build) {
        image.MakeCurrent();
        image.ScanData->RecomputeStatistics();
        glDeleteLists(image.DisplayList, 1);
        glNewList(image.DisplayList, GL_COMPILE);
        Build();
        glEndList();
        image.Rebuild = 0;
        image.ScanData->Changed = 0;
    };
    compile([] {});
    std::printf("probe %dx%d level %d: empty frame %.1f fps\n", Size, Size, Level + 1, FramesPerSecond(image, single));
    image.Rebuild = 1;
    image.MakeCurrent();
    image.BuildSurfaceList();
    std::printf("probe %dx%d level %d: batched fans %.1f fps\n", Size, Size, Level + 1, FramesPerSecond(image, single));
    std::printf("probe %dx%d level %d: batched fans, quarter area %.1f fps\n", Size, Size, Level + 1,
                FramesPerSecond(image, [&] {
                    image.SetView(0);
                    image.SetViewport(2, 2, mainW / 2, kHeight / 2);
                    image.RenderScene();
                }));
    TSurfaceOptions o;
    o.Depth = Level;
    compile([&] {
        TPlainPolygonSink plain;
        BuildSurfaceGeometry(*image.ScanData, colors.Manager, o, plain);
    });
    std::printf("probe %dx%d level %d: one polygon each %.1f fps\n", Size, Size, Level + 1, FramesPerSecond(image, single));
    o.Smooth = false;
    compile([&] {
        TPlainPolygonSink plain;
        BuildSurfaceGeometry(*image.ScanData, colors.Manager, o, plain);
    });
    std::printf("probe %dx%d: flat quads %.1f fps\n", Size, Size, FramesPerSecond(image, single));
    std::fflush(stdout);
}

// Process memory taken by the display list of a known triangle count, per grid triangle of the
// smooth form and per triangle drawn (the colour bands cut each into several; what the
// triangle budget counts and the list memory is planned by).
void MeasureListMemory(HWND Frame, int Size, uint8_t Level, bool Flat)
{
    render_test::TColors colors;
    struct TCase {
        int Size;
        uint8_t Level;
    };
    {
        const TCase c{Size, Level};
        auto image = std::make_unique<TScanImage>(Frame, &colors.Var);
        render_test::ReceiveGrid(*image->ScanData, c.Size, c.Size,
                                 [&c](int x, int y) { return render_test::Hill(x, y, c.Size, c.Size); });
        image->TriangleBudget = UINT64_MAX;
        image->AddressSpace = nullptr;
        image->SetSmooth(Flat ? 0 : 1);
        image->SetResolution(c.Level);
        // Triangles drawn: each banded polygon goes out as a fan.
        struct TTriangleCounter : TGeometrySink {
            uint64_t Triangles = 0;
            int Corners = 0;
            void Begin(TPrimitive) override { Corners = 0; }
            void Color(uint8_t, uint8_t, uint8_t) override {}
            void Vertex(float, float, float) override { ++Corners; }
            void End() override { Triangles += Corners > 2 ? uint64_t(Corners - 2) : 0; }
        } drawn;
        TSurfaceOptions o;
        o.Depth = c.Level;
        o.Smooth = !Flat;
        BuildSurfaceGeometry(*image->ScanData, colors.Manager, o, drawn);
        const double triangles = double(SmoothTriangleCount(*image->ScanData, Flat ? 0 : c.Level));
        image->MakeCurrent();
        const double before = PrivateMegabytes();
        image->BuildSurfaceList();
        glFinish();
        const double bytes = (PrivateMegabytes() - before) * 1024.0 * 1024.0;
        const double peak = (PeakPrivateMegabytes() - before) * 1024.0 * 1024.0;
        std::printf("%slist of %dx%d at level %d: %.0f triangles (%llu drawn), %.1f MB (%.1f MB at the peak of the "
                    "build), %.1f B per triangle (%.1f at the peak), %.1f B per triangle drawn\n",
                    Flat ? "flat " : "", c.Size, c.Size, c.Level + 1, triangles, static_cast<unsigned long long>(drawn.Triangles),
                    bytes / 1048576.0, peak / 1048576.0, bytes / triangles, peak / triangles,
                    bytes / double(drawn.Triangles));
    }
    std::printf("budget %llu triangles drawn, %llu bytes planned for each\n",
                static_cast<unsigned long long>(SmoothTriangleBudget),
                static_cast<unsigned long long>(ListBytesPerTriangle));
}

// The time the surface list takes to compile, without drawing it, split into the geometry
// alone (built into a sink that drops it) and the whole build.
void TimeBuild(HWND Frame, int Size, uint8_t Level)
{
    THill hill(Frame, Size, Level, true);
    TScanImage& image = hill.Image;
    render_test::TColors& colors = hill.Colors;
    image.MakeCurrent();
    for (int i = 0; i < 3; ++i) {
        struct TDrop : TGeometrySink {
            void Begin(TPrimitive) override {}
            void Color(uint8_t, uint8_t, uint8_t) override {}
            void Vertex(float, float, float) override {}
            void End() override {}
        } drop;
        TSurfaceOptions o;
        o.Depth = Level;
        auto start = Clock::now();
        BuildSurfaceGeometry(*image.ScanData, colors.Manager, o, drop);
        const double geometry = Seconds(start);
        struct TDropArrays : TOpenGLSink {
            void DrawArrays(TPrimitive, const TArrayVertex*, const uint8_t*, uint32_t) override {}
        } dropArrays;
        start = Clock::now();
        {
            TVertexBatcher batch(dropArrays, false);
            BuildSurfaceGeometry(*image.ScanData, colors.Manager, o, batch);
            batch.Flush();
        }
        const double batched = Seconds(start);
        start = Clock::now();
        image.BuildSurfaceList();
        glFinish();
        std::printf("build %dx%d at level %d: geometry alone %.0f ms, in batches %.0f ms, list %.0f ms\n", Size, Size,
                    Level + 1, geometry * 1000.0, batched * 1000.0, Seconds(start) * 1000.0);
        std::fflush(stdout);
    }
}

double ThreadCpuMs()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

void CompareLists(HWND Frame, int Size, uint8_t Level)
{
    THill hill(Frame, Size, Level, true);
    TScanImage& image = hill.Image;
    render_test::TColors& colors = hill.Colors;
    const int frames = 8;
    auto measure = [&](const char* What) {
        image.SetView(0);
        image.SetViewport(2, 2, kWidth * 3 / 4 - 4, kHeight - 4);
        image.ClearView(0, 0, 0, 0);
        image.RenderScene();  // once to warm up
        glFinish();
        const auto start = Clock::now();
        const double cpu = ThreadCpuMs();
        for (int i = 0; i < frames; ++i) {
            image.ClearView(0, 0, 0, 0);
            image.RenderScene();
            glFinish();
        }
        std::printf("%dx%d level %d, %s: %.1f ms a frame, drawing thread %.1f ms\n", Size, Size, Level + 1, What,
                    Seconds(start) * 1000.0 / frames, (ThreadCpuMs() - cpu) / frames);
        std::fflush(stdout);
    };
    for (int round = 0; round < 5; ++round) {
        image.MakeCurrent();
        image.Rebuild = 1;
        image.BuildSurfaceList();
        measure("from arrays");
        image.MakeCurrent();
        glDeleteLists(image.DisplayList, 1);
        glNewList(image.DisplayList, GL_COMPILE);
        {
            render_test::TCallByCall calls(false);
            TSurfaceOptions o;
            o.Depth = Level;
            BuildSurfaceGeometry(*image.ScanData, colors.Manager, o, calls);
        }
        glEndList();
        measure("call by call");
    }
}

// Frames of the main view only, for profiling the replay of one list: compiled once, then
// drawn Frames times.
void DrawOnly(HWND Frame, int Size, uint8_t Level, int Frames)
{
    THill hill(Frame, Size, Level, true);
    TScanImage& image = hill.Image;
    image.SetView(0);
    image.SetViewport(2, 2, kWidth * 3 / 4 - 4, kHeight - 4);
    image.MakeCurrent();
    image.BuildSurfaceList();
    glFinish();
    for (int i = 0; i < 3; ++i) {
        const auto first = Clock::now();
        const double firstCpu = ThreadCpuMs();
        image.ClearView(0, 0, 0, 0);
        image.RenderScene();
        glFinish();
        std::printf("frame %d: %.1f ms, drawing thread %.1f ms\n", i + 1, Seconds(first) * 1000.0, ThreadCpuMs() - firstCpu);
    }
    const auto start = Clock::now();
    const double cpu = ThreadCpuMs();
    for (int i = 0; i < Frames; ++i) {
        image.ClearView(0, 0, 0, 0);
        image.RenderScene();
        glFinish();
    }
    std::printf("%dx%d level %d: %.1f ms a frame, drawing thread %.1f ms\n", Size, Size, Level + 1,
                Seconds(start) * 1000.0 / Frames, (ThreadCpuMs() - cpu) / Frames);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    const double maxTriangles = argc > 1 ? std::atof(argv[1]) : 32e6;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"L3DRenderBench";
    RegisterClassW(&wc);
    RECT r{0, 0, kWidth, kHeight};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND frame = CreateWindowW(L"L3DRenderBench", L"Render benchmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                               0, 0, r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance, nullptr);
    Pump();
    if (argc > 2 && std::string(argv[2]) == "memory") {
        MeasureListMemory(frame, argc > 3 ? std::atoi(argv[3]) : 250, argc > 4 ? uint8_t(std::atoi(argv[4]) - 1) : 1,
                          argc > 5 && std::string(argv[5]) == "flat");
        DestroyWindow(frame);
        return 0;
    }
    if (argc > 2 && std::string(argv[2]) == "compare") {
        CompareLists(frame, argc > 3 ? std::atoi(argv[3]) : 250, argc > 4 ? uint8_t(std::atoi(argv[4]) - 1) : 0);
        DestroyWindow(frame);
        return 0;
    }
    if (argc > 2 && std::string(argv[2]) == "draw") {
        DrawOnly(frame, argc > 3 ? std::atoi(argv[3]) : 1000, argc > 4 ? uint8_t(std::atoi(argv[4]) - 1) : 0,
                 argc > 5 ? std::atoi(argv[5]) : 20);
        DestroyWindow(frame);
        return 0;
    }
    if (argc > 2 && std::string(argv[2]) == "build") {
        TimeBuild(frame, argc > 3 ? std::atoi(argv[3]) : 1000, argc > 4 ? uint8_t(std::atoi(argv[4]) - 1) : 0);
        DestroyWindow(frame);
        return 0;
    }
    if (argc > 2 && std::string(argv[2]) == "probe") {
        Probe(frame, 250, 0);
        Probe(frame, 100, 1);
        DestroyWindow(frame);
        return 0;
    }

    std::printf("%-9s %5s %12s %12s %9s %9s %9s %9s\n", "scan", "level", "triangles", "polygons", "build s",
                "list MB", "fps 1", "fps 4");
    render_test::TColors colors;
    std::vector<int> sizes = {100, 250, 500};
    if (argc > 2)
        sizes = {std::atoi(argv[2])};
    for (int size : sizes) {
        for (uint8_t level = 0; level <= 4; ++level) {
            auto image = std::make_unique<TScanImage>(frame, &colors.Var);
            render_test::ReceiveGrid(*image->ScanData, size, size,
                                     [size](int c, int row) { return render_test::Hill(c, row, size, size); });
            const double triangles = double(SmoothTriangleCount(*image->ScanData, level));
            if (triangles > maxTriangles) {
                std::printf("%4dx%-4d %5d %12.0f %12s (skipped)\n", size, size, level + 1, triangles, "");
                std::fflush(stdout);
                continue;
            }
            image->TriangleBudget = UINT64_MAX;  // measure beyond the program's budget
            image->AddressSpace = nullptr;
            image->SetSmooth(1);
            image->SetResolution(level);
            image->SetScale(1, 1, 1);
            image->SetRotation(-45, 0, -45);

            // Polygons actually emitted, counted on the portable side.
            uint64_t polygons = 0;
            {
                struct TCounter : TGeometrySink {
                    uint64_t n = 0;
                    void Begin(TPrimitive) override { ++n; }
                    void Color(uint8_t, uint8_t, uint8_t) override {}
                    void Vertex(float, float, float) override {}
                    void End() override {}
                } count;
                TSurfaceOptions o;
                o.Depth = level;
                BuildSurfaceGeometry(*image->ScanData, colors.Manager, o, count);
                polygons = count.n;
            }

            const double memBefore = PrivateMegabytes();
            image->MakeCurrent();
            const auto buildStart = Clock::now();
            image->BuildSurfaceList();
            glFinish();
            const double build = Seconds(buildStart);
            const double listMb = PrivateMegabytes() - memBefore;

            const int mainW = kWidth * 3 / 4;
            const int paneH = kHeight / 3;
            const double single = FramesPerSecond(*image, [&] {
                image->SetView(0);
                image->SetViewport(2, 2, mainW - 4, kHeight - 4);
                image->RenderScene();
            });
            const double four = FramesPerSecond(*image, [&] {
                const struct {
                    uint8_t view;
                    int x, y, w, h;
                } panes[] = {{3, mainW, 2 * paneH, kWidth - mainW, paneH},
                             {1, mainW, paneH, kWidth - mainW, paneH},
                             {2, mainW, 0, kWidth - mainW, paneH},
                             {0, 0, 0, mainW, kHeight}};
                for (const auto& p : panes) {
                    image->SetView(p.view);
                    image->SetViewport(static_cast<uint16_t>(p.x + 2), static_cast<uint16_t>(p.y + 2),
                                       static_cast<uint16_t>(p.w - 4), static_cast<uint16_t>(p.h - 4));
                    image->RenderScene();
                }
            });
            std::printf("%4dx%-4d %5d %12.0f %12llu %9.2f %9.0f %9.1f %9.1f\n", size, size, level + 1, triangles,
                        static_cast<unsigned long long>(polygons), build, listMb, single, four);
            std::fflush(stdout);
        }
    }
    DestroyWindow(frame);
    return 0;
}
