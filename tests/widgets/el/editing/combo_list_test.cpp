// The combo box's drop-down list on the widget layer's list box, on real windows: it opens and
// picks by keys and by the mouse, searches as the user types, closes on a press outside or
// Escape without a change, follows the items while open, and shows its selection in the
// focused colours although the combo box keeps the focus.
#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElComboListBox.h"

#include "widgets/el/foundation/ElScrollHook.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <vector>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;

class ComboListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallScrollHook());
        form->SetBounds(40, 40, 400, 300);
        form->Show();
        combo = new TElComboBox(form.get());
        for (const char16_t* s : {u"Apple", u"Banana", u"Berry", u"Cherry"})
            combo->Items()->Add(s);
        combo->SetStyle(TComboBoxStyle::csDropDownList);
        combo->SetParent(form.get());
        combo->SetBounds(20, 20, 150, combo->Height());
        combo->SetItemIndex(0);
        combo->OnChange = [this](TObject*) { changes.push_back(combo->ItemIndex()); };
        combo->SetFocus();
        EXPECT_TRUE(PumpUntil([this] { return GetFocus() == combo->Handle(); }));
        Settle();
    }
    static void Settle()
    {
        EXPECT_TRUE(Settled());
    }
    TElComboListBox* List() const
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (!GetComboBoxInfo(combo->Handle(), &info))
            return nullptr;
        return dynamic_cast<TElComboListBox*>(TWinControl::FindControl(info.hwndList));
    }
    void Key(UINT Msg, WPARAM Key, LPARAM Data = 1)
    {
        PostMessageW(GetFocus(), Msg, Key, Data);
        Settle();
    }
    bool Open() const { return combo->DroppedDown() && List() && IsWindowVisible(List()->Handle()); }
    // A mouse message to the open list at a client point (it holds the mouse).
    void MouseOnList(UINT Msg, TPoint P)
    {
        PostMessageW(List()->Handle(), Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(P.X, P.Y));
        Settle();
    }
    TPoint RowCentre(int Index) const
    {
        const TRect r = List()->ItemRect(Index);
        return {r.Left + 20, r.Top + r.Height() / 2};
    }

    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    TElComboBox* combo = nullptr;
    std::vector<int> changes;
};

TEST_F(ComboListTest, TheListOpensAndPicksByKeys)
{
    ASSERT_NE(List(), nullptr) << "the combo box names its list box";
    EXPECT_FALSE(Open());
    Key(WM_KEYDOWN, VK_F4);
    ASSERT_TRUE(Open());
    EXPECT_EQ(List()->Items()->Count(), 4);
    EXPECT_EQ(List()->ItemIndex(), 0);
    EXPECT_EQ(GetCapture(), List()->Handle());
    EXPECT_EQ(GetFocus(), combo->Handle()) << "the combo box keeps the focus";

    Key(WM_KEYDOWN, VK_DOWN);
    Key(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(List()->ItemIndex(), 2);
    EXPECT_EQ(combo->ItemIndex(), 0) << "moving in the open list picks nothing yet";
    Key(WM_CHAR, u'c');  // type-ahead in the open list
    EXPECT_EQ(List()->ItemIndex(), 3);
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), u"Cherry");
    EXPECT_EQ(changes, std::vector<int>{3});
    EXPECT_EQ(GetCapture(), nullptr);

    // Escape closes without a change; Alt+Down opens and closes.
    Key(WM_KEYDOWN, VK_F4);
    Key(WM_KEYDOWN, VK_UP);
    Key(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 3);
    const LPARAM alt = 1 | (KF_ALTDOWN << 16);
    Key(WM_SYSKEYDOWN, VK_DOWN, alt);
    EXPECT_TRUE(Open());
    Key(WM_SYSKEYDOWN, VK_DOWN, alt);
    EXPECT_FALSE(Open());
    EXPECT_EQ(changes, std::vector<int>{3});
    // Closed, the arrows step through the items as before.
    Key(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ComboListTest, TheListOpensAndPicksByTheMouseAndAPressOutsideClosesIt)
{
    const LPARAM centre = MAKELPARAM(combo->Width() / 2, combo->Height() / 2);
    PostMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(combo->Handle(), WM_LBUTTONUP, 0, centre);
    Settle();
    ASSERT_TRUE(Open());
    RECT box{}, list{};
    GetWindowRect(combo->Handle(), &box);
    GetWindowRect(List()->Handle(), &list);
    EXPECT_EQ(list.top, box.bottom);
    EXPECT_EQ(list.left, box.left);

    // The row under the mouse is highlighted; a release on it picks it.
    MouseOnList(WM_MOUSEMOVE, RowCentre(2));
    EXPECT_EQ(List()->ItemIndex(), 2);
    // Shown in the focused colours, although the list has no focus.
    const TPoint p = RowCentre(2);
    const Pixels px = ReadClientPixels(List()->Handle(), RECT{p.X + 80, p.Y, p.X + 81, p.Y + 1});
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_TRUE(ColorNear(px.At(0, 0), (GetRValue(highlight) << 16) | (GetGValue(highlight) << 8) | GetBValue(highlight)));
    MouseOnList(WM_LBUTTONDOWN, RowCentre(2));
    MouseOnList(WM_LBUTTONUP, RowCentre(2));
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(changes, std::vector<int>{2});

    // A press outside the list closes it and changes nothing.
    combo->SetDroppedDown(true);
    Settle();
    MouseOnList(WM_MOUSEMOVE, RowCentre(0));
    MouseOnList(WM_LBUTTONDOWN, {-30, -30});
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), 2);
    // So does the combo box losing the focus.
    combo->SetDroppedDown(true);
    Settle();
    SetFocus(form->Handle());
    Settle();
    EXPECT_FALSE(Open());
    EXPECT_EQ(changes, std::vector<int>{2});
}

TEST_F(ComboListTest, TheOpenListFollowsTheItemsAndAnEditableBoxOpensOnlyFromItsButton)
{
    combo->SetDroppedDown(true);
    Settle();
    combo->Items()->Add(u"Damson");
    EXPECT_EQ(List()->Items()->Count(), 5);
    EXPECT_EQ(List()->Items()->Get(4), u"Damson");
    combo->Items()->Delete(0);
    EXPECT_EQ(List()->Items()->Get(0), u"Banana");
    combo->SetDroppedDown(false);

    combo->SetStyle(TComboBoxStyle::csDropDown);
    Settle();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    const LPARAM onEdit = MAKELPARAM(info.rcItem.left + 2, (info.rcItem.top + info.rcItem.bottom) / 2);
    PostMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onEdit);
    Settle();
    EXPECT_FALSE(combo->DroppedDown());
    const LPARAM onButton =
        MAKELPARAM((info.rcButton.left + info.rcButton.right) / 2, (info.rcButton.top + info.rcButton.bottom) / 2);
    PostMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onButton);
    Settle();
    EXPECT_TRUE(Open());
    // Typing goes to the edit; Return picks the highlighted row.
    Key(WM_KEYDOWN, VK_DOWN);
    Key(WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->Text(), combo->Items()->Get(combo->ItemIndex()));
}

}  // namespace
