#include "shell/FormCaptionText.h"

#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

#include "widgets/el/menus/ElFormCaption.h"

void SetFormCaptionText(TElFormCaption* Caption, const std::u16string& Text)
{
    if (!Caption)
        return;
    TElCaptionTexts& texts = Caption->Texts();
    texts.Clear();
    TElCaptionText* t = texts.Add();
    t->SetCaption(Text);
    t->SetVisible(true);
    t->SetAlign(TAlignment::taLeftJustify);
    const TLanguage* language = LanguageManager ? LanguageManager->ActiveLanguage() : nullptr;
    if (language && !language->LeftToRight())
        t->SetAlign(TAlignment::taRightJustify);
    Caption->SetActive(true);
}
