// Hint texts. A hint is "short|long": the short part is the tool tip, the long part the
// status-bar text; a hint without a bar is both.
//
// The packed wide hint carries a wide hint inside an 8-bit string:
//   [8-bit text (L)][00][UTF-16LE (2N)][00 00][FE FF]      total L + 2N + 5 bytes
// Read as a null-terminated 8-bit string it is the 8-bit text alone, so code that knows
// nothing of the packing still shows a usable hint. Portable.
#pragma once

#include <string>

std::u16string GetShortHint(const std::u16string& Hint);
std::u16string GetLongHint(const std::u16string& Hint);

// The packed form of Hint (its 8-bit text in the system code page).
std::string PackWideHint(const std::u16string& Hint);
// The wide text of a packed hint; false (Wide untouched) when S is not exactly of that form.
bool UnpackWideHint(const std::string& S, std::u16string& Wide);
// The long hint of a packed or plain 8-bit hint, as wide text.
std::u16string GetWideLongHint(const std::string& S);
// The widget layer's name for GetShortHint.
inline std::u16string GetWideShortHint(const std::u16string& S)
{
    return GetShortHint(S);
}
