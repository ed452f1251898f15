// Opening scans on the real main window: each example from the Examples menu, File > Open
// through the file dialog, the command line, the recent list after a restart, and files that
// are refused while another scan is shown.
#include "mainroad_support.h"

#include "ExampleScans.h"
#include "app/ScanKinds.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "shell/dlg_infodialog.h"
#include "support/real_input.h"

#include "framework/Dialogs.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"

#include <cmath>
#include <cstring>

using namespace mainroad;

namespace {

bool SameViews(const TViewStates& A, const TViewStates& B)
{
    return std::memcmp(&A, &B, sizeof A) == 0;
}

std::u16string EnvironmentVariable(const wchar_t* Name)
{
    wchar_t value[1024] = {};
    const DWORD n = GetEnvironmentVariableW(Name, value, 1024);
    return n < 1024 ? std::u16string(reinterpret_cast<const char16_t*>(value), n) : std::u16string();
}

}  // namespace

TEST_F(ProgramTest, EachExampleOpensFromTheMenuAndSetsTheWindowUpForItsKind)
{
    CopyExampleScans();
    ASSERT_TRUE(Start());
    struct TCase {
        TExampleScan Scan;
        std::string Magic;
        bool Depth;
        uint8_t Scheme;
    };
    const TCase cases[] = {{MakeFieldExample(), "DMO.L3D.01", true, 0},
                           {MakeTarnwellSampleExample(), "DMO.TNW.01", false, 2},
                           {MakeTarnwellScanExample(), "TNW.TNW.01", false, 2},
                           {MakeFieldExample(), "DMO.L3D.01", true, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Scan.FileName);
        const std::u16string name = Utf8ToWide(c.Scan.FileName);
        TMenuItem* item = ExampleItem(name.substr(0, name.size() - 4));
        ASSERT_NE(item, nullptr);
        // A camera command before the open: the stored views must replace it.
        Drag(MK_LBUTTON, 10, 10, MainForm->State().Views().Viewports()[MainViewport]);
        RunCommand(item);

        EXPECT_EQ(MainForm->State().Session().Magic(), c.Magic);
        TScanData& scan = *MainForm->State().Session().Scan();
        EXPECT_EQ(scan.Count, uint32_t(c.Scan.Columns * c.Scan.Rows));
        EXPECT_EQ(MainForm->State().DepthControlsEnabled(), c.Depth);
        EXPECT_EQ(MainForm->ComboBoxSoil->Enabled(), c.Depth);
        EXPECT_EQ(scan.ColorScheme, c.Scheme);
        EXPECT_TRUE(SameViews(MainForm->State().Views().States(), c.Scan.Source.ViewStates));
        EXPECT_EQ(MainForm->Caption(), WindowCaptionText(c.Scan.Source.Remarks.Project, name));
        EXPECT_EQ(MainForm->Caption(), u"Lorvane 3D - " + c.Scan.Source.Remarks.Project + u" ( \"" + name + u"\" )");
        EXPECT_EQ(MainForm->ComboBoxSoil->ItemIndex(), c.Scan.Source.Remarks.SoilType);
        EXPECT_EQ(scan.SoilFactor, SoilTypes[size_t(c.Scan.Source.Remarks.SoilType)].Factor);
        EXPECT_EQ(MainForm->State().Session().Image()->FieldLength(), c.Scan.Source.Remarks.FieldLength);
        EXPECT_EQ(MainForm->State().Session().Image()->Smooth(), 1);
        EXPECT_EQ(GlobalSettings.OpenFolder, ExamplesFolder());
        EXPECT_FALSE(MainForm->State().Session().Edited());
        EXPECT_FALSE(MainForm->MenuEditReset->Enabled());
        EXPECT_FALSE(MainForm->ToolButtonUndo->Enabled());
        EXPECT_TRUE(MainForm->MenuViewReset->Enabled());

        // The surface is drawn in the main view.
        ASSERT_TRUE(WaitForFrame());
        EXPECT_GT(PixelsOtherThan(ViewPixels(MainForm->State().Views().Viewports()[MainViewport]), 0), 1000u);
    }
    // Three different files entered the recent list; the fourth open was one of them.
    EXPECT_EQ(MainForm->MenuFile_LastUsed->Count(), 3);
}

