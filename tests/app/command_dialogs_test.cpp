// The interpolation, signal-correction, print and preferences dialogs on real windows under
// Wine, each run modally and driven by posted messages: what they show, how their controls
// follow each other, and what they keep or refuse.
#include "app/BusyWork.h"
#include "app/dlg_faultsignals.h"
#include "app/dlg_interpolation.h"
#include "app/dlg_preferences.h"
#include "app/dlg_print.h"

#include "device/form_driving.h"
#include "shell/dlg_infodialog_layout.h"
#include "scan/files/globals.h"
#include "support/pump.h"
#include "widgets/el/menus/ElStatusBar.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/Dialogs.h"
#include "framework/Screen.h"
#include "framework/StrConv.h"
#include "framework/Timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include <windows.h>

namespace {

void PostText(TWinControl* Control, const std::u16string& Text)
{
    for (char16_t c : Text)
        PostMessageW(Control->Handle(), WM_CHAR, c, 1);
}

bool Settle()
{
    return PumpUntil(PostedMessagesHandled());
}

// A picture for the record, when the run asks for them.
void SaveScreenshot(TForm* Form, const char16_t* Name)
{
    if (l3d::testing::ScreenshotFolder().empty() || !PumpUntil(NothingToPaint))
        return;
    l3d::testing::SaveScreenshot(Form->Handle(), Name);
}

template <class Form>
TOwned<Form> NewDialog()
{
    return TOwned<Form>(CreateComponent<Form>(nullptr));
}

}  // namespace

TEST(InterpolationDialog, ShowsTheStoredPassesAndTheValueFollowsTheTrackBar)
{
    auto dialog = NewDialog<TInterpolation>();
    dialog->Prepare(4);
    EXPECT_EQ(dialog->Caption(), u"Interpolation");
    EXPECT_EQ(dialog->LabelSteps->Caption(), u"Number of interpolation passes:");
    EXPECT_EQ(dialog->ButtonOK->Caption(), u"OK");
    EXPECT_EQ(RunModal<TInterpolation>(dialog.get(),
                                       [](TInterpolation* d) {
                                           EXPECT_EQ(d->TrackBar1->Position(), 4);
                                           EXPECT_EQ(d->LabelStepsValue->Caption(), u"4");
                                           SaveScreenshot(d, u"interpolation_dialog.png");
                                           // The arrow key moves by the line size, 2.
                                           PostKey(d->TrackBar1, VK_RIGHT);
                                           ASSERT_TRUE(Settle());
                                           EXPECT_EQ(d->TrackBar1->Position(), 6);
                                           EXPECT_EQ(d->LabelStepsValue->Caption(), u"6");
                                           PostKey(d->TrackBar1, VK_END);
                                           ASSERT_TRUE(Settle());
                                           EXPECT_EQ(d->LabelStepsValue->Caption(), u"10");
                                           PostClick(d->ButtonOK);
                                       }),
              mrOk);
    EXPECT_EQ(dialog->TrackBar1->Position(), 10);

    // Stored passes outside the bar's range show as its nearest end.
    auto zero = NewDialog<TInterpolation>();
    zero->Prepare(0);
    EXPECT_EQ(zero->TrackBar1->Position(), 1);
    EXPECT_EQ(zero->LabelStepsValue->Caption(), u"1");
}

TEST(FaultSignalsDialog, TheThresholdsAreEnabledExactlyInTheAutomaticMode)
{
    auto dialog = NewDialog<TFaultSignals>();
    dialog->Prepare(7, 4);
    EXPECT_EQ(dialog->Caption(), u"Signal correction");
    // Without a language file the form's own captions stay.
    EXPECT_EQ(dialog->RadioButtonAll->Caption(), u"Remove all fault signals (automatic mode)");
    EXPECT_EQ(dialog->LabelSurround->Caption(), u"Average deviation from surrounding values");
    EXPECT_EQ(RunModal<TFaultSignals>(dialog.get(),
                                      [](TFaultSignals* d) {
                                          const std::vector<TControl*> inGroup{
                                              d->GroupBox,          d->LabelSurface,       d->LabelSurround,
                                              d->LabelSurfaceValue, d->LabelSurroundValue, d->TrackBarSurface,
                                              d->TrackBarSurround};
                                          auto groupEnabled = [&](bool Expected) {
                                              for (TControl* c : inGroup)
                                                  EXPECT_EQ(c->Enabled(), Expected) << c->Name();
                                          };
                                          EXPECT_TRUE(d->RadioButtonCrosshairs->Checked());
                                          groupEnabled(false);
                                          EXPECT_EQ(d->LabelSurfaceValue->Caption(), u"7");
                                          EXPECT_EQ(d->LabelSurroundValue->Caption(), u"4");
                                          PostClick(d->RadioButtonAll);
                                          ASSERT_TRUE(Settle());
                                          EXPECT_FALSE(d->RadioButtonCrosshairs->Checked());
                                          groupEnabled(true);
                                          SaveScreenshot(d, u"fault_signals_dialog.png");
                                          PostKey(d->TrackBarSurround, VK_HOME);
                                          PostKey(d->TrackBarSurface, VK_END);
                                          ASSERT_TRUE(Settle());
                                          EXPECT_EQ(d->LabelSurroundValue->Caption(), u"0");
                                          EXPECT_EQ(d->LabelSurfaceValue->Caption(), u"20");
                                          PostClick(d->RadioButtonCrosshairs);
                                          ASSERT_TRUE(Settle());
                                          groupEnabled(false);
                                          PostClick(d->ButtonCancel);
                                      }),
              mrCancel);
}

