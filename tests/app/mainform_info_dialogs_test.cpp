// The characteristics dialog, the frequency-energy chart, the about box, the update check and
// the info window on the real main window: each reached the way the user reaches it, driven
// with posted messages while it runs modally, read back from its controls and pixels.
#include "device/form_driving.h"
#include "mainroad_support.h"
#include "program_fixture.h"

#include "ExampleScans.h"
#include "app/ChartModel.h"
#include "app/ExportChoice.h"
#include "app/dlg_about.h"
#include "app/dlg_diagramm.h"
#include "app/dlg_info.h"
#include "app/remarks.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/files/_TFileManager.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "scan/render/gl_test_support.h"
#include "support/gui_test.h"
#include "support/pump.h"
#include "support/real_input.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Dialogs.h"
#include "framework/FileUtils.h"
#include "framework/NumberText.h"
#include "framework/StrConv.h"
#include "framework/Streams.h"

#include <windows.h>

#include <cmath>
#include <cstring>

namespace {

using l3d::testing::Pixels;

// A click on a control without a window of its own: on its parent, at its middle.
void PostClickOnParent(TControl* Control)
{
    const int x = Control->Left() + Control->Width() / 2, y = Control->Top() + Control->Height() / 2;
    HWND parent = Control->Parent()->Handle();
    PostMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

int CountColour(const Pixels& P, uint32_t Colour)
{
    int n = 0;
    for (uint32_t p : P.data)
        n += (p & 0xFFFFFFu) == Colour;
    return n;
}

// The most pixels of one colour in a single row.
int WidestRow(const Pixels& P, uint32_t Colour)
{
    int best = 0;
    for (int y = 0; y < P.height; ++y) {
        int n = 0;
        for (int x = 0; x < P.width; ++x)
            n += (P.At(x, y) & 0xFFFFFFu) == Colour;
        best = std::max(best, n);
    }
    return best;
}

constexpr uint32_t ChartGrey = 0x505050, ChartYellow = 0xD2D200, ChartGreen = 0x00D200;

class InfoDialogsTest : public ProgramTest {
protected:
    // A scan opened through the main window's own opening command, its first point selected.
    void Open(const TScanFileSource& Source, const char16_t* Name)
    {
        File = Root + Name;
        WriteFileBytes(File, EncodeScanFile(Source));
        MainForm->OpenFile(File);
        ASSERT_EQ(MainForm->State().Session().Files()->FileName(), File);
        Scan().Selected = Scan().First;
    }
    TScanData& Scan() { return *MainForm->State().Session().Scan(); }

    std::u16string File;
};

}  // namespace

TEST_F(InfoDialogsTest, CharacteristicsEditTheRemarksTheFieldSizeInTheChosenUnitAndTheCaption)
{
    ASSERT_TRUE(Start());
    Open(MakeFieldExample().Source, u"field.dmo");
    GlobalSettings.MeasureUnitIndex = 1;  // feet
    const float storedWidth = MainForm->State().Session().Files()->Remarks().FieldWidth;

    TModalDriver<TFormRemarks> driver([&](TFormRemarks* d) {
        EXPECT_EQ(d->Caption(), u"Characteristics");
        EXPECT_EQ(d->LabelLength->Caption(), u"Field length ( ft )");
        EXPECT_EQ(d->EditProject->Text(), u"Example field");
        EXPECT_EQ(d->ComboBoxSoilType->ItemIndex(), 2);
        EXPECT_EQ(d->ComboBoxSoilType->Items()->Count(), 8);
        EXPECT_EQ(d->Statusbar->Panels(2)->Text(), u" Ground Scan");
        EXPECT_EQ(d->Statusbar->Panels(3)->Text(), u"1200");
        EXPECT_EQ(d->Statusbar->Panels(1)->Text().empty(), false);
        // 20 m and 15 m in feet, with the edits' two decimals.
        EXPECT_EQ(d->EditLength->Text(), u"65.62");
        EXPECT_EQ(d->EditWidth->Text(), u"49.21");
        EXPECT_TRUE(d->EditLength->Enabled());

        l3d::testing::SaveScreenshot(d->Handle(), u"characteristics.png");
        d->EditProject->SetText(u"Bridge north");
        d->MemoNotes->SetText(u"Second pass\r\nafter rain");
        d->ComboBoxSoilType->SetItemIndex(5);
        d->EditLength->SetValue(10.0);  // feet
        PostClick(d->ButtonOk);
    });
    {
        // The paint timer held, so that the repaint the command asks for is still pending when
        // looked at rather than drawn by a tick that happened to come due.
        const TPaintTimerPause held(MainForm->TimerPaint);
        mainroad::PostKey(VK_F9);
        ASSERT_EQ(driver.Shown, 1);

        const TRemarksRec_L3D_3& r = MainForm->State().Session().Files()->Remarks();
        EXPECT_EQ(r.Project, u"Bridge north");
        EXPECT_EQ(r.Notes, u"Second pass\r\nafter rain");
        EXPECT_EQ(r.SoilType, 5);
        EXPECT_FLOAT_EQ(r.FieldLength, 3.048f);
        // The width was left as shown: it keeps its stored value exactly.
        EXPECT_EQ(r.FieldWidth, storedWidth);
        EXPECT_TRUE(MainForm->State().Session().Files()->Modified);
        EXPECT_FLOAT_EQ(MainForm->State().Session().Image()->FieldLength(), 3.048f);
        EXPECT_EQ(MainForm->ComboBoxSoil->ItemIndex(), 5);
        EXPECT_TRUE(MainForm->State().Views().RepaintPending());
        EXPECT_EQ(MainForm->Caption(), u"Lorvane 3D - Bridge north ( \"field.dmo\" )");
    }

    // Cancel changes nothing.
    TModalDriver<TFormRemarks> cancel([&](TFormRemarks* d) {
        d->EditProject->SetText(u"not kept");
        PostClick(d->ButtonCancel);
    });
    mainroad::RunCommand(MainForm->MenuFileRemarks);
    EXPECT_EQ(cancel.Shown, 1);
    EXPECT_EQ(MainForm->State().Session().Files()->Remarks().Project, u"Bridge north");
}

TEST_F(InfoDialogsTest, AFieldSizeIsStoredAsTypedAndOneOutsideTheRangeIsRefusedInTheUsersWords)
{
    using namespace l3d::testing;
    ASSERT_TRUE(Start());
    Open(MakeFieldExample().Source, u"field.dmo");  // in metres: 20.00 by 15.00
    ASSERT_TRUE(BringToFront(MainForm->Handle()));
    TAnsweredMessages messages;
    const auto clickOk = [](TFormRemarks* d) {
        ClickAt(d->ButtonOk->Handle(), {d->ButtonOk->Width() / 2, d->ButtonOk->Height() / 2});
    };
    const auto retype = [](TElFloatSpinEdit* Edit, const std::u16string& Text) {
        ASSERT_TRUE(FocusWindow(Edit->Handle()));
        PressKey('A', {VK_CONTROL});
        TypeText(Text);
    };

    // Over the whole length a separator is typed, and over a selection that begins at one;
    // before the width's own one, with nothing selected, it steps over it. (A size refused
    // here ends the dialog with Cancel.)
    TFormRemarks* first = nullptr;
    messages.OnShown = [&] { PostClick(first->ButtonCancel); };
    TModalDriver<TFormRemarks> driver([&](TFormRemarks* d) {
        first = d;
        retype(d->EditLength, u"25.9");
        EXPECT_EQ(d->EditLength->Text(), u"25.9");
        PressKey(VK_HOME);
        PressKey(VK_RIGHT);
        PressKey(VK_RIGHT);
        PressKey(VK_END, {VK_SHIFT});
        TypeText(u",5");
        EXPECT_EQ(d->EditLength->Text(), u"25.5");
        ASSERT_TRUE(FocusWindow(d->EditWidth->Handle()));
        d->EditWidth->SetSelStart(2);
        TypeText(u",7");
        EXPECT_EQ(d->EditWidth->Text().substr(0, 4), u"15.7");
        clickOk(d);
    });
    PressKey(VK_F9);
    ASSERT_EQ(driver.Shown, 1);
    EXPECT_FLOAT_EQ(MainForm->State().Session().Files()->Remarks().FieldLength, 25.5f);
    EXPECT_FLOAT_EQ(MainForm->State().Session().Files()->Remarks().FieldWidth, 15.7f);
    EXPECT_TRUE(messages.Shown.empty());

    // Each refused size is quoted as typed, with the range, whether OK is clicked or Return
    // pressed in the edit; the dialog stays open, and Cancel then stores nothing. A number
    // above the largest size is refused like any other, not stored as that size.
    struct TTyped {
        TElFloatSpinEdit* TFormRemarks::*Edit;
        std::u16string Text;
        bool Return;
    };
    for (const TTyped& typed : {TTyped{&TFormRemarks::EditLength, u"0", false},
                                TTyped{&TFormRemarks::EditLength, u"-3", false},
                                TTyped{&TFormRemarks::EditLength, u"4.5.6", true},
                                TTyped{&TFormRemarks::EditWidth, u"99999999", false},
                                TTyped{&TFormRemarks::EditWidth, u"1e999", true}}) {
        TFormRemarks* open = nullptr;
        TModalDriver<TFormRemarks> refused([&](TFormRemarks* d) {
            open = d;
            retype(d->*typed.Edit, typed.Text);
            if (typed.Return)
                PressKey(VK_RETURN);
            else
                clickOk(d);
        });
        messages.OnShown = [&] { PostClick(open->ButtonCancel); };
        PressKey(VK_F9);
        ASSERT_EQ(refused.Shown, 1);
        ASSERT_EQ(messages.Shown.size(), 1u) << WideToUtf8(typed.Text);
        EXPECT_EQ(messages.Shown[0], u"Error: '" + typed.Text +
                                         u"' is not a valid field size. Enter a number greater than 0 and at most " +
                                         FormatNumber(99999.0) + u".");
        EXPECT_FLOAT_EQ(MainForm->State().Session().Files()->Remarks().FieldLength, 25.5f);
        EXPECT_FLOAT_EQ(MainForm->State().Session().Files()->Remarks().FieldWidth, 15.7f);
        messages.Shown.clear();
    }
}

TEST_F(InfoDialogsTest, ALineDiagramScanKeepsItsFieldSizeAndAnUnreadableDateShowsQuestionMarks)
{
    ASSERT_TRUE(Start());
    TScanFileSource source = MakeFieldExample().Source;
    source.ScanMode = 1;
    source.Remarks.Date = 1e300;  // no date a calendar can show
    Open(source, u"diagram.dmo");
    const TRemarksRec_L3D_3 before = MainForm->State().Session().Files()->Remarks();

    TModalDriver<TFormRemarks> driver([&](TFormRemarks* d) {
        EXPECT_FALSE(d->EditLength->Enabled());
        EXPECT_FALSE(d->EditWidth->Enabled());
        EXPECT_EQ(d->EditLength->Text(), u"");
        EXPECT_EQ(d->Statusbar->Panels(0)->Text(), u"??" u"/??" u"/??");
        EXPECT_EQ(d->Statusbar->Panels(1)->Text(), u"??:??");
        EXPECT_EQ(d->Statusbar->Panels(2)->Text(), u" Discrimination");
        d->EditLength->SetValue(1.0);  // a disabled edit is not read
        PostClick(d->ButtonOk);
    });
    mainroad::RunCommand(MainForm->MenuFileRemarks);
    ASSERT_EQ(driver.Shown, 1);
    EXPECT_EQ(MainForm->State().Session().Files()->Remarks().FieldLength, before.FieldLength);
    EXPECT_EQ(MainForm->State().Session().Files()->Remarks().FieldWidth, before.FieldWidth);
    EXPECT_EQ(MainForm->State().Session().Files()->Remarks().Date, before.Date);
}

TEST_F(InfoDialogsTest, TheChartOfATarnwellPointIsReadFromTheFileAndDrawnInItsOwnView)
{
    CopyExampleScans();
    ASSERT_TRUE(Start());
    TMenuItem* example = mainroad::ExampleItem(u"Tarnwell field");
    ASSERT_NE(example, nullptr);
    mainroad::RunCommand(example);
    File = ExamplesFolder() + u"Tarnwell field.dmo";
    ASSERT_EQ(MainForm->State().Session().Magic(), "TNW.TNW.01");
    Scan().Selected = Scan().First;
    ASSERT_TRUE(MainForm->ToolButton_FEChart->Enabled());
    double offset = 0;
    std::memcpy(&offset, Scan().Selected->Carried, sizeof offset);
    ASSERT_GT(offset, 16.0);

    // What the file holds for the point, independently of the dialog.
    const auto input = [&] {
        TFileStream stream(File, fmOpenRead | fmShareDenyWrite);
        return ReadChartInput(stream, MainForm->State().Session().Files()->FileTNW_Start(), int64_t(offset) - 16);
    }();
    ASSERT_TRUE(input);
    ASSERT_EQ(input->Samples.size(), 100u);
    ASSERT_EQ(input->Divisor, 100);

    Pixels first, second;
    std::u16string firstMaximum;
    TModalDriver<TDialog_Diagramm> driver([&](TDialog_Diagramm* Form) {
        TDialog_Diagramm* d = Dialog_Diagramm;
        ASSERT_EQ(Form, d);
        EXPECT_EQ(d->Caption(), u"Frequency-Energy-Chart");
        EXPECT_EQ(d->SampleOffset, int32_t(offset) - 16);
        EXPECT_EQ(d->Label_WindowSize->Caption(), u"Window size = 5");
        // The spectra peak between 7 and 16 Hz over a floor that falls with frequency.
        EXPECT_GE(d->MaxFrequency, 6.0f);
        EXPECT_LE(d->MaxFrequency, 17.0f);
        EXPECT_EQ(d->Maximum->Caption(), u"Max @ " + FormatNumber(d->MaxFrequency) + u" Hz");
        const TChart expected = ComputeChart(input->Samples, input->Divisor, 5);
        EXPECT_EQ(d->MaximumValue->Caption(), expected.Labels.MaximumValue);
        EXPECT_EQ(d->MinValue->Caption(), expected.Labels.MinValue);

        HWND view = d->OpenGL1->Handle();
        const RECT area{0, 0, d->OpenGL1->ClientWidth(), d->OpenGL1->ClientHeight()};
        EXPECT_TRUE(PumpUntil(NothingToPaint));
        first = l3d::testing::ReadClientPixels(view, area);
        l3d::testing::SaveScreenshot(d->Handle(), u"chart.png");
        firstMaximum = d->MaximumValue->Caption();
        d->OpenGL1->MakeCurrent();
        EXPECT_TRUE(render_test::NoGLErrors("the chart"));

        // A wider window smooths the curve anew from the file.
        d->TrackBar->SetPosition(30);
        EXPECT_EQ(d->Label_WindowSize->Caption(), u"Window size = 30");
        EXPECT_TRUE(PumpUntil(NothingToPaint));
        second = l3d::testing::ReadClientPixels(view, area);
        EXPECT_EQ(d->MaximumValue->Caption(), ComputeChart(input->Samples, input->Divisor, 30).Labels.MaximumValue);
        PostClick(d->ButtonOK);
    });
    PostClick(MainForm->ToolButton_FEChart);
    ASSERT_TRUE(PumpUntil([&] { return driver.Shown == 1; }));
    EXPECT_FALSE(Dialog_Diagramm->Visible());

    // Grey raw curve, yellow smoothed curve, and the green mean across the whole view.
    ASSERT_GT(first.width, 100);
    EXPECT_GT(CountColour(first, ChartGrey), first.width / 2);
    EXPECT_GT(CountColour(first, ChartYellow), first.width / 2);
    EXPECT_GE(WidestRow(first, ChartGreen), first.width - 2);
    EXPECT_EQ(CountColour(first, 0x000000) + CountColour(first, ChartGrey) + CountColour(first, ChartYellow) +
                  CountColour(first, ChartGreen),
              first.width * first.height)
        << "only the three curves on black";
    EXPECT_NE(first.data, second.data);
    EXPECT_NE(firstMaximum, u"");

    // From the menu and by Enter as well; the window is made once and shown again.
    TModalDriver<TCustomForm> again([&](TCustomForm* Form) {
        EXPECT_EQ(Form, Dialog_Diagramm);
        Form->SetModalResult(mrOk);
    });
    mainroad::RunCommand(MainForm->MenuEdit_FEChart);
    EXPECT_EQ(again.Shown, 1);
    mainroad::PostKey(VK_RETURN);
    EXPECT_EQ(again.Shown, 2);
}

TEST_F(InfoDialogsTest, TheChartIsNotShownForASampleScanOfTheOtherKind)
{
    ASSERT_TRUE(Start());
    Open(MakeTarnwellSampleExample().Source, u"samples.dmo");
    ASSERT_TRUE(MainForm->MenuEdit_FEChart->Enabled());
    TModalDriver<TCustomForm> driver([](TCustomForm* Form) { Form->SetModalResult(mrOk); });
    mainroad::RunCommand(MainForm->MenuEdit_FEChart);
    mainroad::PostKey(VK_RETURN);
    EXPECT_EQ(driver.Shown, 0);
}

TEST_F(InfoDialogsTest, AChartThatCannotBeBuiltEndsQuietly)
{
    ASSERT_TRUE(Start());
    Open(MakeTarnwellScanExample().Source, u"Tarnwell field.dmo");
    double offset = 0;
    std::memcpy(&offset, Scan().Selected->Carried, sizeof offset);
    TDialog_Diagramm& d = *Dialog_Diagramm;
    d.Prepare(MainForm->State().Session().Files(), File, int32_t(offset) - 16);
    d.BuildDiagram();
    ASSERT_TRUE(d.Chart().Drawn);
    const std::u16string maximum = d.MaximumValue->Caption();

    // A file that is gone leaves the chart and its labels as they were.
    std::vector<uint8_t> bytes = ReadFileBytes(File);
    ASSERT_TRUE(DeleteFileW(reinterpret_cast<const wchar_t*>(File.c_str())));
    d.BuildDiagram();
    EXPECT_TRUE(d.Chart().Drawn);
    EXPECT_EQ(d.MaximumValue->Caption(), maximum);

    // A file cut short inside the point's samples: the list is emptied, the labels stay.
    WriteFileBytes(File, std::vector<uint8_t>(bytes.begin(), bytes.begin() + int64_t(offset) + 40));
    d.BuildDiagram();
    EXPECT_FALSE(d.Chart().Drawn);
    EXPECT_EQ(d.MaximumValue->Caption(), maximum);

    // A divisor of 0: nothing to draw and no numbers to show.
    bytes[MainForm->State().Session().Files()->FileTNW_Start() + 2] = 0;
    bytes[MainForm->State().Session().Files()->FileTNW_Start() + 3] = 0;
    WriteFileBytes(File, bytes);
    d.BuildDiagram();
    EXPECT_FALSE(d.Chart().Drawn);
    EXPECT_EQ(d.MaximumValue->Caption(), u"");

    // Either way the view paints black, without an OpenGL error.
    TModalDriver<TCustomForm> driver([&](TCustomForm*) {
        EXPECT_TRUE(PumpUntil(NothingToPaint));
        const Pixels p = l3d::testing::ReadClientPixels(
            d.OpenGL1->Handle(), RECT{0, 0, d.OpenGL1->ClientWidth(), d.OpenGL1->ClientHeight()});
        EXPECT_EQ(CountColour(p, 0x000000), p.width * p.height);
        d.OpenGL1->MakeCurrent();
        EXPECT_TRUE(render_test::NoGLErrors("an empty chart"));
        d.SetModalResult(mrOk);
    });
    d.ShowModal();
    EXPECT_EQ(driver.Shown, 1);
}

TEST_F(InfoDialogsTest, TheAboutBoxShowsTheVersionBlockAndOpensTheWebPages)
{
    ASSERT_TRUE(Start());
    std::vector<std::u16string> opened;
    ShellExecuteSeam() = [&](const std::u16string&, const std::u16string& File, const std::u16string&,
                             const std::u16string&, int ShowCmd) {
        opened.push_back(File);
        EXPECT_EQ(ShowCmd, SW_SHOWNORMAL);
        return intptr_t{42};
    };
    TModalDriver<TAbout> driver([&](TAbout* about) {
        EXPECT_EQ(about->Caption(), u"About Lorvane 3D");
        EXPECT_EQ(about->Label5->Caption(), u"2.0.1");
        EXPECT_EQ(about->Label8->Caption(), u"162");
        EXPECT_EQ(about->Label2->Cursor(), crHandPoint);
        PostClickOnParent(about->Label2);
        PostClickOnParent(about->Label6);
        EXPECT_TRUE(PumpUntil(PostedMessagesHandled()));
        l3d::testing::SaveScreenshot(about->Handle(), u"about.png");
        // Without a version block (the data file is no program) the fallback shows.
        TOwned<TElVersionInfo> none(CreateComponent<TElVersionInfo>(nullptr));
        none->SetFileName(ProgramDir + u"Lorvane3D.dat");
        about->ShowVersion(*none);
        EXPECT_EQ(about->Label5->Caption(), u"2.0.0");
        EXPECT_EQ(about->Label8->Caption(), u"107");
        PostClick(about->ButtonOK);
    });
    mainroad::RunCommand(MainForm->MenuHelpAbout);
    EXPECT_EQ(driver.Shown, 1);
    EXPECT_EQ(opened, (std::vector<std::u16string>{MakerWebAddress, ProductWebAddress}));
    EXPECT_TRUE(ErrorBoxes.empty());

    // A system that cannot open the page says so, naming it.
    ShellExecuteSeam() = [](const std::u16string&, const std::u16string&, const std::u16string&,
                            const std::u16string&, int) { return intptr_t{SE_ERR_NOASSOC}; };
    mainroad::RunCommand(MainForm->MenuHelpWebsite);
    EXPECT_EQ(ErrorBoxes, (std::vector<std::u16string>{OpenFailedText(MakerWebAddress)}));
}

TEST_F(InfoDialogsTest, TheUpdateCheckNamesTheVersionFromTheMenuAndOnceFromItsTimer)
{
    ASSERT_TRUE(Start());
    std::vector<std::u16string> messages;
    InfoDialogSeam() = [&](uint8_t Kind, const std::u16string& Caption, const std::u16string& Text, uint16_t,
                           const TNotifyEvent&) {
        EXPECT_EQ(Kind, idkInformation);
        messages.push_back(Caption + u": " + Text);
        return int32_t{mrOk};
    };
    mainroad::RunCommand(MainForm->MenuHelp_Update);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(u"Check for updates: Lorvane 3D 2.0.1 (162)\r\n", 0), 0u) << WideToUtf8(messages[0]);
    EXPECT_NE(messages[0].find(ProductWebAddress), std::u16string::npos);

