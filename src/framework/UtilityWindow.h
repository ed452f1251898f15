// Hidden utility windows for components that need messages without a control: timers, the
// application window, notification sinks. They are hidden WS_POPUP top-level windows, not
// message-only ones, so that broadcasts (WM_SETTINGCHANGE, WM_POWERBROADCAST) reach them.
#pragma once

#include "framework/Messages.h"

#include <windows.h>

#include <functional>

// Handles a message; false passes it on to the default window procedure.
using TUtilityWndMethod = std::function<bool(TMessage& Message)>;

inline constexpr wchar_t UtilityWindowClass[] = L"L3D.UtilityWindow";

// A new utility window of the window class ClassName (registered on first use) whose messages
// go to Method (behind the exception barrier). Raises EOutOfResources when no window can be made.
HWND AllocateHWnd(TUtilityWndMethod Method, const wchar_t* ClassName = UtilityWindowClass);
// Detaches the method first, so that the messages of the destruction go to DefWindowProc and
// never reach an owner that is being freed; then destroys the window.
void DeallocateHWnd(HWND Wnd);
