#include "app/BusyWork.h"

#include "widgets/el/menus/ElStatusBarPanels.h"

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/NumberText.h"
#include "framework/Screen.h"
#include "framework/Threads.h"

#include <windows.h>

#include <chrono>
#include <exception>
#include <optional>
#include <vector>

namespace {

// Work shorter than this shows nothing, so quick edits do not flicker.
constexpr auto ShowAfter = std::chrono::milliseconds(250);
constexpr DWORD ProgressInterval = 50;

bool busy = false;

// The windows of this thread that take input, disabled as a modal loop disables them, and
// enabled again however the work ends.
class TInputPause {
public:
    TInputPause() { EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&windows_)); }
    ~TInputPause()
    {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
            if (IsWindow(*it))
                EnableWindow(*it, TRUE);
    }
    TInputPause(const TInputPause&) = delete;
    TInputPause& operator=(const TInputPause&) = delete;

private:
    static BOOL CALLBACK DisableOne(HWND Wnd, LPARAM List)
    {
        if (IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
            reinterpret_cast<std::vector<HWND>*>(List)->push_back(Wnd);
            EnableWindow(Wnd, FALSE);
        }
        return TRUE;
    }
    std::vector<HWND> windows_;
};

// The hourglass and the panel's text while the work shows; both as before afterwards.
class TBusyDisplay {
public:
    TBusyDisplay(TElStatusPanel* Panel, const std::u16string& What) : panel_(Panel), what_(What) {}
    ~TBusyDisplay()
    {
        if (hourGlass_ && panel_)
            panel_->SetText(text_);
    }
    TBusyDisplay(const TBusyDisplay&) = delete;
    TBusyDisplay& operator=(const TBusyDisplay&) = delete;

    void Show(int Percent)
    {
        if (!hourGlass_) {
            hourGlass_.emplace();
            if (panel_)
                text_ = panel_->Text();
        }
        if (!panel_)
            return;
        std::u16string text = u" " + what_ + u" ...";
        if (Percent >= 0)
            text += u" " + IntToStr(Percent) + u" %";
        if (panel_->Text() != text)
            panel_->SetText(text);
    }

private:
    TElStatusPanel* panel_;
    std::u16string what_;
    std::optional<THourGlass> hourGlass_;  // present once the work shows
    std::u16string text_;
};

}  // namespace

bool BusyWorkRunning()
{
    return busy;
}

void RunBusyWork(TElStatusPanel* Panel, const std::u16string& What, const TBusyWork& Work)
{
    TWorkProgress progress{-1};
    std::exception_ptr failure;
    TThread worker([&](TThread&) {
        try {
            Work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
    });

    busy = true;
    struct TBusyReset {
        ~TBusyReset() { busy = false; }
    } busyReset;
    TInputPause input;
    TBusyDisplay display(Panel, What);
    const auto begin = std::chrono::steady_clock::now();
    worker.Start();
    // The loop answers paint and timer messages (and whatever was posted before) until the
    // worker ends; the windows take no input meanwhile.
    while (!worker.Finished()) {
        HANDLE thread = worker.Handle();
        MsgWaitForMultipleObjects(1, &thread, FALSE, ProgressInterval, QS_ALLINPUT);
        Application->ProcessMessages();
        if (std::chrono::steady_clock::now() - begin >= ShowAfter)
            display.Show(progress.load());
    }
    worker.WaitFor();
    if (failure)
        std::rethrow_exception(failure);
}
