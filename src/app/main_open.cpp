// Opening a scan: the File > Open command and the one road (OpenFile) by which a file becomes
// the current scan, whether it comes from the open dialog, the recent list, the Examples menu,
// the command line or a device import. The window then sets itself up for the kind of file.
#include "app/main.h"

#include "app/ScanKinds.h"

#include "shell/FormCaptionText.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/bkStrings.h"
#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "framework/Application.h"

#include <windows.h>

void TMainForm::MenuFileOpenClick(TObject*)
{
    // Saving scan files is not part of the program, so the answer changes nothing here.
    QuerySaveChanges();
    TKitOpenDialog& dialog = *Kit_OpenDialog;
    dialog.DefaultFolder = GlobalSettings.OpenFolder;
    dialog.FileTypes.Clear();
    TKitFileType* demo = dialog.FileTypes.Add();
    demo->DisplayName = u"Demo files (*.dmo)";
    demo->FileMask = u"*.dmo";
    dialog.Title = GetText(Texts::FileOpen, u"Open");
    if (dialog.Execute())
        OpenFile(dialog.FileName);
}

void TMainForm::OpenFile(const std::u16string& FileName)
{
    if (!session_.Files())
        return;
    // A file that is missing, unrecognised or damaged has shown its message and changed
    // nothing: the previous scan stays with everything the window set up for it, including
    // the magic the chart command reads.
    if (session_.Open(FileName)) {
        // The menus, buttons, caption, soil box and status bar change one after another; the
        // window is drawn once, when all of them are set.
        {
            const TDrawingHold hold(this);
            SetUpForOpenedScan(FileName);
        }
        // The drawing area shows the next frame of the paint timer, asked for below; painted as
        // a window too, it would only ask the window behind it to paint a second time.
        if (TScanImage* image = session_.Image())
            ValidateRect(image->DrawingWindow(), nullptr);
        // A scan opened without its undo snapshot says so once the window shows it.
        session_.Files()->TellMissingSnapshot();
    }
    RequestRepaint();
}

void TMainForm::SetUpForOpenedScan(const std::u16string& FileName)
{
    const TScanKindRule rule = ScanKindRuleOf(session_.Magic());
    TScanImage* image = session_.Image();
    TScanData* scan = session_.Scan();
    SetDepthControlsEnabled(rule.DepthControls);
    if (scan)
        scan->ColorScheme = rule.ColorScheme;
    if (image)
        image->SetSmooth(1);
    UpdateWindowCaption();

    const TRemarksRec_L3D_3& remarks = session_.Files()->Remarks();
    if (const std::optional<int32_t> soil = SoilIndexForOpen(remarks.SoilType, ComboBoxSoil->Items()->Count())) {
        ComboBoxSoil->SetItemIndex(*soil);
        const std::optional<float> factor = SoilFactorAt(ComboBoxSoil->ItemIndex(), SoilTypes);
        if (factor && scan)
            scan->SetSoilFactor(*factor);
    }
    if (image) {
        image->SetFieldLength(FieldSizeOfFile(remarks.FieldLength));
        image->SetFieldWidth(FieldSizeOfFile(remarks.FieldWidth));
    }
    GlobalSettings.OpenFolder = WideExtractFilePath(FileName);

    if (rule.KeepViews)
        RepairViewStates(views_.States());  // a view the projection cannot show gets its preset
    else
        MenuViewResetClick(nullptr);

    // The open noted no edit (the session's): the menus show a scan as opened.
    UpdateMenuStates(scan && !scan->IsEmpty());
    UpdateScanInfo();
    // A scan just opened has nothing to undo (Undo without an edit does nothing): Undo waits
    // for the first edit.
    MenuEditReset->SetEnabled(false);
    if (scan)
        scan->Changed = 1;
}

void TMainForm::UpdateWindowCaption()
{
    const TFileManager* files = session_.Files();
    if (!files)
        return;
    const std::u16string text = WindowCaptionText(files->Remarks().Project, files->FileName());
    SetFormCaptionText(ElFormCaption, text);
    // The title the task bar shows: the window's own text, and the application's.
    SetCaption(text);
    if (Application)
        SetWindowTextW(Application->Handle(), reinterpret_cast<const wchar_t*>(text.c_str()));
}
