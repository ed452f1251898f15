// The main window's command table, read as the window reads it but without a window: what the
// rows promise one another (each name, short-cut, key and tool-bar place is taken once; a row
// stands after the rows of its menu and its tool bar), that every text a row shows is in each
// language of the language file the build writes, and that every picture is whole and unlike
// the others. (The rows name the main window's handlers and fields, so the table is part of the
// Windows program; the test makes the rows alone.)
#include "app/CommandTable.h"

#include "ProgramFileSources.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TLanguageManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::vector<TCommand>& Rows()
{
    static const std::vector<TCommand> rows = MainCommandTable();
    return rows;
}

// What a failure says about a row: the name of its first element, or its place in the table.
std::string RowName(size_t Index)
{
    const TCommand& c = Rows()[Index];
    for (const std::string* name : {&c.ToolBar.Name, &c.Menu.Item.Name, &c.Tool.Button.Name, &c.Tool.Box.Name,
                                    &c.Pad.Button.Name})
        if (!name->empty())
            return *name;
    return "row " + std::to_string(Index);
}

// Each of Values (with the row it comes from) is given by one row only.
template <class TValue, class TShow>
void ExpectEachOnce(const char* What, const std::vector<std::pair<TValue, size_t>>& Values, TShow Show)
{
    std::map<TValue, size_t> first;
    for (const auto& [value, row] : Values) {
        const auto [at, fresh] = first.emplace(value, row);
        EXPECT_TRUE(fresh) << What << " " << Show(value) << " of " << RowName(row) << " is already "
                           << RowName(at->second) << "'s";
    }
}

std::string NameOf(uint16_t VirtualKey, TShiftState Shift = 0)
{
    const std::u16string text = ShortCutToText(ShortCut(VirtualKey, Shift));
    return text.empty() ? "key " + std::to_string(VirtualKey) : std::string(text.begin(), text.end());
}

// Every picture of the three sets.
std::vector<TGlyph> AllGlyphs()
{
    std::vector<TGlyph> all;
    for (int i = 0; i < static_cast<int>(TToolGlyph::Count); ++i)
        all.push_back(static_cast<TToolGlyph>(i));
    for (int i = 0; i < static_cast<int>(TPaletteGlyph::Count); ++i)
        all.push_back(static_cast<TPaletteGlyph>(i));
    for (int i = 0; i < static_cast<int>(TNavigatorGlyph::Count); ++i)
        all.push_back(static_cast<TNavigatorGlyph>(i));
    return all;
}

bool IsAGlyph(TGlyph Glyph)
{
    for (TGlyph g : AllGlyphs())
        if (g.Set == Glyph.Set && g.Index == Glyph.Index)
            return true;
    return false;
}

}  // namespace

TEST(CommandTable, EachNameShortCutKeyAndToolBarPlaceIsTakenOnce)
{
    std::vector<std::pair<std::string, size_t>> names;
    std::vector<std::pair<TShortCut, size_t>> shortCuts;
    std::vector<std::pair<uint16_t, size_t>> keys;
    std::vector<std::pair<std::pair<std::string, int>, size_t>> places;
    for (size_t i = 0; i < Rows().size(); ++i) {
        const TCommand& c = Rows()[i];
        // The names are the components' names, which FindComponent and the builder go by.
        for (const std::string* name : {&c.ToolBar.Name, &c.Menu.Item.Name, &c.Tool.Button.Name, &c.Tool.Box.Name,
                                        &c.Pad.Button.Name})
            if (!name->empty())
                names.emplace_back(*name, i);
        if (c.ShortCut != scNone)
            shortCuts.emplace_back(c.ShortCut, i);
        // FormKeyDown runs the first row that takes a key: a later row with the same key never ran.
        for (const TKey& k : c.Keys)
            if (k.Key != 0)
                keys.emplace_back(k.Key, i);
        if (!c.Tool.Button.Name.empty() || !c.Tool.Box.Name.empty())
            places.emplace_back(std::pair{c.Tool.Bar, c.Tool.Place}, i);
    }
    ExpectEachOnce("the name", names, [](const std::string& n) { return n; });
    ExpectEachOnce("the short-cut", shortCuts, [](TShortCut s) {
        uint16_t key = 0;
        TShiftState shift = 0;
        ShortCutToKey(s, key, shift);
        return NameOf(key, shift);
    });
    ExpectEachOnce("the key", keys, [](uint16_t k) { return NameOf(k); });
    ExpectEachOnce("the place", places, [](const std::pair<std::string, int>& p) {
        return p.first + " " + std::to_string(p.second);
    });

    // A menu short-cut goes before the window's own keys: one that is exactly the stroke a key
    // of another row names would take that key away from its command.
    for (const auto& [shortCut, row] : shortCuts) {
        uint16_t key = 0;
        TShiftState shift = 0;
        ShortCutToKey(shortCut, key, shift);
        for (size_t other = 0; other < Rows().size(); ++other)
            for (const TKey& k : Rows()[other].Keys)
                if (other != row && k.Key == key && k.Needs == shift)
                    ADD_FAILURE() << "the short-cut " << NameOf(key, shift) << " of " << RowName(row)
                                  << " takes the key of " << RowName(other);
    }
    EXPECT_GT(names.size(), 100u);
    EXPECT_GT(shortCuts.size(), 10u);
}