TEST_F(ProgramTest, FileOpenStartsInTheLastFolderAndTheChosenFileComesBackAfterARestart)
{
    const std::u16string folder = Root + u"Scans\\";
    ASSERT_TRUE(ForceDirectories(folder));
    const std::u16string path = folder + u"mill.dmo";
    TExampleScan field = MakeFieldExample();
    field.Source.Remarks.Project.clear();
    WriteFileBytes(path, EncodeScanFile(field.Source));
    ASSERT_TRUE(Start());

    std::vector<TFileDialogRequest> asked;
    FileDialogSeam() = [&](TFileDialogRequest& Request) {
        asked.push_back(Request);
        return false;
    };
    // Cancelled: nothing changes.
    PostKey('O', true);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_FALSE(asked[0].Save);
    EXPECT_EQ(asked[0].Title, u"Open");
    EXPECT_EQ(asked[0].InitialDir, Documents + u"Lorvane 3D\\My Scans\\");
    ASSERT_EQ(asked[0].Filters.size(), 1u);
    EXPECT_EQ(asked[0].Filters[0].first, u"Demo files (*.dmo)");
    EXPECT_EQ(asked[0].Filters[0].second, u"*.dmo");
    EXPECT_TRUE(MainForm->State().Session().Magic().empty());
    EXPECT_EQ(MainForm->Caption(), u"Lorvane 3D");
    EXPECT_FALSE(MainForm->MenuViewReset->Enabled());

    // Chosen through the Open tool button: a scan without a project name.
    FileDialogSeam() = [&](TFileDialogRequest& Request) {
        asked.push_back(Request);
        Request.FileName = path;
        return true;
    };
    MainForm->ToolButtonOpen->Click();
    ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
    EXPECT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
    EXPECT_EQ(MainForm->Caption(), u"Lorvane 3D - \"mill.dmo\"");
    EXPECT_EQ(GlobalSettings.OpenFolder, folder);

    // After a restart the dialog starts in that folder, and the recent list reopens the file.
    ResetDialogSeams();
    Stop();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(MainForm->State().Session().Magic().empty());
    ASSERT_EQ(MainForm->MenuFile_LastUsed->Count(), 1);
    RunCommand(MainForm->MenuFile_LastUsed->Items(0));
    EXPECT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
    EXPECT_EQ(MainForm->Caption(), u"Lorvane 3D - \"mill.dmo\"");
    FileDialogSeam() = [&](TFileDialogRequest& Request) {
        asked.push_back(Request);
        return false;
    };
    RunCommand(MainForm->MenuFileOpen);
    EXPECT_EQ(asked.back().InitialDir, folder);
}

TEST_F(ProgramTest, AScanNamedOnTheCommandLineIsOpenWhenTheWindowShows)
{
    CopyExampleScans();
    const std::u16string path = ExamplesFolder() + u"Tarnwell sample.dmo";
    ASSERT_TRUE(Start({path}));
    EXPECT_EQ(MainForm->State().Session().Magic(), "DMO.TNW.01");
    EXPECT_EQ(MainForm->State().Session().Files()->FileName(), path);
    ASSERT_TRUE(WaitForFrame());
    EXPECT_GT(PixelsOtherThan(ViewPixels(MainForm->State().Views().Viewports()[MainViewport]), 0), 1000u);
}

TEST_F(ProgramTest, ARefusedFileShowsItsMessageAndLeavesThePreviousScanAsItWasDrawn)
{
    CopyExampleScans();
    ASSERT_TRUE(Start());
    RunCommand(ExampleItem(u"Field with metal object"));
    ASSERT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
    // A turned view, so that a reset to the presets would show.
    Drag(MK_LBUTTON, 15, 15, MainForm->State().Views().Viewports()[MainViewport]);
    ASSERT_TRUE(DrawFrame());
    const l3d::testing::Pixels before = ViewPixels(MainForm->State().Views().Viewports()[MainViewport]);
    const TViewStates views = MainForm->State().Views().States();
    const std::u16string caption = MainForm->Caption();
    const std::u16string folder = GlobalSettings.OpenFolder;
    const uint32_t count = MainForm->State().Session().Scan()->Count;

    // A Tarnwell file cut short inside its fixed blocks, a file of a kind without a loader,
    // a missing file: each is reported, none changes anything.
    std::vector<uint8_t> cut = EncodeScanFile(MakeTarnwellSampleExample().Source);
    cut.resize(300);
    WriteFileBytes(Root + u"cut.dmo", cut);
    std::vector<uint8_t> unknown = EncodeScanFile(MakeFieldExample().Source);
    std::memcpy(unknown.data(), "XYZ.XYZ.01", 10);
    WriteFileBytes(Root + u"unknown.dmo", unknown);
    for (const char16_t* name : {u"cut.dmo", u"unknown.dmo", u"missing.dmo"}) {
        SCOPED_TRACE(WideToUtf8(std::u16string(name)));
        const size_t messages = ErrorBoxes.size();
        MainForm->OpenFile(Root + name);
        EXPECT_EQ(ErrorBoxes.size(), messages + 1);
        EXPECT_EQ(MainForm->State().Session().Magic(), "DMO.L3D.01");
        EXPECT_EQ(MainForm->State().Session().Scan()->Count, count);
        EXPECT_TRUE(SameViews(MainForm->State().Views().States(), views));
        EXPECT_EQ(MainForm->Caption(), caption);
        EXPECT_EQ(GlobalSettings.OpenFolder, folder);
        EXPECT_TRUE(MainForm->State().DepthControlsEnabled());
        EXPECT_TRUE(MainForm->State().Views().RepaintPending());
        ASSERT_TRUE(WaitForFrame());
        const l3d::testing::Pixels after = ViewPixels(MainForm->State().Views().Viewports()[MainViewport]);
        EXPECT_EQ(after.data, before.data);
    }
    EXPECT_EQ(MainForm->MenuFile_LastUsed->Count(), 1);
}

