// The keyboard input processor's window side on Windows: the layout's translation of a key,
// the Ctrl key, posting a character back to the window, and the input method's result string.
#pragma once

#include "widgets/el/editing/ElKeyboardInput.h"

#include <windows.h>

class TElKeyboardPlatformWin : public IElKeyboardPlatform {
public:
    explicit TElKeyboardPlatformWin(HWND Window = nullptr) : Window(Window) {}

    // The window whose messages are processed; null while there is none.
    HWND Window;

    int32_t ToUnicode(uint16_t VirtualKey, uint32_t ScanCode, std::u16string& Chars) override;
    bool CtrlDown() override;
    void PostChar(char16_t Ch) override;
    bool ImeResultString(std::u16string& Text) override;
};
