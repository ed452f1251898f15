#include "framework/DateTime.h"

#include "framework/Exceptions.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// Days from 0001-01-01 to 1899-12-30.
constexpr int64_t kDelta = 693593;

int64_t DaysBeforeYear(int64_t y)
{
    --y;
    return y * 365 + y / 4 - y / 100 + y / 400;
}

}  // namespace

bool IsLeapYear(int Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12)
        return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result)
{
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    int64_t days = DaysBeforeYear(Year);
    for (int m = 1; m < Month; ++m)
        days += DaysInMonth(Year, m);
    days += Day - 1;
    Result = static_cast<double>(days - kDelta);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime r = 0;
    if (!TryEncodeDate(Year, Month, Day, r))
        throw EConvertError(u"Invalid argument to date encode");
    return r;
}

bool TryEncodeTime(int Hour, int Minute, int Second, int MilliSecond, TDateTime& Result)
{
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 || MilliSecond < 0 ||
        MilliSecond > 999)
        return false;
    Result = (((Hour * 60.0 + Minute) * 60.0 + Second) * 1000.0 + MilliSecond) / 86400000.0;
    return true;
}

TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond)
{
    TDateTime r = 0;
    if (!TryEncodeTime(Hour, Minute, Second, MilliSecond, r))
        throw EConvertError(u"Invalid argument to time encode");
    return r;
}

TCivilDateTime DecodeDateTime(TDateTime Value)
{
    TCivilDateTime c;
    if (!std::isfinite(Value))
        return c;
    // Whole milliseconds since the epoch; a negative value's fraction is a time after midnight
    // of the day it truncates to.
    double dayPart = std::trunc(Value);
    int64_t ms = static_cast<int64_t>(std::llround(std::fabs(Value - dayPart) * 86400000.0));
    if (ms >= 86400000) {
        ms -= 86400000;
        dayPart += Value < 0 ? -1 : 1;
    }
    int64_t days = static_cast<int64_t>(dayPart) + kDelta;
    if (days < 0)
        days = 0;
    // Civil date from a day count since 0001-01-01.
    int64_t y = (days * 400) / 146097 + 1;
    while (DaysBeforeYear(y) > days)
        --y;
    while (DaysBeforeYear(y + 1) <= days)
        ++y;
    int64_t doy = days - DaysBeforeYear(y);
    int m = 1;
    while (m < 12 && doy >= DaysInMonth(static_cast<int>(y), m)) {
        doy -= DaysInMonth(static_cast<int>(y), m);
        ++m;
    }
    c.Year = static_cast<int>(y);
    c.Month = m;
    c.Day = static_cast<int>(doy) + 1;
    c.Hour = static_cast<int>(ms / 3600000);
    c.Minute = static_cast<int>(ms / 60000 % 60);
    c.Second = static_cast<int>(ms / 1000 % 60);
    c.MilliSecond = static_cast<int>(ms % 1000);
    return c;
}

int DayOfWeek(TDateTime Value)
{
    // 1899-12-30 was a Saturday.
    const int64_t days = static_cast<int64_t>(std::trunc(Value));
    return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

TDateTime Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    TDateTime date = 0, time = 0;
    TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date);
    TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, static_cast<int>(ms), time);
    return date + time;
}
