// The command engine: typing, deleting, undo, word moves, the limits (MaxLength, ReadOnly,
// password), case, clipboard, marks, keys and chords, and the events.
#include "edit_session.h"

#include <gtest/gtest.h>

namespace {

namespace C = ElEditCommand;

struct Editor {
    explicit Editor(bool Multiline = true)
    {
        core.SetMultiline(Multiline);
        core.SetWantReturns(true);
        core.SetWantTabs(true);
        core.SetEditRect({0, 0, 400, 200});
    }
    void Type(std::u16string_view Text)
    {
        for (char16_t c : Text) core.KeyPress(c);
    }
    void Run(int32_t Command, int Times = 1)
    {
        for (int i = 0; i < Times; ++i) core.ExecuteCommandEx(Command);
    }
    RecordingSurface surface{8};
    TFakeEditHost host;
    TElEditCore core{&host, &surface};
};

TEST(EditCommands, TypingOverASelectionIsOneUndoStep)
{
    Editor e;
    e.core.SetText(u"hello world");
    e.core.SetSel(6, 11);
    e.Type(u"x");
    EXPECT_EQ(e.core.Text(), u"hello x");
    EXPECT_TRUE(e.core.Modified);
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"hello world");
    EXPECT_EQ(e.core.SelectedText(), u"world");
    EXPECT_FALSE(e.core.CanUndo());
    EXPECT_FALSE(e.core.Modified);
    // Undo with nothing left changes nothing.
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"hello world");
}

TEST(EditCommands, BackspaceAndDeleteJoinParagraphsAndUndoSplitsThem)
{
    Editor e;
    e.core.SetText(u"ab\r\ncd");
    e.core.SetSelStartIndex(4);
    e.Run(C::DeleteBack);
    EXPECT_EQ(e.core.Text(), u"abcd");
    EXPECT_EQ(e.core.SelStartIndex(), 2);
    e.Run(C::DeleteChar);
    EXPECT_EQ(e.core.Text(), u"abd");
    e.Run(C::Undo);
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"ab\r\ncd");
    e.core.SetSelStartIndex(2);
    e.Run(C::DeleteChar);
    EXPECT_EQ(e.core.Text(), u"abcd");
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"ab\r\ncd");
    EXPECT_EQ(e.core.Lines().GetCount(), 2);
}

TEST(EditCommands, SurrogatePairsStayWhole)
{
    Editor e;
    e.core.KeyPress(0xD83D);
    EXPECT_EQ(e.core.Text(), u"");
    e.core.KeyPress(0xDE00);
    e.Type(u"a");
    EXPECT_EQ(e.core.Text(), u"\U0001F600a");
    e.Run(C::Left);
    e.Run(C::Left);
    EXPECT_EQ(e.core.Caret().X, 0);
    e.Run(C::Right);
    EXPECT_EQ(e.core.Caret().X, 2);
    e.Run(C::DeleteBack);
    EXPECT_EQ(e.core.Text(), u"a");
    e.Run(C::Undo);
    e.Run(C::TextStart);
    e.Run(C::DeleteChar);
    EXPECT_EQ(e.core.Text(), u"a");
    // Half a pair followed by another character types only that character.
    e.core.KeyPress(0xD83D);
    e.core.KeyPress(u'b');
    e.core.KeyPress(0xDE00);
    EXPECT_EQ(e.core.Text(), u"ba");
}

