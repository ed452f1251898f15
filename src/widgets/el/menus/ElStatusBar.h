// TElStatusBar: a themed status bar of panels side by side (ElStatusBarPanels.h). Each panel
// shows its text (left, right or centred, in the bar's font) in a sunken pane, or is painted by
// OnDrawPanel on the bar's canvas. The last panel reaches the bar's right edge.
#pragma once

#include "widgets/el/menus/ElStatusBarPanels.h"

#include "widgets/el/foundation/ElXPThemedControl.h"

#include <functional>

class TElStatusBar;
// Paints an owner-drawn panel on StatusBar->Canvas(); Rect is the panel in client coordinates.
using TElStatusBarDrawPanelEvent =
    std::function<void(TElStatusBar* StatusBar, TElStatusPanel* Panel, const TRect& Rect)>;

class TElStatusBar : public TElXPThemedControl, private TElStatusPanels::THost {
public:
    explicit TElStatusBar(TComponent* AOwner);
    const char* ClassName() const override { return "TElStatusBar"; }

    TElStatusPanels& Panels() { return panels_; }
    // The panel at Index; raises EListError for an index out of range.
    TElStatusPanel* Panels(int Index) const { return panels_.Items(Index); }
    // Where panel Index stands, in client coordinates.
    TRect PanelRect(int Index) const;

    TElStatusBarDrawPanelEvent OnDrawPanel;

protected:
    std::u16string GetThemedClassName() const override { return u"STATUS"; }
    void Paint() override;
    void Resize() override;
    void FontChanged() override;

private:
    int32_t TextWidth(const std::u16string& Text) override;
    void PanelChanged(int Index, bool Moved) override;
    void PaintPanel(TElStatusPanel& Panel, const TRect& Rect);

    TElStatusPanels panels_{*this};
};
