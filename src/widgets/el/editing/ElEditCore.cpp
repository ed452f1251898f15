#include "widgets/el/editing/ElEditCore.h"

#include <algorithm>
#include <cstdlib>

using namespace ElEditChars;
namespace Cmd = ElEditCommand;

namespace {

constexpr char16_t StressMark = 0x0301;  // combining acute accent
constexpr TElTextPos NoMark{-1, -1};

bool IsBlankClass(char16_t C) { return IsBlank(C) || IsBreak(C); }

}  // namespace

TElEditCore::TElEditCore(IElEditHost* Host, ITextMeasurer* Measurer)
    : host_(Host), painter_(Measurer), lines_(this), view_(options_, lines_, painter_)
{
    marks_.fill(NoMark);
    keys_.AddDefaultCommands();
    view_.SetLineHeight(std::abs(painter_.Font.Height) + 2);
}

TElEditCore::~TElEditCore() = default;

IElEditHost& TElEditCore::Host() const
{
    static IElEditHost none;
    return host_ ? *host_ : none;
}

void TElEditCore::Flush()
{
    if (scrollDirty_) {
        scrollDirty_ = false;
        if (view_.ClampScroll()) invalidateDirty_ = true;
        caretDirty_ = true;
        Host().ScrollBarsChanged();
    }
    if (caretDirty_) {
        caretDirty_ = false;
        Host().CaretMoved();
    }
    if (invalidateDirty_) {
        invalidateDirty_ = false;
        Host().Invalidate();
    }
}

// ---- Model owner

bool TElEditCore::MeasureEnds(std::u16string_view Text, std::vector<int32_t>& Ends)
{
    return painter_.DisplayEnds(Text, Ends);
}

void TElEditCore::TextReset()
{
    caret_ = anchor_ = selStart_ = selEnd_ = {};
    view_.ResetScroll();
    scrollDirty_ = caretDirty_ = invalidateDirty_ = true;
}

void TElEditCore::ClampState()
{
    auto clamp = [this](TPoint& P) {
        TElTextPos pos = lines_.CaretToPos(P.X, P.Y);
        lines_.PosToCaret(pos, P.X, P.Y);
    };
    const int32_t lines = lines_.LineCount();
    for (TPoint* p : {&caret_, &anchor_, &selStart_, &selEnd_}) {
        if (lines == 0) {
            *p = {};
            continue;
        }
        // Keep the column on its line where it is still valid (the end of a wrapped line and
        // the start of the next are the same text position but different caret positions).
        p->Y = std::clamp(p->Y, 0, lines - 1);
        const std::u16string_view line = lines_.GetLine(p->Y);
        if (p->X < 0 || p->X > static_cast<int32_t>(line.size()))
            clamp(*p);
        else
            p->X = SnapToChar(line, p->X);
    }
}

void TElEditCore::TextChanged()
{
    invalidateDirty_ = true;
    ClampState();
}

// ---- Text and properties

void TElEditCore::SetText(const std::u16string& Value)
{
    if (Value == Text()) return;
    ReloadText(ApplyCharCase(Value, options_.CharCase), false);
}

void TElEditCore::ReloadText(const std::u16string& Value, bool UserChange)
{
    TNotifyScope scope(*this);
    undo_.Clear();
    redo_.Clear();
    lines_.SetTextStr(Value);
    Modified = false;
    if (UserChange || !options_.NotifyUserChangeOnly) Host().Change();
    Host().SelectionChange();
}

void TElEditCore::SetMultiline(bool Value)
{
    if (Value == options_.Multiline) return;
    TNotifyScope scope(*this);
    options_.Multiline = Value;
    if (Value) options_.AlignBottom = false;
    // Paragraph positions of the old layout mean nothing in the new one.
    undo_.Clear();
    redo_.Clear();
    forceReload_ = true;
    lines_.SetTextStr(lines_.GetTextStr());
    forceReload_ = false;
    view_.SetEditRect(view_.EditRect());
}

void TElEditCore::SetWordWrap(bool Value)
{
    if (Value == options_.WordWrap) return;
    options_.WordWrap = Value;
    Relayout();
}