TEST(EditCommands, WordMovesCrossParagraphs)
{
    Editor e;
    e.core.SetText(u"one two\r\n  three");
    e.Run(C::NextWord);
    EXPECT_EQ(e.core.SelStartIndex(), 4);
    e.Run(C::NextWord);
    EXPECT_EQ(e.core.SelStartIndex(), 7);
    e.Run(C::NextWord);
    EXPECT_EQ(e.core.SelStartIndex(), 9);
    e.Run(C::NextWord);
    EXPECT_EQ(e.core.SelStartIndex(), 11);
    e.Run(C::PrevWord);
    EXPECT_EQ(e.core.SelStartIndex(), 9);
    e.Run(C::PrevWord);
    EXPECT_EQ(e.core.SelStartIndex(), 7);
    e.Run(C::PrevWord);
    EXPECT_EQ(e.core.SelStartIndex(), 4);
    e.Run(C::SelNextWord);
    EXPECT_EQ(e.core.SelectedText(), u"two");
    // The selection goes, then the word before it.
    e.Run(C::DeleteWordBack);
    EXPECT_EQ(e.core.Text(), u"\r\n  three");
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"one two\r\n  three");
    // A break counts as a blank in a single-line text: the word move passes it.
    Editor single(false);
    single.core.SetText(u"a\r\nb");
    single.Run(C::NextWord);
    EXPECT_EQ(single.core.SelStartIndex(), 3);
}

TEST(EditCommands, MaxLengthBindsEveryUserPath)
{
    Editor e;
    e.core.SetMaxLength(5);
    e.Type(u"abcdefg");
    EXPECT_EQ(e.core.Text(), u"abcde");
    e.Run(C::NewLine);
    e.Run(C::InsertTab);
    e.Run(C::StressMark);
    e.core.TypeText(u"xyz");
    e.host.Clipboard = u"123", e.host.HasClipboard = true;
    e.Run(C::Paste);
    EXPECT_EQ(e.core.Text(), u"abcde");
    EXPECT_FALSE(e.core.DropText(0, u"q", false));
    // Replacing a selection has the selection's room.
    e.core.SetSel(0, 2);
    e.Run(C::Paste);
    EXPECT_EQ(e.core.Text(), u"12cde");
    e.core.SetSel(4, 5);
    e.Run(C::NewLine);  // a break takes two units
    EXPECT_EQ(e.core.Text(), u"12cde");
    e.core.SetSel(3, 5);
    e.Run(C::NewLine);
    EXPECT_EQ(e.core.Text(), u"12c\r\n");
    // A pair is never cut in half at the limit.
    e.core.SetText(u"");
    e.core.TypeText(u"abcd\U0001F600");
    EXPECT_EQ(e.core.Text(), u"abcd");
    // Setting a lower limit cuts the text.
    e.core.SetText(u"0123456789");
    EXPECT_EQ(e.core.Text(), u"0123456789");
    e.core.SetMaxLength(4);
    EXPECT_EQ(e.core.Text(), u"0123");
    e.core.SetMaxLength(-1);
    EXPECT_EQ(e.core.MaxLength(), 4);
}

TEST(EditCommands, ReadOnlyBlocksEveryTextChange)
{
    Editor e;
    e.core.SetText(u"fixed");
    e.Type(u"a");
    e.core.SetSel(0, 2);
    e.Run(C::DeleteBack);
    e.core.SetReadOnly(true);
    e.core.SetSel(0, 2);
    const std::u16string before = e.core.Text();
    e.host.Clipboard = u"p", e.host.HasClipboard = true;
    for (int32_t command : {C::DeleteBack, C::DeleteChar, C::DeleteWordBack, C::DeleteWord, C::NewLine,
                            C::InsertTab, C::Paste, C::Cut, C::StressMark, C::DeleteSelection, C::Undo})
        e.Run(command);
    e.Type(u"zz");
    e.core.TypeText(u"ime");
    EXPECT_FALSE(e.core.DropText(0, u"drop", false));
    EXPECT_EQ(e.core.Text(), before);
    EXPECT_TRUE(e.core.CanUndo());
    // Copy still works; Cut copied but left the text.
    EXPECT_EQ(e.host.Clipboard, e.core.SelectedText());
}

