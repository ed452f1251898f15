#include "scan/render/ScanScene.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <new>
#include <optional>
#include <vector>

#include "scan/model/_TColorManager.h"
#include "scan/render/BatchPipeline.h"

namespace {

TColorManagerRef RefOf(TColorManager* const* Var)
{
    return [Var]() -> TColorManager* { return Var ? *Var : nullptr; };
}

// Stands in when there is no colour manager: every stop disabled, so the smooth form draws
// nothing while the flat form keeps the points' own colours.
const TColorManager& NoColors()
{
    static const TColorManager none;
    return none;
}

}  // namespace

TScanScene::TScanScene(TColorManager* const* ColorManagerVar, TRenderSink& Sink)
    : TScanScene(RefOf(ColorManagerVar), Sink)
{
}

TScanScene::TScanScene(TColorManagerRef ColorManager, TRenderSink& Sink)
    : ScanData(std::make_unique<TScanData>(ColorManager)), colorManager_(std::move(ColorManager)), sink_(Sink)
{
}

TScanScene::~TScanScene() = default;

void TScanScene::SetResolution(uint8_t Value)
{
    Value = std::min(Value, MaxResolution);
    if (Value == resolution_)
        return;
    resolution_ = Value;
    Rebuild = 1;
}

void TScanScene::SetWireframe(uint8_t Value)
{
    if (Value == wireframe_)
        return;
    wireframe_ = Value;
    Rebuild = 1;
}

void TScanScene::SetSmooth(uint8_t Value)
{
    if (Value == smooth_)
        return;
    smooth_ = Value;
    Rebuild = 1;
}

void TScanScene::SetView(uint8_t Value) { view_ = Value; }

void TScanScene::SetFieldLength(float Value)
{
    if (Value >= 0.0f)  // also refuses NaN
        fieldLength_ = Value;
}

void TScanScene::SetFieldWidth(float Value)
{
    if (Value >= 0.0f)
        fieldWidth_ = Value;
}

void TScanScene::SetCrossHairActive(uint8_t Value)
{
    crossHairActive_ = Value;
    levelPlaneActive_ = Value ^ 1;
}

void TScanScene::SetLevelPlaneActive(uint8_t Value)
{
    levelPlaneActive_ = Value;
    crossHairActive_ = Value ^ 1;
}

void TScanScene::SetViewport(uint16_t X, uint16_t Y, uint16_t Width, uint16_t Height)
{
    viewport_ = TViewportRect{X, Y, Width, Height};
    sink_.Viewport(X, Y, Width, Height);
}

bool TScanScene::Ortho(double Left, double Right, double Bottom, double Top, double Near, double Far)
{
    const double bounds[] = {Left, Right, Bottom, Top, Near, Far};
    for (double b : bounds)
        if (!std::isfinite(b))
            return false;
    // Equal bounds (one row or column, a flat scan, a zero scale) would make the projection
    // invalid and lose the frame; half a unit either side keeps the picture.
    auto widen = [](double& a, double& b) {
        if (a == b) {
            a -= 0.5;
            b += 0.5;
        }
    };
    widen(Left, Right);
    widen(Bottom, Top);
    widen(Near, Far);
    sink_.Ortho(Left, Right, Bottom, Top, Near, Far);
    return true;
}

