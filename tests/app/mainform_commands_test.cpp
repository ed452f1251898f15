// The edit and display commands and the window's own commands on the running program, each
// reached the way a user reaches it: its menu item, its short-cut key, its tool button.
#include "mainform_commands_fixture.h"

#include "app/AppGlyphs.h"
#include "app/ExportChoice.h"
#include "app/dlg_info.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "support/gui_test.h"
#include "support/real_input.h"
#include "widgets/el/menus/el_screenshot.h"
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <windows.h>

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Each point's value, drawn value and invalid flag, in row order, bit for bit.
struct TPointState {
    uint32_t Value;
    uint32_t DisplayValue;
    uint8_t Invalid;
    bool operator==(const TPointState&) const = default;
};

std::vector<TPointState> PointStates(TScanData& Scan)
{
    std::vector<TPointState> states;
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
        states.push_back({std::bit_cast<uint32_t>(p->Value), std::bit_cast<uint32_t>(p->DisplayValue), p->Invalid});
    return states;
}

int InvalidCount(TScanData& Scan)
{
    int n = 0;
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
        n += p->Invalid != 0;
    return n;
}

// The stops of a colour group and whether each is enabled.
std::vector<bool> EnabledOfGroup(const TColorManager& Colors, TColor Group)
{
    std::vector<bool> enabled;
    for (const TColorStop& s : Colors.Stops)
        if (ColorGroupOf(s.R, s.G, s.B) == Group)
            enabled.push_back(s.Enabled != 0);
    return enabled;
}

// The field example with its first third of readings far below the rest: the mean, where the
// threshold stop is sorted in, then lies among the green stops, above the blue ones.
TExampleScan FieldWithALowThird()
{
    TExampleScan example = MakeFieldExample();
    const size_t third = example.Source.Records.size() / 3;
    for (size_t i = 0; i < third; ++i)
        example.Source.Records[i].Value -= 100.0f;
    return example;
}

// The threshold stop stands above the last blue stop: the stops below it move at each
// rebuild, so a blue band could take another's Enabled there.
bool ThresholdAboveTheBlueStops(const TColorManager& Colors)
{
    const TColorStop& t = Colors.Stops[Colors.ThresholdIndex];
    return ColorGroupOf(t.R, t.G, t.B) != ColorGroupBlue && Colors.ThresholdIndex > 0;
}

}  // namespace

TEST_F(CommandsTest, EachResolutionLevelChecksItsItemAndPutsItsButtonDown)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    auto expectLevel = [&](size_t level) {
        EXPECT_EQ(MainForm->State().Session().Image()->Resolution(), level);
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(MainForm->MenuEditRes[i]->Checked(), i == level) << i;
            EXPECT_EQ(MainForm->ToolButtonRes[i]->Down(), i == level) << i;
        }
    };
    expectLevel(0);
    mainroad::RunCommand(MainForm->MenuEditRes[3]);
    expectLevel(3);
    mainroad::ClickButton(MainForm->ToolButtonRes[1]);
    expectLevel(1);
    mainroad::PostKey('3');
    expectLevel(2);
    ASSERT_TRUE(mainroad::WaitForFrame());
    const TPaintTimerPause held(MainForm->TimerPaint);
    ASSERT_FALSE(MainForm->State().Views().RepaintPending());
    mainroad::RunCommand(MainForm->MenuEditRes[4]);
    expectLevel(4);
    EXPECT_TRUE(MainForm->State().Views().RepaintPending());
}

TEST_F(CommandsTest, WithoutAScanItsKeysDoNothingAndTheNextScanOpensAtTheFirstLevel)
{
    using namespace l3d::testing;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(BringToFront(MainForm->Handle()));
    TScanImage& image = *MainForm->State().Session().Image();
    const auto atLevel = [&](size_t Level) {
        return image.Resolution() == Level && MainForm->MenuEditRes[Level]->Checked() &&
               MainForm->ToolButtonRes[Level]->Down();
    };
    const uint8_t smooth = image.Smooth();
    // The level digits of the top row and of the numeric pad, and the smooth surface.
    PressKey('4');
    PressKey(VK_NUMPAD5);
    PressKey(VK_F4);
    EXPECT_TRUE(atLevel(0));
    EXPECT_EQ(image.Smooth(), smooth);

    ScanFile = Root + u"scan.dmo";
    WriteFileBytes(ScanFile, EncodeScanFile(MakeFieldExample().Source));
    MainForm->OpenFile(ScanFile);
    EXPECT_TRUE(atLevel(0));
    // With a scan, the pad's digits choose the level as the top row's do.
    for (const size_t level : {3, 0, 4, 1, 2}) {
        PressKey(WORD(VK_NUMPAD1 + level));
        EXPECT_TRUE(atLevel(level)) << "pad digit " << level + 1;
    }
}

