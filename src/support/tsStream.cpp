#include "support/tsStream.h"

#include "platform/Win32File.h"
#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <cstring>

using namespace platform;

namespace {

// Trace sites of this module: its source path and the line of each operation.
constexpr const char* kModule = "commonCode\\AbstractData\\streams\\tsStream.cpp";
// The trace lines that callers rely on, kept on purpose whatever line the code is on.
constexpr int kLineOpenMessage = 82;
constexpr int kLineOpen = 85;
constexpr int kLineRead = 130;
constexpr int kLineWrite = 159;
constexpr int kLineSeek = 221;
constexpr int kLineSkip = 238;

constexpr std::uint32_t kReadBufferSize = 64 * 1024;

} // namespace

tsFileStream::tsFileStream() : m_handle(nullptr) {}

tsFileStream::~tsFileStream() {
    Close();
}

std::int32_t tsFileStream::Open(const char* fileName, std::uint32_t flags) {
    Close();
    DWORD disposition = (flags & TS_OPEN_CREATE) ? CREATE_ALWAYS : OPEN_EXISTING;
    DWORD access = GENERIC_READ;
    DWORD share = FILE_SHARE_READ;
    if (flags & TS_OPEN_WRITE) {
        access = GENERIC_WRITE;
        share = 0;
    }
    if (flags & TS_OPEN_READ)
        access |= GENERIC_READ;

    std::int32_t result = S_OK;
    HANDLE handle =
        CreateFileA(fileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_handle = nullptr;
        result = tsResultFromLastError();
    } else {
        m_handle = handle;
    }
    if (tsFailed(result)) {
        TRACE_ERROR(kModule, kLineOpenMessage, "Error: Open file '%s' failed.\n",
                    fileName != nullptr ? fileName : "");
        ASSERT_HRESULT(kModule, kLineOpen, result);
    }
    return result;
}

std::int32_t tsFileStream::Close() {
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
        m_handle = nullptr;
    }
    m_bufferPosition = m_bufferEnd = 0;
    return S_OK;
}

std::int32_t tsFileStream::Read(void* buffer, std::uint32_t size, std::uint32_t* bytesRead) {
    // Most reads of a loading file are small fields that the buffer holds.
    if (m_handle != nullptr && size <= m_bufferEnd - m_bufferPosition) {
        std::memcpy(buffer, m_buffer.get() + m_bufferPosition, size);
        m_bufferPosition += size;
        if (bytesRead != nullptr)
            *bytesRead = size;
        return S_OK;
    }
    if (bytesRead != nullptr)
        *bytesRead = 0;
    if (m_handle == nullptr) {
        ASSERT_HRESULT(kModule, kLineRead, E_UNEXPECTED);
        return E_UNEXPECTED;
    }
    auto* out = static_cast<unsigned char*>(buffer);
    std::int32_t result = S_OK;
    std::uint32_t done = 0;
    while (done < size) {
        std::uint32_t buffered = m_bufferEnd - m_bufferPosition;
        if (buffered > 0) {
            std::uint32_t take = buffered < size - done ? buffered : size - done;
            std::memcpy(out + done, m_buffer.get() + m_bufferPosition, take);
            m_bufferPosition += take;
            done += take;
            continue;
        }
        std::uint32_t want = size - done;
        DWORD got = 0;
        if (want >= kReadBufferSize) {
            // Large reads go straight into the caller's buffer.
            if (!ReadFile(m_handle, out + done, want, &got, nullptr))
                result = tsResultFromLastError();
            done += got;
            break;
        }
        if (!m_buffer)
            m_buffer.reset(new unsigned char[kReadBufferSize]);
        m_bufferPosition = m_bufferEnd = 0;
        if (!ReadFile(m_handle, m_buffer.get(), kReadBufferSize, &got, nullptr))
            result = tsResultFromLastError();
        m_bufferEnd = got;
        if (got == 0 || tsFailed(result)) {
            std::uint32_t take = got < want ? got : want;
            std::memcpy(out + done, m_buffer.get(), take);
            m_bufferPosition = take;
            done += take;
            break;
        }
    }
    if (bytesRead != nullptr)
        *bytesRead = done;
    if (done != size)
        result = E_FAIL;
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineRead, result);
    return result;
}

// Hands the bytes read ahead back to the file, so that its position is the
// stream's position again before a write or a seek.
std::int32_t tsFileStream::ReturnReadBuffer() {
    std::uint32_t ahead = m_bufferEnd - m_bufferPosition;
    m_bufferPosition = m_bufferEnd = 0;
    if (ahead == 0)
        return S_OK;
    LONG back = -static_cast<LONG>(ahead);
    if (SetFilePointer(m_handle, back, nullptr, FILE_CURRENT) == INVALID_SET_FILE_POINTER)
        return tsResultFromLastError();
    return S_OK;
}

std::int32_t tsFileStream::Write(const void* buffer, std::uint32_t size) {
    std::int32_t result = S_OK;
    if (m_handle == nullptr) {
        result = E_UNEXPECTED;
    } else {
        result = ReturnReadBuffer();
        DWORD written = 0;
        if (tsSucceeded(result)) {
            if (!WriteFile(m_handle, buffer, size, &written, nullptr))
                result = tsResultFromLastError();
            if (written != size)
                result = E_FAIL;
        }
    }
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineWrite, result);
    return result;
}

std::int32_t tsFileStream::Seek(std::int32_t origin, std::int32_t distance) {
    std::int32_t result = S_OK;
    DWORD method = FILE_BEGIN;
    switch (origin) {
    case 0:
        method = FILE_BEGIN;
        break;
    case 1:
        method = FILE_CURRENT;
        break;
    case 2:
        method = FILE_END;
        break;
    default:
        result = E_INVALIDARG;
        break;
    }
    if (tsSucceeded(result)) {
        if (m_handle == nullptr) {
            result = E_UNEXPECTED;
        } else if (method == FILE_CURRENT && distance >= 0 &&
                   static_cast<std::uint32_t>(distance) <= m_bufferEnd - m_bufferPosition) {
            m_bufferPosition += static_cast<std::uint32_t>(distance);
        } else {
            result = ReturnReadBuffer();
            if (tsSucceeded(result) &&
                SetFilePointer(m_handle, distance, nullptr, method) == INVALID_SET_FILE_POINTER)
                result = tsResultFromLastError();
        }
    }
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineSeek, result);
    return result;
}

std::int32_t tsFileStream::Skip(std::int32_t distance, std::uint32_t reserved) {
    std::int32_t result = Seek(1, distance);
    if (reserved != 0)
        result = E_NOTIMPL;
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, kLineSkip, result);
    return result;
}

std::int32_t tsFileStream::Flush() {
    std::int32_t result = S_OK;
    if (m_handle == nullptr)
        result = E_UNEXPECTED;
    else if (!FlushFileBuffers(m_handle))
        result = tsResultFromLastError();
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, __LINE__, result);
    return result;
}
