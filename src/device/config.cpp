#include "device/config.h"

#include "shell/FormParts.h"

#include "shell/ComPortList.h"
#include "shell/DialogTexts.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/TextIds.h"
#include "scan/files/globals.h"

#include <utility>

namespace {

// The design of the form (client coordinates).
constexpr int FormClientWidth = 459, FormClientHeight = 289;
constexpr int LabelLeft = 16, ComboLeft = 150, ComboWidth = 293, RowHeight = 32, FirstRow = 16;

TRect LabelRow(int Row)
{
    return Bounds(LabelLeft, FirstRow + Row * RowHeight + 3, ComboLeft - LabelLeft - 8, 15);
}

TRect ComboRow(int Row)
{
    return Bounds(ComboLeft, FirstRow + Row * RowHeight, ComboWidth, 21);
}

// The two scan orders as small pictures: the search lines walked back and forth, or all in one
// direction.
void DrawScanOrder(TImage* Image, TColor Background, bool ZigZag)
{
    TCanvas* c = Image->NewPicture(32, 32, Background);
    c->Pen()->SetColor(clNavy);
    c->Pen()->SetWidth(2);
    for (int line = 0; line < 4; ++line) {
        const int x = 5 + line * 7;
        c->MoveTo(x, 27);
        c->LineTo(x, 5);
        // The arrow head shows the direction the line is walked in.
        const bool up = !ZigZag || line % 2 == 0;
        const int tip = up ? 5 : 27, back = up ? 9 : 23;
        if (!up) {
            c->MoveTo(x, 5);
            c->LineTo(x, 27);
        }
        c->MoveTo(x - 3, back);
        c->LineTo(x, tip);
        c->LineTo(x + 3, back);
    }
    c->Pen()->SetWidth(1);
}

void ShowList(const TChoiceList& List, TElLabel* Label, TElComboBox* Combo)
{
    // A drop-down list cannot show a text that is no item; a list without items (a fixed count)
    // shows it editable, and disabled as the choices say.
    const bool textOutsideList = List.Items.empty() && !List.Text.empty();
    const TComboBoxStyle style =
        List.ListOnly && !textOutsideList ? TComboBoxStyle::csDropDownList : TComboBoxStyle::csDropDown;
    if (Combo->Style() != style)
        Combo->SetStyle(style);

    TElWideStrings* items = Combo->Items();
    bool same = items->Count() == static_cast<int32_t>(List.Items.size());
    for (int32_t i = 0; same && i < items->Count(); ++i)
        same = items->Get(i) == List.Items[static_cast<size_t>(i)];
    if (!same)
        items->SetStrings(List.Items);
    if (Combo->ItemIndex() != List.ItemIndex || !same)
        Combo->SetItemIndex(List.ItemIndex);
    if (style == TComboBoxStyle::csDropDown && Combo->Text() != List.Text)
        Combo->SetText(List.Text);
    Combo->SetEnabled(List.Enabled);
    Label->SetEnabled(List.LabelEnabled);
}

void ReadList(TChoiceList& List, const TElComboBox* Combo)
{
    List.ItemIndex = Combo->ItemIndex();
    List.Text = Combo->Text();
}

void ShowCheck(const TCheckChoice& Choice, TElRadioButton* Radio)
{
    Radio->SetEnabled(Choice.Enabled);
    Radio->SetChecked(Choice.Checked);
}

}  // namespace

