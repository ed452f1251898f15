// The export of the drawn view as an image file (JPEG, PNG or a Windows bitmap), the help
// file in the active language, and the maker's web site.
#include "app/main.h"

#include "app/ExportChoice.h"
#include "app/dlg_about.h"

#include "scan/files/TextIds.h"
#include "scan/files/_TFileManager.h"
#include "scan/files/bkStrings.h"
#include "scan/files/_TLanguageManager.h"
#include "shell/dlg_infodialog.h"
#include "shell/dlg_infodialog_layout.h"
#include "scan/files/globals.h"
#include "scan/render/GLReadback.h"
#include "scan/render/_TScanImage.h"

#include "framework/Bitmap.h"
#include "framework/Dialogs.h"
#include "framework/FileUtils.h"

#include <windows.h>

namespace {

void ShowExportError(const std::u16string& Text)
{
    ShowInfoDialog(idkError, GetText(Texts::Error, u"Error"), Text, idbOK);
}

}  // namespace

bool TMainForm::ReadDrawnView(TBitmap& Bitmap)
{
    // After a swap the back buffer holds nothing defined, and another window's context (the
    // chart's) may be current: the view is drawn again into this window's back buffer, read,
    // and only then shown.
    if (!session_.Image() || !session_.Image()->MakeCurrent())
        return false;
    DrawViews();
    const TViewportRect& v = views_.ExportViewport();
    const bool read = ReadGLPixelsToBitmap(&Bitmap, v.X, v.Y, v.Width, v.Height, GlobalSettings.BackgroundColor, 0);
    session_.Image()->SwapBuffers();
    return read;
}

void TMainForm::MenuFileExportClick(TObject*)
{
    TBitmap bitmap;
    if (!ReadDrawnView(bitmap)) {
        ShowExportError(
            GetText(Texts::ExportNotConverted, u"The scan image could not be converted into the needed format."));
        return;
    }

    Kit_SaveDialog->FileTypes.Clear();
    for (const TFileType& type : ExportFileTypes) {
        TKitFileType* item = Kit_SaveDialog->FileTypes.Add();
        item->DisplayName = type.Description;
        item->FileMask = type.Mask;
    }
    Kit_SaveDialog->FileTypeIndex = ExportFileTypeIndex;
    Kit_SaveDialog->DefaultExtension = ExportDefaultExtension(ExportFileTypeIndex);
    Kit_SaveDialog->OnTypeChange = [this](TObject* Sender) { ChangeImageExtension(Sender); };
    Kit_SaveDialog->FileName = ExportProposedName(session_.FileName());
    // Where the last export went; the first one of a run goes to the user's pictures (the
    // program's folder is not writable for the user).
    Kit_SaveDialog->DefaultFolder = ExportFolder(exportFolder_, SpecialFolder(TSpecialFolder::Pictures),
                                                 SpecialFolder(TSpecialFolder::Documents));
    if (!Kit_SaveDialog->Execute())
        return;

    const std::u16string& fileName = Kit_SaveDialog->FileName;
    exportFolder_ = WideExtractFilePath(fileName);
    switch (ImageFormatOfFileName(fileName)) {
    case TImageFormat::Jpeg:
        bitmap.SaveToJpegFile(fileName);
        break;
    case TImageFormat::Png:
        bitmap.SaveToPngFile(fileName);
        break;
    case TImageFormat::Bmp:
        bitmap.SaveToFile(fileName);
        break;
    case TImageFormat::Unsupported:
        ShowExportError(UnsupportedExtensionText(FileNameExtension(fileName)));
        break;
    }
}

void TMainForm::ChangeImageExtension(TObject*)
{
    Kit_SaveDialog->DefaultExtension = ExportDefaultExtension(Kit_SaveDialog->FileTypeIndex);
}

void TMainForm::MenuHelpContentsClick(TObject*)
{
    const std::u16string language = LanguageManager ? LanguageManager->ActiveLanguageName() : GlobalSettings.Language;
    const std::u16string path = HelpFilePath(Folders.ProgramFolder, language);
    if (FileExists(path))
        OpenWithSystem(u"", path, Folders.ProgramFolder);
    else
        ShowInfoDialog(idkInformation, GetText(Texts::Information, u"Information"), HelpMissingText(path), idbOK);
}

void TMainForm::MenuHelpWebsiteClick(TObject*)
{
    OpenWithSystem(u"open", MakerWebAddress);
}
