// The device commands of the real main window under Wine, run from its menus: each Import entry
// against the stand-in USB library with simulated devices (and without any library), and New,
// which shows the new-scan dialog or, while the serial port is open (a pseudo-terminal pair
// made by the test's runner), stops the receive and finishes its scan.
#include "device/CPort.h"

#include "program_fixture.h"

#include "device/form_driving.h"
#include "device/stand_in_usb.h"

#include "app/AppGlyphs.h"
#include "app/ImportReport.h"
#include "device/D2XXLibrary.h"
#include "device/config.h"
#include "device/dlg_import.h"
#include "device/dlg_init.h"
#include "ExampleScans.h"
#include "shell/ComPortList.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/files/_TFileManager.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/globals.h"
#include "scan/model/_TDataGrid.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "support/pump.h"
#include "support/text_file.h"

#include "framework/Dialogs.h"
#include "framework/FileUtils.h"
#include "framework/LittleEndianBytes.h"
#include "framework/StrConv.h"

#include <windows.h>

#include <cmath>

namespace {

// Clicks a menu item of the main window as the menu bar does.
void PostCommand(TMenuItem* Item)
{
    PostMessageW(MainForm->Handle(), WM_COMMAND, MAKEWPARAM(Item->Command(), 0), 0);
}

// The stand-in USB library with simulated devices of five models, bound once for the whole
// run, and unloaded only by the last suite, which needs no library. Under Wine, loading the
// stand-in again after the receive tests ran (unbound and bound before each test) faults in
// the loader itself: a read at FFFFF11C, which is a null thread-list link less the list's
// offset in the 32-bit thread block plus that of its TLS pointer array, so the loader's walk
// over the threads to give the DLL's TLS slot to each meets a thread left half unlinked. The
// DLL has a TLS directory (every MinGW image has one for its TLS callbacks). Loading, using
// and unloading the stand-in alone, with threads started after, does not fault
// (device_library_test), so the cause lies in what those tests' threads leave behind.
class UsbLibrary : public ::testing::Environment {
public:
    void SetUp() override
    {
        Usb = std::make_unique<TStandInUsb>("device Tarnwell\nserial TNW00042\nbaud 115200\nanswer HELLO TNW0001\\r\n"
                                            "device Qorr 21\nserial QR2100A7\nanswer HELLO QR210001\\r\n"
                                            "device Osprin 12\nserial OS1200B1\nanswer HELLO OS120001\\r\n"
                                            "device Qorr 41\nserial QR4100C2\nanswer HELLO QR410001\\r\n"
                                            "device Qorr 31\nserial QR3100D3\nanswer HELLO QR310001\\r\n");
        TracePath = Usb->TracePath();
        ASSERT_TRUE(Usb->Point());
        ASSERT_TRUE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/FTD2XX.DLL")));
    }
    void TearDown() override { Usb.reset(); }
    static inline std::unique_ptr<TStandInUsb> Usb;
    static inline std::u16string TracePath;
};
const auto* const usbLibrary = ::testing::AddGlobalTestEnvironment(new UsbLibrary);

// The main window with the definition files the build made for the simulated models in its
// program folder, and the messages of the program answered and recorded.
class DeviceCommands : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        for (const char16_t* file : {u"OS120001.dvc", u"QR210001.dvc", u"QR310001.dvc", u"QR410001.dvc", u"TNW0001.dvc"})
            CopyProgramFile(file);
        // The machine's serial ports as the dialogs list them.
        ComPortListSource().Key = u"Software\\Lorvane3D-tests\\none";
        ComPortListSource().SpoolerPorts = [](std::vector<std::u16string>& Names) {
            Names = {u"COM1:", u"COM41:"};
            return true;
        };
        TraceStart = TextOfFile(UsbLibrary::TracePath).size();
        ASSERT_TRUE(Start());
        InfoDialogSeam() = [this](uint8_t Kind, const std::u16string& Caption, const std::u16string& Text,
                                  uint16_t Buttons, const TNotifyEvent&) {
            Messages.push_back({Kind, Caption, Text, Buttons});
            return (Buttons & idbYes) ? MessageAnswer : int32_t{mrOk};
        };
    }
    void TearDown() override
    {
        ModalDialogHook() = nullptr;
        ImportTransferSeam() = nullptr;
        if (MainForm && MainForm->ComPort->Connected())
            MainForm->ComPort->Close();
        ProgramTest::TearDown();
        ResetComPortListSource();
    }

    // The library's calls since the test began.
    std::string Trace() const { return TextOfFile(UsbLibrary::TracePath).substr(TraceStart); }

    // Clicks Item and, once the dialog of type Form shows, runs Drive on it (which ends it);
    // true when the command ran to its end.
    template <class Form>
    bool RunCommand(TMenuItem* Item, const std::function<void(Form*)>& Drive)
    {
        const TModalDriver<Form> driver(Drive);
        return RunToEnd(Item) && driver.Shown > 0;
    }
    // Clicks Item; true when its command ended (no window of it left to show).
    bool RunToEnd(TMenuItem* Item)
    {
        bool ran = false;
        const TNotifyEvent click = Item->OnClick;
        Item->OnClick = [&](TObject* Sender) {
            click(Sender);
            ran = true;
        };
        PostCommand(Item);
        const bool ended = PumpUntil([&] { return ran; });
        Item->OnClick = click;
        return ended;
    }

    struct TMessage {
        uint8_t Kind;
        std::u16string Caption, Text;
        uint16_t Buttons;
    };
    std::vector<TMessage> Messages;
    int32_t MessageAnswer = mrYes;
    size_t TraceStart = 0;
};

