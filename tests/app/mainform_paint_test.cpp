// The paint timer on the real main window: the four framed views with the active one red, the
// single view, bars that painting leaves alone, the navigator and full screen, the background
// colour, the data grid of a live GPS scan, the notice of a lower resolution level and the one
// frame a long build owes for the paints it answered.
// With L3D_SCREENSHOT_DIR set, pictures of the four views and the single view are saved there.
#include "mainroad_support.h"

#include "app/ViewLayout.h"
#include "scan/files/globals.h"
#include "scan/model/_TDataGrid.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"
#include "widgets/el/menus/el_screenshot.h"

#include "support/memory_limit.h"
#include "support/real_input.h"

#include "framework/Application.h"
#include "framework/Screen.h"
#include "framework/StrConv.h"

#include <cmath>
#include <new>

using namespace mainroad;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;

namespace {

RECT ControlRect(TControl* Control)
{
    return RECT{Control->Left(), Control->Top(), Control->Left() + Control->Width(),
                Control->Top() + Control->Height()};
}

class MainRoadTest : public ProgramTest {
protected:
    void OpenField()
    {
        StartWithExample(u"Field with metal object.dmo");
        ASSERT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
    }
    // The main view inside its frame.
    static TViewportRect MainViewInside()
    {
        return InsetViewport(MainForm->State().Views().Viewports()[MainViewport], 3);
    }
};

}  // namespace

