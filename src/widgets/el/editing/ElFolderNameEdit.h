// TElFolderNameEdit: an edit for a folder path with a browse button that opens the system's
// folder browser (framework/FolderDialog.h) at the path shown; a folder chosen there becomes the
// text. OnChange fires on every change of the text, typed, chosen or set by code.
//
// This first form stands on the system's edit and a push button; the operations stay when it
// is rebuilt on the widget layer's own button edit.
#pragma once

#include "widgets/el/editing/ElComboBoxParts.h"

#include <string>

class TElFolderNameEdit : public TElEditPartControl {
public:
    explicit TElFolderNameEdit(TComponent* AOwner);
    const char* ClassName() const override { return "TElFolderNameEdit"; }

    // The folder browser's window title (text in the system code page); DialogTitle is the same.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& Value) { title_ = Value; }
    const std::string& DialogTitle() const { return title_; }
    void SetDialogTitle(const std::string& Value) { title_ = Value; }
    // The line shown inside the folder browser.
    const std::u16string& Prompt() const { return prompt_; }
    void SetPrompt(const std::u16string& Value) { prompt_ = Value; }

    // What the browse button does; true when a folder was chosen.
    bool Browse();

protected:
    int SidePartWidth() const override;
    void CreateSidePart(const RECT& Bounds) override;
    void PlaceSidePart(const RECT& Bounds) override;
    bool SidePartMessage(TMessage& Message) override;

private:
    HWND button_ = nullptr;  // a child of this control's window
    std::string title_;
    std::u16string prompt_;
};