TEST(EditCommands, PasswordTextCannotLeave)
{
    Editor e(false);
    e.core.SetText(u"secret");
    e.core.SetPasswordChar(u"*");
    e.Run(C::SelectAll);
    e.host.Clipboard = u"before";
    e.Run(C::Copy);
    e.Run(C::Cut);
    EXPECT_EQ(e.host.Clipboard, u"before");
    EXPECT_EQ(e.core.Text(), u"secret");
    EXPECT_FALSE(e.core.CanDrag());
}

TEST(EditCommands, CutKeepsTheTextWhenTheClipboardFails)
{
    Editor e;
    e.core.SetText(u"keep me");
    e.Run(C::SelectAll);
    e.host.ClipboardFails = true;
    e.Run(C::Cut);
    EXPECT_EQ(e.core.Text(), u"keep me");
    e.Run(C::Paste);
    EXPECT_EQ(e.core.Text(), u"keep me");
    e.host.ClipboardFails = false;
    e.Run(C::Cut);
    EXPECT_EQ(e.core.Text(), u"");
    EXPECT_EQ(e.host.Clipboard, u"keep me");
}

TEST(EditCommands, CaseAppliesToTypingPasteAndTheText)
{
    Editor e;
    e.core.SetText(u"Mixed");
    e.core.SetCharCase(eecUpperCase);
    EXPECT_EQ(e.core.Text(), u"MIXED");
    e.Type(u"a\u00E9");
    e.host.Clipboard = u"xy", e.host.HasClipboard = true;
    e.Run(C::Paste);
    EXPECT_EQ(e.core.Text(), u"A\u00C9XYMIXED");
    e.core.SetCharCase(eecLowerCase);
    EXPECT_EQ(e.core.Text(), u"a\u00E9xymixed");
}

TEST(EditCommands, PasteGoesThroughTheHostAndStaysWithinTheLimit)
{
    Editor e;
    e.core.SetMaxLength(6);
    e.host.Clipboard = u"ab", e.host.HasClipboard = true;
    e.host.OnPaste = [](std::u16string& Text) { Text += u"-changed-by-handler"; };
    e.Run(C::Paste);
    EXPECT_EQ(e.core.Text(), u"ab-cha");
    // A trailing break is kept.
    Editor m;
    m.host.Clipboard = u"line\r\n", m.host.HasClipboard = true;
    m.Run(C::Paste);
    EXPECT_EQ(m.core.Text(), u"line\r\n");
    EXPECT_EQ(m.core.Caret().Y, 1);
}

TEST(EditCommands, UndoGroupsAndTheCap)
{
    Editor e;
    e.Run(C::InsertTab);
    e.Type(u"x");
    EXPECT_EQ(e.core.Text(), u"    x");
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"    ");
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"");

    // The cap counts edits, however many records each makes: a typed character is one, and so
    // is a Backspace.
    e.core.SetText(u"");
    e.core.SetMaxUndoLevel(3);
    e.Type(u"abcde");
    e.Run(C::Undo, 10);
    EXPECT_EQ(e.core.Text(), u"ab");
    e.core.SetText(u"abcdefgh");
    e.Run(C::TextEnd);
    e.Run(C::DeleteBack, 3);
    e.Type(u"xy");
    e.core.SetMaxUndoLevel(2);  // lowered: the two newest edits stay, whole
    e.Run(C::Undo, 10);
    EXPECT_EQ(e.core.Text(), u"abcde");
    // Raising the cap to unlimited keeps what is there.
    e.core.SetText(u"xy");
    e.Run(C::TextEnd);
    e.Run(C::DeleteBack, 2);
    e.core.SetMaxUndoLevel(0);
    e.Run(C::Undo, 2);
    EXPECT_EQ(e.core.Text(), u"xy");

    // A refused insertion leaves no bracket behind.
    e.core.SetText(u"full");
    e.core.SetMaxLength(4);
    e.Type(u"a");
    e.core.TypeText(u"b");
    EXPECT_FALSE(e.core.CanUndo());
}

