#include "device/ImportDevices.h"

#include "device/D2XXUnit.h"
#include "device/DeviceDefinitionFile.h"

#include "scan/files/MessageSink.h"
#include "scan/files/TextIds.h"
#include "shell/dlg_infodialog_layout.h"
#include "scan/files/globals.h"

#include "framework/FileSystem.h"
#include "framework/FileUtils.h"
#include "framework/ModalResult.h"
#include "framework/StrConv.h"

namespace {

constexpr uint32_t ProbeTimeoutMs = 1000;

// The definition file a device names, when its name field holds the device's reply.
std::optional<TImportEntry> MatchingDefinition(const std::string& Reply, const std::string& Serial,
                                               const std::u16string& ProgramFolder)
{
    const std::u16string file = DefinitionFileForReply(ProgramFolder, Reply);
    if (file.empty() || !FileExists(file))
        return std::nullopt;
    const std::string field = ReadDeviceFileName(file);
    if (!DeviceNameMatches(field, Reply))
        return std::nullopt;
    return TImportEntry{AnsiToWide(DeviceNameText(field)), true, Serial.substr(0, MaxEntrySerial)};
}

}  // namespace

TImportModel ImportModelOf(uint8_t ModelIndex)
{
    auto usbModel = [](const char* Mask, const char* Name, TBaudRate Rate, bool Visible) {
        TImportModel m;
        m.Mask = Mask;
        m.SetsUsb = true;
        m.DeviceName = Name;
        m.Baudrate = Rate;
        m.UseUSBVisible = Visible;
        return m;
    };
    switch (ModelIndex) {
    case 0: return usbModel("OS12*.dvc", "Osprin 12", TBaudRate::br19200, true);
    case 1: return usbModel("QR21*.dvc", "Qorr 21", TBaudRate::br19200, true);
    case 3: return usbModel("QR41*.dvc", "Qorr 41", TBaudRate::br19200, false);
    case 4: return usbModel("QR31*.dvc", "Qorr 31", TBaudRate::br19200, false);
    case 5: return usbModel("TNW*.dvc", "Tarnwell", TBaudRate::br115200, false);
    default: {
        TImportModel any;
        any.Mask = "*.dvc";
        return any;
    }
    }
}

std::optional<TImportEntry> ProbeUsbDevice(TUSBDevice& Usb, const std::string& Description,
                                           const std::string& Serial, const std::u16string& ProgramFolder)
{
    Usb.ReadTimeout = ProbeTimeoutMs;
    Usb.WriteTimeout = ProbeTimeoutMs;
    Usb.AutoConnect = false;
    Usb.DeviceSerial = Serial;
    std::optional<TImportEntry> entry;
    // A device of another model is never opened. Nor is one whose serial number could not be
    // read: it cannot be told apart from the other devices of its model.
    const bool ofModel = !IsEmptyText(Usb.DeviceName) && Description == Usb.DeviceName;
    if (ofModel && !IsEmptyText(Serial) && Usb.Connect() && Usb.WriteString("HELLO", true)) {
        std::string reply = Usb.ReadString(0);
        if (!reply.empty())
            reply.pop_back();  // the device's line end
        entry = MatchingDefinition(reply, Serial, ProgramFolder);
    }
    Usb.Disconnect();
    return entry;
}

std::vector<TImportEntry> FindUsbDevices(TUSBDevice& Usb, const std::u16string& ProgramFolder)
{
    std::vector<TImportEntry> entries;
    Usb.EnumDevices([&](int32_t, const std::string& Description, const std::string& Serial) {
        if (std::optional<TImportEntry> entry = ProbeUsbDevice(Usb, Description, Serial, ProgramFolder))
            entries.push_back(std::move(*entry));
    });
    return entries;
}

std::vector<TImportEntry> FindDefinitionFiles(const std::u16string& ProgramFolder, const std::string& Mask)
{
    std::vector<TImportEntry> entries;
    for (const TSearchRec& found : FindFiles(ProgramFolder + AnsiToWide(Mask)))
        entries.push_back(TImportEntry{found.Name, false, {}});
    return entries;
}

int32_t ConfirmImportFolder(std::u16string& Folder, TMessageSink& Messages)
{
    if (Folder.empty())
        return mrNone;
    Folder = IncludeTrailingPathDelimiter(Folder);
    if (DirectoryExists(Folder))
        return mrOk;
    const int32_t answer = Messages.ShowInfoDialog(
        idkConfirmation, GetText(Texts::Confirmation, u"Confirmation"),
        GetText(Texts::CreateDestinationFolder, u"Destination folder does not exist. Do you want to create it now?"),
        idbYes | idbNo);
    if (answer != mrYes)
        return mrNone;
    if (ForceFolderPath(Folder))
        return mrOk;
    Messages.ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"),
                            GetText(Texts::FolderNotCreated, u"The destination folder could not be created."), idbOK);
    return mrNone;
}
