// TElComponent: the common base of the widget layer's non-visual components.
#pragma once

#include "framework/Components.h"

#include <string>

class TElComponent : public TComponent {
public:
    explicit TElComponent(TComponent* AOwner) : TComponent(AOwner) {}
    const char* ClassName() const override { return "TElComponent"; }

    // Shown in property lists only; it has no effect.
    std::string About;

    // Fired by DoChange; components call it when a property that affects their users changes.
    TNotifyEvent OnChange;
    virtual void DoChange()
    {
        if (OnChange)
            OnChange(this);
    }
    virtual void TriggerChange() { DoChange(); }
};
