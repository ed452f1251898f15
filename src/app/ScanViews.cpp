#include "app/ScanViews.h"

#include "app/ViewNavigation.h"

TViewState& TScanViews::ActiveState()
{
    return states_[ViewStateSlotOfView(activeView_)];
}

void TScanViews::SetLayout(const TViewLayout& Layout)
{
    mainPaneWidth_ = Layout.MainPaneWidth;
    paneHeight_ = Layout.PaneHeight;
    paneEdges_ = Layout.PaneEdges;
    hitEdges_ = Layout.HitEdges;
    viewports_ = Layout.Viewports;
    exportViewport_ = Layout.ExportViewport;
}

uint8_t TScanViews::ViewAt(int32_t X, int32_t Y, uint8_t Current) const
{
    return ::ViewportAtPoint(X, Y, Current, hitEdges_);
}

bool TScanViews::TakeRepaintRequest()
{
    const bool pending = repaintPending_ != 0;
    repaintPending_ = 0;
    return pending;
}
