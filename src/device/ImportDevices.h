// What the import dialog lists and decides, without its window: the devices of one model found
// over USB (each asked "HELLO" for the name of its definition file) or the definition files of
// the model in the program folder, and the destination folder confirmed on OK.
#pragma once

#include "device/_TUSBDevice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TMessageSink;

// One entry of the device list.
struct TImportEntry {
    std::u16string Text;
    // Found over USB: the device's serial number (at most 50 characters), by which the transfer
    // opens it again. Entries found as files carry none.
    bool FromUsb = false;
    std::string Serial;
    bool operator==(const TImportEntry&) const = default;
};

// How the Import menu's entry for one device model sets the dialog up.
struct TImportModel {
    std::string Mask;  // the model's definition files in the program folder
    // The USB component is set up for the model: DeviceName, a cleared serial number, Baudrate;
    // "use USB" is ticked and shown as UseUSBVisible says. Without it the dialog keeps its own
    // settings, and no USB device can match (no model name).
    bool SetsUsb = false;
    std::string DeviceName;
    TBaudRate Baudrate = TBaudRate::br19200;
    bool UseUSBVisible = true;
};
// The models of the Import menu by index: 0 "Osprin 12", 1 "Qorr 21", 2 any device, 3 "Qorr 41",
// 4 "Qorr 31", 5 "Tarnwell"; any other index lists every definition file like 2.
TImportModel ImportModelOf(uint8_t ModelIndex);

// The longest serial number an entry keeps.
constexpr size_t MaxEntrySerial = 50;

// Asks one attached device (as EnumDevices reports it) for its definition file: only a device
// whose description is the model name (Usb.DeviceName, exact and not empty) and whose serial
// number could be read is opened, by that serial number, with time-outs of 1000 ms; it gets
// "HELLO" and a carriage return, and its reply without its last character names
// ProgramFolder + reply + ".dvc". The device is an entry when that file exists and its name field
// holds exactly the reply (up to the field's first NUL); the entry's text is that name. A reply
// that cannot be a plain file name names no file. The device is closed again in every case.
std::optional<TImportEntry> ProbeUsbDevice(TUSBDevice& Usb, const std::string& Description,
                                           const std::string& Serial, const std::u16string& ProgramFolder);
// Every attached device probed in the order the library lists them.
std::vector<TImportEntry> FindUsbDevices(TUSBDevice& Usb, const std::u16string& ProgramFolder);
// The names (with extension) of the entries in ProgramFolder matching Mask, in the order the
// file system lists them.
std::vector<TImportEntry> FindDefinitionFiles(const std::u16string& ProgramFolder, const std::string& Mask);

// The dialog's OK with the folder text Folder: a separator is appended when it does not end
// with one. An existing folder gives mrOk (1). A missing one is offered for creation (a
// confirmation with Yes and No): Yes creates it with all missing parents and gives mrOk; No
// gives mrNone (0), the dialog stays open. A folder that cannot be created is reported as an
// error and gives mrNone too. An empty text gives mrNone without a message.
int32_t ConfirmImportFolder(std::u16string& Folder, TMessageSink& Messages);