void TScanScene::RenderScene()
{
    if (!HasArea() || !HasScan())
        return;
    const TViewScope view(sink_);
    TScanData& s = *ScanData;
    sink_.MatrixMode(TMatrixMode::Projection);
    sink_.LoadIdentity();

    const double height = smooth_ == 1 ? double(s.UpperBound) - s.LowerBound : double(s.MaxValue) - s.MinValue;
    const double cols = double(s.MaxX) + 1.0;
    const double rows = double(s.MaxY) + 1.0;
    const double a = viewport_.Height / rows;
    const double b = viewport_.Width / cols;
    double ey = rows;
    double ex = cols;
    if (a > b)
        ey = rows * a / b;
    else if (b > a)
        ex = cols * b / a;
    const double hx = ex / 2.0;
    const double hy = ey / 2.0;
    const double hz = height / 2.0;
    const double r = std::max({hx, hy, hz});

    const TVector4& t = Camera.Translation;
    const TVector4& sc = Camera.Scale;
    const TVector4& rot = Camera.Rotation;
    const bool scene = s.ScanMode == 0 || view_ != 0;
    const bool ok = scene ? Ortho((t.X - hx) * sc.X, (t.X + hx) * sc.X, (t.Y - hy) * sc.Y, (t.Y + hy) * sc.Y,
                                  -(r + 20.0), r + 20.0)
                          : Ortho(-s.MaxX, 0.0, s.MinValue, s.MaxValue, -r, r);
    if (!ok)
        return;

    ResetModelView();
    if (scene) {
        sink_.Rotate(rot.X, 1.0f, 0.0f, 0.0f);
        sink_.Rotate(rot.Y, 0.0f, 1.0f, 0.0f);
        sink_.Rotate(rot.Z, 0.0f, 0.0f, 1.0f);
    } else {
        sink_.Translate(-s.MaxX / 2.0f, static_cast<float>(s.LowerBound + hz), 0.0f);
        sink_.Rotate(-90.0f, 1.0f, 0.0f, 0.0f);
    }

    // Field proportions; a single row or column has no proportion to keep.
    const double spanX = double(s.MaxX) - s.MinX;
    const double spanY = double(s.MaxY) - s.MinY;
    if (s.ScanMode == 0 && fieldLength_ > 0.0f && fieldWidth_ > 0.0f && spanX > 0.0 && spanY > 0.0) {
        const double q = (double(fieldWidth_) / fieldLength_) * spanY / spanX;
        const double p = (double(fieldLength_) / fieldWidth_) * spanX / spanY;
        if (q > p)
            sink_.Scale(1.0f, static_cast<float>(p), sc.Z);
        else if (q < p)
            sink_.Scale(static_cast<float>(q), 1.0f, sc.Z);
        else
            sink_.Scale(static_cast<float>(q), static_cast<float>(p), sc.Z);
    } else {
        sink_.Scale(1.0f, 1.0f, sc.Z);
    }
    sink_.Translate(s.MaxX / 2.0f, -s.MaxY / 2.0f, static_cast<float>(-(s.LowerBound + hz)));

    DrawCursorLines();
    DrawList(&TScanScene::BuildSurfaceList);
    if (view_ == 0 && s.ScanMode == 0)
        DrawAxes();
}

void TScanScene::DrawCursorLines()
{
    const TScanData& s = *ScanData;
    const bool crossHair = view_ == 0 || view_ == 1;
    const bool levelPlane = view_ == 0 || view_ == 3;
    if (CursorLines != 1 || !s.Selected || !(crossHair || levelPlane))
        return;
    const TScanPoint& sel = *s.Selected;
    const float u = s.UpperBound;
    const float l = s.LowerBound;
    auto line = [this](float x1, float y1, float z1, float x2, float y2, float z2) {
        sink_.Vertex(x1, y1, z1);
        sink_.Vertex(x2, y2, z2);
    };
    sink_.Begin(TPrimitive::Lines);
    if (crossHair) {
        const uint8_t c = crossHairActive_ == 1 ? 255 : 155;
        sink_.Color(c, c, c);
        line(-s.MinX, sel.Y, u, -s.MaxX, sel.Y, u);
        line(-s.MinX, sel.Y, l, -s.MaxX, sel.Y, l);
        line(-s.MinX, sel.Y, u, -s.MinX, sel.Y, l);
        line(-s.MaxX, sel.Y, u, -s.MaxX, sel.Y, l);
        line(-sel.X, s.MinY, u, -sel.X, s.MaxY, u);
        line(-sel.X, s.MaxY, l, -sel.X, s.MinY, l);
        line(-sel.X, s.MinY, u, -sel.X, s.MinY, l);
        line(-sel.X, s.MaxY, u, -sel.X, s.MaxY, l);
    }
    if (levelPlane) {
        const uint8_t c = levelPlaneActive_ == 1 ? 255 : 155;
        const float z = s.LevelValue;
        sink_.Color(c, c, c);
        line(-s.MinX, s.MinY, z, -s.MaxX, s.MinY, z);
        line(-s.MinX, s.MaxY, z, -s.MaxX, s.MaxY, z);
        line(-s.MinX, s.MinY, z, -s.MinX, s.MaxY, z);
        line(-s.MaxX, s.MinY, z, -s.MaxX, s.MaxY, z);
    }
    sink_.End();
}

