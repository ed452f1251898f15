#include "widgets/kit/KitDialogs.h"

#include "framework/Exceptions.h"
#include "framework/FileDialogRules.h"

TKitFileType* TKitFileTypes::Add()
{
    items_.push_back(std::make_unique<TKitFileType>());
    return items_.back().get();
}

TKitFileType* TKitFileTypes::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError(FormatMessageD(u"List index out of bounds (%d)", Index));
    return items_[static_cast<size_t>(Index)].get();
}

bool TKitCustomFileDialog::ExecuteWith(const TFileDialogFunc& Dialog)
{
    TFileDialogRequest request = MakeRequest();
    if (!Dialog || !Dialog(request))
        return false;
    TakeAnswer(request);
    return true;
}

TFileDialogRequest TKitCustomFileDialog::MakeRequest()
{
    TFileDialogRequest r;
    r.Save = kind_ == TKitFileDialogKind::Save;
    r.Title = Title;
    r.InitialDir = DefaultFolder;
    r.FileName = FileName;
    for (int i = 0; i < FileTypes.Count(); ++i)
        r.Filters.emplace_back(FileTypes.Items(i)->DisplayName, FileTypes.Items(i)->FileMask);
    r.FilterIndex = ClampFilterIndex(FileTypeIndex, r.Filters.size());
    r.DefaultExt = DefaultExtension;
    r.OverwritePrompt = true;
    r.FileMustExist = true;
    r.OnTypeChange = [this](TFileDialogRequest& Running) {
        FileTypeIndex = Running.FilterIndex;
        if (OnTypeChange)
            OnTypeChange(this);
        Running.DefaultExt = DefaultExtension;
    };
    return r;
}

void TKitCustomFileDialog::TakeAnswer(const TFileDialogRequest& Answer)
{
    // The system's save dialog appends the extension itself; a scripted one may not. An open
    // dialog's answer names an existing file and is taken as it is.
    FileName = kind_ == TKitFileDialogKind::Save ? ApplyDefaultExtension(Answer.FileName, DefaultExtension)
                                                 : Answer.FileName;
    FileTypeIndex = ClampFilterIndex(Answer.FilterIndex, static_cast<size_t>(FileTypes.Count()));
}