    MainForm->TimerUpdate->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return messages.size() == 2; }));
    EXPECT_FALSE(MainForm->TimerUpdate->Enabled());
    EXPECT_EQ(messages[1], messages[0]);
}

TEST_F(InfoDialogsTest, TheInfoWindowLeftOpenShowsTheScanAtOnceAndLeavesTheKeysToTheMainWindow)
{
    using namespace l3d::testing;
    // A run that ended with the info window open; the next one opens a scan from the command line.
    CopyExampleScans();
    ASSERT_TRUE(Start());
    GlobalSettings.InfoWindowVisible = 1;
    Stop();
    ASSERT_TRUE(Start({ExamplesFolder() + u"Field with metal object.dmo"}));
    TDialog_Info& w = *Dialog_Info;
    const HWND main = MainForm->Handle();
    ASSERT_TRUE(w.Visible());
    EXPECT_TRUE(MainForm->MenuExtrasInfo->Checked());
    // The main window keeps the activation, and the window shows the selected point already.
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }, 120000)) << "the info window took the activation";
    EXPECT_NE(w.ElLabel_ScanLineValue->Caption(), u"");
    EXPECT_TRUE(w.ElLabel_ScanLine->Enabled());

    // Rows read "<name>: <value>", the GPS panel beside the quality row in sight.
    EXPECT_EQ(w.ElLabel_Impulse->Caption(), u"Impulse:");
    EXPECT_EQ(w.ElLabel_Longitude->Caption(), u"Longitude");
    EXPECT_GE(w.ElLabel_ImpulseValue->Left(), w.ElLabel_Impulse->Left() + w.ElLabel_Impulse->Width() + 4);
    EXPECT_GE(w.ElLabel_LatitudeValue->Left(), w.ElLabel_Latitude->Left() + w.ElLabel_Latitude->Width() + 4);
    w.ShowValues(2.5f, 8.5f, 50.25f);
    ASSERT_TRUE(Settled(5000));
    TShape* bar = w.Shape_GPS_01;
    const int x = w.ElPanel_GPS->Left() + bar->Left() + bar->Width() / 2;
    const int y = w.ElPanel_GPS->Top() + bar->Top() + bar->Height() / 2;
    EXPECT_EQ(ReadClientPixels(w.Handle(), RECT{x, y, x + 1, y + 1}).data[0], 0x008000u) << "the quality bars are hidden";
    EXPECT_EQ(w.ElLabel_GPSQualityValue->Caption(), u"2.50");
    w.ShowValues(0.0f, NAN, NAN);  // no fix
    EXPECT_FALSE(w.ElPanel_GPS->Enabled());
    EXPECT_EQ(w.ElLabel_LatitudeValue->Caption(), u"");

    // Keys typed now reach the main window: its menu's short-cuts and the arrows.
    const uint8_t split = GlobalSettings.SplitScreen;
    PressKey('M', {VK_CONTROL});
    EXPECT_NE(GlobalSettings.SplitScreen, split);
    const std::u16string place = w.ElLabel_ScanLineValue->Caption() + w.ElLabel_ImpulseValue->Caption();
    PressKey(VK_UP);
    EXPECT_NE(w.ElLabel_ScanLineValue->Caption() + w.ElLabel_ImpulseValue->Caption(), place);
    EXPECT_TRUE(w.ElLabel_ScanValueValue->Enabled());

    // Ctrl+W hides the window and shows it again, the main window staying active.
    PressKey('W', {VK_CONTROL});
    EXPECT_FALSE(w.Visible());
    EXPECT_FALSE(MainForm->MenuExtrasInfo->Checked());
    EXPECT_FALSE(MainForm->ToolButton_InfoWindow->Down());
    PressKey('W', {VK_CONTROL});
    EXPECT_TRUE(w.Visible());
    EXPECT_TRUE(MainForm->MenuExtrasInfo->Checked());
    EXPECT_TRUE(MainForm->ToolButton_InfoWindow->Down());
    EXPECT_EQ(GetForegroundWindow(), main);

    // Clicked, the info window is the active one; the main window's short-cuts still work, and
    // so do the keys the main window takes itself: Up walks the selected point, F5 lowers the
    // colour limit.
    ClickAt(w.Handle(), {4, 4});
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == w.Handle(); }, 120000));
    PressKey('M', {VK_CONTROL});
    EXPECT_EQ(GlobalSettings.SplitScreen, split);
    ASSERT_TRUE(mainroad::DrawFrame());
    const Pixels view = mainroad::ViewPixels(MainForm->State().Views().Viewports()[MainViewport]);
    const std::u16string walked = w.ElLabel_ScanLineValue->Caption() + w.ElLabel_ImpulseValue->Caption();
    PressKey(VK_UP);
    EXPECT_NE(w.ElLabel_ScanLineValue->Caption() + w.ElLabel_ImpulseValue->Caption(), walked);
    PressKey(VK_F5);
    ASSERT_TRUE(mainroad::WaitForFrame());
    EXPECT_TRUE(mainroad::ViewPixels(MainForm->State().Views().Viewports()[MainViewport]).data != view.data)
        << "the view stayed";
    EXPECT_EQ(GetForegroundWindow(), w.Handle());
    PressKey('W', {VK_CONTROL});
    EXPECT_FALSE(w.Visible());
}