TEST_F(CommandsTest, WireframeAndCrossHairsToggleFromMenuKeyAndToolButton)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    TScanImage& image = *MainForm->State().Session().Image();
    auto wireframe = [&](bool on) {
        EXPECT_EQ(MainForm->MenuViewWireframe->Checked(), on);
        EXPECT_EQ(image.Wireframe(), on ? 1 : 0);
        EXPECT_EQ(MainForm->ToolButtonWireframe->Down(), on);
    };
    wireframe(false);
    mainroad::PostKey(VK_F3);
    wireframe(true);
    mainroad::ClickButton(MainForm->ToolButtonWireframe);
    wireframe(false);
    mainroad::ClickButton(MainForm->ToolButtonWireframe);
    wireframe(true);
    mainroad::RunCommand(MainForm->MenuViewWireframe);
    wireframe(false);

    EXPECT_TRUE(MainForm->MenuViewCrossHairs->Checked());
    EXPECT_EQ(image.CursorLines, 1);
    mainroad::PostKey(VK_F2);
    EXPECT_FALSE(MainForm->MenuViewCrossHairs->Checked());
    EXPECT_EQ(image.CursorLines, 0);
    mainroad::RunCommand(MainForm->MenuViewCrossHairs);
    EXPECT_TRUE(MainForm->MenuViewCrossHairs->Checked());
    EXPECT_EQ(image.CursorLines, 1);
}

TEST_F(CommandsTest, AHiddenColourBandStaysHiddenWhenTheStopsAreRebuilt)
{
    ASSERT_TRUE(StartWithScan(FieldWithALowThird()));
    const TPaintTimerPause held(MainForm->TimerPaint);
    TColorManager& colors = *MainForm->State().Colors();
    ASSERT_TRUE(ThresholdAboveTheBlueStops(colors));
    mainroad::ClickButton(MainForm->ToolButtonCPBlue);
    EXPECT_FALSE(MainForm->ToolButtonCPBlue->Down());
    EXPECT_EQ(MainForm->State().Session().Image()->Rebuild, 1);
    auto expectOnlyBlueHidden = [&] {
        const std::vector<bool> blue = EnabledOfGroup(colors, ColorGroupBlue);
        ASSERT_FALSE(blue.empty());
        EXPECT_EQ(blue, std::vector<bool>(blue.size(), false));
        for (TColor group : {ColorGroupRed, ColorGroupGreen, ColorGroupNone}) {
            const std::vector<bool> others = EnabledOfGroup(colors, group);
            EXPECT_EQ(others, std::vector<bool>(others.size(), true)) << group;
        }
    };
    expectOnlyBlueHidden();
    // Each new set of statistics rebuilds the stops and moves the threshold stop among them.
    for (int i = 0; i < 3; ++i) {
        MainForm->State().Session().Scan()->RecomputeStatistics();
        expectOnlyBlueHidden();
    }

    mainroad::ClickButton(MainForm->ToolButtonCPRed);
    mainroad::ClickButton(MainForm->ToolButtonCPBlue);
    const std::vector<bool> red = EnabledOfGroup(colors, ColorGroupRed);
    EXPECT_EQ(red, std::vector<bool>(red.size(), false));
    const std::vector<bool> blue = EnabledOfGroup(colors, ColorGroupBlue);
    EXPECT_EQ(blue, std::vector<bool>(blue.size(), true));
}

TEST_F(CommandsTest, UndoBringsBackEveryPointAsOpenedAndOnlyAfterAnEdit)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    const TPaintTimerPause held(MainForm->TimerPaint);
    TScanData& scan = *MainForm->State().Session().Scan();
    ASSERT_GT(InvalidCount(scan), 0);
    const std::vector<TPointState> opened = PointStates(scan);
    const float openedMax = scan.MaxValue;

    // Filling the dummy values is no edit that Undo takes back: without an edit Undo does
    // nothing, however the values came to differ.
    mainroad::RunCommand(MainForm->MenuEdit_RemoveDummy);
    EXPECT_EQ(InvalidCount(scan), 0);
    EXPECT_FALSE(MainForm->State().Session().Edited());
    MainForm->MenuEditResetClick(nullptr);
    EXPECT_NE(PointStates(scan), opened);

    // An edit (Ctrl+X halves every value), then Undo.
    mainroad::PostKey('X', true);
    EXPECT_TRUE(MainForm->State().Session().Edited());
    ASSERT_TRUE(MainForm->ToolButtonUndo->Enabled());
    MainForm->TimerPaintTimer(MainForm->TimerPaint);  // the edit's frame: the surface is built
    ASSERT_EQ(MainForm->State().Session().Image()->Rebuild, 0);
    mainroad::ClickButton(MainForm->ToolButtonUndo);
    EXPECT_EQ(PointStates(scan), opened);
    EXPECT_EQ(scan.MaxValue, openedMax);
    EXPECT_EQ(MainForm->State().Session().Image()->Rebuild, 1);
    EXPECT_FALSE(MainForm->ToolButtonUndo->Enabled());
    EXPECT_FALSE(MainForm->MenuEditReset->Enabled());
    EXPECT_TRUE(MainForm->State().Session().Edited());

    // From the menu as well, after another edit.
    mainroad::PostKey('X', true);
    ASSERT_TRUE(MainForm->MenuEditReset->Enabled());
    mainroad::RunCommand(MainForm->MenuEditReset);
    EXPECT_EQ(PointStates(scan), opened);
}

