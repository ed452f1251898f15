#include "widgets/el/foundation/ElVersionInfo.h"

#include "framework/Exceptions.h"
#include "framework/StrConv.h"
#include "framework/WinText.h"

#include <windows.h>

#include <cstdio>

namespace {

std::u16string ProgramPath()
{
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, WideBuffer(path),
                                           static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

TElVersionInfo::TElVersionInfo(TComponent* AOwner) : TComponent(AOwner)
{
    SetFileName(u"");
}

void TElVersionInfo::SetFileName(const std::u16string& Value)
{
    const std::u16string module = Value.empty() ? ProgramPath() : Value;
    fileName_ = Value;
    block_.clear();
    hasFixedInfo_ = false;
    fileVersionMS_ = fileVersionLS_ = fileFlags_ = 0;
    translation_ = "040904E4";

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(WideChars(module), &handle);
    if (size == 0)
        return;
    block_.assign(size, 0);
    if (!GetFileVersionInfoW(WideChars(module), 0, size, block_.data())) {
        const DWORD code = GetLastError();
        block_.clear();
        throw EOSError(u"System Error. Code: " + AnsiToWide(std::to_string(code)), code);
    }
    void* value = nullptr;
    UINT len = 0;
    // Every value is read within the length the query reports: a malformed block is no reason
    // to read past it.
    if (VerQueryValueW(block_.data(), L"\\VarFileInfo\\Translation", &value, &len) && value && len >= 4) {
        const auto* words = static_cast<const WORD*>(value);
        char text[16];
        std::snprintf(text, sizeof text, "%04X%04X", words[0], words[1]);
        translation_ = text;
    }
    if (VerQueryValueW(block_.data(), L"\\", &value, &len) && value && len >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        hasFixedInfo_ = true;
        fileVersionMS_ = fixed->dwFileVersionMS;
        fileVersionLS_ = fixed->dwFileVersionLS;
        fileFlags_ = fixed->dwFileFlags;
    }
}

TVersionAttributes TElVersionInfo::Attributes() const
{
    if (!hasFixedInfo_)
        return 0;
    TVersionAttributes set = 0;
    if (fileFlags_ & VS_FF_DEBUG) set |= 1 << vaDebug;
    if (fileFlags_ & VS_FF_PATCHED) set |= 1 << vaPatched;
    if (fileFlags_ & VS_FF_PRERELEASE) set |= 1 << vaPreRelease;
    if (fileFlags_ & VS_FF_PRIVATEBUILD) set |= 1 << vaPrivateBuild;
    if (fileFlags_ & VS_FF_SPECIALBUILD) set |= 1 << vaSpecialBuild;
    return set;
}

std::string TElVersionInfo::Language() const
{
    unsigned language = 1033;
    unsigned parsed = 0;
    int used = 0;
    const std::string digits = translation_.substr(0, 4);
    if (std::sscanf(digits.c_str(), "%4x%n", &parsed, &used) == 1 && used == 4)
        language = parsed;
    char name[64] = {};
    VerLanguageNameA(language, name, sizeof name);
    return name;
}

std::string TElVersionInfo::StringEntry(const char* Key) const
{
    if (!hasFixedInfo_)
        return {};
    const std::u16string path = u"\\StringFileInfo\\" + AnsiToWide(translation_) + u"\\" + AnsiToWide(Key);
    void* value = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(const_cast<uint8_t*>(block_.data()), WideChars(path), &value, &len) || !value)
        return {};
    // len counts characters (with the terminator, when there is one): stop at whichever comes first.
    const auto* text = static_cast<const char16_t*>(value);
    std::u16string s;
    for (UINT i = 0; i < len && text[i]; ++i)
        s += text[i];
    return WideToAnsi(s);
}
