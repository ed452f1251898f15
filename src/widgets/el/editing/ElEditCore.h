// The editor behind the Unicode edit and memo, without a window: the text model, caret and
// selection, the numbered editor commands that keys map to, typing, undo, clipboard through the
// host, character indices, mouse selection and text drops, and the view geometry (rows, hit
// testing, scrolling, line layout). The window control is a thin adapter around it:
//
//   input   KeyDown (key-down and system key-down; consumed when true), KeyPress (each UTF-16
//           unit of a character message), TypeText (input-method results, WM_UNICHAR text),
//           MouseDown / MouseMove / MouseUp with client points, DropText / DragText,
//           ExecuteCommandEx for menu commands and the clipboard and undo messages;
//   layout  SetEditRect on every resize, SetFont on font changes, and the properties;
//   output  IElEditHost: repaint, scroll bars, caret, change events, clipboard; Layout() for
//           painting, CaretPoint() for the system caret, VertScrollBar()/HorzScrollBar().
//
// Nothing here throws on a user path; positions from outside are clamped.
#pragma once

#include "widgets/el/editing/ElEditActions.h"
#include "widgets/el/editing/ElEditChars.h"
#include "widgets/el/editing/ElEditStrings.h"
#include "widgets/el/editing/ElEditView.h"
#include "widgets/el/editing/ElKeyCommands.h"
#include "widgets/el/editing/ElTextPainter.h"

#include "framework/DrawSurface.h"
#include "framework/KeyCodes.h"
#include "framework/Types.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// What the editor asks of the window that shows it. Every call has a do-nothing default.
class IElEditHost {
public:
    virtual ~IElEditHost() = default;
    // The edit rectangle needs painting.
    virtual void Invalidate() {}
    // Line count, top line, horizontal offset or longest line changed: the bars follow.
    virtual void ScrollBarsChanged() {}
    // The caret moved or the view scrolled: the system caret follows.
    virtual void CaretMoved() {}
    virtual void Change() {}
    virtual void SelectionChange() {}
    // False when the clipboard could not be written or holds no text.
    virtual bool SetClipboardText(const std::u16string& Text) { return false; }
    virtual bool GetClipboardText(std::u16string& Text) { return false; }
    // The text about to be pasted, which the host may change (OnPasteClipboardText).
    virtual void PasteClipboardText(std::u16string& Text) {}
    // A whole typed character (a surrogate pair together) about to be typed; the host may
    // change it or empty it to type nothing.
    virtual void KeyPressEx(std::u16string& Text) {}
    virtual void BeforeCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data) {}
    virtual void AfterCommand(int32_t& Command, uint32_t& Flag, std::u16string& Data) {}
};

class TElEditCore : private IElEditStringsOwner {
public:
    explicit TElEditCore(IElEditHost* Host = nullptr, ITextMeasurer* Measurer = nullptr);
    ~TElEditCore() override;
    TElEditCore(const TElEditCore&) = delete;
    TElEditCore& operator=(const TElEditCore&) = delete;

    TElEditStrings& Lines() { return lines_; }
    const TElEditStrings& Lines() const { return lines_; }
    TElActionList& UndoList() { return undo_; }
    TElActionList& RedoList() { return redo_; }
    TElKeyCommandList& KeyCommands() { return keys_; }
    TElTextPainter& Painter() { return painter_; }
    TElEditView& View() { return view_; }
    const TElEditOptions& Options() const { return options_; }

    // ---- Text
    std::u16string Text() const { return lines_.GetTextStr(); }
    // A different text (in CharCase) replaces the old one; undo history is cleared and the caret
    // goes home. Change fires unless NotifyUserChangeOnly.
    void SetText(const std::u16string& Value);
    // Units of Text.
    int64_t TextLength() const { return lines_.TextLength(); }

