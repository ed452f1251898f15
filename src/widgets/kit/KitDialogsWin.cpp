// The Windows edge of the kit's dialogs.
#include "widgets/kit/KitBrowseDlg.h"
#include "widgets/kit/KitDialogs.h"

#include "framework/FolderDialog.h"

bool TKitCustomFileDialog::Execute()
{
    return ExecuteWith(ExecuteFileDialog);
}

bool TKitBrowseDlg::Execute()
{
    TFolderDialogRequest request;
    request.Prompt = Title;
    request.Folder = SelectedFolder;
    if (!ExecuteFolderDialog(request))
        return false;
    SelectedFolder = request.Folder;
    return true;
}
