// Large scans on the real main window under Wine. Each opens through File > Open and is drawn,
// from fewer points or at a lower level where the whole would not fit, with the notice in the
// status bar; levels 1 to 5 and back and the split screen twice follow, and the address space
// the rebuilds took is given back. A probe thread asks the window all the while whether it
// answers. During a build a menu opens and closes with its commands refused, and Alt+F4 ends
// the build and the program, which writes its settings. Allocations of the program's own that
// fail during a build leave a coarser surface drawn, or when nothing at all can be built an
// empty drawing area and one message.
#include "mainroad_support.h"

#include "app/BusyWork.h"
#include "scan/render/BatchPipeline.h"
#include "scan/render/_TScanImage.h"

#include "support/process_threads.h"
#include "support/real_input.h"

#include "framework/Application.h"
#include "framework/FileUtils.h"
#include "framework/MemoryStatus.h"
#include "framework/StrConv.h"

#include <atomic>
#include <new>
#include <thread>

using namespace mainroad;
using l3d::testing::ThreadsOfThisProcess;

namespace {

class LargeScanTest : public ProgramTest {
protected:
    // Opens Path through File > Open (the open dialog answering with it) and waits for the
    // frame drawn from it. The window is silent while the file manager reads the file: that
    // time is noted, so that the probe's figures can leave it out.
    void OpenThroughTheMenu(const std::u16string& Path)
    {
        FileDialogSeam() = [&](TFileDialogRequest& Request) {
            Request.FileName = Path;
            reading_.push_back({std::chrono::steady_clock::now(), {}});
            return true;
        };
        const TNotifyEvent paint = MainForm->TimerPaint->OnTimer;
        MainForm->TimerPaint->OnTimer = [&](TObject* Sender) {
            if (!reading_.empty() && reading_.back().second == std::chrono::steady_clock::time_point{})
                reading_.back().second = std::chrono::steady_clock::now();
            paint(Sender);
        };
        EXPECT_FALSE(l3d::testing::ChooseFromMenuBar(MainForm->Handle(), {u"File", MainForm->MenuFileOpen->Caption()}).empty());
        EXPECT_TRUE(WaitForFrame()) << WideToUtf8(Path);
        MainForm->TimerPaint->OnTimer = paint;
        ResetDialogSeams();
    }

    // The levels chosen by their keys, 1 to 5 and back to 1, and the split screen switched
    // twice (Ctrl+M), each followed by its frame.
    void LevelsUpAndDownAndSplitScreenTwice()
    {
        for (const char level : {'2', '3', '4', '5', '4', '3', '2', '1'}) {
            l3d::testing::PressKey(WORD(level));
            ASSERT_TRUE(WaitForFrame());
            EXPECT_EQ(MainForm->State().Session().Image()->Resolution(), level - '1');
        }
        for (int i = 0; i < 2; ++i) {
            l3d::testing::PressKey('M', {VK_CONTROL});
            ASSERT_TRUE(WaitForFrame());
        }
    }

    // The frame shows the surface, and the status bar says how much less than the whole it is.
    void ExpectSurfaceWithItsNotice(const char* What)
    {
        const TScanImage& image = *MainForm->State().Session().Image();
        const TViewportRect main = InsetViewport(MainForm->State().Views().Viewports()[MainViewport], 3);
        EXPECT_GT(PixelsOtherThan(ViewPixels(main), 0), size_t(main.Width) * main.Height / 10) << What;
        const std::u16string notice = MainForm->StatusBar->Panels(4)->Text();
        if (image.BuiltStep() > 1) {
            const std::u16string step = Utf8ToWide(std::to_string(image.BuiltStep()));
            EXPECT_NE(notice.find(u"one point in " + step + u" in each direction"), std::u16string::npos)
                << What << ": " << WideToUtf8(notice);
        } else if (image.BuiltResolution() < image.Resolution()) {
            EXPECT_NE(notice.find(u"Resolution level"), std::u16string::npos) << What << ": " << WideToUtf8(notice);
        }
        EXPECT_LE(image.BuiltTriangles(), SmoothTriangleBudget) << What;
    }

    // The waits longer than Ms of the probe that began outside the file reads.
    std::vector<double> WaitsOutsideReads(const TAnswerProbe& Probe, double Ms) const
    {
        std::vector<double> found;
        for (const TAnswerProbe::TWait& w : Probe.LongWaits()) {
            bool inRead = false;
            for (const auto& [begin, end] : reading_)
                inRead = inRead || (w.Sent + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                 std::chrono::duration<double, std::milli>(w.Ms)) >= begin &&
                                    (end == std::chrono::steady_clock::time_point{} || w.Sent <= end));
            if (!inRead && w.Ms > Ms)
                found.push_back(w.Ms);
        }
        return found;
    }

    std::vector<std::pair<std::chrono::steady_clock::time_point, std::chrono::steady_clock::time_point>> reading_;
};

