// The list box's portable rules: the items with their check states, image indexes and
// selection marks kept in step with a window of placeholders; check-box clicks and Shift
// ranges; type-ahead with its pause; the row layout and colours.
#include "widgets/el/editing/ElListBoxItems.h"

#include "widgets/el/editing/ElListBoxChecks.h"
#include "widgets/el/editing/ElListBoxLook.h"
#include "widgets/el/editing/ElListBoxSearch.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window of placeholders: its count, its selection marks, and whether it takes inserts.
class TFakeWindow : public IElListBoxWindow {
public:
    int32_t InsertPlaceholder(int32_t Index) override
    {
        if (refuse != 0)
            return refuse;
        marks.insert(marks.begin() + Index, false);
        return Index;
    }
    void DeletePlaceholder(int32_t Index) override
    {
        deletedWhileThere.push_back(Index);
        marks.erase(marks.begin() + Index);
    }
    void ClearPlaceholders() override { marks.clear(); }
    void SetRedraw(bool On) override { redraws += On ? u'+' : u'-'; }
    bool ItemSelected(int32_t Index) override { return marks.at(static_cast<size_t>(Index)); }
    void SetItemSelected(int32_t Index, bool Selected) override
    {
        if (single && Selected)
            marks.assign(marks.size(), false);
        marks.at(static_cast<size_t>(Index)) = Selected;
    }
    int Count() const { return static_cast<int>(marks.size()); }

    std::vector<bool> marks;
    std::vector<int32_t> deletedWhileThere;
    std::u16string redraws;
    int32_t refuse = 0;
    bool single = false;
};

// Items named by letter, item i with check state i % 3 and image 10 + i.
struct ListFixture {
    TFakeWindow window;
    TElListBoxStrings items{&window};

    explicit ListFixture(std::u16string Letters)
    {
        for (char16_t c : Letters) {
            const int i = items.Add(std::u16string(1, c));
            items.SetState(i, static_cast<TCheckBoxState>(i % 3));
            items.SetImageIndex(i, 10 + i);
        }
    }
    // "letter:state:image" of each item, and whether each window mark agrees with the count.
    std::string Dump() const
    {
        std::string out;
        for (int i = 0; i < items.Count(); ++i)
            out += std::string(1, static_cast<char>(items.Get(i)[0])) + ":" + std::to_string(items.State(i)) + ":" +
                   std::to_string(items.ImageIndex(i)) + " ";
        return out;
    }
};

TEST(ListBoxItems, TheWindowKeepsOnePlaceholderPerItemAndEachItemKeepsItsState)
{
    ListFixture f(u"DBCA");
    EXPECT_EQ(f.Dump(), "D:0:10 B:1:11 C:2:12 A:0:13 ");
    EXPECT_EQ(f.window.Count(), 4);

    f.items.Insert(1, u"E");
    EXPECT_EQ(f.Dump(), "D:0:10 E:0:-1 B:1:11 C:2:12 A:0:13 ");
    f.items.Delete(0);
    f.items.Delete(7);  // outside the items: ignored
    f.items.Delete(-1);
    EXPECT_EQ(f.Dump(), "E:0:-1 B:1:11 C:2:12 A:0:13 ");
    EXPECT_EQ(f.window.deletedWhileThere, (std::vector<int32_t>{0}));
    f.items.Move(1, 3);
    EXPECT_EQ(f.Dump(), "E:0:-1 C:2:12 A:0:13 B:1:11 ");
    f.items.Exchange(0, 3);
    EXPECT_EQ(f.Dump(), "B:1:11 C:2:12 A:0:13 E:0:-1 ");
    f.items.Sort();
    EXPECT_EQ(f.Dump(), "A:0:13 B:1:11 C:2:12 E:0:-1 ");
    EXPECT_EQ(f.window.Count(), f.items.Count());

    // A sorted list puts new items in order and ignores duplicates without a placeholder.
    f.items.SetSorted(true);
    EXPECT_EQ(f.items.Add(u"D"), 3);
    EXPECT_EQ(f.items.Add(u"B"), -2);
    EXPECT_EQ(f.Dump(), "A:0:13 B:1:11 C:2:12 D:0:-1 E:0:-1 ");
    EXPECT_EQ(f.window.Count(), 5);

    // Out of range: unchecked and no image; writes change nothing.
    f.items.SetState(9, cbChecked);
    f.items.SetImageIndex(-1, 4);
    EXPECT_EQ(f.items.State(9), cbUnchecked);
    EXPECT_EQ(f.items.ImageIndex(-1), -1);

    f.items.Clear();
    EXPECT_EQ(f.window.Count(), 0);
    f.items.Add(u"Z");
    EXPECT_EQ(f.Dump(), "Z:0:-1 ");  // nothing of the cleared items lingers
}

