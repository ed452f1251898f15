// The texts of the main window in the active language: a caption or hint by its name
// (scan/files/TextIds.h) with its English default and how it is joined with its dots, the
// reading direction, and the names of soil types and measuring units. Which element shows
// which text is the command table's (CommandTable.h); nothing here touches a control.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "scan/files/TextIdFwd.h"

class TLanguage;
struct TSoil;
struct TMeasureUnit;

// A text with its default: the global GetText unless a caller supplies another.
using TTextLookup = std::function<std::u16string(TTextId ID, const std::u16string& Default)>;
const TTextLookup& GlobalTextLookup();

// How a looked-up text is completed.
enum class TCaptionJoin : uint8_t {
    None,
    Dots,             // text + " ..." (plain)
    SpacedDots,       // text + " ... ", always left to right
    DotsInDirection,  // text and " ..." joined in the language's reading direction
    MenuLabel         // a hint: its menu's hint, ": " and its own caption (left to right)
};

// A caption or hint of the main window: the text ID in the active language, or Default without
// one. Texts::Own (the value 0) is a text of the window's own, shown as it stands.
struct TCommandText {
    TTextId ID{};
    std::u16string Default;
    TCaptionJoin Join = TCaptionJoin::None;
};

// A text of the window's own, not the language's.
TCommandText Fixed(std::u16string Text);
// The hint of an item of a group's menu (a resolution level, a zoom step).
extern const TCommandText MenuLabelled;

// The text in Language, joined by its reading direction. The texts File and FileNew come from
// Language itself, the others from Lookup. Without a language: the default, joined left to right (what
// the window shows when there is no language file). MenuLabel texts are joined by the caller
// (MenuLabelHint).
std::u16string CommandText(const TCommandText& Text, const TLanguage* Language,
                           const TTextLookup& Lookup = GlobalTextLookup());
std::u16string MenuLabelHint(const std::u16string& MenuHint, const std::u16string& Caption);

// Right to left exactly when there is a language and its direction byte is not 1.
bool LanguageIsRightToLeft(const TLanguage* Language);
// The active language of the global language manager reads right to left.
bool ActiveLanguageIsRightToLeft();

// Pieces joined in reading order: as given for left to right, reversed for right to left.
std::u16string JoinInReadingDirection(bool RightToLeft, std::initializer_list<std::u16string> Pieces);

// With exactly 8 soil types their names become the texts SoilStandard to SoilRocky; with
// exactly 2 units theirs become Metre and Foot. Other table sizes keep the names they have.
void ApplySoilAndUnitNames(std::vector<TSoil>& SoilTypes, std::vector<TMeasureUnit>& MeasureUnits,
                           const TTextLookup& Lookup = GlobalTextLookup());

// The soil combo box's index after it was refilled with Count names: the remembered index
// when the list still holds it, else item 0 (-1 for an empty list or when nothing was chosen).
int32_t SoilIndexAfterRefill(int32_t Remembered, size_t Count);