// Keys as the keyboard gives them, from a thread that is not the window's.
void StrokeFromHelper(WORD Key, bool Alt = false)
{
    std::vector<INPUT> strokes;
    auto stroke = [&](WORD K, bool Up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = K;
        i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(K, MAPVK_VK_TO_VSC));
        i.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
        strokes.push_back(i);
    };
    if (Alt)
        stroke(VK_MENU, false);
    stroke(Key, false);
    stroke(Key, true);
    if (Alt)
        stroke(VK_MENU, true);
    SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
}

// Whether the item at Position of Menu shows greyed, as anyone may read it.
bool Greyed(HMENU Menu, int Position)
{
    return (GetMenuState(Menu, static_cast<UINT>(Position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) != 0;
}

// Waits on this (helper) thread until Done or MaxMs passed.
bool WaitFor(const std::function<bool()>& Done, int MaxMs = kPatienceMs)
{
    for (const DWORD start = GetTickCount(); !Done(); Sleep(5))
        if (GetTickCount() - start > DWORD(MaxMs))
            return false;
    return true;
}

// A visible menu window.
bool MenuShown()
{
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w))
            return true;
    return false;
}

}  // namespace

TEST_F(LargeScanTest, LargeScansOpenAndDrawWhileTheWindowAnswersAndAltF4DuringABuildEndsTheProgram)
{
    const std::u16string hill2000 = Root + u"hill2000.dmo", sawL3D = Root + u"saw.dmo", sawTNW = Root + u"sawtnw.dmo",
                         small = Root + u"small.dmo", hill3000 = Root + u"hill3000.dmo";
    ASSERT_TRUE(WriteSquareScanFile(hill2000, 2000));
    ASSERT_TRUE(WriteSquareScanFile(sawL3D, 3000, TSquareField::SawTooth));
    ASSERT_TRUE(WriteSquareScanFile(sawTNW, 3000, TSquareField::SawTooth, TScanFileKind::TNWDemo));
    ASSERT_TRUE(WriteSquareScanFile(small, 30));
    ASSERT_TRUE(WriteSquareScanFile(hill3000, 3000));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));
    TAnswerProbe probe(MainForm->Handle());

    const HWND window = MainForm->Handle();
    const HMENU bar = GetMenu(window);
    const HMENU fileMenu = GetSubMenu(bar, 0);
    RECT fileItem{};
    ASSERT_TRUE(GetMenuItemRect(window, bar, 0, &fileItem));
    const int openPosition = 1;  // File > Open ...
    ASSERT_FALSE(Greyed(fileMenu, openPosition));

    struct TOpening {
        const std::u16string& Path;
        const char* What;
        const char* Magic;
    };
    for (const TOpening& o : {TOpening{hill2000, "2000 x 2000 hill", "DMO.L3D.01"},
                              TOpening{sawL3D, "3000 x 3000 saw-tooth", "DMO.L3D.01"},
                              TOpening{sawTNW, "3000 x 3000 saw-tooth", "DMO.TNW.01"},
                              TOpening{small, "30 x 30 hill", "DMO.L3D.01"},
                              TOpening{hill3000, "3000 x 3000 hill after a small scan", "DMO.L3D.01"}}) {
        SCOPED_TRACE(o.What);
        // During the build of the saw-tooth a helper opens the File menu with a click: it opens
        // with its commands greyed, closes with Escape, and a level key pressed meanwhile is
        // refused.
        std::atomic<bool> menuOpened{false}, commandsGreyed{false}, menuClosed{false};
        std::thread helper;
        if (o.Path == sawL3D)
            helper = std::thread([&] {
                if (!WaitFor([&] { return Greyed(fileMenu, openPosition); }))
                    return;
                commandsGreyed = true;
                SetCursorPos((fileItem.left + fileItem.right) / 2, (fileItem.top + fileItem.bottom) / 2);
                INPUT click[2]{};
                click[0].type = click[1].type = INPUT_MOUSE;
                click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
                click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
                SendInput(2, click, sizeof(INPUT));
                menuOpened = WaitFor(MenuShown, 60000);
                StrokeFromHelper(VK_ESCAPE);
                StrokeFromHelper(VK_ESCAPE);
                menuClosed = WaitFor([] { return !MenuShown(); }, 60000);
                StrokeFromHelper('3');
            });
        OpenThroughTheMenu(o.Path);
        if (helper.joinable()) {
            helper.join();
            EXPECT_TRUE(commandsGreyed) << "the hourglass showed, and the commands were refused";
            EXPECT_TRUE(menuOpened);
            EXPECT_TRUE(menuClosed);
            EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
            EXPECT_EQ(MainForm->State().Session().Image()->Resolution(), 0) << "the level key was refused during the build";
            EXPECT_FALSE(Greyed(fileMenu, openPosition)) << "the commands came back";
        }
        ASSERT_EQ(MainForm->State().Session().Magic(), o.Magic);
        ExpectSurfaceWithItsNotice("the first frame");
        const uint64_t afterFirstFrame = ProcessAddressSpace().InUse;
        const TListPlan first{MainForm->State().Session().Image()->BuiltResolution(), MainForm->State().Session().Image()->BuiltStep(), 0};
        LevelsUpAndDownAndSplitScreenTwice();
        ExpectSurfaceWithItsNotice("back at level 1");
        EXPECT_EQ(MainForm->State().Session().Image()->BuiltStep(), first.Step) << "the same scan, the same plan";
        EXPECT_EQ(MainForm->State().Session().Image()->BuiltResolution(), first.Depth);
        // What the rebuilds took was given back.
        const uint64_t afterRebuilds = ProcessAddressSpace().InUse;
        EXPECT_LT(double(afterRebuilds), 1.1 * double(afterFirstFrame))
            << (afterFirstFrame >> 20) << " MB after the first frame, " << (afterRebuilds >> 20) << " MB after";
    }
    probe.Stop();
    const std::vector<double> silences = WaitsOutsideReads(probe, 1000.0);
    EXPECT_TRUE(silences.empty()) << silences.size() << " questions waited longer than a second, the longest "
                                  << *std::max_element(silences.begin(), silences.end()) << " ms";
    EXPECT_EQ(probe.Unanswered(), 0);
    std::printf("the window answered %d questions, the longest after %.0f ms (%.0f ms outside the file reads)\n",
                probe.Asked(), probe.LongestMs(), [&] {
                    const std::vector<double> all = WaitsOutsideReads(probe, 0.0);
                    return all.empty() ? 0.0 : *std::max_element(all.begin(), all.end());
                }());

    // The program's own loop from here: level 5 is chosen, and Alt+F4 comes during its build.
    // The build ends, the loop ends and the settings are written as the windows go; no thread
    // of the build is left.
    const int threads = ThreadsOfThisProcess();
    ASSERT_TRUE(FileDelete(SettingsFile()));
    std::atomic<bool> closedDuringBuild{false};
    bool builtAfterClose = false;
    const TNotifyEvent paint = MainForm->TimerPaint->OnTimer;
    MainForm->TimerPaint->OnTimer = [&](TObject* Sender) {
        paint(Sender);
        builtAfterClose = builtAfterClose || (closedDuringBuild && MainForm->State().Session().Image()->Rebuild == 0);
    };
    std::thread helper([&] {
        StrokeFromHelper('5');
        if (WaitFor([&] { return Greyed(fileMenu, openPosition); })) {
            StrokeFromHelper(VK_F4, true);
            closedDuringBuild = true;
        }
    });
    Application->Run();
    helper.join();
    EXPECT_TRUE(closedDuringBuild);
    EXPECT_FALSE(builtAfterClose) << "the build ended with the close";
    EXPECT_EQ(MainForm, nullptr) << "the windows went with the end of the loop";
    EXPECT_TRUE(FileExists(SettingsFile()));
    EXPECT_LE(ThreadsOfThisProcess(), threads);
}

