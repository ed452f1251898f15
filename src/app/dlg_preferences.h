// TPreferences: the user's choices of language, dimension unit, date and time formats, the
// three camera steps, the colour-limit step, the background colour and whether characteristics
// are always checked. The dialog reads its controls into TPreferenceChoices and shows them back;
// OK checks every field before it closes and stays open on the first bad one, so the command
// applies either all choices or none.
//
//   TOwned<TPreferences> dialog(CreateComponent<TPreferences>(MainForm));
//   dialog->Prepare(LanguageNames, ActiveLanguageIndex, UnitChoiceTexts(MeasureUnits));
//   if (dialog->ShowModal() == mrOk) ... dialog->CheckedValues()
#pragma once

#include "app/PreferencesModel.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElFloatSpinEdit.h"
#include "widgets/el/editing/ElGroupBox.h"
#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElCheckControls.h"
#include "widgets/el/menus/ElFormCaption.h"
#include "widgets/el/menus/ElPanel.h"

#include "framework/ComCtrls.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <string>
#include <vector>

class TPreferences : public TForm {
public:
    explicit TPreferences(TComponent* AOwner);
    const char* ClassName() const override { return "TPreferences"; }

    TElComboBox* ComboBoxLanguage;
    TElComboBox* ComboBoxDateFormat;
    TElComboBox* ComboBoxTimeFormat;
    TElComboBox* ComboBoxUnit;
    TElGroupBox* GroupBoxTransformation;
    TElFloatSpinEdit* Edit1;  // "Zoom by"
    TElFloatSpinEdit* Edit2;  // "Move by"
    TElFloatSpinEdit* Edit3;  // "Rotate by"
    TElGroupBox* GroupBoxImage;
    TTrackBar* TrackBarFilter;
    TElLabel* LabelFilterName;
    TElLabel* LabelFilterValue;
    TElPopupButton* ButtonOK;
    TElPopupButton* ButtonCancel;
    TElPopupButton* ButtonReset;
    TElLabel* LabelLanguage;
    TElLabel* LabelMeasurement;
    TElLabel* LabelDateFormat;
    TElLabel* LabelTimeFormat;
    TElLabel* LabelScale;
    TElLabel* LabelMove;
    TElLabel* LabelRotate;
    TElLabel* ElLabel_BgColor;
    TElPanel* ElPanel_BgColor;
    TElCheckBox* ElCheckBox1;
    TElFormCaption* ElFormCaption;
    TBevel* Bevel1;

    // The texts of the active language, its reading direction, and the controls filled from
    // GlobalSettings: the languages by their names with the active one selected, the units as
    // the unit box shows them.
    void Prepare(const std::vector<std::u16string>& LanguageNames, int32_t ActiveLanguageIndex,
                 const std::vector<std::u16string>& UnitTexts);

    // What the controls hold now.
    TPreferenceChoices Choices() const;
    void ShowChoices(const TPreferenceChoices& Choices);
    // The values OK accepted (valid once the dialog ended with OK).
    const TPreferenceValues& CheckedValues() const { return checked_.Values; }

    void FormCreate(TObject* Sender);
    void TrackBarFilterChange(TObject* Sender);
    void ButtonResetClick(TObject* Sender);
    // The change of a format box or a step edit.
    void ComboBoxUnitChange(TObject* Sender);
    void ElPanel_BgColorClick(TObject* Sender);
    // Checks every field; a bad one is reported and focused, and the dialog stays open.
    void ButtonOKClick(TObject* Sender);
    void UpdateResetButton();

private:
    TElFloatSpinEdit* StepEditOf(TPreferenceField Field) const;

    size_t languageCount_ = 0;
    size_t unitCount_ = 0;
    TPreferenceCheck checked_;
};