// What an import dialog showed for one entry of the Import menu.
struct TImportSeen {
    std::u16string Caption;
    std::vector<std::u16string> Items;
    bool UseUSBChecked = false, UseUSBVisible = false;
    TBaudRate Baudrate = TBaudRate::br300;
    std::string Mask, DeviceName;
    std::u16string Folder, Port;
};

TImportSeen SeenOf(TImport* Dialog)
{
    return {Dialog->Caption(),        ItemsOf(Dialog->ComboBoxDVC), Dialog->UseUSB->Checked(),
            Dialog->UseUSB->Visible(), Dialog->USBDevice->Baudrate,   Dialog->DeviceFileMask(),
            Dialog->USBDevice->DeviceName, Dialog->EditFolder->Text(), Dialog->PortList->Text()};
}

TEST_F(DeviceCommands, EachImportEntryShowsTheDialogForItsModelWithTheFolderAndPortOfTheSettings)
{
    GlobalSettings.ImportFolder = Root + u"Imported";
    GlobalSettings.ComPort = u"COM41";
    struct TCase {
        TMenuItem* Item;
        const char16_t* Caption;
        std::vector<std::u16string> Items;
        bool UseUSBVisible;
        TBaudRate Baudrate;
        const char* Mask;
        const char* DeviceName;
    };
    const TCase cases[] = {
        {MainForm->FileImportOsprin, u"Import - Osprin 12 ...", {u"OS120001"}, true, TBaudRate::br19200, "OS12*.dvc", "Osprin 12"},
        {MainForm->FileImportHalvor, u"Import - Qorr 21 ...", {u"QR210001"}, true, TBaudRate::br19200, "QR21*.dvc", "Qorr 21"},
        {MainForm->Qorr311, u"Import - Qorr 31 ...", {u"QR310001"}, false, TBaudRate::br19200, "QR31*.dvc", "Qorr 31"},
        {MainForm->Qorr411, u"Import - Qorr 41 ...", {u"QR410001"}, false, TBaudRate::br19200, "QR41*.dvc", "Qorr 41"},
        {MainForm->Tarnwell1, u"Import - Tarnwell ...", {u"TNW0001"}, false, TBaudRate::br115200, "TNW*.dvc", "Tarnwell"},
    };
    bool transferred = false;
    ImportTransferSeam() = [&](const TImportRequest&) {
        transferred = true;
        return TImportTransfer{};
    };
    for (const TCase& c : cases) {
        TImportSeen seen;
        EXPECT_TRUE(RunCommand<TImport>(c.Item, [&](TImport* d) {
            seen = SeenOf(d);
            PostClick(d->ButtonCancel);
        })) << WideToUtf8(c.Caption);
        EXPECT_EQ(seen.Caption, c.Caption);
        EXPECT_EQ(seen.Items, c.Items) << WideToUtf8(c.Caption);
        EXPECT_TRUE(seen.UseUSBChecked);
        EXPECT_EQ(seen.UseUSBVisible, c.UseUSBVisible) << WideToUtf8(c.Caption);
        EXPECT_EQ(seen.Baudrate, c.Baudrate) << WideToUtf8(c.Caption);
        EXPECT_EQ(seen.Mask, c.Mask);
        EXPECT_EQ(seen.DeviceName, c.DeviceName);
        EXPECT_EQ(seen.Folder, GlobalSettings.ImportFolder);
        EXPECT_EQ(seen.Port, u"COM41");
    }
    // The entry for any device is hidden, and its command has no model name: no USB device can
    // be its device.
    TImportSeen seen;
    {
        const TModalDriver<TImport> driver([&](TImport* d) {
            seen = SeenOf(d);
            PostClick(d->ButtonCancel);
        });
        EXPECT_FALSE(MainForm->FileImportPellam->Visible());
        MainForm->FileImportPellamClick(MainForm->FileImportPellam);
    }
    EXPECT_EQ(seen.Caption, u"Import - Pellam ...");
    EXPECT_TRUE(seen.Items.empty());
    EXPECT_TRUE(seen.UseUSBChecked && seen.UseUSBVisible);
    EXPECT_EQ(seen.Baudrate, TBaudRate::br19200);
    EXPECT_EQ(seen.Mask, "*.dvc");
    EXPECT_EQ(seen.DeviceName, "");

    // Cancel transfers nothing and says nothing; every device asked was closed again, and the
    // Tarnwell ran at its own rate.
    EXPECT_FALSE(transferred);
    EXPECT_TRUE(Messages.empty());
    const std::string trace = Trace();
    EXPECT_EQ(Occurrences(trace, "FT_OpenEx("), 5u) << trace;
    EXPECT_EQ(Occurrences(trace, "FT_Close("), 5u) << trace;
    EXPECT_EQ(Occurrences(trace, ", 115200) = 0"), 1u) << trace;
    EXPECT_EQ(Occurrences(trace, ", 19200) = 0"), 4u) << trace;

    // The entry for a model without import shows nothing.
    bool shown = false;
    ModalDialogHook() = [&](TCustomForm*) { shown = true; };
    MainForm->KXStavro1Click(MainForm->MenuFileImport_Stavro);
    EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_FALSE(shown);
}

