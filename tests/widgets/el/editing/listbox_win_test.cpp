// The list box on real windows under Wine: the window's placeholders in step with the items
// (and check states with their items) through every change and window re-creation; type-ahead
// with its pause; check-box clicks and Shift ranges; the row colours of the focused and the
// unfocused box by their pixels; right to left; the line hint; scroll bars and extent; the
// flat border and the tiled background; a picture of a test form.
#include "widgets/el/editing/ElListBox.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElListBoxLineHint.h"

#include "widgets/el/foundation/ElScrollHook.h"
#include "widgets/el/foundation/ElUxTheme.h"

#include "widgets/el/menus/el_screenshot.h"

#include "support/gui_test.h"
#include "support/handler_recorder.h"
#include "support/pump.h"
#include "support/real_input.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;
using l3d::testing::ReadWindowPixels;

constexpr uint32_t kRed = 0xFF0000, kLime = 0x00FF00, kWhite = 0xFFFFFF;

// Answers LB_ERRSPACE to the placeholders while Refuse is set, as a window out of memory would.
class TRefusingListBox : public TElListBox {
public:
    using TElListBox::TElListBox;
    bool Refuse = false;
    void WndProc(TMessage& M) override
    {
        if (Refuse && M.Msg == LB_INSERTSTRING) {
            M.Result = LB_ERRSPACE;
            return;
        }
        TElListBox::WndProc(M);
    }
};

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallScrollHook());
        form.reset(CreateComponent<TForm>(nullptr));
        form->SetBounds(40, 40, 440, 330);
        form->Show();
        Settle();
    }
    void TearDown() override
    {
        form.reset();
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
        EXPECT_TRUE(errors.messages.empty()) << "an exception reached the application";
    }
    static void Settle()
    {
        EXPECT_TRUE(Settled());
    }
    template <class T = TElListBox>
    T* Add(TRect Bounds, std::initializer_list<const char16_t*> Items = {})
    {
        auto* list = new T(form.get());
        for (const char16_t* s : Items)
            list->Items()->Add(s);
        list->SetParent(form.get());
        list->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        Settle();
        return list;
    }
    static int WindowCount(TElListBox* List) { return static_cast<int>(SendMessageW(List->Handle(), LB_GETCOUNT, 0, 0)); }
    static std::string Checks(TElListBox* List)
    {
        std::string s;
        for (int i = 0; i < List->Items()->Count(); ++i)
            s += static_cast<char>('0' + List->State(i));
        return s;
    }
    static void Focus(TWinControl* Control)
    {
        Control->SetFocus();
        EXPECT_TRUE(PumpUntil([Control] { return GetFocus() == Control->Handle(); }));
        Settle();
    }
    // A left click at a client point, as the system delivers it.
    static void ClickAt(TElListBox* List, TPoint P, WPARAM Keys = 0)
    {
        PostMessageW(List->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | Keys, MAKELPARAM(P.X, P.Y));
        PostMessageW(List->Handle(), WM_LBUTTONUP, Keys, MAKELPARAM(P.X, P.Y));
        Settle();
    }
    static TPoint CheckBoxOf(TElListBox* List, int Index)
    {
        const TRect row = List->ItemRect(Index);
        return {row.Left + 8, row.Top + row.Height() / 2};
    }
    static void Type(TElListBox* List, char16_t Ch)
    {
        PostMessageW(List->Handle(), WM_CHAR, Ch, 1);
        Settle();
    }
    // The pixel in the middle of a row, near its right end (away from the text).
    static uint32_t RowPixel(TElListBox* List, int Index)
    {
        const TRect row = List->ItemRect(Index);
        const Pixels px = ReadClientPixels(List->Handle(), RECT{row.Right - 12, row.Top + row.Height() / 2,
                                                                row.Right - 11, row.Top + row.Height() / 2 + 1});
        return px.At(0, 0);
    }

    HandlerRecorder errors;
    TOwned<TForm> form;
};

