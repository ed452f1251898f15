// Extras > "Preferences ...": the dialog checks every field before it closes with OK; then all
// choices are applied at once - the language first, whose change sets every text of the
// program - and the settings file is written.
#include "app/main.h"

#include "app/PreferencesModel.h"
#include "app/dlg_preferences.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/_TSettings.h"
#include "scan/files/globals.h"
#include "scan/render/_TScanImage.h"

void TMainForm::MenuFileConfigurationClick(TObject*)
{
    std::vector<std::u16string> languageNames;
    int32_t activeLanguage = -1;
    if (LanguageManager) {
        const TLanguageList& languages = LanguageManager->Languages();
        for (int32_t i = 0; i < languages.Count(); ++i)
            languageNames.push_back(languages[i]->DisplayName());
        activeLanguage = LanguageManager->ActiveLanguageIndex();
    }
    TOwned<TPreferences> dialog(CreateComponent<TPreferences>(this));
    dialog->Prepare(languageNames, activeLanguage, UnitChoiceTexts(MeasureUnits));
    if (dialog->ShowModal() != mrOk)
        return;

    const TPreferenceValues& values = dialog->CheckedValues();
    if (values.LanguageIndex && LanguageManager) {
        LanguageManager->SetActiveLanguageIndex(*values.LanguageIndex);
        if (LanguageManager->ActiveLanguage())
            GlobalSettings.Language = LanguageManager->ActiveLanguageName();
    }
    ApplyPreferences(GlobalSettings, values);
    ApplyThresholdsToScan();
    // The unit shows in the scan's lengths, the background in the next frame.
    UpdateScanInfo();
    RequestRepaint();
    if (Settings)
        Settings->SaveToFile(SettingsFileName());
}

void TMainForm::ApplyThresholdsToScan()
{
    if (session_.Scan()) {
        session_.Scan()->SurfaceThreshold = static_cast<float>(GlobalSettings.SurfaceThreshold);
        session_.Scan()->SurroundThreshold = static_cast<float>(GlobalSettings.SurroundThreshold);
    }
}
