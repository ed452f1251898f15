// TElFolderNameEdit: an edit for a folder path whose button opens the system's folder browser
// (framework/FolderDialog.h) at the path shown; a folder chosen there becomes the text.
// OnChange fires on every change of the text, typed, chosen or set by code.
#pragma once

#include "widgets/el/editing/ElButtonEdit.h"

#include <string>

class TElFolderNameEdit : public TCustomElButtonEdit {
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

    // What the button does; true when a folder was chosen.
    bool Browse();

protected:
    void ButtonClick() override;

private:
    std::string title_;
    std::u16string prompt_;
};
