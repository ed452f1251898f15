// Clicks on the list box's check boxes. A plain click cycles the item's state and makes it the
// anchor; a Shift-click on another item toggles the items after the anchor up to the clicked
// one (checked becomes unchecked, anything else checked) and clears the anchor. Portable.
#pragma once

#include "widgets/el/editing/ElListBoxItems.h"

#include <cstdint>

// unchecked -> grayed (AllowGrayed) or checked; checked -> unchecked; grayed -> checked.
TCheckBoxState NextCheckState(TCheckBoxState State, bool AllowGrayed);

class TElListBoxChecks {
public:
    // What a click did: one item's state changed, or a range was toggled.
    struct TResult {
        enum TKind : uint8_t { ckNone, ckSingle, ckRange } Kind = ckNone;
        int32_t From = -1;  // the single item; the range's first item (the lower of anchor and click)
        int32_t To = -1;    // the range's last item
        TCheckBoxState NewState = cbUnchecked;  // the single item's new state
    };

    // The item of the last plain click; -1 when none.
    int32_t Anchor = -1;

    // A click on the check box of Index (an index outside the items does nothing).
    TResult Click(TElListBoxStrings& Items, int32_t Index, bool Shift, bool AllowGrayed);
};
