#include "widgets/el/editing/ElFolderNameEdit.h"

#include "framework/FolderDialog.h"
#include "framework/StrConv.h"

TElFolderNameEdit::TElFolderNameEdit(TComponent* AOwner) : TElEditPartControl(AOwner)
{
    BeginCreate();
    SetBounds(0, 0, 200, 21);
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

int TElFolderNameEdit::SidePartWidth() const
{
    return GetSystemMetrics(SM_CXVSCROLL) + 4;
}

void TElFolderNameEdit::CreateSidePart(const RECT& Bounds)
{
    button_ = CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, Bounds.left, Bounds.top,
                              Bounds.right - Bounds.left, Bounds.bottom - Bounds.top, Handle(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

void TElFolderNameEdit::PlaceSidePart(const RECT& Bounds)
{
    if (button_)
        MoveWindow(button_, Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top, TRUE);
}

bool TElFolderNameEdit::SidePartMessage(TMessage& Message)
{
    if (Message.Msg != WM_COMMAND || reinterpret_cast<HWND>(Message.LParam) != button_)
        return false;
    if (HIWORD(Message.WParam) == BN_CLICKED && Enabled())
        Browse();
    return true;
}
