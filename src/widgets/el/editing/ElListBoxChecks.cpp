#include "widgets/el/editing/ElListBoxChecks.h"

#include <algorithm>

TCheckBoxState NextCheckState(TCheckBoxState State, bool AllowGrayed)
{
    switch (State) {
    case cbUnchecked: return AllowGrayed ? cbGrayed : cbChecked;
    case cbChecked: return cbUnchecked;
    default: return cbChecked;
    }
}

TElListBoxChecks::TResult TElListBoxChecks::Click(TElListBoxStrings& Items, int32_t Index, bool Shift,
                                                  bool AllowGrayed)
{
    TResult result;
    if (Index < 0 || Index >= Items.Count())
        return result;
    if (Anchor >= Items.Count())
        Anchor = -1;  // its item went
    const bool single = !Shift || Anchor < 0 || Anchor == Index || (Items.State(Index) == cbGrayed && !AllowGrayed);
    if (single) {
        Anchor = Index;
        result.Kind = TResult::ckSingle;
        result.From = result.To = Index;
        result.NewState = NextCheckState(Items.State(Index), AllowGrayed);
        Items.SetState(Index, result.NewState);
        return result;
    }
    result.Kind = TResult::ckRange;
    result.From = std::min(Anchor, Index);
    result.To = std::max(Anchor, Index);
    // The anchor itself keeps its state: it was set by the click that made it the anchor.
    const int32_t step = Index > Anchor ? 1 : -1;
    // One update: the window is drawn once, after the last state changed.
    Items.BeginUpdate();
    struct TUpdate {
        TElWideStrings& S;
        ~TUpdate() { S.EndUpdate(); }
    } update{Items};
    for (int32_t i = Anchor + step; i != Index + step; i += step)
        Items.SetState(i, Items.State(i) == cbChecked ? cbUnchecked : cbChecked);
    Anchor = -1;
    return result;
}