TEST(EditCommands, UndoAfterReWrappingEditsTheRightPlace)
{
    Editor e;
    e.core.SetWordWrap(true);
    e.core.SetEditRect({0, 0, 60, 200});  // six characters a line
    e.core.SetText(u"aaa bbb ccc ddd");
    e.core.SetSel(8, 11);
    e.Run(C::DeleteSelection);
    e.core.SetSel(0, 0);
    e.Type(u"zz");
    e.core.SetEditRect({0, 0, 400, 200});
    e.Run(C::Undo, 3);  // each typed character is a step of its own
    EXPECT_EQ(e.core.Text(), u"aaa bbb ccc ddd");
    EXPECT_EQ(e.core.SelectedText(), u"ccc");
}

TEST(EditCommands, ChangeAndSelectionChangeEvents)
{
    Editor e;
    e.Type(u"ab");
    EXPECT_EQ(e.host.Changes, 2);
    const int selectionChanges = e.host.SelectionChanges;
    e.Run(C::Left);
    EXPECT_EQ(e.host.SelectionChanges, selectionChanges + 1);
    e.Run(C::Undo);
    EXPECT_EQ(e.host.Changes, 3);  // an undo that changed the text is a change
    e.core.SetText(u"program");
    EXPECT_EQ(e.host.Changes, 3);  // only user edits notify
    e.core.SetNotifyUserChangeOnly(false);
    e.core.SetText(u"again");
    EXPECT_EQ(e.host.Changes, 4);
    // Reaching the limit is a change like any other.
    e.core.SetText(u"");
    e.core.SetMaxLength(2);
    const int changes = e.host.Changes;
    e.Type(u"ab");
    EXPECT_EQ(e.host.Changes, changes + 2);
    EXPECT_TRUE(e.core.Modified);
}

TEST(EditCommands, PositionMarks)
{
    Editor e;
    e.core.SetText(u"0123456789");
    e.core.SetSelStartIndex(3);
    EXPECT_TRUE(e.core.KeyDown('K', ssCtrl));
    EXPECT_TRUE(e.core.KeyDown('3', 0));
    EXPECT_EQ(e.core.PositionMark(3), (TElTextPos{0, 3}));
    e.Run(C::TextEnd);
    e.core.KeyDown('Q', ssCtrl);
    e.core.KeyDown('3', 0);
    EXPECT_EQ(e.core.SelStartIndex(), 3);
    // The same mark at the same place again clears it.
    e.Run(C::SetMark0 + 3);
    EXPECT_EQ(e.core.PositionMark(3), (TElTextPos{-1, -1}));
}

TEST(EditCommands, ChordsIgnoreModifiersAndEndOnAnUnboundKey)
{
    Editor e;
    e.core.SetText(u"abc");
    EXPECT_TRUE(e.core.KeyDown('K', ssCtrl));
    EXPECT_TRUE(e.core.ChordPending());
    EXPECT_FALSE(e.core.KeyDown(VKey::Control, ssCtrl));
    EXPECT_TRUE(e.core.ChordPending());
    EXPECT_TRUE(e.core.KeyDown('B', 0));
    EXPECT_FALSE(e.core.ChordPending());
    EXPECT_EQ(e.core.Text(), u"abc");
    // Keys the map does not know are left to the window (Alt+F4, menus).
    EXPECT_FALSE(e.core.KeyDown(0x73, ssAlt));
    e.core.SetStressShortCut(scCtrl | 'S');
    e.core.SetStressShortCut(scCtrl | 'T');
    int bound = 0;
    for (int32_t i = 0; i < e.core.KeyCommands().Count(); ++i) bound += e.core.KeyCommands()[i].Command == C::StressMark;
    EXPECT_EQ(bound, 1);
    e.core.KeyDown('T', ssCtrl);
    EXPECT_EQ(e.core.Text(), u"\u0301abc");
    e.Run(C::Undo);
    EXPECT_EQ(e.core.Text(), u"abc");
}

