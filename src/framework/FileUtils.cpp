#include "framework/FileUtils.h"

#include "framework/Exceptions.h"
#include "framework/FileHandle.h"
#include "framework/FileSystem.h"
#include "framework/Streams.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <fcntl.h>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <stdio.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

fs::path ToPath(const std::u16string& s)
{
    return fs::path(s);
}

std::u16string FromPath(const fs::path& p)
{
    return p.u16string();
}

std::u16string EnvFolder(const char* name, const char* suffix)
{
#ifdef _WIN32
    (void)suffix;
    const std::string wname(name);
    const std::wstring w(wname.begin(), wname.end());
    const wchar_t* v = _wgetenv(w.c_str());
    return v ? FromPath(fs::path(v)) : std::u16string();
#else
    const char* v = std::getenv(name);
    if (!v || !*v)
        return {};
    return FromPath(fs::path(v) / suffix);
#endif
}

TFolderSeam DefaultSeam()
{
    TFolderSeam s;
    s.SpecialFolder = [](TSpecialFolder f) -> std::u16string {
#ifdef _WIN32
        if (f == TSpecialFolder::AppData)
            return EnvFolder("APPDATA", "");
        std::u16string profile = EnvFolder("USERPROFILE", "");
        return profile.empty() ? profile : profile + (f == TSpecialFolder::Pictures ? u"\\Pictures" : u"\\Documents");
#else
        if (f == TSpecialFolder::AppData)
            return EnvFolder("HOME", ".local/share");
        return EnvFolder("HOME", f == TSpecialFolder::Pictures ? "Pictures" : "Documents");
#endif
    };
    s.ProgramFile = []() -> std::u16string {
#ifdef _WIN32
        // The runtime's record of the program path (the application installs the exact
        // module-path query in place of this default).
        if (_wpgmptr && *_wpgmptr)
            return FromPath(fs::path(_wpgmptr));
        if (_pgmptr && *_pgmptr)
            return FromPath(fs::path(_pgmptr));
        return {};
#else
        std::error_code ec;
        return FromPath(fs::read_symlink("/proc/self/exe", ec));
#endif
    };
    return s;
}

}  // namespace

// Both ask for the attributes alone, so that a file that exists but is locked or closed to
// the user still exists.
bool FileExists(const std::u16string& Path)
{
    const uint32_t attributes = OsFileAttributes(Path);
    return attributes != InvalidFileAttributes && (attributes & faDirectory) == 0;
}

bool DirectoryExists(const std::u16string& Path)
{
    const uint32_t attributes = OsFileAttributes(Path);
    return attributes != InvalidFileAttributes && (attributes & faDirectory) != 0;
}

bool ForceDirectories(const std::u16string& Path)
{
    if (Path.empty())
        return false;
    std::error_code ec;
    fs::create_directories(ToPath(Path), ec);
    return DirectoryExists(Path);
}

bool FileDelete(const std::u16string& Path)
{
    if (!FileExists(Path))
        return false;
    std::error_code ec;
    return fs::remove(ToPath(Path), ec) && !ec;
}

TFileToDelete::TFileToDelete(const std::u16string& Path) : path_(ToPath(Path)) {}

bool TFileToDelete::Delete() const noexcept
{
    if (path_.empty())
        return false;
#ifdef _WIN32
    return _wremove(path_.c_str()) == 0;
#else
    return ::unlink(path_.c_str()) == 0;
#endif
}

bool MoveFileReplacing(const std::u16string& From, const std::u16string& To)
{
    std::error_code ec;
    fs::rename(ToPath(From), ToPath(To), ec);
    return !ec;
}

void SaveFileSafely(const std::u16string& Path, const std::function<void(TStream&)>& Write)
{
    const std::u16string temp = Path + u".tmp";
    try {
        {
            TFileStream stream(temp, fmCreate);
            Write(stream);
        }
        if (!MoveFileReplacing(temp, Path))
            throw EFCreateError(EFCreateError::ForFile(Path));
    } catch (...) {
        std::error_code ignored;
        fs::remove(ToPath(temp), ignored);
        throw;
    }
}

char16_t PathDelimiter()
{
#ifdef _WIN32
    return u'\\';
#else
    return u'/';
#endif
}

std::u16string IncludeTrailingPathDelimiter(const std::u16string& Path)
{
    if (!Path.empty() && (Path.back() == u'\\' || Path.back() == u'/'))
        return Path;
    return Path + PathDelimiter();
}

std::u16string TempFolder()
{
    std::error_code ec;
    const fs::path p = fs::temp_directory_path(ec);
    // A lack of memory is no missing folder: callers treat the two differently.
    if (ec == std::errc::not_enough_memory)
        throw std::bad_alloc();
    return ec ? std::u16string() : IncludeTrailingPathDelimiter(FromPath(p));
}

