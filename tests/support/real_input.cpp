#include "support/real_input.h"

#include "support/pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace l3d::testing {

namespace {

INPUT KeyStroke(WORD Key, bool Up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT MouseEvent(DWORD Flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = Flags;
    return input;
}

void Send(std::vector<INPUT> Inputs)
{
    const UINT sent = SendInput(static_cast<UINT>(Inputs.size()), Inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, Inputs.size()) << "the system took only part of the input";
}

void Chord(WORD Key, std::initializer_list<WORD> Modifiers)
{
    std::vector<INPUT> strokes;
    for (const WORD modifier : Modifiers)
        strokes.push_back(KeyStroke(modifier, false));
    strokes.push_back(KeyStroke(Key, false));
    strokes.push_back(KeyStroke(Key, true));
    for (auto m = std::rbegin(Modifiers); m != std::rend(Modifiers); ++m)
        strokes.push_back(KeyStroke(*m, true));
    Send(std::move(strokes));
}

// A move of the mouse to a point of the screen, in the absolute units of SendInput (0 to 65535
// across the primary screen).
INPUT AbsoluteMove(POINT Screen)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = MouseEvent(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    move.mi.dx = static_cast<LONG>((Screen.x * 65535LL + (width - 1) / 2) / (width - 1));
    move.mi.dy = static_cast<LONG>((Screen.y * 65535LL + (height - 1) / 2) / (height - 1));
    return move;
}

void MoveCursorTo(HWND Window, POINT Client)
{
    ClientToScreen(Window, &Client);
    SetCursorPos(Client.x, Client.y);
}

void LeftClick()
{
    Send({MouseEvent(MOUSEEVENTF_LEFTDOWN), MouseEvent(MOUSEEVENTF_LEFTUP)});
}

// The position of the item of Menu whose shown name (before a tab, without '&') is Name.
int MenuItemPosition(HMENU Menu, const std::u16string& Name)
{
    const int count = GetMenuItemCount(Menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(Menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        std::u16string shown;
        // "&&" shows one '&'; a single '&' marks the hot key and is not shown.
        for (const wchar_t* c = text; *c && *c != L'\t'; ++c) {
            if (*c == L'&' && *(c + 1) != L'&')
                continue;
            if (*c == L'&')
                ++c;
            shown += static_cast<char16_t>(*c);
        }
        if (shown == Name)
            return i;
    }
    return -1;
}

// The visible menu window (class #32768) that is not in Known, or null.
HWND NewMenuWindow(const std::vector<HWND>& Known)
{
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w) && std::find(Known.begin(), Known.end(), w) == Known.end())
            return w;
    return nullptr;
}

// Input from the helper thread, which reports nothing itself: the test thread judges by what
// opened and what the click did.
void SendFromHelper(std::vector<INPUT> Inputs)
{
    SendInput(static_cast<UINT>(Inputs.size()), Inputs.data(), sizeof(INPUT));
}

void ClickAtScreen(const RECT& R)
{
    SetCursorPos((R.left + R.right) / 2, (R.top + R.bottom) / 2);
    SendFromHelper({MouseEvent(MOUSEEVENTF_LEFTDOWN), MouseEvent(MOUSEEVENTF_LEFTUP)});
}

// Escape once for each open menu and once more for the bar.
void CloseMenus(size_t Open = 1)
{
    for (size_t i = 0; i <= Open; ++i)
        SendFromHelper({KeyStroke(VK_ESCAPE, false), KeyStroke(VK_ESCAPE, true)});
}

}  // namespace

std::vector<RECT> ChooseFromMenuBar(HWND Window, const std::vector<std::u16string>& Path,
                                    const TMenuShown& WhileShown)
{
    std::vector<RECT> opened;
    const HMENU bar = GetMenu(Window);
    const int top = Path.empty() || !bar ? -1 : MenuItemPosition(bar, Path[0]);
    EXPECT_GE(top, 0) << "the menu bar has no such item";
    RECT barItem{};
    if (top < 0 || !GetMenuItemRect(Window, bar, static_cast<UINT>(top), &barItem)) {
        ADD_FAILURE() << "the menu bar item has no place on the screen";
        return opened;
    }

    // The menus' own loop runs inside the handling of the first click: the later clicks come
    // from this thread, each once its menu shows.
    std::atomic<bool> loopOver{false};
    std::thread clicker([&] {
        std::vector<HWND> windows;
        HMENU menu = GetSubMenu(bar, top);
        for (size_t step = 1; step <= Path.size(); ++step) {
            HWND shown = nullptr;
            const DWORD start = GetTickCount();
            while (!shown && !loopOver && GetTickCount() - start < 120000) {
                shown = NewMenuWindow(windows);
                if (!shown)
                    Sleep(10);
            }
            if (!shown)
                return;  // nothing opened: the click came to nothing
            windows.push_back(shown);
            RECT r{};
            GetWindowRect(shown, &r);
            opened.push_back(r);
            if (WhileShown)
                WhileShown(shown, menu);
            if (step == Path.size())
                break;
            const int item = menu ? MenuItemPosition(menu, Path[step]) : -1;
            RECT itemRect{};
            if (item < 0 || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(item), &itemRect)) {
                CloseMenus();
                return;
            }
            menu = GetSubMenu(menu, item);
            ClickAtScreen(itemRect);
        }
        // The path ended at a menu (the bar item's or a submenu): the menus close again.
        if (menu)
            CloseMenus(windows.size());
    });
    SetCursorPos((barItem.left + barItem.right) / 2, (barItem.top + barItem.bottom) / 2);
    LeftClick();
    EXPECT_TRUE(InputHandled()) << "the clicks on the menus were not handled";
    loopOver = true;
    clicker.join();
    EXPECT_TRUE(InputHandled());
    return opened;
}

