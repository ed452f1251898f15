// The virtual-key codes that portable key handling compares against (the values are the
// system's; the names stay clear of its macros), with the shift state and short-cuts of
// framework/ShortCuts.h.
#pragma once

#include "framework/ShortCuts.h"

#include <cstdint>

namespace VKey {
constexpr uint16_t Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
                   Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
                   Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Insert = 0x2D, Delete = 0x2E,
                   LWin = 0x5B, RWin = 0x5C, LShift = 0xA0, RShift = 0xA1, LControl = 0xA2,
                   RControl = 0xA3, LMenu = 0xA4, RMenu = 0xA5, NumPad0 = 0x60, F1 = 0x70, F4 = 0x73,
                   F5 = 0x74, F6 = 0x75, F7 = 0x76, F8 = 0x77;
// Digits and letters are their ASCII upper-case codes ('0'..'9', 'A'..'Z').
constexpr bool IsModifier(uint16_t Key)
{
    return Key == Shift || Key == Control || Key == Menu || Key == LWin || Key == RWin ||
           (Key >= LShift && Key <= RMenu);
}
// Alt+F4, which the system turns into closing the window once the control's default handling
// sees it: a control that swallows its keys lets this one pass.
constexpr bool IsCloseWindowKey(uint16_t Key, TShiftState Shift)
{
    return Key == F4 && (Shift & ssAlt) != 0;
}
}  // namespace VKey
