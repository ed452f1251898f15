#include "device/NewScanChoices.h"

#include "device/ImpulseText.h"

#include "scan/files/MessageSink.h"
#include "scan/files/TextIds.h"
#include "scan/files/bkStrings.h"
#include "shell/dlg_infodialog_layout.h"
#include "scan/files/globals.h"

#include "framework/NumberText.h"
#include "framework/ModalResult.h"
#include "framework/StrConv.h"

#include <algorithm>

namespace {

// Operating modes by their stored value.
constexpr uint8_t ModeGroundScan = 0, ModeLiveHorizontal = 2, ModeLiveUltrasound = 3;

std::u16string ChoiceText(const TMaskedChoice& Choice)
{
    return Choice.TextID != Texts::Own ? GetText(Choice.TextID, Choice.Text) : std::u16string(Choice.Text);
}

}  // namespace

// ---- TChoiceList

void TChoiceList::Clear()
{
    Items.clear();
    Values.clear();
    ItemIndex = -1;
    Text.clear();
}

void TChoiceList::Add(const std::u16string& Item, uint8_t Value)
{
    Items.push_back(Item);
    Values.push_back(Value);
}

void TChoiceList::Select(int32_t Index)
{
    ItemIndex = Index >= 0 && Index < static_cast<int32_t>(Items.size()) ? Index : -1;
    if (ItemIndex >= 0)
        Text = Items[static_cast<size_t>(ItemIndex)];
    else if (ListOnly)
        Text.clear();
}

void TChoiceList::SetText(const std::u16string& Value)
{
    if (!ListOnly || Items.empty()) {
        ItemIndex = -1;
        Text = Value;
        return;
    }
    const auto found = std::find(Items.begin(), Items.end(), Value);
    Select(found == Items.end() ? -1 : static_cast<int32_t>(found - Items.begin()));
}

std::optional<uint8_t> TChoiceList::SelectedValue() const
{
    if (!HasSelection() || static_cast<size_t>(ItemIndex) >= Values.size())
        return std::nullopt;
    return Values[static_cast<size_t>(ItemIndex)];
}

// ---- the tables

const std::vector<TMaskedChoice>& TransferChoices()
{
    static const std::vector<TMaskedChoice> choices{
        {1, Texts::Radio, u"Radio", 0},
        {2, Texts::Cable, u"Cable", 1},
        {4, Texts::Own, u"Bluetooth", 2},
    };
    return choices;
}

const std::vector<TMaskedChoice>& OperatingModeChoices()
{
    static const std::vector<TMaskedChoice> choices{
        {1, Texts::Own, u"Ground Scan", 0},
        {2, Texts::Own, u"Discrimination", 1},
        {32, Texts::Own, u"Geo-electrical scan ( electrodes )", 5},
        {4, Texts::Own, u"Live Scan ( horizontal )", 2},
        {8, Texts::Own, u"Live Scan ( Ultrasound )", 3},
        {16, Texts::Own, u"GPS scan", 4},
    };
    return choices;
}

bool IsImpulseKey(char16_t Key)
{
    return Key >= u'0' && Key <= u'9';
}

// ---- TNewScanChoices

TNewScanChoices::TNewScanChoices(std::vector<TGlobalDevice>& Devices, int32_t& DeviceIndex, TMessageSink& Messages)
    : devices_(Devices), deviceIndex_(DeviceIndex), messages_(Messages)
{
    Impulses.ListOnly = false;
}

TGlobalDevice* TNewScanChoices::SelectedProfile()
{
    const int32_t i = Profile.ItemIndex;
    return i >= 0 && static_cast<size_t>(i) < devices_.size() ? &devices_[static_cast<size_t>(i)] : nullptr;
}

void TNewScanChoices::SetPorts(const std::vector<std::u16string>& Ports)
{
    Port.Clear();
    for (const std::u16string& p : Ports)
        Port.Add(p);
}

void TNewScanChoices::FillProfiles()
{
    Profile.Clear();
    for (const TGlobalDevice& device : devices_)
        Profile.Add(AnsiToWide(device.Name));
    if (deviceIndex_ >= 0 && static_cast<size_t>(deviceIndex_) < Profile.Items.size()) {
        Profile.Select(deviceIndex_);
        ComboBoxProfileChange();
    }
}

void TNewScanChoices::FormShow()
{
    const bool selected = SelectedProfile() != nullptr;
    Port.SetEnabledWithLabel(selected);
    ScanModeEnabled = selected;
    Transmission.SetEnabledWithLabel(selected && !Transmission.Items.empty());
    OperatingMode.SetEnabledWithLabel(selected && !OperatingMode.Items.empty());
    UpdateScanMode();
    UpdateImpulse();
    ComboBoxOperatingModeChange();
}

void TNewScanChoices::LoadChoices(TChoiceList& List, const std::vector<TMaskedChoice>& Choices, uint8_t Mask,
                                  uint8_t Stored)
{
    List.SetEnabledWithLabel(true);
    List.Clear();
    int32_t stored = -1;
    for (const TMaskedChoice& choice : Choices)
        if (Mask & choice.MaskBit) {
            if (choice.Value == Stored)
                stored = static_cast<int32_t>(List.Items.size());
            List.Add(ChoiceText(choice), choice.Value);
        }
    // A stored value the masks do not allow leaves the list without a selection.
    List.Select(stored);
}

void TNewScanChoices::SelectPort(const std::string& Stored)
{
    // An empty port takes the first one offered; a port no longer offered (unplugged) shows
    // none, and is kept in the profile until the user picks another.
    if (Stored.empty()) {
        Port.Select(Port.Items.empty() ? -1 : 0);
        return;
    }
    Port.SetText(AnsiToWide(Stored));
    if (!Port.HasSelection())
        Port.Select(-1);
}