TEST_F(DeviceCommands, AnImportHandsTheChoicesToTheTransferAndReportsItsFiles)
{
    GlobalSettings.ImportFolder = Root + u"Imported\\Field";
    GlobalSettings.OpenFolder = Root + u"Scans\\";
    std::vector<TImportRequest> requests;
    TImportTransfer result{true, 3};
    // The transferred scan, which the user picks in the open dialog.
    const std::u16string scan = GlobalSettings.ImportFolder + u"\\field.dmo";
    std::vector<std::u16string> openFolders;
    FileDialogSeam() = [&](TFileDialogRequest& R) {
        openFolders.push_back(R.InitialDir);
        R.FileName = scan;
        return true;
    };
    const auto confirm = [](TImport* d) {
        d->cbDeleteFiles->SetChecked(true);
        PostClick(d->ButtonOK);
    };

    // OK makes the missing folder (asked first) and runs the transfer with the dialog's choices,
    // which writes the scan there.
    ImportTransferSeam() = [&](const TImportRequest& R) {
        requests.push_back(R);
        WriteFileBytes(scan, EncodeScanFile(MakeFieldExample().Source));
        return result;
    };
    ASSERT_TRUE(RunCommand<TImport>(MainForm->Tarnwell1, confirm));
    ASSERT_EQ(requests.size(), 1u);
    const TImportRequest& r = requests[0];
    EXPECT_EQ(r.ModelIndex, 5);
    EXPECT_EQ(r.Folder, GlobalSettings.ImportFolder + u"\\");
    EXPECT_TRUE(DirectoryExists(GlobalSettings.ImportFolder));
    EXPECT_EQ(r.DefinitionFile, u"TNW0001");
    EXPECT_EQ(r.Serial, "TNW00042");
    EXPECT_TRUE(r.UseUSB);
    EXPECT_TRUE(r.DeleteFiles);
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(Messages[0].Kind, idkConfirmation);
    EXPECT_EQ(Messages[1].Kind, idkInformation);
    EXPECT_EQ(Messages[1].Caption, u"Information");
    EXPECT_EQ(Messages[1].Text, u"3 File(s) have been transferred successfully.\r\r\nDo you want to open the file(s) now?");
    EXPECT_EQ(Messages[1].Buttons, idbYes | idbNo);
    // Yes ran the open command in the destination folder, and the scan chosen there is open;
    // the open dialog's own folder came back after.
    EXPECT_EQ(openFolders, std::vector<std::u16string>{GlobalSettings.ImportFolder + u"\\"});
    EXPECT_EQ(MainForm->State().Session().Files()->FileName(), scan);
    EXPECT_EQ(GlobalSettings.OpenFolder, Root + u"Scans\\");

    // No: nothing is opened. A transfer without files says so, with OK only.
    Messages.clear();
    MessageAnswer = mrNo;
    ASSERT_TRUE(RunCommand<TImport>(MainForm->Tarnwell1, confirm));
    result = {true, 0};
    ASSERT_TRUE(RunCommand<TImport>(MainForm->Tarnwell1, confirm));
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_EQ(openFolders.size(), 1u);
    EXPECT_EQ(Messages[1].Text, u"No File(s) have been transferred.");
    EXPECT_EQ(Messages[1].Buttons, idbOK);
    EXPECT_EQ(GlobalSettings.OpenFolder, Root + u"Scans\\");

    // No transfer: no message at all.
    Messages.clear();
    result = {};
    ASSERT_TRUE(RunCommand<TImport>(MainForm->Tarnwell1, confirm));
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(requests.size(), 4u);
}

