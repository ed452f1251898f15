// The state of the modifier keys and mouse buttons that key and mouse events carry, and the
// short-cuts of menu items: a virtual key code in the low byte with modifier bits above it,
// written as texts such as "Ctrl+R", "F11", "Ctrl+F1" or "Shift+Ctrl+X". Portable.
#pragma once

#include <cstdint>
#include <string>

using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;

using TShortCut = uint16_t;
constexpr TShortCut scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// Key (a virtual key code, its low byte) with the Shift, Ctrl and Alt of Shift.
TShortCut ShortCut(uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift);

// The text of a short-cut: modifiers in the order Shift, Ctrl, Alt, then the key's name
// ("Shift+Ctrl+X"). Empty for scNone and for a key without a name.
std::u16string ShortCutToText(TShortCut ShortCut);
// The short-cut a text names; modifiers may come in any order and any case ("ctrl+shift+x").
// scNone when the text names no key.
TShortCut TextToShortCut(const std::u16string& Text);
