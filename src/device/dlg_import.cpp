#include "device/dlg_import.h"

#include "shell/FormParts.h"

#include "shell/ComPortList.h"
#include "shell/DialogTexts.h"
#include "shell/TextDirection.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include "framework/FileUtils.h"
#include "framework/Screen.h"
#include "framework/StrConv.h"

namespace {

constexpr int FormClientWidth = 440, FormClientHeight = 250;

// The refresh button's picture: a circling arrow on a transparent ground.
void DrawRefreshGlyph(TElGraphicButton* Button)
{
    TBitmap glyph;
    glyph.SetSize(16, 16);
    TCanvas* c = glyph.Canvas();
    const TColor ground = RGBColor(255, 0, 255);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->Brush()->SetColor(ground);
    c->FillRect({0, 0, 16, 16});
    c->Pen()->SetColor(RGBColor(0, 128, 0));
    c->Pen()->SetWidth(2);
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->Ellipse(2, 2, 14, 14);
    c->Brush()->SetStyle(TBrushStyle::bsSolid);
    c->FillRect({9, 0, 16, 7});
    c->Brush()->SetColor(RGBColor(0, 128, 0));
    c->Pen()->SetWidth(1);
    const TPoint head[] = {{8, 0}, {14, 5}, {8, 8}};
    c->Polygon(head, 3);
    glyph.Transparent = true;
    glyph.TransparentColor = ground;
    Button->SetGlyph(&glyph);
}

}  // namespace

TImport::TImport(TComponent* AOwner) : TForm(AOwner)
{
    SetName("Import");
    SetCaption(u"Import");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poScreenCenter;
    SetClientSize(FormClientWidth, FormClientHeight);

    LabelDevice = MakeControl<TElLabel>(this, this, "LabelDevice", Bounds(16, 14, 300, 15), u"Device",
                                        TLoading::WithForm);
    ComboBoxDVC = MakeControl<TElComboBox>(this, this, "ComboBoxDVC", Bounds(16, 32, 376, 21), TLoading::WithForm);
    ComboBoxDVC->SetStyle(TComboBoxStyle::csDropDownList);
    ButtonRefresh = MakeControl<TElGraphicButton>(this, this, "ButtonRefresh", Bounds(400, 31, 24, 23),
                                                  TLoading::WithForm);
    DrawRefreshGlyph(ButtonRefresh);
    LabelFolder = MakeControl<TElLabel>(this, this, "LabelFolder", Bounds(16, 64, 300, 15), u"Destination folder",
                                        TLoading::WithForm);
    EditFolder = MakeControl<TElFolderNameEdit>(this, this, "EditFolder", Bounds(16, 82, 408, 23), TLoading::WithForm);
    UseUSB = MakeControl<TElCheckBox>(this, this, "UseUSB", Bounds(16, 116, 408, 17), u"Device has USB connection",
                                      TLoading::WithForm);
    UseUSB->SetChecked(true);
    LabelInterface = MakeControl<TElLabel>(this, this, "LabelInterface", Bounds(16, 147, 126, 15), u"Interface",
                                           TLoading::WithForm);
    PortList = MakeControl<TElComboBox>(this, this, "PortList", Bounds(150, 144, 120, 21), TLoading::WithForm);
    PortList->SetStyle(TComboBoxStyle::csDropDownList);
    cbDeleteFiles = MakeControl<TElCheckBox>(this, this, "cbDeleteFiles", Bounds(16, 176, 408, 17),
                                             u"Delete files from device after transmission", TLoading::WithForm);
    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", Bounds(8, 204, 424, 2), TLoading::WithForm);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    MakeDialogButtons(this, 216, 212, "ButtonOK", ButtonOK, ButtonCancel, TLoading::WithForm);
    ButtonOK->SetEnabled(false);

    USBDevice = MakeNamed<TUSBDevice>(this, "USBDevice", TLoading::WithForm);
    USBDevice->Baudrate = TBaudRate::br19200;
    USBDevice->SetBlockSize(1024);
    USBDevice->AutoConnect = true;
    USBDevice->SetReportErrors(false);
    USBDevice->ReadTimeout = 0;
    USBDevice->WriteTimeout = 0;
    UpdateTimer = MakeNamed<TTimer>(this, "UpdateTimer", TLoading::WithForm);
    UpdateTimer->SetInterval(10000);
    KitBrowseDlg1 = MakeNamed<TKitBrowseDlg>(this, "KitBrowseDlg1", TLoading::WithForm);
    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption", TLoading::WithForm);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    ButtonOK->OnClick = [this](TObject* Sender) { ButtonOKClick(Sender); };
    UseUSB->OnClick = [this](TObject* Sender) { UseUSBClick(Sender); };
    cbDeleteFiles->OnClick = [this](TObject* Sender) { UseUSBClick(Sender); };
    ComboBoxDVC->OnChange = [this](TObject* Sender) { ComboBoxDVCChange(Sender); };
    EditFolder->OnChange = [this](TObject* Sender) { ElFolderNameEdit1Change(Sender); };
    ButtonRefresh->OnClick = [this](TObject* Sender) { ButtonRefreshClick(Sender); };
}

