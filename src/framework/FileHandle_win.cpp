#include "framework/FileHandle.h"

#include "framework/WinText.h"

#include <windows.h>

namespace {

HANDLE H(THandle Handle)
{
    return reinterpret_cast<HANDLE>(Handle);
}

THandle FromHandle(HANDLE h)
{
    return h == INVALID_HANDLE_VALUE ? InvalidHandle : reinterpret_cast<THandle>(h);
}

} // namespace

THandle OsFileOpen(const std::u16string& FileName, uint32_t Access, uint32_t Share)
{
    return FromHandle(CreateFileW(WideChars(FileName), Access, Share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

THandle OsFileCreate(const std::u16string& FileName)
{
    return FromHandle(CreateFileW(WideChars(FileName), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

THandle OsFileCreateHeld(const std::u16string& FileName)
{
    // A temporary file stays in the system's cache where it can: it is written to be read back.
    return FromHandle(CreateFileW(WideChars(FileName), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

bool OsFileDeleteUnheld(const std::u16string& FileName)
{
    // Shared with nobody, the open fails while any other handle has the file open; once it has
    // succeeded no other can open it until the close, which deletes the file.
    const HANDLE h = CreateFileW(WideChars(FileName), DELETE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

void OsFileClose(THandle Handle)
{
    if (Handle >= 0)
        CloseHandle(H(Handle));
}

int32_t OsFileRead(THandle Handle, void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    DWORD n = 0;
    if (!ReadFile(H(Handle), Buffer, static_cast<DWORD>(Count), &n, nullptr))
        return -1;
    return static_cast<int32_t>(n);
}

int32_t OsFileWrite(THandle Handle, const void* Buffer, int32_t Count)
{
    if (Count <= 0)
        return 0;
    DWORD n = 0;
    if (!WriteFile(H(Handle), Buffer, static_cast<DWORD>(Count), &n, nullptr))
        return -1;
    return static_cast<int32_t>(n);
}

int64_t OsFileSeek(THandle Handle, int64_t Offset, int Origin)
{
    LARGE_INTEGER dist;
    dist.QuadPart = Offset;
    LARGE_INTEGER pos;
    const DWORD method = Origin == 0 ? FILE_BEGIN : Origin == 1 ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(H(Handle), dist, &pos, method))
        return -1;
    return pos.QuadPart;
}

bool OsFileSetEnd(THandle Handle)
{
    return SetEndOfFile(H(Handle)) != 0;
}

uint32_t OsLastError()
{
    return GetLastError();
}

std::u16string OsErrorMessage(uint32_t Code)
{
    wchar_t buffer[512] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, Code, 0, buffer,
                                   static_cast<DWORD>(sizeof buffer / sizeof buffer[0]), nullptr);
    std::u16string text = FromWide(buffer, n);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
        text.pop_back();
    return text;
}

bool OsErrorIsNotFound(uint32_t Code)
{
    return Code == ERROR_FILE_NOT_FOUND || Code == ERROR_PATH_NOT_FOUND || Code == ERROR_INVALID_DRIVE ||
           Code == ERROR_BAD_NETPATH;
}

uint32_t OsFileAttributes(const std::u16string& FileName)
{
    return GetFileAttributesW(WideChars(FileName));
}
