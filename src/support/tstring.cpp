#include "support/tstring.h"

#include "platform/Win32CodePage.h"
#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <cstring>
#include <limits>
#include <new>

using namespace platform;

namespace {

constexpr const char* kModule = "commonCode\\AbstractData\\tstring.cpp";
// The trace lines that callers rely on, kept on purpose whatever line the code is on.
constexpr int kLineReadString = 365;
constexpr int kLineWriteString = 430;
constexpr int kLineAnsiToUtf8 = 944;
constexpr int kLineUtf8ToAnsi = 1055;

// A damaged length must not make us allocate far beyond the data that is
// really there, so long strings are read in pieces of this size.
constexpr std::uint32_t kReadChunk = 64 * 1024;

// An unsigned number of `size` bytes (1 to 4), least significant first.
std::int32_t ReadLittleEndian(tsInputStream& stream, std::uint32_t size, std::uint32_t& value) {
    unsigned char bytes[4] = {};
    const std::int32_t result = stream.Read(bytes, size);
    if (tsFailed(result))
        return result;
    value = 0;
    for (std::uint32_t i = size; i > 0; --i)
        value = (value << 8) | bytes[i - 1];
    return S_OK;
}

// A byte below 0xFF; else a 16-bit length below 0xFFFF (0xFFFE is refused);
// else a 32-bit length.
std::int32_t ReadLength(std::uint32_t& length, tsInputStream& stream) {
    std::uint32_t value = 0;
    std::int32_t result = ReadLittleEndian(stream, 1, value);
    if (tsSucceeded(result) && value == 0xFF) {
        result = ReadLittleEndian(stream, 2, value);
        if (tsSucceeded(result) && value == 0xFFFE)
            return E_FAIL;
        if (tsSucceeded(result) && value == 0xFFFF)
            result = ReadLittleEndian(stream, 4, value);
    }
    if (tsFailed(result))
        return result;
    length = value;
    return S_OK;
}

std::int32_t ReadContent(std::string& content, std::uint32_t length, tsInputStream& stream) {
    try {
        if (length <= kReadChunk) {
            content.resize(length);
            return length == 0 ? S_OK : stream.Read(content.data(), length);
        }
        std::uint32_t done = 0;
        while (done < length) {
            std::uint32_t piece = length - done < kReadChunk ? length - done : kReadChunk;
            content.resize(static_cast<std::size_t>(done) + piece);
            std::int32_t result = stream.Read(content.data() + done, piece);
            if (tsFailed(result))
                return result;
            done += piece;
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

// Short contents are read into one buffer kept for the thread and then copied
// into the destination, whose own storage is reused: a reader that fills the
// same entry again and again allocates nothing. Longer ones get a buffer of
// their own, so that one big field does not keep its memory for the run.
std::int32_t ReadStringField(std::string& destination, tsInputStream& stream,
                             std::uint32_t& storedLength) {
    std::uint32_t length = 0;
    std::int32_t result = ReadLength(length, stream);
    if (tsFailed(result))
        return result;
    thread_local std::string scratch;
    std::string large;
    std::string& content = length <= kReadChunk ? scratch : large;
    result = ReadContent(content, length, stream);
    if (tsFailed(result))
        return result;
    std::size_t kept = content.find('\0');
    if (kept == std::string::npos)
        kept = content.size();
    try {
        if (&content == &large) {
            large.resize(kept);
            destination = std::move(large);
        } else {
            destination.assign(content.data(), kept);
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    storedLength = length;
    return S_OK;
}

std::int32_t WriteStringField(const std::string& source, tsOutputStream& stream) {
    if (source.size() > std::numeric_limits<std::uint32_t>::max())
        return E_INVALIDARG;
    auto n = static_cast<std::uint32_t>(source.size());
    unsigned char prefix[7];
    std::uint32_t prefixSize;
    if (n < 255) {
        prefix[0] = static_cast<unsigned char>(n);
        prefixSize = 1;
    } else if (n < 65534) {
        prefix[0] = 0xFF;
        prefix[1] = static_cast<unsigned char>(n & 0xFF);
        prefix[2] = static_cast<unsigned char>(n >> 8);
        prefixSize = 3;
    } else {
        prefix[0] = 0xFF;
        prefix[1] = 0xFF;
        prefix[2] = 0xFF;
        for (int i = 0; i < 4; ++i)
            prefix[3 + i] = static_cast<unsigned char>(n >> (8 * i));
        prefixSize = 7;
    }
    std::int32_t result = stream.Write(prefix, prefixSize);
    if (tsFailed(result) || n == 0)
        return result;
    return stream.Write(source.data(), n);
}

// Converts `source` from one code page to another through UTF-16, keeping what
// precedes the first zero character of the result.
std::int32_t Convert(std::string& destination, const std::string& source, UINT from, UINT to) {
    if (source.empty()) {
        destination.clear();
        return S_OK;
    }
    if (source.size() > 0x7FFFFFFF)
        return E_INVALIDARG;
    try {
        int sourceLength = static_cast<int>(source.size());
        int units = MultiByteToWideChar(from, 0, source.data(), sourceLength, nullptr, 0);
        if (units == 0)
            return tsResultFromLastError();
        std::u16string wide(static_cast<std::size_t>(units), u'\0');
        units = MultiByteToWideChar(from, 0, source.data(), sourceLength, wide.data(), units);
        if (units == 0)
            return tsResultFromLastError();
        int bytes = WideCharToMultiByte(to, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
        if (bytes == 0)
            return tsResultFromLastError();
        std::string converted(static_cast<std::size_t>(bytes), '\0');
        bytes = WideCharToMultiByte(to, 0, wide.data(), units, converted.data(), bytes, nullptr,
                                    nullptr);
        if (bytes == 0)
            return tsResultFromLastError();
        std::size_t zero = converted.find('\0');
        if (zero != std::string::npos)
            converted.resize(zero);
        destination = std::move(converted);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace

std::int32_t ReadString(std::string& destination, tsInputStream& stream) {
    std::uint32_t storedLength = 0;
    return ReadString(destination, stream, storedLength);
}

std::int32_t ReadString(std::string& destination, tsInputStream& stream,
                        std::uint32_t& storedLength) {
    std::int32_t result = ReadStringField(destination, stream, storedLength);
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineReadString, result);
    return result;
}

std::int32_t WriteString(const std::string& source, tsOutputStream& stream) {
    std::int32_t result = WriteStringField(source, stream);
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineWriteString, result);
    return result;
}

std::int32_t AnsiToUtf8(std::string& destination, const std::string& source) {
    std::int32_t result = Convert(destination, source, CP_ACP, CP_UTF8);
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineAnsiToUtf8, result);
    return result;
}

std::int32_t Utf8ToAnsi(std::string& destination, const std::string& source) {
    std::int32_t result = Convert(destination, source, CP_UTF8, CP_ACP);
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineUtf8ToAnsi, result);
    return result;
}
