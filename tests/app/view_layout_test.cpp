#include <gtest/gtest.h>

#include "view_layout_support.h"

static bool operator==(const TViewportRect& A, const TViewportRect& B)
{
    return A.X == B.X && A.Y == B.Y && A.Width == B.Width && A.Height == B.Height;
}

static void PrintTo(const TViewportRect& V, std::ostream* Os)
{
    *Os << "(" << V.X << ", " << V.Y << ", " << V.Width << ", " << V.Height << ")";
}

// The numbers below are worked out by hand from the layout rules: L = 60, T = 77, B = 25,
// main pane (1024 - 60) * 75 div 100 = 723, pane height (768 - 77) div 3 = 230.
TEST(ViewLayout, SplitScreenAt1024x768)
{
    const TViewLayout L = ComputeLayout(Window1024(true));
    EXPECT_EQ(L.Left, 60);
    EXPECT_EQ(L.Top, 77);
    EXPECT_EQ(L.MainPaneWidth, 723);
    EXPECT_EQ(L.PaneHeight, 230);
    EXPECT_EQ(L.PaneEdges, (TPaneEdges{64, 781, 785, 1020, 29, 253, 257, 483, 487, 711}));
    EXPECT_EQ(L.HitEdges, (TPaneEdges{64, 781, 785, 1020, 739, 515, 511, 285, 281, 57}));
    EXPECT_EQ(L.Viewports[MainViewport], (TViewportRect{64, 29, 717, 682}));
    EXPECT_EQ(L.Viewports[TopRightViewport], (TViewportRect{785, 487, 235, 224}));
    EXPECT_EQ(L.Viewports[MiddleRightViewport], (TViewportRect{785, 257, 235, 226}));
    EXPECT_EQ(L.Viewports[BottomRightViewport], (TViewportRect{785, 29, 235, 224}));
    EXPECT_EQ(L.ExportViewport, (TViewportRect{60, 25, 964, 691}));
    EXPECT_EQ(L.AxisZLeft, 1002);
    EXPECT_EQ(L.AxisYLeft, 980);
    EXPECT_EQ(L.AxisXLeft, 958);
    EXPECT_EQ(L.StatusBarWidth, 956);
    EXPECT_EQ(FlatViewViewport(L.Viewports, true), (TViewportRect{64, 29, 952, 682}));
    EXPECT_EQ(SceneViewport(1024, 768, 30), (TViewportRect{0, 0, 1024, 738}));
    EXPECT_EQ(InsetViewport(L.Viewports[MainViewport], 2), (TViewportRect{66, 31, 713, 678}));
}

TEST(ViewLayout, SingleViewAndHiddenNavigator)
{
    TViewLayout L = ComputeLayout(Window1024(false));
    EXPECT_EQ(L.Viewports[MainViewport], (TViewportRect{64, 29, 956, 682}));
    EXPECT_EQ(L.Viewports[TopRightViewport].Width, 0);
    EXPECT_EQ(FlatViewViewport(L.Viewports, false), L.Viewports[MainViewport]);
    // The main view spans the width; nothing lies in the right column.
    EXPECT_EQ(ViewportAtPoint(1019, 100, 3, L.HitEdges), 0);
    EXPECT_EQ(ViewportAtPoint(1021, 100, 3, L.HitEdges), 3);

    L = ComputeLayout(Window1024(true, false));
    EXPECT_EQ(L.Left, 0);
    EXPECT_EQ(L.MainPaneWidth, 768);
    EXPECT_EQ(L.PaneEdges[EdgeX0], 4);
    EXPECT_EQ(L.PaneEdges[EdgeX1], 766);
    EXPECT_EQ(L.PaneEdges[EdgeX2], 770);
    EXPECT_EQ(L.ExportViewport, (TViewportRect{0, 25, 1024, 691}));
}

TEST(ViewLayout, AnEmptyClientAreaGivesEmptyViewportsNotWrappedOnes)
{
    TLayoutInput In = Window1024(true);
    In.ClientWidth = In.ClientHeight = 0;
    const TViewLayout L = ComputeLayout(In);
    EXPECT_EQ(L.MainPaneWidth, -45);  // (0 - 60) * 75 div 100
    EXPECT_EQ(L.PaneHeight, -25);     // -77 div 3, truncated towards zero
    for (const TViewportRect& V : L.Viewports) {
        EXPECT_EQ(V.Width, 0);
        EXPECT_EQ(V.Height, 0);
    }
    EXPECT_EQ(L.ExportViewport.Width, 0);
    EXPECT_EQ(L.ExportViewport.Height, 0);
    EXPECT_EQ(InsetViewport(TViewportRect{10, 10, 3, 3}, 2), (TViewportRect{12, 12, 0, 0}));

    TLayoutInput Bare;  // no bars, no navigator, 0 x 0
    Bare.SplitScreen = true;
    const TViewLayout B = ComputeLayout(Bare);
    EXPECT_EQ(B.PaneEdges, (TPaneEdges{4, -2, 2, -4, 4, -2, 2, -2, 2, -4}));
    EXPECT_EQ(B.Viewports[MainViewport], (TViewportRect{4, 4, 0, 0}));
}

TEST(ViewLayout, HitTestIsStrictOnEveryEdge)
{
    const TPaneEdges H = ComputeLayout(Window1024(true)).HitEdges;
    EXPECT_EQ(ViewportAtPoint(400, 400, 2, H), 0);
    EXPECT_EQ(ViewportAtPoint(900, 100, 0, H), 3);  // top right: front
    EXPECT_EQ(ViewportAtPoint(900, 400, 0, H), 1);  // middle right: top
    EXPECT_EQ(ViewportAtPoint(900, 600, 0, H), 2);  // bottom right: perspective
    // On an edge, in a gap or outside: unchanged.
    for (auto [X, Y] : {std::pair{64, 400}, {781, 400}, {783, 400}, {400, 57}, {400, 739}, {900, 281},
                        {900, 283}, {900, 511}, {900, 513}, {1020, 400}, {1100, 400}, {400, 760}}) {
        EXPECT_EQ(ViewportAtPoint(X, Y, 1, H), 1) << X << "," << Y;
        EXPECT_EQ(ViewportAtPoint(X, Y, 2, H), 2) << X << "," << Y;
    }
    EXPECT_EQ(ViewportAtPoint(900, 280, 0, H), 3);
    EXPECT_EQ(ViewportAtPoint(900, 286, 0, H), 1);
    EXPECT_EQ(ViewportAtPoint(900, 510, 0, H), 1);
    EXPECT_EQ(ViewportAtPoint(900, 516, 0, H), 2);
}

TEST(ViewLayout, FramesInDrawingOrderWithTheActiveOneRed)
{
    const TViewLayout L = ComputeLayout(Window1024(true));
    const auto F = ViewFrames(L.Viewports, 2);
    EXPECT_EQ(F[0].View, 0);
    EXPECT_EQ(F[1].View, 2);
    EXPECT_EQ(F[2].View, 1);
    EXPECT_EQ(F[3].View, 3);
    EXPECT_EQ(F[1].Rect, L.Viewports[BottomRightViewport]);
    EXPECT_EQ(F[3].Rect, L.Viewports[TopRightViewport]);
    EXPECT_EQ(F[1].Color, ActiveFrameColor);
    EXPECT_EQ(F[0].Color, FrameColor);
    EXPECT_EQ(F[2].Color, FrameColor);
    EXPECT_EQ(F[3].Color, FrameColor);
}
