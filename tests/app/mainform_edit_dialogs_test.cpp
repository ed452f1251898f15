// The interpolation, signal-correction, print and preferences commands on the real main window,
// reached through their menu items and short-cuts, each dialog driven by posted messages or, where
// the user types, by real keys.
#include "mainroad_support.h"

#include "ExampleScans.h"
#include "app/dlg_faultsignals.h"
#include "app/dlg_interpolation.h"
#include "app/dlg_preferences.h"
#include "app/dlg_print.h"
#include "device/form_driving.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "support/pump.h"
#include "support/real_input.h"

#include "framework/Dialogs.h"
#include "framework/NumberText.h"

#include <windows.h>

#include <cmath>
#include <limits>

namespace {

constexpr float Ground = 10.0f, Spike = 100.0f;

// The example field with every reading at the ground value but one spike.
std::vector<uint8_t> SpikeScanFile()
{
    TScanFileSource source = MakeFieldExample().Source;
    for (TScanRecord& r : source.Records)
        r.Value = (r.X == 5.0f && r.Y == 5.0f) ? Spike : Ground;
    return EncodeScanFile(source);
}

std::vector<float> ValuesOf(TScanData& Scan)
{
    std::vector<float> values;
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
        values.push_back(p->Value);
    return values;
}

TScanPoint* PointOfValue(TScanData& Scan, float Value)
{
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
        if (p->Value == Value)
            return p;
    return nullptr;
}

bool SameValues(const std::vector<float>& A, const std::vector<float>& B)
{
    if (A.size() != B.size())
        return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (!(A[i] == B[i] || (std::isnan(A[i]) && std::isnan(B[i]))))
            return false;
    return true;
}

void ReleaseModifiers()
{
    BYTE none[256] = {};
    SetKeyboardState(none);
}

}  // namespace

class EditDialogsTest : public ProgramTest {
protected:
    void TearDown() override
    {
        ModalDialogHook() = nullptr;
        ReleaseModifiers();
        ProgramTest::TearDown();
    }

    // Opens a scan and waits for its first frame.
    TScanData& Load(const std::vector<uint8_t>& Bytes)
    {
        const std::u16string file = Root + u"scan.dmo";
        WriteFileBytes(file, Bytes);
        MainForm->OpenFile(file);
        EXPECT_TRUE(mainroad::WaitForFrame());
        return *MainForm->State().Session().Scan();
    }

    // True once the paint timer drew a frame from the points as they are now.
    static bool FrameOfTheEditedPoints()
    {
        return PumpUntil(
            [] {
                const TMainFormState form = MainForm->State();
                return !form.Views().RepaintPending() && form.Session().Image()->Rebuild == 0 &&
                       form.Session().Scan()->Changed == 0 && MainForm->TimerPaint->Enabled();
            });
    }

    static l3d::testing::Pixels MainViewPixels()
    {
        return mainroad::ViewPixels(InsetViewport(MainForm->State().Views().Viewports()[MainViewport], 3));
    }

    // Runs the menu item's command (or, with Key, the short-cut with Ctrl held; with Tool, a
    // click on that tool button) with Drive handling the dialog of type Form; true once the
    // command ran to its end.
    template <class Form>
    bool RunCommand(TMenuItem* Item, const std::function<void(Form*)>& Drive, WPARAM CtrlKey = 0,
                    TWinControl* Tool = nullptr)
    {
        const TModalDriver<Form> driver([&](Form* Dialog) {
            ReleaseModifiers();
            Drive(Dialog);
        });
        if (CtrlKey) {
            BYTE state[256] = {};
            state[VK_CONTROL] = 0x80;
            SetKeyboardState(state);
            PostKey(MainForm, CtrlKey);
        } else if (Tool) {
            mainroad::ClickButton(Tool);
        } else {
            mainroad::RunCommand(Item);
        }
        const bool done =
            PumpUntil([&] { return driver.Shown > 0; }) && PumpUntil(PostedMessagesHandled());
        ReleaseModifiers();
        return done;
    }
};

