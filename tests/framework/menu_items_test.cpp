// Short-cut texts and the portable menu item model: radio groups, checks, clicks, command
// numbers and the change reports that keep a native menu in step.
#include "framework/MenuItems.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

TEST(ShortCutText, NamesKeysAndModifiersBothWays)
{
    EXPECT_EQ(TextToShortCut(u"Ctrl+R"), scCtrl | 'R');
    EXPECT_EQ(TextToShortCut(u"F11"), 0x7A);
    EXPECT_EQ(TextToShortCut(u"Ctrl+F1"), scCtrl | 0x70);
    EXPECT_EQ(TextToShortCut(u"F24"), 0x87);
    EXPECT_EQ(TextToShortCut(u"ctrl+shift+x"), scCtrl | scShift | 'X');
    EXPECT_EQ(TextToShortCut(u"Alt+Num +"), scAlt | 0x6B);
    EXPECT_EQ(TextToShortCut(u" Shift+Del "), scShift | 0x2E);
    EXPECT_EQ(TextToShortCut(u"Ctrl+-"), scCtrl | 0xBD);
    for (const char16_t* bad : {u"", u"Ctrl+", u"F0", u"F25", u"F01", u"Ctrl+Foo", u"R+Ctrl", u"Ctrl R", u"Ctrl+RR"})
        EXPECT_EQ(TextToShortCut(bad), scNone) << std::string(bad, bad + std::char_traits<char16_t>::length(bad));

    EXPECT_EQ(ShortCutToText(scCtrl | 'R'), u"Ctrl+R");
    EXPECT_EQ(ShortCutToText(0x7A), u"F11");
    EXPECT_EQ(ShortCutToText(scCtrl | scShift | scAlt | 'X'), u"Shift+Ctrl+Alt+X");
    EXPECT_EQ(ShortCutToText(scNone), u"");
    EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), u"");
    // Every named key comes back from its own text.
    for (int key = 1; key < 256; ++key) {
        const std::u16string text = ShortCutToText(static_cast<TShortCut>(scShift | key));
        if (!text.empty())
            EXPECT_EQ(TextToShortCut(text), scShift | key) << key;
    }
    uint16_t key = 0;
    TShiftState shift = 0;
    ShortCutToKey(ShortCut(0x70, ssCtrl | ssAlt), key, shift);
    EXPECT_EQ(key, 0x70);
    EXPECT_EQ(shift, ssCtrl | ssAlt);
}

struct Change {
    TMenuItem* Source;
    bool Rebuild;
    bool operator==(const Change&) const = default;
};

struct Tree {
    TOwned<TMenuItem> root{new TMenuItem(nullptr)};
    std::vector<Change> changes;
    TMenuItem* Add(TMenuItem* parent, const std::u16string& caption)
    {
        auto* item = new TMenuItem(nullptr);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    Tree()
    {
        root->OnChange = [this](TObject*, TMenuItem* source, bool rebuild) { changes.push_back({source, rebuild}); };
    }
};

TEST(MenuItems, RadioItemsUncheckTheirGroupOnlyAndChangesReachTheRoot)
{
    Tree t;
    TMenuItem* view = t.Add(t.root.get(), u"View");
    std::vector<TMenuItem*> radios;
    for (int i = 0; i < 3; ++i) {
        radios.push_back(t.Add(view, u"Level " + std::u16string(1, char16_t(u'0' + i))));
        radios.back()->SetRadioItem(true);
        radios.back()->SetGroupIndex(11);
    }
    TMenuItem* otherGroup = t.Add(view, u"Other");
    otherGroup->SetRadioItem(true);
    otherGroup->SetChecked(true);
    TMenuItem* plain = t.Add(view, u"Plain");
    plain->SetChecked(true);

    radios[0]->SetChecked(true);
    radios[2]->SetChecked(true);
    EXPECT_FALSE(radios[0]->Checked());
    EXPECT_FALSE(radios[1]->Checked());
    EXPECT_TRUE(radios[2]->Checked());
    EXPECT_TRUE(otherGroup->Checked());
    EXPECT_TRUE(plain->Checked());

    // A checked item that joins the group as a radio item unchecks the group.
    plain->SetGroupIndex(11);
    plain->SetRadioItem(true);
    EXPECT_FALSE(radios[2]->Checked());

    t.changes.clear();
    radios[1]->SetChecked(true);
    EXPECT_EQ(t.changes, (std::vector<Change>{{radios[1], false}, {plain, false}}));
    t.changes.clear();
    radios[1]->SetCaption(u"Level one");
    radios[1]->SetEnabled(false);
    radios[1]->SetShortCut(scCtrl | '1');
    radios[1]->SetEnabled(false);  // no change, no report
    radios[1]->SetVisible(false);
    radios[1]->SetCaption(u"-");
    t.Add(view, u"New");
    EXPECT_EQ(t.changes, (std::vector<Change>{{radios[1], false},
                                              {radios[1], false},
                                              {radios[1], false},
                                              {radios[1], true},
                                              {radios[1], true},
                                              {view, true}}));
    EXPECT_TRUE(radios[1]->IsLine());
}

TEST(MenuItems, ClickChecksAutoCheckItemsAndSkipsDisabledOnes)
{
    Tree t;
    TMenuItem* a = t.Add(t.root.get(), u"A");
    TMenuItem* b = t.Add(t.root.get(), u"B");
    for (TMenuItem* r : {a, b}) {
        r->SetRadioItem(true);
        r->AutoCheck = true;
    }
    int clicks = 0;
    a->OnClick = [&](TObject* sender) { clicks += sender == a ? 1 : 100; };
    a->Click();
    a->Click();  // a checked radio item stays checked
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(clicks, 2);
    b->Click();
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());

