#include "app/StartupRules.h"

#include "framework/FileHandle.h"
#include "framework/FileUtils.h"
#include "framework/MenuItems.h"
#include "scan/files/bkStrings.h"

namespace {

std::u16string SubFolder(const std::u16string& Parent, const std::u16string& Name)
{
    return IncludeTrailingPathDelimiter(IncludeTrailingPathDelimiter(Parent) + Name);
}

}  // namespace

TFolders MakeFolders(const std::u16string& AppData, const std::u16string& Documents,
                     const std::u16string& ProgramFolder)
{
    TFolders f;
    f.AppDataFolder = SubFolder(AppData, ProgramFolderName);
    f.DocumentsFolder = SubFolder(Documents, ProgramFolderName);
    f.ProgramFolder = IncludeTrailingPathDelimiter(ProgramFolder);
    f.ScansFolder = SubFolder(f.DocumentsFolder, ScansFolderName);
    f.ExamplesFolder = SubFolder(f.DocumentsFolder, ExamplesFolderName);
    return f;
}

std::vector<TStartArgument> StartArguments(const std::vector<std::u16string>& Arguments)
{
    std::vector<TStartArgument> result;
    for (const std::u16string& a : Arguments) {
        if (a.empty())
            continue;
        if (a.front() == u'-')
            result.push_back({TStartArgument::ChooseLanguage, a.substr(1)});
        else
            result.push_back({TStartArgument::OpenFile, ExpandFileName(a)});
    }
    return result;
}

std::vector<TExampleItem> ExampleItems(const std::u16string& ExamplesFolder,
                                       const std::vector<TSearchRec>& Found)
{
    std::vector<TExampleItem> items;
    for (const TSearchRec& f : Found) {
        if (f.Attr & faDirectory)
            continue;
        items.push_back({MenuCaptionOfText(WideChangeFileExt(f.Name, u"")), ExamplesFolder + f.Name});
    }
    return items;
}
