// The import dialog on real windows under Wine, over the stand-in USB library (FTD2XX.DLL from
// the build's program folder) with simulated devices, and without any library.
#include "definition_writing.h"
#include "form_driving.h"
#include "stand_in_usb.h"

#include "device/D2XXLibrary.h"
#include "device/dlg_import.h"

#include "shell/ComPortList.h"
#include "scan/files/globals.h"
#include "support/pump.h"
#include "support/text_file.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace {

// The program folder with the Tarnwell's definition file and two Qorr 21 files, the simulated
// devices (two Tarnwells, one of them naming a file that is not there, and a Qorr 21), the
// trace of the library's calls, and the serial ports of the test.
class ImportSetup : public ::testing::Environment {
public:
    void SetUp() override
    {
        Usb = std::make_unique<TStandInUsb>("device Tarnwell\nserial TNW00042\nbaud 115200\n"
                                            "answer HELLO TNW0001\\r\n"
                                            "device Qorr 21\nserial QR2100A7\nanswer HELLO QR210001\\r\n"
                                            "device Tarnwell\nserial TNW00043\nbaud 115200\n"
                                            "answer HELLO TNW0002\\r\n");
        ProgramFolderPath = IncludeTrailingPathDelimiter(Usb->Folder.Root.u16string());
        FolderSeam().ProgramFile = [] { return ProgramFolderPath + u"Lorvane3D.exe"; };
        WriteDefinition(Usb->Folder.Path("TNW0001.dvc"), "TNW0001", 0);
        WriteDefinition(Usb->Folder.Path("QR210001.dvc"), "QR210001", 0);
        WriteDefinition(Usb->Folder.Path("QR210002.dvc"), "QR210002", 0);
        ASSERT_TRUE(Usb->Point());
        ASSERT_TRUE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/FTD2XX.DLL")));
        ComPortListSource().SpoolerPorts = [](std::vector<std::u16string>& Names) {
            Names = {u"COM1:", u"COM12:"};
            return true;
        };
        ComPortListSource().Key = u"Software\\Lorvane3D-tests\\none";
    }
    void TearDown() override
    {
        InstallD2XXLibrary(u"missing\\FTD2XX.DLL");
        ResetComPortListSource();
        ResetFolderSeam();
        Usb.reset();
    }
    // The stand-in's folder is the program folder as well.
    static inline std::unique_ptr<TStandInUsb> Usb;
    static inline std::u16string ProgramFolderPath;
};
const auto* const setup = ::testing::AddGlobalTestEnvironment(new ImportSetup);

// The import command up to showing the dialog, for the Import menu's entry Model.
TImport* PrepareImport(uint8_t Model, const std::u16string& MenuCaption)
{
    auto* dialog = CreateComponent<TImport>(nullptr);
    dialog->Prepare(Model, MenuCaption);
    dialog->RefreshDeviceList();
    return dialog;
}