TDialog_Neu::TDialog_Neu(TComponent* AOwner)
    : TForm(AOwner), choices_(Devices, GlobalSettings.DeviceIndex, InfoDialogMessageSink())
{
    SetName("Dialog_Neu");
    SetCaption(u"New Scan");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    Position = TPosition::poScreenCenter;
    SetClientSize(FormClientWidth, FormClientHeight);

    LabelProfile = MakeControl<TElLabel>(this, this, "LabelProfile", LabelRow(0), u"Device", TLoading::WithForm);
    ComboBoxProfile = MakeControl<TElComboBox>(this, this, "ComboBoxProfile", ComboRow(0), TLoading::WithForm);
    ComboBoxProfile->SetStyle(TComboBoxStyle::csDropDownList);
    ComboBoxProfile->SetDropDownCount(12);
    LabelTransmission = MakeControl<TElLabel>(this, this, "LabelTransmission", LabelRow(1), u"Transfer type",
                                              TLoading::WithForm);
    ComboBoxTransmission = MakeControl<TElComboBox>(this, this, "ComboBoxTransmission", ComboRow(1),
                                                    TLoading::WithForm);
    ComboBoxTransmission->SetStyle(TComboBoxStyle::csDropDownList);
    LabelInterface = MakeControl<TElLabel>(this, this, "LabelInterface", LabelRow(2), u"Interface", TLoading::WithForm);
    PortList = MakeControl<TElComboBox>(this, this, "PortList", ComboRow(2), TLoading::WithForm);
    PortList->SetStyle(TComboBoxStyle::csDropDownList);
    LabelOperatingMode = MakeControl<TElLabel>(this, this, "LabelOperatingMode", LabelRow(3), u"Operating mode",
                                               TLoading::WithForm);
    ComboBoxOperatingMode = MakeControl<TElComboBox>(this, this, "ComboBoxOperatingMode", ComboRow(3),
                                                     TLoading::WithForm);
    ComboBoxOperatingMode->SetStyle(TComboBoxStyle::csDropDownList);
    LabelImpulses = MakeControl<TElLabel>(this, this, "LabelImpulses", LabelRow(4), u"Impulses", TLoading::WithForm);
    ComboBoxImpulses = MakeControl<TElComboBox>(this, this, "ComboBoxImpulses", ComboRow(4), TLoading::WithForm);

    GroupBoxScanMode = MakeControl<TElGroupBox>(this, this, "GroupBoxScanMode", Bounds(16, 176, 427, 60),
                                                u"  Scan mode   ", TLoading::WithForm);
    Image1 = MakeControl<TImage>(this, GroupBoxScanMode, "Image1", Bounds(16, 20, 32, 32), TLoading::WithForm);
    RadioButtonUpDownUp = MakeControl<TElRadioButton>(this, GroupBoxScanMode, "RadioButtonUpDownUp",
                                                      Bounds(56, 28, 140, 17), u"Zig-Zag", TLoading::WithForm);
    Image2 = MakeControl<TImage>(this, GroupBoxScanMode, "Image2", Bounds(220, 20, 32, 32), TLoading::WithForm);
    RadioButtonUpUpUp = MakeControl<TElRadioButton>(this, GroupBoxScanMode, "RadioButtonUpUpUp",
                                                    Bounds(260, 28, 140, 17), u"Parallel", TLoading::WithForm);
    DrawScanOrder(Image1, Color(), true);
    DrawScanOrder(Image2, Color(), false);

    Bevel1 = MakeControl<TBevel>(this, this, "Bevel1", Bounds(8, 244, 443, 2), TLoading::WithForm);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    MakeDialogButtons(this, 235, 252, "ButtonOk", ButtonOk, ButtonCancel, TLoading::WithForm);
    ButtonOk->SetEnabled(false);

    ElFormCaption = MakeNamed<TElFormCaption>(this, "ElFormCaption", TLoading::WithForm);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
    ComboBoxProfile->OnChange = [this](TObject* Sender) { ComboBoxProfileChange(Sender); };
    ComboBoxProfile->OnDropDown = [this](TObject* Sender) { ComboBoxProfileDropDown(Sender); };
    ComboBoxOperatingMode->OnChange = [this](TObject* Sender) { ComboBoxOperatingModeChange(Sender); };
    ComboBoxImpulses->OnKeyPress = [this](TObject* Sender, char16_t& Key) { ComboBoxImpulsesKeyPress(Sender, Key); };
    ComboBoxImpulses->OnKeyDown = [this](TObject* Sender, uint16_t& Key, TShiftState Shift) {
        ComboBoxImpulsesKeyDown(Sender, Key, Shift);
    };
    RadioButtonUpDownUp->OnClick = [this](TObject* Sender) { RadioButtonUpDownUpClick(Sender); };
    RadioButtonUpUpUp->OnClick = [this](TObject* Sender) { RadioButtonUpUpUpClick(Sender); };
    ButtonOk->OnClick = [this](TObject* Sender) { ButtonOKClick(Sender); };
    ButtonCancel->OnClick = [this](TObject* Sender) { ButtonCancelClick(Sender); };
}

