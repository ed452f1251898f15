// The kit's folder-browse dialog: a component that runs the system's folder browser.
#pragma once

#include "framework/Components.h"

#include <string>

class TKitBrowseDlg : public TComponent {
public:
    explicit TKitBrowseDlg(TComponent* AOwner) : TComponent(AOwner) {}
    const char* ClassName() const override { return "TKitBrowseDlg"; }

    std::u16string Title;           // the line shown above the folder tree
    std::u16string SelectedFolder;  // selected at the start; after a confirmed dialog the chosen one

    // Runs the system's folder browser modally (file-system folders only); true when the user
    // confirmed a folder, which is then in SelectedFolder. Windows build.
    bool Execute();
};