namespace {

// Random bits for temporary names, seeded once per thread from the system's randomness and the
// clock, so that two programs started at the same moment still differ.
uint64_t RandomBits()
{
    thread_local std::mt19937_64 generator = [] {
        std::random_device device;
        const auto ticks = static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
        std::seed_seq seed{device(), device(), static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
        return std::mt19937_64(seed);
    }();
    return generator();
}

void AppendHex(std::u16string& Out, uint64_t Value, int Digits)
{
    static const char16_t hex[] = u"0123456789abcdef";
    for (int shift = 4 * (Digits - 1); shift >= 0; shift -= 4)
        Out += hex[(Value >> shift) & 0xF];
}

std::u16string FolderOrTemp(const std::u16string& Folder)
{
    return Folder.empty() ? TempFolder() : IncludeTrailingPathDelimiter(Folder);
}

bool CreateNewFile(const std::u16string& Name)
{
#ifdef _WIN32
    const int fd = _wopen(ToPath(Name).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, 0600);
    if (fd < 0)
        return false;
    _close(fd);
#else
    const int fd = ::open(ToPath(Name).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
#endif
    return true;
}

// Tries names Prefix, four random hexadecimal digits, ".tmp" in Dir (the form of the system's own
// temporary names) until Make(name) creates one; that name, or empty when none could be made.
template <class TMake>
std::u16string MakeTempFile(const std::u16string& Dir, const std::u16string& Prefix, TMake Make)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::u16string name = Dir + Prefix;
        AppendHex(name, RandomBits(), 4);
        name += u".tmp";
        if (Make(name))
            return name;
        if (!DirectoryExists(Dir))
            return {};
    }
    return {};
}

} // namespace

std::u16string CreateTempFile(const std::u16string& Prefix, const std::u16string& Folder)
{
    const std::u16string dir = FolderOrTemp(Folder);
    return dir.empty() ? std::u16string() : MakeTempFile(dir, Prefix, CreateNewFile);
}

THeldTempFile& THeldTempFile::operator=(THeldTempFile&& Other) noexcept
{
    THeldTempFile taken(std::move(Other));
    Swap(taken);
    return *this;
}

void THeldTempFile::Swap(THeldTempFile& Other) noexcept
{
    std::swap(handle_, Other.handle_);
    fileName_.swap(Other.fileName_);
    file_.Swap(Other.file_);
}

bool THeldTempFile::Create(const std::u16string& Prefix)
{
    *this = THeldTempFile();
    const std::u16string dir = TempFolder();
    if (dir.empty())
        return false;
    THeldTempFile made;
    std::u16string name = MakeTempFile(dir, Prefix, [&made](const std::u16string& Name) {
        // Made before the file, so that nothing can fail once the file exists.
        TFileToDelete file(Name);
        made.handle_ = OsFileCreateHeld(Name);
        if (!made.Held())
            return false;
        made.file_.Swap(file);
        return true;
    });
    if (!made.Held())
        return false;
    made.fileName_.swap(name);
    Swap(made);
    return true;
}

void THeldTempFile::Close() noexcept
{
    if (handle_ == InvalidHandle)
        return;
#ifndef _WIN32
    file_.Delete();  // the system deletes no file on close here
#endif
    OsFileClose(handle_);
    handle_ = InvalidHandle;
}

int RemoveUnheldTempFiles(const std::u16string& Prefix)
{
    const std::u16string dir = TempFolder();
    if (dir.empty())
        return 0;
    int removed = 0;
    for (const TSearchRec& found : FindFiles(dir + Prefix + u"????.tmp")) {
        const std::u16string digits = found.Name.substr(Prefix.size(), 4);
        const bool hex = std::all_of(digits.begin(), digits.end(), [](char16_t c) {
            return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        });
        if (hex && (found.Attr & faDirectory) == 0 && OsFileDeleteUnheld(dir + found.Name))
            ++removed;
    }
    return removed;
}

std::u16string TempFileName(const std::u16string& Folder)
{
    std::u16string name = FolderOrTemp(Folder);
    const uint64_t high = RandomBits();
    const uint64_t low = RandomBits();
    // Version 4 and the variant bits of a random GUID.
    AppendHex(name, high >> 32, 8);
    name += u'-';
    AppendHex(name, high >> 16, 4);
    name += u'-';
    AppendHex(name, (high & 0x0FFF) | 0x4000, 4);
    name += u'-';
    AppendHex(name, ((low >> 48) & 0x3FFF) | 0x8000, 4);
    name += u'-';
    AppendHex(name, low, 12);
    return name;
}

TFolderSeam& FolderSeam()
{
    static TFolderSeam seam = DefaultSeam();
    return seam;
}

void ResetFolderSeam()
{
    FolderSeam() = DefaultSeam();
}

std::u16string SpecialFolder(TSpecialFolder Folder)
{
    auto& seam = FolderSeam();
    return seam.SpecialFolder ? seam.SpecialFolder(Folder) : std::u16string();
}

std::u16string ProgramFolder()
{
    auto& seam = FolderSeam();
    const std::u16string file = seam.ProgramFile ? seam.ProgramFile() : std::u16string();
    const size_t cut = file.find_last_of(u"\\/");
    return cut == std::u16string::npos ? std::u16string() : file.substr(0, cut + 1);
}
