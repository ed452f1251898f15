#include "widgets/el/editing/ElKeyboardPlatformWin.h"

#include "framework/Ime.h"

int32_t TElKeyboardPlatformWin::ToUnicode(uint16_t VirtualKey, uint32_t ScanCode, std::u16string& Chars)
{
    BYTE state[256]{};
    if (!GetKeyboardState(state))
        return 0;
    wchar_t buffer[8]{};
    const int produced = ::ToUnicode(VirtualKey, ScanCode, state, buffer, 8, 0);
    if (produced < 0) {
        // A dead key: the layout wrote its character and now waits to compose it with the next
        // key. The processor composes it itself, so the layout's wait is ended (a dead key
        // given twice ends it) and the next key comes back plain.
        Chars.assign(1, static_cast<char16_t>(buffer[0]));
        wchar_t flushed[8]{};
        ::ToUnicode(VirtualKey, ScanCode, state, flushed, 8, 0);
        return produced;
    }
    Chars.assign(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(produced));
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
