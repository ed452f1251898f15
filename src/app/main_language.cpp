// The texts of the main window in the active language: every caption and hint, the reading
// direction, and the names of the soil types and measuring units. The texts and the order in
// which they are set are the language-texts unit's; this unit finds each element by name.
#include "app/main.h"

#include "app/LanguageTexts.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

#include "framework/Application.h"

void TMainForm::ApplyLanguage(TObject*, TLanguage* Language)
{
    if (Language) {
        if (LanguageManager) {
            const int32_t active = LanguageManager->ActiveLanguageIndex();
            if (active >= 0 && active < MenuExtras_Language->Count())
                MenuExtras_Language->Items(active)->SetChecked(true);
            GlobalSettings.Language = Language->Name();
        }
        ApplyDirection(LanguageIsRightToLeft(Language));
        ApplyTexts(BuildLanguageTexts(Language));
        UpdateScanInfo();
        LayoutInfoWindow();
    }
    ApplySoilAndUnitNames(SoilTypes, MeasureUnits);
    RefillSoilBox();
}

void TMainForm::ApplyDirection(bool RightToLeft)
{
    const TBiDiMode mode = RightToLeft ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight;
    MenuBar->SetRightToLeft(RightToLeft);
    ElMainMenu1->SetRightToLeft(RightToLeft);
    ComboBoxSoil->SetBiDiMode(mode);
    ComboBoxZoom->SetBiDiMode(mode);
    for (int i = 0; i < StatusBar->Panels().Count(); ++i)
        StatusBar->Panels(i)->SetAlignment(RightToLeft ? TAlignment::taRightJustify : TAlignment::taLeftJustify);
    Application->BiDiMode = mode;
    SetBiDiMode(mode);
}

void TMainForm::ApplyTexts(const std::vector<TTextAssignment>& Texts)
{
    for (const TTextAssignment& text : Texts) {
        TComponent* c = FindComponent(text.Element);
        const bool caption = text.Property == TTextProperty::Caption;
        if (auto* item = dynamic_cast<TMenuItem*>(c))
            caption ? item->SetCaption(text.Text) : item->SetHint(text.Text);
        else if (auto* button = dynamic_cast<TCustomElGraphicButton*>(c); button && !caption)
            button->SetHint(text.Text);
        else if (auto* control = dynamic_cast<TControl*>(c))
            caption ? control->SetCaption(text.Text) : void(control->Hint = text.Text);
    }
}

void TMainForm::RefillSoilBox()
{
    const int32_t remembered = ComboBoxSoil->ItemIndex();
    TElWideStrings* items = ComboBoxSoil->Items();
    items->BeginUpdate();
    items->Clear();
    for (const TSoil& soil : SoilTypes)
        items->Add(soil.Name);
    ComboBoxSoil->SetItemIndex(SoilIndexAfterRefill(remembered, SoilTypes.size()));
    items->EndUpdate();
    ComboBoxSoilChange(nullptr);
}

void TMainForm::MenuExtras_LanguageClick(TObject* Sender)
{
    if (auto* item = dynamic_cast<TElMenuItem*>(Sender); item && LanguageManager)
        LanguageManager->SetActiveLanguageIndex(item->Tag);
}
