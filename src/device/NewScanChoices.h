// What the new-scan dialog shows and does, without its window: the choices a device profile
// allows (transfer type, serial port, operating mode, impulses per search line, scan order),
// loaded from the profile's user part and stored back into it.
//
// The state of every control lives here; the form copies the user's changes in before each
// handler and shows the state afterwards. "The profile" is Devices[Profile.ItemIndex]; a step
// that needs it does nothing while no valid profile is selected.
#pragma once

#include "scan/files/TextIdFwd.h"
#include "scan/files/_TL3D_Filer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TMessageSink;

// A combo box with its label.
struct TChoiceList {
    std::vector<std::u16string> Items;
    // The item objects: for the transfer and mode lists the value stored in the profile.
    std::vector<uint8_t> Values;
    int32_t ItemIndex = -1;
    std::u16string Text;
    bool Enabled = true;
    bool LabelEnabled = true;
    // Drop-down list: the user picks an item and types nothing.
    bool ListOnly = true;

    // Items, selection and text.
    void Clear();
    void Add(const std::u16string& Item, uint8_t Value = 0);
    // Selects Index (none when it is no index of the items) and shows its text; none clears the
    // text of a drop-down list.
    void Select(int32_t Index);
    // An editable list shows Value. A drop-down list selects the item with exactly that text, or
    // none; a list without items keeps Value as its text, so that a fixed count stays readable.
    void SetText(const std::u16string& Value);
    bool HasSelection() const { return ItemIndex >= 0 && ItemIndex < static_cast<int32_t>(Items.size()); }
    // The object of the selected item; none without a selection.
    std::optional<uint8_t> SelectedValue() const;
    void SetEnabledWithLabel(bool Value) { Enabled = LabelEnabled = Value; }
};

struct TCheckChoice {
    bool Enabled = true;
    bool Checked = false;
};

// The items a profile's masks allow, in the dialog's order.
struct TMaskedChoice {
    uint8_t MaskBit;
    TTextId TextID;  // Texts::Own: the text is the same in every language
    const char16_t* Text;
    uint8_t Value;
};
const std::vector<TMaskedChoice>& TransferChoices();
const std::vector<TMaskedChoice>& OperatingModeChoices();

// Only the digits make an impulse count; every other key (Backspace included) is discarded.
bool IsImpulseKey(char16_t Key);

class TNewScanChoices {
public:
    // Devices and DeviceIndex are the profile table and the chosen profile's index the dialog
    // works on (the program's globals); Messages shows the dialog's error message.
    TNewScanChoices(std::vector<TGlobalDevice>& Devices, int32_t& DeviceIndex, TMessageSink& Messages);

    TChoiceList Profile, Transmission, Port, OperatingMode, Impulses;
    bool ScanModeEnabled = true;
    TCheckChoice UpDownUp, UpUpUp;  // zig-zag and parallel
    bool OkEnabled = false;

    // The serial ports offered.
    void SetPorts(const std::vector<std::u16string>& Ports);
    // The names of all profiles in table order; when DeviceIndex is one of them it is selected
    // and the profile's choices are loaded (ComboBoxProfileChange).
    void FillProfiles();

    // The handlers of the dialog.
    void FormShow();
    void ComboBoxProfileChange();
    void ComboBoxProfileDropDown();
    void ComboBoxOperatingModeChange();
    void RadioButtonUpDownUpClick();
    void RadioButtonUpUpUpClick();
    // mrOk, or mrNone (the dialog stays open) after the error message when the impulse count is
    // not a number of at least 1. The choices are stored either way.
    int32_t ButtonOKClick();
    // mrCancel; the choices are stored on Cancel too.
    int32_t ButtonCancelClick();

    // Writes the choices into the profile's user part, and its index into DeviceIndex. A list
    // without a selection leaves its value as stored; an impulse text that is not a count of 1
    // or more leaves the count; a port that is not among the offered ones leaves the port.
    void StoreProfileChoices();
    void UpdateImpulse();
    void UpdateScanMode();

    TGlobalDevice* SelectedProfile();

private:
    void LoadChoices(TChoiceList& List, const std::vector<TMaskedChoice>& Choices, uint8_t Mask, uint8_t Stored);
    void SelectPort(const std::string& Stored);
    void SetImpulsesOffered(bool Offered);

    std::vector<TGlobalDevice>& devices_;
    int32_t& deviceIndex_;
    TMessageSink& messages_;
    // Whether the profile offers an impulse choice (UpdateImpulse); the operating mode decides
    // whether the offer stands.
    bool impulseListOffered_ = true;
    bool impulseLabelOffered_ = true;
};
