#include "support/pump.h"

#include "framework/Application.h"

#include <windows.h>

#include <cstdint>
#include <map>

namespace {

// One step of the loop: everything waiting is handled, then a short wait for more.
void PumpStep()
{
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
}

constexpr UINT kMarker = WM_APP + 0x3F00;
uint64_t gMarkersPosted = 0;
uint64_t gMarkersHandled = 0;
// The tick counts of the live witnesses by timer id; a tick of a witness already gone finds none.
std::map<UINT_PTR, int*> gWitnesses;
UINT_PTR gLastWitnessId = 0;

LRESULT CALLBACK MarkerProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (Message == kMarker) {
        // Markers arrive in the order they were posted.
        gMarkersHandled = static_cast<uint64_t>(LParam);
        return 0;
    }
    if (Message == WM_TIMER) {
        const auto witness = gWitnesses.find(WParam);
        if (witness != gWitnesses.end())
            ++*witness->second;
        return 0;
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
}

// A message-only window of the test thread that receives the markers.
HWND MarkerWindow()
{
    static HWND window = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = MarkerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"L3DTestPumpMarker";
        RegisterClassW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                               nullptr);
    }();
    return window;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& Done, int MaxMs)
{
    const DWORD start = GetTickCount();
    while (!Done()) {
        if (GetTickCount() - start > static_cast<DWORD>(MaxMs))
            return Done();
        PumpStep();
    }
    return true;
}

std::function<bool()> PostedMessagesHandled()
{
    const uint64_t marker = ++gMarkersPosted;
    PostMessageW(MarkerWindow(), kMarker, 0, static_cast<LPARAM>(marker));
    return [marker] { return gMarkersHandled >= marker; };
}

bool NothingToPaint()
{
    return (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0;
}

bool Settled(int MaxMs)
{
    const bool handled = PumpUntil(PostedMessagesHandled(), MaxMs);
    const bool painted = PumpUntil(NothingToPaint, MaxMs);
    return handled && painted;
}

TimerWitness::TimerWitness(int IntervalMs) : id_(++gLastWitnessId)
{
    gWitnesses[id_] = &ticks_;
    SetTimer(MarkerWindow(), id_, static_cast<UINT>(IntervalMs), nullptr);
}

TimerWitness::~TimerWitness()
{
    KillTimer(MarkerWindow(), id_);
    gWitnesses.erase(id_);
}

std::function<bool()> TimerWitness::Ticked(int Count) const
{
    return [this, Count] { return ticks_ >= Count; };
}

bool NothingFollows()
{
    const TimerWitness witness;
    return PumpUntil(witness.Ticked(1));
}

bool PumpUntilIdle(int QuietMs, int MaxMs)
{
    const DWORD start = GetTickCount();
    DWORD lastActivity = start;
    for (;;) {
        const bool waiting = HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0;
        Application->ProcessMessages();
        const DWORD now = GetTickCount();
        if (waiting)
            lastActivity = now;
        if (now - lastActivity >= static_cast<DWORD>(QuietMs))
            return true;
        if (now - start >= static_cast<DWORD>(MaxMs))
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void PumpFor(int Ms)
{
    PumpUntil([] { return false; }, Ms);
}
