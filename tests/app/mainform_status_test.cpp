// What the main window shows besides its texts: the Examples menu, the hint of a highlighted
// menu item in the status bar, and which commands a loaded scan enables.
#include "mainroad_support.h"

#include "ExampleScans.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"
#include "app/dlg_info.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/globals.h"

#include "support/pump.h"

#include "framework/FileUtils.h"

#include <windows.h>

namespace {

}  // namespace

TEST_F(ProgramTest, WithoutAnExamplesFolderTheExamplesMenuIsHidden)
{
    ASSERT_TRUE(Start());
    EXPECT_FALSE(MainForm->MenuFileExamples->Visible());
}

TEST_F(ProgramTest, AnEmptyExamplesFolderGivesAnEmptyVisibleMenu)
{
    ASSERT_TRUE(ForceDirectories(ExamplesFolder()));
    ASSERT_TRUE(Start());
    EXPECT_TRUE(MainForm->MenuFileExamples->Visible());
    EXPECT_EQ(MainForm->MenuFileExamples->Count(), 0);
}

TEST_F(ProgramTest, TheExamplesMenuListsTheDemoScansByNameShowingAnAmpersandAsItIs)
{
    ASSERT_TRUE(ForceDirectories(ExamplesFolder()));
    const std::vector<uint8_t> scan = EncodeScanFile(MakeFieldExample().Source);
    WriteFileBytes(ExamplesFolder() + u"Field & Cave.dmo", scan);
    WriteFileBytes(ExamplesFolder() + u"notes.txt", {1, 2, 3});
    ASSERT_TRUE(ForceDirectories(ExamplesFolder() + u"Older.dmo"));
    ASSERT_TRUE(Start());
    ASSERT_EQ(MainForm->MenuFileExamples->Count(), 1);
    EXPECT_EQ(MainForm->MenuFileExamples->Items(0)->Caption(), u"Field && Cave");
    ASSERT_EQ(MainForm->State().Examples().size(), 1u);
    EXPECT_EQ(MainForm->State().Examples()[0].Path, ExamplesFolder() + u"Field & Cave.dmo");
}

