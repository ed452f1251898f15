// TDialog_Neu, the new-scan dialog: the user picks a device profile and, within what the
// profile allows, the transfer type, the serial port, the operating mode, the impulses per
// search line and the scan order. Every choice is written back into the user part of the
// chosen profile in Devices, and the profile's index into GlobalSettings.DeviceIndex, on OK,
// on Cancel, when the profile list opens and when a scan order is clicked.
//
// The choices and their rules are TNewScanChoices; the form shows them and hands it the
// user's changes.
//
// The new-scan command:
//   TOwned<TDialog_Neu> dialog(CreateComponent<TDialog_Neu>(MainForm));
//   dialog->Prepare();
//   if (dialog->ShowModal() == mrOk) ... the chosen profile is Devices[GlobalSettings.DeviceIndex]
#pragma once

#include "device/NewScanChoices.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElGroupBox.h"
#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElCheckControls.h"
#include "widgets/el/menus/ElFormCaption.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

class TDialog_Neu : public TForm {
public:
    explicit TDialog_Neu(TComponent* AOwner);
    const char* ClassName() const override { return "TDialog_Neu"; }

    TElLabel* LabelProfile;
    TElComboBox* ComboBoxProfile;
    TElLabel* LabelTransmission;
    TElComboBox* ComboBoxTransmission;
    TElLabel* LabelInterface;
    TElComboBox* PortList;
    TElLabel* LabelOperatingMode;
    TElComboBox* ComboBoxOperatingMode;
    TElLabel* LabelImpulses;
    TElComboBox* ComboBoxImpulses;
    TElGroupBox* GroupBoxScanMode;
    TImage* Image1;
    TImage* Image2;
    TElRadioButton* RadioButtonUpDownUp;
    TElRadioButton* RadioButtonUpUpUp;
    TBevel* Bevel1;
    TElPopupButton* ButtonOk;
    TElPopupButton* ButtonCancel;
    TElFormCaption* ElFormCaption;

    // What the new-scan command does before it shows the dialog: the texts of the active
    // language, its reading direction on every control, and the profile names with the profile
    // of GlobalSettings.DeviceIndex selected and its choices loaded.
    void Prepare();

    TNewScanChoices& Choices() { return choices_; }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void ComboBoxProfileChange(TObject* Sender);
    void ComboBoxProfileDropDown(TObject* Sender);
    void ComboBoxOperatingModeChange(TObject* Sender);
    void ComboBoxImpulsesKeyPress(TObject* Sender, char16_t& Key);
    // The edit deletes on the Backspace key itself, before the character it types reaches
    // KeyPress: the key is discarded here, so that Backspace is discarded as KeyPress says.
    void ComboBoxImpulsesKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void RadioButtonUpDownUpClick(TObject* Sender);
    void RadioButtonUpUpUpClick(TObject* Sender);
    void ButtonOKClick(TObject* Sender);
    void ButtonCancelClick(TObject* Sender);

private:
    // The user's changes (selections, typed text, scan order) into the choices, and the
    // choices onto the controls.
    void ReadControls();
    void ShowChoices();
    // Runs a step of the choices between the two.
    template <class Step>
    void Run(Step&& S)
    {
        ReadControls();
        S();
        ShowChoices();
    }

    TNewScanChoices choices_;
};
