#pragma once

// File handles with the semantics of the Windows file calls, written over POSIX.
// Share modes are kept with advisory locks (flock) between programs that honour
// them: an opener whose access the other holders do not share fails with
// ERROR_SHARING_VIOLATION.

#include "platform/Win32Error.h"
#include "platform/Win32Types.h"

namespace platform {

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;

constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;

constexpr DWORD STD_ERROR_HANDLE = static_cast<DWORD>(-12);

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPVOID securityAttributes, // unused, as on Windows when null
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);

// Reads until `bytesToRead` bytes or the end of the file; TRUE with fewer bytes at the end.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPVOID overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPVOID overlapped);
DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
// Moves to the start of the file; FALSE (with the last error set) when it cannot.
BOOL RewindFile(HANDLE file);
// Ends the file at the current position (cuts off what follows).
BOOL SetEndOfFile(HANDLE file);
// Writes the file's data through to the disk (fsync).
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE object);
// The process's standard error as a handle that is never closed by the caller.
HANDLE GetStdHandle(DWORD stdHandle);

} // namespace platform
