#include "widgets/el/foundation/ElScrollBarStyles.h"

#include "framework/ClassRegistry.h"

namespace {

// Stored forms find the group by its name.
const TClassRegistration registration("TElScrollBarStyles", typeid(TElScrollBarStyles));

}  // namespace

void TElScrollBarStyles::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TElScrollBarStyles*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetActiveFlat(s->ActiveFlat());
    SetBlendBackground(s->BlendBackground());
    SetColor(s->Color());
    SetFlat(s->Flat());
    SetMinThumbSize(s->MinThumbSize());
    SetOwnerDraw(s->OwnerDraw());
    SetSecondaryButtons(s->SecondaryButtons());
    SetSecondBtnKind(s->SecondBtnKind());
    SetShowTrackHint(s->ShowTrackHint());
    SetThumbMode(s->ThumbMode());
    SetThumbSize(s->ThumbSize());
}
