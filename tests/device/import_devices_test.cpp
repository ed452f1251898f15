// What the import dialog lists and decides: devices probed over the simulated USB library on a
// virtual clock, definition files by mask, and the destination folder on OK.
#include "definition_writing.h"
#include "simulated_usb.h"

#include "device/ImportDevices.h"
#include "device/_TUSBDevice.h"
#include "scan/files/MessageSink.h"
#include "scan/files/files_test_support.h"

#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string Device(const std::string& Description, const std::string& Serial, const std::string& Reply,
                   const std::string& Extra = "")
{
    const std::string serial = Serial.empty() ? "" : "serial " + Serial + "\n";
    return "device " + Description + "\n" + serial + "baud 115200\nanswer HELLO " + Reply + "\n" + Extra;
}

// The component as the import command sets it up for a model.
struct ImportUsb {
    TOwned<TUSBDevice> Usb{CreateComponent<TUSBDevice>(nullptr)};
    explicit ImportUsb(uint8_t Model = 5)
    {
        const TImportModel model = ImportModelOf(Model);
        Usb->DeviceName = model.DeviceName;
        Usb->DeviceSerial = std::string(1, '\0');
        Usb->Baudrate = model.Baudrate;
    }
};

std::u16string Folder(const TTempFolder& F)
{
    return IncludeTrailingPathDelimiter(F.Root.u16string());
}

TEST(ImportDevices, EachDeviceOfTheModelNamingAMatchingDefinitionFileIsOneEntry)
{
    TTempFolder program;
    WriteDefinition(program.Path("TNW0001.dvc"), "TNW0001");
    WriteDefinition(program.Path("TNW0009.dvc"), "TNW0001");  // names another device
    SimulatedUsb usb(Device("Tarnwell", "TNW00042", "TNW0001\\r") +   // listed
                     Device("Qorr 21", "QR2100A7", "QR210001\\r") +   // another model: never opened
                     Device("Tarnwell", "TNW00043", "TNW0001\\r") +   // same model, same name: listed too
                     Device("Tarnwell", "TNW00044", "TNW0002\\r") +   // names no existing file
                     Device("Tarnwell", "TNW00045", "TNW0009\\r") +   // the file holds another name
                     Device("Tarnwell", "TNW00046", "") +             // silent: an empty reply names nothing
                     Device("Tarnwell", "TNW00047", "TNW0001\\r\\n") + // CR LF: the CR stays in the name
                     Device("Tarnwell", "TNW00048", "..\\\\TNW0001\\r") +
                     Device("Tarnwell", "", "TNW0001\\r"));           // no serial: cannot be told apart
    ImportUsb import;
    const std::vector<TImportEntry> entries = FindUsbDevices(*import.Usb, Folder(program));
    EXPECT_EQ(entries, (std::vector<TImportEntry>{{u"TNW0001", true, "TNW00042"}, {u"TNW0001", true, "TNW00043"}}));

    // Every device of the model with a serial number was opened once at 115200 baud with
    // one-second time-outs, asked exactly "HELLO\r", and closed once; the others were not touched.
    for (size_t i : {0, 2, 3, 4, 5, 6, 7}) {
        const auto& d = usb.Device(i);
        EXPECT_TRUE(d.Opens == 1 && d.Closes == 1 && d.Baud == 115200 && d.ReadTimeoutMs == 1000) << i;
        EXPECT_EQ(d.Received, "HELLO\r") << i;
    }
    for (size_t i : {1, 8})
        EXPECT_EQ(usb.Device(i).Opens, 0u) << i;
    EXPECT_FALSE(import.Usb->Connected());
}

TEST(ImportDevices, AReplyNamingASystemDeviceMatchesNoDefinitionFile)
{
    // Natively each reply has its definition file. On Windows none can: the system opens the
    // device for such a name (reading the name field from "COM1.dvc" could wait on the line
    // for ever), so there only the plain names get theirs.
#ifdef _WIN32
    constexpr bool deviceFiles = false;
#else
    constexpr bool deviceFiles = true;
#endif
    // The digits run from 0 to 9: COM0 and LPT0 are reserved names as well.
    const std::vector<std::string> devices = {"COM1", "nul", "Aux.txt", "PRN  ", "lpt9.", "CON .x", "COM\xB9",
                                              "conout$", "COM0", "lpt0.x"};
    const std::vector<std::string> files = {"COM10", "CONSOLE", "LPT", "COMX"};
    TTempFolder program;
    std::string bus;
    int serial = 0;
    for (const std::vector<std::string>* replies : {&devices, &files}) {
        for (const std::string& reply : *replies) {
            if (deviceFiles || replies == &files)
                WriteDefinition(Folder(program) + AnsiToWide(reply) + u".dvc", reply);
            bus += Device("Tarnwell", "S" + std::to_string(++serial), reply + "\\r");
        }
    }
    SimulatedUsb usb(bus);
    ImportUsb import;
    std::vector<std::u16string> listed;
    for (const TImportEntry& entry : FindUsbDevices(*import.Usb, Folder(program)))
        listed.push_back(entry.Text);
    EXPECT_EQ(listed, (std::vector<std::u16string>{u"COM10", u"CONSOLE", u"LPT", u"COMX"}));
}

