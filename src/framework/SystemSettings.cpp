#include "framework/SystemSettings.h"

#include "framework/FileUtils.h"
#include "framework/FormatSettings.h"
#include "framework/WinText.h"

#include <windows.h>
#include <shlobj.h>

namespace {

std::u16string LocaleText(LCTYPE Type)
{
    wchar_t buf[128] = {};
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, Type, buf, 128);
    return n > 1 ? FromWide(buf) : std::u16string();
}

void TakeChar(LCTYPE Type, char16_t& Target)
{
    const std::u16string s = LocaleText(Type);
    if (!s.empty())
        Target = s[0];
}

void TakeText(LCTYPE Type, std::u16string& Target)
{
    const std::u16string s = LocaleText(Type);
    if (!s.empty())
        Target = s;
}

}  // namespace

void LoadLocaleFormatSettings()
{
    TFormatSettings& s = FormatSettings();
    TakeChar(LOCALE_SDECIMAL, s.DecimalSeparator);
    {
        const std::u16string t = LocaleText(LOCALE_STHOUSAND);
        s.ThousandSeparator = t.empty() ? 0 : t[0];
    }
    TakeChar(LOCALE_SDATE, s.DateSeparator);
    TakeChar(LOCALE_STIME, s.TimeSeparator);
    TakeText(LOCALE_S1159, s.TimeAMString);
    TakeText(LOCALE_S2359, s.TimePMString);
    for (int m = 0; m < 12; ++m) {
        TakeText(LOCALE_SABBREVMONTHNAME1 + m, s.ShortMonthNames[m]);
        TakeText(LOCALE_SMONTHNAME1 + m, s.LongMonthNames[m]);
    }
    // The locale counts Monday as day 1 and Sunday as day 7; ours start with Sunday.
    for (int d = 0; d < 7; ++d) {
        const int ours = (d + 1) % 7;
        TakeText(LOCALE_SABBREVDAYNAME1 + d, s.ShortDayNames[ours]);
        TakeText(LOCALE_SDAYNAME1 + d, s.LongDayNames[ours]);
    }
}

void InstallSystemFolderSeam()
{
    TFolderSeam& seam = FolderSeam();
    seam.SpecialFolder = [](TSpecialFolder f) -> std::u16string {
        wchar_t path[MAX_PATH] = {};
        const int csidl = f == TSpecialFolder::AppData    ? CSIDL_APPDATA
                          : f == TSpecialFolder::Pictures ? CSIDL_MYPICTURES
                                                          : CSIDL_PERSONAL;
        if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
            return {};
        return FromWide(path);
    };
    seam.ProgramFile = []() -> std::u16string {
        std::wstring buf(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
            if (n == 0)
                return {};
            if (n < buf.size())
                return FromWide(buf.c_str(), n);
            buf.resize(buf.size() * 2);
        }
    };
}