TEST_F(EditDialogsTest, InterpolationSmoothsWithTheChosenPassesAndMarksTheScanEdited)
{
    ASSERT_TRUE(Start());
    TScanData& scan = Load(EncodeScanFile(MakeFieldExample().Source));
    const std::vector<float> opened = ValuesOf(scan);
    const l3d::testing::Pixels openedPicture = MainViewPixels();

    // Cancel changes nothing.
    ASSERT_TRUE(RunCommand<TInterpolation>(MainForm->MenuEditInterpolate, [](TInterpolation* d) {
        EXPECT_EQ(d->TrackBar1->Position(), 1);
        d->TrackBar1->SetPosition(5);
        PostClick(d->ButtonCancel);
    }));
    EXPECT_TRUE(SameValues(ValuesOf(scan), opened));
    EXPECT_FALSE(MainForm->State().Session().Edited());
    EXPECT_EQ(GlobalSettings.InterpolationPasses, 1);
    EXPECT_FALSE(MainForm->ToolButtonUndo->Enabled());

    // Ctrl+I, three passes.
    ASSERT_TRUE(RunCommand<TInterpolation>(
        nullptr,
        [](TInterpolation* d) {
            d->TrackBar1->SetPosition(3);
            PostClick(d->ButtonOK);
        },
        'I'));
    EXPECT_EQ(GlobalSettings.InterpolationPasses, 3);
    EXPECT_FALSE(SameValues(ValuesOf(scan), opened));
    EXPECT_TRUE(MainForm->State().Session().Edited());
    EXPECT_TRUE(MainForm->MenuEditReset->Enabled());
    EXPECT_TRUE(MainForm->ToolButtonUndo->Enabled());
    // The smoothed surface is drawn at the next tick.
    ASSERT_TRUE(FrameOfTheEditedPoints());
    EXPECT_NE(MainViewPixels().data, openedPicture.data);
    // The colours follow the smoothed values: the statistics are those of the new values.
    float highest = -std::numeric_limits<float>::infinity();
    for (float v : ValuesOf(scan))
        if (!std::isnan(v))
            highest = std::max(highest, v);
    EXPECT_EQ(scan.MaxValue, highest);

    // The next run (from the tool button) starts from the stored passes.
    ASSERT_TRUE(RunCommand<TInterpolation>(
        nullptr,
        [](TInterpolation* d) {
            EXPECT_EQ(d->LabelStepsValue->Caption(), u"3");
            PostClick(d->ButtonCancel);
        },
        0, MainForm->ToolButton5));
}

TEST_F(EditDialogsTest, SignalCorrectionRemovesTheSignalUnderTheCrossHairsOrAllOfThem)
{
    ASSERT_TRUE(Start());
    TScanData& scan = Load(SpikeScanFile());
    // The cross hairs away from the spike: the spike stays.
    scan.SelectPoint(scan.First);
    ASSERT_TRUE(RunCommand<TFaultSignals>(MainForm->MenuEditCorrectFaultSignal, [](TFaultSignals* d) {
        EXPECT_EQ(d->TrackBarSurface->Position(), 7);
        EXPECT_EQ(d->TrackBarSurround->Position(), 4);
        EXPECT_FALSE(d->GroupBox->Enabled());
        PostClick(d->ButtonOK);
    }));
    EXPECT_NE(PointOfValue(scan, Spike), nullptr);
    EXPECT_TRUE(MainForm->State().Session().Edited());
    ASSERT_TRUE(FrameOfTheEditedPoints());

    // Automatic mode with new thresholds: stored, handed to the scan, the spike gone.
    ASSERT_TRUE(RunCommand<TFaultSignals>(
        nullptr,
        [](TFaultSignals* d) {
            PostClick(d->RadioButtonAll);
            ASSERT_TRUE(PumpUntil(PostedMessagesHandled()));
            d->TrackBarSurface->SetPosition(0);
            d->TrackBarSurround->SetPosition(20);
            PostClick(d->ButtonOK);
        },
        'C'));
    EXPECT_EQ(GlobalSettings.SurfaceThreshold, 0);
    EXPECT_EQ(GlobalSettings.SurroundThreshold, 20);
    EXPECT_EQ(scan.SurfaceThreshold, 0.0f);
    EXPECT_EQ(scan.SurroundThreshold, 20.0f);
    EXPECT_EQ(PointOfValue(scan, Spike), nullptr);
    EXPECT_LT(scan.MaxValue, Spike);
    EXPECT_TRUE(FrameOfTheEditedPoints());

    // Cancel (from the tool button): nothing stored.
    ASSERT_TRUE(RunCommand<TFaultSignals>(
        nullptr,
        [](TFaultSignals* d) {
            d->TrackBarSurface->SetPosition(12);
            PostClick(d->ButtonCancel);
        },
        0, MainForm->ToolButton8));
    EXPECT_EQ(GlobalSettings.SurfaceThreshold, 0);
}