TEST(ImportDevices, TheModelsBaudRateIsTheOneTheDeviceTalksAtAndAModelWithoutNameOpensNothing)
{
    TTempFolder program;
    WriteDefinition(program.Path("TNW0001.dvc"), "TNW0001");
    SimulatedUsb usb(Device("Tarnwell", "TNW00042", "TNW0001\\r"));
    // At the rate of another model the Tarnwell's answer arrives garbled and names nothing.
    ImportUsb wrongRate(5);
    wrongRate.Usb->Baudrate = ImportModelOf(1).Baudrate;
    EXPECT_TRUE(FindUsbDevices(*wrongRate.Usb, Folder(program)).empty());
    EXPECT_EQ(usb.Device(0).Baud, 19200u);
    EXPECT_EQ(FindUsbDevices(*ImportUsb(5).Usb, Folder(program)).size(), 1u);

    // The "any device" entries set no model name: no device is opened.
    for (uint8_t model : {2, 6, 200}) {
        ImportUsb any(model);
        EXPECT_FALSE(ImportModelOf(model).SetsUsb);
        EXPECT_TRUE(FindUsbDevices(*any.Usb, Folder(program)).empty());
    }
    EXPECT_EQ(usb.Device(0).Opens, 2u);
}

TEST(ImportDevices, AStreamingOrFailingDeviceIsSkippedInBoundedTime)
{
    TTempFolder program;
    WriteDefinition(program.Path("TNW0001.dvc"), "TNW0001");
    SimulatedUsb usb(Device("Tarnwell", "A1", "{endless}") + Device("Tarnwell", "A2", "TNW0001\\r", "fail-open\n") +
                     Device("Tarnwell", "A3", "TNW0001\\r", "short-write 3\n") +
                     Device("Tarnwell", "A4", "TNW0001\\r"));
    ImportUsb import;
    const std::vector<TImportEntry> entries = FindUsbDevices(*import.Usb, Folder(program));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Serial, "A4");
    // The endless sender ends at the reply time-out, the last device at its read time-out.
    EXPECT_LT(usb.NowMs(), import.Usb->ReplyTimeout + 1000u + 2000u);
    EXPECT_EQ(usb.Device(0).Closes, 1u);
    EXPECT_EQ(usb.Device(2).Closes, 1u);
}

TEST(ImportDevices, DefinitionFilesAreListedByTheModelsMask)
{
    TTempFolder program;
    for (const char* name : {"TNW0001.dvc", "TNW0002.DVC", "QR210001.dvc", "TNW0003.dvc.bak", "notes.txt"})
        WriteDefinition(program.Path(name), "x");
    std::set<std::u16string> names;
    for (const TImportEntry& e : FindDefinitionFiles(Folder(program), ImportModelOf(5).Mask)) {
        EXPECT_FALSE(e.FromUsb);
        names.insert(e.Text);
    }
    EXPECT_EQ(names, (std::set<std::u16string>{u"TNW0001.dvc", u"TNW0002.DVC"}));
    EXPECT_EQ(FindDefinitionFiles(Folder(program), ImportModelOf(2).Mask).size(), 3u);
    EXPECT_TRUE(FindDefinitionFiles(Folder(program) + u"missing" + PathDelimiter(), "*.dvc").empty());
}

TEST(ImportDevices, OkNeedsAnExistingOrNewlyCreatedFolderAndStaysOpenOtherwise)
{
    TTempFolder root;
    TRecordingMessageSink messages;
    const std::u16string sep(1, PathDelimiter());

    // An existing folder gets its separator and closes the dialog without a question.
    std::u16string folder = root.Root.u16string();
    EXPECT_EQ(ConfirmImportFolder(folder, messages), 1);
    EXPECT_EQ(folder, root.Root.u16string() + sep);
    EXPECT_TRUE(messages.Messages.empty());

    // A missing one, answered No: nothing made, the dialog stays.
    folder = root.Path("a/b/c");
    messages.Answer = 7;
    EXPECT_EQ(ConfirmImportFolder(folder, messages), 0);
    EXPECT_FALSE(DirectoryExists(folder));
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Kind, 3);
    EXPECT_EQ(messages.Messages[0].Caption, u"Confirmation");
    EXPECT_EQ(messages.Messages[0].Text, u"Destination folder does not exist. Do you want to create it now?");
    EXPECT_EQ(messages.Messages[0].Buttons, 3);

    // Yes makes it with every missing parent.
    messages.Answer = 6;
    EXPECT_EQ(ConfirmImportFolder(folder, messages), 1);
    EXPECT_TRUE(DirectoryExists(folder));

    // A folder that cannot be made (its parent is a file) is an error, and the dialog stays.
    WriteBytes(root.Path("file"), {1});
    folder = root.Path("file/sub");
    messages.Messages.clear();
    EXPECT_EQ(ConfirmImportFolder(folder, messages), 0);
    ASSERT_EQ(messages.Messages.size(), 2u);
    EXPECT_EQ(messages.Messages[1].Kind, 1);
    EXPECT_EQ(messages.Messages[1].Caption, u"Error");
    EXPECT_EQ(messages.Messages[1].Buttons, 4);

    folder.clear();
    EXPECT_EQ(ConfirmImportFolder(folder, messages), 0);
}

} // namespace