TEST(ListBoxItems, AnItemTheWindowRefusesIsNotAddedAndTheUpdateBracketSwitchesDrawing)
{
    ListFixture f(u"AB");
    TObject marker;
    for (int32_t refusal : {-1, -2}) {  // LB_ERR and LB_ERRSPACE
        f.window.refuse = refusal;
        EXPECT_THROW(f.items.AddObject(u"C", &marker), EOutOfResources);
        EXPECT_THROW(f.items.Insert(0, u"C"), EOutOfResources);
    }
    f.window.refuse = 0;
    EXPECT_EQ(f.Dump(), "A:0:10 B:1:11 ");
    EXPECT_EQ(f.window.Count(), 2);
    EXPECT_EQ(f.items.IndexOfObject(&marker), -1);

    f.items.BeginUpdate();
    f.items.Add(u"C");
    f.items.BeginUpdate();
    f.items.EndUpdate();
    f.items.EndUpdate();
    EXPECT_EQ(f.window.redraws, u"-+");
}

TEST(ListBoxItems, SelectionMarksTravelWithTheirItems)
{
    ListFixture f(u"DBCA");
    f.window.marks = {true, false, true, false};  // D and C
    f.items.Exchange(0, 1);
    EXPECT_EQ(f.window.marks, (std::vector<bool>{false, true, true, false}));  // B D C A
    f.items.Move(1, 3);                                                        // B C A D
    EXPECT_EQ(f.window.marks, (std::vector<bool>{false, true, false, true}));
    f.items.Sort();  // A B C D
    EXPECT_EQ(f.window.marks, (std::vector<bool>{false, false, true, true}));

    // One selected item (a single-selection box) moves with its item through a sort.
    f.window.single = true;
    f.window.marks = {false, true, false, false};  // B
    f.items.Exchange(1, 3);                          // A D C B
    EXPECT_EQ(f.window.marks, (std::vector<bool>{false, false, false, true}));
    f.items.Sort();
    EXPECT_EQ(f.window.marks, (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(f.items.Get(1), u"B");
}

TEST(ListBoxChecks, ClicksCycleThreeStatesAndShiftTogglesTheRangeAfterTheAnchor)
{
    EXPECT_EQ(NextCheckState(cbUnchecked, true), cbGrayed);
    EXPECT_EQ(NextCheckState(cbGrayed, true), cbChecked);
    EXPECT_EQ(NextCheckState(cbChecked, true), cbUnchecked);
    EXPECT_EQ(NextCheckState(cbUnchecked, false), cbChecked);

    TFakeWindow window;
    TElListBoxStrings items(&window);
    for (int i = 0; i < 8; ++i)
        items.Add(u"item");
    items.SetState(4, cbChecked);
    items.SetState(3, cbGrayed);
    TElListBoxChecks checks;
    auto states = [&] {
        std::string s;
        for (int i = 0; i < items.Count(); ++i)
            s += static_cast<char>('0' + items.State(i));
        return s;
    };

    auto r = checks.Click(items, 2, false, true);
    EXPECT_EQ(r.Kind, TElListBoxChecks::TResult::ckSingle);
    EXPECT_EQ(r.NewState, cbGrayed);
    EXPECT_EQ(checks.Anchor, 2);
    window.redraws.clear();
    r = checks.Click(items, 5, true, true);
    EXPECT_EQ(r.Kind, TElListBoxChecks::TResult::ckRange);
    EXPECT_EQ(r.From, 2);
    EXPECT_EQ(r.To, 5);
    EXPECT_EQ(states(), "00210100");  // 3 grayed, 4 checked, 5 unchecked toggled; 2 kept
    EXPECT_EQ(checks.Anchor, -1);
    EXPECT_EQ(window.redraws, u"-+");  // one update

    // Without an anchor a Shift-click is a plain one; upwards the range ends at the click.
    r = checks.Click(items, 6, true, true);
    EXPECT_EQ(r.Kind, TElListBoxChecks::TResult::ckSingle);
    r = checks.Click(items, 4, true, true);
    EXPECT_EQ(r.From, 4);
    EXPECT_EQ(r.To, 6);
    EXPECT_EQ(states(), "00211020");
    // A grayed item with graying off takes a plain click (grayed becomes checked).
    checks.Click(items, 0, false, false);
    items.SetState(7, cbGrayed);
    r = checks.Click(items, 7, true, false);
    EXPECT_EQ(r.Kind, TElListBoxChecks::TResult::ckSingle);
    EXPECT_EQ(items.State(7), cbChecked);
    EXPECT_EQ(checks.Click(items, 8, false, true).Kind, TElListBoxChecks::TResult::ckNone);
}

TEST(ListBoxSearch, TypingStepsThroughMatchesAndAPauseStartsAfresh)
{
    TElWideStringList items;
    for (const char16_t* s : {u"Apple", u"Banana", u"Berry", u"Cherry", u"\u00C4hre"})
        items.Add(s);
    uint32_t now = 1000;
    TElListBoxSearch search;
    search.Timeout.Clock = [&] { return now; };
    auto type = [&](int ItemIndex, char16_t Ch) {
        return search.Type(items, ItemIndex, [Ch](TElKeyboardInput& In) { In.Char(Ch); });
    };

    EXPECT_EQ(type(-1, u'b'), 1);
    now += 300;
    EXPECT_EQ(type(1, u'b'), 2);  // "bb" matches nothing: b again, from Berry on
    EXPECT_EQ(search.SearchText(), u"b");
    EXPECT_EQ(type(2, u'e'), 2);  // "be" from the item after Berry wraps round to it
    EXPECT_EQ(type(2, u'\x1B'), -1);  // Escape types nothing
    EXPECT_FALSE(search.Timeout.Poll());
    now += 499;
    EXPECT_FALSE(search.Timeout.Poll());
    EXPECT_EQ(search.Timeout.Remaining(), 1u);
    now += 1;
    EXPECT_TRUE(search.Timeout.Poll());
    EXPECT_EQ(search.SearchText(), u"");
    EXPECT_EQ(type(2, u'c'), 3);
    search.Reset();
    EXPECT_EQ(type(3, u'\u00E4'), 4);  // without regard to case, beyond ASCII
    EXPECT_EQ(type(4, u'x'), -1);

    EXPECT_TRUE(MatchListText(u"", u"x"));
    EXPECT_FALSE(MatchListText(u"Apples", u"Apple"));
    EXPECT_EQ(FindListItem(items, u"", 0), -1);
    EXPECT_EQ(FindListItem(items, u"a", 4), 0);
}

TEST(ListBoxLook, RowPartsLineUpFromTheLeadingEdge)
{
    const TRect row{0, 20, 200, 40};
    TElListItemGeometry g;
    g.Image = {16, 16};
    g.CheckBox = {13, 13};
    TElListItemParts p = LayoutListItem(row, g);
    EXPECT_EQ(p.Image, (TRect{1, 22, 17, 38}));
    EXPECT_EQ(p.CheckBox, (TRect{22, 23, 35, 36}));
    EXPECT_EQ(p.Text, (TRect{40, 20, 200, 40}));
    g.RightToLeft = true;
    p = LayoutListItem(row, g);
    EXPECT_EQ(p.Image, (TRect{183, 22, 199, 38}));
    EXPECT_EQ(p.CheckBox, (TRect{165, 23, 178, 36}));
    EXPECT_EQ(p.Text, (TRect{0, 20, 160, 40}));
    EXPECT_EQ(LayoutListItem(row, {}).Text, (TRect{2, 20, 200, 40}));
}

TEST(ListBoxLook, SelectedRowsTakeTheFocusedOrUnfocusedColours)
{
    TElListColors c;
    c.FocusedSelectColor = clRed;
    c.FocusedSelectTextColor = clYellow;
    c.HideSelectColor = clGreen;
    c.HideSelectTextColor = clBlue;
    TElListItemLook look = ListItemLook(c, true, true);
    EXPECT_EQ(look.SelectionFill, clRed);
    EXPECT_EQ(look.Text, clYellow);
    EXPECT_FALSE(look.Background);
    look = ListItemLook(c, true, false);
    EXPECT_EQ(look.SelectionFill, clGreen);
    EXPECT_EQ(look.Text, clBlue);
    c.HideSelection = false;
    look = ListItemLook(c, true, false);
    EXPECT_EQ(look.SelectionFill, clWindow);
    EXPECT_EQ(look.Text, clWindowText);
    look = ListItemLook(c, false, true);
    EXPECT_EQ(look.SelectionFill, clNone);
    EXPECT_TRUE(look.Background && look.FillColor);

    c.UseSelectedFont = true;
    EXPECT_TRUE(ListItemLook(c, true, true).SelectedFont);
    c.InvertSelection = true;
    look = ListItemLook(c, true, true);
    EXPECT_TRUE(look.Invert && look.Background);
    EXPECT_EQ(look.SelectionFill, clNone);
    c.InvertSelection = false;
    c.TransparentSelection = true;
    look = ListItemLook(c, true, true);
    EXPECT_FALSE(look.SelectedFont || look.FillColor);
    EXPECT_TRUE(look.Background);
    EXPECT_EQ(look.Text, clYellow);
}

}  // namespace
