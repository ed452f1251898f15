// Operating-system file handles: the one place where streams and file tests touch the
// system's file interface. Windows uses CreateFileW and friends; native builds use POSIX
// calls with the UTF-8 form of the name (sharing modes are not enforced there).
#pragma once

#include <cstdint>
#include <string>

// A file handle: a signed value, negative when there is no file.
using THandle = std::intptr_t;
inline constexpr THandle InvalidHandle = -1;

// Desired access and share flags, with the values of the Windows file interface.
inline constexpr uint32_t AccessRead = 0x80000000u;
inline constexpr uint32_t AccessWrite = 0x40000000u;
inline constexpr uint32_t ShareRead = 1;
inline constexpr uint32_t ShareWrite = 2;
inline constexpr uint32_t ShareDelete = 4;

// Opens an existing file; InvalidHandle when that fails (also for a folder).
THandle OsFileOpen(const std::u16string& FileName, uint32_t Access, uint32_t Share);
// Creates the file, or truncates an existing one, for reading and writing, shared with nobody.
THandle OsFileCreate(const std::u16string& FileName);
void OsFileClose(THandle Handle);

// Creates FileName, which must not exist yet, for reading and writing, held for as long as the
// handle is open: other opens may only read it (and must share deleting to do so), and the
// system deletes the file when the handle closes, however the process ends - killed, crashed
// or ended normally. POSIX deletes no file on close: there the handle holds an exclusive lock,
// the caller deletes the file before closing it, and a killed process leaves its file to
// OsFileDeleteUnheld (whose open might come between this creation and its lock).
THandle OsFileCreateHeld(const std::u16string& FileName);
// Deletes FileName unless a handle holds it open, in this process or another (on POSIX: unless
// a handle of OsFileCreateHeld holds its lock); true when the file went.
bool OsFileDeleteUnheld(const std::u16string& FileName);

// Bytes transferred, or -1 on failure.
int32_t OsFileRead(THandle Handle, void* Buffer, int32_t Count);
int32_t OsFileWrite(THandle Handle, const void* Buffer, int32_t Count);
// Origin 0 start, 1 current, 2 end. The new position, or -1 on failure.
int64_t OsFileSeek(THandle Handle, int64_t Offset, int Origin);
// Makes the current position the end of the file.
bool OsFileSetEnd(THandle Handle);

// Why the last file call of this thread failed: the system's code (GetLastError on Windows,
// errno elsewhere). Read it at once after the failed call.
uint32_t OsLastError();
// The system's text for an error code, without a trailing line break; empty when it has none.
std::u16string OsErrorMessage(uint32_t Code);
// True when Code says that the file, or a folder on its path, does not exist.
bool OsErrorIsNotFound(uint32_t Code);

// File attributes with the Windows bit values; 0xFFFFFFFF when the name does not exist.
inline constexpr uint32_t faDirectory = 0x10;
inline constexpr uint32_t InvalidFileAttributes = 0xFFFFFFFFu;
uint32_t OsFileAttributes(const std::u16string& FileName);
