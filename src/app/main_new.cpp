// The New command. While a receive runs (the serial port is open) it stops it: the port is
// closed, the scan that arrived is finished by the live scan's operating mode and the New
// command gets its own look back. Otherwise it shows the new-scan dialog, in which the user
// picks the device profile and its choices; the dialog stores them in the settings.
//
// Receiving a scan from a device is not part of the program, so a confirmed dialog starts
// nothing and the port is only ever open when something outside this unit opened it.

// The serial port's names clash with macros of the system headers that main.h brings in.
#include "device/CPort.h"

#include "app/main.h"

#include "app/AppGlyphs.h"
#include "app/ReceivedScan.h"
#include "app/ScanKinds.h"

#include "device/GpsCoordinates.h"
#include "device/config.h"
#include "device/dlg_init.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "framework/Application.h"

void TMainForm::MenuFileNewClick(TObject*)
{
    ResetDataFileName();
    if (ComPort->Connected())
        StopReceive();
    else
        RunNewScanDialog();
    ResetDataFileName();
}

void TMainForm::TimerCancelTimer(TObject* Sender)
{
    // Off before the command runs: the command may show a dialog, whose loop would let the
    // timer fire again.
    TimerCancel->SetEnabled(false);
    MenuFileNewClick(Sender);
}

void TMainForm::StopReceive()
{
    // The port closes even when closing reports an error; the receive is over either way, so
    // the error is shown and the scan is still finished.
    try {
        ComPort->Close();
    } catch (...) {
        Application->HandleException(this);
    }
    ReceiveActive = 0;
    Panel_Voltage->SetVisible(false);

    TScanData* scan = session_.Scan();
    if (LiveScan.DeviceIndex >= 0 && scan) {
        try {
            const TStopAction action = FinishStoppedScan(*scan, DataGrid.get(), LiveScan.OperatingMode,
                                                         [](double Degrees) {
                                                             return static_cast<double>(
                                                                 DegreesToNMEA(static_cast<float>(Degrees)));
                                                         });
            if (action.DepthControls)
                SetDepthControlsEnabled(*action.DepthControls);
            if (action.Snapshot && session_.Files())
                session_.Files()->CreateTempSnapshot();
        } catch (...) {
            // Finishing allocates; without the memory for it the scan keeps what it holds.
            Application->HandleException(this);
        }
        session_.Image()->SetSmooth(1);
    }
    // The program is idle again: a live scan no longer runs (the paint timer would otherwise
    // keep drawing the data grid of a GPS scan instead of the scan made from it).
    LiveScan.DeviceIndex = -1;

    RestoreNewCommand();
    RequestRepaint();
    if (MenuViewReset->OnClick)
        MenuViewReset->OnClick(nullptr);
    UpdateMenuStates(scan && StoppedScanCounts(*scan));

    // Live reading is not part of the program: there is never a reader to free.
    LiveReader = nullptr;
    if (Dialog_Init)
        Dialog_Init->Hide();
}

void TMainForm::RestoreNewCommand()
{
    // The look the active language gives the New command at start-up (a receive may have
    // changed its texts and picture to those of its stop command).
    const TCommand& command = *MenuRow(commands_, MenuFileNew->Name());
    ShowTexts(command, LanguageManager ? LanguageManager->ActiveLanguage() : nullptr);
    MenuFileNew->SetImageIndex(ImageListIndex(command.Glyph));
    ToolButtonNew->SetImageIndex(ImageListIndex(command.Glyph));
    ToolButtonNew->Repaint();
    StatusBar->Repaint();
}

void TMainForm::RunNewScanDialog()
{
    // Leaving the scan for a new one: the answer does not stop the command (and saving is not
    // part of the program). Line diagrams and flat views of a live scan are not asked about.
    if (!session_.Scan() || !IsFlatScanMode(session_.Scan()->ScanMode))
        QuerySaveChanges();

    // The dialog stores the user's choices in the chosen profile and the settings, on OK and on
    // Cancel alike. Starting the receive with them is not part of the program.
    TOwned<TDialog_Neu> dialog(CreateComponent<TDialog_Neu>(this));
    dialog->Prepare();
    dialog->ShowModal();
}