TEST_F(ListBoxTest, TheWindowCountsTheItemsAndCheckStatesStayWithTheirItems)
{
    // Items given before the window exists get their placeholders with it.
    auto* early = new TElListBox(form.get());
    early->Items()->Add(u"one");
    early->Items()->Add(u"two");
    early->SetItemIndex(1);
    early->Items()->Insert(0, u"zero");
    early->SetParent(form.get());
    EXPECT_EQ(WindowCount(early), 3);
    EXPECT_EQ(early->ItemIndex(), 2);

    auto* list = Add<TRefusingListBox>(Bounds(10, 10, 200, 150), {u"Delta", u"Bravo", u"Charlie", u"Alpha"});
    TElListBoxStrings& items = *list->Items();
    auto same = [&] { return WindowCount(list) == items.Count(); };
    list->SetState(0, cbChecked);   // Delta
    list->SetState(2, cbGrayed);    // Charlie
    list->SetImageIndex(3, 7);      // Alpha
    list->SetItemIndex(1);          // Bravo

    items.Insert(0, u"Echo");
    EXPECT_TRUE(same());
    EXPECT_EQ(Checks(list), "01020");
    items.Delete(1);
    items.Delete(9);  // ignored
    EXPECT_TRUE(same());
    EXPECT_EQ(Checks(list), "0020");
    items.Move(0, 3);  // Bravo Charlie Alpha Echo
    EXPECT_TRUE(same());
    EXPECT_EQ(Checks(list), "0200");
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(items.Get(list->ItemIndex()), u"Bravo");
    items.Exchange(0, 1);
    EXPECT_EQ(items.Get(list->ItemIndex()), u"Bravo");
    list->SetSorted(true);  // Alpha Bravo Charlie Echo
    EXPECT_TRUE(same());
    EXPECT_EQ(Checks(list), "0020");
    EXPECT_EQ(list->ImageIndex(0), 7);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(items.Add(u"Bravo"), -2);  // an ignored duplicate touches no window
    EXPECT_TRUE(same());

    // A refused placeholder leaves no item behind.
    list->Refuse = true;
    EXPECT_THROW(items.Add(u"Foxtrot"), EOutOfResources);
    list->Refuse = false;
    EXPECT_TRUE(same());
    EXPECT_EQ(items.IndexOf(u"Foxtrot"), -1);

    // A new window (another kind of box) keeps items, checks and selection.
    list->SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_TRUE(same());
    EXPECT_EQ(list->ItemIndex(), 1);
    list->SetMultiSelect(true);
    EXPECT_TRUE(same());
    EXPECT_TRUE(list->Selected(1));
    list->SetSelected(3, true);
    list->SetExtendedSelect(false);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(Checks(list), "0020");
    // Virtual kinds have no item source here: they are taken as the ordinary ones, unraised.
    list->SetStyle(TListBoxStyle::lbVirtualOwnerDraw);
    EXPECT_EQ(list->Style(), TListBoxStyle::lbOwnerDrawFixed);
    list->SetStyle(TListBoxStyle::lbVirtual);
    EXPECT_EQ(list->Style(), TListBoxStyle::lbStandard);
    EXPECT_TRUE(same());

    items.Clear();
    EXPECT_TRUE(same());
    items.Add(u"Golf");
    EXPECT_EQ(Checks(list), "0");
    EXPECT_TRUE(same());
}

