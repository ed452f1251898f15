// The Image menu's two edits that ask first: interpolation (passes of neighbour averaging) and
// the correction of fault signals. Both change the points of the loaded scan, mark the scan as
// edited so that "Undo all changes" can bring the opened values back, and ask for a repaint.
// On a large scan either may take seconds: the edit runs as busy work, with the paint timer
// paused so that no frame reads the points while they change.
#include "app/main.h"

#include "app/BusyWork.h"
#include "app/InterpolationWork.h"
#include "app/PaintTimerPause.h"
#include "app/dlg_faultsignals.h"
#include "app/dlg_interpolation.h"
#include "scan/files/globals.h"
#include "scan/render/_TScanImage.h"

namespace {

bool CanEditScan(const TMainScanSession& Session)
{
    return Session.Scan() && !BusyWorkRunning();
}

}  // namespace

void TMainForm::MenuEditInterpolateClick(TObject*)
{
    if (!CanEditScan(session_))
        return;
    TOwned<TInterpolation> dialog(CreateComponent<TInterpolation>(this));
    dialog->Prepare(GlobalSettings.InterpolationPasses);
    if (dialog->ShowModal() != mrOk)
        return;
    const uint8_t passes = static_cast<uint8_t>(dialog->TrackBar1->Position());
    GlobalSettings.InterpolationPasses = passes;
    const std::u16string what = dialog->Caption();
    dialog.reset();
    {
        const TPaintTimerPause pause(TimerPaint);
        TScanImage& image = *session_.Image();
        RunBusyWork(StatusBar->Panels(4), what,
                    [&image, passes](TWorkProgress& Progress) { InterpolateScan(image, passes, Progress); });
    }
    NoteScanEdited();
}

void TMainForm::MenuEditCorrectFaultSignalClick(TObject*)
{
    if (!CanEditScan(session_))
        return;
    TOwned<TFaultSignals> dialog(CreateComponent<TFaultSignals>(this));
    dialog->Prepare(GlobalSettings.SurfaceThreshold, GlobalSettings.SurroundThreshold);
    if (dialog->ShowModal() != mrOk)
        return;
    GlobalSettings.SurroundThreshold = dialog->TrackBarSurround->Position();
    GlobalSettings.SurfaceThreshold = dialog->TrackBarSurface->Position();
    ApplyThresholdsToScan();
    TScanData& scan = *session_.Scan();
    const bool selectedOnly = dialog->RadioButtonCrosshairs->Checked();
    const std::u16string what = dialog->Caption();
    dialog.reset();
    {
        const TPaintTimerPause pause(TimerPaint);
        RunBusyWork(StatusBar->Panels(4), what, [&scan, selectedOnly](TWorkProgress&) {
            scan.CorrectFaultSignals(selectedOnly);
        });
    }
    session_.Image()->Rebuild = 1;
    NoteScanEdited();
}
