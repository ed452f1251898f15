// File > "Print ...": the print dialog keeps the user's print choices. The print job itself is
// not part of the program; the chosen printer stays the current one by its name, and no
// printer device is opened for a job that does not exist.
#include "app/main.h"

#include "app/dlg_print.h"
#include "scan/files/globals.h"

void TMainForm::MenuFilePrintClick(TObject*)
{
    TOwned<TPrintDialog> dialog(CreateComponent<TPrintDialog>(this));
    dialog->Prepare();
    if (dialog->ShowModal() != mrOk)
        return;
    GlobalSettings.PrintBackground = dialog->CheckBoxBackground->Checked() ? 1 : 0;
    GlobalSettings.PrintProjectInfo = dialog->CheckBoxCover->Checked() ? 1 : 0;
    GlobalSettings.PrintScanImage = dialog->CheckBoxImage->Checked() ? 1 : 0;
}
