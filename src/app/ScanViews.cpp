#include "app/ScanViews.h"

#include "app/ViewNavigation.h"

TViewState& TScanViews::ActiveState()
{
    return states_[ViewStateSlotOfView(activeView_)];
}

uint8_t TScanViews::ViewAt(int32_t X, int32_t Y, uint8_t Current) const
{
    return ::ViewportAtPoint(X, Y, Current, layout_.HitEdges);
}

bool TScanViews::TakeRepaintRequest()
{
    const bool pending = repaintPending_ != 0;
    repaintPending_ = 0;
    return pending;
}
