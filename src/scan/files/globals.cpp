#include "scan/files/globals.h"

#include <cstdio>

#include "framework/DateFormat.h"
#include "framework/StrConv.h"
#include "scan/files/_TLanguageManager.h"

TSettingsRecord GlobalSettings;
std::vector<TGlobalDevice> Devices;
std::vector<TSoil> SoilTypes;
std::vector<TMeasureUnit> MeasureUnits;
TFormatStrings DateTimeFormats = DefaultFormatStrings();
TLiveScan LiveScan;
TLanguageManager* LanguageManager = nullptr;

std::u16string GetText(TTextId ID, const std::u16string& Default)
{
    if (LanguageManager == nullptr)
        return Default;
    return LanguageManager->GetText(ID, Default);
}

TFormatStrings DefaultFormatStrings()
{
    TFormatStrings F;
    F.DateFormats[0] = "dd'.'mm'.'yyyy";
    F.DateFormats[1] = "d'. 'mmmm' 'yyyy";
    F.DateFormats[2] = "dddd', 'd'. 'mmmm' 'yyyy";
    F.TimeFormats[0] = "hh:nn";
    F.TimeFormats[1] = "hh:nn am/pm";
    return F;
}

namespace {

// OLE dates of 1 January 0001 and of 1 January 10000: the range that has a civil date.
constexpr double MinDateTime = -693593.0;
constexpr double MaxDateTimeExclusive = 2958466.0;

} // namespace

std::string FormatDateTimePattern(const std::string& Pattern, double DateTime)
{
    if (!(DateTime >= MinDateTime && DateTime < MaxDateTimeExclusive))
        return {}; // also NaN: no conversion of such a value is defined
    return WideToAnsi(FormatDateTime(AnsiToWide(Pattern), DateTime));
}

std::string DateToText(uint8_t Index, double DateTime)
{
    const std::string& Pattern =
        DateTimeFormats.DateFormats[Index < 3 ? Index : 0];
    return FormatDateTimePattern(Pattern, DateTime);
}

std::string TimeToText(uint8_t Index, double DateTime)
{
    const std::string& Pattern =
        DateTimeFormats.TimeFormats[Index < 2 ? Index : 0];
    return FormatDateTimePattern(Pattern, DateTime);
}

TColor ColorGroupOf(uint8_t R, uint8_t G, uint8_t B)
{
    if (R == 255)
        return ColorGroupRed;
    if (R == 0 && B >= 100)
        return ColorGroupBlue;
    if (B < 100)
        return ColorGroupGreen;
    return ColorGroupNone;
}

namespace {

std::u16string AsciiToWide(const std::string& S) { return std::u16string(S.begin(), S.end()); }

std::u16string VarToWide(const TVarValue& V)
{
    if (const auto* S = std::get_if<std::u16string>(&V))
        return *S;
    if (const auto* I = std::get_if<int64_t>(&V))
        return AsciiToWide(std::to_string(*I));
    char Buffer[32];
    std::snprintf(Buffer, sizeof Buffer, "%.15g", std::get<double>(V));
    return AsciiToWide(Buffer);
}

} // namespace

std::u16string VarArrayToWideString(uint8_t Forward, const std::vector<TVarValue>& Values)
{
    std::u16string Result;
    for (const TVarValue& V : Values) {
        if (Forward == 1)
            Result += VarToWide(V);
        else
            Result.insert(0, VarToWide(V));
    }
    return Result;
}

bool GLPixelsToBitmapBits(std::vector<uint8_t>& Pixels, int32_t Width, int32_t Height,
                          TColor Color, uint8_t MakeWhite)
{
    if (Width < 0 || Height < 0 || Pixels.size() != static_cast<size_t>(Width) * Height * 4)
        return false;
    const uint8_t R = Color & 0xFF, G = (Color >> 8) & 0xFF, B = (Color >> 16) & 0xFF;
    for (size_t i = 0; i < Pixels.size(); i += 4) {
        if (MakeWhite == 1 && Pixels[i] == R && Pixels[i + 1] == G && Pixels[i + 2] == B) {
            Pixels[i] = Pixels[i + 1] = Pixels[i + 2] = 255;
        }
        std::swap(Pixels[i], Pixels[i + 2]); // RGBA to the bitmap's BGRA
    }
    return true;
}
