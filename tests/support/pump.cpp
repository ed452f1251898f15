#include "support/pump.h"

#include "framework/Application.h"

#include <windows.h>

void PumpFor(int Ms)
{
    const DWORD start = GetTickCount();
    do {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < static_cast<DWORD>(Ms));
    Application->ProcessMessages();
}

bool PumpUntil(const std::function<bool()>& Done, int MaxMs)
{
    const DWORD start = GetTickCount();
    while (!Done()) {
        if (GetTickCount() - start > static_cast<DWORD>(MaxMs))
            return false;
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}
