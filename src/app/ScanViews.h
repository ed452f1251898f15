// The scan's views as the main window keeps them: the four cameras (the view-state block that
// scan files carry), where the last layout put the panes, which view the mouse and the keys act
// on, and whether the views are to be drawn again. The window hands it the layout it worked
// out and the points the mouse is pressed at; the paint timer takes the repaint request.
#pragma once

#include "app/ViewLayout.h"

#include "framework/ValueKept.h"
#include "scan/files/ScanFile.h"

#include <cstdint>

class TScanViews {
public:
    // The cameras, slot 0 the main view, 1 top, 2 front, 3 perspective (ViewStateSlotOfView).
    // The file manager reads and writes them as one block: they stay at one address.
    TViewStates& States() { return states_; }
    const TViewStates& States() const { return states_; }
    // The view (0 main, 1 top, 2 perspective, 3 front) the camera commands act on. It stays
    // when the split screen goes, until a press in the main view.
    uint8_t ActiveView() const { return activeView_; }
    // The camera of the active view.
    TViewState& ActiveState();

    // The panes as the last layout placed them; all empty before the first.
    void SetLayout(const TViewLayout& Layout) { layout_ = Layout; }
    const TViewports& Viewports() const { return layout_.Viewports; }
    const TViewportRect& ExportViewport() const { return layout_.ExportViewport; }
    const TPaneEdges& PaneEdges() const { return layout_.PaneEdges; }
    int32_t MainPaneWidth() const { return layout_.MainPaneWidth; }
    int32_t PaneHeight() const { return layout_.PaneHeight; }
    // The view whose pane holds the client point, Current for a point on an edge, between the
    // panes or outside them.
    uint8_t ViewAt(int32_t X, int32_t Y, uint8_t Current) const;
    // A press at the client point: the view there becomes the active one.
    void ActivateViewAt(int32_t X, int32_t Y) { activeView_ = ViewAt(X, Y, activeView_); }

    // Asks for the views to be drawn once more (nothing else draws them).
    void RequestRepaint() { repaintPending_ = 1; }
    bool RepaintPending() const { return repaintPending_ != 0; }
    // The paint timer's side: true when a repaint was asked for, and the request is taken.
    bool TakeRepaintRequest();
    // While the result lives, requests are dropped (the frame drawn after it gives what they
    // ask for); a request made before stays.
    [[nodiscard]] TValueKept<uint8_t> DropRepaintRequests() { return TValueKept<uint8_t>(repaintPending_, 0); }

private:
    TViewStates states_{};
    uint8_t activeView_ = 0;
    uint8_t repaintPending_ = 0;
    TViewLayout layout_{};
};