TEST_F(ListBoxTest, TypingFindsBananaThenBerryAndAfterThePauseCherry)
{
    auto* list = Add(Bounds(10, 10, 200, 150), {u"Apple", u"Banana", u"Berry", u"Cherry"});
    list->SetIncrementalSearchTimeout(150);
    std::vector<int> changes;
    list->OnChange = [&](TObject* Sender) { changes.push_back(static_cast<TElListBox*>(Sender)->ItemIndex()); };
    Focus(list);

    Type(list, u'b');
    EXPECT_EQ(list->ItemIndex(), 1);
    Type(list, u'b');
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->SearchText(), u"b");
    EXPECT_TRUE(PumpUntil([&] { return list->SearchText().empty(); })) << "the pause did not end the search";
    Type(list, u'c');
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3}));

    // An arrow right after typing keeps the arrow's choice; keys that type nothing search not.
    EXPECT_TRUE(PumpUntil([&] { return list->SearchText().empty(); }));
    list->SetIncrementalSearchTimeout(5000);
    Type(list, u'b');
    EXPECT_EQ(list->ItemIndex(), 1);
    PostMessageW(list->Handle(), WM_KEYDOWN, VK_DOWN, 1);
    Settle();
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->SearchText(), u"b");
    PostMessageW(list->Handle(), WM_KEYDOWN, VK_BACK, 1);
    Settle();
    EXPECT_EQ(list->SearchText(), u"");
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(changes.back(), 2);
    // A space does not search (it marks items in a multi-selection box).
    Type(list, u' ');
    EXPECT_EQ(list->ItemIndex(), 2);
    // Every key that moves the selection reports it, not only the arrows.
    PostMessageW(list->Handle(), WM_KEYDOWN, VK_END, 1);
    Settle();
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(changes.back(), 3);
}

TEST_F(ListBoxTest, CheckBoxClicksCycleTheirStateAndShiftClicksToggleARange)
{
    auto* list = Add(Bounds(10, 10, 200, 200), {u"0", u"1", u"2", u"3", u"4", u"5", u"6"});
    list->SetShowCheckBox(true);
    list->SetItemIndex(0);
    std::vector<std::pair<int, int>> single, multi;
    list->OnCheckBoxChange = [&](TObject*, int Index, TCheckBoxState State) { single.push_back({Index, State}); };
    list->OnMultiCheck = [&](TObject*, int From, int To) { multi.push_back({From, To}); };
    Settle();

    ClickAt(list, CheckBoxOf(list, 2));
    EXPECT_EQ(Checks(list), "0020000");
    ClickAt(list, CheckBoxOf(list, 2));
    ClickAt(list, CheckBoxOf(list, 2));
    EXPECT_EQ(Checks(list), "0000000");
    EXPECT_EQ(single, (std::vector<std::pair<int, int>>{{2, cbGrayed}, {2, cbChecked}, {2, cbUnchecked}}));
    EXPECT_EQ(list->ItemIndex(), 0) << "a click on a check box selects nothing";

    list->SetState(4, cbChecked);
    ClickAt(list, CheckBoxOf(list, 5), MK_SHIFT);  // the anchor is item 2
    EXPECT_EQ(Checks(list), "0001010");
    EXPECT_EQ(multi, (std::vector<std::pair<int, int>>{{2, 5}}));
    ClickAt(list, CheckBoxOf(list, 2), MK_SHIFT);  // no anchor now: a plain click
    EXPECT_EQ(Checks(list), "0021010");
    EXPECT_EQ(multi.size(), 1u);

    list->SetAllowGrayed(false);
    EXPECT_EQ(Checks(list), "0001010");
    // A click beside the box selects as usual.
    const TRect row = list->ItemRect(6);
    ClickAt(list, {row.Left + 60, row.Top + 2});
    EXPECT_EQ(list->ItemIndex(), 6);
    EXPECT_EQ(Checks(list), "0001010");
}

TEST_F(ListBoxTest, TheSelectedRowTakesTheFocusedAndTheUnfocusedColours)
{
    auto* list = Add(Bounds(10, 10, 200, 150), {u"one", u"two", u"three"});
    auto* other = Add(Bounds(220, 10, 150, 150), {u"other"});
    list->SetFocusedSelectColor(clRed);
    list->SetHideSelectColor(clLime);
    list->SetColor(clWhite);
    list->SetItemIndex(1);
    Focus(list);
    EXPECT_TRUE(ColorNear(RowPixel(list, 1), kRed));
    EXPECT_TRUE(ColorNear(RowPixel(list, 0), kWhite));
    Focus(other);
    EXPECT_TRUE(ColorNear(RowPixel(list, 1), kLime));
    list->SetHideSelection(false);
    Settle();
    EXPECT_TRUE(ColorNear(RowPixel(list, 1), kWhite));
    // A half-transparent highlight mixes the colour into the row's.
    list->SetHideSelection(true);
    list->SetHideSelectColor(clBlack);
    list->SetHighlightAlphaLevel(128);
    list->SetHighlightAlphaLevel(256);  // out of range: ignored
    Settle();
    EXPECT_EQ(list->HighlightAlphaLevel(), 128);
    EXPECT_TRUE(ColorNear(RowPixel(list, 1), 0x7F7F7F, 3));
}