TEST_F(CommandsTest, TheSoilChoiceSetsTheScansFactorAndTheBoxTakesNoKeys)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    ASSERT_GE(SoilTypes.size(), 2u);
    TElComboBox* soil = MainForm->ComboBoxSoil;
    soil->SetItemIndex(1);
    MainForm->ComboBoxSoilChange(soil);
    EXPECT_EQ(MainForm->State().Session().Scan()->SoilFactor, SoilTypes[1].Factor);

    // Out of the table: nothing changes.
    soil->SetItemIndex(-1);
    MainForm->ComboBoxSoilChange(soil);
    EXPECT_EQ(MainForm->State().Session().Scan()->SoilFactor, SoilTypes[1].Factor);

    soil->SetItemIndex(0);
    soil->SetFocus();
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    uint16_t down = VK_DOWN;
    MainForm->ComboBoxSoilKeyDown(soil, down, 0);
    EXPECT_EQ(down, 0);
    char16_t typed = u'x';
    MainForm->ComboBoxSoilKeyPress(soil, typed);
    EXPECT_EQ(typed, 0);
    EXPECT_EQ(GetFocus(), MainForm->Handle());
    // A real key on the box: the choice stays.
    soil->SetFocus();
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(GetFocus(), WM_KEYUP, VK_DOWN, 0xC0000001);
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_EQ(soil->ItemIndex(), 0);
    EXPECT_EQ(GetFocus(), MainForm->Handle());
}

namespace {

int closeCommands = 0;

// Counts the window-close commands posted to this thread's windows and takes them out, so that
// the window under test stays open.
LRESULT CALLBACK TakeCloseCommands(int Code, WPARAM W, LPARAM L)
{
    auto* m = reinterpret_cast<MSG*>(L);
    if (Code == HC_ACTION && W == PM_REMOVE && m->message == WM_SYSCOMMAND && (m->wParam & 0xFFF0) == SC_CLOSE) {
        ++closeCommands;
        m->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, Code, W, L);
}

}  // namespace

// The zoom box has the focus when the window opens and, like the soil box, swallows its keys;
// Alt+F4 still closes the window from either.
TEST_F(CommandsTest, AltF4ClosesTheWindowFromTheBoxesThatSwallowTheirKeys)
{
    ASSERT_TRUE(StartWithScan(MakeFieldExample()));
    closeCommands = 0;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, TakeCloseCommands, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const LPARAM alt = 1 | (KF_ALTDOWN << 16);
    for (TElComboBox* box : {MainForm->ComboBoxZoom, MainForm->ComboBoxSoil}) {
        box->SetFocus();
        const int before = closeCommands;
        PostMessageW(box->Handle(), WM_SYSKEYDOWN, VK_DOWN, alt);
        PostMessageW(box->Handle(), WM_SYSKEYDOWN, VK_F4, alt);
        ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
        EXPECT_TRUE(PumpUntil([&] { return closeCommands == before + 1; })) << box->Name();
        EXPECT_FALSE(box->DroppedDown()) << "other keys are still swallowed";
    }
    UnhookWindowsHookEx(hook);
}