TEST_F(EditDialogsTest, PrintKeepsTheChoicesOnlyOnOk)
{
    PrinterListSeam() = [] { return std::vector<std::u16string>{}; };
    ASSERT_TRUE(Start());
    Load(EncodeScanFile(MakeFieldExample().Source));
    ASSERT_TRUE(RunCommand<TPrintDialog>(
        nullptr,
        [](TPrintDialog* d) {
            EXPECT_EQ(d->ComboBoxPrinter->Items()->Count(), 0);
            d->CheckBoxImage->SetChecked(false);
            d->CheckBoxBackground->SetChecked(true);
            PostClick(d->ButtonCancel);
        },
        'P'));
    EXPECT_EQ(GlobalSettings.PrintScanImage, 1);
    EXPECT_EQ(GlobalSettings.PrintBackground, 0);
    ASSERT_TRUE(RunCommand<TPrintDialog>(MainForm->MenuFilePrint, [](TPrintDialog* d) {
        d->CheckBoxImage->SetChecked(false);
        d->CheckBoxBackground->SetChecked(true);
        PostClick(d->ButtonOK);
    }));
    ASSERT_TRUE(RunCommand<TPrintDialog>(
        nullptr,
        [](TPrintDialog* d) {
            EXPECT_FALSE(d->CheckBoxImage->Checked());
            PostClick(d->ButtonCancel);
        },
        0, MainForm->ToolButtonPrint));
    EXPECT_EQ(GlobalSettings.PrintScanImage, 0);
    EXPECT_EQ(GlobalSettings.PrintBackground, 1);
    EXPECT_EQ(GlobalSettings.PrintProjectInfo, 1);
}

TEST_F(EditDialogsTest, PreferencesAreRefusedAsAWholeWhenAStepIsOutsideItsRangeQuotingTheTypedStep)
{
    using namespace l3d::testing;
    ASSERT_TRUE(Start());
    ASSERT_GE(LanguageManager->Languages().Count(), 2);
    const std::vector<uint8_t> settingsFile = ReadFileBytes(SettingsFile());
    ASSERT_FALSE(settingsFile.empty());
    const TSettingsRecord before = GlobalSettings;
    const int32_t otherLanguage = LanguageManager->ActiveLanguageIndex() == 0 ? 1 : 0;
    const std::u16string fileCaption = MainForm->MenuFile->Caption();
    const auto retype = [](TElFloatSpinEdit* Edit, const std::u16string& Text) {
        ASSERT_TRUE(FocusWindow(Edit->Handle()));
        PressKey('A', {VK_CONTROL});
        TypeText(Text);
    };
    const auto click = [](TWinControl* Button) { ClickAt(Button->Handle(), {Button->Width() / 2, Button->Height() / 2}); };

    // Every field changed, then a step typed below and one above its range (real keys in the
    // focused edit; OK clicked, then Return in the edit): each is refused as typed, not brought
    // within the range; Cancel ends it and nothing is applied. From the preferences tool button.
    ASSERT_TRUE(RunCommand<TPreferences>(nullptr, [&](TPreferences* d) {
        d->ComboBoxLanguage->SetItemIndex(otherLanguage);
        d->ComboBoxUnit->SetItemIndex(1);
        d->ComboBoxDateFormat->SetItemIndex(2);
        d->ElPanel_BgColor->SetColor(0x00FF00);
        retype(d->Edit2, u"-5");
        click(d->ButtonOK);
        EXPECT_EQ(d->ModalResult(), mrNone);
        EXPECT_TRUE(d->Edit2->Focused());
        retype(d->Edit2, u"2");
        retype(d->Edit1, u"1e40");
        PressKey(VK_RETURN);
        EXPECT_EQ(d->ModalResult(), mrNone);
        EXPECT_EQ(d->Edit1->Text(), u"1e40");
        click(d->ButtonCancel);
    }, 0, MainForm->ToolButtonPreferences));
    const std::u16string range = u" Enter a number greater than 0 and at most " + FormatNumber(100.0) + u".";
    EXPECT_EQ(ErrorBoxes, (std::vector<std::u16string>{u"'-5' is not a valid step." + range,
                                                       u"'1e40' is not a valid step." + range}));
    EXPECT_EQ(MainForm->MenuFile->Caption(), fileCaption);
    EXPECT_EQ(GlobalSettings.Language, before.Language);
    EXPECT_EQ(GlobalSettings.MeasureUnitIndex, before.MeasureUnitIndex);
    EXPECT_EQ(GlobalSettings.DateFormatIndex, before.DateFormatIndex);
    EXPECT_EQ(GlobalSettings.ZoomStep, before.ZoomStep);
    EXPECT_EQ(GlobalSettings.MoveStep, before.MoveStep);
    EXPECT_EQ(GlobalSettings.BackgroundColor, before.BackgroundColor);
    EXPECT_EQ(ReadFileBytes(SettingsFile()), settingsFile);
}