void TNewScanChoices::ComboBoxProfileChange()
{
    TGlobalDevice* profile = SelectedProfile();
    OkEnabled = profile != nullptr;
    if (!profile)
        return;
    Port.SetEnabledWithLabel(true);
    SelectPort(profile->User.Port);

    LoadChoices(Transmission, TransferChoices(), profile->Settings.TransferMask, profile->User.Transfer);
    if (profile->Settings.OperatingModeMask == 0) {
        OperatingMode.SetEnabledWithLabel(false);
        OperatingMode.Clear();
    } else {
        LoadChoices(OperatingMode, OperatingModeChoices(), profile->Settings.OperatingModeMask,
                    profile->User.OperatingMode);
    }
    UpdateImpulse();
    UpdateScanMode();
    ComboBoxOperatingModeChange();
}

void TNewScanChoices::ComboBoxProfileDropDown()
{
    StoreProfileChoices();
}

void TNewScanChoices::SetImpulsesOffered(bool Offered)
{
    Impulses.Enabled = Offered && impulseListOffered_;
    Impulses.LabelEnabled = Offered && impulseLabelOffered_;
}

void TNewScanChoices::UpdateImpulse()
{
    const TGlobalDevice* profile = SelectedProfile();
    if (!profile)
        return;
    const std::u16string stored = IntToStr(profile->User.Impulses);
    if (profile->Settings.ImpulseChoices.empty()) {
        // A fixed count: shown, not chosen.
        Impulses.Items.clear();
        Impulses.Values.clear();
        impulseListOffered_ = impulseLabelOffered_ = false;
        SetImpulsesOffered(true);
        Impulses.SetText(stored);
        return;
    }
    Impulses.Clear();
    const TStringArray pieces = SplitByDelimiter(";", profile->Settings.ImpulseChoices, 0);
    const bool listOnly = !pieces.empty() && pieces.front() == "*";
    Impulses.ListOnly = listOnly;
    for (const std::string& piece : pieces)
        if (piece != "*")
            Impulses.Add(AnsiToWide(piece));
    impulseLabelOffered_ = true;
    impulseListOffered_ = !(listOnly && Impulses.Items.empty());
    SetImpulsesOffered(true);
    Impulses.SetText(stored);
}

void TNewScanChoices::UpdateScanMode()
{
    const TGlobalDevice* profile = SelectedProfile();
    if (!profile)
        return;
    const uint8_t mask = profile->Settings.ScanModeMask;
    if (mask == 0) {
        ScanModeEnabled = false;
        UpDownUp = {false, false};
        UpUpUp = {false, false};
        return;
    }
    ScanModeEnabled = true;
    UpDownUp.Enabled = (mask & 1) != 0;
    UpDownUp.Checked = UpDownUp.Enabled && profile->User.ScanMode == 0;
    UpUpUp.Enabled = (mask & 2) != 0;
    UpUpUp.Checked = UpUpUp.Enabled && profile->User.ScanMode == 1;
}

void TNewScanChoices::ComboBoxOperatingModeChange()
{
    // Without a selected mode (none allowed, or the stored one not allowed) nothing is offered.
    const std::optional<uint8_t> mode = OperatingMode.SelectedValue();
    if (mode == ModeGroundScan) {
        SetImpulsesOffered(true);
        UpdateScanMode();
    } else if (mode == ModeLiveHorizontal || mode == ModeLiveUltrasound) {
        SetImpulsesOffered(true);
        UpDownUp.Enabled = UpUpUp.Enabled = false;
    } else {
        SetImpulsesOffered(false);
        UpDownUp.Enabled = UpUpUp.Enabled = false;
    }
}

void TNewScanChoices::RadioButtonUpDownUpClick()
{
    StoreProfileChoices();
}

void TNewScanChoices::RadioButtonUpUpUpClick()
{
    StoreProfileChoices();
}

int32_t TNewScanChoices::ButtonOKClick()
{
    int32_t count = 0;
    if (Impulses.Items.empty() && Impulses.Text.empty()) {
        if (const TGlobalDevice* profile = SelectedProfile())
            count = profile->User.Impulses;
    } else if (!TryImpulseCount(Impulses.Text, count)) {
        count = 0;
    }
    int32_t result = mrOk;
    if (count < 1) {
        messages_.ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"),
                                 GetText(Texts::EnterImpulses, u"Enter the number of impulses per search line!"),
                                 idbOK);
        result = mrNone;
    }
    StoreProfileChoices();
    return result;
}

int32_t TNewScanChoices::ButtonCancelClick()
{
    StoreProfileChoices();
    return mrCancel;
}

void TNewScanChoices::StoreProfileChoices()
{
    TGlobalDevice* profile = SelectedProfile();
    if (!profile)
        return;
    deviceIndex_ = Profile.ItemIndex;
    TGlobalDeviceUser& user = profile->User;
    if (const std::optional<uint8_t> mode = OperatingMode.SelectedValue())
        user.OperatingMode = *mode;
    if (const std::optional<uint8_t> transfer = Transmission.SelectedValue())
        user.Transfer = *transfer;
    user.ScanMode = UpUpUp.Checked ? 1 : 0;
    int32_t count = 0;
    if (TryImpulseCount(Impulses.Text, count))
        user.Impulses = count;
    if (Port.HasSelection())
        user.Port = WideToAnsi(Port.Items[static_cast<size_t>(Port.ItemIndex)]);
}