void TImport::FormCreate(TObject* Sender)
{
    UseUSBClick(Sender);
    if (!ListComPorts(PortList))
        ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"),
                       GetText(Texts::PortsNotReady, u"Error while initializing your com ports."), idbOK);
}

void TImport::Prepare(uint8_t ModelIndex, const std::u16string& MenuCaption)
{
    const uint8_t direction = ActiveTextDirection();
    const std::u16string import = GetText(Texts::Import, u"Import");
    const std::u16string caption =
        MenuCaption.empty() ? import : VarArrayToWideString(direction, {import, std::u16string(u" - "), MenuCaption});

    LabelDevice->SetCaption(GetText(Texts::Device, u"Measure equipment (device)"));
    LabelFolder->SetCaption(GetText(Texts::DestinationFolder, u"Destination folder"));
    EditFolder->SetDialogTitle(WideToAnsi(GetText(Texts::DestinationFolder, u"Destination folder")));
    EditFolder->SetPrompt(GetText(Texts::ChooseDestinationFolder, u"Select your destination Folder for your files!"));
    LabelInterface->SetCaption(GetText(Texts::Interface, u"COM-Port"));
    UseUSB->SetCaption(GetText(Texts::UseUsb, u"Use USB Connection (not usable with external adaptor)"));
    cbDeleteFiles->SetCaption(GetText(Texts::DeleteAfterTransfer, u"Delete files from device after transmission"));
    PrepareDialogTexts(this, ElFormCaption, caption, ButtonOK, ButtonCancel);

    const TImportModel model = ImportModelOf(ModelIndex);
    SetDeviceFileMask(model.Mask);
    if (model.SetsUsb) {
        UseUSB->SetChecked(true);
        UseUSB->SetVisible(model.UseUSBVisible);
        USBDevice->DeviceName = model.DeviceName;
        USBDevice->DeviceSerial = std::string(1, '\0');
        USBDevice->Baudrate = model.Baudrate;
    }
    EditFolder->SetText(GlobalSettings.ImportFolder);
    PortList->SetText(GlobalSettings.ComPort);
}

void TImport::UseUSBClick(TObject*)
{
    const bool withPort = !UseUSB->Checked();
    PortList->SetEnabled(withPort);
    PortList->SetVisible(withPort);
    LabelInterface->SetEnabled(withPort);
    LabelInterface->SetVisible(withPort);
    RefreshDeviceList();
}

void TImport::RefreshDeviceList()
{
    const THourGlass hourGlass;
    TElWideStrings* items = ComboBoxDVC->Items();
    const TElWideStringsUpdateScope update(*items);
    items->Clear();
    entries_ = UseUSB->Checked() ? FindUsbDevices(*USBDevice, ProgramFolder())
                                 : FindDefinitionFiles(ProgramFolder(), deviceFileMask_);
    for (const TImportEntry& entry : entries_)
        items->Add(entry.Text);
    ComboBoxDVC->SetItemIndex(entries_.empty() ? -1 : 0);
    ComboBoxDVCChange(this);
}

const TImportEntry* TImport::SelectedEntry() const
{
    const int32_t i = ComboBoxDVC->ItemIndex();
    return i >= 0 && static_cast<size_t>(i) < entries_.size() ? &entries_[static_cast<size_t>(i)] : nullptr;
}

void TImport::ComboBoxDVCChange(TObject*)
{
    ButtonOK->SetEnabled(ComboBoxDVC->ItemIndex() >= 0 && !EditFolder->Text().empty());
}

void TImport::ElFolderNameEdit1Change(TObject* Sender)
{
    ComboBoxDVCChange(Sender);
}

void TImport::ButtonRefreshClick(TObject* Sender)
{
    RefreshDeviceList();
    ComboBoxDVCChange(Sender);
}

void TImport::ButtonOKClick(TObject*)
{
    // The button's modal result is already on the form; a folder that is not there (and not
    // made now) takes it back, and the dialog stays open.
    std::u16string folder = EditFolder->Text();
    const int32_t result = ConfirmImportFolder(folder, InfoDialogMessageSink());
    if (!folder.empty() && folder != EditFolder->Text())
        EditFolder->SetText(folder);
    SetModalResult(result);
}
