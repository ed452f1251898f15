#include "widgets/el/menus/ElPanel.h"

#include "widgets/el/foundation/ElXPThemedControl.h"

#include <vector>

TElPanel::TElPanel(TComponent* AOwner) : TPanel(AOwner) {}

void TElPanel::NotifyChildren()
{
    if (IsDestroying())
        return;
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i)
        children.push_back(Controls(i));
    for (TControl* c : children)
        c->Perform(EL_REPAINTNOTIFY, 0, reinterpret_cast<intptr_t>(this));
}

void TElPanel::ColorChanged()
{
    TPanel::ColorChanged();
    NotifyChildren();
}

void TElPanel::Resize()
{
    TPanel::Resize();
    NotifyChildren();
}
