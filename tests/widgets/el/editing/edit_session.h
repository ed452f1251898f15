// An editor core on a recording surface with a fake host, driven by a stream of bytes: each step
// picks one user or program action (keys, typed characters, commands, mouse, clipboard, resizes,
// property changes, undo) from the bytes. CheckInvariants states what must hold after every step;
// the property tests feed random bytes, the fuzz target the fuzzer's.
#pragma once

#include "widgets/el/editing/ElEditCore.h"

#include "framework/RecordingSurface.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class TFakeEditHost : public IElEditHost {
public:
    void Invalidate() override { ++Invalidates; }
    void ScrollBarsChanged() override { ++ScrollBarUpdates; }
    void CaretMoved() override { ++CaretMoves; }
    void Change() override { ++Changes; }
    void SelectionChange() override { ++SelectionChanges; }
    bool SetClipboardText(const std::u16string& Text) override
    {
        if (ClipboardFails) return false;
        Clipboard = Text;
        HasClipboard = true;
        return true;
    }
    bool GetClipboardText(std::u16string& Text) override
    {
        if (ClipboardFails || !HasClipboard) return false;
        Text = Clipboard;
        return true;
    }
    void PasteClipboardText(std::u16string& Text) override
    {
        if (OnPaste) OnPaste(Text);
    }

    std::u16string Clipboard;
    bool HasClipboard = false;
    bool ClipboardFails = false;
    std::function<void(std::u16string&)> OnPaste;
    int Invalidates = 0, ScrollBarUpdates = 0, CaretMoves = 0, Changes = 0, SelectionChanges = 0;
};