TEST_F(ListBoxTest, RightToLeftRowsStartAtTheRightAndTheBarMovesLeft)
{
    auto* list = Add(Bounds(10, 10, 200, 150), {u"WWWW"});
    list->SetShowCheckBox(true);
    list->SetColor(clWhite);
    list->SetRightToLeft(true);
    list->SetRightAlignedView(true);
    Settle();
    const LONG ex = GetWindowLongW(list->Handle(), GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR),
              WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
    const TRect row = list->ItemRect(0);
    const Pixels px = ReadClientPixels(list->Handle(), RECT{row.Left, row.Top, row.Right, row.Bottom});
    // The check box and the text lie in the right part of the row; the left part is empty.
    int left = 0, right = 0;
    for (int y = 0; y < px.height; ++y)
        for (int x = 0; x < px.width; ++x)
            (x < px.width / 2 ? left : right) += ColorNear(px.At(x, y), kWhite, 30) ? 0 : 1;
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 20);
    // The box's own type-ahead still works in right-to-left rows.
    Focus(list);
    Type(list, u'w');
    EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(ListBoxTest, TheLineHintShowsALongRowsWholeTextAndGoesAgain)
{
    const int pause = Application->HintPause, hide = Application->HintHidePause;
    Application->HintPause = 30;
    Application->HintHidePause = 300;
    auto* list = Add(Bounds(10, 10, 120, 100),
                     {u"short", u"a row whose text is much wider than the box that shows it"});
    list->SetShowLineHint(true);
    auto moveTo = [&](int Index) {
        const TRect row = list->ItemRect(Index);
        PostMessageW(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(row.Left + 20, row.Top + row.Height() / 2));
        Settle();
    };
    auto shown = [&] { return list->LineHintWindow() && IsWindowVisible(list->LineHintWindow()->Handle()); };

    moveTo(1);
    ASSERT_TRUE(PumpUntil(shown));
    TElListBoxHintWindow* hint = list->LineHintWindow();
    const HWND first = hint->Handle();
    EXPECT_EQ(hint->WideCaption(), list->Items()->Get(1));
    EXPECT_FALSE(hint->IsHTML);
    RECT r{};
    GetWindowRect(first, &r);
    const TPoint rowTop = list->ClientToScreen({0, list->ItemRect(1).Top});
    EXPECT_EQ(r.top, rowTop.Y);
    EXPECT_GT(r.right - r.left, list->ClientWidth());
    EXPECT_TRUE(PumpUntil([&] { return !shown(); })) << "the hint stayed";

    // A row that fits shows none; back on the long row the same window shows again.
    moveTo(0);
    TimerWitness witness(Application->HintPause);  // by its second tick the pause is over
    ASSERT_TRUE(PumpUntil(witness.Ticked(2)));
    EXPECT_FALSE(shown());
    moveTo(1);
    ASSERT_TRUE(PumpUntil(shown));
    EXPECT_EQ(list->LineHintWindow()->Handle(), first);
    // A row in markup shows formatted.
    list->Items()->Add(u"<html><b>bold</b> and a text much wider than the box</html>");
    moveTo(2);
    ASSERT_TRUE(PumpUntil([&] { return shown() && list->LineHintWindow()->IsHTML; }));
    EXPECT_EQ(list->LineHintWindow()->Handle(), first);
    // The box going while its hint shows takes the hint with it.
    Free(list);
    Settle();
    EXPECT_FALSE(IsWindow(first));
    Application->HintPause = pause;
    Application->HintHidePause = hide;
}