void TScanScene::DrawAxes()
{
    if (AxisX != 1 && AxisY != 1 && AxisZ != 1)
        return;
    sink_.LoadIdentity();
    sink_.LineStipple(true, 5, 0x0CC3);
    sink_.Color(204, 204, 204);  // 0.8 of full intensity
    sink_.Begin(TPrimitive::Lines);
    if (AxisX == 1) {
        sink_.Vertex(-500.0f, 0.0f, 0.0f);
        sink_.Vertex(500.0f, 0.0f, 0.0f);
    }
    if (AxisY == 1) {
        sink_.Vertex(0.0f, -500.0f, 0.0f);
        sink_.Vertex(0.0f, 500.0f, 0.0f);
    }
    if (AxisZ == 1) {
        sink_.Vertex(0.0f, 0.0f, -500.0f);
        sink_.Vertex(0.0f, 0.0f, 500.0f);
    }
    sink_.End();
    sink_.LineStipple(false, 0, 0);
}

bool TScanScene::ProjectFlatView(double Left, double Right, double Bottom, double Top)
{
    // Deep enough for the values below zero too (a range of -100..10 would otherwise clip).
    const TScanData& s = *ScanData;
    const double depth = 2.0 * std::max(std::fabs(double(s.MinValue)), std::fabs(double(s.MaxValue))) + 1.0;
    sink_.MatrixMode(TMatrixMode::Projection);
    sink_.LoadIdentity();
    return Ortho(Left, Right, Bottom, Top, -depth, depth);
}

void TScanScene::ResetModelView()
{
    sink_.MatrixMode(TMatrixMode::ModelView);
    sink_.ClearDepth();
    sink_.LoadIdentity();
}

void TScanScene::DrawList(void (TScanScene::*Build)())
{
    if (Rebuild == 1 || ScanData->Changed == 1)
        (this->*Build)();
    for (uint32_t part = 0; part < listParts_; ++part) {
        if (part > 0 && BetweenListParts)
            BetweenListParts();
        sink_.CallList(DisplayList + part);
    }
}

void TScanScene::RenderTop()
{
    if (!HasArea() || !HasScan())
        return;
    const TViewScope view(sink_);
    const TScanData& s = *ScanData;
    if (!ProjectFlatView(-s.MaxX, s.MinX, s.MinY + 1.0, s.MaxY))
        return;
    ResetModelView();
    DrawList(&TScanScene::BuildTopList);
}

void TScanScene::RenderSide()
{
    if (!HasArea() || !HasScan())
        return;
    const TViewScope view(sink_);
    const TScanData& s = *ScanData;
    if (!ProjectFlatView(s.MinY, s.MaxY, s.MinX, s.MaxX))
        return;
    const float spanX = s.MaxX - s.MinX;
    const float spanY = s.MaxY - s.MinY;
    ResetModelView();
    sink_.Translate(spanY / 2.0f, spanX / 2.0f, 0.0f);
    sink_.Rotate(90.0f, 0.0f, 0.0f, 1.0f);
    sink_.Translate(-spanX / 2.0f, -spanY / 2.0f, 0.0f);
    DrawList(&TScanScene::BuildSideList);
}

void TScanScene::RenderDiagram()
{
    if (!HasArea() || !ScanData)
        return;
    const TViewScope view(sink_);
    TScanData& s = *ScanData;
    const double w = viewport_.Width;
    const double h = viewport_.Height;
    sink_.MatrixMode(TMatrixMode::Projection);
    sink_.LoadIdentity();
    sink_.Ortho(0.0, w, 0.0, h, -10.0, 20.0);
    // The diagram is drawn in pixels; a camera left over from another view must not turn it.
    sink_.MatrixMode(TMatrixMode::ModelView);
    sink_.LoadIdentity();
    sink_.ClearDepth();
    sink_.LineWidth(1.0f);
    sink_.PolygonOutline(false);
    sink_.Smoothing(true);
    if (TColorManager* colors = Colors()) {
        colors->SetColorScheme(0, s.MinValue, s.MaxValue, s.MinValue);
        DrawDiagram(s, *colors, static_cast<float>(w), static_cast<float>(h), sink_);
    }
    sink_.Smoothing(false);
}

