// The selection controls' first form on real windows: the combo box's selection and text in both
// styles, its key events, drop-down state, list alignment and the wheel; the folder-name edit's
// browse button; the spin edit's value, steps, caret, held button and limits; the group box's
// caption.
#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElFloatSpinEdit.h"
#include "widgets/el/editing/ElFolderNameEdit.h"
#include "widgets/el/editing/ElGroupBox.h"

#include "support/gui_test.h"
#include "support/pump.h"
#include "support/real_input.h"

#include "framework/FolderDialog.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::Pixels;
using l3d::testing::ReadClientPixels;

struct SelectionForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};

    SelectionForm()
    {
        form->SetBounds(40, 40, 520, 320);
        form->Show();
    }
    template <class T>
    T* Add(int Left, int Top, int Width)
    {
        T* control = new T(form.get());
        control->SetParent(form.get());
        control->SetBounds(Left, Top, Width, control->Height());
        return control;
    }
    // Focuses Control and returns the window that took the keys.
    HWND Focus(TWinControl* Control)
    {
        Control->SetFocus();
        Settle();
        return GetFocus();
    }
    void Type(HWND Window, const std::u16string& Chars)
    {
        for (char16_t c : Chars)
            PostMessageW(Window, WM_CHAR, c, 1);
        Settle();
    }
    // Everything posted so far has been handled.
    static void Settle() { EXPECT_TRUE(PumpUntil(PostedMessagesHandled())); }
};

TElComboBox* FillZoom(TElComboBox* Combo)
{
    for (const char16_t* item : {u"50 %", u"100 %", u"200 %"})
        Combo->Items()->Add(item);
    return Combo;
}

