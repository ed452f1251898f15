// The list box's line hint: when the mouse rests on a row whose text does not fit the box, the
// whole text shows over the row for a while. One hint window is made on first use and reused;
// it is hidden, never freed, between hints, and goes with the list box.
//
//   mouse onto another row --HintPause--> (row still under the mouse, text wider than the box)
//   hint shown over the row --HintHidePause--> hidden; again only after the mouse changed rows
//   mouse leaving, a click, a key, scrolling --> hidden at once
#pragma once

#include "widgets/el/foundation/ElHintWindow.h"

#include "framework/Components.h"
#include "framework/Timer.h"
#include "framework/Types.h"

class TCustomElListBox;

// The line hint's window: a wide hint window (an "<html>" text shows formatted).
class TElListBoxHintWindow : public TElHintWindow {
public:
    using TElHintWindow::TElHintWindow;
    const char* ClassName() const override { return "TElListBoxHintWindow"; }
};

class TElListBoxLineHint {
public:
    explicit TElListBoxLineHint(TCustomElListBox& Box);
    ~TElListBoxLineHint();
    TElListBoxLineHint(const TElListBoxLineHint&) = delete;
    TElListBoxLineHint& operator=(const TElListBoxLineHint&) = delete;

    // The mouse moved to a client point of the box.
    void MouseMoved(TPoint Pos);
    // Hides the hint and forgets its row.
    void Cancel();
    bool Showing() const;
    TElListBoxHintWindow* Window() const { return window_.get(); }

private:
    void Tick();
    void Arm(int Ms);
    void Show();

    TCustomElListBox& box_;
    TOwned<TTimer> timer_;
    TOwned<TElListBoxHintWindow> window_;
    int item_ = -1;  // the row whose hint is pending or shown
    TPoint mouse_;
};
