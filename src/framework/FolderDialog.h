// The system's folder browser behind a seam, as the other system dialogs (Dialogs.h): tests
// replace the seam to see what was asked and to answer it.
#pragma once

#include <functional>
#include <string>

struct TFolderDialogRequest {
    std::u16string Title;   // the dialog window's title; empty for the system's own
    std::u16string Prompt;  // the line shown above the folder tree
    std::u16string Folder;  // selected at the start; the chosen folder after a confirmed dialog
    std::u16string Root;    // the folder at the top of the tree; empty for the whole desktop
};
using TFolderDialogFunc = std::function<bool(TFolderDialogRequest& Request)>;
// The seam; its default runs the system's browser (file-system folders only).
TFolderDialogFunc& FolderDialogSeam();
// True when the user confirmed a folder, which is then in Request.Folder.
bool ExecuteFolderDialog(TFolderDialogRequest& Request);
