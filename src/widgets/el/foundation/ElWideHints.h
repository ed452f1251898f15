// Packed wide hints: a wide hint carried inside the framework's 8-bit Hint property.
//   [8-bit text (L)][00][UTF-16LE (2N)][00 00][FE FF]      total L + 2N + 5 bytes
// Read as a null-terminated 8-bit string it is the 8-bit text alone.
#pragma once

#include <string>

// The packed form of Hint (the 8-bit text in the system code page).
std::string PackWideHint(const std::u16string& Hint);
// The part before the first "|"; the whole text when there is none.
std::u16string GetWideShortHint(const std::u16string& S);
// The long hint (after the first "|", else everything) of a packed or plain 8-bit hint.
std::u16string GetWideLongHint(const std::string& S);
