#include "app/ViewLayout.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int32_t Margin = 4;
constexpr int32_t HalfMargin = 2;
constexpr int32_t AxisGap = 2;

uint16_t ClampWord(int64_t V)
{
    return static_cast<uint16_t>(std::clamp<int64_t>(V, 0, std::numeric_limits<uint16_t>::max()));
}

} // namespace

TViewportRect ClampedViewport(int64_t X, int64_t Y, int64_t Width, int64_t Height)
{
    return TViewportRect{ClampWord(X), ClampWord(Y), ClampWord(Width), ClampWord(Height)};
}

TViewLayout ComputeLayout(const TLayoutInput& In)
{
    TViewLayout L;
    L.Left = In.NavigatorVisible ? In.NavigatorLeft + In.NavigatorWidth : 0;
    L.Top = In.MenuBarHeight + In.ControlBarHeight + In.StatusPanelHeight;
    L.Bottom = In.StatusPanelHeight;
    // Integer division truncates towards zero, as the layout always has.
    L.MainPaneWidth = (In.ClientWidth - L.Left) * 75 / 100;
    L.PaneHeight = (In.ClientHeight - L.Top) / 3;

    L.AxisZLeft = In.ClientWidth - In.AxisZWidth - AxisGap;
    L.AxisYLeft = L.AxisZLeft - In.AxisYWidth - AxisGap;
    L.AxisXLeft = L.AxisYLeft - In.AxisXWidth - AxisGap;
    L.StatusBarWidth = In.ClientWidth - (In.AxisXWidth + AxisGap) - (In.AxisYWidth + AxisGap) -
                       (In.AxisZWidth + AxisGap) - AxisGap;

    TPaneEdges& E = L.PaneEdges;
    E[EdgeX0] = L.Left + Margin;
    if (In.SplitScreen) {
        E[EdgeX1] = L.Left + L.MainPaneWidth - HalfMargin;
        E[EdgeX2] = L.Left + L.MainPaneWidth + HalfMargin;
        E[EdgeX3] = In.ClientWidth - Margin;
    } else {
        // No right column: it has no width and nothing lies inside it.
        E[EdgeX1] = In.ClientWidth - Margin;
        E[EdgeX2] = E[EdgeX1];
        E[EdgeX3] = E[EdgeX1];
    }
    E[EdgeY0] = L.Bottom + Margin;
    E[EdgeY1] = E[EdgeY0] - Margin + L.PaneHeight - HalfMargin;
    E[EdgeY2] = E[EdgeY1] + Margin;
    E[EdgeY3] = E[EdgeY2] - HalfMargin + L.PaneHeight - HalfMargin;
    E[EdgeY4] = E[EdgeY3] + Margin;
    E[EdgeY5] = E[EdgeY4] - HalfMargin + L.PaneHeight - Margin;

    for (size_t i = EdgeX0; i <= EdgeX3; ++i)
        L.HitEdges[i] = E[i];
    for (size_t i = EdgeY0; i <= EdgeY5; ++i)
        L.HitEdges[i] = In.ClientHeight - E[i];

    const int64_t RightWidth = int64_t(E[EdgeX3]) - E[EdgeX2];
    L.Viewports[MainViewport] = ClampedViewport(E[EdgeX0], E[EdgeY0], int64_t(E[EdgeX1]) - E[EdgeX0],
                                                int64_t(E[EdgeY5]) - E[EdgeY0]);
    L.Viewports[TopRightViewport] = ClampedViewport(E[EdgeX2], E[EdgeY4], RightWidth, int64_t(E[EdgeY5]) - E[EdgeY4]);
    L.Viewports[MiddleRightViewport] = ClampedViewport(E[EdgeX2], E[EdgeY2], RightWidth, int64_t(E[EdgeY3]) - E[EdgeY2]);
    L.Viewports[BottomRightViewport] = ClampedViewport(E[EdgeX2], E[EdgeY0], RightWidth, int64_t(E[EdgeY1]) - E[EdgeY0]);
    L.ExportViewport = ClampedViewport(L.Left, L.Bottom, int64_t(In.ClientWidth) - L.Left,
                                       int64_t(In.ClientHeight) - In.MenuBarHeight - In.ControlBarHeight - L.Bottom);
    return L;
}

uint8_t ViewportAtPoint(int32_t X, int32_t Y, uint8_t Current, const TPaneEdges& H)
{
    if (H[EdgeX0] < X && X < H[EdgeX1])
        return (H[EdgeY5] < Y && Y < H[EdgeY0]) ? 0 : Current;
    if (H[EdgeX2] < X && X < H[EdgeX3]) {
        if (H[EdgeY5] < Y && Y < H[EdgeY4])
            return 3;
        if (H[EdgeY3] < Y && Y < H[EdgeY2])
            return 1;
        if (H[EdgeY1] < Y && Y < H[EdgeY0])
            return 2;
    }
    return Current;
}

TViewportRect InsetViewport(const TViewportRect& V, int32_t Inset)
{
    return ClampedViewport(int64_t(V.X) + Inset, int64_t(V.Y) + Inset, int64_t(V.Width) - 2 * Inset,
                           int64_t(V.Height) - 2 * Inset);
}

TViewportRect SceneViewport(int32_t ClientWidth, int32_t ClientHeight, int32_t ControlBarHeight)
{
    return ClampedViewport(0, 0, ClientWidth, int64_t(ClientHeight) - ControlBarHeight);
}

TViewportRect FlatViewViewport(const TViewports& Viewports, bool SplitScreen)
{
    TViewportRect V = Viewports[MainViewport];
    if (SplitScreen)
        V = ClampedViewport(V.X, V.Y, int64_t(V.Width) + Viewports[TopRightViewport].Width, V.Height);
    return V;
}

std::array<TViewFrame, 4> ViewFrames(const TViewports& Viewports, uint8_t ActiveView)
{
    auto Frame = [&](uint8_t View, size_t Viewport) {
        return TViewFrame{View, Viewports[Viewport], View == ActiveView ? ActiveFrameColor : FrameColor};
    };
    return {Frame(0, MainViewport), Frame(2, BottomRightViewport), Frame(1, MiddleRightViewport),
            Frame(3, TopRightViewport)};
}
