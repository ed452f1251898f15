#include "framework/FolderDialog.h"

#include "framework/WinText.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

// The browser needs COM on its thread; a thread already in another mode keeps it.
class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (ok_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

// A system callback on the dialog's thread: it only sends messages, nothing can raise.
int CALLBACK BrowseCallback(HWND Dialog, UINT Message, LPARAM, LPARAM Data)
{
    if (Message != BFFM_INITIALIZED || !Data)
        return 0;
    const auto* request = reinterpret_cast<const TFolderDialogRequest*>(Data);
    if (!request->Title.empty())
        SetWindowTextW(Dialog, WideChars(request->Title));
    if (!request->Folder.empty())
        SendMessageW(Dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(WideChars(request->Folder)));
    return 0;
}

bool SystemFolderDialog(TFolderDialogRequest& Request)
{
    ComApartment com;
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    HWND owner = GetActiveWindow();
    info.hwndOwner = owner ? owner : GetForegroundWindow();
    info.pszDisplayName = displayName;
    info.lpszTitle = Request.Prompt.empty() ? nullptr : WideChars(Request.Prompt);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&Request);
    PIDLIST_ABSOLUTE root = Request.Root.empty() ? nullptr : ILCreateFromPathW(WideChars(Request.Root));
    if (!Request.Root.empty() && !root)
        return false;  // no such folder: nothing to browse
    info.pidlRoot = root;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    ILFree(root);
    if (!chosen)
        return false;
    wchar_t path[MAX_PATH] = {};
    const bool isFolder = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!isFolder)
        return false;
    Request.Folder = FromWide(path);
    return true;
}

}  // namespace

TFolderDialogFunc& FolderDialogSeam()
{
    static TFolderDialogFunc seam = SystemFolderDialog;
    return seam;
}

bool ExecuteFolderDialog(TFolderDialogRequest& Request)
{
    TFolderDialogFunc& seam = FolderDialogSeam();
    return seam ? seam(Request) : SystemFolderDialog(Request);
}