TEST_F(MainRoadTest, TheSplitScreenShowsTheSurfaceInFourFramedViewsWithTheActiveOneRed)
{
    OpenField();
    ASSERT_EQ(GlobalSettings.SplitScreen, 1);
    const auto& v = MainForm->State().Views().Viewports();
    for (size_t i = 0; i < 4; ++i)
        EXPECT_GT(PixelsOtherThan(ViewPixels(InsetViewport(v[i], 3)), 0), 200u) << "view " << i;
    l3d::testing::SaveScreenshot(MainForm->Handle(), u"mainroad-four-views.png");
    EXPECT_EQ(MainForm->State().Views().ActiveView(), 0);
    EXPECT_EQ(FrameColourLeftOf(v[MainViewport]), Red);
    EXPECT_EQ(FrameColourLeftOf(v[BottomRightViewport]), Grey);
    EXPECT_EQ(FrameColourLeftOf(v[MiddleRightViewport]), Grey);
    EXPECT_EQ(FrameColourLeftOf(v[TopRightViewport]), Grey);

    // A press in the lower right view makes the perspective view active.
    const POINT p = CentreOf(v[BottomRightViewport]);
    PostMouse(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
    PostMouse(WM_LBUTTONUP, 0, p.x, p.y);
    EXPECT_EQ(MainForm->State().Views().ActiveView(), 2);
    ASSERT_TRUE(WaitForFrame());
    EXPECT_EQ(FrameColourLeftOf(v[BottomRightViewport]), Red);
    EXPECT_EQ(FrameColourLeftOf(v[MainViewport]), Grey);
}

TEST_F(MainRoadTest, PaintingLeavesTheBarsAloneAndDrawsOnlyWhenAskedTo)
{
    OpenField();
    const RECT bars[] = {ControlRect(MainForm->ControlBar), ControlRect(MainForm->StatusPanel),
                         ControlRect(MainForm->Navigator), ControlRect(MainForm->MenuBar)};
    std::vector<Pixels> before;
    for (const RECT& r : bars)
        before.push_back(ReadClientPixels(MainForm->Handle(), r));
    // Turns redraw every view.
    Drag(MK_LBUTTON, 20, 20, MainForm->State().Views().Viewports()[MainViewport]);
    Drag(MK_LBUTTON, -40, -40, MainForm->State().Views().Viewports()[BottomRightViewport]);
    ASSERT_TRUE(DrawFrame());
    ASSERT_TRUE(DrawFrame());
    for (size_t i = 0; i < std::size(bars); ++i)
        EXPECT_EQ(ReadClientPixels(MainForm->Handle(), bars[i]).data, before[i].data) << "bar " << i;

    // Nothing pending: the timer runs and draws nothing. A mouse move without a button asks
    // for one frame.
    EXPECT_FALSE(MainForm->State().Views().RepaintPending());
    EXPECT_TRUE(MainForm->TimerPaint->Enabled());
    const POINT p = CentreOf(MainForm->State().Views().Viewports()[MainViewport]);
    {
        const TPaintTimerPause held(MainForm->TimerPaint);
        PostMouse(WM_MOUSEMOVE, 0, p.x, p.y);
        EXPECT_TRUE(MainForm->State().Views().RepaintPending());
    }
    EXPECT_TRUE(WaitForFrame());
}

TEST_F(MainRoadTest, WithoutTheSplitScreenOnlyTheMainViewIsDrawnAcrossTheWholeArea)
{
    OpenField();
    const TViewportRect right = MainForm->State().Views().Viewports()[TopRightViewport];
    PostKey('M', true);  // Extras > Split screen
    EXPECT_EQ(GlobalSettings.SplitScreen, 0);
    EXPECT_FALSE(MainForm->MenuExtrasSplitScreen->Checked());
    ASSERT_TRUE(WaitForFrame());
    const TViewportRect main = MainForm->State().Views().Viewports()[MainViewport];
    EXPECT_EQ(main.X + main.Width, MainForm->ClientWidth() - 4);
    EXPECT_EQ(MainForm->State().Views().Viewports()[TopRightViewport].Width, 0);
    // No frame where the right column's was.
    EXPECT_NE(FrameColourLeftOf(right), Grey);
    EXPECT_NE(FrameColourLeftOf(main), Red);
    l3d::testing::SaveScreenshot(MainForm->Handle(), u"mainroad-single-view.png");

    PostKey('M', true);
    EXPECT_EQ(GlobalSettings.SplitScreen, 1);
    ASSERT_TRUE(WaitForFrame());
    EXPECT_EQ(FrameColourLeftOf(MainForm->State().Views().Viewports()[TopRightViewport]), Grey);
}

TEST_F(MainRoadTest, TheNavigatorAndFullScreenGiveTheDrawingAreaTheWindowsWidthAndBack)
{
    OpenField();
    RunCommand(MainForm->MenuExtrasNavigator);
    EXPECT_FALSE(MainForm->Navigator->Visible());
    EXPECT_EQ(MainForm->State().Views().Viewports()[MainViewport].X, 4);
    ASSERT_TRUE(WaitForFrame());
    EXPECT_GT(PixelsOtherThan(ViewPixels(MainViewInside()), 0), 1000u);
    RunCommand(MainForm->MenuExtrasNavigator);
    EXPECT_TRUE(MainForm->Navigator->Visible());
    EXPECT_EQ(MainForm->State().Views().Viewports()[MainViewport].X,
              MainForm->Navigator->Left() + MainForm->Navigator->Width() + 4);

    // F11 and Escape as the user types them; the window comes back maximised as it started,
    // its frame outside the screen.
    RECT maximised{};
    GetWindowRect(MainForm->Handle(), &maximised);
    ASSERT_TRUE(l3d::testing::BringToFront(MainForm->Handle()));
    l3d::testing::PressKey(VK_F11);
    ASSERT_TRUE(MainForm->MenuExtrasFullscreen->Checked());
    EXPECT_EQ(MainForm->BorderStyle(), TFormBorderStyle::bsNone);
    EXPECT_FALSE(MainForm->MenuBar->Visible());
    EXPECT_FALSE(MainForm->ControlBar->Visible());
    EXPECT_FALSE(MainForm->StatusPanel->Visible());
    EXPECT_FALSE(MainForm->Navigator->Visible());
    EXPECT_EQ(MainForm->WindowState(), TWindowState::wsMaximized);
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    ASSERT_TRUE(WaitForFrame());
    EXPECT_EQ(MainForm->State().Views().ExportViewport().Width, MainForm->ClientWidth());
    EXPECT_GT(PixelsOtherThan(ViewPixels(MainViewInside()), 0), 1000u);

    l3d::testing::PressKey(VK_ESCAPE);
    EXPECT_FALSE(MainForm->MenuExtrasFullscreen->Checked());
    const auto frameBack = [&] {
        RECT now{};
        GetWindowRect(MainForm->Handle(), &now);
        return EqualRect(&now, &maximised) != FALSE;
    };
    EXPECT_TRUE(PumpUntil(frameBack, 120000)) << "the window's frame did not go back outside the screen";
    EXPECT_EQ(MainForm->BorderStyle(), TFormBorderStyle::bsSizeable);
    EXPECT_TRUE(MainForm->MenuBar->Visible());
    EXPECT_TRUE(MainForm->StatusPanel->Visible());
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    ASSERT_TRUE(WaitForFrame());
    EXPECT_GT(PixelsOtherThan(ViewPixels(MainViewInside()), 0), 1000u);
    // The axis switches follow the window's new width, 2 pixels apart and from the right edge.
    EXPECT_EQ(MainForm->AxisZ->Left() + MainForm->AxisZ->Width(), MainForm->ClientWidth() - 2);
    EXPECT_EQ(MainForm->AxisY->Left() + MainForm->AxisY->Width(), MainForm->AxisZ->Left() - 2);
    EXPECT_EQ(MainForm->AxisX->Left() + MainForm->AxisX->Width(), MainForm->AxisY->Left() - 2);
    EXPECT_EQ(MainForm->StatusBar->Width(), MainForm->AxisX->Left() - 2);
}

TEST_F(MainRoadTest, TheBackgroundColourFillsTheMarginsBetweenTheViews)
{
    OpenField();
    GlobalSettings.BackgroundColor = 0x804020;  // blue 0x80, green 0x40, red 0x20
    ASSERT_TRUE(DrawFrame());
    const TViewportRect& main = MainForm->State().Views().Viewports()[MainViewport];
    const RECT r = ClientRectOf(main);
    // Inside the frame, in the two-pixel margin of the view.
    const Pixels p = ReadClientPixels(MainForm->Handle(), RECT{r.left + 1, r.top + 40, r.left + 2, r.top + 41});
    EXPECT_EQ(p.data[0] & 0xFFFFFF, 0x204080u);
}

TEST_F(MainRoadTest, ALiveGpsScanDrawsItsDataGridAtEveryTick)
{
    OpenField();
    TDataGrid& grid = *MainForm->State().DataGrid();
    grid.SetSize(3, 3, 1);
    grid.XFrom = 0;
    grid.XTo = 2;
    grid.YFrom = 0;
    grid.YTo = 2;
    grid.Statistics = {1, 1, 1, 1, 1, 1};
    grid.ColorMin = 0.0f;
    grid.ColorMax = 8.0f;
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y)
            grid.GetCell(x, y, 0)->Value = float(x * 3 + y);
    LiveScan.DeviceIndex = 0;
    LiveScan.OperatingMode = 4;
    // Drawn without a repaint request.
    TimerWitness witness(60);
    ASSERT_TRUE(PumpUntil(witness.Ticked(3)));
    const TViewportRect area = InsetViewport(MainForm->State().Views().Viewports()[MainViewport], 2);
    const Pixels cells = ViewPixels(area);
    EXPECT_GT(PixelsOtherThan(cells, 0), size_t(cells.width) * cells.height / 2);
    // No frames in the grid view: the right column is cleared.
    EXPECT_EQ(PixelsOtherThan(ViewPixels(MainForm->State().Views().Viewports()[TopRightViewport]), 0), 0u);

    // A statistic that is not known yet: only the background.
    grid.Statistics[1] = std::nanf("");
    TimerWitness again(60);
    ASSERT_TRUE(PumpUntil(again.Ticked(3)));
    EXPECT_EQ(PixelsOtherThan(ViewPixels(area), 0), 0u);
    LiveScan.DeviceIndex = -1;
}