void TElEditCore::SetAlignment(TAlignment Value)
{
    if (Value == options_.Alignment) return;
    TNotifyScope scope(*this);
    options_.Alignment = Value;
    if (Value != TAlignment::taLeftJustify && !options_.RightAlignedText && !options_.WordWrap)
        SetWordWrap(true);
    scrollDirty_ = invalidateDirty_ = true;
    ScrollCaret();
}

void TElEditCore::SetMaxLength(int32_t Value)
{
    if (Value < 0) return;
    options_.MaxLength = Value;
    if (Value > 0 && TextLength() > Value) {
        const std::u16string text = Text();
        ReloadText(std::u16string(HeadFitting(text, Value)), false);
    }
}

std::u16string TElEditCore::PasswordChar() const
{
    return painter_.PasswordChar ? std::u16string(1, painter_.PasswordChar) : std::u16string();
}

void TElEditCore::SetPasswordChar(const std::u16string& Value)
{
    const char16_t c = Value.empty() ? 0 : Value[0];
    if (c == painter_.PasswordChar) return;
    painter_.PasswordChar = c;
    Relayout();
}

void TElEditCore::SetCharCase(TElEditCharCase Value)
{
    options_.CharCase = Value;
    if (Value == eecNormal) return;
    const std::u16string text = Text();
    const std::u16string converted = ApplyCharCase(text, Value);
    if (converted != text) ReloadText(converted, false);
}

void TElEditCore::SetTabSpaces(int32_t Value)
{
    if (Value < 1 || Value == painter_.TabSpaces) return;
    painter_.TabSpaces = Value;
    Relayout();
}

void TElEditCore::SetLeftMargin(int32_t Value)
{
    options_.LeftMargin = Value;
    Relayout();
}

void TElEditCore::SetRightMargin(int32_t Value)
{
    options_.RightMargin = Value;
    Relayout();
}

void TElEditCore::SetTopMargin(int32_t Value)
{
    if (options_.AlignBottom) return;
    TNotifyScope scope(*this);
    options_.TopMargin = Value;
    view_.SetEditRect(view_.EditRect());
    scrollDirty_ = invalidateDirty_ = true;
    ScrollCaret();
}

void TElEditCore::SetAlignBottom(bool Value)
{
    TNotifyScope scope(*this);
    options_.AlignBottom = Value;
    if (Value) options_.TopMargin = 0;
    view_.SetEditRect(view_.EditRect());
    scrollDirty_ = invalidateDirty_ = true;
}

void TElEditCore::SetHideSelection(bool Value)
{
    TNotifyScope scope(*this);
    options_.HideSelection = Value;
    invalidateDirty_ = true;
}

void TElEditCore::SetStressShortCut(TShortCut Value)
{
    keys_.DeleteCommand(Cmd::StressMark);
    stressShortCut_ = Value;
    if (Value == 0) return;
    uint16_t key;
    TShiftState shift;
    ShortCutToKey(Value, key, shift);
    keys_.AddCommand(key, shift, Cmd::StressMark, u"Set stress sign");
}

void TElEditCore::SetFont(const TFontSpec& Value)
{
    painter_.Font = Value;
    view_.SetLineHeight(std::abs(Value.Height) + 2);
    Relayout();
}

void TElEditCore::SetMeasurer(ITextMeasurer* Measurer)
{
    painter_.SetMeasurer(Measurer);
    Relayout();
}

// ---- Geometry

void TElEditCore::SetEditRect(const TRect& R)
{
    TNotifyScope scope(*this);
    const int32_t oldWidth = view_.WrapWidth();
    view_.SetEditRect(R);
    if (options_.Multiline && options_.WordWrap && view_.WrapWidth() != oldWidth)
        Relayout();
    scrollDirty_ = invalidateDirty_ = true;
    ScrollCaret();
}