TEST_F(LargeScanTest, AnAllocationThatFailsDuringABuildLeavesACoarserSurfaceOrAnEmptyAreaAndOneMessage)
{
    // The example field at level 5: its geometry is built on a worker while the list compiles.
    ASSERT_NO_FATAL_FAILURE(StartWithExample(u"Field with metal object.dmo"));
    ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));
    TScanImage& image = *MainForm->State().Session().Image();
    l3d::testing::PressKey('5');
    ASSERT_TRUE(WaitForFrame());
    ASSERT_EQ(image.BuiltResolution(), 4) << "level 5 fits whole";
    const int threads = ThreadsOfThisProcess();
    const TViewportRect main = InsetViewport(MainForm->State().Views().Viewports()[MainViewport], 3);

    for (const TBuildSide side : {TBuildSide::Worker, TBuildSide::Drawing}) {
        int failures = 1;
        BuildAllocationSeam() = [&](TBuildSide Side) {
            if (Side == side && failures > 0) {
                --failures;
                throw std::bad_alloc();
            }
        };
        image.Rebuild = 1;
        ASSERT_TRUE(DrawFrame());
        BuildAllocationSeam() = nullptr;
        EXPECT_EQ(failures, 0);
        EXPECT_EQ(image.BuiltResolution(), 3) << "one level lower";
        EXPECT_GT(PixelsOtherThan(ViewPixels(main), 0), size_t(main.Width) * main.Height / 10);
        EXPECT_NE(MainForm->StatusBar->Panels(4)->Text().find(u"Resolution level 4 is shown"), std::u16string::npos);
        EXPECT_EQ(ThreadsOfThisProcess(), threads) << "the worker ended";
        EXPECT_TRUE(ErrorBoxes.empty());
    }

    // Nothing can be built at all: the scan stays open over an empty drawing area, and one
    // message says why, however many frames follow.
    BuildAllocationSeam() = [](TBuildSide) { throw std::bad_alloc(); };
    image.Rebuild = 1;
    ASSERT_TRUE(DrawFrame());
    ASSERT_TRUE(DrawFrame());
    BuildAllocationSeam() = nullptr;
    EXPECT_FALSE(image.SurfaceDrawn());
    EXPECT_LT(PixelsOtherThan(ViewPixels(main), 0), size_t(main.Width) * main.Height / 100) << "the cursor lines at most";
    EXPECT_EQ(ErrorBoxes.size(), 1u);
    EXPECT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
    EXPECT_GT(image.ScanData->Count, 0u);
    EXPECT_EQ(ThreadsOfThisProcess(), threads);
}
