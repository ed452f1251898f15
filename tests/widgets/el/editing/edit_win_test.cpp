// The Unicode edit and memo on real windows under Wine: typing and keys, the standard edit
// messages in UTF-16 with bounded buffers, the system clipboard, the caret, selection by mouse at
// measured positions, password and MaxLength rules, the input method.
#include "edit_win_form.h"

#include "widgets/el/editing/ElKeyboardPlatformWin.h"

#include "support/real_input.h"

#include "framework/Ime.h"
#include "framework/WinClipboard.h"

#include <imm.h>

#include <cstring>
#include <vector>

namespace {

using Sel = std::pair<int, int>;

TEST(ElEdit, TypingKeysAndTheClipboardGoThroughTheEditorWithUndo)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(10, 10, 240, 0);
    std::vector<std::u16string> changes;
    edit->OnChange = [&](TObject*) { changes.push_back(edit->Text()); };
    EditForm::Focus(edit);
    const HWND h = edit->Handle();

    EditForm::Type(edit, u"Grüße, \u65e5\U0001F600!");
    EXPECT_EQ(edit->Text(), u"Grüße, \u65e5\U0001F600!");
    EXPECT_EQ(changes.size(), 10u);  // one per character; the pair's halves count once
    EXPECT_TRUE(edit->Modified());

    // Shift+Left twice selects the last three units (the pair is one character).
    EditForm::Press(edit, VK_LEFT, {VK_SHIFT});
    EditForm::Press(edit, VK_LEFT, {VK_SHIFT});
    EXPECT_EQ(EditForm::Sel(h), (Sel{8, 11}));
    EditForm::Press(edit, 'C', {VK_CONTROL});
    EXPECT_EQ(Clipboard().Text(), std::optional<std::u16string>(u"\U0001F600!"));
    EditForm::Press(edit, 'X', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), u"Grüße, \u65e5");
    EXPECT_EQ(Clipboard().Text(), std::optional<std::u16string>(u"\U0001F600!"));
    EditForm::Press(edit, VK_HOME);
    EditForm::Press(edit, 'V', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), u"\U0001F600!Grüße, \u65e5");
    EXPECT_EQ(EditForm::Sel(h), (Sel{3, 3}));

    // The caret the system shows stands where EM_POSFROMCHAR puts the caret's index.
    POINT caret{};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ((TPoint{caret.x, caret.y}), EditForm::PosOf(h, 3));

    // Undo: the paste, then the cut.
    EditForm::Press(edit, 'Z', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), u"Grüße, \u65e5");
    EXPECT_EQ(SendMessageW(h, EM_UNDO, 0, 0), 1);
    EXPECT_EQ(edit->Text(), u"Grüße, \u65e5\U0001F600!");
    EXPECT_EQ(EditForm::Sel(h), (Sel{8, 11}));  // the cut text comes back selected
    EXPECT_EQ(changes.back(), edit->Text());     // undo is a change the user made

    // Ctrl+Left/Right move by words; Delete and Backspace edit at the caret.
    EditForm::Press(edit, VK_HOME);
    EditForm::Press(edit, VK_RIGHT, {VK_CONTROL});
    EXPECT_EQ(EditForm::Sel(h), (Sel{7, 7}));
    EditForm::Press(edit, VK_BACK);
    EditForm::Press(edit, VK_DELETE);
    EXPECT_EQ(edit->Text(), u"Grüße,\U0001F600!");
}

