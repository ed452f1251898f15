#include "app/PreferencesModel.h"

#include <algorithm>
#include <cmath>

#include "app/TypedNumbers.h"
#include "framework/NumberText.h"
#include "scan/files/TextIds.h"

namespace {

constexpr double DefaultZoomStep = 1.25;
constexpr double DefaultMoveStep = 1.0;
constexpr double DefaultRotateStep = 1.0;
constexpr int32_t DateFormatCount = 3;
constexpr int32_t TimeFormatCount = 2;

std::optional<uint8_t> ChosenIndex(int32_t Index, size_t Count)
{
    if (Index < 0 || static_cast<size_t>(Index) >= Count || Index > 255)
        return std::nullopt;
    return static_cast<uint8_t>(Index);
}

bool ReadsAs(const std::u16string& Text, double Value, const TFormatSettings& Format)
{
    double Read = 0.0;
    return TryStrToFloat(Text, Read, Format) && Read == Value;
}

// The step a text gives, or the reason it gives none.
std::optional<float> CheckedStep(const std::u16string& Text, const TFormatSettings& Format, const TTextLookup& Lookup,
                                 std::u16string& Error)
{
    if (const std::optional<double> Step = TypedPositiveNumber(Text, StepMaxValue, Format))
        return static_cast<float>(*Step);
    Error = PositiveNumberRefusal(Lookup(Texts::InvalidStep, u"'%s' is not a valid step."), Text, StepMaxValue, Format,
                                  Lookup);
    return std::nullopt;
}

} // namespace

std::u16string StepText(double Step, const TFormatSettings& Format)
{
    return FloatToStrF(Step, TFloatFormat::ffFixed, 15, 2, Format);
}

TPreferenceChoices ChoicesOfSettings(const TSettingsRecord& S, int32_t ActiveLanguageIndex, size_t LanguageCount,
                                     const TFormatSettings& Format)
{
    TPreferenceChoices C;
    C.LanguageIndex = (ActiveLanguageIndex >= 0 && static_cast<size_t>(ActiveLanguageIndex) < LanguageCount)
                          ? ActiveLanguageIndex
                          : -1;
    C.UnitIndex = S.MeasureUnitIndex;
    C.TimeFormatIndex = S.TimeFormatIndex;
    C.DateFormatIndex = S.DateFormatIndex;
    C.ZoomStepText = StepText(S.ZoomStep, Format);
    C.MoveStepText = StepText(S.MoveStep, Format);
    C.RotateStepText = StepText(S.RotateStep, Format);
    C.ColorStepPosition = std::isfinite(S.ColorLimitStep)
                              ? static_cast<int32_t>(std::clamp<double>(std::nearbyint(S.ColorLimitStep), ColorStepMin, ColorStepMax))
                              : ColorStepMin;
    C.BackgroundColor = S.BackgroundColor;
    C.CheckCharacteristics = S.CheckCharacteristics != 0;
    return C;
}

bool ResetButtonEnabled(const TPreferenceChoices& C, const TFormatSettings& Format)
{
    const bool AtDefaults = ReadsAs(C.ZoomStepText, DefaultZoomStep, Format) &&
                            ReadsAs(C.MoveStepText, DefaultMoveStep, Format) &&
                            ReadsAs(C.RotateStepText, DefaultRotateStep, Format) && C.ColorStepPosition == 1 &&
                            C.DateFormatIndex == 0 && C.TimeFormatIndex == 0 && C.UnitIndex == 0;
    return !AtDefaults;
}

void ResetPreferenceChoices(TPreferenceChoices& C, const TFormatSettings& Format)
{
    C.ZoomStepText = StepText(DefaultZoomStep, Format);
    C.MoveStepText = StepText(DefaultMoveStep, Format);
    C.RotateStepText = StepText(DefaultRotateStep, Format);
    C.ColorStepPosition = 1;
    C.DateFormatIndex = 0;
    C.TimeFormatIndex = 0;
    C.UnitIndex = 0;
    C.BackgroundColor = 0;
}

TPreferenceCheck CheckPreferences(const TPreferenceChoices& C, size_t LanguageCount, size_t UnitCount,
                                  const TFormatSettings& Format, const TTextLookup& Lookup)
{
    TPreferenceCheck Check;
    TPreferenceValues& V = Check.Values;
    auto Fail = [&](TPreferenceField Field) {
        Check.BadField = Field;
        return Check;
    };
    auto Step = CheckedStep(C.ZoomStepText, Format, Lookup, Check.Error);
    if (!Step)
        return Fail(TPreferenceField::ZoomStep);
    V.ZoomStep = *Step;
    Step = CheckedStep(C.MoveStepText, Format, Lookup, Check.Error);
    if (!Step)
        return Fail(TPreferenceField::MoveStep);
    V.MoveStep = *Step;
    Step = CheckedStep(C.RotateStepText, Format, Lookup, Check.Error);
    if (!Step)
        return Fail(TPreferenceField::RotateStep);
    V.RotateStep = *Step;
    if (C.ColorStepPosition < ColorStepMin || C.ColorStepPosition > ColorStepMax) {
        Check.Error = Lookup(Texts::ColourStepRange, u"The colour step must lie between 1 and 10.");
        return Fail(TPreferenceField::ColorStep);
    }
    V.ColorLimitStep = static_cast<float>(C.ColorStepPosition);

    if (C.LanguageIndex >= 0 && static_cast<size_t>(C.LanguageIndex) < LanguageCount)
        V.LanguageIndex = C.LanguageIndex;
    V.UnitIndex = ChosenIndex(C.UnitIndex, UnitCount);
    V.TimeFormatIndex = ChosenIndex(C.TimeFormatIndex, TimeFormatCount);
    V.DateFormatIndex = ChosenIndex(C.DateFormatIndex, DateFormatCount);
    V.BackgroundColor = C.BackgroundColor;
    V.CheckCharacteristics = C.CheckCharacteristics ? 1 : 0;
    return Check;
}

void ApplyPreferences(TSettingsRecord& S, const TPreferenceValues& V)
{
    if (V.UnitIndex)
        S.MeasureUnitIndex = *V.UnitIndex;
    if (V.TimeFormatIndex)
        S.TimeFormatIndex = *V.TimeFormatIndex;
    if (V.DateFormatIndex)
        S.DateFormatIndex = *V.DateFormatIndex;
    S.ZoomStep = V.ZoomStep;
    S.MoveStep = V.MoveStep;
    S.RotateStep = V.RotateStep;
    S.ColorLimitStep = V.ColorLimitStep;
    S.BackgroundColor = V.BackgroundColor;
    S.CheckCharacteristics = V.CheckCharacteristics;
}

std::vector<std::u16string> UnitChoiceTexts(const std::vector<TMeasureUnit>& Units)
{
    std::vector<std::u16string> Texts;
    for (const TMeasureUnit& U : Units)
        Texts.push_back(U.Name + u" ( " + U.Suffix + u" )");
    return Texts;
}