namespace {

// Deletes lists First to First + Count - 1.
void DeleteLists(TRenderSink& Sink, uint32_t First, uint32_t Count)
{
    for (uint32_t list = First; list < First + Count; ++list)
        Sink.DeleteList(list);
}

// Where the batches of a build go: into list Name, and once that holds about PartTriangles
// triangles, between two batches into the next list, Name + 1, and so on. A part begins with
// the polygon mode, so that each can be drawn on its own. Ending a build that failed, it closes
// the part open and deletes every part it began.
class TListParts : public TArrayTarget {
public:
    TListParts(TRenderSink& Sink, uint32_t Name, uint64_t PartTriangles, bool Outline)
        : sink_(Sink), name_(Name), partTriangles_(PartTriangles > 0 ? PartTriangles : 1), outline_(Outline)
    {
        Begin();
    }
    ~TListParts()
    {
        if (open_) {
            sink_.EndList();
            DeleteLists(sink_, name_, parts_);
        }
    }
    TListParts(const TListParts&) = delete;
    TListParts& operator=(const TListParts&) = delete;

    void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) override
    {
        if (triangles_ >= partTriangles_) {
            sink_.EndList();
            Begin();
        }
        sink_.DrawArrays(Kind, Vertices, EdgeFlags, Count);
        triangles_ += Kind == TPrimitive::Triangles ? Count / 3 : Kind == TPrimitive::Quads ? Count / 4 * 2 : 0;
    }

    // Closes the last part; the parts stay. Their number.
    uint32_t End()
    {
        sink_.EndList();
        open_ = false;
        return parts_;
    }

private:
    void Begin()
    {
        sink_.NewList(name_ + parts_++);
        sink_.PolygonOutline(outline_);
        triangles_ = 0;
    }

    TRenderSink& sink_;
    uint32_t name_;
    uint64_t partTriangles_;
    bool outline_;
    uint32_t parts_ = 0;
    uint64_t triangles_ = 0;
    bool open_ = true;
};

}  // namespace