TEST_F(ListBoxTest, ReplacementBarsFollowTheItemsAndTheExtentFollowsTheWidestItem)
{
    auto* list = Add(Bounds(10, 10, 150, 120));
    ASSERT_TRUE(list->UseCustomScrollBars());
    ASSERT_TRUE(list->ScrollBarController()->IsHooked());
    list->Items()->BeginUpdate();
    for (int i = 0; i < 50; ++i)
        list->Items()->Add(u"item " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
    list->Items()->EndUpdate();
    Settle();
    EXPECT_EQ(list->VertScrollBarStyles()->Max(), 49);
    list->SetTopIndex(10);
    EXPECT_EQ(list->VertScrollBarStyles()->Position(), 10);
    EXPECT_EQ(list->ItemAtPos({5, 1}), 10);
    EXPECT_EQ(list->ItemAtPos({5, 5000}), -1);

    list->SetHorizontalScroll(true);
    const std::u16string wide(80, u'W');
    list->Items()->Add(wide);
    const int widest = list->GetItemWidth(50);
    EXPECT_GT(widest, 300);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), widest);
    list->Items()->Delete(50);
    EXPECT_LT(SendMessageW(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), widest);
    EXPECT_GT(SendMessageW(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 0);
    list->Items()->Clear();
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 0);

    // Without the scroll-function hook the box keeps the standard bars.
    UninstallScrollHook();
    auto* plain = Add(Bounds(200, 10, 150, 120), {u"x"});
    EXPECT_FALSE(plain->UseCustomScrollBars());
    EXPECT_FALSE(plain->ScrollBarController()->IsHooked());
    ASSERT_TRUE(InstallScrollHook());
}

TEST_F(ListBoxTest, AFlatBorderTakesItsColoursAndSidesAndTheBackgroundIsTiled)
{
    ElUxTheme().SetForceClassic(true);
    auto* list = Add(Bounds(10, 10, 150, 120), {u"a", u"b"});
    list->SetUseCustomScrollBars(false);
    list->SetFlat(true);
    list->SetInactiveBorderType(fbtLine);
    list->SetLineBorderInactiveColor(clRed);
    list->SetBorderSides(AllBorderSides & ~(1 << ebsLeft));
    Settle();
    RECT window{}, client{};
    GetWindowRect(list->Handle(), &window);
    GetClientRect(list->Handle(), &client);
    MapWindowPoints(list->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(client.left, window.left);  // no left side
    EXPECT_EQ(client.top, window.top + GetSystemMetrics(SM_CYEDGE));
    const Pixels nc = ReadWindowPixels(list->Handle(), RECT{0, 0, 150, 120});
    EXPECT_TRUE(ColorNear(nc.At(75, 0), kRed));
    EXPECT_TRUE(ColorNear(nc.At(149, 60), kRed));

    // Tiles: a 2 x 2 pattern of red and lime from the client's origin, under the rows too.
    TBitmap tile(2, 2);
    tile.SetPixel(0, 0, clRed);
    tile.SetPixel(1, 0, clLime);
    tile.SetPixel(0, 1, clLime);
    tile.SetPixel(1, 1, clRed);
    list->SetBackground(&tile);
    list->SetUseBackground(true);
    Settle();
    const TRect row = list->ItemRect(1);
    const Pixels px = ReadClientPixels(list->Handle(), RECT{100, row.Top, 102, row.Top + 2});
    const bool even = row.Top % 2 == 0;
    EXPECT_TRUE(ColorNear(px.At(0, 0), even ? kRed : kLime));
    EXPECT_TRUE(ColorNear(px.At(1, 0), even ? kLime : kRed));
    const Pixels below = ReadClientPixels(list->Handle(), RECT{100, 100, 101, 101});
    EXPECT_TRUE(ColorNear(below.At(0, 0), kRed));

    // The form's painted background comes before the tiles.
    auto* imageForm = new TElImageForm(form.get());
    TBitmap lime(4, 4);
    lime.Canvas()->Brush()->SetColor(clLime);
    lime.Canvas()->FillRect(TRect{0, 0, 4, 4});
    imageForm->SetBackground(&lime);
    imageForm->SetBackgroundType(bgtTileBitmap);
    list->SetImageForm(imageForm);
    Settle();
    EXPECT_TRUE(ColorNear(RowPixel(list, 1), kLime));
    Free(imageForm);
    Settle();
    EXPECT_EQ(list->ImageForm(), nullptr);
    ElUxTheme().SetForceClassic(false);
}

TEST_F(ListBoxTest, AClickOnItsBarScrollsALongListBeyondSixteenBits)
{
    auto* list = Add(Bounds(10, 10, 200, 160));
    list->Items()->BeginUpdate();
    for (int i = 0; i < 70000; ++i)
        list->Items()->Add(u"row");
    list->Items()->EndUpdate();
    SendMessageW(list->Handle(), LB_SETTOPINDEX, 66000, 0);
    Settle();
    ASSERT_TRUE(list->UseCustomScrollBars());
    const TElCtrlScrollBarStyles* bar = list->VertScrollBarStyles();
    ASSERT_EQ(bar->Position(), 66000);
    // A click on the bar's page area below the thumb: one page down.
    RECT window{};
    GetWindowRect(list->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(list->Handle(), &origin);
    const TRect b = bar->BarRect();
    ASSERT_TRUE(l3d::testing::FocusWindow(list->Handle()));
    l3d::testing::ClickAt(list->Handle(), {window.left + b.Left + 8 - origin.x,
                                           window.top + b.Top + bar->PartRect(sbpThumb).Bottom + 3 - origin.y});
    const int page = bar->Page();
    EXPECT_GT(page, 1);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), 66000 + page);
    EXPECT_EQ(bar->Position(), 66000 + page);
}

