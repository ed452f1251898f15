// The kit's file dialogs: components that hold a file dialog's settings and run the system's
// wide open or save dialog through the framework's file-dialog seam.
#pragma once

#include "framework/Components.h"
#include "framework/Dialogs.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One entry of a dialog's type list.
class TKitFileType {
public:
    std::u16string DisplayName;  // "PNG - Portable Network Graphic (*.png)"
    std::u16string FileMask;     // "*.png;", several masks separated by ';'
};

// The type list of a file dialog. Items stay at their address until Clear.
class TKitFileTypes {
public:
    void Clear() { items_.clear(); }
    // Appends an empty type for the caller to fill.
    TKitFileType* Add();
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError for an index out of range.
    TKitFileType* Items(int Index) const;

private:
    std::vector<std::unique_ptr<TKitFileType>> items_;
};

enum class TKitFileDialogKind { Open, Save };

class TKitCustomFileDialog : public TComponent {
public:
    const char* ClassName() const override { return "TKitCustomFileDialog"; }
    TKitFileDialogKind Kind() const { return kind_; }

    std::u16string DefaultFolder;     // where the dialog starts
    std::u16string Title;
    std::u16string FileName;          // proposed; after a confirmed dialog the chosen path
    int32_t FileTypeIndex = 0;        // into FileTypes, from 0
    std::u16string DefaultExtension;  // ".jpg" or "jpg": appended to a name typed without one
    TKitFileTypes FileTypes;

    // Called with the dialog as Sender while it runs, when the user picks another file type;
    // FileTypeIndex is the new type already. A DefaultExtension set here holds for the rest of
    // the run.
    TNotifyEvent OnTypeChange;

    // Runs the system's dialog modally; true when the user confirmed a file, which is then in
    // FileName, and its type in FileTypeIndex. Windows build.
    bool Execute();
    // Execute with Dialog in place of the framework's file dialog: Dialog gets the request
    // made from the properties and answers as the system's dialog would.
    bool ExecuteWith(const TFileDialogFunc& Dialog);

protected:
    TKitCustomFileDialog(TComponent* AOwner, TKitFileDialogKind Kind) : TComponent(AOwner), kind_(Kind) {}

private:
    TFileDialogRequest MakeRequest();
    void TakeAnswer(const TFileDialogRequest& Answer);

    TKitFileDialogKind kind_;
};

// The open form: the chosen file must exist.
class TKitOpenDialog : public TKitCustomFileDialog {
public:
    explicit TKitOpenDialog(TComponent* AOwner) : TKitCustomFileDialog(AOwner, TKitFileDialogKind::Open) {}
    const char* ClassName() const override { return "TKitOpenDialog"; }
};

// The save form: asks before an existing file is replaced.
class TKitSaveDialog : public TKitCustomFileDialog {
public:
    explicit TKitSaveDialog(TComponent* AOwner) : TKitCustomFileDialog(AOwner, TKitFileDialogKind::Save) {}
    const char* ClassName() const override { return "TKitSaveDialog"; }
};
