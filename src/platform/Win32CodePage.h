#pragma once

// Code-page conversions with the semantics of the Windows calls, for the two
// code pages the program uses: UTF-8 and the ANSI code page, which off Windows
// is Windows-1252 from a built-in table.

#include "platform/Win32Error.h"
#include "platform/Win32Types.h"

#include <cstddef>

namespace platform {

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;

// A source length of -1 means a zero-terminated source, terminator included.
// With no buffer (or a size of 0) the calls return the size the result needs;
// a buffer that is too small gives 0 and ERROR_INSUFFICIENT_BUFFER.
// Invalid UTF-8 decodes to U+FFFD; a character that Windows-1252 lacks
// becomes the default character "?" (or `defaultChar`).
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength,
                        LPWSTR destination, int destinationLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength,
                        LPSTR destination, int destinationLength, LPCSTR defaultChar,
                        LPBOOL usedDefaultChar);

// The Windows-1252 table itself: the character of a byte, and the byte of a
// character (false when the code page lacks it).
char16_t Windows1252ToUnicode(unsigned char byte);
bool UnicodeToWindows1252(char32_t character, unsigned char& byte);

// One UTF-8 sequence as the decoder reads it.
struct Utf8Sequence {
    char32_t character; // U+FFFD where the bytes are not UTF-8
    std::size_t length; // the bytes it takes, at least one
    bool valid;         // false for bytes that are not UTF-8; a stored U+FFFD is valid
};

// Decodes one UTF-8 sequence at `p` (`left` bytes available, at least one),
// accepting only well-formed UTF-8 (no overlong forms, surrogates or values
// above U+10FFFF). An invalid one yields U+FFFD and takes its maximal valid
// prefix (at least one byte), as Windows does.
Utf8Sequence DecodeUtf8(const unsigned char* p, std::size_t left);

} // namespace platform