TEST_F(MainRoadTest, TheStatusBarSaysWhichLevelIsShownWhenTheChosenOneWouldPassTheBudgetWhereverTheMouseGoes)
{
    OpenField();
    TScanImage& image = *MainForm->State().Session().Image();
    image.TriangleBudget = 20000;
    // Level 5 chosen with the mouse on its tool button.
    TElToolButton* level5 = MainForm->ToolButtonRes[4];
    ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));
    l3d::testing::ClickAt(level5->Handle(), POINT{level5->Width() / 2, level5->Height() / 2});
    ASSERT_EQ(image.Resolution(), 4);
    ASSERT_TRUE(WaitForFrame());
    ASSERT_LT(image.BuiltResolution(), 4);
    const std::u16string built = u"level " + std::u16string(1, char16_t(u'1' + image.BuiltResolution()));
    auto panel = [] { return MainForm->StatusBar->Panels(4)->Text(); };
    EXPECT_NE(panel().find(u"level 5"), std::u16string::npos) << WideToUtf8(panel());
    EXPECT_NE(panel().find(built), std::u16string::npos) << WideToUtf8(panel());

    // The notice stays beside the hints of the buttons the mouse goes over, and when it leaves
    // them for the drawing area.
    TElToolButton* zoomIn = MainForm->ToolButtonZoomIn;
    l3d::testing::MoveMouseTo(zoomIn->Handle(), POINT{zoomIn->Width() / 2, zoomIn->Height() / 2});
    ASSERT_FALSE(Application->Hint().empty()) << "the zoom button has a hint";
    EXPECT_NE(panel().find(Application->Hint()), std::u16string::npos) << WideToUtf8(panel());
    EXPECT_NE(panel().find(built), std::u16string::npos) << WideToUtf8(panel());
    l3d::testing::MoveMouseTo(MainForm->Handle(), CentreOf(MainForm->State().Views().Viewports()[MainViewport]));
    ASSERT_TRUE(Application->Hint().empty());
    EXPECT_NE(panel().find(built), std::u16string::npos) << WideToUtf8(panel());
    ASSERT_TRUE(WaitForFrame());
    EXPECT_NE(panel().find(built), std::u16string::npos) << "a frame without a rebuild keeps it";

    // Within the budget again (level 1, chosen on its tool button): the notice goes.
    TElToolButton* level1 = MainForm->ToolButtonRes[0];
    l3d::testing::ClickAt(level1->Handle(), POINT{level1->Width() / 2, level1->Height() / 2});
    ASSERT_EQ(image.Resolution(), 0);
    ASSERT_TRUE(WaitForFrame());
    EXPECT_EQ(panel().find(u"level"), std::u16string::npos);
}

