// The system dialogs and shell calls the program makes, each behind a seam whose default is
// the system's own. Tests replace a seam to record what was asked and to answer it.
#pragma once

#include "framework/Colors.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- message boxes (MB_* flags; the answer is the ID* of the pressed button)
using TMessageBoxFunc =
    std::function<int(const std::u16string& Text, const std::u16string& Caption, uint32_t Flags)>;
TMessageBoxFunc& MessageBoxSeam();
int ShowMessageBox(const std::u16string& Text, const std::u16string& Caption, uint32_t Flags);

// ---- file dialogs
struct TFileDialogRequest {
    bool Save = false;
    std::u16string Title;
    std::u16string InitialDir;
    std::u16string FileName;           // proposed; the chosen path after a confirmed dialog
    std::vector<std::pair<std::u16string, std::u16string>> Filters;  // display name, mask
    int FilterIndex = 0;               // from 0; the chosen type after the dialog
    std::u16string DefaultExt;
    bool OverwritePrompt = true;
    bool FileMustExist = true;
    // Called while the dialog runs, each time the user picks another file type, with
    // FilterIndex already the new type. It may change DefaultExt; the running dialog then
    // appends the new one to a name typed without an extension. Optional.
    std::function<void(TFileDialogRequest& Request)> OnTypeChange;
};
using TFileDialogFunc = std::function<bool(TFileDialogRequest& Request)>;
TFileDialogFunc& FileDialogSeam();
bool ExecuteFileDialog(TFileDialogRequest& Request);

// ---- colour dialog: true with the chosen colour
using TColorDialogFunc = std::function<bool(TColor& Color)>;
TColorDialogFunc& ColorDialogSeam();
bool ExecuteColorDialog(TColor& Color);

// ---- shell execution (ShellExecuteW); the result as the system gives it (> 32: success)
using TShellExecuteFunc = std::function<intptr_t(const std::u16string& Operation, const std::u16string& File,
                                                 const std::u16string& Parameters,
                                                 const std::u16string& Directory, int ShowCmd)>;
TShellExecuteFunc& ShellExecuteSeam();
intptr_t ShellExecuteFile(const std::u16string& Operation, const std::u16string& File,
                          const std::u16string& Parameters = {}, const std::u16string& Directory = {},
                          int ShowCmd = 1);

// ---- printers: the installed printers, and the printer set-up dialog
using TPrinterListFunc = std::function<std::vector<std::u16string>()>;
TPrinterListFunc& PrinterListSeam();
std::vector<std::u16string> PrinterNames();
using TPrinterSetupFunc = std::function<bool(std::u16string& PrinterName)>;
TPrinterSetupFunc& PrinterSetupSeam();
bool ExecutePrinterSetup(std::u16string& PrinterName);

// Puts every seam back to the system's default.
void ResetDialogSeams();