void TElEditCore::Relayout()
{
    TNotifyScope scope(*this);
    const TElTextPos caret = CaretPos();
    const TElTextPos anchor = lines_.CaretToPos(anchor_.X, anchor_.Y);
    const bool selected = HasSelection();
    lines_.ReformatAll();
    lines_.PosToCaret(caret, caret_.X, caret_.Y);
    lines_.PosToCaret(anchor, anchor_.X, anchor_.Y);
    selStart_ = selEnd_ = caret_;
    if (selected) {
        selStart_ = std::min(caret, anchor) == caret ? caret_ : anchor_;
        selEnd_ = std::min(caret, anchor) == caret ? anchor_ : caret_;
    }
    scrollDirty_ = caretDirty_ = invalidateDirty_ = true;
    view_.ClampScroll();
    ScrollCaret();
}

void TElEditCore::SetTopLine(int32_t Value)
{
    TNotifyScope scope(*this);
    if (view_.SetTopLine(Value)) scrollDirty_ = invalidateDirty_ = true;
}

void TElEditCore::SetLeftChar(int32_t Value)
{
    TNotifyScope scope(*this);
    if (view_.SetLeftChar(Value)) scrollDirty_ = invalidateDirty_ = true;
}

void TElEditCore::ScrollVert(int32_t Code, int32_t ThumbPos)
{
    TNotifyScope scope(*this);
    if (view_.ScrollVert(Code, ThumbPos)) scrollDirty_ = invalidateDirty_ = true;
}

void TElEditCore::ScrollHorz(int32_t Code, int32_t ThumbPos)
{
    TNotifyScope scope(*this);
    if (view_.ScrollHorz(Code, ThumbPos)) scrollDirty_ = invalidateDirty_ = true;
}

void TElEditCore::MouseWheel(int32_t Delta, int32_t LinesPerNotch)
{
    if (!options_.Multiline) return;
    TNotifyScope scope(*this);
    if (view_.MouseWheel(Delta, LinesPerNotch)) scrollDirty_ = invalidateDirty_ = true;
}

std::vector<TElLineLayout> TElEditCore::Layout(bool Focused) const
{
    return view_.Layout(selStart_, selEnd_, !options_.HideSelection || Focused);
}

void TElEditCore::ScrollCaret()
{
    caretDirty_ = true;
    if (view_.ScrollToCaret(caret_)) scrollDirty_ = invalidateDirty_ = true;
}

// ---- Caret and selection

void TElEditCore::PlaceCaret(TElTextPos Pos)
{
    lines_.PosToCaret(Pos, caret_.X, caret_.Y);
    caretDirty_ = true;
}

void TElEditCore::SetCaret(TPoint Value)
{
    TNotifyScope scope(*this);
    ClearSelection();
    SetCaretY(Value.Y);
    caret_.X = SnapToChar(CaretLine(), std::clamp(Value.X, 0, static_cast<int32_t>(CaretLine().size())));
    CaretMoved();
    ScrollCaret();
}

void TElEditCore::SetCaretY(int32_t Y)
{
    caret_.Y = std::clamp(Y, 0, std::max(lines_.LineCount() - 1, 0));
    const std::u16string_view line = CaretLine();
    caret_.X = SnapToChar(line, std::clamp(caret_.X, 0, static_cast<int32_t>(line.size())));
    caretDirty_ = true;
}

bool TElEditCore::HasSelection() const
{
    return lines_.CaretToPos(selStart_.X, selStart_.Y) != lines_.CaretToPos(selEnd_.X, selEnd_.Y);
}

std::u16string TElEditCore::SelectedText() const
{
    return lines_.TextRange(lines_.CaretToPos(selStart_.X, selStart_.Y), lines_.CaretToPos(selEnd_.X, selEnd_.Y));
}

void TElEditCore::ExtendSelection()
{
    const bool caretFirst = caret_.Y < anchor_.Y || (caret_.Y == anchor_.Y && caret_.X <= anchor_.X);
    const TPoint start = caretFirst ? caret_ : anchor_;
    const TPoint end = caretFirst ? anchor_ : caret_;
    if (start == selStart_ && end == selEnd_) return;
    selStart_ = start;
    selEnd_ = end;
    invalidateDirty_ = true;
    Host().SelectionChange();
}

