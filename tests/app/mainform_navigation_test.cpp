// Moving the views of the real main window with posted mouse and key messages: drags with the
// axis switches, the wheel, a small view made active and copied by a double click, the zoom
// box and its menu, the view presets, the navigator's repeating buttons and the keys; and with
// real key strokes and clicks where they take their own road (menus, Ctrl+Alt, Ctrl+R).
#include "mainroad_support.h"

#include "app/ViewLayout.h"
#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "support/real_input.h"

#include <cmath>
#include <cstring>
#include <vector>

using namespace mainroad;

namespace {

class NavigationTest : public ProgramTest {
protected:
    const TViewState& View(size_t Slot) { return MainForm->State().Views().States()[Slot]; }
    const TViewportRect& Port(size_t Index) { return MainForm->State().Views().Viewports()[Index]; }
};

bool SameView(const TViewState& A, const TViewState& B)
{
    return std::memcmp(&A, &B, sizeof A) == 0;
}

}  // namespace

TEST_F(NavigationTest, ALeftDragTurnsTheMainViewAboutTheAxesSwitchedOnAndARightDragMovesIt)
{
    StartWithExample(u"Field with metal object.dmo");
    ASSERT_TRUE(MainForm->AxisX->Down());
    ASSERT_FALSE(MainForm->AxisY->Down());
    ASSERT_TRUE(MainForm->AxisZ->Down());
    const TVector4 start = View(0).Rotation;
    // 10 pixels right and 10 down: dx = dy = -10, ten degrees on X and Z.
    {
        const TPaintTimerPause held(MainForm->TimerPaint);
        Drag(MK_LBUTTON, 10, 10, Port(MainViewport));
        EXPECT_EQ(View(0).Rotation.X, start.X + 10.0f);
        EXPECT_EQ(View(0).Rotation.Y, start.Y);
        EXPECT_EQ(View(0).Rotation.Z, start.Z + 10.0f);
        EXPECT_TRUE(MainForm->State().Views().RepaintPending());
    }
    ASSERT_TRUE(WaitForFrame());

    // All switches up: a drag turns nothing, and still repaints.
    MainForm->AxisX->Click();
    MainForm->AxisZ->Click();
    EXPECT_EQ(MainForm->State().Session().Image()->AxisX, 0);
    EXPECT_EQ(MainForm->State().Session().Image()->AxisZ, 0);
    ASSERT_TRUE(WaitForFrame());
    const TViewState before = View(0);
    {
        const TPaintTimerPause held(MainForm->TimerPaint);
        Drag(MK_LBUTTON, 30, -7, Port(MainViewport));
        EXPECT_TRUE(SameView(View(0), before));
        EXPECT_TRUE(MainForm->State().Views().RepaintPending());
    }

    // The right button moves the main view: x by the horizontal, y against the vertical.
    Drag(MK_RBUTTON, -6, 4, Port(MainViewport));
    EXPECT_EQ(View(0).Translation.X, before.Translation.X + 6.0f);
    EXPECT_EQ(View(0).Translation.Y, before.Translation.Y + 4.0f);
}

TEST_F(NavigationTest, TheWheelZoomsTheActiveViewAndASmallViewIsCopiedByADoubleClick)
{
    StartWithExample(u"Field with metal object.dmo");
    const POINT main = CentreOf(Port(MainViewport));
    PostMouse(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), main.x, main.y);
    EXPECT_FLOAT_EQ(View(0).Scale.X, 1.0f / 1.25f);
    EXPECT_FLOAT_EQ(View(0).Scale.Y, 1.0f / 1.25f);
    EXPECT_EQ(View(0).Scale.Z, 1.0f);
    PostMouse(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), main.x, main.y);
    EXPECT_FLOAT_EQ(View(0).Scale.X, 1.0f);
    // With the soil box focused the wheel still zooms, and leaves the soil alone.
    MainForm->ComboBoxSoil->SetFocus();
    const int soil = MainForm->ComboBoxSoil->ItemIndex();
    PostMessageW(MainForm->ComboBoxSoil->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(main.x, main.y));
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_FLOAT_EQ(View(0).Scale.X, 1.0f / 1.25f);
    EXPECT_EQ(MainForm->ComboBoxSoil->ItemIndex(), soil);
    PostMouse(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), main.x, main.y);

    // The front view (upper right) becomes active; a left drag there turns it about Z.
    const float frontZ = View(2).Rotation.Z;
    Drag(MK_LBUTTON, 4, 0, Port(TopRightViewport));
    EXPECT_EQ(MainForm->State().Views().ActiveView(), 3);
    EXPECT_EQ(View(2).Rotation.Z, frontZ - 2.0f);
    // The wheel now zooms the front view.
    PostMouse(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), main.x, main.y);
    EXPECT_FLOAT_EQ(View(2).Scale.X, 1.0f / 1.25f);
    EXPECT_EQ(View(0).Scale.X, 1.0f);

    // A double click there copies its whole view into the main view.
    const POINT front = CentreOf(Port(TopRightViewport));
    PostMouse(WM_LBUTTONDOWN, MK_LBUTTON, front.x, front.y);
    PostMouse(WM_LBUTTONUP, 0, front.x, front.y);
    PostMouse(WM_LBUTTONDBLCLK, MK_LBUTTON, front.x, front.y);
    PostMouse(WM_LBUTTONUP, 0, front.x, front.y);
    EXPECT_TRUE(SameView(View(0), View(2)));

    // In the main view (turned, so that it differs) a double click copies nothing.
    Drag(MK_LBUTTON, 6, 6, Port(MainViewport));
    const TViewState own = View(0);
    PostMouse(WM_LBUTTONDOWN, MK_LBUTTON, main.x, main.y);
    PostMouse(WM_LBUTTONUP, 0, main.x, main.y);
    PostMouse(WM_LBUTTONDBLCLK, MK_LBUTTON, main.x, main.y);
    PostMouse(WM_LBUTTONUP, 0, main.x, main.y);
    EXPECT_EQ(MainForm->State().Views().ActiveView(), 0);
    EXPECT_TRUE(SameView(View(0), own));
    ASSERT_TRUE(WaitForFrame());
}

