// FormatDateTime: the date-time pattern engine.
//
//   d dd ddd dddd   day, day with leading zero, short and long day name
//   m mm mmm mmmm   month likewise (m/mm right after an hour mean minutes)
//   yy yyyy         two- and four-digit year
//   h hh            hour (12-hour when an am/pm or a/p appears anywhere in the pattern)
//   n nn, s ss, z zzz   minutes, seconds, milliseconds
//   am/pm a/p       the marker in the case written ("am/pm" gives "am"/"pm", "AM/PM" "AM"/"PM")
//   ampm            the locale's TimeAMString / TimePMString
//   / :             the locale's date and time separators
//   '...' "..."     literal text
// Letters are matched without regard to case; any other character is copied.
#pragma once

#include "framework/DateTime.h"
#include "framework/FormatSettings.h"

#include <string>

std::u16string FormatDateTime(const std::u16string& Format, TDateTime Value,
                              const TFormatSettings& Settings = FormatSettings());
