// A scan too large for a display list of every point, on the real main window under Wine: it
// opens and is drawn from every second point with a notice in the status bar, without running
// out of memory; while its list builds the window paints, shows the hourglass and the share
// built, and an Alt+F4 typed meanwhile is taken once the build is done.
#include "mainroad_support.h"

#include "app/BusyWork.h"
#include "scan/render/_TScanImage.h"

#include "support/real_input.h"

#include "framework/Screen.h"
#include "framework/StrConv.h"

using namespace mainroad;

namespace {

// What the program answered while it built the list, and the close commands it got.
struct TBuildWatch {
    int PaintsAnswered = 0;
    bool HourGlassShown = false;
    std::u16string BusyText;
    bool AltF4Typed = false;
    int CloseCommands = 0;
    int CloseCommandsDuringBuild = 0;
};
TBuildWatch watch;

// Sees every message the program takes from its queue: paints taken during the build (the
// first of them types Alt+F4), and close commands, which it takes out so that the window stays.
LRESULT CALLBACK WatchMessages(int Code, WPARAM W, LPARAM L)
{
    auto* m = reinterpret_cast<MSG*>(L);
    if (Code == HC_ACTION && W == PM_REMOVE) {
        if (BusyWorkRunning() && m->message == WM_PAINT) {
            ++watch.PaintsAnswered;
            watch.HourGlassShown = watch.HourGlassShown || Screen->Cursor() == crHourGlass;
            watch.BusyText = MainForm->StatusBar->Panels(4)->Text();
            if (!watch.AltF4Typed) {
                watch.AltF4Typed = true;
                l3d::testing::SendKeyNow(VK_F4, {VK_MENU});
            }
        }
        if (m->message == WM_SYSCOMMAND && (m->wParam & 0xFFF0) == SC_CLOSE) {
            ++watch.CloseCommands;
            watch.CloseCommandsDuringBuild += BusyWorkRunning() ? 1 : 0;
            m->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, Code, W, L);
}

class LargeScanTest : public ProgramTest {};

}  // namespace

TEST_F(LargeScanTest, A3000By3000ScanIsDrawnFromEverySecondPointAndTheWindowKeepsAnsweringMeanwhile)
{
    const std::u16string path = Root + u"large.dmo";
    ASSERT_TRUE(WriteSquareScanFile(path, 3000));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForFrame());
    ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));
    watch = TBuildWatch{};
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, WatchMessages, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);

    MainForm->OpenFile(path);
    ASSERT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
    TScanImage& image = *MainForm->State().Session().Image();
    // The load, the build and the first frame of four views take a while on a loaded machine.
    EXPECT_TRUE(PumpUntil([&] { return image.Rebuild == 0 && !MainForm->State().Views().RepaintPending(); }, 600000))
        << "the first frame";
    EXPECT_TRUE(PumpUntil([] { return watch.CloseCommands > 0; }, 120000)) << "the Alt+F4 typed during the build";
    UnhookWindowsHookEx(hook);

    EXPECT_TRUE(ErrorBoxes.empty()) << WideToUtf8(ErrorBoxes.empty() ? u"" : ErrorBoxes[0]);
    EXPECT_EQ(image.BuiltStep(), 2u);
    EXPECT_EQ(image.BuiltResolution(), 0);
    const TViewportRect main = InsetViewport(MainForm->State().Views().Viewports()[MainViewport], 3);
    EXPECT_GT(PixelsOtherThan(ViewPixels(main), 0), size_t(main.Width) * main.Height / 10) << "the surface is drawn";
    const std::u16string notice = MainForm->StatusBar->Panels(4)->Text();
    EXPECT_NE(notice.find(u"one point in 2 in each direction"), std::u16string::npos) << WideToUtf8(notice);

    EXPECT_GT(watch.PaintsAnswered, 0) << "the window painted during the build";
    EXPECT_TRUE(watch.HourGlassShown);
    EXPECT_NE(watch.BusyText.find(u"Building the surface"), std::u16string::npos) << WideToUtf8(watch.BusyText);
    EXPECT_TRUE(watch.AltF4Typed);
    EXPECT_EQ(watch.CloseCommandsDuringBuild, 0) << "nothing but paints is taken during the build";
    EXPECT_EQ(Screen->Cursor(), crDefault);

    // The cursor set back after the hourglass moves the mouse by nothing: such a move asks for
    // no frame (one would take seconds here).
    {
        const TPaintTimerPause paused(MainForm->TimerPaint);
        const POINT at{MainForm->State().MouseLast().X, MainForm->State().MouseLast().Y};
        PostMouse(WM_MOUSEMOVE, 0, at.x, at.y);
        EXPECT_FALSE(MainForm->State().Views().RepaintPending());
    }
}
