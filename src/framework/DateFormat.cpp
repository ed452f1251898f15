#include "framework/DateFormat.h"

#include <cctype>

namespace {

char16_t Lower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

bool StartsWithNoCase(const std::u16string& s, size_t at, const char16_t* what)
{
    for (size_t k = 0; what[k]; ++k)
        if (at + k >= s.size() || Lower(s[at + k]) != Lower(what[k]))
            return false;
    return true;
}

std::u16string Number(int v, int width)
{
    std::u16string out;
    const std::string s = std::to_string(v);
    for (int i = static_cast<int>(s.size()); i < width; ++i)
        out += u'0';
    out.append(s.begin(), s.end());
    return out;
}

size_t RunLength(const std::u16string& f, size_t i, char16_t letter)
{
    size_t n = 0;
    while (i + n < f.size() && Lower(f[i + n]) == letter)
        ++n;
    return n;
}

bool HasAmPm(const std::u16string& f)
{
    bool quoted = false;
    char16_t quote = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        if (quoted) {
            if (f[i] == quote)
                quoted = false;
            continue;
        }
        if (f[i] == u'\'' || f[i] == u'"') {
            quoted = true;
            quote = f[i];
        } else if (StartsWithNoCase(f, i, u"am/pm") || StartsWithNoCase(f, i, u"a/p") ||
                   StartsWithNoCase(f, i, u"ampm")) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::u16string FormatDateTime(const std::u16string& Format, TDateTime Value, const TFormatSettings& Settings)
{
    const TCivilDateTime c = DecodeDateTime(Value);
    const bool twelveHour = HasAmPm(Format);
    std::u16string out;
    bool lastWasHour = false;
    size_t i = 0;
    while (i < Format.size()) {
        const char16_t ch = Format[i];
        const char16_t lc = Lower(ch);
        if (ch == u'\'' || ch == u'"') {
            const size_t end = Format.find(ch, i + 1);
            const size_t stop = end == std::u16string::npos ? Format.size() : end;
            out.append(Format, i + 1, stop - i - 1);
            i = end == std::u16string::npos ? Format.size() : end + 1;
            continue;
        }
        if (StartsWithNoCase(Format, i, u"am/pm")) {
            const bool upper = ch == u'A';
            out += c.Hour < 12 ? (upper ? u"AM" : u"am") : (upper ? u"PM" : u"pm");
            i += 5;
            continue;
        }
        if (StartsWithNoCase(Format, i, u"a/p")) {
            const bool upper = ch == u'A';
            out += c.Hour < 12 ? (upper ? u'A' : u'a') : (upper ? u'P' : u'p');
            i += 3;
            continue;
        }
        if (StartsWithNoCase(Format, i, u"ampm")) {
            out += c.Hour < 12 ? Settings.TimeAMString : Settings.TimePMString;
            i += 4;
            continue;
        }
        const size_t run = RunLength(Format, i, lc);
        bool hourToken = false;
        switch (lc) {
        case u'd':
            if (run == 1) out += Number(c.Day, 1);
            else if (run == 2) out += Number(c.Day, 2);
            else if (run == 3) out += Settings.ShortDayNames[DayOfWeek(Value) - 1];
            else out += Settings.LongDayNames[DayOfWeek(Value) - 1];
            i += run > 4 ? 4 : run;
            break;
        case u'm':
            if (lastWasHour && run <= 2) {
                out += Number(c.Minute, static_cast<int>(run));
            } else if (run == 1 || run == 2) {
                out += Number(c.Month, static_cast<int>(run));
            } else if (run == 3) {
                out += Settings.ShortMonthNames[c.Month - 1];
            } else {
                out += Settings.LongMonthNames[c.Month - 1];
            }
            i += run > 4 ? 4 : run;
            break;
        case u'y':
            if (run <= 2) out += Number(c.Year % 100, 2);
            else out += Number(c.Year, 4);
            i += run;
            break;
        case u'h': {
            int h = c.Hour;
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += Number(h, run >= 2 ? 2 : 1);
            i += run > 2 ? 2 : run;
            hourToken = true;
            break;
        }
        case u'n':
            out += Number(c.Minute, run >= 2 ? 2 : 1);
            i += run > 2 ? 2 : run;
            break;
        case u's':
            out += Number(c.Second, run >= 2 ? 2 : 1);
            i += run > 2 ? 2 : run;
            break;
        case u'z':
            out += Number(c.MilliSecond, run >= 3 ? 3 : 1);
            i += run >= 3 ? 3 : 1;
            break;
        case u'/':
            out += Settings.DateSeparator;
            ++i;
            break;
        case u':':
            out += Settings.TimeSeparator;
            ++i;
            // A separator keeps "h:m" meaning minutes.
            hourToken = lastWasHour;
            break;
        default:
            out += ch;
            ++i;
            hourToken = lastWasHour && !std::isalpha(static_cast<unsigned char>(ch < 128 ? ch : 'x'));
            break;
        }
        lastWasHour = hourToken;
    }
    return out;
}