void TElEditCore::ClearSelection()
{
    if (selStart_ == selEnd_) return;
    const bool had = HasSelection();
    selStart_ = selEnd_ = anchor_;
    invalidateDirty_ = true;
    if (had) Host().SelectionChange();
}

void TElEditCore::CaretMoved(bool Always)
{
    if (caret_ == anchor_ && !Always) return;
    anchor_ = selStart_ = selEnd_ = caret_;
    Host().SelectionChange();
}

void TElEditCore::SetSelectionPositions(TElTextPos AnchorPos, TElTextPos CaretPos)
{
    lines_.PosToCaret(AnchorPos, anchor_.X, anchor_.Y);
    PlaceCaret(CaretPos);
    ExtendSelection();
}

// ---- Moves

void TElEditCore::MoveLeft()
{
    const std::u16string_view S = CaretLine();
    const int32_t X = std::min(caret_.X, static_cast<int32_t>(S.size()));
    if (X > 0) {
        caret_.X = X - CharSizeBefore(S, static_cast<size_t>(X));
    } else if (caret_.Y > 0) {
        int32_t P, L;
        lines_.ParagraphOfLine(caret_.Y, P, L);
        const std::u16string_view prev = lines_.GetLine(caret_.Y - 1);
        // The end of a wrapped line is this line's start: one character before it is one left.
        const int32_t length = static_cast<int32_t>(prev.size());
        caret_.X = L > 0 ? length - CharSizeBefore(prev, prev.size()) : length;
        --caret_.Y;
    }
    caretDirty_ = true;
}

void TElEditCore::MoveRight()
{
    const std::u16string_view S = CaretLine();
    const int32_t X = std::min(caret_.X, static_cast<int32_t>(S.size()));
    if (X < static_cast<int32_t>(S.size())) {
        caret_.X = X + CharSizeAt(S, static_cast<size_t>(X));
    } else if (caret_.Y < lines_.LineCount() - 1) {
        int32_t P, L;
        lines_.ParagraphOfLine(caret_.Y, P, L);
        const bool wrapped = L < lines_.Paragraph(P).Count() - 1;
        ++caret_.Y;
        // The end of a wrapped line is the next line's start: one right is after its first character.
        caret_.X = wrapped ? CharSizeAt(CaretLine(), 0) : 0;
    } else {
        caret_.X = static_cast<int32_t>(S.size());
    }
    caretDirty_ = true;
}

TElTextPos TElEditCore::NextWordStart(TElTextPos Pos) const
{
    if (lines_.GetCount() == 0) return {};
    Pos = lines_.ClampPos(Pos);
    const std::u16string& S = lines_.Paragraph(Pos.Paragraph).Text();
    size_t o = static_cast<size_t>(Pos.Offset);
    if (o >= S.size()) {
        if (Pos.Paragraph < lines_.GetCount() - 1) return {Pos.Paragraph + 1, 0};
        return Pos;
    }
    const bool blank = IsBlankClass(S[o]);
    while (o < S.size() && IsBlankClass(S[o]) == blank) ++o;
    while (o < S.size() && IsBlankClass(S[o])) ++o;
    return {Pos.Paragraph, static_cast<int32_t>(o)};
}

TElTextPos TElEditCore::PrevWordStart(TElTextPos Pos) const
{
    if (lines_.GetCount() == 0) return {};
    Pos = lines_.ClampPos(Pos);
    if (Pos.Offset == 0) {
        if (Pos.Paragraph > 0) return {Pos.Paragraph - 1, lines_.Paragraph(Pos.Paragraph - 1).Length()};
        return Pos;
    }
    const std::u16string& S = lines_.Paragraph(Pos.Paragraph).Text();
    size_t o = static_cast<size_t>(Pos.Offset);
    while (o > 0 && IsBlankClass(S[o - 1])) --o;
    while (o > 0 && !IsBlankClass(S[o - 1])) --o;
    return {Pos.Paragraph, static_cast<int32_t>(o)};
}

