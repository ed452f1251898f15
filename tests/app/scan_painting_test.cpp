// One frame of the scan views through a recording sink: which views are drawn where, with which
// camera, and the frames of the split screen.
#include "app/ScanPainting.h"
#include "app/ViewNavigation.h"

#include "scan/render/ScanScene.h"
#include "scan/render/render_support.h"

#include <gtest/gtest.h>

namespace {

using render_test::TColors;
using render_test::TRecordingSink;

struct TViewportCall {
    int32_t X, Y, Width, Height;
    bool operator==(const TViewportCall&) const = default;
};

// Records every viewport and, for each, the first rotation drawn after it (a view's camera
// turns about X first).
class TViewSink : public TRecordingSink {
public:
    std::vector<TViewportCall> Viewports;
    std::vector<float> FirstRotation;

    void Viewport(int32_t X, int32_t Y, int32_t W, int32_t H) override
    {
        TRecordingSink::Viewport(X, Y, W, H);
        Viewports.push_back({X, Y, W, H});
        rotated_ = false;
    }
    void Rotate(float A, float X, float Y, float Z) override
    {
        TRecordingSink::Rotate(A, X, Y, Z);
        if (!rotated_)
            FirstRotation.push_back(A);
        rotated_ = true;
    }

private:
    bool rotated_ = true;
};

TViewportCall Inset2(const TViewportRect& R)
{
    return {R.X + 2, R.Y + 2, R.Width - 4, R.Height - 4};
}

class ScanPaintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene.ScanData = std::make_unique<TScanData>(&colors.Var);
        render_test::ReceiveGrid(*scene.ScanData, 6, 5, [](int c, int r) { return float(c * 3 + r); });
        TLayoutInput in;
        in.ClientWidth = 1024;
        in.ClientHeight = 768;
        in.NavigatorVisible = true;
        in.NavigatorWidth = 68;
        in.MenuBarHeight = 20;
        in.ControlBarHeight = 30;
        in.StatusPanelHeight = 24;
        in.SplitScreen = true;
        layout = ComputeLayout(in);
        input.Viewports = layout.Viewports;
        input.Scene = SceneViewport(1024, 768, 30);
        input.SplitScreen = true;
        // Each slot's camera is told apart by its turn about X.
        for (size_t slot = 0; slot < 4; ++slot)
            views[slot].Rotation.X = 10.0f * float(slot) + 1.0f;
    }

    TColors colors;
    TViewSink sink;
    TScanScene scene{&colors.Var, sink};
    TViewLayout layout;
    TScanPaintInput input;
    TViewStates views = {PresetOfSlot(0), PresetOfSlot(1), PresetOfSlot(2), PresetOfSlot(3)};
};

TEST_F(ScanPaintingTest, TheSplitScreenDrawsTheFramesThenFrontTopPerspectiveAndLastTheMainView)
{
    input.ActiveView = 2;
    PaintScanViews(scene, input, views);

    // The whole scene area first, for the frames.
    ASSERT_EQ(sink.Viewports.size(), 5u);
    EXPECT_EQ(sink.Viewports[0], (TViewportCall{0, 0, 1024, 738}));
    const auto& v = layout.Viewports;
    EXPECT_EQ(sink.Viewports[1], Inset2(v[TopRightViewport]));
    EXPECT_EQ(sink.Viewports[2], Inset2(v[MiddleRightViewport]));
    EXPECT_EQ(sink.Viewports[3], Inset2(v[BottomRightViewport]));
    EXPECT_EQ(sink.Viewports[4], Inset2(v[MainViewport]));
    // Front is slot 2, top slot 1, perspective slot 3, main slot 0.
    EXPECT_EQ(sink.FirstRotation, (std::vector<float>{21.0f, 11.0f, 31.0f, 1.0f}));

    // Four outlined frames in pixels, main, perspective, top, front; the perspective one red.
    ASSERT_GE(sink.Primitives.size(), 4u);
    const std::array<size_t, 4> order = {MainViewport, BottomRightViewport, MiddleRightViewport, TopRightViewport};
    for (size_t i = 0; i < 4; ++i) {
        const render_test::TRecordedPrimitive& frame = sink.Primitives[i];
        ASSERT_EQ(frame.Kind, TPrimitive::Quads);
        ASSERT_EQ(frame.Vertices.size(), 4u);
        const TViewportRect& r = v[order[i]];
        EXPECT_EQ(frame.Vertices[0].X, r.X);
        EXPECT_EQ(frame.Vertices[0].Y, r.Y);
        EXPECT_EQ(frame.Vertices[2].X, r.X + r.Width);
        EXPECT_EQ(frame.Vertices[2].Y, r.Y + r.Height);
        const bool red = i == 1;
        EXPECT_EQ(frame.Vertices[0].R, red ? 200 : 212) << i;
        EXPECT_EQ(frame.Vertices[0].G, red ? 50 : 208) << i;
        EXPECT_TRUE(frame.State.Outline) << i;
    }
    ASSERT_FALSE(sink.Orthos.empty());
    EXPECT_EQ(sink.Orthos[0].Right, 1024.0);
    EXPECT_EQ(sink.Orthos[0].Top, 738.0);
    // The views after the frames draw filled surfaces again.
    for (size_t i = 4; i < sink.Primitives.size(); ++i)
        EXPECT_FALSE(sink.Primitives[i].State.Outline) << i;
}

