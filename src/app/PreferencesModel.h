// The preferences dialog's rules: what its controls start with, whether its reset button
// ("Restore") is enabled, what it puts back, and the check of every field before OK applies
// any of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/LanguageTexts.h"
#include "framework/FormatSettings.h"
#include "scan/files/globals.h"

// What the dialog's controls hold. Indexes are -1 when nothing is chosen.
struct TPreferenceChoices {
    int32_t LanguageIndex = -1;
    int32_t UnitIndex = 0;
    int32_t TimeFormatIndex = 0;
    int32_t DateFormatIndex = 0;
    std::u16string ZoomStepText;    // "Zoom by"
    std::u16string MoveStepText;    // "Move by"
    std::u16string RotateStepText;  // "Rotate by"
    int32_t ColorStepPosition = 1;  // the track bar, 1 to 10
    TColor BackgroundColor = 0;
    bool CheckCharacteristics = true;
};

constexpr int32_t ColorStepMin = 1;
constexpr int32_t ColorStepMax = 10;
// The largest zoom, move and rotate step: the spin edits' maximum, and the check's.
constexpr double StepMaxValue = 100.0;

// A step as the spin edits show it: two decimals.
std::u16string StepText(double Step, const TFormatSettings& Format = FormatSettings());

// The controls for the settings: the colour-limit step to the nearest whole position within
// the track bar's range, and the language's index when the list holds it.
TPreferenceChoices ChoicesOfSettings(const TSettingsRecord& Settings, int32_t ActiveLanguageIndex,
                                     size_t LanguageCount, const TFormatSettings& Format = FormatSettings());

// The reset button ("Restore") is disabled exactly when the steps read 1.25, 1.0 and 1.0, the
// track bar stands at 1 and the unit, date and time formats at item 0. A text that is not a
// number (also while it is being typed, such as "1.") only enables it; nothing raises.
bool ResetButtonEnabled(const TPreferenceChoices& Choices, const TFormatSettings& Format = FormatSettings());
// What the reset button puts into the controls (language and check box stay).
void ResetPreferenceChoices(TPreferenceChoices& Choices, const TFormatSettings& Format = FormatSettings());

enum class TPreferenceField : uint8_t { None, ZoomStep, MoveStep, RotateStep, ColorStep };

// The checked values. A choice without a selection (or outside its list) keeps the old value.
struct TPreferenceValues {
    std::optional<int32_t> LanguageIndex;
    std::optional<uint8_t> UnitIndex;
    std::optional<uint8_t> TimeFormatIndex;
    std::optional<uint8_t> DateFormatIndex;
    float ZoomStep = 1.25f;
    float MoveStep = 1.0f;
    float RotateStep = 1.0f;
    float ColorLimitStep = 1.0f;
    TColor BackgroundColor = 0;
    uint8_t CheckCharacteristics = 1;
};

struct TPreferenceCheck {
    TPreferenceField BadField = TPreferenceField::None;  // the first field that failed
    std::u16string Error;                                // why, for the error box
    TPreferenceValues Values;                            // valid only when BadField is None
    bool Ok() const { return BadField == TPreferenceField::None; }
};

// Checks every field before anything is applied: each step must read as a decimal number
// above 0 as a Single and not above StepMaxValue. A refusal quotes the text as typed and gives
// the range, in the language of Lookup.
TPreferenceCheck CheckPreferences(const TPreferenceChoices& Choices, size_t LanguageCount, size_t UnitCount,
                                  const TFormatSettings& Format = FormatSettings(),
                                  const TTextLookup& Lookup = GlobalTextLookup());

// Stores checked values in the settings record, in the dialog's order; the language goes
// through the language manager, which the caller sets from Values.LanguageIndex first.
void ApplyPreferences(TSettingsRecord& Settings, const TPreferenceValues& Values);

// The unit box's items: "<name> ( <suffix> )".
std::vector<std::u16string> UnitChoiceTexts(const std::vector<TMeasureUnit>& Units);
