// Drag and drop between the program's own controls, in the process (no OLE).
//
// A drag is a loop of its own: BeginDrag captures the mouse on the source's window and returns
// when the drag is over. While the mouse moves, the control under it is asked (DragOver) whether
// it takes the drop, and the cursor shows the answer (the drag object's GetDragCursor). Releasing
// the left button drops on a control that accepted (DragDrop), then the source hears of the end
// (OnEndDrag, with the target or nil). Escape, the right button, losing the capture or the
// source being freed cancel. Keys do not reach the controls during a drag; Ctrl and Shift ask the
// target again, so that its answer and the cursor may follow them (copy or move).
//
// Before the drag has started (BeginDrag not immediate) a release of the button is an ordinary
// click: the loop ends and the release goes back into the queue for the control. A dmAutomatic
// control runs the drag from inside its press (after MouseDown), so a control that wraps a
// system class and must pass the press on first overrides BeginAutoDrag.
#pragma once

#include "framework/Controls.h"

class TDragObject : public TObject {
public:
    const char* ClassName() const override { return "TDragObject"; }
    // The cursor over a target that accepts the drop (Accepted) or refuses it; X and Y are the
    // target's client coordinates. The default: crDrag when accepted, else crNoDrop.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y);

    TPoint DragPos;                  // the mouse, in screen coordinates
    TControl* DragTarget = nullptr;  // the control under the mouse, nil outside the program's
    bool Dropped = false;
    bool Cancelling = false;
};

// The drag object of a control dragged without one of its own: the source's DragCursor when
// accepted, crNoDrop otherwise. Targets see Control as the Source of their events.
class TDragControlObject : public TDragObject {
public:
    explicit TDragControlObject(TControl* AControl) : Control(AControl) {}
    const char* ClassName() const override { return "TDragControlObject"; }
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;

    TControl* Control;
};

// The control under a screen point that a drag may drop on: the innermost enabled control
// (disabled ones too when AllowDisabled); nil outside the program's windows.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);

// The drag object of the drag in progress (nil when none, or before it has started).
TDragObject* CurrentDragObject();
// Cancels the drag in progress, if any.
void CancelDrag();

// The drag cursors crDrag, crMultiDrag and crNoDrop; nil for any other cursor.
HCURSOR DragCursorHandle(TCursor Cursor);