// The test form for a person to look at: a list with check boxes (a checked, a grayed and the
// selected row), a multi-selection list with its replacement scroll bar, and a combo box with
// its list open.
TEST_F(ListBoxTest, ScreenshotOfTheTestForm)
{
    auto* checks = Add(Bounds(10, 10, 200, 160),
                       {u"Apple", u"Banana", u"Berry", u"Cherry", u"\u00C4pfel und Birnen", u"\u05E9\u05DC\u05D5\u05DD"});
    checks->SetShowCheckBox(true);
    checks->SetState(1, cbChecked);
    checks->SetState(2, cbGrayed);
    checks->SetItemIndex(3);
    auto* many = Add(Bounds(220, 10, 190, 160));
    many->Items()->BeginUpdate();
    for (int i = 0; i < 40; ++i)
        many->Items()->Add(u"Row " + std::u16string(1, static_cast<char16_t>(u'0' + i / 10)) +
                           std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
    many->Items()->EndUpdate();
    many->SetMultiSelect(true);
    many->SetSelected(2, true);
    many->SetSelected(4, true);
    auto* combo = new TElComboBox(form.get());
    for (const char16_t* s : {u"50 %", u"100 %", u"200 %", u"400 %"})
        combo->Items()->Add(s);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetParent(form.get());
    combo->SetBounds(10, 180, 200, combo->Height());
    combo->SetItemIndex(1);
    Focus(checks);
    combo->SetDroppedDown(true);
    Settle();
    l3d::testing::SaveWindowPicture(form->Handle(), u"listbox_test_form.png");
    EXPECT_NE(GetFileAttributesW(L"listbox_test_form.png"), INVALID_FILE_ATTRIBUTES);
    // What the picture shows where: the focused list's selected row (and only it) in the
    // highlight colour, the multi-selection's two rows in the unfocused one.
    const COLORREF h = ColorToRGB(checks->FocusedSelectColor());
    const uint32_t highlight = GetRValue(h) << 16 | GetGValue(h) << 8 | GetBValue(h);
    EXPECT_TRUE(ColorNear(RowPixel(checks, 3), highlight));
    EXPECT_FALSE(ColorNear(RowPixel(checks, 2), highlight));
    EXPECT_EQ(RowPixel(many, 2), RowPixel(many, 4));
    EXPECT_NE(RowPixel(many, 2), RowPixel(many, 3));
}

}  // namespace