TEST_F(EditDialogsTest, PreferencesAreAppliedAtOnceAndSaved)
{
    ASSERT_TRUE(Start());
    TScanData& scan = Load(EncodeScanFile(MakeFieldExample().Source));
    scan.SurfaceThreshold = 0.0f;
    GlobalSettings.SurfaceThreshold = 9;
    const std::vector<uint8_t> settingsFile = ReadFileBytes(SettingsFile());
    const int32_t otherLanguage = LanguageManager->ActiveLanguageIndex() == 0 ? 1 : 0;
    const std::u16string fileCaption = MainForm->MenuFile->Caption();
    ColorDialogSeam() = [](TColor& Color) {
        Color = 0x0000FF;
        return true;
    };

    // F10 comes as a system key.
    const TModalDriver<TPreferences> driver([&](TPreferences* d) {
        d->ComboBoxLanguage->SetItemIndex(otherLanguage);
        d->ComboBoxUnit->SetItemIndex(1);
        d->Edit1->SetText(u"1.50");
        d->TrackBarFilter->SetPosition(4);
        PostClick(d->ElPanel_BgColor);
        PostClick(d->ButtonOK);
    });
    PostMessageW(MainForm->Handle(), WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(MainForm->Handle(), WM_SYSKEYUP, VK_F10, 0xC0000001);
    ASSERT_TRUE(PumpUntil([&] { return driver.Shown > 0; }) && PumpUntil(PostedMessagesHandled()));

    EXPECT_EQ(LanguageManager->ActiveLanguageIndex(), otherLanguage);
    EXPECT_EQ(GlobalSettings.Language, LanguageManager->Languages()[otherLanguage]->Name());
    EXPECT_NE(MainForm->MenuFile->Caption(), fileCaption);
    EXPECT_EQ(GlobalSettings.MeasureUnitIndex, 1);
    EXPECT_EQ(GlobalSettings.ZoomStep, 1.5f);
    EXPECT_EQ(GlobalSettings.ColorLimitStep, 4.0f);
    EXPECT_EQ(GlobalSettings.BackgroundColor, 0x0000FFu);
    EXPECT_EQ(scan.SurfaceThreshold, 9.0f);
    // The next frame has the new background: in the main view's margin, inside its frame.
    ASSERT_TRUE(mainroad::WaitForFrame());
    const RECT r = mainroad::ClientRectOf(MainForm->State().Views().Viewports()[MainViewport]);
    const l3d::testing::Pixels margin =
        l3d::testing::ReadClientPixels(MainForm->Handle(), RECT{r.left + 1, r.top + 40, r.left + 2, r.top + 41});
    EXPECT_EQ(margin.data[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_NE(ReadFileBytes(SettingsFile()), settingsFile);
}
