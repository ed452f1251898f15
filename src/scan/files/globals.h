// Program-wide state shared by the main window, the dialogs and the file code, and a few
// routines used by several windows. The routines that need windows or OpenGL live with the
// units that bring those; what is here is portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "scan/files/TextIdFwd.h"
#include "scan/files/_TL3D_Filer.h"

class TLanguageManager;

using TColor = uint32_t;

// The settings of one user. Fields up to InfoWindowTop are kept in settings.cfg; the
// characteristics and print flags start from their defaults in every run.
struct TSettingsRecord {
    std::u16string OpenFolder;
    std::u16string SpareFolder1;
    std::u16string SpareFolder2;
    int32_t DeviceIndex = -1;
    std::u16string ImportFolder;
    std::u16string ComPort;
    uint8_t StoredFlag1 = 1;
    uint8_t SplitScreen = 1;
    uint8_t StoredFlag2 = 1;
    float ZoomStep = 1.25f;
    float MoveStep = 1.0f;
    float RotateStep = 1.0f;
    float ColorLimitStep = 3.0f;
    std::u16string Language;
    uint8_t MeasureUnitIndex = 0;
    uint8_t TimeFormatIndex = 0;
    uint8_t DateFormatIndex = 0;
    int32_t SurfaceThreshold = 7;
    int32_t SurroundThreshold = 4;
    uint8_t InterpolationPasses = 1;
    TColor BackgroundColor = 0;
    uint8_t InfoWindowVisible = 0;
    int32_t InfoWindowLeft = 0;
    int32_t InfoWindowTop = 0;
    uint8_t CheckCharacteristics = 1;
    uint8_t PrintBackground = 0;
    uint8_t PrintProjectInfo = 1;
    uint8_t PrintScanImage = 1;
};

// Date and time patterns offered by the preferences, chosen by index.
struct TFormatStrings {
    std::string DateFormats[3];
    std::string TimeFormats[2];
};

// A live scan in progress; only the main window reads and writes it.
struct TLiveScan {
    int32_t DeviceIndex = -1;
    uint8_t OperatingMode = 0;
};

extern TSettingsRecord GlobalSettings;
extern std::vector<TGlobalDevice> Devices;
extern std::vector<TSoil> SoilTypes;
extern std::vector<TMeasureUnit> MeasureUnits;
extern TFormatStrings DateTimeFormats;
extern TLiveScan LiveScan;
// Owned by the main window, which sets this while it lives; null before and after.
extern TLanguageManager* LanguageManager;

// The text of ID in the active language, or Default when there is no language manager or no
// active language or the language has no text for the ID. Language texts are plain text,
// never format strings: a "%s" in them is filled with FormatMessageS (framework/Exceptions.h),
// which replaces it literally.
std::u16string GetText(TTextId ID, const std::u16string& Default);

// The date and time patterns as the preferences offer them.
TFormatStrings DefaultFormatStrings();

// Formats an OLE date with a pattern of the framework's FormatDateTime; the result is in the
// system code page. A date outside the years 1 to 9999 (or NaN, infinite) gives an empty text.
std::string FormatDateTimePattern(const std::string& Pattern, double DateTime);

// DateTime in DateFormats[Index] / TimeFormats[Index]; an index out of range uses format 0.
std::string DateToText(uint8_t Index, double DateTime);
std::string TimeToText(uint8_t Index, double DateTime);

// The group of a colour-scale stop: red, blue, green or the no-colour value.
constexpr TColor ColorGroupRed = 0x0000FF;
constexpr TColor ColorGroupBlue = 0xFF0000;
constexpr TColor ColorGroupGreen = 0x008000;
constexpr TColor ColorGroupNone = 0x1FFFFFFF;
TColor ColorGroupOf(uint8_t R, uint8_t G, uint8_t B);

// A value joined by VarArrayToWideString.
using TVarValue = std::variant<std::u16string, int64_t, double>;

// The text forms of Values joined in array order when Forward is 1, else in reverse order
// (for right-to-left languages).
std::u16string VarArrayToWideString(uint8_t Forward, const std::vector<TVarValue>& Values);

// The frame read from OpenGL (RGBA rows, bottom row first) turned into the BGRA pixels of a
// bottom-up 32-bit bitmap; with MakeWhite = 1 every pixel of exactly the colour Color (an RGB
// value, red in the low byte) becomes white. Returns false for a buffer that does not hold
// Width * Height pixels.
bool GLPixelsToBitmapBits(std::vector<uint8_t>& Pixels, int32_t Width, int32_t Height,
                          TColor Color, uint8_t MakeWhite);
