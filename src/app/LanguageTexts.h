// The texts of the main window in the active language, as data: which text (by number, with
// its English default) goes to which element, how captions are joined with their dots, which
// buttons copy the hints of menu items, and the names of soil types and measuring units.
// The form applies the assignments in a loop; nothing here touches a control.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class TLanguage;
struct TSoil;
struct TMeasureUnit;

// A text by number with its default: the global GetText unless a caller supplies another.
using TTextLookup = std::function<std::u16string(int32_t ID, const std::u16string& Default)>;
const TTextLookup& GlobalTextLookup();

enum class TTextProperty : uint8_t { Caption, Hint };

// How a looked-up caption is completed.
enum class TCaptionJoin : uint8_t {
    None,
    Dots,            // text + " ..." (plain)
    SpacedDots,      // text + " ... ", always left to right
    DotsInDirection  // text and " ..." joined in the language's reading direction
};

struct TLanguageTextEntry {
    int32_t ID;
    const char16_t* Default;  // empty: the element has no text without a language file
    const char* Element;      // the component's name on the main window
    TTextProperty Property;
    TCaptionJoin Join;
};

// The captions and hints of the main window in the order they are applied; with the eight
// soil names and the two unit names (ApplySoilAndUnitNames) these are all 118 lookups.
constexpr size_t LanguageTextCount = 108;
extern const std::array<TLanguageTextEntry, LanguageTextCount> LanguageTextTable;

// One property of one element set to a text.
struct TTextAssignment {
    std::string Element;
    TTextProperty Property;
    std::u16string Text;
};

// Every caption and hint of the main window for Language, in the order the form sets them:
// each table entry, followed at once by what copies it (tool buttons and navigator buttons
// take the hints of the items or buttons that run the same command; the resolution items and
// their tool buttons get "<text 39>: <caption>"; the zoom items "<text 46>: <caption>").
// Texts 1 and 2 come from Language itself, the others from Lookup. A null language gives
// nothing: the texts stay as they are.
std::vector<TTextAssignment> BuildLanguageTexts(const TLanguage* Language,
                                                const TTextLookup& Lookup = GlobalTextLookup());

// The texts the main window shows before any language is applied (and keeps when no language
// file exists): every default, joined as for a left-to-right language.
std::vector<TTextAssignment> DefaultLanguageTexts();

// Right to left exactly when there is a language and its direction byte is not 1.
bool LanguageIsRightToLeft(const TLanguage* Language);
// The active language of the global language manager reads right to left.
bool ActiveLanguageIsRightToLeft();

// Pieces joined in reading order: as given for left to right, reversed for right to left.
std::u16string JoinInReadingDirection(bool RightToLeft, std::initializer_list<std::u16string> Pieces);

// With exactly 8 soil types their names become texts 182 to 189; with exactly 2 units theirs
// become texts 190 and 191. Other table sizes keep the names they have.
void ApplySoilAndUnitNames(std::vector<TSoil>& SoilTypes, std::vector<TMeasureUnit>& MeasureUnits,
                           const TTextLookup& Lookup = GlobalTextLookup());

// The soil combo box's index after it was refilled with Count names: the remembered index
// when the list still holds it, else item 0 (-1 for an empty list or when nothing was chosen).
int32_t SoilIndexAfterRefill(int32_t Remembered, size_t Count);