    // ---- Properties
    bool Multiline() const override { return options_.Multiline; }
    void SetMultiline(bool Value);
    bool WordWrap() const override { return options_.WordWrap; }
    void SetWordWrap(bool Value);
    TAlignment Alignment() const { return options_.Alignment; }
    void SetAlignment(TAlignment Value);
    bool RightAlignedText() const { return options_.RightAlignedText; }
    void SetRightAlignedText(bool Value) { options_.RightAlignedText = Value; }
    bool ReadOnly() const { return options_.ReadOnly; }
    void SetReadOnly(bool Value) { options_.ReadOnly = Value; }
    int32_t MaxLength() const { return options_.MaxLength; }
    // Negative values are ignored; a positive limit below the text's length cuts the text.
    void SetMaxLength(int32_t Value);
    std::u16string PasswordChar() const;
    void SetPasswordChar(const std::u16string& Value);
    TElEditCharCase CharCase() const { return options_.CharCase; }
    // Converts the text at once.
    void SetCharCase(TElEditCharCase Value);
    int32_t TabSpaces() const { return painter_.TabSpaces; }
    // Values below 1 are ignored.
    void SetTabSpaces(int32_t Value);
    int32_t LeftMargin() const { return options_.LeftMargin; }
    void SetLeftMargin(int32_t Value);
    int32_t RightMargin() const { return options_.RightMargin; }
    void SetRightMargin(int32_t Value);
    int32_t TopMargin() const { return options_.TopMargin; }
    // Held at 0 while AlignBottom is set.
    void SetTopMargin(int32_t Value);
    bool AlignBottom() const { return options_.AlignBottom; }
    void SetAlignBottom(bool Value);
    bool WantReturns() const { return options_.WantReturns; }
    void SetWantReturns(bool Value) { options_.WantReturns = Value; }
    bool WantTabs() const { return options_.WantTabs; }
    void SetWantTabs(bool Value) { options_.WantTabs = Value; }
    bool HideSelection() const { return options_.HideSelection; }
    void SetHideSelection(bool Value);
    bool NotifyUserChangeOnly() const { return options_.NotifyUserChangeOnly; }
    void SetNotifyUserChangeOnly(bool Value) { options_.NotifyUserChangeOnly = Value; }
    int32_t MaxUndoLevel() const { return undo_.MaxUndo(); }
    void SetMaxUndoLevel(int32_t Value) { undo_.SetMaxUndo(Value); }
    TShortCut StressShortCut() const { return stressShortCut_; }
    // Rebinds command 141 ("Set stress sign"); 0 leaves it unbound.
    void SetStressShortCut(TShortCut Value);
    const TFontSpec& Font() const { return painter_.Font; }
    // LineHeight = |Height| + 2; the lines are wrapped anew.
    void SetFont(const TFontSpec& Value);
    void SetMeasurer(ITextMeasurer* Measurer);

    // Set by every edit, and to CanUndo after an undo.
    bool Modified = false;

    // ---- Geometry
    TRect EditRect() const { return view_.EditRect(); }
    // On every resize and EM_SETRECT: the caret keeps its place in the text across the new wrap.
    void SetEditRect(const TRect& R);
    int32_t LineHeight() const { return view_.LineHeight(); }
    int32_t VisibleLines() const { return view_.VisibleLines(); }
    int32_t TopLine() const { return view_.TopLine(); }
    void SetTopLine(int32_t Value);
    int32_t LeftChar() const { return view_.LeftChar(); }
    void SetLeftChar(int32_t Value);
    void ScrollVert(int32_t Code, int32_t ThumbPos = 0);
    void ScrollHorz(int32_t Code, int32_t ThumbPos = 0);
    // Multiline only; LinesPerNotch may be ElWheelPageScroll.
    void MouseWheel(int32_t Delta, int32_t LinesPerNotch);
    TElScrollBarInfo VertScrollBar() const { return view_.VertScrollBar(); }
    TElScrollBarInfo HorzScrollBar() const { return view_.HorzScrollBar(); }
    // The visible lines as they are drawn; the selection shows unless HideSelection is set and
    // the control has no focus.
    std::vector<TElLineLayout> Layout(bool Focused) const;
    // The caret's client point (top of its row).
    TPoint CaretPoint() const { return view_.CaretToPoint(caret_); }
    TPoint PointToCaret(TPoint P) const { return view_.PointToCaret(P); }