TEST(PrintDialog, ListsThePrintersWithTheCurrentOneAndKeepsTheChosenOne)
{
    PrinterListSeam() = [] { return std::vector<std::u16string>{u"Hall", u"Office", u"Plotter"}; };
    std::u16string setupOffered;
    PrinterSetupSeam() = [&](std::u16string& Name) {
        setupOffered = Name;
        Name = u"Hall";
        return true;
    };
    CurrentPrinterName() = u"Office";
    const uint8_t storedCover = GlobalSettings.PrintProjectInfo;
    GlobalSettings.PrintProjectInfo = 0;

    auto dialog = NewDialog<TPrintDialog>();
    dialog->Prepare();
    EXPECT_EQ(dialog->Caption(), u"Print");
    EXPECT_EQ(dialog->ButtonSettings->Caption(), u"Settings ... ");
    EXPECT_EQ(RunModal<TPrintDialog>(dialog.get(),
                                     [&](TPrintDialog* d) {
                                         EXPECT_EQ(ItemsOf(d->ComboBoxPrinter),
                                                   (std::vector<std::u16string>{u"Hall", u"Office", u"Plotter"}));
                                         EXPECT_EQ(d->ComboBoxPrinter->ItemIndex(), 1);
                                         EXPECT_FALSE(d->CheckBoxCover->Checked());
                                         EXPECT_TRUE(d->CheckBoxImage->Checked());
                                         EXPECT_FALSE(d->CheckBoxBackground->Checked());
                                         SaveScreenshot(d, u"print_dialog.png");
                                         // The user picks the next printer in the list.
                                         d->ComboBoxPrinter->SetFocus();
                                         PostKey(d->ComboBoxPrinter, VK_DOWN);
                                         ASSERT_TRUE(Settle());
                                         EXPECT_EQ(CurrentPrinterName(), u"Plotter");
                                         // The set-up dialog picks another.
                                         PostClick(d->ButtonSettings);
                                         ASSERT_TRUE(Settle());
                                         EXPECT_EQ(setupOffered, u"Plotter");
                                         EXPECT_EQ(d->ComboBoxPrinter->ItemIndex(), 0);
                                         PostClick(d->ButtonCancel);
                                     }),
              mrCancel);
    EXPECT_EQ(CurrentPrinterName(), u"Hall");

    // A set-up that is cancelled changes nothing.
    PrinterSetupSeam() = [](std::u16string& Name) {
        Name = u"Plotter";
        return false;
    };
    auto again = NewDialog<TPrintDialog>();
    again->ButtonSettingsClick(again->ButtonSettings);
    EXPECT_EQ(CurrentPrinterName(), u"Hall");
    EXPECT_EQ(again->ComboBoxPrinter->ItemIndex(), 0);

    GlobalSettings.PrintProjectInfo = storedCover;
    ResetDialogSeams();
}

class PreferencesDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        stored_ = GlobalSettings;
        GlobalSettings.ZoomStep = 1.25f;
        GlobalSettings.MoveStep = 1.0f;
        GlobalSettings.RotateStep = 1.0f;
        GlobalSettings.ColorLimitStep = 1.0f;
        GlobalSettings.MeasureUnitIndex = 0;
        GlobalSettings.DateFormatIndex = 0;
        GlobalSettings.TimeFormatIndex = 0;
        GlobalSettings.BackgroundColor = 0x123456;
        dialog_ = NewDialog<TPreferences>();
        dialog_->Prepare({u"English", u"Deutsch"}, 1, {u"Metre ( m )", u"Foot ( ft )"});
    }
    void TearDown() override
    {
        GlobalSettings = stored_;
        ResetDialogSeams();
    }
    TModalResult Run(const std::function<void(TPreferences*)>& Drive)
    {
        return RunModal<TPreferences>(dialog_.get(), Drive);
    }
    void Retype(TElFloatSpinEdit* Edit, const std::u16string& Text)
    {
        Edit->SetText(u"");
        PostText(Edit, Text);
        ASSERT_TRUE(Settle());
    }

    TSettingsRecord stored_;
    TOwned<TPreferences> dialog_;
    TAnsweredMessages messages_;
};

