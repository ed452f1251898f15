// The layout of the drawing area in the main window's client area: one main view, and with the
// split screen three small views in a right-hand column (front at the top, top in the middle,
// perspective at the bottom). Columns are counted in client pixels from the left, rows in
// OpenGL window coordinates from the bottom; the hit test reads the rows from the top.
#pragma once

#include <array>
#include <cstdint>

#include "scan/render/ScanScene.h"

struct TLayoutInput {
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
    bool NavigatorVisible = false;
    int32_t NavigatorLeft = 0;
    int32_t NavigatorWidth = 0;
    // Heights of the bars, each 0 while the bar is hidden.
    int32_t MenuBarHeight = 0;
    int32_t ControlBarHeight = 0;
    int32_t StatusPanelHeight = 0;
    bool SplitScreen = false;
    // The axis switches at the right end of the status panel.
    int32_t AxisXWidth = 0;
    int32_t AxisYWidth = 0;
    int32_t AxisZWidth = 0;
};

// Indexes into the ten pane edges: four column edges X0..X3, then six row edges Y0..Y5.
constexpr size_t EdgeX0 = 0, EdgeX1 = 1, EdgeX2 = 2, EdgeX3 = 3;
constexpr size_t EdgeY0 = 4, EdgeY1 = 5, EdgeY2 = 6, EdgeY3 = 7, EdgeY4 = 8, EdgeY5 = 9;
using TPaneEdges = std::array<int32_t, 10>;

// Indexes into the four viewports.
constexpr size_t MainViewport = 0;         // the main view
constexpr size_t TopRightViewport = 1;     // the front view
constexpr size_t MiddleRightViewport = 2;  // the top view
constexpr size_t BottomRightViewport = 3;  // the perspective view
using TViewports = std::array<TViewportRect, 4>;

struct TViewLayout {
    int32_t Left = 0;    // right edge of the navigator, or 0 without it
    int32_t Top = 0;     // heights of the visible bars together
    int32_t Bottom = 0;  // height of the status panel when it is visible
    int32_t MainPaneWidth = 0;
    int32_t PaneHeight = 0;
    TPaneEdges PaneEdges{};
    TPaneEdges HitEdges{};  // the column edges, and the row edges counted from the top
    // Viewports never have a negative size: a window too small for the margins gives 0.
    TViewports Viewports{};
    TViewportRect ExportViewport;
    int32_t AxisXLeft = 0;
    int32_t AxisYLeft = 0;
    int32_t AxisZLeft = 0;
    int32_t StatusBarWidth = 0;
};

TViewLayout ComputeLayout(const TLayoutInput& Input);

// The view (0 main, 3 front, 1 top, 2 perspective) under a client point, by strict tests
// against the hit edges: a point on an edge, between the panes or outside keeps Current.
uint8_t ViewportAtPoint(int32_t X, int32_t Y, uint8_t Current, const TPaneEdges& HitEdges);

// A viewport made smaller by Inset pixels on every side, never below a size of 0.
TViewportRect InsetViewport(const TViewportRect& Viewport, int32_t Inset);
// A rectangle in window coordinates clamped into a viewport (negative sizes become 0).
TViewportRect ClampedViewport(int64_t X, int64_t Y, int64_t Width, int64_t Height);

// The whole area the 3-D scene clears and frames: the client area less the control bar.
TViewportRect SceneViewport(int32_t ClientWidth, int32_t ClientHeight, int32_t ControlBarHeight);
// The viewport of the flat views (top, side, line diagram): the main viewport, widened by the
// right column's width while the split screen is on.
TViewportRect FlatViewViewport(const TViewports& Viewports, bool SplitScreen);

// The four frames of the split screen in drawing order (main, perspective, top, front); the
// active view's frame is red, the others grey.
struct TRGB {
    uint8_t R, G, B;
    bool operator==(const TRGB&) const = default;
};
constexpr TRGB ActiveFrameColor{200, 50, 50};
constexpr TRGB FrameColor{212, 208, 200};
struct TViewFrame {
    uint8_t View;
    TViewportRect Rect;
    TRGB Color;
};
std::array<TViewFrame, 4> ViewFrames(const TViewports& Viewports, uint8_t ActiveView);

// The small views in drawing order: front, top, perspective.
struct TSmallViewPass {
    uint8_t View;             // the renderer's view index
    size_t ViewStateSlot;     // its camera
    size_t Viewport;          // its rectangle
};
constexpr std::array<TSmallViewPass, 3> SmallViewPasses{{
    {3, 2, TopRightViewport},
    {1, 1, MiddleRightViewport},
    {2, 3, BottomRightViewport},
}};