TElTextPos TElEditCore::WordStartAt(TElTextPos Pos) const
{
    if (lines_.GetCount() == 0) return {};
    Pos = lines_.ClampPos(Pos);
    const std::u16string& S = lines_.Paragraph(Pos.Paragraph).Text();
    size_t o = static_cast<size_t>(Pos.Offset);
    if (S.empty()) return Pos;
    const bool blank = IsBlankClass(S[std::min(o, S.size() - 1)]);
    while (o > 0 && IsBlankClass(S[o - 1]) == blank) --o;
    return {Pos.Paragraph, static_cast<int32_t>(o)};
}

void TElEditCore::MoveToWord(bool Next)
{
    const TElTextPos pos = CaretPos();
    PlaceCaret(Next ? NextWordStart(pos) : PrevWordStart(pos));
}

bool TElEditCore::Move(int32_t Command)
{
    switch (Command) {
    case Cmd::Left: case Cmd::SelLeft: MoveLeft(); break;
    case Cmd::Right: case Cmd::SelRight: MoveRight(); break;
    case Cmd::Up: case Cmd::SelUp: SetCaretY(caret_.Y - 1); break;
    case Cmd::Down: case Cmd::SelDown: SetCaretY(caret_.Y + 1); break;
    case Cmd::LineStart: case Cmd::SelLineStart: caret_.X = 0; break;
    case Cmd::LineEnd: case Cmd::SelLineEnd: caret_.X = static_cast<int32_t>(CaretLine().size()); break;
    case Cmd::NextWord: case Cmd::SelNextWord: MoveToWord(true); break;
    case Cmd::PrevWord: case Cmd::SelPrevWord: MoveToWord(false); break;
    case Cmd::PageUp: case Cmd::SelPageUp: SetCaretY(caret_.Y - view_.VisibleLines()); break;
    case Cmd::PageDown: case Cmd::SelPageDown: SetCaretY(caret_.Y + view_.VisibleLines()); break;
    case Cmd::TextStart: case Cmd::SelTextStart: caret_ = {}; break;
    case Cmd::TextEnd: case Cmd::SelTextEnd: PlaceCaret(lines_.EndPos()); break;
    default: return false;
    }
    caretDirty_ = true;
    return true;
}

// ---- Commands

void TElEditCore::ExecuteCommandEx(int32_t Command, uint32_t Flag, std::u16string Data)
{
    TNotifyScope scope(*this);
    Host().BeforeCommand(Command, Flag, Data);
    ExecuteCommand(Command, Flag, Data);
    Host().AfterCommand(Command, Flag, Data);
}

void TElEditCore::ExecuteCommand(int32_t Command, uint32_t Flag, const std::u16string& Data)
{
    TNotifyScope scope(*this);
    if (Command >= Cmd::SetMark0 && Command < Cmd::SetMark0 + 10) return SetPositionMark(Command - Cmd::SetMark0);
    if (Command >= Cmd::GotoMark0 && Command < Cmd::GotoMark0 + 10) return GotoPositionMark(Command - Cmd::GotoMark0);
    if (Command >= Cmd::Left && Command <= Cmd::TextEnd) {
        if (Command != Cmd::NextWord && Command != Cmd::PrevWord) ClearSelection();
        else if (HasSelection()) ClearSelection();
        Move(Command);
        ScrollCaret();
        CaretMoved(Command == Cmd::PrevWord);
        return;
    }
    if (Command >= Cmd::SelLeft && Command <= Cmd::SelPageDown) {
        Move(Command);
        ExtendSelection();
        ScrollCaret();
        return;
    }
    switch (Command) {
    case Cmd::Undo: Undo(); break;
    case Cmd::Cut: CutToClipboard(); break;
    case Cmd::Copy: CopyToClipboard(); break;
    case Cmd::Paste: PasteFromClipboard(); break;
    case Cmd::DeleteBack: DeleteBack(); break;
    case Cmd::DeleteChar: DeleteForward(); break;
    case Cmd::DeleteWordBack: DeleteWordBack(); break;
    case Cmd::DeleteWord: DeleteWordForward(); break;
    case Cmd::Type:
    case Cmd::TypeIme: InsertTyped(ApplyCharCase(Data, options_.CharCase)); break;
    case Cmd::NewLine:
        if (options_.Multiline && options_.WantReturns) InsertTyped(u"\r\n");
        break;
    case Cmd::InsertTab:
        if (options_.WantTabs) InsertTyped(std::u16string(static_cast<size_t>(painter_.TabSpaces), u' '));
        break;
    case Cmd::StressMark: InsertStressMark(); break;
    case Cmd::SelectAll:
        PlaceCaret(lines_.EndPos());
        anchor_ = {};
        ExtendSelection();
        ScrollCaret();
        break;
    case Cmd::DeleteSelection: DeleteSelectionCommand(); break;
    case Cmd::ClearSelection: ClearSelection(); break;
    default: break;  // 113, 114 and unknown numbers do nothing here
    }
}