TEST_F(DeviceCommands, NewShowsTheNewScanDialogWithTheStoredProfileAndStartsNothing)
{
    ASSERT_GE(Devices.size(), 6u);
    GlobalSettings.DeviceIndex = 5;
    std::u16string caption, profile;
    std::vector<std::u16string> profiles;
    ASSERT_TRUE(RunCommand<TDialog_Neu>(MainForm->MenuFileNew, [&](TDialog_Neu* d) {
        caption = d->Caption();
        profiles = ItemsOf(d->ComboBoxProfile);
        profile = d->ComboBoxProfile->Text();
        PostClick(d->ButtonOk);
    }));
    EXPECT_EQ(caption, u"New Project");
    ASSERT_EQ(profiles.size(), Devices.size());
    EXPECT_EQ(profiles[0], AnsiToWide(Devices[0].Name));
    EXPECT_EQ(profile, AnsiToWide(Devices[5].Name));
    // A confirmed dialog keeps the choice; receiving is not part of the program.
    EXPECT_EQ(GlobalSettings.DeviceIndex, 5);
    EXPECT_FALSE(MainForm->ComPort->Connected());
    EXPECT_EQ(LiveScan.DeviceIndex, -1);
    EXPECT_FALSE(MainForm->State().ReceiveActive());
}

// A receive as the receive side would run it: the port open on the test's line, the live scan
// set, the New command in its stop form and the points that arrived so far.
class StoppingAReceive : public DeviceCommands {
protected:
    void BeginReceive(uint8_t OperatingMode)
    {
        TComPortOf().SetPortNum(Environment("L3D_TEST_COM_PORT"));
        ASSERT_NO_THROW(TComPortOf().Open());
        LiveScan.DeviceIndex = 5;
        LiveScan.OperatingMode = OperatingMode;
        MainForm->Panel_Voltage->SetVisible(true);
        MainForm->MenuFileNew->SetCaption(u"Stop");
        MainForm->MenuFileNew->SetHint(u"Stop receiving");
        MainForm->MenuFileNew->SetImageIndex(ToolGlyphIndex(TToolGlyph::PortOpen));
        MainForm->ToolButtonNew->SetImageIndex(ToolGlyphIndex(TToolGlyph::PortOpen));
    }
    // Points 1 .. N of a grid of 4 points per line and 2 lines per block.
    void Arrive(uint32_t N)
    {
        TScanData& scan = Scan();
        scan.SetPointsPerLine(4);
        scan.SetLinesPerBlock(2);
        scan.BeginReceive(0);
        for (uint32_t i = 1; i <= N; ++i) {
            TScanRecord r;
            r.Value = float(i);
            scan.AddScanPoint(r);
        }
    }
    TScanData& Scan() { return *MainForm->State().Session().Scan(); }
    CPort::TComPort& TComPortOf() { return *MainForm->ComPort; }
};

TEST_F(StoppingAReceive, NewClosesThePortCompletesAGroundScanAndGivesTheCommandItsLookBack)
{
    const std::u16string caption = MainForm->MenuFileNew->Caption(), hint = MainForm->MenuFileNew->Hint();
    MainForm->SetDepthControlsEnabled(false);
    BeginReceive(0);
    Arrive(5);
    Dialog_Init->Show();
    ASSERT_TRUE(RunToEnd(MainForm->MenuFileNew));

    EXPECT_FALSE(MainForm->ComPort->Connected());
    EXPECT_FALSE(MainForm->Panel_Voltage->Visible());
    EXPECT_FALSE(Dialog_Init->Visible());
    EXPECT_EQ(LiveScan.DeviceIndex, -1);
    // The grid is completed, the undo snapshot taken, the depth controls on.
    EXPECT_EQ(Scan().Count, 8u);
    EXPECT_EQ(Scan().Receiving, 0);
    EXPECT_TRUE(FileExists(MainForm->State().Session().Files()->TempFileName()));
    EXPECT_TRUE(MainForm->State().DepthControlsEnabled());
    EXPECT_TRUE(MainForm->ToolButtonLineUp->Enabled());
    EXPECT_EQ(MainForm->State().Session().Image()->Smooth(), 1);
    // The commands of a scan are on; New looks as it did at the start.
    EXPECT_TRUE(MainForm->MenuFileSave->Enabled());
    EXPECT_EQ(MainForm->MenuFileNew->Caption(), caption);
    EXPECT_EQ(MainForm->MenuFileNew->Hint(), hint);
    EXPECT_EQ(MainForm->MenuFileNew->ImageIndex(), 2);
    EXPECT_EQ(MainForm->ToolButtonNew->ImageIndex(), 2);
    EXPECT_TRUE(ErrorBoxes.empty());

    // With the port closed, New is the new-scan command again.
    bool dialog = false;
    EXPECT_TRUE(RunCommand<TDialog_Neu>(MainForm->MenuFileNew, [&](TDialog_Neu* d) {
        dialog = true;
        PostClick(d->ButtonCancel);
    }));
    EXPECT_TRUE(dialog);
}

