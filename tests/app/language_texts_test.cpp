#include <gtest/gtest.h>

#include <set>

#include "app/LanguageTexts.h"
#include "scan/files/TextIds.h"
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

} // namespace

TEST(LanguageTexts, TextsJoinTheirDotsAndTheFirstTwoComeFromTheLanguageApplied)
{
    const TNumberedLanguage L(1);
    std::multiset<int32_t> Looked;
    auto Lookup = [&](int32_t ID, const std::u16string& D) {
        Looked.insert(ID);
        return L.GetText(ID, D);
    };
    using enum TCaptionJoin;
    EXPECT_EQ(CommandText({Texts::File, u"File"}, &L, Lookup), u"T1");
    EXPECT_EQ(CommandText({Texts::FileNew, u"New", Dots}, &L, Lookup), u"T2 ...");
    EXPECT_EQ(CommandText({Texts::FileOpen, u"Open", SpacedDots}, &L, Lookup), u"T6 ... ");
    EXPECT_EQ(CommandText({Texts::About, u"About", DotsInDirection}, &L, Lookup), u"T57 ...");
    EXPECT_EQ(CommandText({Texts::FrequencyEnergyChartHint, u""}, &L, Lookup), u"T209");
    // A text of the window's own is not looked up.
    EXPECT_EQ(CommandText(Fixed(u"Osprin 12 ..."), &L, Lookup), u"Osprin 12 ...");
    EXPECT_EQ(Looked, (std::multiset<int32_t>{6, 57, 209}));
    // Levels and zoom steps: the group's hint, a colon and the item's caption.
    EXPECT_EQ(MenuLabelHint(u"T39", u"T42"), u"T39: T42");
}

TEST(LanguageTexts, RightToLeftReversesOnlyTheDotsJoinedInDirection)
{
    const TNumberedLanguage L(2);
    auto Lookup = [&](int32_t ID, const std::u16string& D) { return L.GetText(ID, D); };
    EXPECT_EQ(CommandText({Texts::About, u"About", TCaptionJoin::DotsInDirection}, &L, Lookup), u" ...T57");
    EXPECT_EQ(CommandText({Texts::FileOpen, u"Open", TCaptionJoin::SpacedDots}, &L, Lookup), u"T6 ... ");
    EXPECT_EQ(MenuLabelHint(u"T39", u"T40"), u"T39: T40");
    EXPECT_TRUE(LanguageIsRightToLeft(&L));
    EXPECT_FALSE(LanguageIsRightToLeft(nullptr));
    EXPECT_EQ(JoinInReadingDirection(true, {u"a", u"b", u"c"}), u"cba");
}

TEST(LanguageTexts, WithoutALanguageTheDefaultsShowJoinedLeftToRight)
{
    auto Unused = [](int32_t, const std::u16string&) -> std::u16string {
        ADD_FAILURE() << "looked up without a language";
        return u"";
    };
    EXPECT_EQ(CommandText({Texts::FileOpen, u"Open", TCaptionJoin::SpacedDots}, nullptr, Unused), u"Open ... ");
    EXPECT_EQ(CommandText({Texts::About, u"About Lorvane 3D", TCaptionJoin::DotsInDirection}, nullptr, Unused),
              u"About Lorvane 3D ...");
    EXPECT_EQ(CommandText({Texts::FileNewHint, u"Start a new project"}, nullptr, Unused), u"Start a new project");
    EXPECT_EQ(CommandText({Texts::TurnXForwardHint, u""}, nullptr, Unused), u"");
    EXPECT_EQ(MenuLabelHint(u"", u"50 %"), u": 50 %");
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
