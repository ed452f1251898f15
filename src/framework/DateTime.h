// TDateTime: days since 1899-12-30 as a double, the fraction being the time of day.
#pragma once

#include <cstdint>

using TDateTime = double;

struct TCivilDateTime {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
};

// False for a date outside 1..9999 or a day that the month does not have.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result);
// As TryEncodeDate; raises EConvertError "Invalid argument to date encode".
TDateTime EncodeDate(int Year, int Month, int Day);
bool TryEncodeTime(int Hour, int Minute, int Second, int MilliSecond, TDateTime& Result);
TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond);

// Splits a date-time into its civil parts (times before 1899-12-30 count their fraction
// away from zero, as the format does). Times are rounded to the nearest millisecond.
TCivilDateTime DecodeDateTime(TDateTime Value);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime Value);
bool IsLeapYear(int Year);
int DaysInMonth(int Year, int Month);

// The local date and time now.
TDateTime Now();
