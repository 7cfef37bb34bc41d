#include "platform/Win32CodePage.h"
#include "platform/Utf8Append.h"

#include <cstddef>
#include <string>

namespace platform {

namespace {

// 0x80 to 0x9F of Windows-1252. Windows maps its five undefined bytes
// (81, 8D, 8F, 90, 9D) to the C1 controls of the same value, both ways.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(cp));
    }
}


bool ResolveLength(const void* source, int& length, bool wide) {
    if (source == nullptr || length == 0 || length < -1)
        return false;
    if (length == -1) {
        int n = 0;
        if (wide)
            while (static_cast<const WCHAR*>(source)[n] != 0)
                ++n;
        else
            while (static_cast<const char*>(source)[n] != 0)
                ++n;
        length = n + 1; // the terminator is converted as well
    }
    return true;
}

template <typename Out, typename Unit>
int Deliver(const Out& result, Unit* destination, int destinationLength) {
    if (result.size() > 0x7FFFFFFF) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    int size = static_cast<int>(result.size());
    if (destination == nullptr || destinationLength == 0) {
        SetLastError(ERROR_SUCCESS);
        return size;
    }
    if (destinationLength < size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int i = 0; i < size; ++i)
        destination[i] = static_cast<Unit>(result[static_cast<std::size_t>(i)]);
    SetLastError(ERROR_SUCCESS);
    return size;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

Utf8Sequence DecodeUtf8(const unsigned char* p, std::size_t left) {
    unsigned char b = p[0];
    Utf8Sequence invalid{kReplacement, 1, false};
    if (b < 0x80)
        return {b, 1, true};
    std::size_t need;
    char32_t cp;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        need = 1;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2;
        cp = b & 0x0F;
        if (b == 0xE0)
            lo = 0xA0;
        else if (b == 0xED)
            hi = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3;
        cp = b & 0x07;
        if (b == 0xF0)
            lo = 0x90;
        else if (b == 0xF4)
            hi = 0x8F;
    } else {
        return invalid;
    }
    for (std::size_t i = 1; i <= need; ++i) {
        if (i >= left)
            return invalid;
        unsigned char c = p[i];
        if (c < lo || c > hi)
            return invalid;
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (c & 0x3F);
        invalid.length = i + 1;
    }
    return {cp, need + 1, true};
}

char16_t Windows1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

bool UnicodeToWindows1252(char32_t character, unsigned char& byte) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        byte = static_cast<unsigned char>(character);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == character) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength,
                        LPWSTR destination, int destinationLength) {
    if ((codePage != CP_ACP && codePage != CP_UTF8) || flags != 0 || destinationLength < 0 ||
        !ResolveLength(source, sourceLength, false)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(source);
    std::size_t n = static_cast<std::size_t>(sourceLength);
    std::u16string result;
    result.reserve(n);
    if (codePage == CP_ACP) {
        for (std::size_t i = 0; i < n; ++i)
            result.push_back(Windows1252ToUnicode(bytes[i]));
    } else {
        for (std::size_t i = 0; i < n;) {
            const Utf8Sequence sequence = DecodeUtf8(bytes + i, n - i);
            AppendUtf16(result, sequence.character);
            i += sequence.length;
        }
    }
    return Deliver(result, destination, destinationLength);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength,
                        LPSTR destination, int destinationLength, LPCSTR defaultChar,
                        LPBOOL usedDefaultChar) {
    if ((codePage != CP_ACP && codePage != CP_UTF8) || flags != 0 || destinationLength < 0 ||
        (codePage == CP_UTF8 && (defaultChar != nullptr || usedDefaultChar != nullptr)) ||
        !ResolveLength(source, sourceLength, true)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    char fallback = defaultChar != nullptr ? *defaultChar : '?';
    bool usedDefault = false;
    std::size_t n = static_cast<std::size_t>(sourceLength);
    std::string result;
    result.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        char32_t cp = source[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && source[i + 1] >= 0xDC00 &&
            source[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (source[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement; // a lone surrogate
        }
        if (codePage == CP_UTF8) {
            AppendUtf8(result, cp);
            continue;
        }
        unsigned char byte;
        if (UnicodeToWindows1252(cp, byte)) {
            result.push_back(static_cast<char>(byte));
        } else {
            result.push_back(fallback);
            usedDefault = true;
        }
    }
    int size = Deliver(result, destination, destinationLength);
    if (usedDefaultChar != nullptr)
        *usedDefaultChar = usedDefault ? TRUE : FALSE;
    return size;
}

} // namespace platform
