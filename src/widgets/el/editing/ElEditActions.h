// Undo records of the edit: each text change made by a command is one small action on a bounded
// stack, and group brackets make several actions one undo step. Positions are paragraph
// positions, so that an action still points at its text after the lines were wrapped anew
// (resize, font, word wrap, alignment).
#pragma once

#include "widgets/el/editing/ElEditStrings.h"

#include "framework/Components.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

enum TElActionKind : uint8_t {
    eakInsert = 0,           // StartPos..EndPos was inserted: undo deletes it
    eakDelete = 1,           // Text was removed by the Delete key: undo inserts it at StartPos
    eakSplit = 2,            // undo does nothing
    eakGroup = 3,            // bracket: undo goes on to the matching bracket
    eakBackspace = 5,        // as eakDelete
    eakDeleteSelection = 6,  // as eakDelete, and the text is selected again
};

class TElAction : public TPersistent {
public:
    TElAction() = default;
    TElAction(TElActionKind Kind, TElTextPos StartPos, TElTextPos EndPos, std::u16string Text)
        : Kind(Kind), StartPos(StartPos), EndPos(EndPos), Text(std::move(Text)) {}
    const char* ClassName() const override { return "TElAction"; }
    void Assign(const TPersistent* Source) override;

    TElActionKind Kind = eakInsert;
    TElTextPos StartPos;
    TElTextPos EndPos;
    std::u16string Text;
};

// The list counts undo steps, the edits a user can undo one by one: a group from its opening to
// its closing bracket is one step, and so is an action outside any group. Groups do not nest.
class TElActionList {
public:
    // The most steps kept, 0 = unlimited; a step beyond it drops the oldest whole step.
    int32_t MaxUndo() const { return maxUndo_; }
    // Lowering the limit below the steps held drops the oldest ones; 0 (unlimited) and negative
    // values drop none.
    void SetMaxUndo(int32_t N);

    // Recorded only while the list is not locked.
    void AddAction(TElActionKind Kind, TElTextPos StartPos, TElTextPos EndPos, std::u16string Text);
    void Push(std::unique_ptr<TElAction> Action);
    std::unique_ptr<TElAction> Pop();
    const TElAction* Peek() const { return stack_.empty() ? nullptr : stack_.back().get(); }
    bool CanUndo() const { return !stack_.empty(); }
    // Actions held, brackets included.
    int32_t Count() const { return static_cast<int32_t>(stack_.size()); }
    // Steps held; a group still open counts once it holds an action.
    int32_t Steps() const;
    void Clear() { stack_.clear(); }

    void Lock() { ++lockCount_; }
    void Unlock() { if (lockCount_ > 0) --lockCount_; }
    bool Locked() const { return lockCount_ > 0; }
    // Actions pushed since the list was made.
    uint64_t Pushes() const { return pushes_; }

private:
    void DropOldestSteps();

    std::deque<std::unique_ptr<TElAction>> stack_;  // back = top
    int32_t maxUndo_ = 0;
    int32_t lockCount_ = 0;
    uint64_t pushes_ = 0;
};

// Brackets a group of actions for the whole of a scope: the closing bracket is added however the
// scope ends, and a group that recorded nothing leaves no brackets behind.
class TElUndoGroup {
public:
    explicit TElUndoGroup(TElActionList& List);
    ~TElUndoGroup();
    TElUndoGroup(const TElUndoGroup&) = delete;
    TElUndoGroup& operator=(const TElUndoGroup&) = delete;

private:
    TElActionList& list_;
    bool opened_ = false;
    uint64_t pushesAtOpening_ = 0;
};