template <typename F>
void TScanScene::CompileList(bool WithLevels, F&& Build)
{
    DeleteLists(sink_, DisplayList, listParts_);
    listParts_ = 1;
    // What is left is asked for once the old list is gone.
    const TAddressSpace space = AddressSpace ? AddressSpace() : TAddressSpace{};
    TSurfaceOptions options;
    options.Smooth = smooth_ == 1;
    // Only the smooth form has levels; the flat forms draw each cell once whatever is chosen.
    const bool levels = WithLevels && !IsFlatForm(*ScanData, options);
    const uint64_t columns = static_cast<uint64_t>(std::max(0.0f, ScanData->MaxX)) + 1;
    const uint64_t rows = static_cast<uint64_t>(std::max(0.0f, ScanData->MaxY)) + 1;
    const uint64_t allowed =
        std::min(TriangleBudget, ListBytesWithin(space, BatchBuildMemoryBytes) / ListBytesPerTriangle);
    const TGeometryBuild build = [&Build](const TSurfaceOptions& Options, TGeometrySink& Sink) { Build(Options, Sink); };

    // The builder (on a worker, for a large list) notes how far it got; the share is reported
    // here, on the thread whose handler may answer the windows, as the batches are compiled.
    std::atomic<int> built{-1};
    const std::function<void()> answer = [this, &built] {
        if (OnBuildProgress)
            OnBuildProgress(built.load(std::memory_order_relaxed));
    };

    // A build that runs short of memory (an allocation of the program's own on either thread,
    // or the driver's, which it reports once the list is closed) leaves nothing behind and the
    // next coarser plan is built instead.
    std::optional<TListPlan> finest = TListPlan{levels ? resolution_ : uint8_t{0}, 1, 0};
    while (finest) {
        TListPlan plan = *finest;
        sink_.TakeOutOfMemory();  // what went wrong before is not this list's
        // A build that fails must not leave a list open: everything drawn afterwards would go
        // into it instead of onto the screen.
        TListParts parts(sink_, DisplayList, ListPartTriangles, wireframe_ == 1);
        const bool onWorker = SurfaceTriangleCount(columns, rows, finest->Depth, finest->Step) >= WorkerFromTriangles;
        try {
            BuildInBatches(parts, wireframe_ == 1, onWorker, [&](TGeometrySink& Batches, const TBuildStop& Stop) {
                TSurfaceOptions counting = options;
                counting.Progress = [&Stop](uint32_t, uint32_t) { Stop.Check(); };
                plan = PlanList(columns, rows, *finest, allowed, [&](uint8_t Depth, uint32_t Step, uint64_t Limit) {
                    counting.Depth = Depth;
                    counting.Step = Step;
                    return CountDrawnTriangles(build, counting, Limit);
                });
                TSurfaceOptions drawing = options;
                drawing.Depth = plan.Depth;
                drawing.Step = plan.Step;
                drawing.Progress = [&built, &Stop](uint32_t Done, uint32_t Rows) {
                    Stop.Check();
                    built.store(Rows > 0 ? static_cast<int>(uint64_t{Done} * 100 / Rows) : 100, std::memory_order_relaxed);
                };
                build(drawing, Batches);
            }, answer);
            answer();
            const uint32_t made = parts.End();
            if (!sink_.TakeOutOfMemory()) {
                listParts_ = made;
                surfaceDrawn_ = true;
                builtResolution_ = levels ? plan.Depth : resolution_;
                builtStep_ = plan.Step;
                builtTriangles_ = plan.Triangles;
                break;
            }
            DeleteLists(sink_, DisplayList, made);
        } catch (const std::bad_alloc&) {
            // The parts are closed and deleted as they go; the memory they took is free again.
        }
        built.store(-1, std::memory_order_relaxed);
        finest = NextCoarserPlan(plan, columns, rows);
        if (!finest) {
            // Not even a single cell could be built: the drawing area stays empty.
            surfaceDrawn_ = false;
            builtResolution_ = 0;
            builtStep_ = CoarsestStep(columns, rows);
            builtTriangles_ = 0;
        }
    }
    Rebuild = 0;
    ScanData->Changed = 0;
}

void TScanScene::BuildSurfaceList()
{
    ScanData->RecomputeStatistics();
    const TColorManager* colors = Colors();
    CompileList(true, [&](const TSurfaceOptions& Options, TGeometrySink& Sink) {
        BuildSurfaceGeometry(*ScanData, colors ? *colors : NoColors(), Options, Sink);
    });
}

void TScanScene::BuildTopList()
{
    const TColorManager* colors = Colors();
    CompileList(true, [&](const TSurfaceOptions& Options, TGeometrySink& Sink) {
        BuildTopGeometry(*ScanData, colors ? *colors : NoColors(), Options, Sink);
    });
}

void TScanScene::BuildSideList()
{
    // The side view has only the flat form, smoothing or not.
    CompileList(false, [&](const TSurfaceOptions& Options, TGeometrySink& Sink) {
        BuildSideGeometry(*ScanData, Options, Sink);
    });
}

void TScanScene::SmoothScan(uint8_t Passes)
{
    auto usable = [](const TScanPoint* q) { return q && !q->Invalid && !std::isnan(q->Value); };
    for (uint8_t pass = 0; pass < Passes && ScanData; ++pass) {
        for (TScanPoint* head = ScanData->First; head; head = head->Up)
            for (TScanPoint* p = head; p; p = p->Next) {
                float sum = p->Value;
                int n = 0;
                for (const TScanPoint* q : {p->Down, p->Next, p->Up, p->Previous})
                    if (usable(q)) {
                        sum += q->Value;
                        ++n;
                    }
                p->DisplayValue = sum / static_cast<float>(1 + n);
            }
        for (TScanPoint* head = ScanData->First; head; head = head->Up)
            for (TScanPoint* p = head; p; p = p->Next)
                p->Value = p->DisplayValue;
    }
    Rebuild = 1;
}
