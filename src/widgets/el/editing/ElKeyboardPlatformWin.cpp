#include "widgets/el/editing/ElKeyboardPlatformWin.h"

#include "framework/Ime.h"

int32_t TElKeyboardPlatformWin::ToUnicode(uint16_t VirtualKey, uint32_t ScanCode, std::u16string& Chars)
{
    BYTE state[256]{};
    if (!GetKeyboardState(state))
        return 0;
    wchar_t buffer[8]{};
    const int produced = ::ToUnicode(VirtualKey, ScanCode, state, buffer, 8, 0);
    Chars.assign(reinterpret_cast<const char16_t*>(buffer), produced > 0 ? static_cast<size_t>(produced) : 0);
    return produced;
}

bool TElKeyboardPlatformWin::CtrlDown()
{
    return GetKeyState(VK_CONTROL) < 0;
}

void TElKeyboardPlatformWin::PostChar(char16_t Ch)
{
    if (Window)
        PostMessageW(Window, WM_CHAR, Ch, 0);
}

bool TElKeyboardPlatformWin::ImeResultString(std::u16string& Text)
{
    if (!Window)
        return false;
    const TImeContext context(Window);
    if (!context.Available())
        return false;
    Text = context.ResultString();
    return !Text.empty();
}
