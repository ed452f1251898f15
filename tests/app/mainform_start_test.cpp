// The program's start and end, through the entry point's own steps: the splash screen's
// progress and version, the settings file of a first and a second start, the repair of stored
// step sizes, a missing data-tables file and a start-up that fails.
#include "program_fixture.h"

#include "app/SettingsPayload.h"
#include "app/dlg_info.h"
#include "app/dlg_splashscreen.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"

#include "framework/Application.h"
#include "framework/Delays.h"
#include "framework/FileUtils.h"
#include "framework/Screen.h"
#include "framework/Streams.h"

#include <windows.h>

#include <cmath>

namespace {

constexpr size_t SettingsHeaderSize = 49;

// The settings record a settings file holds, read as the program reads its payload.
TSettingsRecord StoredSettings(const std::vector<uint8_t>& File)
{
    TSettingsRecord stored;
    stored.Language = u"(not read)";
    EXPECT_GT(File.size(), SettingsHeaderSize);
    TMemoryStream payload(File.data() + SettingsHeaderSize, File.size() - SettingsHeaderSize);
    std::vector<TGlobalDevice> devices = Devices;
    EXPECT_TRUE(LoadSettingsPayload(payload, stored, devices, nullptr));
    return stored;
}

}  // namespace

TEST_F(ProgramTest, TheSplashScreenShowsTheVersionAndEachStepOfTheStart)
{
    std::u16string version, build;
    SleepSeam() = [&](uint32_t Ms) {
        Waits.push_back(Ms);
        Progress.push_back(SplashScreen ? SplashScreen->ProgressBar->LightValue() : -1);
        if (SplashScreen && version.empty()) {
            version = SplashScreen->Label5->Caption();
            build = SplashScreen->Label4->Caption();
        }
    };
    ASSERT_TRUE(Start());

    EXPECT_EQ(Progress, (std::vector<int32_t>{0, 10, 60, 40, 100}));
    EXPECT_EQ(Waits, (std::vector<uint32_t>{300, 300, 300, 300, 200}));
    // The version block compiled into the program.
    EXPECT_EQ(version, u"2.0.1");
    EXPECT_EQ(build, u"162");
    // The splash screen is gone; the windows of the start stand, the main one shown.
    EXPECT_EQ(SplashScreen, nullptr);
    ASSERT_NE(Dialog_Info, nullptr);
    EXPECT_FALSE(Dialog_Info->Visible());
    EXPECT_TRUE(MainForm->Visible());
    EXPECT_EQ(MainForm->Caption(), u"Lorvane 3D");
    EXPECT_EQ(Application->MainForm.Get(), MainForm);
}

TEST_F(ProgramTest, WithoutAVersionBlockTheSplashScreenShowsTheFallbackVersion)
{
    TSplashScreen* splash = CreateComponent<TSplashScreen>(nullptr);
    // A file without a version block (the data file is no program at all).
    splash->ElVersionInfo1->SetFileName(ProgramDir + u"Lorvane3D.dat");
    splash->ShowVersion(*splash->ElVersionInfo1);
    EXPECT_EQ(splash->Label5->Caption(), u"2.0.0");
    EXPECT_EQ(splash->Label4->Caption(), u"88");
    Free(splash);
}