TEST_F(CommandsTest, HelpOpensTheFileOfTheActiveLanguageFromTheProgramFolder)
{
    // The user guides the build made.
    ASSERT_TRUE(ForceDirectories(ProgramDir + u"help"));
    for (const char16_t* guide : {u"help\\l3d-en.pdf", u"help\\l3d-de.pdf"}) {
        CopyProgramFile(guide);
        ASSERT_FALSE(ReadFileBytes(ProgramDir + guide).empty());
    }
    ASSERT_TRUE(Start());
    struct TCall {
        std::u16string File, Directory;
    };
    std::vector<TCall> calls;
    ShellExecuteSeam() = [&](const std::u16string&, const std::u16string& File, const std::u16string&,
                             const std::u16string& Directory, int) {
        calls.push_back({File, Directory});
        return intptr_t{42};
    };
    mainroad::PostKey(VK_F1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].File, ProgramDir + u"help\\l3d-en.pdf");
    EXPECT_EQ(calls[0].Directory, ProgramDir);

    LanguageManager->SetActiveLanguageName(u"de_DE");
    ASSERT_EQ(LanguageManager->ActiveLanguageName(), u"de_DE");
    mainroad::ClickButton(MainForm->ToolButtonHelp);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].File, ProgramDir + u"help\\l3d-de.pdf");

    // Without the file: a message naming it, and nothing opened.
    ASSERT_TRUE(FileDelete(ProgramDir + u"help\\l3d-de.pdf"));
    ErrorBoxes.clear();
    mainroad::RunCommand(MainForm->MenuHelpContents);
    EXPECT_EQ(calls.size(), 2u);
    ASSERT_EQ(ErrorBoxes.size(), 1u);
    EXPECT_EQ(ErrorBoxes[0], HelpMissingText(ProgramDir + u"help\\l3d-de.pdf"));
}

TEST_F(CommandsTest, ExitEndsTheProgramKeepingWhereTheInfoWindowStood)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(Dialog_Info, nullptr);
    Dialog_Info->SetBounds(123, 145, Dialog_Info->Width(), Dialog_Info->Height());
    Dialog_Info->Show();
    mainroad::RunCommand(MainForm->MenuFileExit);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(GlobalSettings.InfoWindowVisible, 1);
    EXPECT_EQ(GlobalSettings.InfoWindowLeft, 123);
    EXPECT_EQ(GlobalSettings.InfoWindowTop, 145);
}

TEST_F(CommandsTest, TheFirstStatusPanelShowsTheClosedPortPicture)
{
    ASSERT_TRUE(Start());
    const TGlyphPicture closed = GlyphPicture(TToolGlyph::PortClosed);
    const TGlyphPicture open = GlyphPicture(TToolGlyph::PortOpen);
    const RECT area{4, 1, 4 + closed.Width, 1 + closed.Height};
    const l3d::testing::Pixels shown = l3d::testing::ReadClientPixels(MainForm->StatusBar->Handle(), area);
    int matchesClosed = 0, opaque = 0, differFromOpen = 0;
    for (int y = 0; y < closed.Height; ++y)
        for (int x = 0; x < closed.Width; ++x) {
            const uint32_t c = closed.At(x, y);
            if ((c >> 24) != 0xFF)
                continue;
            ++opaque;
            matchesClosed += l3d::testing::ColorNear(shown.At(x, y), c & 0xFFFFFF);
            differFromOpen += !l3d::testing::ColorNear(shown.At(x, y), open.At(x, y) & 0xFFFFFF);
        }
    ASSERT_GT(opaque, 20);
    EXPECT_EQ(matchesClosed, opaque);
    EXPECT_GT(differFromOpen, 0);
}

TEST_F(CommandsTest, AHiddenBandsColoursAreAbsentFromTheDrawnScan)
{
    ASSERT_TRUE(StartWithScan(FieldWithALowThird()));
    TColorManager& colors = *MainForm->State().Colors();
    std::vector<uint32_t> blues;
    for (const TColorStop& s : colors.Stops)
        if (ColorGroupOf(s.R, s.G, s.B) == ColorGroupBlue)
            blues.push_back(uint32_t(s.R) << 16 | uint32_t(s.G) << 8 | s.B);
    auto bluePixels = [&] {
        const l3d::testing::Pixels p = mainroad::ViewPixels(MainForm->State().Views().Viewports()[MainViewport]);
        size_t n = 0;
        for (uint32_t c : p.data)
            n += std::find(blues.begin(), blues.end(), c & 0xFFFFFF) != blues.end();
        return n;
    };
    ASSERT_TRUE(ThresholdAboveTheBlueStops(colors));
    ASSERT_TRUE(mainroad::DrawFrame());
    const size_t shown = bluePixels();
    mainroad::ClickButton(MainForm->ToolButtonCPBlue);
    ASSERT_TRUE(mainroad::WaitForFrame());
    const size_t hidden = bluePixels();
    l3d::testing::SaveScreenshot(MainForm->Handle(), u"blue-bands-hidden.png");
    // New statistics rebuild the stops.
    mainroad::RunCommand(MainForm->MenuEdit_RemoveDummy);
    ASSERT_TRUE(mainroad::WaitForFrame());
    const size_t rebuilt = bluePixels();
    EXPECT_GT(shown, 1000u);
    EXPECT_EQ(hidden, 0u);
    EXPECT_EQ(rebuilt, 0u);
}