    // ---- Caret and selection (caret coordinates: X column, Y visual line)
    TPoint Caret() const { return caret_; }
    // Puts the caret at a caret position (clamped) without selecting.
    void SetCaret(TPoint Value);
    TPoint Anchor() const { return anchor_; }
    TPoint SelStart() const { return selStart_; }
    TPoint SelEnd() const { return selEnd_; }
    // The selection covers at least one character.
    bool HasSelection() const;
    std::u16string SelectedText() const;
    TElTextPos CaretPos() const { return lines_.CaretToPos(caret_.X, caret_.Y); }

    // ---- Commands and keys
    void ExecuteCommandEx(int32_t Command, uint32_t Flag = 0, std::u16string Data = {});
    void ExecuteCommand(int32_t Command, uint32_t Flag, const std::u16string& Data);
    // A key-down; true when the key map used it (a command or the first stroke of a chord).
    bool KeyDown(uint16_t Key, TShiftState Shift);
    // One UTF-16 unit of a character message; a high surrogate waits for its low half.
    void KeyPress(char16_t Ch);
    // Text from the input method or WM_UNICHAR: typed as one insertion.
    void TypeText(const std::u16string& Text);
    bool ChordPending() const { return chordKey_ != 0; }

    void SetPositionMark(int32_t Index);
    void GotoPositionMark(int32_t Index);
    TElTextPos PositionMark(int32_t Index) const { return marks_.at(static_cast<size_t>(Index)); }
    void InsertStressMark();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return undo_.CanUndo(); }
    void Undo();

    // ---- Character indices (a break counts as CR LF)
    int64_t SelStartIndex() const;
    int64_t SelLength() const;
    void SetSelStartIndex(int64_t Index);
    // 0 clears the selection; otherwise it runs from SelStart to SelStart + N.
    void SetSelLength(int64_t N);
    // Replaces the selection and selects the new text; recorded for undo.
    void SetSelText(const std::u16string& Text);
    // EM_SETSEL: Start -1 clears the selection, End -1 is the text's end; the caret ends at the
    // smaller index.
    void SetSel(int64_t Start, int64_t End);
    void GetSel(int64_t& Start, int64_t& End) const;
    // EM_REPLACESEL: recorded when Undoable, else the undo history is cleared.
    void ReplaceSel(const std::u16string& Text, bool Undoable);
    // EM_LINEINDEX (-1: the caret's paragraph; -1 beyond the last) and EM_LINEFROMCHAR.
    int64_t LineIndex(int32_t Paragraph) const;
    int32_t LineFromChar(int64_t Index) const;
    // EM_POSFROMCHAR: false for an index beyond the text.
    bool PosFromChar(int64_t Index, TPoint& P) const;

    // ---- Mouse
    // A left-button press at client point P; a press inside the selection arms a text drag.
    void MouseDown(TPoint P, TShiftState Shift, bool DoubleClick);
    // True when an armed drag should start now (moved DragX or DragY pixels on either axis).
    bool MouseMove(TPoint P, int32_t DragX = 4, int32_t DragY = 4);
    void MouseUp(TPoint P);
    bool MouseSelecting() const { return mouseSelecting_; }
    // Text can be dragged out: a selection and no password character.
    bool CanDrag() const { return HasSelection() && painter_.PasswordChar == 0; }
    std::u16string DragText() const { return SelectedText(); }
    // Drops Text at character index Index, in one undo step; MoveFromSelf removes the selection
    // (the dragged text) first. A drop inside the own selection changes nothing. False when
    // nothing changed.
    bool DropText(int64_t Index, const std::u16string& Text, bool MoveFromSelf);

