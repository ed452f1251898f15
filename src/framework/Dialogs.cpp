#include "framework/Dialogs.h"

#include "framework/ExceptionBarrier.h"
#include "framework/FileDialogRules.h"
#include "framework/Graphics.h"
#include "framework/WinText.h"

#include <algorithm>
#include <array>

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <winspool.h>

namespace {

HWND DialogOwner()
{
    HWND active = GetActiveWindow();
    return active ? active : GetForegroundWindow();
}

int SystemMessageBox(const std::u16string& Text, const std::u16string& Caption, uint32_t Flags)
{
    return MessageBoxW(DialogOwner(), WideChars(Text), WideChars(Caption), Flags);
}

// What the hook of a running file dialog reaches through the dialog's custom data.
struct FileDialogRun {
    TFileDialogRequest* Request = nullptr;
    // The default extension in the system's form, handed over in ofn.lpstrDefExt. Some dialogs
    // ignore CDM_SETDEFEXT and read the extension through that pointer when the user confirms,
    // so a change is written here in place (the buffer never moves) and also sent.
    std::array<wchar_t, 64> DefaultExt{};

    // True when Extension differs from the one in force, which it then becomes (cut to fit).
    bool SetDefaultExt(const std::u16string& Extension)
    {
        const std::u16string ext = SystemDefaultExtension(Extension).substr(0, DefaultExt.size() - 1);
        if (ext == FromWide(DefaultExt.data()))
            return false;
        std::fill(DefaultExt.begin(), DefaultExt.end(), L'\0');
        std::copy(ext.begin(), ext.end(), DefaultExt.begin());
        return true;
    }
};

// Runs on the dialog's own thread inside the system's modal loop: nothing may leave it.
UINT_PTR CALLBACK FileDialogHook(HWND HookDialog, UINT Message, WPARAM, LPARAM LParam)
{
    if (Message != WM_NOTIFY)
        return 0;
    const auto* note = reinterpret_cast<const OFNOTIFYW*>(LParam);
    if (note->hdr.code != CDN_TYPECHANGE || !note->lpOFN)
        return 0;
    auto* run = reinterpret_cast<FileDialogRun*>(note->lpOFN->lCustData);
    TFileDialogRequest& R = *run->Request;
    Guarded([&] {
        R.FilterIndex = FromSystemFilterIndex(note->lpOFN->nFilterIndex, R.Filters.size(), R.FilterIndex);
        R.OnTypeChange(R);
        if (run->SetDefaultExt(R.DefaultExt))
            SendMessageW(GetParent(HookDialog), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(run->DefaultExt.data()));
    });
    return 0;
}

bool SystemFileDialog(TFileDialogRequest& R)
{
    const std::u16string filter = BuildFilterString(R.Filters);
    FileDialogRun run;
    run.Request = &R;
    run.SetDefaultExt(R.DefaultExt);
    std::vector<wchar_t> file(32768, L'\0');
    for (size_t i = 0; i < R.FileName.size() && i + 1 < file.size(); ++i)
        file[i] = static_cast<wchar_t>(R.FileName[i]);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = filter.empty() ? nullptr : WideChars(filter);
    ofn.nFilterIndex = ToSystemFilterIndex(R.FilterIndex, R.Filters.size());
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = R.InitialDir.empty() ? nullptr : WideChars(R.InitialDir);
    ofn.lpstrTitle = R.Title.empty() ? nullptr : WideChars(R.Title);
    ofn.lpstrDefExt = run.DefaultExt[0] ? run.DefaultExt.data() : nullptr;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (R.Save && R.OverwritePrompt)
        ofn.Flags |= OFN_OVERWRITEPROMPT;
    if (!R.Save && R.FileMustExist)
        ofn.Flags |= OFN_FILEMUSTEXIST;
    if (R.OnTypeChange) {
        ofn.Flags |= OFN_ENABLEHOOK | OFN_ENABLESIZING;
        ofn.lpfnHook = FileDialogHook;
        ofn.lCustData = reinterpret_cast<LPARAM>(&run);
    }
    const BOOL ok = R.Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok)
        return false;
    R.FileName = FromWide(file.data());
    R.FilterIndex = FromSystemFilterIndex(ofn.nFilterIndex, R.Filters.size(), R.FilterIndex);
    return true;
}