TEST(EditCommands, SingleLineAndRightToLeftKeys)
{
    Editor single(false);
    single.core.SetText(u"abc");
    single.core.KeyDown(VKey::Down, 0);
    EXPECT_EQ(single.core.Caret().X, 1);
    single.core.KeyDown(VKey::Next, 0);
    EXPECT_EQ(single.core.Caret().X, 3);
    single.core.KeyDown(VKey::Up, 0);
    EXPECT_EQ(single.core.Caret().X, 2);
    single.core.KeyDown(VKey::Prior, 0);
    EXPECT_EQ(single.core.Caret().X, 0);
    single.core.KeyDown(VKey::Return, 0);
    EXPECT_EQ(single.core.Text(), u"abc");

    Editor rtl;
    rtl.core.SetRightAlignedText(true);
    rtl.core.SetText(u"\u05D0\u05D1\u05D2");
    rtl.core.KeyDown(VKey::Home, 0);
    EXPECT_EQ(rtl.core.Caret().X, 3);
    rtl.core.KeyDown(VKey::Right, 0);
    EXPECT_EQ(rtl.core.Caret().X, 2);
    rtl.core.KeyDown(VKey::Left, ssShift);
    EXPECT_EQ(rtl.core.SelectedText(), u"\u05D2");
}

TEST(EditCommands, RightAtTheEndOfAWrappedLine)
{
    Editor e;
    e.core.SetWordWrap(true);
    e.core.SetEditRect({0, 0, 60, 200});
    e.core.SetText(u"aaaa bbbb\r\ncc");
    ASSERT_EQ(e.core.Lines().GetLine(0), u"aaaa ");
    e.core.SetCaret({5, 0});
    e.Run(C::Right);
    EXPECT_EQ(e.core.Caret(), (TPoint{1, 1}));
    e.Run(C::Left);
    e.Run(C::Left);
    EXPECT_EQ(e.core.Caret(), (TPoint{4, 0}));
    e.core.SetCaret({4, 1});
    e.Run(C::Right);
    EXPECT_EQ(e.core.Caret(), (TPoint{0, 2}));
}

TEST(EditCommands, IndicesAndSelectionMessages)
{
    Editor e;
    e.core.SetText(u"a\r\nbcd");
    EXPECT_EQ(e.core.LineIndex(1), 3);
    EXPECT_EQ(e.core.LineIndex(2), -1);
    EXPECT_EQ(e.core.LineFromChar(4), 1);
    int64_t s, t;
    e.core.SetSel(0, -1);
    e.core.GetSel(s, t);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(t, 6);
    e.core.SetSel(-1, 0);
    EXPECT_FALSE(e.core.HasSelection());
    e.core.SetSel(5, 2);
    EXPECT_EQ(e.core.SelStartIndex(), 1);  // index 2 lies inside the break and snaps to its start
    EXPECT_EQ(e.core.Caret(), (TPoint{1, 0}));
    e.core.SetSel(4, 1);
    EXPECT_EQ(e.core.SelectedText(), u"\r\nb");
    EXPECT_EQ(e.core.SelLength(), 3);
    e.core.SetSel(3, -1);
    EXPECT_EQ(e.core.SelectedText(), u"bcd");
    e.core.SetSel(-7, 99);
    EXPECT_EQ(e.core.SelLength(), 6);
    // Selected upwards, SelStart is still the selection's start in text order.
    e.core.SetSelStartIndex(6);
    e.Run(C::SelUp);
    EXPECT_EQ(e.core.SelStartIndex(), 1);
    e.core.SetSelText(u"XY");
    EXPECT_EQ(e.core.Text(), u"aXY");
    EXPECT_EQ(e.core.SelectedText(), u"XY");
    e.core.ReplaceSel(u"!", false);
    EXPECT_EQ(e.core.Text(), u"a!");
    EXPECT_FALSE(e.core.CanUndo());
    TPoint p;
    EXPECT_FALSE(e.core.PosFromChar(3, p));
    EXPECT_TRUE(e.core.PosFromChar(2, p));
}

}  // namespace