TEST(ImportDialog, TheTarnwellEntryListsTheOneDeviceNamingAnExistingDefinitionFile)
{
    TAnsweredMessages messages;
    GlobalSettings.ImportFolder = ImportSetup::ProgramFolderPath + u"imported";
    GlobalSettings.ComPort = u"COM12";
    TOwned<TImport> dialog(PrepareImport(5, u"Tarnwell ..."));
    EXPECT_EQ(dialog->Caption(), u"Import - Tarnwell ...");
    EXPECT_EQ(ItemsOf(dialog->ComboBoxDVC), std::vector<std::u16string>{u"TNW0001"});
    EXPECT_EQ(dialog->SelectedEntry()->Serial, "TNW00042");
    EXPECT_FALSE(dialog->UseUSB->Visible() || dialog->PortList->Visible());
    EXPECT_EQ(dialog->PortList->Text(), u"COM12");
    EXPECT_TRUE(dialog->ButtonOK->Enabled());

    // Both Tarnwells were opened at 115200 baud, asked once and closed once each; the Qorr 21 never.
    const std::string trace = ImportSetup::Usb->Trace();
    EXPECT_EQ(Occurrences(trace, "FT_OpenEx(serial \"TNW0004"), 2u) << trace;
    EXPECT_EQ(Occurrences(trace, "FT_OpenEx("), 2u) << trace;
    EXPECT_EQ(Occurrences(trace, ", 115200) = 0"), 2u) << trace;
    EXPECT_EQ(Occurrences(trace, "FT_SetBaudRate("), 2u) << trace;
    EXPECT_EQ(Occurrences(trace, "6 written \"HELLO\\r\""), 2u) << trace;
    EXPECT_EQ(Occurrences(trace, "FT_Close("), 2u) << trace;

    // The dialog as the user sees it; OK asks for the missing folder, makes it and closes.
    TSize size;
    EXPECT_EQ(RunModal<TImport>(dialog.get(),
                                [&](TImport* d) {
                                    EXPECT_TRUE(PumpUntil(NothingToPaint));
                                    size = l3d::testing::SaveWindowPicture(
                                        d->Handle(), std::filesystem::absolute("import_dialog.png").u16string());
                                    PostClick(d->ButtonOK);
                                }),
              mrOk);
    EXPECT_GT(size.cx, 440);
    EXPECT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(dialog->EditFolder->Text(), GlobalSettings.ImportFolder + u"\\");
    EXPECT_TRUE(DirectoryExists(GlobalSettings.ImportFolder));
}

TEST(ImportDialog, WithoutUsbTheModelsFilesAreListedAndAFolderThatCannotBeMadeKeepsItOpen)
{
    TAnsweredMessages messages;
    GlobalSettings.ImportFolder = ImportSetup::ProgramFolderPath + u"TNW0001.dvc\\sub";
    TOwned<TImport> dialog(PrepareImport(1, u""));
    EXPECT_EQ(dialog->Caption(), u"Import");
    EXPECT_EQ(ItemsOf(dialog->ComboBoxDVC), std::vector<std::u16string>{u"QR210001"});  // the attached Qorr 21
    messages.OnShown = [&] {
        if (messages.Shown.size() == 2)
            PostClick(dialog->ButtonCancel);
    };
    std::vector<std::u16string> files;
    EXPECT_EQ(RunModal<TImport>(dialog.get(),
                                [&](TImport* d) {
                                    // Clearing "use USB" shows the port list and lists the model's files.
                                    PostClick(d->UseUSB);
                                    EXPECT_TRUE(PumpUntil([&] { return !d->UseUSB->Checked(); }));
                                    EXPECT_TRUE(d->PortList->Visible() && d->LabelInterface->Visible());
                                    files = ItemsOf(d->ComboBoxDVC);
                                    PostClick(d->ButtonOK);
                                }),
              mrCancel);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::u16string>{u"QR210001.dvc", u"QR210002.dvc"}));
    EXPECT_EQ(messages.Shown, (std::vector<std::u16string>{
                                  u"Confirmation: Destination folder does not exist. Do you want to create it now?",
                                  u"Error: The destination folder could not be created."}));
}

TEST(ImportDialog, WithoutTheLibraryNoDeviceIsListedAndTheDialogRunsOn)
{
    EXPECT_FALSE(InstallD2XXLibrary(Utf8ToWide(L3D_PROGRAM_DIR "/missing/FTD2XX.DLL")));
    GlobalSettings.ImportFolder = ImportSetup::ProgramFolderPath;
    TOwned<TImport> dialog(PrepareImport(5, u"Tarnwell ..."));
    EXPECT_EQ(dialog->ComboBoxDVC->Items()->Count(), 0);
    EXPECT_FALSE(dialog->ButtonOK->Enabled());
    EXPECT_EQ(RunModal<TImport>(dialog.get(), [](TImport* d) { PostClick(d->ButtonCancel); }), mrCancel);
}

} // namespace
