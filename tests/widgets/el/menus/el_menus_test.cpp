#include "widgets/el/menus/ElMenus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts its destructions so that tests see who freed an item and how often.
class TCountedItem : public TElMenuItem {
public:
    TCountedItem(TComponent* AOwner, std::vector<std::u16string>& Log) : TElMenuItem(AOwner), log_(Log) {}
    ~TCountedItem() override { log_.push_back(Caption()); }

private:
    std::vector<std::u16string>& log_;
};

TCountedItem* MakeItem(TMenuItem& Parent, const std::u16string& Caption, std::vector<std::u16string>& Log,
                       TComponent* Owner = nullptr)
{
    auto* item = new TCountedItem(Owner, Log);
    item->SetCaption(Caption);
    Parent.Add(item);
    return item;
}

TEST(ElMenuItem, AddKeepsOrderAndClearFreesLastFirst)
{
    std::vector<std::u16string> freed;
    TElMenuItem root(nullptr);
    MakeItem(root, u"a", freed);
    MakeItem(root, u"b", freed);
    MakeItem(root, u"c", freed);
    ASSERT_EQ(root.Count(), 3);
    EXPECT_EQ(root.Items(0)->Caption(), u"a");
    EXPECT_EQ(root.Items(2)->Caption(), u"c");
    EXPECT_EQ(root.Items(1)->Parent(), &root);

    root.Clear();
    EXPECT_EQ(root.Count(), 0);
    EXPECT_EQ(freed, (std::vector<std::u16string>{u"c", u"b", u"a"}));
}

TEST(ElMenuItem, ItemsRaisesIndexErrorWithoutSubItems)
{
    std::vector<std::u16string> freed;  // outlives root, whose items log into it
    TElMenuItem root(nullptr);
    try {
        root.Items(0);
        FAIL() << "no exception";
    } catch (const EMenuError& e) {
        EXPECT_EQ(e.Message(), u"Index Error");
    }
    MakeItem(root, u"a", freed);
    EXPECT_THROW(root.Items(1), EListError);
    EXPECT_THROW(root.Items(-1), EListError);
}

TEST(ElMenuItem, ItemFreedByItsOwnerLeavesTheParentList)
{
    std::vector<std::u16string> freed;
    TElMenuItem root(nullptr);
    {
        TComponent owner(nullptr);
        MakeItem(root, u"owned", freed, &owner);
        MakeItem(root, u"free", freed);
        ASSERT_EQ(root.Count(), 2);
    }
    ASSERT_EQ(root.Count(), 1);
    EXPECT_EQ(root.Items(0)->Caption(), u"free");
    EXPECT_EQ(freed, (std::vector<std::u16string>{u"owned"}));
}

TEST(ElMenuItem, ParentFreesHeldItemsOnceEvenWhenOwnedElsewhere)
{
    std::vector<std::u16string> freed;
    TComponent owner(nullptr);
    auto* root = new TElMenuItem(nullptr);
    auto* sub = MakeItem(*root, u"sub", freed, &owner);
    MakeItem(*sub, u"leaf", freed);
    Free(root);
    EXPECT_EQ(owner.ComponentCount(), 0);  // the freed item left its owner
    EXPECT_EQ(freed, (std::vector<std::u16string>{u"leaf", u"sub"}));
}

TEST(ElMenuItem, AddMovesAnItemBetweenParents)
{
    std::vector<std::u16string> freed;
    TElMenuItem first(nullptr), second(nullptr);
    auto* item = MakeItem(first, u"x", freed);
    second.Add(item);
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(second.IndexOf(item), 0);
    EXPECT_EQ(item->Parent(), &second);
}

TEST(ElMenuItem, CheckingARadioItemUnchecksItsGroupOnly)
{
    std::vector<std::u16string> freed;
    TElMenuItem root(nullptr);
    auto* a = MakeItem(root, u"a", freed);
    auto* b = MakeItem(root, u"b", freed);
    auto* other = MakeItem(root, u"other group", freed);
    auto* plain = MakeItem(root, u"plain", freed);
    for (auto* r : {a, b, other}) r->SetRadioItem(true);
    other->SetGroupIndex(1);

    a->SetChecked(true);
    other->SetChecked(true);
    plain->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(plain->Checked());

    // A plain item in the group's index does not take part.
    a->SetRadioItem(false);
    a->SetChecked(true);
    EXPECT_TRUE(b->Checked());
}

TEST(ElMenuItem, ClickRunsHandlerWithItemAsSenderAndHonoursEnabledAndAutoCheck)
{
    TElMenuItem item(nullptr);
    std::vector<TObject*> senders;
    item.OnClick = [&](TObject* Sender) { senders.push_back(Sender); };
    item.AutoCheck = true;
    item.Click();
    EXPECT_TRUE(item.Checked());
    item.Click();
    EXPECT_FALSE(item.Checked());
    item.SetEnabled(false);
    item.Click();
    EXPECT_EQ(senders, (std::vector<TObject*>{&item, &item}));

    // A checked radio item stays checked when chosen again.
    item.SetEnabled(true);
    item.SetRadioItem(true);
    item.SetChecked(true);
    item.Click();
    EXPECT_TRUE(item.Checked());
}

// The portable popup menu: what the file manager owns in builds without native menus.
struct PortablePopup {
    IElPopupMenu* menu = NewElPopupMenu(nullptr);
    TOwned<TComponent> owner{menu->Component()};
};

TEST(ElMenuItem, HandlerMayRebuildTheMenuThatHoldsTheItem)
{
    PortablePopup popup;
    TMenuItem* items = popup.menu->Items();
    int clicks = 0;
    auto addItem = [&](auto& self) -> void {
        auto* item = new TElMenuItem(nullptr);
        item->OnClick = [&, self_ = &self](TObject*) {
            ++clicks;
            items->Clear();  // frees the item being clicked
            (*self_)(*self_);
        };
        items->Add(item);
    };
    addItem(addItem);
    items->Items(0)->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(items->Count(), 1);
}

TEST(ElPopupMenu, PortableHolderKeepsChoicesAndFreesItsItems)
{
    std::vector<std::u16string> freed;
    {
        PortablePopup popup;
        EXPECT_EQ(popup.menu->AutoHotkeys(), maAutomatic);
        popup.menu->SetAutoHotkeys(maManual);
        popup.menu->SetDrawStyle(tdsOfficeXP);
        EXPECT_EQ(popup.menu->AutoHotkeys(), maManual);
        EXPECT_EQ(popup.menu->DrawStyle(), tdsOfficeXP);
        MakeItem(*popup.menu->Items(), u"a", freed);
        MakeItem(*popup.menu->Items(), u"b", freed);
        EXPECT_EQ(popup.menu->Items()->Count(), 2);
    }
    EXPECT_EQ(freed, (std::vector<std::u16string>{u"b", u"a"}));
}

} // namespace
