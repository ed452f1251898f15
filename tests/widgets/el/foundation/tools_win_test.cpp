// The Windows side of the base units, under the real system (Wine in the test runs).
#include "widgets/el/foundation/ElFileStream.h"
#include "widgets/el/foundation/ElToolsWin.h"

#include "framework/Application.h"
#include "framework/ExceptionBarrier.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

std::u16string TempFile(const char* name, const std::string& contents)
{
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary) << contents;
    return path.u16string();
}

bool Opens(const std::u16string& name, uint16_t mode)
{
    try {
        TElFileStream f(name, mode);
        return true;
    } catch (const EFOpenError&) {
        return false;
    }
}

std::vector<HWND>* g_childHits;

LRESULT CALLBACK ChildProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == ElNonClientMetricsChanged)
        g_childHits->push_back(w);
    return DefWindowProcW(w, msg, wp, lp);
}

} // namespace

TEST(ElFileStreamSharing, ModesMapToTheSystemsSharing)
{
    const auto name = TempFile("l3d_base_share.bin", "abc");
    {
        TElFileStream denyWrite(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_TRUE(Opens(name, fmOpenRead | fmShareDenyWrite));   // a second reader
        EXPECT_FALSE(Opens(name, fmOpenWrite | fmShareDenyNone));  // but no writer
    }
    {
        TElFileStream exclusive(name, fmOpenRead | fmShareExclusive);
        EXPECT_FALSE(Opens(name, fmOpenRead | fmShareDenyNone));
    }
    {
        TElFileStream denyNone(name, fmOpenRead | fmShareDenyNone);
        EXPECT_TRUE(Opens(name, fmOpenReadWrite | fmShareDenyNone));
    }
    {
        TElFileStream created(name, fmCreate);   // truncates, shares nothing
        EXPECT_EQ(created.Size(), 0);
        EXPECT_FALSE(Opens(name, fmOpenRead | fmShareDenyNone));
    }
    std::filesystem::remove(std::filesystem::path(name));
}

TEST(ElToolsWin, VersionFlagsOfTheRunningSystem)
{
    const TElOSVersion v = ReadOSVersion();
    EXPECT_EQ(v.Platform, 2u);
    const TElWindowsFlags& f = WindowsFlags();
    EXPECT_TRUE(f.PlatformIsNT);
    EXPECT_TRUE(f.WindowsNTFamily);
    EXPECT_TRUE(f.WindowsAtLeastXP);
    EXPECT_FALSE(f.PlatformIs9x);
}

TEST(ElToolsWin, KeyboardCharUsesTheLayoutsCodePage)
{
    EXPECT_EQ(KeyboardCharToWideChar('\x80'), u'\u20AC');
    EXPECT_EQ(KeyboardCharToWideChar('A'), u'A');
}

TEST(ElToolsWin, FoldersAndNames)
{
    std::u16string appData;
    GetSpecialFolder(CSIDL_APPDATA, appData);
    EXPECT_FALSE(appData.empty());
    EXPECT_NE(appData.back(), u'\\');
    EXPECT_EQ(GetFileAttributesW(reinterpret_cast<const wchar_t*>(appData.c_str())) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    const std::u16string windows = GetWindowsDir();
    EXPECT_EQ(windows.back(), u'\\');

    const auto a = GetTempFileNameEl(u"C:\\Some Dir");
    const auto b = GetTempFileNameEl(u"");
    EXPECT_EQ(a.substr(0, 12), u"C:\\Some Dir\\");
    EXPECT_EQ(a.size(), 12u + 36u);
    EXPECT_NE(a.substr(12), b.substr(b.size() - 36));
    EXPECT_EQ(GetFileAttributesW(reinterpret_cast<const wchar_t*>(b.c_str())), INVALID_FILE_ATTRIBUTES);

    double v = 0;
    int32_t err = -1;
    StrToFloatDot("2.5", v, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(v, 2.5);
}

TEST(MessagePump, EmptyQueueAndQuit)
{
    ProcessAllMessages();
    EXPECT_FALSE(ProcessOneMessage());

    // The pump is the application's: a posted message goes through its loop.
    bool seen = false;
    HWND wnd = ElAllocateHWnd(nullptr, [&](TMessage& m) { seen = seen || m.Msg == WM_USER + 9; });
    PostMessageW(wnd, WM_USER + 9, 0, 0);
    EXPECT_TRUE(ProcessOneMessage());
    EXPECT_TRUE(seen);
    ElDeallocateHWnd(wnd);

    // A quit seen by a nested pump is not lost: it stops the pump and ends the main loop.
    EXPECT_FALSE(Application->Terminated());
    PostQuitMessage(7);
    EXPECT_FALSE(ProcessOneMessage());
    EXPECT_TRUE(Application->Terminated());
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_FALSE(ProcessOneMessage());
}

TEST(UtilityWindow, DeliversPostedAndBroadcastMessages)
{
    std::vector<UINT> received;
    HWND wnd = ElAllocateHWnd(nullptr, [&](TMessage& m) {
        received.push_back(m.Msg);
        if (m.Msg == WM_USER + 5)
            m.Result = 42;
        if (m.Msg == WM_USER + 6)
            throw Exception(u"raised inside a window procedure");
    });
    ASSERT_NE(wnd, nullptr);
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "XElUtilWindow");
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE) & WS_POPUP, static_cast<LONG>(WS_POPUP));

    EXPECT_EQ(SendMessageW(wnd, WM_USER + 5, 0, 0), 42);
    PostMessageW(wnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    PostMessageW(wnd, WM_USER + 1, 0, 0);
    ProcessAllMessages();
    EXPECT_NE(std::find(received.begin(), received.end(), static_cast<UINT>(WM_POWERBROADCAST)), received.end());
    EXPECT_NE(std::find(received.begin(), received.end(), static_cast<UINT>(WM_USER + 1)), received.end());

    // An exception stays behind the window procedure (it goes to the exception handler).
    SetExceptionHandler([](std::exception_ptr) {});
    EXPECT_EQ(SendMessageW(wnd, WM_USER + 6, 0, 0), 0);
    SetExceptionHandler(nullptr);

    const size_t before = received.size();
    ElDeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(received.size(), before);   // the destruction messages no longer reach the method
}

TEST(UtilityWindow, SettingChangeReachesChildWindows)
{
    std::vector<HWND> reached;
    std::vector<WPARAM> params;
    auto record = [&](HWND w, WPARAM p) {
        reached.push_back(w);
        params.push_back(p);
    };
    HWND top = ElAllocateHWnd(nullptr, [&](TMessage& m) {
        if (m.Msg == ElNonClientMetricsChanged)
            record(nullptr, m.WParam);
    });
    g_childHits = &reached;
    WNDCLASSW cls{};
    cls.lpfnWndProc = ChildProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"L3DBaseTestChild";
    RegisterClassW(&cls);
    HWND parent = CreateWindowExW(0, L"L3DBaseTestChild", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                  cls.hInstance, nullptr);
    HWND child = CreateWindowExW(0, L"L3DBaseTestChild", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                 cls.hInstance, nullptr);
    HWND grandChild = CreateWindowExW(0, L"L3DBaseTestChild", L"", WS_CHILD, 0, 0, 5, 5, child, nullptr,
                                      cls.hInstance, nullptr);

    TMessage other{WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, 0};
    EXPECT_FALSE(ElSettingChangeHook(other));
    EXPECT_TRUE(reached.empty());

    TMessage metrics{WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, 0};
    EXPECT_FALSE(ElSettingChangeHook(metrics));   // the message goes on
    for (HWND w : {parent, child, grandChild})
        EXPECT_NE(std::find(reached.begin(), reached.end(), w), reached.end());
    EXPECT_NE(std::find(reached.begin(), reached.end(), nullptr), reached.end());   // the utility window
    EXPECT_EQ(params.front(), static_cast<WPARAM>(SPI_SETNONCLIENTMETRICS));

    DestroyWindow(parent);
    ElDeallocateHWnd(top);
}
