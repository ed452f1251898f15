#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/LanguageTexts.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/_TL3D_Filer.h"

namespace {

// A language whose text of every ID is "T<id>".
struct TNumberedLanguage : TLanguage {
    explicit TNumberedLanguage(uint8_t D) { Number(*this, D); }
    static void Number(TLanguage& L, uint8_t Direction);
};

void TNumberedLanguage::Number(TLanguage& L, uint8_t Direction)
{
    L.Direction = Direction;
    std::vector<TLanguageItem> Items;
    for (int32_t ID = 1; ID < 300; ++ID) {
        std::string T = "T" + std::to_string(ID);
        Items.push_back({ID, std::u16string(T.begin(), T.end())});
    }
    L.SetItems(std::move(Items));
}

using TTexts = std::map<std::pair<std::string, TTextProperty>, std::u16string>;

TTexts ByElement(const std::vector<TTextAssignment>& Assignments)
{
    TTexts M;
    for (const TTextAssignment& A : Assignments)
        EXPECT_TRUE(M.emplace(std::pair{A.Element, A.Property}, A.Text).second) << A.Element << " set twice";
    return M;
}

std::u16string Caption(const TTexts& T, const std::string& E) { return T.at({E, TTextProperty::Caption}); }
std::u16string Hint(const TTexts& T, const std::string& E) { return T.at({E, TTextProperty::Hint}); }

} // namespace

TEST(LanguageTexts, CaptionsJoinTheirDotsAndButtonsCopyTheHintsOfTheirCommands)
{
    const TNumberedLanguage L(1);
    std::multiset<int32_t> Looked;
    const TTexts T = ByElement(BuildLanguageTexts(&L, [&](int32_t ID, const std::u16string& D) {
        Looked.insert(ID);
        return L.GetText(ID, D);
    }));
    EXPECT_EQ(Caption(T, "MenuFile"), u"T1");
    EXPECT_EQ(Caption(T, "MenuFileNew"), u"T2 ...");
    EXPECT_EQ(Caption(T, "MenuFileOpen"), u"T6 ... ");
    EXPECT_EQ(Caption(T, "MenuHelp_Update"), u"T200 ...");
    EXPECT_EQ(Caption(T, "MenuHelpAbout"), u"T57 ...");
    EXPECT_EQ(Hint(T, "ToolButtonNew"), u"T3");
    EXPECT_EQ(Hint(T, "ToolButtonUndo"), u"T20");
    EXPECT_EQ(Hint(T, "ToolButtonPreferences"), u"T13");
    EXPECT_EQ(Hint(T, "SpeedButton13"), u"T119");  // the navigator copies the zoom-in button
    EXPECT_EQ(Hint(T, "SpeedButton10"), u"T116");
    EXPECT_EQ(Hint(T, "MenuEditRes2"), u"T39: T42");
    EXPECT_EQ(Hint(T, "ToolButtonRes4"), u"T39: T44");
    EXPECT_EQ(Hint(T, "ImageZoom400"), u"T46: 400 %");
    EXPECT_EQ(Hint(T, "ComboBoxZoom"), u"T46");
    EXPECT_EQ(Hint(T, "ToolButton_InfoWindow"), u"T206");
    EXPECT_EQ(Hint(T, "MenuExtrasInfo"), u"T206");
    EXPECT_EQ(Hint(T, "AxisZ"), u"T213");

    // Texts 1 and 2 come from the language itself; with the soil and unit names the window
    // looks up 118 texts.
    std::vector<TSoil> Soils(8);
    std::vector<TMeasureUnit> Units(2);
    ApplySoilAndUnitNames(Soils, Units, [&](int32_t ID, const std::u16string& D) {
        Looked.insert(ID);
        return L.GetText(ID, D);
    });
    EXPECT_EQ(Looked.size() + 2, 118u);
    EXPECT_EQ(Looked.count(1) + Looked.count(2), 0u);
    EXPECT_EQ(Looked.count(46), 2u);
}

TEST(LanguageTexts, RightToLeftReversesOnlyTheAboutCaption)
{
    const TNumberedLanguage L(2);
    const TTexts T = ByElement(BuildLanguageTexts(&L, [&](int32_t ID, const std::u16string& D) { return L.GetText(ID, D); }));
    EXPECT_EQ(Caption(T, "MenuHelpAbout"), u" ...T57");
    EXPECT_EQ(Caption(T, "MenuFileOpen"), u"T6 ... ");
    EXPECT_EQ(Hint(T, "MenuEditRes0"), u"T39: T40");
    EXPECT_TRUE(LanguageIsRightToLeft(&L));
    EXPECT_FALSE(LanguageIsRightToLeft(nullptr));
    EXPECT_EQ(JoinInReadingDirection(true, {u"a", u"b", u"c"}), u"cba");
}

TEST(LanguageTexts, WithoutALanguageTheDefaultsShowAndNothingIsApplied)
{
    EXPECT_TRUE(BuildLanguageTexts(nullptr).empty());
    const TTexts T = ByElement(DefaultLanguageTexts());
    EXPECT_EQ(Caption(T, "MenuFileOpen"), u"Open ... ");
    EXPECT_EQ(Hint(T, "MenuFileNew"), u"Start a new project and open data transfer");
    EXPECT_EQ(Caption(T, "MenuHelpAbout"), u"About Lorvane 3D ...");
    EXPECT_EQ(Hint(T, "ImageZoom50"), u": 50 %");
    EXPECT_EQ(Hint(T, "MenuEditRes0"), u": Level 1 ( fast )");
    EXPECT_EQ(Hint(T, "SpeedButton2"), u"");
}

TEST(LanguageTexts, SoilAndUnitNamesOnlyForTheTablesTheyDescribe)
{
    const TNumberedLanguage L(1);
    auto Lookup = [&](int32_t ID, const std::u16string& D) { return L.GetText(ID, D); };
    std::vector<TSoil> Eight(8), Seven(7);
    std::vector<TMeasureUnit> Two(2), Three(3);
    ApplySoilAndUnitNames(Eight, Two, Lookup);
    ApplySoilAndUnitNames(Seven, Three, Lookup);
    EXPECT_EQ(Eight[0].Name, u"T182");
    EXPECT_EQ(Eight[7].Name, u"T189");
    EXPECT_EQ(Two[1].Name, u"T191");
    EXPECT_EQ(Seven[0].Name, u"");
    EXPECT_EQ(Three[0].Name, u"");

    std::vector<TSoil> Defaults(8);
    std::vector<TMeasureUnit> NoUnits;
    ApplySoilAndUnitNames(Defaults, NoUnits, [](int32_t, const std::u16string& D) { return D; });
    EXPECT_EQ(Defaults[6].Name, u"Mineralization (heavy)");
}

TEST(LanguageTexts, SoilBoxKeepsItsItemWhenTheListStillHoldsIt)
{
    EXPECT_EQ(SoilIndexAfterRefill(5, 8), 5);
    EXPECT_EQ(SoilIndexAfterRefill(5, 5), 0);
    EXPECT_EQ(SoilIndexAfterRefill(-1, 8), -1);
    EXPECT_EQ(SoilIndexAfterRefill(3, 0), -1);
}
