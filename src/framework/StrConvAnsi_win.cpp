// The system code page through the Windows conversion functions.
#include "framework/StrConv.h"
#include "framework/WinText.h"

#include <windows.h>

std::string WideToAnsi(const std::u16string& S)
{
    if (S.empty())
        return {};
    const wchar_t* src = WideChars(S);
    const int n = WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(S.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(S.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::u16string AnsiToWide(const std::string& S)
{
    if (S.empty())
        return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, S.data(), static_cast<int>(S.size()), WideBuffer(out), n);
    return out;
}

bool IsAnsiLeadByte(uint8_t B)
{
    return IsDBCSLeadByteEx(CP_ACP, B) != 0;
}

std::string AnsiUpperCase(const std::string& S)
{
    std::string out = S;
    if (!out.empty())
        CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}
