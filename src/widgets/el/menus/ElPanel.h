// TElPanel: the panel the program's windows use for colour fields, the navigator and the
// status area. It is the framework's panel, and it tells its children when its look changed
// (the widget layer's repaint notification), so that children painting a transparent
// background repaint with the new look.
#pragma once

#include "framework/ExtCtrls.h"

class TElPanel : public TPanel {
public:
    explicit TElPanel(TComponent* AOwner);
    const char* ClassName() const override { return "TElPanel"; }

    // Sends the repaint notification to every child control.
    void NotifyChildren();

protected:
    void ColorChanged() override;
    void Resize() override;
};