TEST(ElComboBox, ItemIndexMinusOneClearsTheListStylesTextAndKeepsTheEditableOne)
{
    SelectionForm f;
    auto* list = FillZoom(f.Add<TElComboBox>(10, 10, 120));
    list->SetStyle(TComboBoxStyle::csDropDownList);
    auto* edit = FillZoom(f.Add<TElComboBox>(150, 10, 120));
    int changes = 0;
    for (TElComboBox* c : {list, edit})
        c->OnChange = [&](TObject*) { ++changes; };
    f.Settle();

    list->SetItemIndex(1);
    EXPECT_EQ(list->Text(), u"100 %");
    list->SetItemIndex(-1);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Text(), u"");

    edit->SetItemIndex(2);
    EXPECT_EQ(edit->Text(), u"200 %");
    edit->SetItemIndex(-1);
    EXPECT_EQ(edit->ItemIndex(), -1);
    EXPECT_EQ(edit->Text(), u"200 %");
    edit->SetText(u"150 %");
    EXPECT_EQ(edit->Text(), u"150 %");
    EXPECT_EQ(changes, 0);  // code changes fire nothing

    // The list style shows only items: a text selects its item, or none.
    list->SetText(u"50 %");
    EXPECT_EQ(list->ItemIndex(), 0);
    list->SetText(u"75 %");
    EXPECT_EQ(list->ItemIndex(), -1);

    // Objects travel with their items; a new style keeps items and selection.
    TObject marker;
    list->Items()->AddObject(u"with object", &marker);
    EXPECT_EQ(list->Items()->IndexOfObject(&marker), 3);
    list->SetItemIndex(3);
    list->SetStyle(TComboBoxStyle::csDropDown);
    EXPECT_EQ(SendMessageW(list->Handle(), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->Text(), u"with object");
    list->Items()->Clear();
    EXPECT_EQ(SendMessageW(list->Handle(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(list->ItemIndex(), -1);

    // Set before the window exists, the selection shows once it does.
    auto* later = new TElComboBox(f.form.get());
    FillZoom(later);
    later->SetStyle(TComboBoxStyle::csDropDownList);
    later->SetItemIndex(2);
    later->Items()->Insert(0, u"25 %");
    EXPECT_EQ(later->Text(), u"200 %");
    later->SetParent(f.form.get());
    EXPECT_EQ(later->ItemIndex(), 3);
    EXPECT_EQ(later->TWinControl::Text(), u"200 %");
}

TEST(ElComboBox, KeysGoThroughItsHandlersWhichMayChangeOrSwallowThem)
{
    SelectionForm f;
    auto* impulses = f.Add<TElComboBox>(10, 10, 120);
    std::vector<TObject*> senders;
    impulses->OnKeyPress = [&](TObject* Sender, char16_t& Key) {
        senders.push_back(Sender);
        if (Key == u'a')
            Key = u'7';  // changed
        else if (Key < u'0' || Key > u'9')
            Key = 0;  // swallowed
    };
    int changes = 0;
    impulses->OnChange = [&](TObject*) { ++changes; };
    const HWND edit = f.Focus(impulses);
    ASSERT_EQ(edit, impulses->Handle());  // the combo box is its own edit
    f.Type(edit, u"1x2a");
    EXPECT_EQ(impulses->Text(), u"127");
    EXPECT_EQ(senders, std::vector<TObject*>(4, impulses));
    EXPECT_GT(changes, 0);  // the user's typing is a change

    // A list-style box whose key-down handler swallows every key keeps its selection.
    auto* soil = FillZoom(f.Add<TElComboBox>(150, 10, 120));
    soil->SetStyle(TComboBoxStyle::csDropDownList);
    soil->SetItemIndex(0);
    changes = 0;
    soil->OnChange = [&](TObject*) { ++changes; };
    const HWND box = f.Focus(soil);
    PostMessageW(box, WM_KEYDOWN, VK_DOWN, 1);
    f.Settle();
    EXPECT_EQ(soil->ItemIndex(), 1);  // not swallowed yet: the user's change
    EXPECT_EQ(changes, 1);
    soil->OnKeyDown = [](TObject*, uint16_t& Key, TShiftState) { Key = 0; };
    PostMessageW(box, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_TRUE(NothingFollows());
    EXPECT_EQ(soil->ItemIndex(), 1);
    EXPECT_EQ(changes, 1);
}

TEST(ElComboBox, DroppedDownHoldsInOnDropDownAndRightAlignmentPutsTheListUnderTheRightEdge)
{
    SelectionForm f;
    auto* combo = FillZoom(f.Add<TElComboBox>(200, 20, 100));
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    std::vector<bool> seen;
    combo->OnDropDown = [&](TObject* Sender) { seen.push_back(static_cast<TElComboBox*>(Sender)->DroppedDown()); };
    SendMessageW(combo->Handle(), CB_SETDROPPEDWIDTH, 220, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo->Handle(), &info);
    RECT box{}, list{};
    GetWindowRect(combo->Handle(), &box);

    auto dropped = [&] {
        combo->SetDroppedDown(true);
        EXPECT_TRUE(NothingFollows());  // the open list does not close itself
        EXPECT_TRUE(combo->DroppedDown());
        GetWindowRect(info.hwndList, &list);
        combo->SetDroppedDown(false);
        f.Settle();
        EXPECT_FALSE(combo->DroppedDown());
        return list;
    };
    dropped();
    EXPECT_EQ(list.left, box.left);
    EXPECT_EQ(seen, std::vector<bool>{true});

    // What ApplyTextDirection does for a right-to-left language.
    combo->SetDropDownAlignment(TAlignment::taRightJustify);
    combo->SetAlignment(TAlignment::taRightJustify);
    combo->SetRightAlignedView(true);
    dropped();
    EXPECT_EQ(list.right, box.right);
    EXPECT_EQ(list.right - list.left, 220);
    EXPECT_NE(GetWindowLongW(combo->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0);

    // The open list shows DropDownCount rows at most.
    for (int i = 0; i < 20; ++i)
        combo->Items()->Add(u"row");
    combo->SetDropDownCount(5);
    dropped();
    const int rowHeight = static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_LE(list.bottom - list.top, 5 * rowHeight + 4);
    EXPECT_GE(list.bottom - list.top, 5 * rowHeight);
}

TEST(ElComboBox, TheWheelOverAClosedBoxStepsItsItemUnlessAControlItSitsOnTakesTheWheel)
{
    SelectionForm f;
    auto* zoom = FillZoom(f.Add<TElComboBox>(10, 10, 120));
    zoom->SetStyle(TComboBoxStyle::csDropDownList);
    zoom->SetItemIndex(0);
    int changes = 0;
    zoom->OnChange = [&](TObject*) { ++changes; };
    bool formTakesTheWheel = false;
    f.form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = formTakesTheWheel; };
    ASSERT_TRUE(l3d::testing::FocusWindow(zoom->Handle()));
    const POINT middle{40, zoom->ClientHeight() / 2};
    l3d::testing::TurnWheelAt(zoom->Handle(), middle, -WHEEL_DELTA);  // towards the user: the next item
    EXPECT_EQ(zoom->ItemIndex(), 1);
    l3d::testing::TurnWheelAt(zoom->Handle(), middle, -WHEEL_DELTA / 2);
    EXPECT_EQ(zoom->ItemIndex(), 1);
    l3d::testing::TurnWheelAt(zoom->Handle(), middle, -WHEEL_DELTA / 2);
    EXPECT_EQ(zoom->ItemIndex(), 2);
    l3d::testing::TurnWheelAt(zoom->Handle(), middle, -WHEEL_DELTA);  // no item after the last
    EXPECT_EQ(zoom->ItemIndex(), 2);
    l3d::testing::TurnWheelAt(zoom->Handle(), middle, 3 * WHEEL_DELTA);
    EXPECT_EQ(zoom->ItemIndex(), 0);
    EXPECT_EQ(zoom->Text(), u"50 %");
    EXPECT_EQ(changes, 3);
    // A form that uses the wheel itself (the main window zooms with it) gets it first.
    formTakesTheWheel = true;
    l3d::testing::TurnWheelAt(zoom->Handle(), middle, -WHEEL_DELTA);
    EXPECT_EQ(zoom->ItemIndex(), 0);
}

struct FolderSeam {
    std::vector<TFolderDialogRequest> asked;
    std::u16string answer;
    TFolderDialogFunc saved = FolderDialogSeam();
    FolderSeam()
    {
        FolderDialogSeam() = [this](TFolderDialogRequest& Request) {
            asked.push_back(Request);
            if (answer.empty())
                return false;
            Request.Folder = answer;
            return true;
        };
    }
    ~FolderSeam() { FolderDialogSeam() = saved; }
};

TEST(ElFolderNameEdit, TheBrowseButtonOpensTheFolderDialogAndEveryChangeIsReported)
{
    SelectionForm f;
    FolderSeam seam;
    auto* folder = f.Add<TElFolderNameEdit>(10, 10, 300);
    std::vector<std::u16string> changes;
    folder->OnChange = [&](TObject* Sender) { changes.push_back(static_cast<TElFolderNameEdit*>(Sender)->Text()); };
    folder->SetText(u"C:\\Scans");
    folder->SetDialogTitle("Destination folder");
    folder->SetPrompt(u"Select your destination Folder for your files!");
    EXPECT_EQ(folder->Title(), "Destination folder");
    const HWND button = folder->Button()->Handle();
    auto click = [&] {
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    };

    seam.answer = u"C:\\Import";
    click();
    ASSERT_EQ(seam.asked.size(), 1u);
    EXPECT_EQ(seam.asked[0].Title, u"Destination folder");
    EXPECT_EQ(seam.asked[0].Prompt, u"Select your destination Folder for your files!");
    EXPECT_EQ(seam.asked[0].Folder, u"C:\\Scans");
    EXPECT_EQ(folder->Text(), u"C:\\Import");

    seam.answer.clear();  // cancelled: nothing changes
    click();
    EXPECT_EQ(folder->Text(), u"C:\\Import");

    const HWND typed = f.Focus(folder);
    folder->SetSelStart(9);
    f.Type(typed, u"\\x");
    EXPECT_EQ(changes, (std::vector<std::u16string>{u"C:\\Scans", u"C:\\Import", u"C:\\Import\\", u"C:\\Import\\x"}))
        << changes.size();
    folder->SetEnabled(false);
    click();
    EXPECT_EQ(seam.asked.size(), 2u);  // a disabled edit's button opens nothing
}

TEST(ElFloatSpinEdit, ValueShowsAsTextStepsWithinLimitsAndTheCaretCanStepOverTheSeparator)
{
    SelectionForm f;
    auto* length = f.Add<TElFloatSpinEdit>(10, 10, 120);
    length->SetIncrement(0.1);
    length->SetMaxValue(99999.0);
    length->SetAlignment(TAlignment::taRightJustify);
    int changes = 0;
    length->OnChange = [&](TObject*) { ++changes; };
    length->SetValue(4.6);
    EXPECT_EQ(length->Text(), u"4.60");
    EXPECT_EQ(changes, 1);

    // The up button, and the Up and Page Down keys in the edit.
    const HWND buttons = length->Button()->Handle();
    RECT r{};
    GetClientRect(buttons, &r);
    PostMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 2));
    PostMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 2));
    EXPECT_TRUE(PumpUntil([&] { return length->Text() == u"4.70"; })) << std::string(length->Text().begin(), length->Text().end());
    const HWND edit = f.Focus(length);
    PostMessageW(edit, WM_KEYDOWN, VK_UP, 1);
    f.Settle();
    EXPECT_EQ(length->Text(), u"4.80");
    length->SetLargeIncrement(10.0);
    PostMessageW(edit, WM_KEYDOWN, VK_NEXT, 1);
    f.Settle();
    EXPECT_EQ(length->Text(), u"0.00");  // not below MinValue
    EXPECT_DOUBLE_EQ(length->Value(), 0.0);

    // The characteristics dialog's key handler: the separator steps the caret over the dot.
    length->SetValue(12.5);
    length->OnKeyPress = [&](TObject*, char16_t& Key) {
        if (Key == u'.' || Key == u',') {
            length->SetSelStart(length->SelStart() + 1);
            Key = 0;
        }
    };
    length->SetSelStart(2);
    f.Type(edit, u".");
    EXPECT_EQ(length->Text(), u"12.50");
    EXPECT_EQ(length->SelStart(), 3);
    f.Type(edit, u"7");
    EXPECT_EQ(length->Text(), u"12.750");

    length->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(edit));
}