bool HoverMenuItem(HMENU Menu, int Position)
{
    RECT item{};
    if (!GetMenuItemRect(nullptr, Menu, static_cast<UINT>(Position), &item))
        return false;
    SendFromHelper({AbsoluteMove({(item.left + item.right) / 2, (item.top + item.bottom) / 2})});
    const DWORD start = GetTickCount();
    while (!(GetMenuState(Menu, static_cast<UINT>(Position), MF_BYPOSITION) & MF_HILITE)) {
        if (GetTickCount() - start > kPatienceMs)
            return false;
        Sleep(10);
    }
    return true;
}

bool InputHandled(int MaxMs)
{
    // Input waits in the thread's queue until the loop takes it; a witness ticks only once
    // no input, posted message or paint is waiting, so its tick follows the input's handling.
    const bool queueEmpty =
        PumpUntil([] { return (HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) == 0; }, MaxMs);
    const TimerWitness witness;
    return PumpUntil(witness.Ticked(2), MaxMs) && queueEmpty;
}

bool BringToFront(HWND Window, int MaxMs)
{
    const HWND top = GetAncestor(Window, GA_ROOT);
    return PumpUntil(
        [top] {
            if (GetForegroundWindow() != top)
                SetForegroundWindow(top);
            return GetForegroundWindow() == top;
        },
        MaxMs);
}

bool FocusWindow(HWND Window, int MaxMs)
{
    if (!BringToFront(Window, MaxMs))
        return false;
    return PumpUntil(
        [Window] {
            if (GetFocus() != Window)
                SetFocus(Window);
            return GetFocus() == Window;
        },
        MaxMs);
}

void PressKey(WORD Key, std::initializer_list<WORD> Modifiers)
{
    Chord(Key, Modifiers);
    EXPECT_TRUE(InputHandled()) << "the key strokes were not handled";
}

void SendKeyNow(WORD Key, std::initializer_list<WORD> Modifiers)
{
    Chord(Key, Modifiers);
}

void MoveMouseTo(HWND Window, POINT Client)
{
    ClientToScreen(Window, &Client);
    Send({AbsoluteMove(Client)});
    EXPECT_TRUE(InputHandled()) << "the move was not handled";
}

void TypeText(const std::u16string& Text)
{
    for (const char16_t ch : Text) {
        const SHORT scan = VkKeyScanW(static_cast<WCHAR>(ch));
        ASSERT_NE(scan, -1) << "the keyboard layout cannot type U+" << std::hex << static_cast<int>(ch);
        const WORD key = LOBYTE(scan);
        if (HIBYTE(scan) & 1)
            Chord(key, {VK_SHIFT});
        else
            Chord(key, {});
        // One character at a time: a handler that moves the focus or the caret sees each.
        EXPECT_TRUE(InputHandled()) << "typing stalled at a character";
    }
}

void ClickAt(HWND Window, POINT Client, bool Right)
{
    MoveCursorTo(Window, Client);
    if (Right)
        Send({MouseEvent(MOUSEEVENTF_RIGHTDOWN), MouseEvent(MOUSEEVENTF_RIGHTUP)});
    else
        LeftClick();
    EXPECT_TRUE(InputHandled()) << "the click was not handled";
}

void PressButtonAt(HWND Window, POINT Client)
{
    MoveCursorTo(Window, Client);
    Send({MouseEvent(MOUSEEVENTF_LEFTDOWN)});
    EXPECT_TRUE(InputHandled()) << "the press was not handled";
}

void ReleaseButton()
{
    Send({MouseEvent(MOUSEEVENTF_LEFTUP)});
    EXPECT_TRUE(InputHandled()) << "the release was not handled";
}

void TurnWheelAt(HWND Window, POINT Client, int Delta)
{
    MoveCursorTo(Window, Client);
    INPUT turn = MouseEvent(MOUSEEVENTF_WHEEL);
    turn.mi.mouseData = static_cast<DWORD>(Delta);
    Send({turn});
    EXPECT_TRUE(InputHandled()) << "the wheel turn was not handled";
}

void DoubleClickAt(HWND Window, POINT Client)
{
    MoveCursorTo(Window, Client);
    LeftClick();
    LeftClick();
    EXPECT_TRUE(InputHandled()) << "the double click was not handled";
}

}  // namespace l3d::testing
