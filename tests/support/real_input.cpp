#include "support/real_input.h"

#include "support/pump.h"

#include <gtest/gtest.h>

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

void MoveCursorTo(HWND Window, POINT Client)
{
    ClientToScreen(Window, &Client);
    SetCursorPos(Client.x, Client.y);
}

void LeftClick()
{
    Send({MouseEvent(MOUSEEVENTF_LEFTDOWN), MouseEvent(MOUSEEVENTF_LEFTUP)});
}

}  // namespace

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
    // Absolute positions run from 0 to 65535 across the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = MouseEvent(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    move.mi.dx = static_cast<LONG>((Client.x * 65535LL + (width - 1) / 2) / (width - 1));
    move.mi.dy = static_cast<LONG>((Client.y * 65535LL + (height - 1) / 2) / (height - 1));
    Send({move});
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

void DoubleClickAt(HWND Window, POINT Client)
{
    MoveCursorTo(Window, Client);
    LeftClick();
    LeftClick();
    EXPECT_TRUE(InputHandled()) << "the double click was not handled";
}

}  // namespace l3d::testing
