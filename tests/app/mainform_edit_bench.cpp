// How long interpolation and fault-signal correction take on a 500 x 500 scan under Wine, from
// the command (its menu item, the dialog confirmed at once) to the next frame drawn: the
// command itself, then the frame that rebuilds the display list from the changed points, as
// the paint timer draws it (four views: the split screen is on at first). The figures are printed, never checked; so is what the window did
// meanwhile: the ticks of a timer it answered and the busy text its status bar showed (with
// L3D_SCREENSHOT_DIR set, a picture of the window at that moment, busy_edit.png).
#include "mainroad_support.h"

#include "ExampleScans.h"
#include "app/dlg_faultsignals.h"
#include "app/dlg_interpolation.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "device/form_driving.h"
#include "support/pump.h"
#include "widgets/el/menus/el_screenshot.h"

#include "framework/StrConv.h"
#include "framework/Timer.h"

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int Side = 500;

// A field of Side x Side readings: a gentle wave with a spike in every 97th reading.
std::vector<uint8_t> LargeScanFile()
{
    TScanFileSource source = MakeFieldExample().Source;
    source.LinesPerBlock = Side;
    source.Count = Side * Side;
    source.Records.clear();
    for (int c = 0; c < Side; ++c)
        for (int r = 0; r < Side; ++r) {
            TScanRecord record;
            record.X = float(c);
            record.Y = float(r);
            const int i = c * Side + r;
            record.Value = float(100.0 + 10.0 * std::sin(c * 0.05) * std::cos(r * 0.04) + (i % 97 == 0 ? 60.0 : 0.0));
            source.Records.push_back(record);
        }
    return EncodeScanFile(source);
}

}  // namespace

class EditBench : public ProgramTest {
protected:
    void Load(const std::vector<uint8_t>& Bytes)
    {
        WriteFileBytes(Root + u"large.dmo", Bytes);
        MainForm->OpenFile(Root + u"large.dmo");
        ASSERT_TRUE(PumpUntil([] { return !MainForm->State().Views().RepaintPending(); }));
    }

    // The command from its menu item with Drive confirming the dialog; the time of the command
    // and of the next frame.
    template <class Form>
    void Measure(const char* What, TMenuItem* Item, const std::function<void(Form*)>& Drive)
    {
        const TModalDriver<Form> driver([&](Form* Dialog) {
            Drive(Dialog);
            Dialog->SetModalResult(mrOk);
        });
        // A timer of the main thread: it ticks only while the window answers messages.
        int ticks = 0;
        std::u16string busyText;
        TTimer observer(nullptr);
        observer.SetInterval(50);
        observer.OnTimer = [&](TObject*) {
            ++ticks;
            const std::u16string text = MainForm->StatusBar->Panels(4)->Text();
            if (busyText.empty() && text.find(u" ...") != std::u16string::npos) {
                busyText = text;
                l3d::testing::SaveScreenshot(MainForm->Handle(), u"busy_edit.png");
            }
        };
        const auto begin = std::chrono::steady_clock::now();
        Item->Click();
        const double command = mainroad::MsSince(begin);
        observer.SetEnabled(false);
        ASSERT_GT(driver.Shown, 0);
        ASSERT_TRUE(MainForm->State().Views().RepaintPending());
        const auto frameBegin = std::chrono::steady_clock::now();
        ASSERT_TRUE(PumpUntil(
            [] {
                const TMainFormState form = MainForm->State();
                return !form.Views().RepaintPending() && form.Session().Image()->Rebuild == 0 &&
                       form.Session().Scan()->Changed == 0;
            }));
        const double frame = mainroad::MsSince(frameBegin);
        std::printf("%-44s command %7.0f ms, next frame %6.0f ms, together %7.0f ms; "
                    "window answered %d ticks of 50 ms, status \"%s\"\n",
                    What, command, frame, command + frame, ticks, WideToUtf8(busyText).c_str());
        std::fflush(stdout);
    }
};

TEST_F(EditBench, InterpolationAndSignalCorrectionOnA500By500Scan)
{
    ASSERT_TRUE(Start());
    const std::vector<uint8_t> file = LargeScanFile();
    for (int passes : {1, 10}) {
        Load(file);
        Measure<TInterpolation>(passes == 1 ? "interpolation, 1 pass" : "interpolation, 10 passes",
                                MainForm->MenuEditInterpolate,
                                [passes](TInterpolation* d) { d->TrackBar1->SetPosition(passes); });
    }
    Load(file);
    MainForm->State().Session().Scan()->SelectPoint(MainForm->State().Session().Scan()->First);
    Measure<TFaultSignals>("signal correction, under the cross hairs", MainForm->MenuEditCorrectFaultSignal,
                           [](TFaultSignals*) {});
    for (auto [surface, surround] : {std::pair{7, 4}, std::pair{0, 0}}) {
        Load(file);
        char what[64];
        std::snprintf(what, sizeof what, "signal correction, all, thresholds %d/%d", surface, surround);
        Measure<TFaultSignals>(what, MainForm->MenuEditCorrectFaultSignal, [=](TFaultSignals* d) {
            d->RadioButtonAll->SetChecked(true);
            d->TrackBarSurface->SetPosition(surface);
            d->TrackBarSurround->SetPosition(surround);
        });
    }
}
