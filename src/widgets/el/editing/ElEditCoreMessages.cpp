#include "widgets/el/editing/ElEditCore.h"

#include <algorithm>
#include <cstdlib>

// What the window's messages reach beyond keys: character indices and the selection messages,
// the mouse, and text drops.

using namespace ElEditChars;

// ---- Character indices

int64_t TElEditCore::SelStartIndex() const
{
    const TPoint start = HasSelection() ? selStart_ : caret_;
    return lines_.PosToIndex(lines_.CaretToPos(start.X, start.Y));
}

int64_t TElEditCore::SelLength() const
{
    if (!HasSelection()) return 0;
    return lines_.PosToIndex(lines_.CaretToPos(selEnd_.X, selEnd_.Y)) -
           lines_.PosToIndex(lines_.CaretToPos(selStart_.X, selStart_.Y));
}

void TElEditCore::SetSelStartIndex(int64_t Index)
{
    TNotifyScope scope(*this);
    ClearSelection();
    PlaceCaret(lines_.IndexToPos(Index));
    CaretMoved();
    ScrollCaret();
}

void TElEditCore::SetSelLength(int64_t N)
{
    TNotifyScope scope(*this);
    if (N == 0) {
        ClearSelection();
        return;
    }
    const int64_t start = SelStartIndex();
    SetSelectionPositions(lines_.IndexToPos(start), lines_.IndexToPos(start + N));
    ScrollCaret();
}

void TElEditCore::SetSel(int64_t Start, int64_t End)
{
    TNotifyScope scope(*this);
    if (Start == -1) {
        ClearSelection();
        CaretMoved();
        return;
    }
    const int64_t length = TextLength();
    if (End < 0) End = length;
    Start = std::clamp<int64_t>(Start, 0, length);
    End = std::clamp<int64_t>(End, 0, length);
    // The selection runs from the larger index back to the smaller one.
    SetSelectionPositions(lines_.IndexToPos(std::max(Start, End)), lines_.IndexToPos(std::min(Start, End)));
    ScrollCaret();
}

void TElEditCore::GetSel(int64_t& Start, int64_t& End) const
{
    Start = SelStartIndex();
    End = Start + SelLength();
}

void TElEditCore::SetSelText(const std::u16string& Text)
{
    TNotifyScope scope(*this);
    TElTextPos start, end;
    {
        TElUndoGroup group(undo_);
        if (HasSelection()) DeleteSelectionRecorded();
        start = CaretPos();
        end = InsertRecorded(start, Text);
    }
    SetSelectionPositions(start, end);
    Modified = true;
    invalidateDirty_ = true;
    ScrollCaret();
    if (!options_.NotifyUserChangeOnly) Host().Change();
}

void TElEditCore::ReplaceSel(const std::u16string& Text, bool Undoable)
{
    TNotifyScope scope(*this);
    const std::u16string text = FitToMaxLength(Text, SelLength());
    if (text.empty() && !HasSelection()) return;
    {
        TElUndoGroup group(undo_);
        if (HasSelection()) DeleteSelectionRecorded();
        if (!text.empty()) PlaceCaret(InsertRecorded(CaretPos(), text));
    }
    if (!Undoable) {
        undo_.Clear();
        redo_.Clear();
    }
    anchor_ = selStart_ = selEnd_ = caret_;
    Modified = true;
    invalidateDirty_ = true;
    ScrollCaret();
    if (!options_.NotifyUserChangeOnly) Host().Change();
    Host().SelectionChange();
}

int64_t TElEditCore::LineIndex(int32_t Paragraph) const
{
    if (Paragraph == -1) Paragraph = CaretPos().Paragraph;
    if (Paragraph == 0 && lines_.GetCount() == 0) return 0;
    if (Paragraph < 0 || Paragraph >= lines_.GetCount()) return -1;
    return lines_.PosToIndex({Paragraph, 0});
}

