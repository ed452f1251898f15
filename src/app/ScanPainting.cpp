#include "app/ScanPainting.h"

#include "app/ScanKinds.h"

#include "scan/files/TextIds.h"
#include "scan/render/ScanScene.h"

#include "framework/Exceptions.h"
#include "framework/NumberText.h"

namespace {

constexpr int32_t ViewInset = 2;

void RenderWithCamera(TScanScene& Scene, uint8_t View, const TViewState& Camera, const TViewportRect& Rect)
{
    Scene.SetView(View);
    Scene.Camera = Camera;
    const TViewportRect inner = InsetViewport(Rect, ViewInset);
    Scene.SetViewport(inner.X, inner.Y, inner.Width, inner.Height);
    Scene.RenderScene();
}

void PaintFlatView(TScanScene& Scene, const TScanPaintInput& In, uint8_t Mode)
{
    const TViewportRect area = FlatViewViewport(In.Viewports, In.SplitScreen);
    Scene.SetViewport(area.X, area.Y, area.Width, area.Height);
    switch (Mode) {
    case 2: Scene.RenderTop(); break;
    case 3: Scene.RenderSide(); break;
    default: Scene.RenderDiagram(); break;
    }
}

// The frames as outlined rectangles in a pixel projection over Area, in their order.
void DrawViewFrames(TRenderSink& Sink, const TViewportRect& Area, const std::array<TViewFrame, 4>& Frames)
{
    // A pixel projection whose origin is the area's: the area starts at the client origin, so
    // frame corners are client pixels.
    const TViewScope scope(Sink);
    Sink.MatrixMode(TMatrixMode::Projection);
    Sink.LoadIdentity();
    Sink.Ortho(Area.X, Area.Width, Area.Y, Area.Height, -1.0, 1.0);
    Sink.MatrixMode(TMatrixMode::ModelView);
    Sink.LoadIdentity();
    Sink.PolygonOutline(true);
    Sink.LineWidth(1.0f);
    for (const TViewFrame& f : Frames) {
        const float x0 = f.Rect.X, y0 = f.Rect.Y;
        const float x1 = x0 + f.Rect.Width, y1 = y0 + f.Rect.Height;
        Sink.Begin(TPrimitive::Quads);
        Sink.Color(f.Color.R, f.Color.G, f.Color.B);
        Sink.Vertex(x0, y0, 0.0f);
        Sink.Vertex(x1, y0, 0.0f);
        Sink.Vertex(x1, y1, 0.0f);
        Sink.Vertex(x0, y1, 0.0f);
        Sink.End();
    }
}

}  // namespace

void PaintScanViews(TScanScene& Scene, const TScanPaintInput& In, const TViewStates& Views)
{
    const uint8_t mode = Scene.ScanData ? Scene.ScanData->ScanMode : 0;
    if (IsFlatScanMode(mode)) {
        PaintFlatView(Scene, In, mode);
        return;
    }
    TRenderSink& sink = Scene.Sink();
    sink.Viewport(In.Scene.X, In.Scene.Y, In.Scene.Width, In.Scene.Height);
    if (In.SplitScreen) {
        DrawViewFrames(sink, In.Scene, ViewFrames(In.Viewports, In.ActiveView));
        for (const TSmallViewPass& pass : SmallViewPasses) {
            RenderWithCamera(Scene, pass.View, Views[pass.ViewStateSlot], In.Viewports[pass.Viewport]);
            if (In.BetweenViews)
                In.BetweenViews();
        }
    }
    RenderWithCamera(Scene, 0, Views[0], In.Viewports[MainViewport]);
}

std::optional<std::u16string> ResolutionNoticeText(uint8_t Chosen, uint8_t Built, const TTextLookup& Lookup)
{
    if (Built >= Chosen)
        return std::nullopt;
    auto level = [](uint8_t L) { return std::u16string(1, char16_t(u'1' + L)); };
    const std::u16string text = Lookup(
        Texts::LowerLevelShown, u"Resolution level %s is shown: level %s would need more triangles than can be drawn");
    return u" " + FormatMessageS(FormatMessageS(text, level(Built)), level(Chosen));
}

std::optional<std::u16string> SurfaceNoticeText(uint8_t Chosen, uint8_t Built, uint32_t Step,
                                                const TTextLookup& Lookup)
{
    if (Step <= 1)
        return ResolutionNoticeText(Chosen, Built, Lookup);
    const std::u16string text = Lookup(
        Texts::SurfaceThinned,
        u"The scan is too large to draw whole: the surface shows one point in %s in each direction");
    return u" " + FormatMessageS(text, IntToStr(static_cast<int64_t>(Step)));
}

std::u16string ValuePanelText(const std::u16string& Own, const std::u16string& Notice, bool RightToLeft)
{
    if (Notice.empty())
        return Own;
    if (Own.find_first_not_of(u' ') == std::u16string::npos)
        return Notice;
    return JoinInReadingDirection(RightToLeft, {Own, u"  |", Notice});
}
