// Real keyboard and mouse input for tests that drive windows as a user does. The strokes go
// through the system's input queue (SendInput) to the window that has the focus, so they take
// the same road as a user's keys: accelerators, key preview, TranslateMessage and the
// character messages it makes, the focus and activation rules. Use these, not messages posted
// to a window, wherever a user meets the behaviour through the keyboard or the mouse.
#pragma once

#include "support/pump.h"

#include <windows.h>

#include <initializer_list>
#include <string>

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

// Types Text key by key as the active keyboard layout produces each character (Shift where
// needed), then waits until everything it caused was handled. Characters the layout cannot
// type fail the calling test.
void TypeText(const std::u16string& Text);

// Clicks (or double-clicks) at a point of Window's client area with the left or right button
// and waits until the click was handled.
void ClickAt(HWND Window, POINT Client, bool Right = false);
void DoubleClickAt(HWND Window, POINT Client);

// Waits until the input sent so far and everything it posted in turn was handled.
bool InputHandled(int MaxMs = kPatienceMs);

}  // namespace l3d::testing
