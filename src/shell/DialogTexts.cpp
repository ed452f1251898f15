#include "shell/DialogTexts.h"

#include "shell/FormCaptionText.h"
#include "shell/TextDirection.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"
#include "widgets/el/menus/ElButtons.h"

#include "framework/Forms.h"

void PrepareDialogTexts(TForm* Dialog, TElFormCaption* CaptionBar, const std::u16string& Caption,
                        TElPopupButton* ButtonOK, TElPopupButton* ButtonCancel)
{
    Dialog->SetCaption(Caption);
    SetFormCaptionText(CaptionBar, Caption);
    ButtonOK->SetCaption(GetText(Texts::OK, u"OK"));
    if (ButtonCancel)
        ButtonCancel->SetCaption(GetText(Texts::Cancel, u"Cancel"));
    const uint8_t direction = ActiveTextDirection();
    for (int i = 0; i < Dialog->ComponentCount(); ++i)
        ApplyTextDirection(dynamic_cast<TControl*>(Dialog->Components(i)), direction);
}
