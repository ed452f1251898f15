// The window's own commands: exit and what closing the window does first, the serial-port
// picture in the status bar's first panel, and the serial port's receive event.
// The serial-port header names the comm bits itself, so it comes before the system headers.
#include "device/CPort.h"

#include "app/main.h"

#include "app/AppGlyphs.h"
#include "app/ScanKinds.h"
#include "app/dlg_info.h"

#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

void TMainForm::MenuFileExitClick(TObject*)
{
    Close();
}

void TMainForm::FormClose(TObject*, TCloseAction& Action)
{
    if (ComPort->Connected() && ReceiveActive == 1)
        MenuFileNewClick(this);
    const uint8_t scanMode = session_.Scan() ? session_.Scan()->ScanMode : 0;
    if (!IsFlatScanMode(scanMode))
        Action = QuerySaveChanges() == 2 ? TCloseAction::caNone : TCloseAction::caFree;
    // The settings are written when the window goes; the info window's place goes with them.
    if (Dialog_Info) {
        GlobalSettings.InfoWindowVisible = Dialog_Info->Visible() ? 1 : 0;
        GlobalSettings.InfoWindowLeft = Dialog_Info->Left();
        GlobalSettings.InfoWindowTop = Dialog_Info->Top();
    }
}

void TMainForm::StatusBarPanelDraw(TElStatusBar* Sender, TElStatusPanel*, const TRect&)
{
    const TToolGlyph port = ComPort->Connected() ? TToolGlyph::PortOpen : TToolGlyph::PortClosed;
    ImageList->Draw(Sender->Canvas(), 4, 1, ToolGlyphIndex(port));
}

void TMainForm::ComPortRxChar(TObject*, int32_t)
{
    // Live reception is not part of the program: the received characters stay in the port's
    // buffer until it is closed.
}
