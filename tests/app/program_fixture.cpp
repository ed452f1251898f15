#include "program_fixture.h"
#include "mainroad_support.h"

#include "app/ProgramStart.h"
#include "app/dlg_splashscreen.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/globals.h"

#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Delays.h"
#include "framework/Dialogs.h"
#include "framework/FileSystem.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <windows.h>

#include <filesystem>
#include <random>
#include <stdexcept>

namespace {

std::u16string ProgramDirOfBuild()
{
    return std::filesystem::path(L3D_PROGRAM_DIR).make_preferred().u16string() + u"\\";
}

}  // namespace

void ProgramTest::SetUp()
{
    static const unsigned processTag = std::random_device{}();
    static int serial = 0;
    Root = TempFolder() + u"l3d-start-" + Utf8ToWide(std::to_string(processTag)) + u"-" +
           Utf8ToWide(std::to_string(++serial)) + u"\\";
    ProgramDir = Root + u"Program\\";
    AppData = Root + u"AppData\\";
    Documents = Root + u"Documents\\";
    Pictures = Root + u"Pictures\\";
    for (const std::u16string& folder : {ProgramDir, AppData, Documents, Pictures})
        ASSERT_TRUE(ForceDirectories(folder));
    CopyProgramFile(u"Lorvane3D.dat");
    CopyProgramFile(u"Lorvane3D.lng");

    FolderSeam().SpecialFolder = [this](TSpecialFolder Folder) {
        const std::u16string& f = Folder == TSpecialFolder::AppData    ? AppData
                                  : Folder == TSpecialFolder::Pictures ? Pictures
                                                                       : Documents;
        return f.substr(0, f.size() - 1);
    };
    FolderSeam().ProgramFile = [this] { return ProgramDir + u"Lorvane3D.exe"; };
    SleepSeam() = [this](uint32_t Ms) {
        Waits.push_back(Ms);
        Progress.push_back(SplashScreen ? SplashScreen->ProgressBar->LightValue() : -1);
        if (static_cast<int>(Waits.size()) - 1 == FailAtWait)
            throw std::runtime_error("The start-up failed here");
    };
    MessageBoxSeam() = [this](const std::u16string& Text, const std::u16string&, uint32_t) {
        ErrorBoxes.push_back(Text);
        return IDOK;
    };
    InfoDialogSeam() = [this](uint8_t, const std::u16string&, const std::u16string& Text, uint16_t,
                              const TNotifyEvent&) {
        ErrorBoxes.push_back(Text);
        return int32_t{1};
    };
}

void ProgramTest::TearDown()
{
    Stop();
    // A quit request of a failed start must not end the next test's loop.
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ResetFolderSeam();
    ResetSleepSeam();
    ResetDialogSeams();
    InfoDialogSeam() = nullptr;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Root), ignored);
}

bool ProgramTest::Start(std::vector<std::u16string> Arguments)
{
    // Every run of the program begins with the settings and tables as a new process has them.
    GlobalSettings = TSettingsRecord{};
    Devices.clear();
    SoilTypes.clear();
    MeasureUnits.clear();
    LiveScan = TLiveScan{};
    ProgramArguments() = std::move(Arguments);
    Progress.clear();
    Waits.clear();

    InstallProgramServices();
    if (!CreateProgramForms())
        return false;
    MainForm->Show();
    EXPECT_TRUE(Settled());
    return true;
}

void ProgramTest::Stop()
{
    FreeProgramForms();
    PumpUntil(PostedMessagesHandled());
}

void ProgramTest::CopyProgramFile(const std::u16string& Name)
{
    WriteFileBytes(ProgramDir + Name, ReadFileBytes(ProgramDirOfBuild() + Name));
}

void ProgramTest::CopyExampleScans()
{
    ASSERT_TRUE(ForceDirectories(ExamplesFolder()));
    const std::u16string built = ProgramDirOfBuild() + u"Examples\\";
    const std::vector<TSearchRec> found = FindFiles(built + u"*.dmo");
    ASSERT_FALSE(found.empty()) << "the build wrote no example scans";
    for (const TSearchRec& file : found)
        WriteFileBytes(ExamplesFolder() + file.Name, ReadFileBytes(built + file.Name));
}

void ProgramTest::StartWithExample(const std::u16string& Name)
{
    CopyExampleScans();
    ASSERT_TRUE(Start());
    ASSERT_GT(MainForm->MenuFileExamples->Count(), 0);
    MainForm->OpenFile(ExamplesFolder() + Name);
    ASSERT_FALSE(MainForm->State().Session().Magic().empty());
    ASSERT_TRUE(mainroad::WaitForFrame());
}
