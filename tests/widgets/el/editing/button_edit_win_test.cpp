// The button edit on real windows: the buttons inside the border and the text area before them,
// clicks and short-cuts that leave the focus in the edit, and Escape reaching the form.
#include "edit_win_form.h"

#include "widgets/el/editing/ElButtonEdit.h"
#include "widgets/el/editing/ElComboBox.h"

#include "framework/StdCtrls.h"

namespace {

RECT EditRectOf(HWND Window)
{
    RECT r{};
    SendMessageW(Window, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

TRect WindowBounds(TWinControl* Control)
{
    RECT r{};
    GetWindowRect(Control->Handle(), &r);
    MapWindowPoints(nullptr, Control->Parent()->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

TEST(ElButtonEdit, ButtonsSitInsideTheBorderAndTheTextStopsBeforeThem)
{
    EditForm f;
    auto* edit = f.Add<TCustomElButtonEdit>(10, 10, 200, 0);
    EditForm::Settle();
    const HWND h = edit->Handle();
    const TRect client = edit->ClientRect();
    const int system = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(WindowBounds(edit->Button()), (TRect{client.Right - system, 0, client.Right, client.Bottom}));
    EXPECT_EQ(EditRectOf(h).right, client.Right - system);
    EXPECT_FALSE(IsWindowVisible(edit->AltButton()->Handle()));

    // Both hidden: a plain edit's text area.
    edit->SetButtonVisible(false);
    EXPECT_EQ(EditRectOf(h).right, client.Right);
    // The alternative button alone takes the right edge, whichever side it was put on.
    edit->SetAltButtonPosition(TAlignment::taLeftJustify);
    edit->SetAltButtonVisible(true);
    edit->SetAltButtonWidth(25);
    EXPECT_EQ(WindowBounds(edit->AltButton()), (TRect{client.Right - 25, 0, client.Right, client.Bottom}));
    edit->SetButtonVisible(true);
    EXPECT_EQ(WindowBounds(edit->AltButton()).Right, client.Right);
    EXPECT_EQ(WindowBounds(edit->Button()).Right, client.Right - 25);
    EXPECT_EQ(EditRectOf(h).right, client.Right - 25 - system);

    // A long text keeps its caret inside the text area, scrolled, never under the buttons.
    EditForm::Focus(edit);
    EditForm::Type(edit, u"a text much longer than the room the buttons leave for it");
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_LE(caret.x, EditRectOf(h).right);
    EXPECT_GT(edit->LeftChar(), 0);
}

TEST(ElButtonEdit, ScalingTheControlScalesItsButtons)
{
    EditForm f;
    auto* edit = f.Add<TCustomElButtonEdit>(10, 10, 200, 0);
    edit->SetAltButtonVisible(true);
    edit->SetAltButtonWidth(20);
    EditForm::Settle();
    edit->ScaleBy(3, 2);
    EditForm::Settle();
    const int main = MulDiv(GetSystemMetrics(SM_CXVSCROLL), 3, 2);
    const TRect client = edit->ClientRect();
    EXPECT_EQ(edit->Width(), 300);
    EXPECT_EQ(WindowBounds(edit->Button()), (TRect{client.Right - main, 0, client.Right, client.Bottom}));
    EXPECT_EQ(WindowBounds(edit->AltButton()).Right - WindowBounds(edit->AltButton()).Left, 30);
    EXPECT_EQ(EditRectOf(edit->Handle()).right, client.Right - main - 30);
}

TEST(ElButtonEdit, ClicksAndShortCutsFireTheButtonsAndLeaveTheCaretInTheEdit)
{
    EditForm f;
    auto* edit = f.Add<TCustomElButtonEdit>(10, 10, 200, 0);
    edit->SetAltButtonVisible(true);
    int clicks = 0, altClicks = 0;
    edit->OnButtonClick = [&](TObject* Sender) { clicks += Sender == edit; };
    edit->OnAltButtonClick = [&](TObject* Sender) { altClicks += Sender == edit; };
    edit->ButtonShortcut = ShortCut(VK_F4, 0);
    edit->AltButtonShortcut = ShortCut(VK_DOWN, ssAlt);
    edit->SetText(u"abc");
    EditForm::Focus(edit);
    SendMessageW(edit->Handle(), EM_SETSEL, 1, 1);

    const HWND button = edit->Button()->Handle();
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EditForm::Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), edit->Handle());
    EXPECT_EQ(EditForm::Sel(edit->Handle()), (std::pair{1, 1}));

    EditForm::Press(edit, VK_F4);
    EXPECT_EQ(clicks, 2);
    PostMessageW(edit->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    EditForm::Settle();
    EXPECT_EQ(altClicks, 1);
    // Disabled or hidden, the button takes no short-cut; the key is the edit's again.
    edit->SetButtonEnabled(false);
    EditForm::Press(edit, VK_F4);
    edit->SetButtonEnabled(true);
    edit->SetButtonVisible(false);
    EditForm::Press(edit, VK_F4);
    EXPECT_EQ(clicks, 2);
    // Return is not typed into a single-line button edit.
    EditForm::Type(edit, u"\r");
    EXPECT_EQ(edit->Text(), u"abc");
}

// Ends a modal form that the key under test failed to close, so that a fault fails the test
// instead of hanging it.
TCustomForm* gStuckForm = nullptr;
void CALLBACK AbortStuckForm(HWND, UINT, UINT_PTR, DWORD)
{
    if (gStuckForm)
        gStuckForm->SetModalResult(mrAbort);
}

TEST(ElButtonEdit, EscapeInTheEditClosesAModalFormThroughItsCancelButton)
{
    for (bool multiline : {false, true}) {
        TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
        form->SetBounds(60, 60, 300, 160);
        auto* edit = new TCustomElButtonEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(10, 10, 200, multiline ? 60 : 0);
        edit->SetMultiline(multiline);
        auto* cancel = new TButton(form.get());
        cancel->SetParent(form.get());
        cancel->SetBounds(10, 90, 80, 24);
        cancel->Cancel = true;
        cancel->ModalResult = mrCancel;
        if (multiline)
            EXPECT_NE(SendMessageW(edit->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
        auto saved = ModalDialogHook();
        ModalDialogHook() = [&](TCustomForm* Form) {
            edit->SetFocus();
            PostMessageW(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
            gStuckForm = Form;
        };
        const UINT_PTR timer = SetTimer(nullptr, 0, 3000, AbortStuckForm);
        EXPECT_EQ(form->ShowModal(), mrCancel) << multiline;
        KillTimer(nullptr, timer);
        gStuckForm = nullptr;
        ModalDialogHook() = saved;
    }
}

}  // namespace

namespace {

TEST(ElComboBox, AListStyleBoxSelectsByFirstLettersShowsNoCaretAndKeepsItsSelectionOnItsItem)
{
    EditForm f;
    auto* combo = f.Add<TElComboBox>(10, 10, 150, 0);
    for (const char16_t* s : {u"Clay", u"sand", u"Silt", u"Loam"})
        combo->Items()->Add(s);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    std::vector<int> changes;
    combo->OnChange = [&](TObject*) { changes.push_back(combo->ItemIndex()); };
    EditForm::Focus(combo);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(GetCurrentThreadId(), &thread));
    EXPECT_NE(thread.hwndCaret, combo->Handle());
    EditForm::Type(combo, u"s");
    EXPECT_EQ(combo->Text(), u"sand");
    EditForm::Type(combo, u"S");  // the next one with that letter, whatever its case
    EditForm::Type(combo, u"x");  // none: nothing changes
    EXPECT_EQ(combo->Text(), u"Silt");
    EXPECT_EQ(changes, (std::vector<int>{1, 2}));
    // Typed text never reaches the text of a list-style box; its selection shows while focused.
    EXPECT_EQ(combo->SelLength(), 4);
    // Items inserted or removed before it keep the selection on its item.
    combo->Items()->Insert(0, u"Gravel");
    combo->Items()->Delete(1);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), u"Silt");
    combo->Items()->Delete(2);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), u"");
    EXPECT_EQ(changes.size(), 2u);  // code changes fire nothing
}

}  // namespace
