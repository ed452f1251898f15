#include "widgets/el/editing/ElKeyCommands.h"

#include <algorithm>

namespace {

constexpr TShiftState ModifierBits = ssShift | ssCtrl | ssAlt;

bool SameStroke(uint16_t KeyA, TShiftState ShiftA, uint16_t KeyB, TShiftState ShiftB)
{
    return KeyA == KeyB && (ShiftA & ModifierBits) == (ShiftB & ModifierBits);
}

}  // namespace

void TElKeyCommandList::AddCommand(uint16_t Key, TShiftState Shift, int32_t Command, const std::u16string& Description)
{
    AddCommandEx(Key, Shift, Command, Description, 0, 0);
}

void TElKeyCommandList::AddCommandEx(uint16_t Key, TShiftState Shift, int32_t Command,
                                     const std::u16string& Description, uint16_t Key2, TShiftState Shift2)
{
    items_.push_back({Key, Shift, Key2, Shift2, Command, Description});
}

void TElKeyCommandList::DeleteCommand(int32_t Command)
{
    auto it = std::find_if(items_.begin(), items_.end(), [&](const TElKeyCommand& c) { return c.Command == Command; });
    if (it != items_.end()) items_.erase(it);
}

int32_t TElKeyCommandList::GetCommand(uint16_t Key, TShiftState Shift) const
{
    return FindCommand(Key, Shift, 0, 0);
}

int32_t TElKeyCommandList::FindCommand(uint16_t Key, TShiftState Shift, uint16_t Key2, TShiftState Shift2) const
{
    int32_t result = 0;
    for (const TElKeyCommand& c : items_) {
        if (!SameStroke(c.Key, c.Shift, Key, Shift)) continue;
        if (SameStroke(c.Key2, c.Shift2, Key2, Shift2)) return c.Command;
        if (c.Key2 != 0 && Key2 == 0) result = ElChordFirstStroke;
    }
    return result;
}

void TElKeyCommandList::AddDefaultCommands()
{
    using namespace ElEditCommand;
    const TShiftState None = 0, Sh = ssShift, Ct = ssCtrl, ShCt = ssShift | ssCtrl;
    AddCommand(VKey::Left, None, Left, u"Move cursor left");
    AddCommand(VKey::Left, Sh, SelLeft, u"Select previous char");
    AddCommand(VKey::Left, Ct, PrevWord, u"Move to previous word");
    AddCommand(VKey::Left, ShCt, SelPrevWord, u"Select previous char");
    AddCommand(VKey::Right, None, Right, u"Move cursor right");
    AddCommand(VKey::Right, Sh, SelRight, u"Select next char");
    AddCommand(VKey::Right, Ct, NextWord, u"Move to next word");
    AddCommand(VKey::Right, ShCt, SelNextWord, u"Select next word");
    AddCommand(VKey::Up, None, Up, u"Move cursor up");
    AddCommand(VKey::Up, Sh, SelUp, u"Select text up");
    AddCommand(VKey::Down, None, Down, u"Move cursor down");
    AddCommand(VKey::Down, Sh, SelDown, u"Select text down");
    AddCommand(VKey::Next, None, PageDown, u"Page down");
    AddCommand(VKey::Next, Sh, SelPageDown, u"Select page down");
    AddCommand(VKey::Prior, None, PageUp, u"Page up");
    AddCommand(VKey::Prior, Sh, SelPageUp, u"Select page up");
    AddCommand(VKey::Return, None, NewLine, u"New line");
    AddCommand(VKey::Return, Ct, NewLine, u"New line");
    AddCommand(VKey::Return, Sh, NewLine, u"New line");
    AddCommand(VKey::Tab, None, InsertTab, u"Insert Tab symbol");
    AddCommand(VKey::Home, None, LineStart, u"Move cursor to begin of line");
    AddCommand(VKey::Home, Sh, SelLineStart, u"Select line before cursor");
    AddCommand(VKey::Home, Ct, TextStart, u"Move cursor to begin of text");
    AddCommand(VKey::Home, ShCt, SelTextStart, u"Select all before cursor");
    AddCommand(VKey::End, None, LineEnd, u"Move cursor to end of line");
    AddCommand(VKey::End, Sh, SelLineEnd, u"Select line after cursor");
    AddCommand(VKey::End, Ct, TextEnd, u"Move cursor to end of text");
    AddCommand(VKey::End, ShCt, SelTextEnd, u"Select all before cursor");
    AddCommand(VKey::Back, None, DeleteBack, u"Delete char before cursor");
    AddCommand(VKey::Back, Sh, DeleteBack, u"Delete char before cursor");
    AddCommand(VKey::Back, Ct, DeleteWordBack, u"Delete word before cursor");
    AddCommand(VKey::Back, ssAlt, Undo, u"Undo");
    AddCommand(VKey::Delete, None, DeleteChar, u"Delete char under cursor");
    AddCommand(VKey::Delete, Sh, Cut, u"Cut to clipboard");
    AddCommand(VKey::Delete, Ct, DeleteWord, u"Delete selection");
    AddCommand(VKey::Insert, Ct, Copy, u"Copy to clipboard");
    AddCommand(VKey::Insert, Sh, Paste, u"Paste from clipboard");
    AddCommandEx('K', Ct, Indent, u"Indent selected text", 'I', None);
    AddCommandEx('K', Ct, Unindent, u"Unindent selected text", 'U', None);
    for (char16_t d = 0; d < 10; ++d) {
        std::u16string digit(1, static_cast<char16_t>(u'0' + d));
        AddCommandEx('K', Ct, SetMark0 + d, u"Set bookmark " + digit, static_cast<uint16_t>('0' + d), None);
    }
    for (char16_t d = 0; d < 10; ++d) {
        std::u16string digit(1, static_cast<char16_t>(u'0' + d));
        AddCommandEx('Q', Ct, GotoMark0 + d, u"Goto bookmark to " + digit, static_cast<uint16_t>('0' + d), None);
    }
    AddCommand('A', Ct, SelectAll, u"Select all");
    AddCommand('C', Ct, Copy, u"Copy to clipboard");
    AddCommand('X', Ct, Cut, u"Cut to clipboard");
    AddCommand('V', Ct, Paste, u"Paste from clipboard");
    AddCommand('Z', Ct, Undo, u"Undo");
}