// A temporary folder that takes no files (here the system's read-only /sys, which refuses even
// its owner): each scan opens all the same, without an undo snapshot. The user is told once per
// scan, in an information box; Undo all changes stays off, also after an edit. Once the folder
// takes files again, the next open has its snapshot and an edit can be undone.
TEST_F(ProgramTest, AReadOnlyTemporaryFolderStillOpensScansWithUndoOff)
{
    const std::u16string readOnly = u"Z:\\sys\\";
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(readOnly.c_str()));
    ASSERT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(CreateTempFile(u"l3d", readOnly).empty()) << "the folder must refuse new files";
    CopyExampleScans();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(l3d::testing::FocusWindow(MainForm->Handle()));
    std::vector<std::pair<uint8_t, std::u16string>> told;
    InfoDialogSeam() = [&](uint8_t Kind, const std::u16string&, const std::u16string& Text, uint16_t,
                           const TNotifyEvent&) {
        told.push_back({Kind, Text});
        return int32_t{1};
    };
    const std::u16string tmp = EnvironmentVariable(L"TMP");
    SetEnvironmentVariableW(L"TMP", reinterpret_cast<const wchar_t*>(readOnly.c_str()));

    for (const char16_t* example : {u"Field with metal object", u"Tarnwell sample"}) {
        SCOPED_TRACE(WideToUtf8(example));
        told.clear();
        RunCommand(ExampleItem(example));
        EXPECT_EQ(MainForm->State().Session().Files()->FileName(), ExamplesFolder() + example + u".dmo");
        EXPECT_FALSE(MainForm->State().Session().Files()->HasSnapshot());
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0].first, 2);
        EXPECT_NE(told[0].second.find(u"cannot be undone"), std::u16string::npos);
        // An edit as the keyboard gives it: Undo stays off, and nothing more is said.
        l3d::testing::PressKey('X', {VK_CONTROL});
        EXPECT_TRUE(MainForm->State().Session().Edited());
        EXPECT_FALSE(MainForm->MenuEditReset->Enabled());
        EXPECT_FALSE(MainForm->ToolButtonUndo->Enabled());
        MainForm->UpdateMenuStates(true);
        EXPECT_FALSE(MainForm->MenuEditReset->Enabled());
        EXPECT_FALSE(MainForm->ToolButtonUndo->Enabled());
        EXPECT_EQ(told.size(), 1u);
        ASSERT_TRUE(WaitForFrame());
        EXPECT_GT(PixelsOtherThan(ViewPixels(MainForm->State().Views().Viewports()[MainViewport]), 0), 1000u);
    }

    SetEnvironmentVariableW(L"TMP", reinterpret_cast<const wchar_t*>(tmp.c_str()));
    told.clear();
    RunCommand(ExampleItem(u"Field with metal object"));
    EXPECT_TRUE(MainForm->State().Session().Files()->HasSnapshot());
    EXPECT_TRUE(told.empty());
    const float opened = MainForm->State().Session().Scan()->First->Value;
    l3d::testing::PressKey('X', {VK_CONTROL});
    ASSERT_TRUE(MainForm->ToolButtonUndo->Enabled());
    ASSERT_TRUE(MainForm->MenuEditReset->Enabled());
    RunCommand(MainForm->MenuEditReset);
    const float undone = MainForm->State().Session().Scan()->First->Value;
    EXPECT_TRUE(undone == opened || (std::isnan(undone) && std::isnan(opened)));
}