TEST(ElEdit, StandardMessagesAnswerInUtf16WithinTheCallersBuffer)
{
    EditForm f;
    auto* memo = f.Add<TElMemo>(10, 10, 300, 120);
    const HWND h = memo->Handle();
    EXPECT_EQ(SendMessageW(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a\r\nb\u00e9c\r\n\r\nlast")), TRUE);
    EXPECT_EQ(memo->Text(), u"a\r\nb\u00e9c\r\n\r\nlast");
    EXPECT_EQ(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 14);

    // A short buffer gets what fits and its zero; the guard behind it stays.
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(SendMessageW(h, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::wstring(buffer, 5), std::wstring(L"a\r\n\0#", 5));
    EXPECT_EQ(SendMessageW(h, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(buffer[0], L'a');
    // An 8-bit caller gets the text converted, within its count.
    char narrow[8];
    std::memset(narrow, '#', sizeof narrow);
    EXPECT_EQ(SendMessageA(h, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(narrow)), 3);
    EXPECT_EQ(std::string(narrow, 5), std::string("a\r\n\0#", 5));

    // Paragraphs and character indices (a break counts two), whatever the wrapping.
    memo->SetWordWrap(true);
    memo->SetWidth(40);
    EXPECT_EQ(SendMessageW(h, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(h, EM_LINEINDEX, 1, 0), 3);
    EXPECT_EQ(SendMessageW(h, EM_LINEINDEX, 3, 0), 10);
    EXPECT_EQ(SendMessageW(h, EM_LINEINDEX, 4, 0), -1);
    EXPECT_EQ(SendMessageW(h, EM_LINEFROMCHAR, 4, 0), 1);
    EXPECT_EQ(SendMessageW(h, EM_LINEFROMCHAR, 11, 0), 3);
    memo->SetWidth(300);

    // EM_GETLINE: the buffer's first word bounds the copy; no terminating zero.
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    buffer[0] = 2;
    EXPECT_EQ(SendMessageW(h, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 2);
    EXPECT_EQ(std::wstring(buffer, 3), L"b\u00e9#");
    buffer[0] = 7;
    EXPECT_EQ(SendMessageW(h, EM_GETLINE, 9, reinterpret_cast<LPARAM>(buffer)), 0);

    // Selections: all, none, backwards from the larger index, to the end, clamped.
    auto setSel = [&](int s, int e) {
        SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(s), e);
        return EditForm::Sel(h);
    };
    EXPECT_EQ(setSel(0, -1), (Sel{0, 14}));
    EXPECT_EQ(setSel(-1, 0), (Sel{0, 0}));  // cleared; the caret stays at the smaller end
    EXPECT_EQ(setSel(6, 4), (Sel{4, 6}));
    EXPECT_EQ(memo->Editor().CaretPos().Offset, 1);  // the caret ends at the smaller index
    EXPECT_EQ(setSel(3, -1), (Sel{3, 14}));
    EXPECT_EQ(setSel(4, 400), (Sel{4, 14}));
    EXPECT_EQ(setSel(2, 1), (Sel{1, 1}));  // inside CR LF: snaps to the break
    EXPECT_EQ(SendMessageW(h, EM_GETSEL, 0, 0), MAKELONG(1, 1));

    // EM_REPLACESEL replaces the selection; undoable only when asked.
    setSel(3, 6);
    SendMessageW(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\u00df\r\nx"));
    EXPECT_EQ(memo->Text(), u"a\r\n\u00df\r\nx\r\n\r\nlast");
    EXPECT_EQ(SendMessageW(h, EM_CANUNDO, 0, 0), 1);
    SendMessageW(h, EM_UNDO, 0, 0);
    EXPECT_EQ(memo->Text(), u"a\r\nb\u00e9c\r\n\r\nlast");
    SendMessageW(h, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"!"));
    EXPECT_EQ(memo->Text(), u"a\r\n!\r\n\r\nlast");
    EXPECT_EQ(SendMessageW(h, EM_CANUNDO, 0, 0), 0);

    // Positions and points are each other's inverse; beyond the text there is no point.
    for (int index : {0, 3, 4, 6, 8, 12}) {
        const TPoint p = EditForm::PosOf(h, index);
        const LRESULT hit = SendMessageW(h, EM_CHARFROMPOS, 0, MAKELPARAM(p.X, p.Y + 1));
        EXPECT_EQ(LOWORD(hit), index);
    }
    EXPECT_EQ(SendMessageW(h, EM_POSFROMCHAR, 99, 0), -1);

    // Limits and read-only from messages; a limit never cuts a break in half.
    SendMessageW(h, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(memo->Text(), u"a\r\n!");
    SendMessageW(h, EM_SETREADONLY, TRUE, 0);
    EXPECT_TRUE(memo->ReadOnly());
    SendMessageW(h, EM_SETSEL, 0, -1);
    SendMessageW(h, WM_CLEAR, 0, 0);
    SendMessageW(h, WM_CUT, 0, 0);
    EXPECT_EQ(memo->Text(), u"a\r\n!");
}

TEST(ElEdit, PasswordAndMaxLengthRulesHoldOnEveryPath)
{
    EditForm f;
    auto* secret = f.Add<TElEdit>(10, 10, 200, 0);
    secret->SetPasswordChar(u"*");
    EditForm::Focus(secret);
    EditForm::Type(secret, u"hunter2");
    EXPECT_EQ(secret->Text(), u"hunter2");
    const HWND h = secret->Handle();
    wchar_t buffer[16] = L"untouched";
    EXPECT_EQ(SendMessageW(h, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_STREQ(buffer, L"untouched");
    EXPECT_EQ(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0), 0);
    buffer[0] = 16;
    EXPECT_EQ(SendMessageW(h, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)), 0);
    Clipboard().SetText(u"before");
    SendMessageW(h, EM_SETSEL, 0, -1);
    EditForm::Press(secret, 'C', {VK_CONTROL});
    EditForm::Press(secret, 'X', {VK_CONTROL});
    EXPECT_EQ(Clipboard().Text(), std::optional<std::u16string>(u"before"));
    EXPECT_EQ(secret->Text(), u"hunter2");

    // MaxLength: typing, pasting, the input method and WM_UNICHAR stop at the limit.
    auto* code = f.Add<TElEdit>(10, 40, 200, 0);
    code->SetMaxLength(6);
    EditForm::Focus(code);
    EditForm::Type(code, u"abcd");
    Clipboard().SetText(u"123456");
    EditForm::Press(code, 'V', {VK_CONTROL});
    EXPECT_EQ(code->Text(), u"abcd12");
    EditForm::Type(code, u"x");
    PostMessageW(code->Handle(), WM_UNICHAR, 0x1F600, 0);
    EditForm::Settle();
    EXPECT_EQ(code->Text(), u"abcd12");
    // Over a selection there is room again.
    SendMessageW(code->Handle(), EM_SETSEL, 0, 2);
    PostMessageW(code->Handle(), WM_UNICHAR, 0x1F600, 0);
    EditForm::Settle();
    EXPECT_EQ(code->Text(), u"\U0001F600cd12");
    EXPECT_EQ(SendMessageW(code->Handle(), WM_UNICHAR, UNICODE_NOCHAR, 0), TRUE);
}

TEST(ElEdit, InputMethodResultsAreTypedOnceWithUndo)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(10, 10, 200, 0);
    EditForm::Focus(edit);
    EditForm::Type(edit, u"ab");
    const HWND h = edit->Handle();
    // A composition starting: the composition window at the caret, inside the text area.
    SendMessageW(h, WM_IME_STARTCOMPOSITION, 0, 0);
    {
        TImeContext context(h);
        const auto placed = context.CompositionWindow();
        ASSERT_TRUE(placed.has_value());
        EXPECT_EQ(placed->Style, static_cast<DWORD>(CFS_RECT));
        EXPECT_EQ(placed->Pos, EditForm::PosOf(h, 2));
        const TRect area = edit->EditRect();
        EXPECT_EQ(placed->Area, (TRect{area.Left + edit->LeftMargin(), area.Top, area.Right - edit->RightMargin(), area.Bottom}));
    }
    SendMessageW(h, WM_IME_ENDCOMPOSITION, 0, 0);
    HIMC himc = ImmGetContext(h);
    ASSERT_NE(himc, nullptr);
    const wchar_t text[] = L"\u65e5\u672c";
    ImmSetCompositionStringW(himc, SCS_SETSTR, const_cast<wchar_t*>(text), sizeof text - sizeof(wchar_t), nullptr, 0);
    ImmNotifyIME(himc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ImmReleaseContext(h, himc);
    EXPECT_TRUE(PumpUntil([&] { return edit->Text() != u"ab"; }));
    EditForm::Settle();
    EXPECT_EQ(edit->Text(), u"ab\u65e5\u672c");
    EditForm::Press(edit, 'Z', {VK_CONTROL});
    EXPECT_EQ(edit->Text(), u"ab");
}

TEST(ElEdit, MouseSelectsAtMeasuredPositionsAndDoubleClickTakesAWord)
{
    EditForm f;
    auto* edit = f.Add<TElEdit>(10, 10, 300, 0);
    edit->SetText(u"alpha beta gamma");
    EditForm::Focus(edit);
    const HWND h = edit->Handle();
    const TPoint p2 = EditForm::PosOf(h, 2), p9 = EditForm::PosOf(h, 9);
    const int row = p2.Y + edit->LineHeight() / 2;
    EditForm::PostMouse(edit, WM_LBUTTONDOWN, {p2.X, row}, MK_LBUTTON);
    EditForm::PostMouse(edit, WM_MOUSEMOVE, {p9.X - 1, row}, MK_LBUTTON);
    EditForm::PostMouse(edit, WM_MOUSEMOVE, {p9.X + 1, row}, MK_LBUTTON);
    EditForm::PostMouse(edit, WM_LBUTTONUP, {p9.X + 1, row});
    EditForm::Settle();
    EXPECT_EQ(EditForm::Sel(h), (Sel{2, 9}));
    EXPECT_EQ(GetCapture(), nullptr);

    // A press on the right half of a character puts the caret after it; beyond the end, at the end.
    const TPoint p4 = EditForm::PosOf(h, 4), p5 = EditForm::PosOf(h, 5);
    EditForm::Click(edit, {p4.X + (p5.X - p4.X) * 3 / 4, row});
    EXPECT_EQ(EditForm::Sel(h), (Sel{5, 5}));
    EditForm::Click(edit, {p4.X + (p5.X - p4.X) / 4, row});
    EXPECT_EQ(EditForm::Sel(h), (Sel{4, 4}));
    EditForm::Click(edit, {290, row});
    EXPECT_EQ(EditForm::Sel(h), (Sel{16, 16}));

    // Shift+click extends from the caret; a double click selects the word under it.
    EditForm::Click(edit, {p4.X + 1, row}, MK_SHIFT);
    EXPECT_EQ(EditForm::Sel(h), (Sel{4, 16}));
    const TPoint p7 = EditForm::PosOf(h, 7);
    EditForm::Click(edit, {p7.X + 1, row});
    EditForm::PostMouse(edit, WM_LBUTTONDBLCLK, {p7.X + 1, row}, MK_LBUTTON);
    EditForm::PostMouse(edit, WM_LBUTTONUP, {p7.X + 1, row});
    EditForm::Settle();
    EXPECT_EQ(EditForm::Sel(h), (Sel{6, 11}));

    // A bigger font: taller lines, the control one line high again, the caret still on its word.
    edit->Font()->SetHeight(-20);
    EXPECT_EQ(edit->LineHeight(), 22);
    EXPECT_EQ(edit->Height(), edit->LineHeight() + 2 * GetSystemMetrics(SM_CYEDGE));
    EditForm::Click(edit, {EditForm::PosOf(h, 7).X + 1, edit->LineHeight() / 2});
    EXPECT_EQ(EditForm::Sel(h), (Sel{7, 7}));
}

TEST(ElMemo, ReturnAndCtrlReturnStartOneParagraphEachAndTabLeavesTheMemo)
{
    EditForm f;
    auto* memo = f.Add<TElMemo>(10, 10, 200, 100);
    auto* next = f.Add<TElEdit>(10, 120, 200, 0);
    EditForm::Focus(memo);
    EditForm::Type(memo, u"a");
    EditForm::Press(memo, VK_RETURN);
    EditForm::Press(memo, VK_RETURN, {VK_CONTROL});
    EditForm::Type(memo, u"b");
    EXPECT_EQ(memo->Text(), u"a\r\n\r\nb");
    EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);
    EditForm::Press(memo, VK_TAB);
    EXPECT_EQ(GetFocus(), next->Handle());
    EXPECT_EQ(memo->Text(), u"a\r\n\r\nb");
}

// The system's layout, except that Q and W are dead keys for the circumflex and the caron
// (the machine's layout has no dead keys).
class TDeadKeyLayout : public TElKeyboardPlatformWin {
public:
    using TElKeyboardPlatformWin::TElKeyboardPlatformWin;
    int32_t ToUnicode(uint16_t VirtualKey, uint32_t ScanCode, std::u16string& Chars) override
    {
        if (VirtualKey == 'Q' || VirtualKey == 'W') {
            Chars = VirtualKey == 'Q' ? u"^" : u"\u02C7";
            return -1;
        }
        return TElKeyboardPlatformWin::ToUnicode(VirtualKey, ScanCode, Chars);
    }
};

TEST(ElMemo, RealKeyStrokesTypeThroughTheKeyMapAndTheKeyboardProcessor)
{
    using namespace l3d::testing;
    EditForm f;
    auto* memo = f.Add<TElMemo>(10, 10, 300, 120);
    std::vector<std::u16string> pressed;
    memo->OnKeyPressEx = [&](TObject*, std::u16string& Text) {
        pressed.push_back(Text);
        if (Text == u"z")
            Text = u"Z";
    };
    ASSERT_TRUE(FocusWindow(memo->Handle()));
    const HWND h = memo->Handle();

    // A stroke the key map used types nothing: the digit of a chord, the key that ends one.
    TypeText(u"ab");
    PressKey('K', {VK_CONTROL});
    PressKey('3');
    EXPECT_EQ(memo->Text(), u"ab");
    PressKey(VK_HOME);
    PressKey('Q', {VK_CONTROL});
    PressKey('3');
    EXPECT_EQ(memo->Text(), u"ab");
    EXPECT_EQ(EditForm::Sel(h), (Sel{2, 2}));  // back at bookmark 3
    PressKey('K', {VK_CONTROL});
    PressKey('B');
    TypeText(u"z");
    EXPECT_EQ(memo->Text(), u"abZ");
    EXPECT_EQ(pressed, (std::vector<std::u16string>{u"a", u"b", u"z"}));

    // Dead keys compose through the processor's table, also the letters it once got wrong.
    TDeadKeyLayout layout(h);
    memo->SetKeyboardPlatform(&layout);
    TypeText(u"qe qx wIwa");
    EXPECT_EQ(memo->Text(), u"abZ\u00EA ^x \u01CF\u01CE");
    EXPECT_EQ(pressed[3], u"\u00EA");
    memo->SetKeyboardPlatform(nullptr);
}

}  // namespace
