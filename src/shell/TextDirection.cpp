#include "shell/TextDirection.h"

#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElEdit.h"
#include "widgets/el/menus/ElButtons.h"

namespace {

// The single-line edit or the memo; the edits with buttons (combo box, spin and folder edits)
// are not among them.
TCustomElEdit* PlainEdit(TControl* Control)
{
    if (auto* edit = dynamic_cast<TElEdit*>(Control))
        return edit;
    return dynamic_cast<TElMemo*>(Control);
}

}  // namespace

uint8_t ActiveTextDirection()
{
    const TLanguage* language = LanguageManager ? LanguageManager->ActiveLanguage() : nullptr;
    return language && !language->LeftToRight() ? 0 : 1;
}

void ApplyTextDirection(TControl* Control, uint8_t LeftToRight)
{
    const bool leftToRight = LeftToRight == 1;
    const TAlignment side = leftToRight ? TAlignment::taLeftJustify : TAlignment::taRightJustify;
    if (auto* button = dynamic_cast<TElPopupButton*>(Control)) {
        button->SetLayout(leftToRight ? blGlyphLeft : blGlyphRight);
    } else if (TCustomElEdit* edit = PlainEdit(Control)) {
        edit->SetAlignment(side);
        edit->SetRightAlignedText(!leftToRight);
        edit->SetRightAlignedView(!leftToRight);
    } else if (auto* combo = dynamic_cast<TElComboBox*>(Control)) {
        combo->SetAlignment(side);
        combo->SetDropDownAlignment(side);
        combo->SetRightAlignedView(!leftToRight);
    }
}

void ApplyTextDirectionToChildren(TWinControl* Parent, uint8_t LeftToRight)
{
    if (!Parent)
        return;
    for (int i = 0; i < Parent->ControlCount(); ++i)
        ApplyTextDirection(Parent->Controls(i), LeftToRight);
}
