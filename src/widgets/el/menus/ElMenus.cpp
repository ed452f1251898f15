#include "widgets/el/menus/ElMenus.h"

TElMenuItem::TElMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}

void TElMenuItem::SetImageIndex(int32_t Value)
{
    if (Value == imageIndex_)
        return;
    imageIndex_ = Value;
    Changed(false);
}

namespace {

// The popup menu of portable builds: the items and the display choices, nothing shown.
class TElPopupMenuHolder : public TComponent, public IElPopupMenu {
public:
    explicit TElPopupMenuHolder(TComponent* AOwner) : TComponent(AOwner), items_(new TElMenuItem(this)) {}
    const char* ClassName() const override { return "TElPopupMenuHolder"; }

    TComponent* Component() override { return this; }
    TMenuItem* Items() const override { return items_; }
    TMenuAutoFlag AutoHotkeys() const override { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuAutoFlag Value) override { autoHotkeys_ = Value; }
    TDrawStyle DrawStyle() const override { return drawStyle_; }
    void SetDrawStyle(TDrawStyle Value) override { drawStyle_ = Value; }

private:
    TElMenuItem* items_;  // owned as a component
    TMenuAutoFlag autoHotkeys_ = maAutomatic;
    TDrawStyle drawStyle_ = tdsNormal;
};

IElPopupMenu* NewHolder(TComponent* Owner)
{
    return new TElPopupMenuHolder(Owner);
}

// Constant-initialised, so a maker installed during static initialisation is never lost to the
// order in which units initialise.
TElPopupMenuMaker CurrentMaker = nullptr;

}  // namespace

IElPopupMenu* NewElPopupMenu(TComponent* Owner)
{
    return (CurrentMaker ? CurrentMaker : NewHolder)(Owner);
}

void SetElPopupMenuMaker(TElPopupMenuMaker Maker)
{
    CurrentMaker = Maker;
}