TEST_F(NavigationTest, ZoomItemsPresetsAndResetSetTheViewsAndTheZoomBoxSwallowsTyping)
{
    StartWithExample(u"Field with metal object.dmo");
    RunCommand(MainForm->ImageZoom[5]);  // 400 %
    EXPECT_EQ(MainForm->ComboBoxZoom->ItemIndex(), 5);
    EXPECT_EQ(View(0).Scale.X, 0.25f);
    EXPECT_EQ(View(0).Scale.Y, 0.25f);
    // Typing in the box changes nothing.
    uint16_t key = '8';
    MainForm->ComboBoxZoom->OnKeyDown(MainForm->ComboBoxZoom, key, 0);
    EXPECT_EQ(key, 0);
    char16_t typed = u'8';
    MainForm->ComboBoxZoom->OnKeyPress(MainForm->ComboBoxZoom, typed);
    EXPECT_EQ(typed, 0);

    MainForm->SpeedButton[4]->Click();  // SpeedButton5 moves the view
    ASSERT_EQ(View(0).Translation.X, 1.0f);
    PostKey(VK_F2, true);  // View > Front view
    EXPECT_EQ(View(0).Rotation.X, -90.0f);
    EXPECT_EQ(View(0).Translation.X, 0.0f);
    EXPECT_EQ(View(0).Scale.X, 0.25f);  // the zoom stays
    PostKey(VK_F1, true);  // View > Perspective view
    EXPECT_EQ(View(0).Rotation.X, -45.0f);
    EXPECT_EQ(View(0).Rotation.Z, -45.0f);
    PostKey(VK_F3, true);  // View > Top view
    EXPECT_EQ(View(0).Rotation.X, 0.0f);

    Drag(MK_LBUTTON, 5, 5, Port(BottomRightViewport));  // turns the perspective view
    ASSERT_NE(View(3).Rotation.Z, -45.0f);
    ASSERT_TRUE(WaitForFrame());
    PostKey(VK_F7);  // the upper colour limit a step down
    ASSERT_LT(MainForm->State().Colors()->UpperLimit, 95.0f);
    PostKey('R', true);  // View > Reset
    EXPECT_EQ(View(3).Rotation.Z, -45.0f);
    EXPECT_EQ(View(0).Scale.X, 1.0f);
    EXPECT_TRUE(SameView(View(0), View(1)));
    EXPECT_EQ(MainForm->State().Colors()->UpperLimit, 95.0f);
    ASSERT_TRUE(WaitForFrame());
}

