// The Import menu: one entry per device model, each showing the import dialog set up for its
// model, then running the transfer of the chosen device's files and reporting it. Transferring
// files is not part of the program (see app/ImportReport.h): after OK nothing is transferred
// and nothing is reported.
#include "app/main.h"

#include "app/ImportReport.h"

#include "device/dlg_import.h"
#include "shell/dlg_infodialog.h"
#include "scan/files/globals.h"

#include "framework/Application.h"
#include "framework/ValueKept.h"

namespace {

// The model index of each entry of the Import menu.
constexpr uint8_t OsprinModel = 0, HalvorModel = 1, PellamModel = 2, Qorr41Model = 3, Qorr31Model = 4,
                  TarnwellModel = 5;

std::u16string CaptionOf(TObject* Sender)
{
    const auto* item = dynamic_cast<TMenuItem*>(Sender);
    return item ? item->Caption() : std::u16string();
}

TImportRequest RequestOf(uint8_t ModelIndex, const TImport& Dialog)
{
    TImportRequest request;
    request.ModelIndex = ModelIndex;
    request.Folder = Dialog.EditFolder->Text();
    request.UseUSB = Dialog.UseUSB->Checked();
    if (const TImportEntry* entry = Dialog.SelectedEntry()) {
        request.DefinitionFile = entry->Text;
        request.Serial = entry->Serial;
    }
    request.Port = Dialog.PortList->Text();
    request.DeleteFiles = Dialog.cbDeleteFiles->Checked();
    return request;
}

}  // namespace

void TMainForm::ImportFromDevice(uint8_t ModelIndex, const std::u16string& MenuCaption)
{
    std::optional<TImportRequest> request;
    {
        TOwned<TImport> dialog(CreateComponent<TImport>(this));
        dialog->Prepare(ModelIndex, MenuCaption);
        dialog->RefreshDeviceList();
        if (dialog->ShowModal() == mrOk)
            request = RequestOf(ModelIndex, *dialog);
    }
    Application->ProcessMessages();
    if (!request)
        return;

    const std::optional<TImportReport> report = ImportReportOf(RunImportTransfer(*request));
    if (!report)
        return;
    if (!report->AsksToOpen) {
        ShowInfoDialog(idkInformation, report->Caption, report->Text, idbOK);
        return;
    }
    if (ShowInfoDialog(idkInformation, report->Caption, report->Text, idbYes | idbNo) != mrYes)
        return;
    // The open dialog starts where the files were written; the folder it keeps for the next
    // time stays the one it had, also when a file is opened there.
    const TValueKept<std::u16string> kept(GlobalSettings.OpenFolder, request->Folder);
    MenuFileOpenClick(nullptr);
}

void TMainForm::FileImportOsprinClick(TObject* Sender)
{
    ImportFromDevice(OsprinModel, CaptionOf(Sender));
}

void TMainForm::FileImportHalvorClick(TObject* Sender)
{
    ImportFromDevice(HalvorModel, CaptionOf(Sender));
}

void TMainForm::FileImportPellamClick(TObject* Sender)
{
    ImportFromDevice(PellamModel, CaptionOf(Sender));
}

void TMainForm::Qorr411Click(TObject* Sender)
{
    ImportFromDevice(Qorr41Model, CaptionOf(Sender));
}

void TMainForm::Qorr311Click(TObject* Sender)
{
    ImportFromDevice(Qorr31Model, CaptionOf(Sender));
}

void TMainForm::Tarnwell1Click(TObject* Sender)
{
    ImportFromDevice(TarnwellModel, CaptionOf(Sender));
}

// The entry of a model the program cannot import from: it is hidden and does nothing.
void TMainForm::KXStavro1Click(TObject*) {}
