// The main window's commands that show the scan's characteristics, the frequency-energy chart
// of the selected point, the about box and the update check.
#include "app/main.h"

#include "app/ExportChoice.h"
#include "app/LengthUnits.h"
#include "app/ProgramLook.h"
#include "app/RemarksModel.h"
#include "app/dlg_about.h"
#include "app/dlg_diagramm.h"
#include "app/remarks.h"

#include "shell/FormCaptionText.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TFileManager.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/globals.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "framework/Application.h"
#include "framework/FileUtils.h"

#include <optional>

void TMainForm::MenuFileRemarksClick(TObject*)
{
    if (!session_.Files() || !session_.Image())
        return;
    const TMeasureUnit* unit = ChosenMeasureUnit();
    const TRemarksRec_L3D_3 old = session_.Files()->Remarks();
    TRemarksEdit edit;
    {
        TOwned<TFormRemarks> dialog(CreateComponent<TFormRemarks>(this));
        dialog->Prepare(old, session_.Files()->ScanBlock().ScanMode(), session_.Scan() ? session_.Scan()->Count : 0,
                        unit);
        if (dialog->ShowModal() != mrOk)
            return;
        edit = dialog->Edit();
    }
    const TRemarksRec_L3D_3 remarks = RemarksAfterEdit(old, edit, unit);
    session_.Files()->SetRemarks(remarks);
    session_.Image()->SetFieldLength(remarks.FieldLength);
    session_.Image()->SetFieldWidth(remarks.FieldWidth);
    ComboBoxSoil->SetItemIndex(remarks.SoilType);
    ComboBoxSoilChange(nullptr);
    RequestRepaint();
    UpdateWindowCaption();
}

void TMainForm::ToolButton17XClick(TObject*)
{
    if (!Dialog_Diagramm || !session_.Files() || !session_.Scan())
        return;
    const std::u16string file = session_.Files()->FileName();
    const std::optional<int32_t> header =
        ChartHeaderOffset(session_.Magic(), session_.Scan()->Selected, FileExists(file));
    if (!header)
        return;
    Dialog_Diagramm->Prepare(session_.Files(), file, *header);
    Dialog_Diagramm->BuildDiagram();
    Dialog_Diagramm->ShowModal();
}

void TMainForm::MenuHelpAboutClick(TObject*)
{
    TOwned<TAbout> about(CreateComponent<TAbout>(this));
    const std::u16string caption = GetText(Texts::About, u"About Lorvane 3D");
    about->SetCaption(caption);
    SetFormCaptionText(about->ElFormCaption, caption);
    about->ButtonOK->SetCaption(GetText(Texts::OK, u"OK"));
    about->ShowModal();
}

void TMainForm::MenuHelp_UpdateClick(TObject*)
{
    // The program holds the update component's settings but does not reach out to a server:
    // it names its own version and where newer ones are published.
    const TVersionTexts version = VersionTexts(*ElVersionInfo, FallbackVersionTexts);
    const std::u16string text = Application->Title + u" " + version.Version + u" (" + version.Build +
                                u")\r\n" +
                                GetText(Texts::NoUpdateCheck,
                                        u"This version does not check for updates. Newer versions are "
                                        u"published on the product's web page:") +
                                u"\r\n" + ProductWebAddress;
    ShowInfoDialog(idkInformation, GetText(Texts::CheckForUpdates, u"Check for updates"), text, idbOK);
}

void TMainForm::TimerUpdateTimer(TObject* Sender)
{
    TimerUpdate->SetEnabled(false);
    MenuHelp_UpdateClick(Sender);
}