bool TElEditCore::KeyDown(uint16_t Key, TShiftState Shift)
{
    // A modifier pressed between the strokes of a chord is not its second stroke.
    if (mouseSelecting_ || VKey::IsModifier(Key)) return false;
    if (!options_.Multiline) {
        switch (Key) {
        case VKey::Prior: Key = VKey::Home; break;
        case VKey::Next: Key = VKey::End; break;
        case VKey::Up: Key = VKey::Left; break;
        case VKey::Down: Key = VKey::Right; break;
        default: break;
        }
    }
    if (options_.RightAlignedText) {
        switch (Key) {
        case VKey::Home: Key = VKey::End; break;
        case VKey::End: Key = VKey::Home; break;
        case VKey::Left: Key = VKey::Right; break;
        case VKey::Right: Key = VKey::Left; break;
        default: break;
        }
    }
    if (chordKey_ != 0) {
        const int32_t command = keys_.FindCommand(chordKey_, chordShift_, Key, Shift);
        chordKey_ = 0;
        chordShift_ = 0;
        if (command != 0 && command != ElChordFirstStroke) ExecuteCommandEx(command);
        return true;
    }
    const int32_t command = keys_.GetCommand(Key, Shift);
    if (command == ElChordFirstStroke) {
        chordKey_ = Key;
        chordShift_ = Shift;
        return true;
    }
    if (command == 0) return false;
    ExecuteCommandEx(command);
    return true;
}

void TElEditCore::KeyPress(char16_t Ch)
{
    if (IsHighSurrogate(Ch)) {
        pendingHigh_ = Ch;
        return;
    }
    std::u16string text;
    if (IsLowSurrogate(Ch)) {
        if (pendingHigh_ == 0) return;  // half a character is no character
        text = {pendingHigh_, Ch};
    } else if (Ch >= 0x20 && Ch != 0x7F) {
        text = std::u16string(1, Ch);
    }
    pendingHigh_ = 0;
    if (text.empty() || mouseSelecting_ || options_.ReadOnly) return;
    if (options_.MaxLength > 0 && TextLength() >= options_.MaxLength && !HasSelection()) return;
    Host().KeyPressEx(text);
    if (!text.empty()) ExecuteCommandEx(Cmd::Type, Ch, text);
}

void TElEditCore::TypeText(const std::u16string& Text)
{
    std::u16string typed;
    for (char16_t c : Text)
        if ((c >= 0x20 && c != 0x7F) || (options_.Multiline && IsBreak(c))) typed.push_back(c);
    if (!typed.empty()) ExecuteCommandEx(Cmd::Type, 0, typed);
}

// ---- Text changes

void TElEditCore::Record(TElActionKind Kind, TElTextPos Start, TElTextPos End, std::u16string Text)
{
    if (undo_.Locked()) return;
    undo_.AddAction(Kind, Start, End, std::move(Text));
    redo_.Clear();
}

TElTextPos TElEditCore::InsertRecorded(TElTextPos At, const std::u16string& Text)
{
    if (lines_.GetCount() > 0) At = lines_.ClampPos(At);
    else At = {};
    const TElTextPos end = lines_.InsertText(At, Text);
    Record(eakInsert, At, end, Text);
    return end;
}

