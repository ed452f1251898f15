// The paints of an open: Ctrl+O as a user presses it, a file chosen in the open dialog, and
// every window of the main window paints at most once until the open is shown.
#include "mainroad_support.h"

#include "ExampleScans.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/files/_TFileManager.h"

#include "framework/Dialogs.h"
#include "framework/StrConv.h"
#include "support/real_input.h"

#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace mainroad;

namespace {

// Counts, per window of this thread, the paint messages it gets, sent or taken from the queue.
class TPaintCounter {
public:
    struct TCounts {
        int Paint = 0;
        int NcPaint = 0;
        int EraseBackground = 0;
    };

    TPaintCounter()
    {
        counts_ = &Counts;
        sent_ = SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
        taken_ = SetWindowsHookExW(WH_GETMESSAGE, Taken, nullptr, GetCurrentThreadId());
    }
    ~TPaintCounter()
    {
        UnhookWindowsHookEx(sent_);
        UnhookWindowsHookEx(taken_);
        counts_ = nullptr;
    }
    TPaintCounter(const TPaintCounter&) = delete;
    TPaintCounter& operator=(const TPaintCounter&) = delete;

    bool Hooked() const { return sent_ && taken_; }
    std::map<HWND, TCounts> Counts;

private:
    static void Count(HWND Window, UINT Message)
    {
        if (!counts_)
            return;
        if (Message == WM_PAINT)
            ++(*counts_)[Window].Paint;
        else if (Message == WM_NCPAINT)
            ++(*counts_)[Window].NcPaint;
        else if (Message == WM_ERASEBKGND)
            ++(*counts_)[Window].EraseBackground;
    }
    static LRESULT CALLBACK Sent(int Code, WPARAM W, LPARAM L)
    {
        if (Code == HC_ACTION) {
            const auto* m = reinterpret_cast<const CWPSTRUCT*>(L);
            Count(m->hwnd, m->message);
        }
        return CallNextHookEx(nullptr, Code, W, L);
    }
    static LRESULT CALLBACK Taken(int Code, WPARAM W, LPARAM L)
    {
        if (Code == HC_ACTION && W == PM_REMOVE) {
            const auto* m = reinterpret_cast<const MSG*>(L);
            Count(m->hwnd, m->message);
        }
        return CallNextHookEx(nullptr, Code, W, L);
    }

    static inline std::map<HWND, TCounts>* counts_ = nullptr;
    HHOOK sent_ = nullptr;
    HHOOK taken_ = nullptr;
};

// The name of a window for a message: the component's name, else its class.
std::string NameOf(HWND Window)
{
    if (TWinControl* control = TWinControl::FindControl(Window); control && !control->Name().empty())
        return control->Name();
    char name[64] = {};
    GetClassNameA(Window, name, sizeof name);
    return name;
}

bool OfMainWindow(HWND Window)
{
    return Window == MainForm->Handle() || IsChild(MainForm->Handle(), Window);
}

// What the window shows around the drawing area: its caption and menu bar, the tool bars, the
// navigator and the status panel.
std::vector<uint32_t> ShownAroundTheDrawing()
{
    RECT window{}, client{};
    GetWindowRect(MainForm->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(MainForm->Handle(), &origin);
    std::vector<uint32_t> shown =
        l3d::testing::ReadWindowPixels(MainForm->Handle(), RECT{0, 0, window.right - window.left, origin.y - window.top})
            .data;
    for (TWinControl* part : {static_cast<TWinControl*>(MainForm->ControlBar), static_cast<TWinControl*>(MainForm->Navigator),
                              static_cast<TWinControl*>(MainForm->StatusPanel)}) {
        GetClientRect(part->Handle(), &client);
        const std::vector<uint32_t> p = l3d::testing::ReadClientPixels(part->Handle(), client).data;
        shown.insert(shown.end(), p.begin(), p.end());
    }
    return shown;
}

}  // namespace

// Three opens in turn, each changing another part of the window: the first scan (every command
// comes on), a Tarnwell file (depth controls off, the soil box greyed), an own scan again. The
// paint timer is held, so that what is counted is the open and the repaint it asks for.
TEST_F(ProgramTest, AnOpenFromTheMenuPaintsEachWindowAtMostOnce)
{
    const std::u16string field = Root + u"field.dmo", tarnwell = Root + u"tarnwell.dmo";
    WriteFileBytes(field, EncodeScanFile(MakeFieldExample().Source));
    WriteFileBytes(tarnwell, EncodeScanFile(MakeTarnwellSampleExample().Source));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));
    // The mouse rests on the drawing area, where no control lights up under it.
    POINT rest = CentreOf(MainForm->State().Views().Viewports()[MainViewport]);
    ClientToScreen(MainForm->Handle(), &rest);
    SetCursorPos(rest.x, rest.y);
    ASSERT_TRUE(Settled(120000));

    for (const std::u16string& path : {field, tarnwell, field}) {
        SCOPED_TRACE(WideToUtf8(path));
        FileDialogSeam() = [&](TFileDialogRequest& Request) {
            Request.FileName = path;
            return true;
        };
        const TPaintTimerPause pause(MainForm->TimerPaint);
        TPaintCounter counter;
        ASSERT_TRUE(counter.Hooked());
        const auto start = std::chrono::steady_clock::now();
        l3d::testing::PressKey('O', {VK_CONTROL});
        ASSERT_EQ(MainForm->State().Session().Files()->FileName(), path);
        ASSERT_TRUE(Settled(120000));
        const double ms = MsSince(start);

        int windows = 0, paints = 0, worst = 0;
        std::string worstName;
        for (const auto& [window, counts] : counter.Counts) {
            if (!OfMainWindow(window))
                continue;
            ++windows;
            paints += counts.Paint;
            const int most = std::max({counts.Paint, counts.NcPaint, counts.EraseBackground});
            if (most > worst) {
                worst = most;
                worstName = NameOf(window);
            }
            EXPECT_LE(counts.Paint, 1) << NameOf(window);
            EXPECT_LE(counts.NcPaint, 1) << NameOf(window);
            EXPECT_LE(counts.EraseBackground, 1) << NameOf(window);
        }
        std::printf("open of %s: %d windows got %d paints (at most %d for one, %s) in %.0f ms\n",
                    WideToUtf8(path).c_str(), windows, paints, worst, worstName.c_str(), ms);
        std::fflush(stdout);
        EXPECT_GT(paints, 0);  // the open was shown

        // What the one paint showed is the window as it stands: drawn again whole, it looks the same.
        const std::vector<uint32_t> shown = ShownAroundTheDrawing();
        RedrawWindow(MainForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        ASSERT_TRUE(Settled(120000));
        EXPECT_TRUE(ShownAroundTheDrawing() == shown);
        ResetDialogSeams();
    }
}
