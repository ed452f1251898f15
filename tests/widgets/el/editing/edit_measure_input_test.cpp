// Measuring (tab expansion, masks, whole characters), the undo stack, the key map and the
// keyboard input processor with its type-ahead time-out.
#include "widgets/el/editing/ElEditActions.h"
#include "widgets/el/editing/ElKeyCommands.h"
#include "widgets/el/editing/ElKeyboardInput.h"
#include "widgets/el/editing/ElTextPainter.h"

#include "framework/RecordingSurface.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(TextPainter, CountsWholeCharactersAsDrawn)
{
    RecordingSurface surface(8);
    TElTextPainter painter(&surface);
    painter.TabSpaces = 4;  // a tab is 32 px
    // k tabs fit in k tab widths; a tab that straddles the width is not counted.
    EXPECT_EQ(painter.CharsInWidth(96, u"\t\t\t\t", 0), 3);
    EXPECT_EQ(painter.CharsInWidth(95, u"\t\t\t\t", 0), 2);
    EXPECT_EQ(painter.CharsInWidth(16, u"\t", 0), 0);
    EXPECT_EQ(painter.CharsInWidth(32, u"ab\tc", 0), 2);
    EXPECT_EQ(painter.CharsInWidth(48, u"ab\tc", 0), 3);
    EXPECT_EQ(painter.CharsInWidth(0, u"abc", 0), 0);
    EXPECT_EQ(painter.CharsInWidth(100, u"abc", 3), 0);
    EXPECT_EQ(painter.CharsInWidth(16, u"abcd", 1), 2);
    // A pair is one character: never half of it.
    EXPECT_EQ(painter.CharsInWidth(8, u"\U0001F600b", 0), 2);
    EXPECT_EQ(painter.CharsInWidth(7, u"\U0001F600b", 0), 0);
    EXPECT_EQ(painter.CharsInWidthFromRight(16, u"abc\U0001F600", 5), 3);
    EXPECT_EQ(painter.CharsInWidthFromRight(8, u"abc\U0001F600", 5), 2);
    EXPECT_EQ(painter.CharsInWidthFromRight(40, u"a\tb", 3), 2);

    TElTextPainter none;
    EXPECT_EQ(none.CharsInWidth(100, u"abc", 0), -1);
    EXPECT_EQ(none.TextWidth(u"abc"), 0);
}

TEST(TextPainter, PasswordTextMeasuresAsItsMask)
{
    RecordingSurface surface(8);
    TElTextPainter painter(&surface);
    painter.PasswordChar = u'*';
    EXPECT_EQ(painter.MaskText(u"a\tb\r\nc"), u"***\r\n*");
    EXPECT_EQ(painter.TextWidth(u"abc"), painter.TextWidth(u"***"));
    std::vector<int32_t> ends;
    painter.DisplayEnds(u"a\tb", ends);
    EXPECT_EQ(ends, (std::vector<int32_t>{8, 16, 24}));  // the tab is masked, not expanded
}

TEST(ActionList, CapDropsTheOldestAndZeroKeepsAll)
{
    TElActionList list;
    for (int i = 0; i < 5; ++i) list.AddAction(eakBackspace, {0, i}, {0, i}, u"x");
    list.SetMaxUndo(3);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Pop()->StartPos.Offset, 4);
    list.AddAction(eakBackspace, {}, {}, u"y");
    list.AddAction(eakBackspace, {}, {}, u"z");
    EXPECT_EQ(list.Count(), 3);
    // 0 is "unlimited": it never trims.
    list.SetMaxUndo(0);
    EXPECT_EQ(list.Count(), 3);
    list.Lock();
    list.AddAction(eakInsert, {}, {}, u"locked");
    EXPECT_EQ(list.Count(), 3);
    list.Unlock();
    list.Unlock();
    list.AddAction(eakInsert, {}, {}, u"open");
    EXPECT_EQ(list.Count(), 4);
}

