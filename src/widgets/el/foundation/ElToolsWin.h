// Windows-only services of the widget layer: the version flags of the running system, hidden
// utility windows that hand their messages to a method, a message pump, folders and
// temporary names, sounds, the keyboard's shift state, and the settings-change broadcast.
#pragma once

#include "widgets/el/foundation/ElTools.h"

#include "framework/Controls.h"
#include "framework/Messages.h"
#include "framework/Objects.h"

#include <windows.h>

#include <functional>
#include <string>

// ---- Version flags, computed once by DetectWindowsVersion (at start-up, or on first use).
void DetectWindowsVersion();
const TElWindowsFlags& WindowsFlags();
// The version record of the running system, as DetectWindowsVersion reads it.
TElOSVersion ReadOSVersion();

// ---- Utility windows: hidden WS_POPUP top-level windows (they receive broadcasts such as
// WM_SETTINGCHANGE and WM_POWERBROADCAST, which message-only windows never see). Messages go
// to Method; an exception from it goes to the application's exception handler. Null when no
// window can be made. ElDeallocateHWnd detaches Method before it destroys the window.
inline constexpr wchar_t ElUtilWindowClass[] = L"XElUtilWindow";
HWND ElAllocateHWnd(TObject* Owner, TWndMethod Method);
void ElDeallocateHWnd(HWND Wnd);

// ---- Message pump: the application's loop (short-cuts, dialog keys and hover included).
// Takes one message from the thread's queue; false when there was none. WM_QUIT is not
// dispatched: it ends the application's loop (Application->Terminated()), and the result is
// false, so that a nested pump stops.
bool ProcessOneMessage();
void ProcessAllMessages();

// ---- Settings-change broadcast
inline constexpr UINT ElNonClientMetricsChanged = 0x0913;
// On WM_SETTINGCHANGE with SPI_SETNONCLIENTMETRICS, sends ElNonClientMetricsChanged (WParam
// 42) to every top-level window of the thread and all their descendants. Returns false, so
// that the message goes on to its normal handling (a main-window hook's contract).
bool ElSettingChangeHook(TMessage& Message);

// ---- Small services
BOOL ElPlaySound(const char* Name, HMODULE Module, DWORD Flags);
// The file-system path of a shell folder, without a trailing backslash; empty when it has none.
void GetSpecialFolder(int CSIDL, std::u16string& Path);
// A GUID-based name in Dir (the temporary folder when Dir is empty); nothing is created.
std::u16string GetTempFileNameEl(const std::u16string& Dir);
// The Windows folder, with a trailing backslash.
std::u16string GetWindowsDir();
// The framework's KeyboardShiftState under the widget layer's name.
TShiftState GetCurrentShiftState();
// StrToFloatDot with the user locale's decimal separator.
void StrToFloatDot(const std::string& S, double& Value, int32_t& ErrorPos);

// The UTF-16 unit of one 8-bit keyboard character in the code page of the active layout.
char16_t KeyboardCharToWideChar(char Ch);
