// Real keyboard and mouse input for tests that drive windows as a user does. The strokes go
// through the system's input queue (SendInput) to the window that has the focus, so they take
// the same road as a user's keys: accelerators, key preview, TranslateMessage and the
// character messages it makes, the focus and activation rules. Use these, not messages posted
// to a window, wherever a user meets the behaviour through the keyboard or the mouse.
#pragma once

#include "support/pump.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace l3d::testing {

// Makes Window the foreground (active) window and waits until the system says it is.
// True when it became the foreground window within MaxMs.
bool BringToFront(HWND Window, int MaxMs = kPatienceMs);

// Gives the keyboard focus to Window (bringing its top-level window forward first) and waits
// until it has it. True when it has the focus within MaxMs.
bool FocusWindow(HWND Window, int MaxMs = kPatienceMs);

// Presses Key with the modifiers held (VK_CONTROL, VK_SHIFT, VK_MENU), releases all, then
// waits until the strokes and what they caused were handled.
void PressKey(WORD Key, std::initializer_list<WORD> Modifiers = {});

// Sends the strokes of PressKey and returns at once, without waiting: for a thread that is
// busy and takes its input only later.
void SendKeyNow(WORD Key, std::initializer_list<WORD> Modifiers = {});

// Types Text key by key as the active keyboard layout produces each character (Shift where
// needed), then waits until everything it caused was handled. Characters the layout cannot
// type fail the calling test.
void TypeText(const std::u16string& Text);

// Clicks (or double-clicks) at a point of Window's client area with the left or right button
// and waits until the click was handled.
void ClickAt(HWND Window, POINT Client, bool Right = false);
void DoubleClickAt(HWND Window, POINT Client);

// Presses the left button at a point of Window's client area and keeps it down until
// ReleaseButton; each waits until its input was handled.
void PressButtonAt(HWND Window, POINT Client);
void ReleaseButton();

// Turns the wheel by Delta (WHEEL_DELTA a notch; positive away from the user) with the pointer
// at a point of Window's client area, and waits until the turn was handled.
void TurnWheelAt(HWND Window, POINT Client, int Delta);

// Moves the mouse to a point of Window's client area, as the hand moves it, and waits until
// the move was handled.
void MoveMouseTo(HWND Window, POINT Client);

// Waits until the input sent so far and everything it posted in turn was handled.
bool InputHandled(int MaxMs = kPatienceMs);

// Chooses an item of Window's menu bar with real clicks: the bar's item named Path[0], then
// in each menu that opens the item named by the next entry (names as shown, without the
// short-cut text and '&'); when the last entry names a menu, the menus close again once it
// shows. The menus run their own loop meanwhile, so the clicks after the
// first come from a helper thread once each menu is on screen. Returns the screen rectangles
// of the menus that opened, in order; when one does not open (or an item is missing) the
// menus are closed with Escape and fewer rectangles come back. WhileShown, when given, runs on
// that helper thread for each menu as soon as it shows, with the menu's window and its native
// menu, before the next click (it may move the mouse and look at the menu).
using TMenuShown = std::function<void(HWND MenuWindow, HMENU Menu)>;
std::vector<RECT> ChooseFromMenuBar(HWND Window, const std::vector<std::u16string>& Path,
                                    const TMenuShown& WhileShown = {});

// From the helper thread of ChooseFromMenuBar: moves the mouse over the item of Menu at
// Position (as the hand moves it) and waits until the menu shows it highlighted. False when
// the item has no place on the screen or never became highlighted.
bool HoverMenuItem(HMENU Menu, int Position);

}  // namespace l3d::testing