void TElEditCore::DeleteSelectionRecorded()
{
    const TElTextPos from = lines_.CaretToPos(selStart_.X, selStart_.Y);
    const TElTextPos to = lines_.CaretToPos(selEnd_.X, selEnd_.Y);
    std::u16string removed = lines_.DeleteText(from, to);
    if (!removed.empty()) Record(eakDeleteSelection, from, to, std::move(removed));
    PlaceCaret(from);
    anchor_ = selStart_ = selEnd_ = caret_;
}

int64_t TElEditCore::InsertedLength(std::u16string_view Text) const
{
    return options_.Multiline ? LengthWithCrLf(Text) : static_cast<int64_t>(Text.size());
}

std::u16string_view TElEditCore::HeadFitting(std::u16string_view Text, int64_t Room) const
{
    if (Room <= 0) return {};
    if (options_.Multiline) return HeadWithin(Text, Room);
    if (Room >= static_cast<int64_t>(Text.size())) return Text;
    return Text.substr(0, static_cast<size_t>(SnapToChar(Text, static_cast<int32_t>(Room))));
}

std::u16string TElEditCore::FitToMaxLength(std::u16string_view Text, int64_t Replaced) const
{
    if (options_.MaxLength <= 0) return std::u16string(Text);
    return std::u16string(HeadFitting(Text, options_.MaxLength - (TextLength() - Replaced)));
}

void TElEditCore::Edited()
{
    Modified = true;
    invalidateDirty_ = true;
    ScrollCaret();
    Host().Change();
    Host().SelectionChange();
}

bool TElEditCore::InsertTyped(std::u16string Text)
{
    if (options_.ReadOnly) return false;
    Text = FitToMaxLength(Text, SelLength());
    if (Text.empty()) return false;
    {
        TElUndoGroup group(undo_);
        if (HasSelection()) DeleteSelectionRecorded();
        PlaceCaret(InsertRecorded(CaretPos(), Text));
    }
    anchor_ = selStart_ = selEnd_ = caret_;
    Edited();
    return true;
}

void TElEditCore::DeleteSelectionCommand()
{
    if (options_.ReadOnly || !HasSelection()) return;
    DeleteSelectionRecorded();
    Edited();
}

void TElEditCore::DeleteBack()
{
    if (options_.ReadOnly) return;
    if (HasSelection()) return DeleteSelectionCommand();
    if (lines_.GetCount() == 0) return;
    const TElTextPos pos = CaretPos();
    TElTextPos from = pos;
    if (pos.Offset > 0)
        from.Offset -= CharSizeBefore(lines_.Paragraph(pos.Paragraph).Text(), static_cast<size_t>(pos.Offset));
    else if (pos.Paragraph > 0)
        from = {pos.Paragraph - 1, lines_.Paragraph(pos.Paragraph - 1).Length()};
    else
        return;
    Record(eakBackspace, from, pos, lines_.DeleteText(from, pos));
    PlaceCaret(from);
    anchor_ = selStart_ = selEnd_ = caret_;
    Edited();
}

void TElEditCore::DeleteForward()
{
    if (options_.ReadOnly) return;
    if (HasSelection()) return DeleteSelectionCommand();
    if (lines_.GetCount() == 0) return;
    const TElTextPos pos = CaretPos();
    const TElParagraph& para = lines_.Paragraph(pos.Paragraph);
    TElTextPos to = pos;
    if (pos.Offset < para.Length())
        to.Offset += CharSizeAt(para.Text(), static_cast<size_t>(pos.Offset));
    else if (pos.Paragraph < lines_.GetCount() - 1)
        to = {pos.Paragraph + 1, 0};
    else
        return;
    Record(eakDelete, pos, to, lines_.DeleteText(pos, to));
    PlaceCaret(pos);
    anchor_ = selStart_ = selEnd_ = caret_;
    Edited();
}

void TElEditCore::DeleteWordBack()
{
    if (options_.ReadOnly) return;
    bool changed = false;
    {
        TElUndoGroup group(undo_);
        if (HasSelection()) {
            DeleteSelectionRecorded();
            changed = true;
        }
        const TElTextPos pos = CaretPos();
        const TElTextPos from = PrevWordStart(pos);
        if (from != pos) {
            Record(eakBackspace, from, pos, lines_.DeleteText(from, pos));
            PlaceCaret(from);
            changed = true;
        }
    }
    if (!changed) return;
    anchor_ = selStart_ = selEnd_ = caret_;
    Edited();
}

