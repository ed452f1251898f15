// The characteristics dialog's rules: the status bar (date, time, kind of scan, point count),
// the field size shown and stored in the chosen unit, and the remarks that OK stores.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/LanguageTexts.h"
#include "framework/FormatSettings.h"
#include "scan/model/DataTypes.h"

struct TMeasureUnit;

struct TRemarksStatus {
    std::u16string Date;    // "??/??/??" when the date cannot be written
    std::u16string Time;    // "??:??" then
    std::u16string Kind;    // by the scan block's mode byte
    std::u16string Points;  // the number of points
};
TRemarksStatus RemarksStatusTexts(double DateTime, uint8_t DateFormatIndex, uint8_t TimeFormatIndex,
                                  uint8_t ModeByte, uint32_t PointCount);

// " Ground Scan" (0), " Discrimination" (1), " GPS Scan" (4), " Geoelectrical Scan" (5), else "".
std::u16string ScanKindText(uint8_t ModeByte);

// The field size can be edited unless the mode byte is 1.
bool FieldSizeEditable(uint8_t ModeByte);

// "<FieldLength> ( <suffix> )" and "<FieldWidth> ( <suffix> )"; the suffix is empty without a unit.
std::u16string FieldLengthLabel(const TMeasureUnit* Unit, const TTextLookup& Lookup = GlobalTextLookup());
std::u16string FieldWidthLabel(const TMeasureUnit* Unit, const TTextLookup& Lookup = GlobalTextLookup());

// What the dialog held when OK was pressed. The field values are the edits' values as they
// read when the dialog was filled and when it was closed.
struct TRemarksEdit {
    std::u16string Project;
    std::u16string Notes;
    int32_t SoilIndex = -1;  // -1: no soil chosen
    bool FieldSizeEdited = true;  // the edits were enabled
    double LengthShown = 0.0, LengthNow = 0.0;
    double WidthShown = 0.0, WidthNow = 0.0;
};

// The remarks OK stores: project and notes; the soil index unless none is chosen; each field
// size from its edit (the typed number times the unit's factor) when the edits were enabled
// and its value was changed: an edit left as it was keeps the stored size, which its two
// decimals may not show exactly. The date stays.
TRemarksRec_L3D_3 RemarksAfterEdit(const TRemarksRec_L3D_3& Old, const TRemarksEdit& Edit, const TMeasureUnit* Unit);

// What a key typed into a field-size edit does. A decimal separator ('.', ',' or the locale's)
// steps over a separator that stands right after the caret (the edit shows two decimals, so
// the caret often stands before one); anywhere else, or over a selection, it is typed as the
// locale's separator. Other keys are not separators and are typed as they are.
enum class TSeparatorKey : uint8_t { NotASeparator, StepOver, TypeSeparator };
TSeparatorKey SeparatorKeyAction(char16_t Key, char16_t DecimalSeparator, const std::u16string& Text,
                                 int64_t SelStart, int64_t SelLength);

// The largest field size the edits take, in the chosen unit.
constexpr double FieldSizeMaxValue = 99999.0;
// A field size as typed: a number above 0 and not above FieldSizeMaxValue in the locale's form;
// none for anything else.
std::optional<double> TypedFieldSize(const std::u16string& Text, const TFormatSettings& Format = FormatSettings());
// Why a typed field size is refused, quoting it and giving the range, in the language of Lookup.
std::u16string FieldSizeRefusedText(const std::u16string& Text, const TTextLookup& Lookup = GlobalTextLookup());