TEST_F(NavigationTest, TheZoomChosenFromTheMenuOrTheBoxIsTheOneTheMenuTicks)
{
    StartWithExample(u"Field with metal object.dmo");
    const HWND window = MainForm->Handle();
    ASSERT_TRUE(l3d::testing::BringToFront(window));
    ASSERT_TRUE(MainForm->ImageZoom[2]->Checked());  // 100 %
    const std::vector<RECT> menus = l3d::testing::ChooseFromMenuBar(window, {u"View", u"Zoom", u"400 %"});
    EXPECT_EQ(menus.size(), 2u);
    EXPECT_EQ(View(0).Scale.X, 0.25f);
    EXPECT_TRUE(MainForm->ImageZoom[5]->Checked());
    EXPECT_FALSE(MainForm->ImageZoom[2]->Checked());

    // The box: a click opens its list, a click on "150 %" chooses it.
    TElComboBox* box = MainForm->ComboBoxZoom;
    l3d::testing::ClickAt(box->Handle(), {box->Width() / 2, box->Height() / 2});
    ASSERT_TRUE(box->DroppedDown());
    COMBOBOXINFO info{sizeof info};
    ASSERT_TRUE(SendMessageW(box->Handle(), CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)));
    RECT item{};
    ASSERT_NE(SendMessageW(info.hwndList, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    l3d::testing::ClickAt(info.hwndList, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    EXPECT_EQ(box->ItemIndex(), 3);
    EXPECT_FLOAT_EQ(View(0).Scale.X, 100.0f / 150.0f);
    EXPECT_TRUE(MainForm->ImageZoom[3]->Checked());
    EXPECT_FALSE(MainForm->ImageZoom[5]->Checked());
    ASSERT_TRUE(WaitForFrame());
}

TEST_F(NavigationTest, OneResetPutsBothColourLimitsAndThePictureBack)
{
    StartWithExample(u"Field with metal object.dmo");
    ASSERT_TRUE(l3d::testing::BringToFront(MainForm->Handle()));
    const TViewportRect& main = Port(MainViewport);
    const l3d::testing::Pixels start = ViewPixels(main);
    // F7 lowers the upper limit, F6 raises the lower one; each step is drawn before the next.
    l3d::testing::PressKey(VK_F7);
    ASSERT_TRUE(WaitForFrame());
    l3d::testing::PressKey(VK_F6);
    ASSERT_TRUE(WaitForFrame());
    ASSERT_NE(MainForm->State().Colors()->UpperLimit, 95.0f);
    ASSERT_NE(MainForm->State().Colors()->LowerLimit, 5.0f);
    ASSERT_NE(ViewPixels(main).data, start.data);

    l3d::testing::PressKey('R', {VK_CONTROL});
    EXPECT_EQ(MainForm->State().Colors()->UpperLimit, 95.0f);
    EXPECT_EQ(MainForm->State().Colors()->LowerLimit, 5.0f);
    ASSERT_TRUE(WaitForFrame());
    EXPECT_EQ(ViewPixels(main).data, start.data);
}

TEST_F(NavigationTest, AHeldNavigatorButtonRepeatsItsStepUntilReleased)
{
    StartWithExample(u"Field with metal object.dmo");
    TElGraphicButton* zoomIn = MainForm->SpeedButton[12];  // SpeedButton13
    const HWND button = zoomIn->Handle();
    const POINT at{zoomIn->Width() / 2, zoomIn->Height() / 2};
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    // Each tick of the repeat zooms once more: wait for three.
    const float three = 1.0f / (1.25f * 1.25f * 1.25f);
    ASSERT_TRUE(PumpUntil([&] { return View(0).Scale.X <= three * 1.001f; }));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_FALSE(MainForm->TimerButtonDown->Enabled());
    const float released = View(0).Scale.X;
    // Two repeat intervals later nothing more has happened.
    TimerWitness witness(110);
    ASSERT_TRUE(PumpUntil(witness.Ticked(2)));
    EXPECT_EQ(View(0).Scale.X, released);

    // A click turns once: 358 + 3 wraps to 1; -1 - 3 keeps its sign. From the top view (no
    // turn), a drag by d pixels right and down turns by -d.
    PostKey(VK_F3, true);
    Drag(MK_LBUTTON, 358, 358, Port(MainViewport));
    ASSERT_EQ(View(0).Rotation.X, 358.0f);
    MainForm->SpeedButton[1]->Click();  // SpeedButton2
    EXPECT_EQ(View(0).Rotation.X, 1.0f);
    PostKey(VK_F3, true);
    Drag(MK_LBUTTON, -1, -1, Port(MainViewport));
    ASSERT_EQ(View(0).Rotation.X, -1.0f);
    MainForm->SpeedButton[3]->Click();  // SpeedButton4
    EXPECT_EQ(View(0).Rotation.X, -4.0f);
}

TEST_F(NavigationTest, KeysReachTheViewsWhereverTheStartAndTheSoilBoxLeaveTheFocus)
{
    // Real keys go to the window with the focus, which need not be the main window.
    auto pressOnFocus = [](uint16_t Key) {
        const HWND focus = GetFocus();
        ASSERT_NE(focus, nullptr);
        PostMessageW(focus, WM_KEYDOWN, Key, 1);
        ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
        PostMessageW(GetFocus(), WM_KEYUP, Key, 1 | (3u << 30));
        ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    };
    StartWithExample(u"Field with metal object.dmo");
    TScanData& scan = *MainForm->State().Session().Scan();
    TElComboBox* soil = MainForm->ComboBoxSoil;
    const int32_t soilIndex = soil->ItemIndex();
    scan.SelectPoint(nullptr);
    TScanPoint* first = scan.FirstPoint();
    scan.SelectPoint(first);
    TScanPoint* expected = scan.GetNextLinePoint(1);
    scan.SelectPoint(nullptr);
    pressOnFocus(VK_UP);
    EXPECT_EQ(scan.Selected, expected);

    // With the soil box focused, arrows and digits still act on the view, not on the box.
    for (const uint16_t key : {uint16_t{VK_DOWN}, uint16_t{'3'}}) {
        soil->SetFocus();
        ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
        ASSERT_EQ(GetFocus(), soil->Handle());
        pressOnFocus(key);
        EXPECT_EQ(soil->ItemIndex(), soilIndex);
        EXPECT_EQ(GetFocus(), MainForm->Handle());
    }
    EXPECT_EQ(scan.Selected, first);
    EXPECT_TRUE(MainForm->MenuEditRes[2]->Checked());
    ASSERT_TRUE(WaitForFrame());
}

TEST_F(NavigationTest, ArrowKeysWalkTheCrossHairAndPageKeysTheDepthOfOwnScansOnly)
{
    StartWithExample(u"Field with metal object.dmo");
    TScanData& scan = *MainForm->State().Session().Scan();
    scan.SelectPoint(nullptr);
    // Ctrl+Up without a selection: the first point, then ten lines on.
    TScanPoint* first = scan.FirstPoint();
    scan.SelectPoint(first);
    TScanPoint* expected = scan.GetNextLinePoint(10);
    scan.SelectPoint(nullptr);
    {
        const TPaintTimerPause held(MainForm->TimerPaint);
        PostKey(VK_UP, true);
        EXPECT_EQ(scan.Selected, expected);
        EXPECT_EQ(MainForm->State().Session().Image()->CrossHairActive(), 1);
        EXPECT_TRUE(MainForm->State().Views().RepaintPending());
    }
    TScanPoint* next = scan.GetNextPoint(1);
    PostKey(VK_LEFT);
    EXPECT_EQ(scan.Selected, next);
    // Ctrl+Alt+Up, typed: twenty lines on at once.
    TScanPoint* const twenty = scan.GetNextLinePoint(20);
    ASSERT_NE(twenty, scan.GetNextLinePoint(10));
    ASSERT_TRUE(l3d::testing::BringToFront(MainForm->Handle()));
    l3d::testing::PressKey(VK_UP, {VK_CONTROL, VK_MENU});
    EXPECT_EQ(scan.Selected, twenty);

    // PageUp moves the level plane on a scan of the program's own kind.
    const float level = scan.Level;
    PostKey(VK_NEXT);
    EXPECT_NE(scan.Level, level);
    EXPECT_EQ(MainForm->State().Session().Image()->LevelPlaneActive(), 1);
    ASSERT_TRUE(WaitForFrame());

    // F4 turns the smooth surface off and on; F8 raises the upper colour limit by its step.
    PostKey(VK_F4);
    EXPECT_EQ(MainForm->State().Session().Image()->Smooth(), 0);
    PostKey(VK_F4);
    EXPECT_EQ(MainForm->State().Session().Image()->Smooth(), 1);
    ASSERT_TRUE(WaitForFrame());
    const float upper = MainForm->State().Colors()->UpperLimit;
    PostKey(VK_F7);
    EXPECT_EQ(MainForm->State().Colors()->UpperLimit, upper - GlobalSettings.ColorLimitStep);

    // Ctrl+X halves every value, keeps the missing readings missing, and can be undone.
    std::vector<float> values;
    for (TScanPoint* p = scan.FirstPoint(); p; p = scan.NextPoint())
        values.push_back(p->Value);
    PostKey('X', true);
    size_t i = 0, missing = 0;
    for (TScanPoint* p = scan.FirstPoint(); p; p = scan.NextPoint(), ++i) {
        if (std::isnan(values[i])) {
            EXPECT_TRUE(std::isnan(p->Value));
            ++missing;
        } else {
            EXPECT_EQ(p->Value, std::trunc(std::nearbyint(values[i]) / 2));
        }
    }
    EXPECT_EQ(missing, 5u);
    EXPECT_TRUE(MainForm->State().Session().Edited());
    EXPECT_TRUE(MainForm->ToolButtonUndo->Enabled());
    ASSERT_TRUE(WaitForFrame());

    // On a Tarnwell scan the depth keys do nothing.
    MainForm->OpenFile(ExamplesFolder() + u"Tarnwell sample.dmo");
    ASSERT_EQ(MainForm->State().Session().Magic(), "DMO.TNW.01");
    TScanData& tarnwell = *MainForm->State().Session().Scan();
    const float tarnwellLevel = tarnwell.Level;
    PostKey(VK_NEXT);
    PostKey(VK_PRIOR);
    EXPECT_EQ(tarnwell.Level, tarnwellLevel);
    ASSERT_TRUE(WaitForFrame());
}