TEST_F(ProgramTest, AFirstStartWritesTheDefaultsAndASecondStartReadsTheStoredSettings)
{
    ASSERT_FALSE(FileExists(SettingsFile()));
    ASSERT_TRUE(Start());
    // The first start wrote the defaults at once.
    const TSettingsRecord first = StoredSettings(ReadFileBytes(SettingsFile()));
    const std::u16string scans = Documents + u"Lorvane 3D\\My Scans\\";
    EXPECT_EQ(first.OpenFolder, scans);
    EXPECT_TRUE(DirectoryExists(scans));
    EXPECT_EQ(first.SpareFolder1, scans);
    EXPECT_EQ(first.SpareFolder2, scans);
    EXPECT_EQ(first.ImportFolder, scans);
    EXPECT_EQ(first.DeviceIndex, -1);
    EXPECT_EQ(first.ComPort, u"COM1");
    EXPECT_EQ(first.StoredFlag1, 1);
    EXPECT_EQ(first.SplitScreen, 1);
    EXPECT_EQ(first.StoredFlag2, 1);
    EXPECT_EQ(first.ZoomStep, 1.25f);
    EXPECT_EQ(first.MoveStep, 1.0f);
    EXPECT_EQ(first.RotateStep, 1.0f);
    EXPECT_EQ(first.ColorLimitStep, 3.0f);
    EXPECT_EQ(first.Language, u"en_US");
    EXPECT_EQ(first.SurfaceThreshold, 7);
    EXPECT_EQ(first.SurroundThreshold, 4);
    EXPECT_EQ(first.InterpolationPasses, 1);
    EXPECT_EQ(first.BackgroundColor, 0u);
    EXPECT_EQ(first.InfoWindowVisible, 0);
    EXPECT_EQ(first.InfoWindowLeft, MainForm->Navigator->Left() + MainForm->Navigator->Width());
    // The top of the navigator while the window was made (the tool bars' rows then decide it).
    EXPECT_GT(first.InfoWindowTop, 0);
    EXPECT_TRUE(MainForm->MenuExtrasSplitScreen->Checked());

    // What the user changed is stored at the end and in force at the next start.
    GlobalSettings.SplitScreen = 0;
    GlobalSettings.ZoomStep = 2.5f;
    GlobalSettings.SurfaceThreshold = 12;
    GlobalSettings.ComPort = u"COM12";
    LanguageManager->SetActiveLanguageName(u"de_DE");
    Stop();
    ASSERT_TRUE(Start());
    EXPECT_EQ(GlobalSettings.SplitScreen, 0);
    EXPECT_FALSE(MainForm->MenuExtrasSplitScreen->Checked());
    EXPECT_EQ(GlobalSettings.ZoomStep, 2.5f);
    EXPECT_EQ(GlobalSettings.ComPort, u"COM12");
    EXPECT_EQ(GlobalSettings.SurfaceThreshold, 12);
    EXPECT_EQ(GlobalSettings.Language, u"de_DE");
    EXPECT_EQ(LanguageManager->ActiveLanguageName(), u"de_DE");
    EXPECT_NE(MainForm->MenuFile->Caption(), u"File");
}

TEST_F(ProgramTest, StoredStepSizesThatCannotWorkAreRepairedAtStart)
{
    ASSERT_TRUE(Start());
    GlobalSettings.ZoomStep = -2.0f;
    GlobalSettings.MoveStep = 0.0f;
    GlobalSettings.RotateStep = std::nanf("");
    GlobalSettings.ColorLimitStep = 0.0f;
    Stop();
    ASSERT_TRUE(Start());
    EXPECT_EQ(GlobalSettings.ZoomStep, 1.25f);
    EXPECT_EQ(GlobalSettings.MoveStep, 1.0f);
    EXPECT_EQ(GlobalSettings.RotateStep, 1.0f);
    // The colour-limit step is taken as stored.
    EXPECT_EQ(GlobalSettings.ColorLimitStep, 0.0f);
}

TEST_F(ProgramTest, WithoutTheDataFileTheProgramNamesItAndEndsLeavingTheSettingsAlone)
{
    ASSERT_TRUE(Start());
    Stop();
    const std::vector<uint8_t> stored = ReadFileBytes(SettingsFile());
    ASSERT_FALSE(stored.empty());
    ASSERT_TRUE(FileDelete(ProgramDir + u"Lorvane3D.dat"));

    EXPECT_FALSE(Start());
    ASSERT_EQ(ErrorBoxes.size(), 1u);
    EXPECT_NE(ErrorBoxes[0].find(u"Lorvane3D.dat"), std::u16string::npos);
    // No window is left, the program was asked to end, and the file is as it was.
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(Screen->FormCount(), 0);
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(ReadFileBytes(SettingsFile()), stored);

    // On a first start nothing is written either.
    ASSERT_TRUE(FileDelete(SettingsFile()));
    EXPECT_FALSE(Start());
    EXPECT_FALSE(FileExists(SettingsFile()));
}

TEST_F(ProgramTest, AStartUpThatFailsIsShownAndNoHalfMadeWindowRuns)
{
    // The wait after the first step of the main window's creation fails.
    FailAtWait = 1;
    EXPECT_FALSE(Start());
    ASSERT_EQ(ErrorBoxes.size(), 1u);
    EXPECT_NE(ErrorBoxes[0].find(u"The start-up failed here"), std::u16string::npos);
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(SplashScreen, nullptr);
    EXPECT_EQ(Dialog_Info, nullptr);
    EXPECT_EQ(LanguageManager, nullptr);
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_FALSE(FileExists(SettingsFile()));
}
