#include "framework/FileUtils.h"

#include "framework/Exceptions.h"
#include "framework/FileHandle.h"
#include "framework/Streams.h"

#include <atomic>
#include <chrono>
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
        return profile.empty() ? profile : profile + u"\\Documents";
#else
        return f == TSpecialFolder::AppData ? EnvFolder("HOME", ".local/share") : EnvFolder("HOME", "Documents");
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
    const size_t last = Path.find_last_of(u"\\/:");
    if (last != std::u16string::npos && last > 0)
        ForceDirectories(Path.substr(0, last));  // a folder that cannot be made fails the create below
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

std::u16string CreateTempFile(const std::u16string& Prefix, const std::u16string& Folder)
{
    const std::u16string dir = Folder.empty() ? TempFolder() : IncludeTrailingPathDelimiter(Folder);
    if (dir.empty())
        return {};
    static std::atomic<unsigned> counter{0};
    const auto seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const unsigned n = (seed + counter++ * 7919u) & 0xFFFFu;
        std::u16string name = dir + Prefix;
        static const char16_t hex[] = u"0123456789ABCDEF";
        for (int shift = 12; shift >= 0; shift -= 4)
            name += hex[(n >> shift) & 0xF];
        name += u".tmp";
#ifdef _WIN32
        const int fd = _wopen(ToPath(name).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, 0600);
        if (fd >= 0) {
            _close(fd);
            return name;
        }
#else
        const int fd = ::open(ToPath(name).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
#endif
        if (!DirectoryExists(dir))
            return {};
    }
    return {};
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
