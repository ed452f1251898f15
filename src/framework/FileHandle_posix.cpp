#include "framework/FileHandle.h"

#include "framework/StrConv.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

THandle OpenWith(const std::u16string& FileName, int Flags)
{
    const int fd = ::open(WideToUtf8(FileName).c_str(), Flags | O_CLOEXEC, 0666);
    if (fd < 0)
        return InvalidHandle;
    struct stat st {};
    // A folder is no file: the Windows interface refuses to open one as such.
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int reason = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        errno = reason;
        return InvalidHandle;
    }
    return fd;
}

} // namespace

THandle OsFileOpen(const std::u16string& FileName, uint32_t Access, uint32_t)
{
    int flags;
    if ((Access & AccessRead) && (Access & AccessWrite))
        flags = O_RDWR;
    else if (Access & AccessWrite)
        flags = O_WRONLY;
    else
        flags = O_RDONLY;
    return OpenWith(FileName, flags);
}

THandle OsFileCreate(const std::u16string& FileName)
{
    return OpenWith(FileName, O_RDWR | O_CREAT | O_TRUNC);
}

THandle OsFileCreateHeld(const std::u16string& FileName)
{
    const std::string name = WideToUtf8(FileName);
    const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return InvalidHandle;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int reason = errno;
        ::unlink(name.c_str());
        ::close(fd);
        errno = reason;
        return InvalidHandle;
    }
    return fd;
}

bool OsFileDeleteUnheld(const std::u16string& FileName)
{
    const std::string name = WideToUtf8(FileName);
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A holder's lock outlives neither its handle nor its process.
    const bool deleted = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(name.c_str()) == 0;
    ::close(fd);
    return deleted;
}

void OsFileClose(THandle Handle)
{
    if (Handle >= 0)
        ::close(static_cast<int>(Handle));
}

int32_t OsFileRead(THandle Handle, void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    const ssize_t n = ::read(static_cast<int>(Handle), Buffer, static_cast<size_t>(Count));
    return n < 0 ? -1 : static_cast<int32_t>(n);
}

int32_t OsFileWrite(THandle Handle, const void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    const ssize_t n = ::write(static_cast<int>(Handle), Buffer, static_cast<size_t>(Count));
    return n < 0 ? -1 : static_cast<int32_t>(n);
}

int64_t OsFileSeek(THandle Handle, int64_t Offset, int Origin)
{
    const int whence = Origin == 0 ? SEEK_SET : Origin == 1 ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(static_cast<int>(Handle), static_cast<off_t>(Offset), whence);
    return r < 0 ? -1 : static_cast<int64_t>(r);
}

bool OsFileSetEnd(THandle Handle)
{
    const off_t pos = ::lseek(static_cast<int>(Handle), 0, SEEK_CUR);
    return pos >= 0 && ::ftruncate(static_cast<int>(Handle), pos) == 0;
}

uint32_t OsLastError()
{
    return static_cast<uint32_t>(errno);
}

std::u16string OsErrorMessage(uint32_t Code)
{
    char buffer[256] = {};
    // The GNU form returns the text, which may or may not be the buffer.
    const char* text = strerror_r(static_cast<int>(Code), buffer, sizeof buffer);
    return text ? Utf8ToWide(text) : std::u16string();
}

bool OsErrorIsNotFound(uint32_t Code)
{
    return Code == ENOENT || Code == ENOTDIR;
}

uint32_t OsFileAttributes(const std::u16string& FileName)
{
    struct stat st {};
    if (FileName.empty() || ::stat(WideToUtf8(FileName).c_str(), &st) != 0)
        return InvalidFileAttributes;
    if (S_ISDIR(st.st_mode))
        return faDirectory;
    uint32_t attrs = 0x20; // archive: what Windows reports for an ordinary file
    if (::access(WideToUtf8(FileName).c_str(), W_OK) != 0)
        attrs |= 0x01;     // read-only
    return attrs;
}
