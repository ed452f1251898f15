#include "framework/DateFormat.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <tuple>

namespace {

TDateTime At(int y, int mo, int d, int h, int mi, int s = 0)
{
    return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, 0);
}

TEST(DateTime, CivilConversionRoundTrips)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    for (TDateTime d : {-693593.0, -1.25, 0.0, 36585.0, 36586.5, 2958465.999988426}) {
        const TCivilDateTime c = DecodeDateTime(d);
        TDateTime back = EncodeDate(c.Year, c.Month, c.Day);
        back += (back < 0 ? -1 : 1) * EncodeTime(c.Hour, c.Minute, c.Second, c.MilliSecond);
        EXPECT_NEAR(back, d, 1e-8) << d;
    }
    const TCivilDateTime leap = DecodeDateTime(EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59, 999));
    EXPECT_EQ(leap.Month, 2);
    EXPECT_EQ(leap.Day, 29);
    EXPECT_EQ(leap.MilliSecond, 999);
    TDateTime r;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, r));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, r));
    EXPECT_TRUE(TryEncodeDate(2000, 2, 29, r));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, r));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, r));
    EXPECT_TRUE(TryEncodeTime(23, 59, 59, 999, r));
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
    EXPECT_EQ(DaysInMonth(2024, 0), 0);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 2)), 1);  // a Sunday
    EXPECT_EQ(DayOfWeek(0), 7);
}

TEST(FormatDateTime, TheProgramsDateAndTimePatterns)
{
    const TFormatSettings en;
    const TDateTime t = At(2024, 3, 5, 13, 7);
    EXPECT_EQ(FormatDateTime(u"dd'.'mm'.'yyyy", t, en), u"05.03.2024");
    EXPECT_EQ(FormatDateTime(u"d'. 'mmmm' 'yyyy", t, en), u"5. March 2024");
    EXPECT_EQ(FormatDateTime(u"dddd', 'd'. 'mmmm' 'yyyy", t, en), u"Tuesday, 5. March 2024");
    EXPECT_EQ(FormatDateTime(u"hh:nn", t, en), u"13:07");
    EXPECT_EQ(FormatDateTime(u"hh:nn am/pm", t, en), u"01:07 pm");
    EXPECT_EQ(FormatDateTime(u"hh:nn am/pm", At(2024, 3, 5, 0, 30), en), u"12:30 am");
    EXPECT_EQ(FormatDateTime(u"hh:nn am/pm", At(2024, 3, 5, 12, 0), en), u"12:00 pm");
    EXPECT_EQ(FormatDateTime(u"hh:nn AM/PM", At(2024, 3, 5, 9, 5), en), u"09:05 AM");
}

TEST(FormatDateTime, LocaleNamesSeparatorsAndMinutesAfterHours)
{
    TFormatSettings de;
    de.LongMonthNames[2] = u"März";
    de.LongDayNames[2] = u"Dienstag";
    de.TimeSeparator = u'.';
    de.DateSeparator = u'-';
    const TDateTime t = At(2024, 3, 5, 8, 4, 9);
    EXPECT_EQ(FormatDateTime(u"dddd d. mmmm", t, de), u"Dienstag 5. März");
    EXPECT_EQ(FormatDateTime(u"hh:nn:ss", t, de), u"08.04.09");
    EXPECT_EQ(FormatDateTime(u"yyyy/mm/dd", t, de), u"2024-03-05");
    EXPECT_EQ(FormatDateTime(u"h:m", t, de), u"8.4");          // m after an hour is minutes
    EXPECT_EQ(FormatDateTime(u"m/d/yy", t, de), u"3-5-24");
    EXPECT_EQ(FormatDateTime(u"\"at\" h 'o''clock'", t, de), u"at 8 oclock");
    EXPECT_EQ(FormatDateTime(u"ddd mmm", t, TFormatSettings{}), u"Tue Mar");
    EXPECT_EQ(FormatDateTime(u"'unterminated", t, de), u"unterminated");
}

TEST(FormatDateTime, TwelveHourMarkersQuotesAndTokenLengths)
{
    TFormatSettings en;
    en.TimeAMString = u"vorm.";
    en.TimePMString = u"nachm.";
    const TDateTime t = At(2024, 3, 5, 13, 7, 9) + EncodeTime(0, 0, 0, 5);
    EXPECT_EQ(FormatDateTime(u"h a/p", t, en), u"1 p");
    EXPECT_EQ(FormatDateTime(u"h A/P", At(2024, 3, 5, 9, 0), en), u"9 A");
    EXPECT_EQ(FormatDateTime(u"hh:nn ampm", t, en), u"01:07 nachm.");
    EXPECT_EQ(FormatDateTime(u"hh:nn ampm", At(2024, 3, 5, 9, 0), en), u"09:00 vorm.");
    // Quoted text is text: a marker inside quotes switches nothing, and a closing quote does
    // not open a new quotation.
    EXPECT_EQ(FormatDateTime(u"hh 'am/pm'", t, en), u"13 am/pm");
    EXPECT_EQ(FormatDateTime(u"hh 'h' am/pm", t, en), u"01 h pm");
    EXPECT_EQ(FormatDateTime(u"hh \"x\" a/p", t, en), u"01 x p");
    // A run longer than a token's longest form starts the token again.
    EXPECT_EQ(FormatDateTime(u"hhh nnn sss", t, en), u"1313 077 099");
    EXPECT_EQ(FormatDateTime(u"ss.zzz", t, en), u"09.005");
    EXPECT_EQ(FormatDateTime(u"z", t, en), u"5");
}

TEST(DateTime, NowIsTheLocalCalendarDate)
{
    auto localDate = [](std::time_t t) {
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &t);
#else
        localtime_r(&t, &local);
#endif
        return std::tuple{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    };
    // The clock is read on either side, in case the date changes in between.
    const std::time_t before = std::time(nullptr);
    const TCivilDateTime now = DecodeDateTime(Now());
    const std::time_t after = std::time(nullptr);
    const std::tuple date{now.Year, now.Month, now.Day};
    EXPECT_TRUE(date == localDate(before) || date == localDate(after))
        << now.Year << "-" << now.Month << "-" << now.Day;
}

}  // namespace