void TElEditCore::DeleteWordForward()
{
    if (options_.ReadOnly) return;
    const TElTextPos pos = CaretPos();
    const TElTextPos to = NextWordStart(pos);
    if (to == pos) return;
    SetSelectionPositions(pos, to);
    DeleteSelectionCommand();
}

void TElEditCore::InsertStressMark()
{
    if (options_.ReadOnly) return;
    if (options_.MaxLength > 0 && TextLength() + 1 > options_.MaxLength) return;
    ClearSelection();
    PlaceCaret(InsertRecorded(CaretPos(), std::u16string(1, StressMark)));
    anchor_ = selStart_ = selEnd_ = caret_;
    Edited();
}

void TElEditCore::SetPositionMark(int32_t Index)
{
    if (Index < 0 || Index >= static_cast<int32_t>(marks_.size())) return;
    const TElTextPos pos = CaretPos();
    TElTextPos& mark = marks_[static_cast<size_t>(Index)];
    mark = mark == pos ? NoMark : pos;
}

void TElEditCore::GotoPositionMark(int32_t Index)
{
    if (Index < 0 || Index >= static_cast<int32_t>(marks_.size())) return;
    const TElTextPos mark = marks_[static_cast<size_t>(Index)];
    if (mark == NoMark) return;
    TNotifyScope scope(*this);
    ClearSelection();
    PlaceCaret(lines_.ClampPos(mark));
    CaretMoved();
    ScrollCaret();
}

// ---- Clipboard

void TElEditCore::CopyToClipboard()
{
    if (!HasSelection() || painter_.PasswordChar) return;
    Host().SetClipboardText(SelectedText());
}

void TElEditCore::CutToClipboard()
{
    if (!HasSelection() || painter_.PasswordChar) return;
    // The text leaves the edit only once the clipboard holds it.
    if (!Host().SetClipboardText(SelectedText())) return;
    DeleteSelectionCommand();
}

void TElEditCore::PasteFromClipboard()
{
    if (options_.ReadOnly) return;
    std::u16string text;
    if (!Host().GetClipboardText(text)) return;
    const int64_t replaced = SelLength();
    text = ApplyCharCase(FitToMaxLength(text, replaced), options_.CharCase);
    Host().PasteClipboardText(text);
    text = FitToMaxLength(text, replaced);
    if (text.empty()) return;
    {
        TElUndoGroup group(undo_);
        if (HasSelection()) DeleteSelectionRecorded();
        PlaceCaret(InsertRecorded(CaretPos(), text));
    }
    anchor_ = selStart_ = selEnd_ = caret_;
    Edited();
}

// ---- Undo

void TElEditCore::Undo()
{
    if (options_.ReadOnly) return;
    TNotifyScope scope(*this);
    bool inGroup = false, changed = false;
    undo_.Lock();
    while (std::unique_ptr<TElAction> a = undo_.Pop()) {
        switch (a->Kind) {
        case eakInsert:
            lines_.DeleteText(a->StartPos, a->EndPos);
            PlaceCaret(a->StartPos);
            anchor_ = selStart_ = selEnd_ = caret_;
            changed = true;
            break;
        case eakDelete:
        case eakBackspace:
        case eakDeleteSelection: {
            const TElTextPos end = lines_.InsertText(a->StartPos, a->Text);
            if (a->Kind == eakDeleteSelection) {
                SetSelectionPositions(a->StartPos, end);
            } else {
                PlaceCaret(end);
                anchor_ = selStart_ = selEnd_ = caret_;
            }
            changed = true;
            break;
        }
        case eakGroup: inGroup = !inGroup; break;
        default: break;
        }
        if (a->Kind != eakGroup) redo_.Push(std::move(a));
        if (!inGroup) break;
    }
    undo_.Unlock();
    Modified = undo_.CanUndo();
    invalidateDirty_ = true;
    ScrollCaret();
    if (changed) Host().Change();
    Host().SelectionChange();
}