TEST(ElFloatSpinEdit, StepsByRealInputKeepTheCaretAHeldHalfRepeatsAndTypedNumbersReadWithinTheLimits)
{
    SelectionForm f;
    auto* spin = f.Add<TElFloatSpinEdit>(10, 10, 120);
    auto* next = f.Add<TElFloatSpinEdit>(10, 50, 120);
    spin->SetMaxValue(100.0);
    spin->SetValue(12.5);
    // The edit keeps the height the form's layout gives; each half has its share of it.
    EXPECT_EQ(spin->Height(), 21);
    const HWND button = spin->Button()->Handle();
    RECT r{};
    GetClientRect(button, &r);
    EXPECT_EQ(r.bottom, spin->ClientHeight());
    EXPECT_GE(r.bottom / 2, 8);

    // A step by key or by click leaves the caret where it was.
    ASSERT_TRUE(l3d::testing::FocusWindow(spin->Handle()));
    spin->SetSelStart(2);
    l3d::testing::PressKey(VK_UP);
    EXPECT_EQ(spin->Text(), u"13.50");
    EXPECT_EQ(spin->SelStart(), 2);
    l3d::testing::ClickAt(button, {r.right / 2, r.bottom * 3 / 4});
    EXPECT_EQ(spin->Text(), u"12.50");
    EXPECT_EQ(spin->SelStart(), 2);
    EXPECT_EQ(GetFocus(), spin->Handle());

    // The upper half held: the value climbs until the button is let go.
    l3d::testing::PressButtonAt(button, {r.right / 2, 2});
    EXPECT_TRUE(PumpUntil([&] { return spin->Value() >= 15.5; }, 120000)) << "holding the upper half does not repeat";
    l3d::testing::ReleaseButton();
    const double held = spin->Value();
    const TimerWitness witness(static_cast<int>(TElFloatSpinEdit::RepeatIntervalMs));
    ASSERT_TRUE(PumpUntil(witness.Ticked(2), 120000));
    EXPECT_EQ(spin->Value(), held) << "the step repeats after the release";
    EXPECT_EQ(spin->SelStart(), 2);

    // A typed number beyond the limits reads as the limit, but its text stays as typed when the
    // user leaves the edit or presses Return (the form that reads it refuses it in the user's
    // words); a step starts from the limit.
    spin->SetSelStart(0);
    spin->SetSelLength(static_cast<int64_t>(spin->Text().size()));
    l3d::testing::TypeText(u"150");
    EXPECT_EQ(spin->Text(), u"150");
    EXPECT_DOUBLE_EQ(spin->Value(), 100.0);
    l3d::testing::PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), next->Handle());
    EXPECT_EQ(spin->Text(), u"150");
    next->SetMinValue(-5.0);
    next->SetMaxValue(5.0);
    next->SetSelStart(0);
    next->SetSelLength(static_cast<int64_t>(next->Text().size()));
    l3d::testing::TypeText(u"-7");
    l3d::testing::PressKey(VK_RETURN);
    EXPECT_EQ(next->Text(), u"-7");
    EXPECT_DOUBLE_EQ(next->Value(), -5.0);
    l3d::testing::PressKey(VK_UP);
    EXPECT_EQ(next->Text(), u"-4.00");
}

TEST(ElGroupBox, ItsCaptionIsPaintedAndGreyedWhenDisabled)
{
    SelectionForm f;
    auto* group = f.Add<TElGroupBox>(10, 10, 240);
    group->SetCaption(u"  Scan mode   ");
    group->Update();
    const TRect caption = group->CaptionRect();
    ASSERT_FALSE(caption.IsEmpty());
    const RECT r{caption.Left, caption.Top, caption.Right, caption.Bottom};
    auto darkest = [&] {
        group->Update();
        const Pixels p = ReadClientPixels(group->Handle(), r);
        int low = 255 * 3;
        for (uint32_t c : p.data)
            low = std::min<int>(low, int((c >> 16) & 0xFF) + int((c >> 8) & 0xFF) + int(c & 0xFF));
        return low;
    };
    const int enabled = darkest();
    EXPECT_LT(enabled, 200);  // text in the window text colour
    group->SetEnabled(false);
    EXPECT_GT(darkest(), enabled + 60);
    group->SetCaption(u"");
    EXPECT_TRUE(group->CaptionRect().IsEmpty());
}

}  // namespace
