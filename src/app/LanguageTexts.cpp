#include "app/LanguageTexts.h"

#include "scan/files/TextIds.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

namespace {

using enum TCaptionJoin;

// The texts of the first soil types and of the two units, in table order, with their English.
struct TNameText {
    TTextId ID;
    const char16_t* Default;
};
constexpr TNameText SoilNames[] = {
    {Texts::SoilStandard, u"Standard / Unknown"}, {Texts::SoilConcrete, u"Concrete"}, {Texts::SoilLoam, u"Loam"},
    {Texts::SoilSand, u"Sand"}, {Texts::SoilClay, u"Clay"}, {Texts::SoilLightMineralisation, u"Mineralization (light)"},
    {Texts::SoilHeavyMineralisation, u"Mineralization (heavy)"}, {Texts::SoilRocky, u"Rocky"}};
constexpr TNameText UnitNames[] = {{Texts::Metre, u"Meter"}, {Texts::Foot, u"Foot"}};

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

TCommandText Fixed(std::u16string Text)
{
    return {Texts::Own, std::move(Text)};
}

const TCommandText MenuLabelled{Texts::Own, u"", TCaptionJoin::MenuLabel};

const TTextLookup& GlobalTextLookup()
{
    static const TTextLookup Lookup = [](TTextId ID, const std::u16string& Default) { return GetText(ID, Default); };
    return Lookup;
}

std::u16string CommandText(const TCommandText& Text, const TLanguage* Language, const TTextLookup& Lookup)
{
    std::u16string Looked = Text.Default;
    // The File menu's first two texts come from the language being applied itself.
    if (Language && (Text.ID == Texts::File || Text.ID == Texts::FileNew))
        Looked = Language->GetText(Text.ID, Text.Default);
    else if (Language && Text.ID != Texts::Own)
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
    if (SoilTypes.size() == std::size(SoilNames))
        for (size_t i = 0; i < SoilTypes.size(); ++i)
            SoilTypes[i].Name = Lookup(SoilNames[i].ID, SoilNames[i].Default);
    if (MeasureUnits.size() == std::size(UnitNames))
        for (size_t i = 0; i < MeasureUnits.size(); ++i)
            MeasureUnits[i].Name = Lookup(UnitNames[i].ID, UnitNames[i].Default);
}

int32_t SoilIndexAfterRefill(int32_t Remembered, size_t Count)
{
    if (Count == 0 || Remembered < 0)
        return -1;
    return static_cast<size_t>(Remembered) < Count ? Remembered : 0;
}
