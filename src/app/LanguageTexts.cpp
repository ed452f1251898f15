#include "app/LanguageTexts.h"

#include "scan/files/_TL3D_Filer.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

namespace {

using enum TCaptionJoin;

// Texts of the first soil types and the two units, in table order.
constexpr int32_t FirstSoilNameID = 182;
constexpr const char16_t* SoilNameDefaults[8] = {
    u"Standard / Unknown", u"Concrete", u"Loam", u"Sand", u"Clay",
    u"Mineralization (light)", u"Mineralization (heavy)", u"Rocky"};
constexpr int32_t FirstUnitNameID = 190;
constexpr const char16_t* UnitNameDefaults[2] = {u"Meter", u"Foot"};

std::u16string JoinCaption(const std::u16string& Text, TCaptionJoin Join, bool RightToLeft)
{
    switch (Join) {
    case Dots: return Text + u" ...";
    case SpacedDots: return JoinInReadingDirection(false, {Text, u" ... "});
    case DotsInDirection: return JoinInReadingDirection(RightToLeft, {Text, u" ..."});
    case None:
    case MenuLabel: break;
    }
    return Text;
}

} // namespace

const TTextLookup& GlobalTextLookup()
{
    static const TTextLookup Lookup = [](int32_t ID, const std::u16string& Default) { return GetText(ID, Default); };
    return Lookup;
}

std::u16string CommandText(const TCommandText& Text, const TLanguage* Language, const TTextLookup& Lookup)
{
    std::u16string Looked = Text.Default;
    // The File menu's first two texts come from the language being applied itself.
    if (Language && (Text.ID == 1 || Text.ID == 2))
        Looked = Language->GetText(Text.ID, Text.Default);
    else if (Language && Text.ID != 0)
        Looked = Lookup(Text.ID, Text.Default);
    return JoinCaption(Looked, Text.Join, LanguageIsRightToLeft(Language));
}

std::u16string MenuLabelHint(const std::u16string& MenuHint, const std::u16string& Caption)
{
    return JoinInReadingDirection(false, {MenuHint, u":", u" ", Caption});
}

bool LanguageIsRightToLeft(const TLanguage* Language)
{
    return Language != nullptr && !Language->LeftToRight();
}

bool ActiveLanguageIsRightToLeft()
{
    return LanguageManager != nullptr && LanguageIsRightToLeft(LanguageManager->ActiveLanguage());
}

std::u16string JoinInReadingDirection(bool RightToLeft, std::initializer_list<std::u16string> Pieces)
{
    std::vector<TVarValue> Values(Pieces.begin(), Pieces.end());
    return VarArrayToWideString(RightToLeft ? 0 : 1, Values);
}

void ApplySoilAndUnitNames(std::vector<TSoil>& SoilTypes, std::vector<TMeasureUnit>& MeasureUnits,
                           const TTextLookup& Lookup)
{
    if (SoilTypes.size() == std::size(SoilNameDefaults))
        for (size_t i = 0; i < SoilTypes.size(); ++i)
            SoilTypes[i].Name = Lookup(FirstSoilNameID + int32_t(i), SoilNameDefaults[i]);
    if (MeasureUnits.size() == std::size(UnitNameDefaults))
        for (size_t i = 0; i < MeasureUnits.size(); ++i)
            MeasureUnits[i].Name = Lookup(FirstUnitNameID + int32_t(i), UnitNameDefaults[i]);
}

int32_t SoilIndexAfterRefill(int32_t Remembered, size_t Count)
{
    if (Count == 0 || Remembered < 0)
        return -1;
    return static_cast<size_t>(Remembered) < Count ? Remembered : 0;
}