namespace {

// A picture of the screen shows the window's client area where the window stands, nothing
// lying over it; waits for it, since the screen follows the program's drawing a little later.
bool ShownOnScreen(HWND Window)
{
    using namespace l3d::testing;
    return PumpUntil([&] {
        RECT client;
        GetClientRect(Window, &client);
        POINT origin{0, 0};
        ClientToScreen(Window, &origin);
        const Pixels own = ReadClientPixels(Window, client);
        const Pixels screen =
            ReadScreenPixels({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
        return !own.data.empty() && own.data == screen.data;
    });
}

}  // namespace

TEST_F(InfoDialogsTest, TheInfoWindowStaysAboveTheMainWindowOnScreenAfterEveryStartAndFullScreen)
{
    using namespace l3d::testing;
    CopyExampleScans();
    struct TStart {
        const char* Name;
        bool StoredOpen;
        std::vector<std::u16string> Arguments;
    };
    // The first start has the new settings of a first run: the info window closed.
    const TStart starts[] = {{"opened with Ctrl+W", false, {}},
                             {"left open by the last run", true, {}},
                             {"left open, a scan on the command line", true, {ExamplesFolder() + u"Field with metal object.dmo"}}};
    for (const TStart& start : starts) {
        SCOPED_TRACE(start.Name);
        if (start.StoredOpen) {
            ASSERT_TRUE(Start());
            GlobalSettings.InfoWindowVisible = 1;
            Stop();
        }
        ASSERT_TRUE(Start(start.Arguments));
        const HWND main = MainForm->Handle(), info = Dialog_Info->Handle();
        ASSERT_TRUE(BringToFront(main));
        if (!start.StoredOpen)
            PressKey('W', {VK_CONTROL});
        ASSERT_TRUE(Dialog_Info->Visible());
        EXPECT_EQ(GetWindow(info, GW_OWNER), main);
        ASSERT_TRUE(ShownOnScreen(info)) << "after the start";
        PressKey(VK_F11);
        ASSERT_TRUE(MainForm->MenuExtrasFullscreen->Checked());
        ASSERT_TRUE(ShownOnScreen(info)) << "in full screen";
        PressKey(VK_ESCAPE);
        ASSERT_FALSE(MainForm->MenuExtrasFullscreen->Checked());
        ASSERT_TRUE(ShownOnScreen(info)) << "after full screen";
        // A click into the info window, then back into the main window's view.
        ClickAt(info, {4, 4});
        ClickAt(main, mainroad::CentreOf(MainForm->State().Views().Viewports()[MainViewport]));
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }));
        ASSERT_TRUE(ShownOnScreen(info)) << "after a click into the main window";
        EXPECT_TRUE(MainForm->MenuExtrasInfo->Checked());
        Stop();
    }
}