TEST(CommandTable, EveryRowStandsAfterTheRowsOfItsMenuAndItsToolBar)
{
    // The window makes the rows in order, and a menu item goes into a menu made before it.
    std::set<std::string> menus, bars;
    for (size_t i = 0; i < Rows().size(); ++i) {
        const TCommand& c = Rows()[i];
        if (!c.Menu.Item.Name.empty() && !c.Menu.Under.empty())
            EXPECT_TRUE(menus.count(c.Menu.Under)) << RowName(i) << " stands before the row of its menu "
                                                   << c.Menu.Under << ", or no row makes that menu";
        if (!c.Tool.Button.Name.empty() || !c.Tool.Box.Name.empty())
            EXPECT_TRUE(bars.count(c.Tool.Bar)) << RowName(i) << " stands before the row of its tool bar "
                                                << c.Tool.Bar << ", or no row makes that tool bar";
        if (!c.Menu.Item.Name.empty())
            menus.insert(c.Menu.Item.Name);
        if (!c.ToolBar.Name.empty())
            bars.insert(c.ToolBar.Name);
    }
    EXPECT_EQ(bars.size(), 5u);
}

TEST(CommandTable, EveryTextOfARowIsInEachLanguageOfTheLanguageFile)
{
    const std::u16string file = std::filesystem::path(L3D_PROGRAM_DIR "/Lorvane3D.lng").make_preferred().u16string();
    TLanguageManager manager(nullptr);
    ASSERT_TRUE(manager.LoadFromFile(file, u"en"));
    ASSERT_GE(manager.Languages().Count(), 2);
    // A text missing or empty in a language shows its English default there, or nothing.
    const std::u16string absent = u"\x1F absent";
    int looked = 0;
    for (int32_t l = 0; l < manager.Languages().Count(); ++l) {
        const TLanguage& language = *manager.Languages()[l];
        const std::string code(language.Name().begin(), language.Name().end());
        for (size_t i = 0; i < Rows().size(); ++i)
            for (const TCommandText* text : {&Rows()[i].Caption, &Rows()[i].Hint})
                if (text->ID != Texts::Own) {
                    ++looked;
                    EXPECT_NE(language.GetText(text->ID, absent), absent)
                        << code << " lacks the text " << TextLabel(text->ID) << " of " << RowName(i);
                }
    }
    EXPECT_GT(looked, 200);
}

TEST(CommandTable, EveryPictureIsWholeAndUnlikeTheOthersAndEveryButtonHasOne)
{
    std::map<std::vector<uint32_t>, size_t> seen;
    const std::vector<TGlyph> all = AllGlyphs();
    for (size_t i = 0; i < all.size(); ++i) {
        const TGlyphPicture p = GlyphPicture(all[i]);
        const std::string which = "picture " + std::to_string(int(all[i].Set)) + "." + std::to_string(all[i].Index);
        ASSERT_EQ(p.Width, ToolGlyphSize) << which;
        ASSERT_EQ(p.Height, ToolGlyphSize) << which;
        ASSERT_EQ(p.Pixels.size(), size_t(ToolGlyphSize * ToolGlyphSize)) << which;
        // Something is drawn, and something is left clear around it.
        const auto opaque = std::count_if(p.Pixels.begin(), p.Pixels.end(), [](uint32_t c) { return c >> 24; });
        EXPECT_GT(opaque, 10) << which;
        EXPECT_LT(opaque, ToolGlyphSize * ToolGlyphSize) << which;
        const auto [at, fresh] = seen.emplace(p.Pixels, i);
        EXPECT_TRUE(fresh) << which << " repeats picture " << int(all[at->second].Set) << "."
                           << int(all[at->second].Index);
    }

    for (size_t i = 0; i < Rows().size(); ++i) {
        const TCommand& c = Rows()[i];
        if (c.Glyph.Set != TGlyph::TSet::None)
            EXPECT_TRUE(IsAGlyph(c.Glyph)) << RowName(i) << " names a picture that does not exist";
        // A tool button shows its picture alone.
        if (!c.Tool.Button.Name.empty())
            EXPECT_NE(c.Glyph.Set, TGlyph::TSet::None) << RowName(i) << " is a tool button without a picture";
    }
}