TEST_F(ScanPaintingTest, WithoutTheSplitScreenOnlyTheMainViewIsDrawnAndNoFrame)
{
    input.SplitScreen = false;
    TLayoutInput in;
    in.ClientWidth = 1024;
    in.ClientHeight = 768;
    in.SplitScreen = false;
    input.Viewports = ComputeLayout(in).Viewports;
    PaintScanViews(scene, input, views);
    ASSERT_EQ(sink.Viewports.size(), 2u);
    EXPECT_EQ(sink.Viewports[1], Inset2(input.Viewports[MainViewport]));
    EXPECT_EQ(sink.FirstRotation, (std::vector<float>{1.0f}));
    for (const auto& p : sink.Primitives)
        EXPECT_FALSE(p.State.Outline);
}

TEST_F(ScanPaintingTest, TheFlatViewsSpanBothColumnsWithTheSplitScreenAndDrawNoFrames)
{
    // A frame of a scan of the same grid in another scan mode.
    auto paintInMode = [&](uint8_t Mode) {
        TViewSink modeSink;
        TScanScene modeScene{&colors.Var, modeSink};
        modeScene.ScanData = std::make_unique<TScanData>(&colors.Var);
        render_test::ReceiveGrid(*modeScene.ScanData, 6, 5, [](int c, int r) { return float(c * 3 + r); });
        modeScene.ScanData->SetScanMode(Mode);
        PaintScanViews(modeScene, input, views);
        return modeSink;
    };
    // Line diagram, top view, side view.
    const TViewportRect& main = layout.Viewports[MainViewport];
    for (const uint8_t mode : {1, 2, 3}) {
        const TViewSink flat = paintInMode(mode);
        ASSERT_EQ(flat.Viewports.size(), 1u) << "mode " << int(mode);
        EXPECT_EQ(flat.Viewports[0],
                  (TViewportCall{main.X, main.Y, main.Width + layout.Viewports[TopRightViewport].Width, main.Height}));
        // (A line diagram shows only the samples a live scan brought; this grid has none.)
        if (mode != 1)
            EXPECT_FALSE(flat.Primitives.empty()) << "mode " << int(mode);
        for (const auto& p : flat.Primitives)
            EXPECT_FALSE(p.State.Outline) << "mode " << int(mode);
    }
    // A mode past them is the 3-D scene with its frames again.
    EXPECT_EQ(paintInMode(4).Viewports.size(), 5u);
}

TEST(ResolutionNotice, SaysWhichLevelWasBuiltOnlyWhenItIsBelowTheChosenOne)
{
    EXPECT_FALSE(ResolutionNoticeText(2, 2));
    EXPECT_FALSE(ResolutionNoticeText(0, 0));
    const std::optional<std::u16string> notice = ResolutionNoticeText(4, 2);
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find(u"level 3 is shown"), std::u16string::npos);
    EXPECT_NE(notice->find(u"level 5"), std::u16string::npos);
    // In the active language, the numbers put in literally.
    const auto language = [](int32_t, const std::u16string&) { return std::u16string(u"Stufe %s statt %s (%d)"); };
    EXPECT_EQ(ResolutionNoticeText(4, 2, language), u" Stufe 3 statt 5 (%d)");
}

TEST(ResolutionNotice, AScanDrawnFromEveryKthPointSaysKInTheLanguageAndStaysBesideHintsAndValues)
{
    // The language's text with its "%s" filled literally; a step of 1 is the level notice.
    const TTextLookup german = [](int32_t ID, const std::u16string& Default) {
        return ID == 262 ? std::u16string(u"Einer von %s Punkten") : Default;
    };
    EXPECT_EQ(SurfaceNoticeText(4, 0, 3, german), std::u16string(u" Einer von 3 Punkten"));
    EXPECT_EQ(SurfaceNoticeText(4, 2, 1, german), ResolutionNoticeText(4, 2));
    EXPECT_FALSE(SurfaceNoticeText(1, 1, 1, german));

    const std::u16string notice = u" Notice";
    EXPECT_EQ(ValuePanelText(u" 12.50", u"", false), u" 12.50");
    EXPECT_EQ(ValuePanelText(u" ", notice, false), notice) << "a blank hint leaves the notice alone";
    EXPECT_EQ(ValuePanelText(u" Zoom in", notice, false), u" Zoom in  | Notice");
    EXPECT_EQ(ValuePanelText(u" Zoom in", notice, true), u" Notice  | Zoom in");
}

}  // namespace
