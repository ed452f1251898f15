#include "widgets/el/editing/ElEditActions.h"

void TElAction::Assign(const TPersistent* Source)
{
    if (const auto* a = dynamic_cast<const TElAction*>(Source)) {
        Kind = a->Kind;
        StartPos = a->StartPos;
        EndPos = a->EndPos;
        Text = a->Text;
        return;
    }
    TPersistent::Assign(Source);
}

void TElActionList::SetMaxUndo(int32_t N)
{
    if (N < 0 || N == maxUndo_) return;
    maxUndo_ = N;
    DropOldestSteps();
}

int32_t TElActionList::Steps() const
{
    int32_t steps = 0;
    for (size_t i = 0; i < stack_.size(); ++steps) {
        if (stack_[i]->Kind != eakGroup) {
            ++i;
            continue;
        }
        // To the closing bracket; an opening bracket alone at the top is no step yet, so that a
        // group that records nothing (and takes its bracket back) never cost an older step.
        size_t close = i + 1;
        while (close < stack_.size() && stack_[close]->Kind != eakGroup) ++close;
        if (close == i + 1 && close == stack_.size()) break;
        i = close + 1;
    }
    return steps;
}

void TElActionList::DropOldestSteps()
{
    if (maxUndo_ <= 0) return;
    for (int32_t excess = Steps() - maxUndo_; excess > 0; --excess) {
        // Only the newest step can be open, and it is never dropped: at least two steps are held.
        const bool group = stack_.front()->Kind == eakGroup;
        stack_.pop_front();
        if (!group) continue;
        while (!stack_.empty() && stack_.front()->Kind != eakGroup) stack_.pop_front();
        if (!stack_.empty()) stack_.pop_front();
    }
}

void TElActionList::AddAction(TElActionKind Kind, TElTextPos StartPos, TElTextPos EndPos, std::u16string Text)
{
    if (Locked()) return;
    Push(std::make_unique<TElAction>(Kind, StartPos, EndPos, std::move(Text)));
}

void TElActionList::Push(std::unique_ptr<TElAction> Action)
{
    stack_.push_back(std::move(Action));
    ++pushes_;
    DropOldestSteps();
}

std::unique_ptr<TElAction> TElActionList::Pop()
{
    if (stack_.empty()) return nullptr;
    std::unique_ptr<TElAction> top = std::move(stack_.back());
    stack_.pop_back();
    return top;
}

TElUndoGroup::TElUndoGroup(TElActionList& List) : list_(List)
{
    if (list_.Locked()) return;
    list_.AddAction(eakGroup, {}, {}, {});
    opened_ = true;
    pushesAtOpening_ = list_.Pushes();
}

TElUndoGroup::~TElUndoGroup()
{
    if (!opened_) return;
    if (list_.Pushes() == pushesAtOpening_) {
        // Nothing was recorded inside: take the lone opening bracket back.
        list_.Pop();
        return;
    }
    list_.Push(std::make_unique<TElAction>(eakGroup, TElTextPos{}, TElTextPos{}, std::u16string{}));
}