    TMenuItem* toggle = t.Add(t.root.get(), u"Toggle");
    toggle->AutoCheck = true;
    toggle->Click();
    toggle->Click();
    EXPECT_FALSE(toggle->Checked());

    a->SetEnabled(false);
    a->Click();
    EXPECT_EQ(clicks, 2);

    // A handler that rebuilds the menu frees the item it runs for.
    TMenuItem* rebuild = t.Add(t.root.get(), u"Rebuild");
    rebuild->OnClick = [&](TObject*) { t.root->Clear(); };
    rebuild->Click();
    EXPECT_EQ(t.root->Count(), 0);
    EXPECT_THROW(t.root->Items(0), EMenuError);
}

TEST(MenuItems, CommandNumbersAreUniqueAndFoundWhileTheItemLives)
{
    Tree t;
    std::set<uint16_t> commands;
    TMenuItem* sub = t.Add(t.root.get(), u"Sub");
    for (int i = 0; i < 200; ++i)
        commands.insert(t.Add(sub, u"x")->Command());
    EXPECT_EQ(commands.size(), 200u);
    EXPECT_EQ(commands.count(0), 0u);
    TMenuItem* last = sub->Items(199);
    const uint16_t command = last->Command();
    EXPECT_EQ(t.root->FindCommand(command), last);
    EXPECT_EQ(MenuItemOfCommand(command), last);
    Free(last);
    EXPECT_EQ(sub->Count(), 199);
    EXPECT_EQ(MenuItemOfCommand(command), nullptr);
    EXPECT_EQ(t.root->FindCommand(command), nullptr);
    // The number is not given again at once.
    EXPECT_NE(t.Add(sub, u"y")->Command(), command);
}

TEST(MenuItems, ShortCutsAreFoundOnlyWhereEveryItemAboveIsEnabled)
{
    Tree t;
    TMenuItem* file = t.Add(t.root.get(), u"File");
    TMenuItem* open = t.Add(file, u"Open");
    open->SetShortCut(TextToShortCut(u"Ctrl+O"));
    TMenuItem* full = t.Add(t.root.get(), u"Full screen");
    full->SetShortCut(TextToShortCut(u"F11"));
    EXPECT_EQ(t.root->FindShortCut(scCtrl | 'O'), open);
    EXPECT_EQ(t.root->FindShortCut(0x7A), full);
    EXPECT_EQ(t.root->FindShortCut('O'), nullptr);
    EXPECT_EQ(t.root->FindShortCut(scNone), nullptr);
    file->SetEnabled(false);
    EXPECT_EQ(t.root->FindShortCut(scCtrl | 'O'), nullptr);
}

TEST(MenuItems, AnItemFreedByItsOwnerLeavesItsParentAndCyclesAreRefused)
{
    Tree t;
    TOwned<TComponent> form(new TComponent(nullptr));
    auto* owned = new TMenuItem(form.get());
    t.root->Add(owned);
    TMenuItem* child = t.Add(owned, u"child");
    EXPECT_THROW(child->Add(t.root.get()), EMenuError);
    EXPECT_THROW(child->Add(owned), EMenuError);
    form.reset();
    EXPECT_EQ(t.root->Count(), 0);  // the held child went with its holder

    // Insert places before the index; an item held elsewhere moves.
    TMenuItem* a = t.Add(t.root.get(), u"a");
    TMenuItem* b = t.Add(t.root.get(), u"b");
    TMenuItem* other = t.Add(a, u"moving");
    t.root->Insert(1, other);
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(t.root->IndexOf(other), 1);
    EXPECT_EQ(t.root->IndexOf(b), 2);
    EXPECT_THROW(t.root->Items(3), EListError);
}

}  // namespace