TEST_F(ProgramTest, AHighlightedMenuItemShowsItsHintInTheLastStatusPanel)
{
    ASSERT_TRUE(Start());
    TElMenuItem* item = MainForm->MenuFileExit;
    ASSERT_FALSE(item->Hint().empty());
    const HWND wnd = MainForm->Handle();
    SendMessageW(wnd, WM_MENUSELECT, MAKEWPARAM(item->Command(), MF_STRING | MF_HILITE),
                 reinterpret_cast<LPARAM>(MainForm->ElMainMenu1->Handle()));
    EXPECT_EQ(MainForm->StatusBar->Panels(4)->Text(), u" " + item->Hint());
    // The menu closing clears the hint.
    SendMessageW(wnd, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(MainForm->StatusBar->Panels(4)->Text(), u" ");
}

TEST_F(ProgramTest, CommandsFollowWhetherAndWhichScanIsLoaded)
{
    ASSERT_TRUE(Start());
    // No scan: new and import stay, everything that needs a scan is off.
    EXPECT_TRUE(MainForm->MenuFileNew->Enabled());
    EXPECT_TRUE(MainForm->ToolButtonNew->Enabled());
    EXPECT_TRUE(MainForm->FileImportOsprin->Enabled());
    EXPECT_FALSE(MainForm->FileImportPellam->Enabled());
    EXPECT_FALSE(MainForm->FileImportPellam->Visible());
    EXPECT_FALSE(MainForm->MenuFileSave->Enabled());
    EXPECT_FALSE(MainForm->ToolButtonSave->Enabled());
    EXPECT_FALSE(MainForm->MenuViewReset->Enabled());
    EXPECT_FALSE(MainForm->ComboBoxZoom->Enabled());
    EXPECT_FALSE(MainForm->SpeedButton[12]->Enabled());
    EXPECT_FALSE(MainForm->MenuEdit_FEChart->Enabled());
    EXPECT_FALSE(MainForm->ToolButtonUndo->Enabled());

    // A scan of the program's own kind: its commands, its depth controls, no chart.
    const std::u16string field = Root + u"field.dmo";
    WriteFileBytes(field, EncodeScanFile(MakeFieldExample().Source));
    MainForm->OpenFile(field);
    ASSERT_EQ(MainForm->State().Session().FileName(), field);
    MainForm->SetDepthControlsEnabled(true);
    MainForm->UpdateMenuStates(true);
    EXPECT_TRUE(MainForm->MenuFileSave->Enabled());
    EXPECT_TRUE(MainForm->MenuViewReset->Enabled());
    EXPECT_TRUE(MainForm->ComboBoxZoom->Enabled());
    EXPECT_TRUE(MainForm->SpeedButton[12]->Enabled());
    EXPECT_TRUE(MainForm->ToolButtonCPRed->Enabled());
    EXPECT_TRUE(MainForm->ToolButtonLineUp->Enabled());
    EXPECT_TRUE(MainForm->ComboBoxSoil->Enabled());
    EXPECT_FALSE(MainForm->MenuEdit_FEChart->Enabled());
    EXPECT_FALSE(MainForm->ToolButton_FEChart->Enabled());

    // A Tarnwell scan: the chart, and no depth controls.
    const std::u16string tarnwell = Root + u"samples.dmo";
    WriteFileBytes(tarnwell, EncodeScanFile(MakeTarnwellSampleExample().Source));
    MainForm->OpenFile(tarnwell);
    ASSERT_EQ(MainForm->State().Session().FileName(), tarnwell);
    MainForm->SetDepthControlsEnabled(false);
    MainForm->UpdateMenuStates(true);
    EXPECT_TRUE(MainForm->MenuEdit_FEChart->Enabled());
    EXPECT_TRUE(MainForm->ToolButton_FEChart->Enabled());
    EXPECT_FALSE(MainForm->ToolButtonLineDown->Enabled());
    EXPECT_FALSE(MainForm->ComboBoxSoil->Enabled());

    // An edit (Ctrl+X halves the values) enables the undo button.
    mainroad::PostKey('X', true);
    MainForm->UpdateMenuStates(true);
    EXPECT_TRUE(MainForm->ToolButtonUndo->Enabled());
}

TEST_F(ProgramTest, TheStatusBarAndInfoWindowShowTheSelectedPoint)
{
    ASSERT_TRUE(Start());
    const std::u16string field = Root + u"field.dmo";
    WriteFileBytes(field, EncodeScanFile(MakeFieldExample().Source));
    MainForm->OpenFile(field);
    ASSERT_EQ(MainForm->State().Session().FileName(), field);
    const TScanData& scan = *MainForm->State().Session().Scan();
    ASSERT_EQ(scan.Selected, scan.First) << "an opened scan selects its first point";
    MainForm->UpdateScanInfo();
    EXPECT_EQ(MainForm->StatusBar->Panels(1)->Text().rfind(u" Scan line: ", 0), 0u);
    EXPECT_EQ(MainForm->StatusBar->Panels(2)->Text().rfind(u" Impulse: ", 0), 0u);
    EXPECT_EQ(MainForm->StatusBar->Panels(3)->Text().rfind(u" Depth: ", 0), 0u);
    EXPECT_NE(MainForm->StatusBar->Panels(3)->Text().find(u" m / "), std::u16string::npos);
    EXPECT_FALSE(Dialog_Info->ElLabel_ScanValueValue->Caption().empty());
    EXPECT_TRUE(Dialog_Info->ElLabel_ImpulseValue->Enabled());

    // A measuring unit outside the table leaves everything as it was.
    MainForm->StatusBar->Panels(1)->SetText(u"kept");
    GlobalSettings.MeasureUnitIndex = 2;
    MainForm->UpdateScanInfo();
    EXPECT_EQ(MainForm->StatusBar->Panels(1)->Text(), u"kept");
}
