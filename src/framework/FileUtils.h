// File and folder helpers over wide paths. Portable; the user's special folders and the
// program's own path come through a seam that tests replace and the application fills with the
// system's answers on Windows.
#pragma once

#include "framework/FileHandle.h"

#include <filesystem>
#include <functional>
#include <string>

class TStream;

// True when Path names a file (anything but a folder: a locked file or one the user may not
// read exists too). The program's one test of existence; WideFileExists answers the same.
bool FileExists(const std::u16string& Path);
bool DirectoryExists(const std::u16string& Path);
// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::u16string& Path);
// Deletes a file; false when it did not exist or could not be deleted.
bool FileDelete(const std::u16string& Path);
// A file name made ready for deleting, so that the deletion itself cannot fail for lack of
// memory: clean-up that runs after a change was committed, where nothing may fail.
class TFileToDelete {
public:
    TFileToDelete() = default;
    // Converts Path to the system's form; may throw std::bad_alloc.
    explicit TFileToDelete(const std::u16string& Path);
    // Deletes the file; false when there was none or the system refused. Never allocates.
    bool Delete() const noexcept;
    bool Empty() const noexcept { return path_.empty(); }
    void Swap(TFileToDelete& Other) noexcept { path_.swap(Other.path_); }

private:
    std::filesystem::path path_;
};

// Moves From over To, replacing To (how files are saved safely: write a temporary, then move).
bool MoveFileReplacing(const std::u16string& From, const std::u16string& To);

// Saves a file so that a failed or interrupted save loses nothing: Write fills a temporary file
// beside Path, which then replaces Path. When the temporary cannot be made, Write throws or the
// move fails, the temporary goes, Path stays as it was, and the exception (EFCreateError for a
// file that cannot be made or moved) passes on. Every file the program writes goes through it.
void SaveFileSafely(const std::u16string& Path, const std::function<void(TStream&)>& Write);

// The platform's path separator ('\\' on Windows, '/' elsewhere).
char16_t PathDelimiter();
std::u16string IncludeTrailingPathDelimiter(const std::u16string& Path);

// The temporary folder, ending in a separator.
std::u16string TempFolder();
// Temporary names, all from one source of randomness:
// Creates a new empty file named Prefix, four hexadecimal digits and ".tmp" in Folder (the
// temporary folder when empty) and returns its path; empty when none could be made.
std::u16string CreateTempFile(const std::u16string& Prefix, const std::u16string& Folder = {});
// A temporary file that goes with the process that made it: created new in the temporary
// folder, named Prefix, four hexadecimal digits and ".tmp", and held open until Close, when the
// system deletes it - and the system closes the handles of a process that is killed or crashes
// too. While it is held no other program may write or delete it, and RemoveUnheldTempFiles
// leaves it alone. Move-only; the end of the object closes it.
class THeldTempFile {
public:
    THeldTempFile() = default;
    ~THeldTempFile() { Close(); }
    THeldTempFile(THeldTempFile&& Other) noexcept { Swap(Other); }
    THeldTempFile& operator=(THeldTempFile&& Other) noexcept;
    void Swap(THeldTempFile& Other) noexcept;

    // Closes what the object holds and creates a new file; false when none could be made. May
    // throw std::bad_alloc, before the file is made.
    bool Create(const std::u16string& Prefix);
    bool Held() const noexcept { return handle_ != InvalidHandle; }
    // The handle for reading and writing the file, while it is held (for a THandleStream).
    THandle Handle() const noexcept { return handle_; }
    // The file's path; it stays after Close.
    const std::u16string& FileName() const noexcept { return fileName_; }
    // Lets the file go: it is deleted. Never allocates.
    void Close() noexcept;

private:
    THandle handle_ = InvalidHandle;
    std::u16string fileName_;
    TFileToDelete file_;  // for the systems that delete no file on close
};

// Deletes the files of the temporary folder named Prefix, four hexadecimal digits and ".tmp"
// that no THeldTempFile of a running program holds: those of a program whose end the system
// could not see (a power cut) or of one that did not hold them. The number deleted.
int RemoveUnheldTempFiles(const std::u16string& Prefix);

// A fresh name in Folder (the temporary folder when empty): a random GUID in its registry form,
// lower case and without braces. Nothing is created.
std::u16string TempFileName(const std::u16string& Folder = {});

enum class TSpecialFolder { AppData, Documents, Pictures };

struct TFolderSeam {
    // The folder without a trailing separator; empty when the system has none.
    std::function<std::u16string(TSpecialFolder)> SpecialFolder;
    // The running executable's full path.
    std::function<std::u16string()> ProgramFile;
};
// The seam in force; replace its members in tests, restore with ResetFolderSeam.
TFolderSeam& FolderSeam();
void ResetFolderSeam();

std::u16string SpecialFolder(TSpecialFolder Folder);
// The folder of the executable, ending in a separator.
std::u16string ProgramFolder();
