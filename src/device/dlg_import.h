// TImport, the import dialog: the user picks the device whose scan files are to be imported,
// the destination folder and, for a device without USB, the serial port. With USB ticked the
// attached USB devices of the model are asked "HELLO" for their definition files; otherwise
// the model's definition files in the program folder are listed.
//
// The import command:
//   TOwned<TImport> dialog(CreateComponent<TImport>(MainForm));
//   dialog->Prepare(ModelIndex, MenuCaption);
//   dialog->RefreshDeviceList();
//   if (dialog->ShowModal() == mrOk)
//       ... dialog->SelectedEntry() (its Serial when FromUsb), dialog->EditFolder->Text() (ends in
//       a separator and exists), dialog->UseUSB->Checked(), dialog->PortList->Text(),
//       dialog->cbDeleteFiles->Checked()
#pragma once

#include "device/ImportDevices.h"
#include "device/_TUSBDevice.h"

#include "widgets/el/editing/ElComboBox.h"
#include "widgets/el/editing/ElFolderNameEdit.h"
#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElButtonsGraphic.h"
#include "widgets/el/menus/ElCheckControls.h"
#include "widgets/el/menus/ElFormCaption.h"
#include "widgets/kit/KitBrowseDlg.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Timer.h"

#include <string>
#include <vector>

class TImport : public TForm {
public:
    explicit TImport(TComponent* AOwner);
    const char* ClassName() const override { return "TImport"; }

    TElLabel* LabelDevice;
    TElComboBox* ComboBoxDVC;
    TElGraphicButton* ButtonRefresh;
    TElLabel* LabelFolder;
    TElFolderNameEdit* EditFolder;
    TElCheckBox* UseUSB;
    TElLabel* LabelInterface;
    TElComboBox* PortList;
    TElCheckBox* cbDeleteFiles;
    TBevel* Bevel1;
    TElPopupButton* ButtonOK;
    TElPopupButton* ButtonCancel;
    TUSBDevice* USBDevice;
    TTimer* UpdateTimer;
    TKitBrowseDlg* KitBrowseDlg1;
    TElFormCaption* ElFormCaption;

    // The definition files of the model ("TNW*.dvc", "*.dvc").
    const std::string& DeviceFileMask() const { return deviceFileMask_; }
    void SetDeviceFileMask(const std::string& Value) { deviceFileMask_ = Value; }

    // What the import command does for the model of the Import menu's entry ModelIndex (whose
    // caption is MenuCaption) before it refreshes the list and shows the dialog: the caption
    // ("Import - " and the entry's caption, in the active language's reading order), the texts
    // of the active language and its reading direction, the model's mask and USB set-up, and
    // the destination folder and serial port of GlobalSettings.
    void Prepare(uint8_t ModelIndex, const std::u16string& MenuCaption);

    // Lists the devices again: over USB, or the definition files matching the mask.
    void RefreshDeviceList();
    // The listed entries, one per item of ComboBoxDVC, and the selected one (nil when none).
    const std::vector<TImportEntry>& Entries() const { return entries_; }
    const TImportEntry* SelectedEntry() const;

    void FormCreate(TObject* Sender);
    void ButtonOKClick(TObject* Sender);
    void UseUSBClick(TObject* Sender);
    void ComboBoxDVCChange(TObject* Sender);
    void ElFolderNameEdit1Change(TObject* Sender);
    void ButtonRefreshClick(TObject* Sender);

private:
    std::string deviceFileMask_;
    std::vector<TImportEntry> entries_;
};