void TDialog_Neu::Prepare()
{
    LabelInterface->SetCaption(GetText(Texts::Interface, u"Interface"));
    LabelTransmission->SetCaption(GetText(Texts::TransferType, u"Transfer type"));
    LabelOperatingMode->SetCaption(GetText(Texts::OperatingMode, u"Operating mode"));
    LabelImpulses->SetCaption(GetText(Texts::Impulses, u"Impulses"));
    LabelProfile->SetCaption(GetText(Texts::Device, u"Device"));
    GroupBoxScanMode->SetCaption(u"  " + GetText(Texts::ScanMode, u"Scan mode") + u"  ");
    PrepareDialogTexts(this, ElFormCaption, GetText(Texts::NewProject, u"New Project"), ButtonOk, ButtonCancel);

    Run([this] { choices_.FillProfiles(); });
}

void TDialog_Neu::ReadControls()
{
    ReadList(choices_.Profile, ComboBoxProfile);
    ReadList(choices_.Transmission, ComboBoxTransmission);
    ReadList(choices_.Port, PortList);
    ReadList(choices_.OperatingMode, ComboBoxOperatingMode);
    ReadList(choices_.Impulses, ComboBoxImpulses);
    choices_.UpDownUp.Checked = RadioButtonUpDownUp->Checked();
    choices_.UpUpUp.Checked = RadioButtonUpUpUp->Checked();
}

void TDialog_Neu::ShowChoices()
{
    ShowList(choices_.Profile, LabelProfile, ComboBoxProfile);
    ShowList(choices_.Transmission, LabelTransmission, ComboBoxTransmission);
    ShowList(choices_.Port, LabelInterface, PortList);
    ShowList(choices_.OperatingMode, LabelOperatingMode, ComboBoxOperatingMode);
    ShowList(choices_.Impulses, LabelImpulses, ComboBoxImpulses);
    GroupBoxScanMode->SetEnabled(choices_.ScanModeEnabled);
    // Unchecking first, so that checking one radio button cannot undo the other's state.
    const std::pair<const TCheckChoice&, TElRadioButton*> radios[] = {{choices_.UpDownUp, RadioButtonUpDownUp},
                                                                     {choices_.UpUpUp, RadioButtonUpUpUp}};
    for (bool checked : {false, true})
        for (const auto& [choice, radio] : radios)
            if (choice.Checked == checked)
                ShowCheck(choice, radio);
    ButtonOk->SetEnabled(choices_.OkEnabled);
}

void TDialog_Neu::FormCreate(TObject*)
{
    ListComPorts(PortList);
    std::vector<std::u16string> ports;
    for (int32_t i = 0; i < PortList->Items()->Count(); ++i)
        ports.push_back(PortList->Items()->Get(i));
    choices_.SetPorts(ports);
    choices_.Port.Select(PortList->ItemIndex());
    ShowChoices();
}

void TDialog_Neu::FormShow(TObject*)
{
    Run([this] { choices_.FormShow(); });
}

void TDialog_Neu::ComboBoxProfileChange(TObject*)
{
    Run([this] { choices_.ComboBoxProfileChange(); });
}

void TDialog_Neu::ComboBoxProfileDropDown(TObject*)
{
    Run([this] { choices_.ComboBoxProfileDropDown(); });
}

void TDialog_Neu::ComboBoxOperatingModeChange(TObject*)
{
    Run([this] { choices_.ComboBoxOperatingModeChange(); });
}

void TDialog_Neu::ComboBoxImpulsesKeyPress(TObject*, char16_t& Key)
{
    if (!IsImpulseKey(Key))
        Key = 0;
}

void TDialog_Neu::ComboBoxImpulsesKeyDown(TObject*, uint16_t& Key, TShiftState)
{
    if (Key == VK_BACK)
        Key = 0;
}

void TDialog_Neu::RadioButtonUpDownUpClick(TObject*)
{
    Run([this] { choices_.RadioButtonUpDownUpClick(); });
}

void TDialog_Neu::RadioButtonUpUpUpClick(TObject*)
{
    Run([this] { choices_.RadioButtonUpUpUpClick(); });
}

void TDialog_Neu::ButtonOKClick(TObject*)
{
    // The button's modal result is already on the form; a count the choices refuse takes it
    // back, and the dialog stays open.
    Run([this] { SetModalResult(choices_.ButtonOKClick()); });
}

void TDialog_Neu::ButtonCancelClick(TObject*)
{
    Run([this] { SetModalResult(choices_.ButtonCancelClick()); });
}