private:
    // Host notifications that depend on the final state (scroll bars, caret, repaint) are
    // collected while an operation runs and sent once when the outermost operation ends.
    class TNotifyScope {
    public:
        explicit TNotifyScope(TElEditCore& Core) : core_(Core) { ++core_.notifyDepth_; }
        ~TNotifyScope()
        {
            if (--core_.notifyDepth_ == 0) core_.Flush();
        }
        TNotifyScope(const TNotifyScope&) = delete;
        TNotifyScope& operator=(const TNotifyScope&) = delete;

    private:
        TElEditCore& core_;
    };
    // IElEditStringsOwner
    int32_t WrapWidth() const override { return view_.WrapWidth(); }
    bool ForceReload() const override { return forceReload_; }
    bool MeasureEnds(std::u16string_view Text, std::vector<int32_t>& Ends) override;
    void LinesChanged() override { scrollDirty_ = true; }
    void TextChanged() override;
    void TextReset() override;

    std::u16string_view CaretLine() const { return lines_.GetLine(caret_.Y); }
    void PlaceCaret(TElTextPos Pos);
    // Caret moves, keeping it on a line and a character boundary.
    void SetCaretY(int32_t Y);
    void MoveLeft();
    void MoveRight();
    void MoveToWord(bool Next);
    TElTextPos NextWordStart(TElTextPos Pos) const;
    TElTextPos PrevWordStart(TElTextPos Pos) const;
    TElTextPos WordStartAt(TElTextPos Pos) const;
    bool Move(int32_t Command);
    void ExtendSelection();
    void ClearSelection();
    // After a move that does not select: the anchor follows the caret.
    void CaretMoved(bool Always = false);
    void SetSelectionPositions(TElTextPos AnchorPos, TElTextPos CaretPos);
    void ScrollCaret();
    // Re-wraps every paragraph keeping caret, anchor and selection at their text positions.
    void Relayout();
    void ReloadText(const std::u16string& Value, bool UserChange);

    // Text changes (recorded unless the undo list is locked).
    void DeleteSelectionRecorded();
    TElTextPos InsertRecorded(TElTextPos At, const std::u16string& Text);
    void Record(TElActionKind Kind, TElTextPos Start, TElTextPos End, std::u16string Text);
    // Units Text adds to the text once inserted.
    int64_t InsertedLength(std::u16string_view Text) const;
    // Text cut to the room MaxLength leaves once Replaced units of the text are replaced.
    std::u16string FitToMaxLength(std::u16string_view Text, int64_t Replaced) const;
    // The head of Text that adds at most Room units.
    std::u16string_view HeadFitting(std::u16string_view Text, int64_t Room) const;
    // Typing, tab and new line: replaces the selection with Text in one undo step.
    bool InsertTyped(std::u16string Text);
    void DeleteBack();
    void DeleteForward();
    void DeleteWordBack();
    void DeleteWordForward();
    void DeleteSelectionCommand();
    // After a text change by the user: modified, Change and SelectionChange, repaint, caret in view.
    void Edited();
    void Flush();
    void ClampState();
    IElEditHost& Host() const;

    IElEditHost* host_;
    TElEditOptions options_;
    TElTextPainter painter_;
    TElEditStrings lines_;
    TElEditView view_;
    TElActionList undo_;
    TElActionList redo_;
    TElKeyCommandList keys_;
    TShortCut stressShortCut_ = 0;

    TPoint caret_, anchor_, selStart_, selEnd_;
    std::array<TElTextPos, 10> marks_;
    uint16_t chordKey_ = 0;
    TShiftState chordShift_ = 0;
    char16_t pendingHigh_ = 0;
    bool forceReload_ = false;

    bool mouseSelecting_ = false;
    bool dragArmed_ = false;
    TPoint pressPoint_;

    int32_t notifyDepth_ = 0;
    bool scrollDirty_ = false;
    bool caretDirty_ = false;
    bool invalidateDirty_ = false;
};