TEST_F(PreferencesDialog, RestoreIsOffAtTheDefaultsOnAfterAChangeAndPutsTheDefaultsBack)
{
    EXPECT_EQ(Run([&](TPreferences* d) {
                  EXPECT_EQ(d->Caption(), u"Preferences");
                  EXPECT_EQ(ItemsOf(d->ComboBoxLanguage), (std::vector<std::u16string>{u"English", u"Deutsch"}));
                  EXPECT_EQ(d->ComboBoxLanguage->ItemIndex(), 1);
                  EXPECT_EQ(d->ComboBoxDateFormat->Items()->Count(), 3);
                  EXPECT_EQ(d->ComboBoxTimeFormat->Items()->Count(), 2);
                  EXPECT_EQ(d->Edit1->Text(), u"1.25");
                  EXPECT_EQ(d->ElPanel_BgColor->Color(), 0x123456u);
                  EXPECT_FALSE(d->ButtonReset->Enabled());
                  SaveScreenshot(d, u"preferences_dialog.png");

                  // "1." on the way to "1.5" raises nothing and enables the button.
                  Retype(d->Edit1, u"1.");
                  EXPECT_TRUE(d->ButtonReset->Enabled());
                  PostText(d->Edit1, u"5");
                  PostKey(d->TrackBarFilter, VK_END);
                  ASSERT_TRUE(Settle());
                  EXPECT_EQ(d->LabelFilterValue->Caption(), u"10");
                  EXPECT_EQ(d->TrackBarFilter->SelEnd(), 10);
                  EXPECT_EQ(d->LabelFilterValue->Left(), d->LabelFilterName->Left() + d->LabelFilterName->Width() + 5);

                  // Restore asks first; the answer Yes puts the defaults into the controls.
                  PostClick(d->ButtonReset);
                  ASSERT_TRUE(Settle());
                  ASSERT_EQ(messages_.Shown.size(), 1u);
                  EXPECT_EQ(messages_.Shown[0].rfind(u"Restore: Do you really want", 0), 0u);
                  EXPECT_EQ(d->Edit1->Text(), u"1.25");
                  EXPECT_EQ(d->TrackBarFilter->Position(), 1);
                  EXPECT_EQ(d->ElPanel_BgColor->Color(), 0u);
                  EXPECT_FALSE(d->ButtonReset->Enabled());
                  // A format chosen by the user enables it again.
                  d->ComboBoxTimeFormat->SetFocus();
                  PostKey(d->ComboBoxTimeFormat, VK_DOWN);
                  ASSERT_TRUE(Settle());
                  EXPECT_EQ(d->ComboBoxTimeFormat->ItemIndex(), 1);
                  EXPECT_TRUE(d->ButtonReset->Enabled());
                  PostClick(d->ButtonCancel);
              }),
              mrCancel);
    // Nothing is stored before OK.
    EXPECT_EQ(GlobalSettings.BackgroundColor, 0x123456u);
    EXPECT_EQ(GlobalSettings.ZoomStep, 1.25f);
}

TEST(BusyWork, TheWindowsTakeNoInputKeepPaintingAndShowProgressUntilTheWorkEnds)
{
    TOwned<TForm> form(CreateComponent<TForm>(nullptr));
    form->SetBounds(40, 40, 400, 200);
    auto* bar = new TElStatusBar(form.get());
    bar->SetParent(form.get());
    bar->SetAlign(TAlign::alBottom);
    TElStatusPanel* panel = bar->Panels().Add();
    panel->SetWidth(300);
    panel->SetText(u" a hint");
    form->Show();
    ASSERT_TRUE(PumpUntil(NothingToPaint));

    // The timer looks while the work runs: the form is disabled, the hourglass and the progress
    // show, and a part of the window that needs painting is painted. Then it lets the work end.
    std::atomic<bool> release{false};
    bool sawDisabled = false, sawHourglass = false, sawProgress = false, sawPainted = false;
    int ticks = 0;
    TTimer observer(nullptr);
    observer.SetInterval(20);
    observer.OnTimer = [&](TObject*) {
        ++ticks;
        sawDisabled = sawDisabled || !IsWindowEnabled(form->Handle());
        sawHourglass = sawHourglass || Screen->Cursor() == crHourGlass;
        sawProgress = sawProgress || panel->Text() == u" Smoothing ... 50 %";
        if (ticks == 3)
            InvalidateRect(form->Handle(), nullptr, TRUE);
        if (ticks > 3 && !GetUpdateRect(form->Handle(), nullptr, FALSE))
            sawPainted = true;
        if ((sawDisabled && sawHourglass && sawProgress && sawPainted) || ticks > 250)
            release = true;
    };
    RunBusyWork(panel, u"Smoothing", [&](TWorkProgress& Progress) {
        Progress = 50;
        while (!release)
            Sleep(1);
    });
    observer.SetEnabled(false);
    EXPECT_TRUE(sawDisabled);
    EXPECT_TRUE(sawHourglass);
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(sawPainted);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_EQ(panel->Text(), u" a hint");
    EXPECT_NE(Screen->Cursor(), crHourGlass);

    // A failing work is raised on the main thread; the windows take input again.
    EXPECT_THROW(RunBusyWork(panel, u"Smoothing", [](TWorkProgress&) { throw std::runtime_error("no memory"); }),
                 std::runtime_error);
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_FALSE(BusyWorkRunning());
}
