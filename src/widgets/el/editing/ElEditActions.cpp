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
    while (maxUndo_ > 0 && Count() > maxUndo_) stack_.pop_front();
}

void TElActionList::AddAction(TElActionKind Kind, TElTextPos StartPos, TElTextPos EndPos, std::u16string Text)
{
    if (Locked()) return;
    Push(std::make_unique<TElAction>(Kind, StartPos, EndPos, std::move(Text)));
}

void TElActionList::Push(std::unique_ptr<TElAction> Action)
{
    if (maxUndo_ >= 1 && Count() >= maxUndo_) stack_.pop_front();
    stack_.push_back(std::move(Action));
    ++pushes_;
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