// Reads the driving bytes; past the end every read gives 0.
class TByteSource {
public:
    TByteSource(const uint8_t* Data, size_t Size) : data_(Data), size_(Size) {}
    bool AtEnd() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int32_t Below(int32_t N) { return N <= 0 ? 0 : Byte() % N; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class TEditSession {
public:
    TEditSession() : surface(8), core(&host, &surface)
    {
        core.SetMultiline(true);
        core.SetWantReturns(true);
        core.SetWantTabs(true);
        core.SetWordWrap(true);
        core.SetEditRect({0, 0, 120, 80});
        baseline_ = core.Text();
    }

    RecordingSurface surface;
    TFakeEditHost host;
    TElEditCore core;

    // One action from the bytes; the text must only change through recorded edits, property
    // changes that clear the history, or a new text.
    void Step(TByteSource& In);
    // Undoes everything (read-only switched off) and reports whether the text is the one the
    // history started from; true when the history was cut and nothing can be said.
    bool UndoAllRestores(std::string& Error);
    // Empty when every invariant holds, else what failed.
    std::string CheckInvariants();

    static std::u16string RandomText(TByteSource& In, int32_t MaxPieces);

private:
    struct TBefore {
        std::u16string Text;
        int64_t Length;
        int32_t Redo;
        bool ReadOnly;
    };
    // UserInput: keys, characters, commands, mouse, input-method text, drops.
    void AfterStep(const TBefore& Before, bool UserInput);

    std::u16string baseline_;
    bool baselineValid_ = true;
    std::string stepError_;
};

// ---- Implementation (header-only: shared by the tests and the fuzz target)

inline std::u16string TEditSession::RandomText(TByteSource& In, int32_t MaxPieces)
{
    static const char16_t* const Pieces[] = {
        u"a", u"b", u"word", u" ", u"\t", u"\r\n", u"\r", u"\n", u"\U0001F600", u"\u05D0\u05D1", u"\u0301",
        u"W", u"  ", u"xy z", u"\u00E9",
    };
    std::u16string text;
    const int32_t n = In.Below(MaxPieces + 1);
    for (int32_t i = 0; i < n; ++i) text += Pieces[In.Below(static_cast<int32_t>(std::size(Pieces)))];
    return text;
}

inline void TEditSession::Step(TByteSource& In)
{
    static const uint16_t Keys[] = {VKey::Left, VKey::Right, VKey::Up, VKey::Down, VKey::Home, VKey::End,
                                    VKey::Prior, VKey::Next, VKey::Back, VKey::Delete, VKey::Return,
                                    VKey::Tab, VKey::Insert, 'K', 'Q', 'A', 'C', 'X', 'V', 'Z', '1', '3',
                                    VKey::Shift, 'B'};
    static const char16_t Chars[] = {u'a', u'B', u' ', u'\t', u'\r', 0x7F, 0x01, 0xD83D, 0xDE00, 0xDE01,
                                     0x05D0, 0x0301, u'z', 0x00E9, u'c', u'd', u' ', u'e'};
    static const int32_t Commands[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 101, 103, 104, 105, 106, 107,
                                       108, 109, 111, 112, 113, 118, 119, 131, 132, 141, 201, 202, 203, 204,
                                       205, 206, 207, 208, 209, 210, 211, 212, 215, 216, 217, 105, 105, 111};
    const TBefore before{core.Text(), core.TextLength(), core.RedoList().Count(), core.ReadOnly()};
    bool userInput = false;
    const TShiftState shifts[] = {0, ssShift, ssCtrl, ssShift | ssCtrl, ssAlt};
    switch (In.Below(32)) {
    case 0: case 1: case 2: case 3: case 4: case 5:
        userInput = true;
        core.KeyDown(Keys[In.Below(std::size(Keys))], shifts[In.Below(std::size(shifts))]);
        break;
    case 6: case 7: case 8: case 9: case 10: case 11:
        userInput = true;
        core.KeyPress(Chars[In.Below(std::size(Chars))]);
        break;
    case 12: case 13: case 14: case 15:
        userInput = true;
        core.ExecuteCommandEx(Commands[In.Below(std::size(Commands))], 0, {});
        break;
    case 16: core.SetEditRect({0, 0, In.Below(200) - 10, In.Below(120)}); break;
    case 17: core.SetWordWrap(!core.WordWrap()); break;
    case 18:
        if (In.Below(4) == 0) core.SetMultiline(!core.Multiline());
        break;
    case 19: core.SetMaxLength(In.Below(3) == 0 ? In.Below(120) : 0); break;
    case 20: core.SetReadOnly(In.Below(4) == 0); break;
    case 21:
        if (In.Below(2))
            core.SetPasswordChar(core.PasswordChar().empty() ? u"*" : u"");
        else
            core.SetCharCase(static_cast<TElEditCharCase>(In.Below(3)));
        break;
    case 22:
        if (In.Below(3) == 0) core.SetText(RandomText(In, 12));
        break;
    case 23: case 24: {
        userInput = true;
        const TPoint p{In.Below(160) - 20, In.Below(120) - 20};
        switch (In.Below(4)) {
        case 0: core.MouseDown(p, In.Below(2) ? ssShift : 0, false); break;
        case 1: core.MouseDown(p, 0, true); break;
        case 2: core.MouseMove(p); break;
        default: core.MouseUp(p); break;
        }
        break;
    }
    case 25: {
        const int32_t length = static_cast<int32_t>(core.TextLength());
        switch (In.Below(4)) {
        case 0: core.SetSel(In.Below(length + 3) - 1, In.Below(length + 3) - 1); break;
        case 1: core.SetSelText(RandomText(In, 3)); break;
        case 2: core.ReplaceSel(RandomText(In, 3), In.Below(2) == 0); break;
        default: core.SetSelLength(In.Below(7) - 3); break;
        }
        break;
    }
    case 26:
        host.Clipboard = RandomText(In, 6);
        host.HasClipboard = true;
        host.ClipboardFails = In.Below(5) == 0;
        break;
    case 27:
        userInput = true;
        core.Undo();
        break;
    case 28:
        switch (In.Below(3)) {
        case 0: core.SetAlignment(static_cast<TAlignment>(In.Below(3))); break;
        case 1: core.SetRightAlignedText(!core.RightAlignedText()); break;
        default: core.SetTabSpaces(In.Below(6)); break;
        }
        break;
    case 29: {
        userInput = true;
        if (In.Below(2)) {
            core.TypeText(RandomText(In, 4));
            break;
        }
        const int64_t index = In.Below(static_cast<int32_t>(core.TextLength()) + 2);
        const bool move = In.Below(2) == 0;
        core.DropText(index, move ? core.DragText() : RandomText(In, 3), move);
        break;
    }
    case 30:
        switch (In.Below(4)) {
        case 0: core.ScrollVert(In.Below(9), In.Below(40)); break;
        case 1: core.ScrollHorz(In.Below(9), In.Below(40)); break;
        case 2: core.MouseWheel(In.Below(241) - 120, In.Below(5) - 1); break;
        default: {
            TFontSpec font = core.Font();
            font.Height = -(In.Below(20) + 1);
            core.SetFont(font);
            break;
        }
        }
        break;
    default: core.SetMaxUndoLevel(In.Below(4) == 0 ? In.Below(6) : 0); break;
    }
    AfterStep(before, userInput);
}

inline void TEditSession::AfterStep(const TBefore& Before, bool UserInput)
{
    auto fail = [this](const char* What) {
        if (stepError_.empty()) stepError_ = What;
    };
    // Undo puts what it reverts on the redo list; nothing else makes that list grow.
    const bool undid = core.RedoList().Count() > Before.Redo;
    const int32_t limit = core.MaxLength();
    if (UserInput && !undid && limit > 0 && Before.Length <= limit && core.TextLength() > limit)
        fail("an edit went beyond MaxLength");
    if (UserInput && Before.ReadOnly && core.Text() != Before.Text) fail("a read-only edit changed its text");
    if (undid && !core.CanUndo() && baselineValid_ && core.Text() != baseline_)
        fail("undoing the whole history did not restore the text");
    if (core.MaxUndoLevel() > 0) baselineValid_ = false;
    if (!core.CanUndo()) {
        baseline_ = core.Text();
        baselineValid_ = core.MaxUndoLevel() == 0;
    }
}

inline bool TEditSession::UndoAllRestores(std::string& Error)
{
    core.SetReadOnly(false);
    for (int guard = 0; core.CanUndo() && guard < 100000; ++guard) core.Undo();
    if (core.CanUndo()) {
        Error = "undo never empties the history";
        return false;
    }
    if (baselineValid_ && core.Text() != baseline_) {
        Error = "undoing the whole history did not restore the text";
        return false;
    }
    return true;
}

namespace EditSessionDetail {

// What a fresh wrap of one paragraph gives, for comparison with the model's lines.
class TReferenceOwner : public IElEditStringsOwner {
public:
    TReferenceOwner(TElEditCore& Core, ITextMeasurer& Measurer) : core_(Core), painter_(&Measurer)
    {
        painter_.Font = Core.Font();
        painter_.TabSpaces = Core.TabSpaces();
        painter_.PasswordChar = Core.PasswordChar().empty() ? 0 : Core.PasswordChar()[0];
    }
    bool Multiline() const override { return core_.Multiline(); }
    bool WordWrap() const override { return core_.WordWrap(); }
    int32_t WrapWidth() const override { return core_.View().WrapWidth(); }
    bool MeasureEnds(std::u16string_view Text, std::vector<int32_t>& Ends) override
    {
        return painter_.DisplayEnds(Text, Ends);
    }

private:
    TElEditCore& core_;
    TElTextPainter painter_;
};

inline bool CaretValid(const TElEditStrings& L, TPoint P)
{
    const int32_t lines = L.LineCount();
    if (lines == 0) return P.X == 0 && P.Y == 0;
    if (P.Y < 0 || P.Y >= lines) return false;
    const std::u16string_view line = L.GetLine(P.Y);
    return P.X >= 0 && P.X <= static_cast<int32_t>(line.size()) && !ElEditChars::InsidePair(line, static_cast<size_t>(P.X));
}

}  // namespace EditSessionDetail

inline std::string TEditSession::CheckInvariants()
{
    using namespace EditSessionDetail;
    if (!stepError_.empty()) return stepError_;
    const TElEditStrings& L = core.Lines();
    const bool wrapping = core.Multiline() && core.WordWrap();
    int32_t firstLine = 0;
    int64_t length = 0;
    int32_t longest = 0;
    TReferenceOwner refOwner(core, surface);
    TElEditStrings reference(&refOwner);
    for (int32_t p = 0; p < L.GetCount(); ++p) {
        const TElParagraph& para = L.Paragraph(p);
        if (para.FirstLine != firstLine) return "FirstLine numbering broken at paragraph " + std::to_string(p);
        std::u16string joined;
        for (int32_t l = 0; l < para.Count(); ++l) {
            const std::u16string_view line = para.Get(l);
            if (line.empty() && para.Count() > 1) return "an empty line inside a wrapped paragraph";
            if (ElEditChars::InsidePair(para.Text(), static_cast<size_t>(para.LineStart(l))))
                return "a line starts inside a surrogate pair";
            joined += line;
        }
        if (joined != para.Text()) return "the lines of a paragraph are not its text";
        if (core.Multiline() && para.Text().find_first_of(u"\r\n") != std::u16string::npos)
            return "a paragraph of a multiline edit holds a line break";
        if (!wrapping && para.Count() != 1) return "lines are wrapped while wrapping is off";
        if (wrapping && !para.Text().empty()) {
            reference.Insert(reference.GetCount(), para.Text());
            const TElParagraph& fresh = reference.Paragraph(reference.GetCount() - 1);
            if (fresh.Count() != para.Count()) return "a paragraph is not wrapped as a fresh wrap would wrap it";
            for (int32_t l = 0; l < para.Count(); ++l)
                if (fresh.LineStart(l) != para.LineStart(l)) return "a paragraph's line starts differ from a fresh wrap";
        }
        firstLine += para.Count();
        length += para.Length() + (p > 0 ? 2 : 0);
        longest = std::max(longest, para.Length());
    }
    if (L.LineCount() != firstLine) return "LineCount does not match the paragraphs";
    if (L.TextLength() != length || static_cast<int64_t>(core.Text().size()) != length)
        return "TextLength does not match the text";
    if (!wrapping && L.LongestLength() != longest) return "LongestLength is not the longest paragraph";
    if (!wrapping && longest > 0 && L.LongestLine().size() != static_cast<size_t>(longest))
        return "LongestLine is not the longest paragraph";
    for (TPoint p : {core.Caret(), core.Anchor(), core.SelStart(), core.SelEnd()})
        if (!CaretValid(L, p)) return "a caret, anchor or selection point lies outside the text";
    const TPoint s = core.SelStart(), e = core.SelEnd();
    if (s.Y > e.Y || (s.Y == e.Y && s.X > e.X)) return "the selection is not in text order";
    const int32_t maxTop = std::max(0, L.LineCount() - core.VisibleLines());
    if (core.TopLine() < 0 || core.TopLine() > maxTop) return "TopLine outside 0 .. LineCount - VisibleLines";
    if (core.LeftChar() < 0 || (wrapping && core.LeftChar() != 0) || core.LeftChar() > std::max(L.LongestLength(), 0))
        return "LeftChar outside the text";
    if (core.VisibleLines() < 1) return "VisibleLines below 1";
    return {};
}
