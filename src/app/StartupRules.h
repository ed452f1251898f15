// The portable rules of the program's start: where its folders are, what the command-line
// arguments ask for, and what the Examples menu lists.
#pragma once

#include <string>
#include <vector>

#include "framework/FileSystem.h"

// The folders of the program, each ending in a separator.
struct TFolders {
    std::u16string AppDataFolder;    // the user's application data + "Lorvane 3D"
    std::u16string DocumentsFolder;  // the user's documents + "Lorvane 3D"
    std::u16string ProgramFolder;    // the folder of the executable
    std::u16string ScansFolder;      // DocumentsFolder + "My Scans"
    std::u16string ExamplesFolder;   // DocumentsFolder + "Examples"
};

// The folder names of the program under the user's special folders.
constexpr char16_t ProgramFolderName[] = u"Lorvane 3D";
constexpr char16_t ScansFolderName[] = u"My Scans";
constexpr char16_t ExamplesFolderName[] = u"Examples";

// AppData and Documents are the user's special folders, ProgramFolder the executable's folder
// (with or without a trailing separator). Nothing is created.
TFolders MakeFolders(const std::u16string& AppData, const std::u16string& Documents,
                     const std::u16string& ProgramFolder);

// One argument of the command line: a scan to open (its full path) or, for an argument that
// begins with "-", the locale name after the hyphen. Empty arguments ask for nothing.
struct TStartArgument {
    enum TKind { OpenFile, ChooseLanguage } Kind;
    std::u16string Value;
};
// The arguments after the program's own name, in order. A relative path is made absolute
// against the current folder, so that the recent list and the open folder get a whole path.
std::vector<TStartArgument> StartArguments(const std::vector<std::u16string>& Arguments);

// An entry of the Examples menu: the caption shows the file name without its extension (an
// '&' in it shown as it is, not as a hot key); choosing it opens Path.
struct TExampleItem {
    std::u16string Caption;
    std::u16string Path;
};
// The "*.dmo" files of the examples folder (the folder ending in a separator) in the order the
// file system lists them. Folders are left out.
std::vector<TExampleItem> ExampleItems(const std::u16string& ExamplesFolder,
                                       const std::vector<TSearchRec>& Found);
