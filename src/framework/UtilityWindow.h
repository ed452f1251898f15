// Hidden utility windows for components that need messages without a control: timers, the
// application window, notification sinks. They are hidden WS_POPUP top-level windows, not
// message-only ones, so that broadcasts (WM_SETTINGCHANGE, WM_POWERBROADCAST) reach them.
#pragma once

#include "framework/Messages.h"

#include <windows.h>

#include <functional>

// Handles a message; false passes it on to the default window procedure.
using TUtilityWndMethod = std::function<bool(TMessage& Message)>;

// A new utility window whose messages go to Method (behind the exception barrier).
HWND AllocateHWnd(TUtilityWndMethod Method);
void DeallocateHWnd(HWND Wnd);
