#include "widgets/el/editing/ElFolderNameEdit.h"

#include "framework/FolderDialog.h"
#include "framework/StrConv.h"

TElFolderNameEdit::TElFolderNameEdit(TComponent* AOwner) : TCustomElButtonEdit(AOwner)
{
    BeginCreate();
    SetNotifyUserChangeOnly(false);
    SetButtonCaption(u"...");
    SetWidth(200);
    EndCreate();
}

bool TElFolderNameEdit::Browse()
{
    TFolderDialogRequest request;
    request.Title = AnsiToWide(title_);
    request.Prompt = prompt_;
    request.Folder = Text();
    if (!ExecuteFolderDialog(request))
        return false;
    SetText(request.Folder);
    return true;
}

void TElFolderNameEdit::ButtonClick()
{
    Browse();
    TCustomElButtonEdit::ButtonClick();
}
