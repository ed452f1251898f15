// The Windows edge of the kit's dialogs.
#include "widgets/kit/KitBrowseDlg.h"
#include "widgets/kit/KitDialogs.h"

#include "framework/WinText.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

bool TKitCustomFileDialog::Execute()
{
    return ExecuteWith(ExecuteFileDialog);
}

namespace {

// The folder browser needs COM on its thread; a thread already in another mode keeps it.
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

// Selects the start folder once the browser is up; a system callback, so it only sends.
int CALLBACK BrowseCallback(HWND Dialog, UINT Message, LPARAM, LPARAM Data)
{
    if (Message == BFFM_INITIALIZED && Data)
        SendMessageW(Dialog, BFFM_SETSELECTIONW, TRUE, Data);
    return 0;
}

}  // namespace

bool TKitBrowseDlg::Execute()
{
    ComApartment com;
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = GetActiveWindow();
    info.pszDisplayName = displayName;
    info.lpszTitle = Title.empty() ? nullptr : WideChars(Title);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = SelectedFolder.empty() ? 0 : reinterpret_cast<LPARAM>(WideChars(SelectedFolder));
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen)
        return false;
    wchar_t path[MAX_PATH] = {};
    const bool isFolder = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!isFolder)
        return false;
    SelectedFolder = FromWide(path);
    return true;
}