TEST_F(MainRoadTest, APaintThatFailsLeavesTheTimerRunningAndTheNextFrameDrawn)
{
    OpenField();
    const TViewportRect main = InsetViewport(MainForm->State().Views().Viewports()[MainViewport], 3);
    const size_t drawn = PixelsOtherThan(ViewPixels(main), 0);
    ASSERT_GT(drawn, 1000u);
    // Another level asks for a rebuild, which needs memory that is not there: the paint ends in
    // an exception. (The handler runs here, so that no tick draws the level before the limit.)
    const uint8_t shown = MainForm->State().Session().Image()->Resolution();
    MainForm->MenuEditRes[shown == 0 ? 1 : 0]->Click();
    {
        const TMemoryLimit none = TMemoryLimit::Bytes(0);
        EXPECT_THROW(MainForm->TimerPaintTimer(MainForm->TimerPaint), std::bad_alloc);
    }
    EXPECT_TRUE(MainForm->TimerPaint->Enabled());
    EXPECT_EQ(Screen->Cursor(), crDefault) << "the hourglass of the failed rebuild stayed";
    // The next request (the level shown before) draws the surface again, through the timer.
    MainForm->MenuEditRes[shown]->Click();
    ASSERT_TRUE(WaitForFrame());
    ASSERT_TRUE(DrawFrame());
    EXPECT_GT(PixelsOtherThan(ViewPixels(main), 0), drawn * 9 / 10);
}

TEST_F(MainRoadTest, APaintThatOutlastsTheIntervalIsFollowedByTheNextTickAtOnce)
{
    OpenField();
    // The thread is held for longer than the timer's interval, as a slow paint holds it; the
    // tick that came due meanwhile must still be there after the paint, not put off by
    // another whole interval (which would add the interval to every slow frame).
    MainForm->RequestRepaint();
    Sleep(MainForm->TimerPaint->Interval() * 2);
    MainForm->TimerPaintTimer(MainForm->TimerPaint);
    ASSERT_FALSE(MainForm->State().Views().RepaintPending());
    EXPECT_TRUE(MainForm->TimerPaint->Enabled());
    // Only the ticks already due are handled here: the next frame is drawn by one of them.
    MainForm->RequestRepaint();
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
        DispatchMessageW(&m);
    EXPECT_FALSE(MainForm->State().Views().RepaintPending());
}

TEST_F(MainRoadTest, PaintsAnsweredDuringALongBuildAskForNoFrameAfterTheOneTheBuildOwes)
{
    const std::u16string hill = Root + u"hill600.dmo";
    ASSERT_TRUE(WriteSquareScanFile(hill, 600));
    ASSERT_TRUE(Start());
    MainForm->OpenFile(hill);
    ASSERT_TRUE(WaitForFrame());
    ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));

    // Every tick is watched: one that comes while a frame is drawn is answered by the build, and
    // makes the window and its drawing area to be painted again; one that comes outside a frame
    // with a repaint asked for draws the next frame.
    int frames = 0, paintsDuringBuild = 0, depth = 0;
    const TNotifyEvent paint = MainForm->TimerPaint->OnTimer;
    MainForm->TimerPaint->OnTimer = [&](TObject* Sender) {
        if (depth > 0) {
            RedrawWindow(MainForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            ++paintsDuringBuild;
            return;
        }
        frames += MainForm->State().Views().RepaintPending() ? 1 : 0;
        ++depth;
        paint(Sender);
        --depth;
    };
    l3d::testing::PressKey('2');
    ASSERT_EQ(MainForm->State().Session().Image()->Resolution(), 1);
    ASSERT_TRUE(WaitForFrame());
    // A tick of the paint timer after the frame: one that the paints had asked for is drawn.
    const TimerWitness witness(int(MainForm->TimerPaint->Interval()));
    ASSERT_TRUE(PumpUntil(witness.Ticked(2)));
    MainForm->TimerPaint->OnTimer = paint;
    ASSERT_GT(paintsDuringBuild, 0) << "the build answered the window";
    EXPECT_EQ(frames, 1) << "the frame after the build shows what the paints meanwhile asked for";
    EXPECT_FALSE(MainForm->State().Views().RepaintPending());
    EXPECT_GT(PixelsOtherThan(ViewPixels(MainViewInside()), 0), 1000u);
}