TEST_F(StoppingAReceive, ALiveScanKeepsOnlyThePointsThatArrivedWhenTheCancelTimerEndsIt)
{
    MainForm->SetDepthControlsEnabled(true);
    BeginReceive(2);
    Arrive(5);
    MainForm->TimerCancel->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([] { return !MainForm->ComPort->Connected(); }));
    EXPECT_FALSE(MainForm->TimerCancel->Enabled());
    EXPECT_EQ(Scan().Count, 5u);
    EXPECT_EQ(Scan().Receiving, 0);
    EXPECT_FALSE(MainForm->State().DepthControlsEnabled());
    EXPECT_EQ(MainForm->MenuFileNew->ImageIndex(), 2);
    // The timer ran the command once: no new-scan dialog followed.
    bool shown = false;
    ModalDialogHook() = [&](TCustomForm* F) {
        shown = true;
        F->SetModalResult(mrCancel);
    };
    const TimerWitness witness(static_cast<int>(MainForm->TimerCancel->Interval()));
    EXPECT_TRUE(PumpUntil(witness.Ticked(2)));
    EXPECT_FALSE(shown);
}

TEST_F(StoppingAReceive, AGpsScanIsMadeFromTheDataGridAndShownInsteadOfTheGrid)
{
    BeginReceive(4);
    TDataGrid& grid = *MainForm->State().DataGrid();
    grid.SetSize(3, 2, 1);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
            grid.GetCell(x, y, 0)->Value = float(10 * x + y);
    grid.GetCell(2, 0, 0)->Fix = std::make_unique<TGpsFix>(TGpsFix{47.9f, 8.25f, 150});
    grid.XFrom = 0;
    grid.XTo = 2;
    grid.YFrom = 0;
    grid.YTo = 1;
    ASSERT_TRUE(RunToEnd(MainForm->MenuFileNew));

    EXPECT_EQ(LiveScan.DeviceIndex, -1);
    ASSERT_EQ(Scan().Count, 6u);
    // The columns from the last down: the first point is the GPS cell (2, 0).
    const TScanPoint& first = *Scan().First;
    EXPECT_EQ(first.Value, 20.0f);
    EXPECT_EQ(le::F64At(first.Carried), 815.0);
    EXPECT_EQ(le::F64At(first.Carried + 8), 4754.0);
    EXPECT_EQ(le::F64At(first.Carried + 16), 1.5);
    int withFix = 0;
    Scan().ForEachStoredPoint([&](TScanPoint& P) { withFix += !std::isnan(le::F64At(P.Carried)); });
    EXPECT_EQ(withFix, 1);
    EXPECT_TRUE(MainForm->MenuFileSave->Enabled());
}

// Last, since it unloads the library for the rest of the run.
using WithoutTheUsbLibrary = DeviceCommands;

TEST_F(WithoutTheUsbLibrary, AnImportListsNoDeviceAndTheProgramRunsOn)
{
    EXPECT_FALSE(InstallD2XXLibrary(u"missing\\FTD2XX.DLL"));
    GlobalSettings.ImportFolder = Root;
    TImportSeen seen;
    bool okEnabled = true;
    ASSERT_TRUE(RunCommand<TImport>(MainForm->FileImportOsprin, [&](TImport* d) {
        seen = SeenOf(d);
        okEnabled = d->ButtonOK->Enabled();
        PostClick(d->ButtonCancel);
    }));
    EXPECT_TRUE(seen.Items.empty());
    EXPECT_FALSE(okEnabled);
    EXPECT_TRUE(Messages.empty());
    EXPECT_TRUE(ErrorBoxes.empty());
    EXPECT_TRUE(MainForm->MenuFileNew->Enabled());
}

}  // namespace