int32_t TElEditCore::LineFromChar(int64_t Index) const
{
    if (Index == -1) return CaretPos().Paragraph;
    return lines_.IndexToPos(Index).Paragraph;
}

bool TElEditCore::PosFromChar(int64_t Index, TPoint& P) const
{
    if (Index < 0 || Index > TextLength()) return false;
    TPoint caret;
    lines_.PosToCaret(lines_.IndexToPos(Index), caret.X, caret.Y);
    P = view_.CaretToPoint(caret);
    return true;
}

// ---- Mouse

void TElEditCore::MouseDown(TPoint P, TShiftState Shift, bool DoubleClick)
{
    TNotifyScope scope(*this);
    pressPoint_ = P;
    dragArmed_ = false;
    const TPoint at = view_.PointToCaret(P);
    const TElTextPos pos = lines_.CaretToPos(at.X, at.Y);
    if (DoubleClick) {
        mouseSelecting_ = false;
        if (lines_.GetCount() == 0) return;
        const bool atEnd = pos.Offset >= lines_.Paragraph(pos.Paragraph).Length();
        SetSelectionPositions(WordStartAt(pos), atEnd ? pos : NextWordStart(pos));
        ScrollCaret();
        return;
    }
    if (CanDrag()) {
        const TElTextPos from = lines_.CaretToPos(selStart_.X, selStart_.Y);
        const TElTextPos to = lines_.CaretToPos(selEnd_.X, selEnd_.Y);
        if (from <= pos && pos < to) {
            dragArmed_ = true;
            return;
        }
    }
    if (Shift & ssShift) {
        caret_ = at;
        ExtendSelection();
    } else {
        ClearSelection();
        caret_ = at;
        CaretMoved();
    }
    mouseSelecting_ = true;
    ScrollCaret();
}

bool TElEditCore::MouseMove(TPoint P, int32_t DragX, int32_t DragY)
{
    if (dragArmed_) {
        if (std::abs(P.X - pressPoint_.X) < DragX && std::abs(P.Y - pressPoint_.Y) < DragY) return false;
        dragArmed_ = false;
        return true;
    }
    if (!mouseSelecting_) return false;
    TNotifyScope scope(*this);
    caret_ = view_.PointToCaret(P);
    ExtendSelection();
    ScrollCaret();
    return false;
}

void TElEditCore::MouseUp(TPoint P)
{
    (void)P;
    mouseSelecting_ = false;
    if (!dragArmed_) return;
    // A press inside the selection that never became a drag is a plain click.
    dragArmed_ = false;
    TNotifyScope scope(*this);
    ClearSelection();
    caret_ = view_.PointToCaret(pressPoint_);
    CaretMoved();
    ScrollCaret();
}

bool TElEditCore::DropText(int64_t Index, const std::u16string& Text, bool MoveFromSelf)
{
    if (options_.ReadOnly || Text.empty()) return false;
    TNotifyScope scope(*this);
    const int64_t selFrom = SelStartIndex(), selTo = selFrom + SelLength();
    if (MoveFromSelf && (!HasSelection() || (Index >= selFrom && Index <= selTo))) return false;
    std::u16string text = ApplyCharCase(Text, options_.CharCase);
    if (!MoveFromSelf) text = FitToMaxLength(text, 0);
    if (text.empty()) return false;
    Index = std::clamp<int64_t>(Index, 0, TextLength());
    TElTextPos start, end;
    {
        TElUndoGroup group(undo_);
        if (MoveFromSelf) {
            DeleteSelectionRecorded();
            if (Index > selTo) Index -= selTo - selFrom;
        }
        start = lines_.IndexToPos(Index);
        end = InsertRecorded(start, text);
    }
    SetSelectionPositions(start, end);
    Modified = true;
    invalidateDirty_ = true;
    ScrollCaret();
    Host().Change();
    Host().SelectionChange();
    return true;
}
