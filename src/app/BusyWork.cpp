#include "app/BusyWork.h"

#include "widgets/el/menus/ElStatusBarPanels.h"

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Forms.h"
#include "framework/NumberText.h"
#include "framework/Screen.h"
#include "framework/Threads.h"
#include "framework/ValueKept.h"

#include <windows.h>

#include <chrono>
#include <exception>
#include <optional>

namespace {

// Work shorter than this shows nothing, so quick edits do not flicker.
constexpr auto ShowAfter = std::chrono::milliseconds(250);
constexpr DWORD ProgressInterval = 50;
// Work on the main thread pays for each answer (a repaint of the panel costs some
// milliseconds under Wine): ten a second keep the windows answering well within half a second
// for a few percent of the work's time.
constexpr auto AnswerInterval = std::chrono::milliseconds(100);

bool busy = false;

}  // namespace

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

    // BusyWorkRunning answers true while the work runs.
    const TValueKept<bool> busyWhile(busy, true);
    // The windows of this thread take no input while the work runs, as under a modal loop.
    TDisabledThreadWindows input;
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

TBusySteps::TBusySteps(TElStatusPanel* Panel, const std::u16string& What, std::function<void()> OnShown)
    : busyWhile_(busy, true),
      display_(std::make_unique<TBusyDisplay>(Panel, What)),
      onShown_(std::move(OnShown)),
      begin_(std::chrono::steady_clock::now()),
      answered_(begin_)
{
}

TBusySteps::~TBusySteps() = default;

bool TBusySteps::Step(int Percent)
{
    const auto now = std::chrono::steady_clock::now();
    if (now - begin_ < ShowAfter || now - answered_ < AnswerInterval)
        return false;
    display_->Show(Percent);
    if (onShown_) {
        const std::function<void()> shown = std::move(onShown_);
        onShown_ = nullptr;
        shown();
    }
    Application->ProcessMessages();
    answered_ = std::chrono::steady_clock::now();
    return true;
}