bool SystemColorDialog(TColor& Color)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = DialogOwner();
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc))
        return false;
    Color = cc.rgbResult;
    return true;
}

intptr_t SystemShellExecute(const std::u16string& Operation, const std::u16string& File,
                            const std::u16string& Parameters, const std::u16string& Directory, int ShowCmd)
{
    return reinterpret_cast<intptr_t>(ShellExecuteW(DialogOwner(), Operation.empty() ? nullptr : WideChars(Operation),
                                                    WideChars(File),
                                                    Parameters.empty() ? nullptr : WideChars(Parameters),
                                                    Directory.empty() ? nullptr : WideChars(Directory), ShowCmd));
}

std::vector<std::u16string> SystemPrinterNames()
{
    std::vector<std::u16string> names;
    DWORD needed = 0, count = 0;
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0)
        return names;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count))
        return names;
    auto* info = reinterpret_cast<PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        names.push_back(FromWide(info[i].pPrinterName));
    return names;
}

bool SystemPrinterSetup(std::u16string& PrinterName)
{
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = DialogOwner();
    pd.Flags = PD_PRINTSETUP;
    if (!PrintDlgW(&pd))
        return false;
    if (pd.hDevNames) {
        auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
        PrinterName = WideTextAt(names, names->wDeviceOffset);
        GlobalUnlock(pd.hDevNames);
        GlobalFree(pd.hDevNames);
    }
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    return true;
}

}  // namespace

TMessageBoxFunc& MessageBoxSeam()
{
    static TMessageBoxFunc seam = SystemMessageBox;
    return seam;
}

int ShowMessageBox(const std::u16string& Text, const std::u16string& Caption, uint32_t Flags)
{
    return MessageBoxSeam() ? MessageBoxSeam()(Text, Caption, Flags) : IDCANCEL;
}

TFileDialogFunc& FileDialogSeam()
{
    static TFileDialogFunc seam = SystemFileDialog;
    return seam;
}

bool ExecuteFileDialog(TFileDialogRequest& Request)
{
    return FileDialogSeam() && FileDialogSeam()(Request);
}

TColorDialogFunc& ColorDialogSeam()
{
    static TColorDialogFunc seam = SystemColorDialog;
    return seam;
}

bool ExecuteColorDialog(TColor& Color)
{
    return ColorDialogSeam() && ColorDialogSeam()(Color);
}

TShellExecuteFunc& ShellExecuteSeam()
{
    static TShellExecuteFunc seam = SystemShellExecute;
    return seam;
}

intptr_t ShellExecuteFile(const std::u16string& Operation, const std::u16string& File,
                          const std::u16string& Parameters, const std::u16string& Directory, int ShowCmd)
{
    return ShellExecuteSeam() ? ShellExecuteSeam()(Operation, File, Parameters, Directory, ShowCmd) : 0;
}

TPrinterListFunc& PrinterListSeam()
{
    static TPrinterListFunc seam = SystemPrinterNames;
    return seam;
}

std::vector<std::u16string> PrinterNames()
{
    return PrinterListSeam() ? PrinterListSeam()() : std::vector<std::u16string>{};
}

TPrinterSetupFunc& PrinterSetupSeam()
{
    static TPrinterSetupFunc seam = SystemPrinterSetup;
    return seam;
}

bool ExecutePrinterSetup(std::u16string& PrinterName)
{
    return PrinterSetupSeam() && PrinterSetupSeam()(PrinterName);
}

void ResetDialogSeams()
{
    MessageBoxSeam() = SystemMessageBox;
    FileDialogSeam() = SystemFileDialog;
    ColorDialogSeam() = SystemColorDialog;
    ShellExecuteSeam() = SystemShellExecute;
    PrinterListSeam() = SystemPrinterNames;
    PrinterSetupSeam() = SystemPrinterSetup;
}