TEST(ActionList, AGroupThatRecordsNothingLeavesNoBracket)
{
    TElActionList list;
    { TElUndoGroup group(list); }
    EXPECT_FALSE(list.CanUndo());
    {
        TElUndoGroup group(list);
        list.AddAction(eakInsert, {}, {0, 1}, u"a");
    }
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Peek()->Kind, eakGroup);
    // Under a cap of one step, the group is that step, whole; an empty group costs it nothing.
    list.SetMaxUndo(1);
    { TElUndoGroup group(list); }
    EXPECT_EQ(list.Steps(), 1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(KeyCommands, DefaultBindingsAndChords)
{
    TElKeyCommandList keys;
    keys.AddDefaultCommands();
    const std::map<std::pair<uint16_t, TShiftState>, int32_t> singles = {
        {{VKey::Left, 0}, 1}, {{VKey::Left, ssShift}, 201}, {{VKey::Left, ssCtrl}, 8},
        {{VKey::Left, ssShift | ssCtrl}, 207}, {{VKey::Right, ssCtrl}, 7}, {{VKey::Right, ssShift | ssCtrl}, 208},
        {{VKey::Up, ssShift}, 209}, {{VKey::Next, 0}, 10}, {{VKey::Prior, ssShift}, 211},
        {{VKey::Return, 0}, 111}, {{VKey::Return, ssCtrl}, 111}, {{VKey::Return, ssShift}, 111},
        {{VKey::Tab, 0}, 112}, {{VKey::Home, ssCtrl}, 11}, {{VKey::End, ssShift | ssCtrl}, 206},
        {{VKey::Back, 0}, 106}, {{VKey::Back, ssShift}, 106}, {{VKey::Back, ssCtrl}, 108},
        {{VKey::Back, ssAlt}, 101}, {{VKey::Delete, ssShift}, 103}, {{VKey::Delete, ssCtrl}, 109},
        {{VKey::Insert, ssCtrl}, 104}, {{VKey::Insert, ssShift}, 105}, {{'A', ssCtrl}, 215},
        {{'C', ssCtrl}, 104}, {{'X', ssCtrl}, 103}, {{'V', ssCtrl}, 105}, {{'Z', ssCtrl}, 101},
        {{'Z', 0}, 0}, {{VKey::Tab, ssCtrl}, 0},
    };
    for (const auto& [stroke, command] : singles)
        EXPECT_EQ(keys.GetCommand(stroke.first, stroke.second), command) << stroke.first << "/" << int(stroke.second);
    // Mouse buttons and double clicks in the shift state do not matter.
    EXPECT_EQ(keys.GetCommand(VKey::Left, ssShift | ssLeft | ssDouble), 201);
    EXPECT_EQ(keys.GetCommand('K', ssCtrl), ElChordFirstStroke);
    EXPECT_EQ(keys.FindCommand('K', ssCtrl, '3', 0), 121);
    EXPECT_EQ(keys.FindCommand('Q', ssCtrl, '3', 0), 134);
    EXPECT_EQ(keys.FindCommand('K', ssCtrl, 'I', 0), 113);
    EXPECT_EQ(keys.FindCommand('K', ssCtrl, 'B', 0), 0);
    EXPECT_EQ(keys.FindCommand('K', ssCtrl, '3', ssShift), 0);

    keys.AddCommand(VKey::Left, 0, 999, u"second");
    EXPECT_EQ(keys.GetCommand(VKey::Left, 0), 1);  // the first binding wins
    keys.DeleteCommand(1);
    EXPECT_EQ(keys.GetCommand(VKey::Left, 0), 999);
}

class TFakeKeyboard : public IElKeyboardPlatform {
public:
    int32_t ToUnicode(uint16_t VirtualKey, uint32_t, std::u16string& Chars) override
    {
        Chars = next;
        return result;
    }
    bool CtrlDown() override { return ctrl; }
    void PostChar(char16_t Ch) override { posted.push_back(Ch); }
    bool ImeResultString(std::u16string& Text) override
    {
        Text = ime;
        return imeOk;
    }
    std::u16string next, ime, posted;
    int32_t result = 0;
    bool ctrl = false, imeOk = true;
};

TEST(KeyboardInput, DeadKeysCompose)
{
    TFakeKeyboard kb;
    TElKeyboardInputProcessor p(&kb);
    p.DeadChar(u'^');
    kb.next = u"e", kb.result = 1;
    p.KeyDown('E', 0);
    EXPECT_EQ(p.Text(), u"\u00EA");
    EXPECT_EQ(p.PendingDeadChar, 0);
    p.DeadChar(u'^');
    kb.next = u"x";
    p.KeyDown('X', 0);
    EXPECT_EQ(p.Text(), u"^x");
    // A key that makes no character (Shift for a capital, an arrow) is not taken, leaves the
    // text as it was and keeps a dead key waiting for the letter.
    p.DeadChar(u'^');
    kb.next.clear(), kb.result = 0;
    for (const uint16_t key : {uint16_t{VKey::Shift}, uint16_t{VKey::Left}})
        EXPECT_FALSE(p.KeyDown(key, 0));
    EXPECT_EQ(p.Text(), u"^x");
    EXPECT_EQ(p.PendingDeadChar, u'^');
    kb.next = u"E", kb.result = 1;
    EXPECT_TRUE(p.KeyDown('E', 0));
    EXPECT_EQ(p.Text(), u"\u00CA");
    // A dead key reported by the layout is held; the next key composes with it. Every entry
    // composes the accented letter (caron + I once gave Ñ); a ring has no E, so that pair
    // types as an unknown one.
    kb.next = u"\u02C7", kb.result = -1;
    EXPECT_TRUE(p.KeyDown('W', 0));
    EXPECT_EQ(p.PendingDeadChar, 0x02C7);
    kb.next = u"I", kb.result = 1;
    EXPECT_TRUE(p.KeyDown('I', 0));
    EXPECT_EQ(p.Text(), u"\u01CF");
    const std::pair<std::u16string, char16_t> table[] = {
        {u"\u02C7A", 0x01CD}, {u"\u02C7e", 0x011B}, {u"\u02C7O", 0x01D1}, {u"\u02C7u", 0x01D4},
        {u"\u02C7s", 0x0161}, {u";E", 0x00CA}, {u":i", 0x00EE}, {u"\u00B0A", 0x00C5}, {u"\u00B0E", 0},
        {u"\u00B4\u03B5", 0x03AD}, {u"'c", 0x00E7}};
    for (const auto& [pair, composed] : table)
        EXPECT_EQ(p.DeadChars.Lookup(pair[1], pair[0]), composed) << int(pair[0]) << "+" << int(pair[1]);
    EXPECT_EQ(p.DeadChars.Count(), 133);
    p.DeadChar(0xB0);
    kb.next = u"E";
    p.KeyDown('E', 0);
    EXPECT_EQ(p.Text(), u"\u00B0E");

    // Two characters with a dead key pending: the second such key posts the dead character.
    p.DeadChar(u'`');
    kb.next = u"ab", kb.result = 2;
    p.KeyDown('B', 0);
    EXPECT_TRUE(kb.posted.empty());
    p.KeyDown('B', 0);
    EXPECT_EQ(kb.posted, u"`");
    EXPECT_EQ(p.Text(), u"ab");
    EXPECT_EQ(p.PendingDeadChar, 0);

    kb.ctrl = true;
    kb.next = u"q", kb.result = 1;
    p.KeyDown('Q', 0);
    EXPECT_EQ(p.Text(), u"ab");
}

TEST(KeyboardInput, CharactersImeAndCase)
{
    TFakeKeyboard kb;
    TElKeyboardInputProcessor p(&kb);
    p.Char(u'\r');
    EXPECT_EQ(p.Text(), u"");
    p.Char(0xD83D);
    EXPECT_EQ(p.Text(), u"");
    p.Char(0xDE00);
    EXPECT_EQ(p.Text(), u"\U0001F600");
    p.Char(0xDE00);  // a low half alone
    EXPECT_EQ(p.Text(), u"\U0001F600");

    kb.ime = u"\u65E5\u672C";
    p.ImeComposition(0x8);
    EXPECT_EQ(p.Text(), u"\U0001F600");
    p.ImeComposition(ElGcsResultStr);
    EXPECT_EQ(p.Text(), u"\u65E5\u672C");
    kb.imeOk = false;
    kb.ime = u"lost";
    p.ImeComposition(ElGcsResultStr);
    EXPECT_EQ(p.Text(), u"\u65E5\u672C");

    p.SetText(u"mixed Ab");
    p.SetCharCase(eecUpperCase);
    EXPECT_EQ(p.Text(), u"MIXED AB");

    TElKeyboardInputProcessor windowless;
    windowless.ImeComposition(ElGcsResultStr);
    windowless.KeyDown('A', 0);
    EXPECT_EQ(windowless.Text(), u"");
}

TEST(KeyboardInput, SearchTextAndRepeatedCharacters)
{
    TFakeKeyboard kb;
    TElKeyboardInput input(&kb);
    EXPECT_TRUE(input.IsRepeatedChar());
    input.KeyDown(VKey::Back, 0);
    EXPECT_EQ(input.SearchText(), u"");
    for (char16_t c : std::u16string(u"aaa")) input.Char(c);
    EXPECT_TRUE(input.IsRepeatedChar());
    input.Char(u'b');
    EXPECT_FALSE(input.IsRepeatedChar());
    input.Char(0xD83D);
    input.Char(0xDE00);
    input.KeyDown(VKey::Back, 0);
    EXPECT_EQ(input.SearchText(), u"aaab");
    input.Reset();
    EXPECT_EQ(input.SearchText(), u"");
    for (int i = 0; i < 2; ++i) input.SetText(u"\U0001F600");
    EXPECT_TRUE(input.IsRepeatedChar());
}

TEST(SearchTimeout, FiresOnceAnIntervalAfterTheLastKey)
{
    uint32_t now = 0xFFFFFF00u;  // the clock wraps around during the test
    int fired = 0;
    TElSearchTimeout timeout;
    timeout.Clock = [&] { return now; };
    timeout.OnTimeout = [&] { ++fired; };
    EXPECT_FALSE(timeout.Poll());
    timeout.KeyPressed();
    now += 400;
    EXPECT_EQ(timeout.Remaining(), 100u);
    timeout.KeyPressed();  // a key restarts the pause
    now += 499;
    EXPECT_FALSE(timeout.Poll());
    now += 1;
    EXPECT_TRUE(timeout.Poll());
    EXPECT_FALSE(timeout.Poll());
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timeout.Running());
}

}  // namespace
