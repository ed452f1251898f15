#include "widgets/el/foundation/ElToolsWin.h"

#include "framework/Application.h"
#include "framework/DynamicLibrary.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "framework/UtilityWindow.h"
#include "framework/WinText.h"

#include <mmsystem.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>

// ---- Version flags

TElOSVersion ReadOSVersion()
{
    TElOSVersion v;
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        info = OSVERSIONINFOEXA{};
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
    }
    v.Major = info.dwMajorVersion;
    v.Minor = info.dwMinorVersion;
    v.Build = info.dwBuildNumber;
    v.Platform = info.dwPlatformId;
    v.ServicePack = info.szCSDVersion;
    v.ProductType = info.wProductType;
    // GetNativeSystemInfo is missing on old systems: look it up.
    using TGetNativeSystemInfo = void WINAPI(LPSYSTEM_INFO);
    if (auto* getNativeSystemInfo =
            TDynamicLibrary(L"kernel32.dll").Function<TGetNativeSystemInfo>("GetNativeSystemInfo")) {
        SYSTEM_INFO si{};
        getNativeSystemInfo(&si);
        v.ProcessorArchitecture = si.wProcessorArchitecture;
    }
    v.ServerR2 = GetSystemMetrics(SM_SERVERR2) != 0;
    return v;
}

namespace {

TElWindowsFlags& FlagStore()
{
    static TElWindowsFlags flags = ComputeWindowsFlags(ReadOSVersion());
    return flags;
}

} // namespace

void DetectWindowsVersion()
{
    FlagStore() = ComputeWindowsFlags(ReadOSVersion());
}

const TElWindowsFlags& WindowsFlags()
{
    return FlagStore();
}

// ---- Utility windows

HWND ElAllocateHWnd(TObject*, TWndMethod Method)
{
    // The method answers every message itself; without one the window is left to DefWindowProc.
    auto handleAll = [Method = std::move(Method)](TMessage& Message) {
        if (!Method)
            return false;
        Method(Message);
        return true;
    };
    try {
        return AllocateHWnd(std::move(handleAll), ElUtilWindowClass);
    } catch (const Exception&) {
        return nullptr;  // these services never raise
    }
}

void ElDeallocateHWnd(HWND Wnd)
{
    DeallocateHWnd(Wnd);
}

// ---- Message pump

bool ProcessOneMessage()
{
    return Application && Application->ProcessOneMessage();
}

void ProcessAllMessages()
{
    while (ProcessOneMessage()) {
    }
}

// ---- Settings-change broadcast

namespace {

BOOL CALLBACK SendToChild(HWND Wnd, LPARAM)
{
    // EnumChildWindows already walks all descendants.
    SendMessageW(Wnd, ElNonClientMetricsChanged, SPI_SETNONCLIENTMETRICS, 0);
    return TRUE;
}

BOOL CALLBACK SendToTopLevel(HWND Wnd, LPARAM)
{
    SendMessageW(Wnd, ElNonClientMetricsChanged, SPI_SETNONCLIENTMETRICS, 0);
    EnumChildWindows(Wnd, SendToChild, 0);
    return TRUE;
}

} // namespace

bool ElSettingChangeHook(TMessage& Message)
{
    if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS)
        EnumThreadWindows(GetCurrentThreadId(), SendToTopLevel, 0);
    return false;
}

// ---- Small services

BOOL ElPlaySound(const char* Name, HMODULE Module, DWORD Flags)
{
    return PlaySoundA(Name, Module, Flags);
}

void GetSpecialFolder(int CSIDL, std::u16string& Path)
{
    Path.clear();
    PIDLIST_ABSOLUTE items = nullptr;
    if (SHGetSpecialFolderLocation(nullptr, CSIDL, &items) != S_OK || !items)
        return;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (SHGetPathFromIDListW(items, buffer))
        Path = FromWide(buffer);
    CoTaskMemFree(items);
}

std::u16string GetTempFileNameEl(const std::u16string& Dir)
{
    return TempFileName(Dir);
}

std::u16string GetWindowsDir()
{
    wchar_t buffer[1025] = {};
    GetWindowsDirectoryW(buffer, 1024);
    return AddTrailingBackslash(FromWide(buffer));
}

TShiftState GetCurrentShiftState()
{
    return KeyboardShiftState();
}

void StrToFloatDot(const std::string& S, double& Value, int32_t& ErrorPos)
{
    char sep[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep) < 2)
        sep[0] = '.';
    StrToFloatDot(S, Value, ErrorPos, sep[0]);
}

char16_t KeyboardCharToWideChar(char Ch)
{
    const LANGID language = LOWORD(reinterpret_cast<uintptr_t>(GetKeyboardLayout(0)));
    char text[6] = {};
    UINT codePage = 0;
    if (GetLocaleInfoA(MAKELCID(language, SORT_DEFAULT), LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text) > 0) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(text, &end, 10);
        if (end != text && *end == '\0')
            codePage = static_cast<UINT>(value);
    }
    if (codePage == 0)
        codePage = GetACP();
    wchar_t out = 0;
    if (MultiByteToWideChar(codePage, MB_USEGLYPHCHARS, &Ch, 1, &out, 1) != 1)
        return static_cast<char16_t>(static_cast<uint8_t>(Ch));
    return static_cast<char16_t>(out);
}
