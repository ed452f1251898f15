// The texts of the main window in the active language: every command's caption and hint on its
// elements (the numbers and defaults are the command table's), the reading direction, and the
// names of the soil types and measuring units.
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
        for (const TCommand& command : commands_)
            ShowTexts(command, Language);
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

void TMainForm::ShowTexts(const TCommand& Command, const TLanguage* Language)
{
    const std::u16string caption = CommandText(Command.Caption, Language);
    const std::u16string hint = HintText(Command, Language);
    if (TElMenuItem* item = Command.Menu.Item.Get()) {
        item->SetCaption(caption);
        item->SetHint(hint);
    }
    if (TElToolButton* button = Command.Tool.Button.Get())
        button->SetHint(hint);
    if (TElComboBox* box = Command.Tool.Box.Get())
        box->Hint = hint;
    if (TElGraphicButton* button = Command.Pad.Button.Get()) {
        button->SetCaption(caption);
        button->SetHint(hint);
    }
}

std::u16string TMainForm::HintText(const TCommand& Command, const TLanguage* Language) const
{
    if (Command.Hint.Join != TCaptionJoin::MenuLabel)
        return CommandText(Command.Hint, Language);
    const TCommand* menu = MenuRow(commands_, Command.Menu.Under);
    return MenuLabelHint(menu ? CommandText(menu->Hint, Language) : u"", CommandText(Command.Caption, Language));
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
