// The export of the drawn view as an image file (JPEG, PNG or a Windows bitmap), the help
// file in the active language, and the maker's web site.
#include "app/main.h"

#include "app/ExportChoice.h"

#include "scan/files/_TFileManager.h"
#include "scan/files/_TLanguageManager.h"
#include "scan/files/dlg_infodialog.h"
#include "scan/files/globals.h"
#include "scan/render/_TGLReadback.h"
#include "scan/render/_TScanImage.h"

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Dialogs.h"
#include "framework/FileUtils.h"

#include <windows.h>

namespace {

constexpr uint8_t InfoKindError = 1;
constexpr uint8_t InfoKindInformation = 2;
constexpr uint16_t InfoButtonOK = 4;
constexpr char16_t MakerWebAddress[] = u"https://www.brenholt.example/";

void ShowExportError(const std::u16string& Text)
{
    ShowInfoDialog(InfoKindError, GetText(171, u"Error"), Text, InfoButtonOK);
}

}  // namespace

void TMainForm::MenuHelpContentsClick(TObject*)
{
    const std::u16string language = LanguageManager ? LanguageManager->ActiveLanguageName() : GlobalSettings.Language;
    const std::u16string path = HelpFilePath(Folders.ProgramFolder, language);
    if (FileExists(path))
        ShellExecuteFile(u"", path, u"", Folders.ProgramFolder, SW_SHOWNORMAL);
    else
        ShowInfoDialog(InfoKindInformation, GetText(170, u"Information"), HelpMissingText(path), InfoButtonOK);
}

void TMainForm::MenuHelpWebsiteClick(TObject*)
{
    ShellExecuteFile(u"open", MakerWebAddress, u"", u"", SW_SHOWNORMAL);
}
