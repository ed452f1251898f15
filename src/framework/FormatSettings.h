// The locale's number and date conventions. Portable: the defaults are English; on Windows
// the application fills them from the user's locale when it starts (LoadLocaleFormatSettings).
#pragma once

#include <array>
#include <string>

struct TFormatSettings {
    char16_t DecimalSeparator = u'.';
    char16_t ThousandSeparator = u',';  // 0: no grouping
    char16_t DateSeparator = u'/';
    char16_t TimeSeparator = u':';
    std::u16string TimeAMString = u"AM";
    std::u16string TimePMString = u"PM";
    std::array<std::u16string, 12> ShortMonthNames{u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                   u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
    std::array<std::u16string, 12> LongMonthNames{u"January", u"February", u"March",     u"April",
                                                  u"May",     u"June",     u"July",      u"August",
                                                  u"September", u"October", u"November", u"December"};
    // Index 0 is Sunday.
    std::array<std::u16string, 7> ShortDayNames{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
    std::array<std::u16string, 7> LongDayNames{u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                               u"Thursday", u"Friday", u"Saturday"};
};

// The process-wide settings the conversions use when none are passed.
TFormatSettings& FormatSettings();
