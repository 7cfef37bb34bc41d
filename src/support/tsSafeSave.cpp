#include "support/tsSafeSave.h"

#include "platform/FileReplace.h"
#include "platform/Win32File.h"
#include "support/tsBufferedOutputStream.h"
#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <string>

namespace {

constexpr const char* kModule = "commonCode\\AbstractData\\streams\\tsSafeSave.cpp";

// Holds an existing file open with write access and no sharing.
class TargetLock {
public:
    TargetLock() = default;
    ~TargetLock() {
        if (m_handle != platform::INVALID_HANDLE_VALUE)
            platform::CloseHandle(m_handle);
    }
    TargetLock(const TargetLock&) = delete;
    TargetLock& operator=(const TargetLock&) = delete;

    // False when the file exists but cannot be held.
    bool Take(const std::string& path) {
        m_handle = platform::CreateFileA(path.c_str(), platform::GENERIC_WRITE, 0, nullptr,
                                         platform::OPEN_EXISTING, platform::FILE_ATTRIBUTE_NORMAL,
                                         nullptr);
        return m_handle != platform::INVALID_HANDLE_VALUE ||
               platform::GetLastError() == platform::ERROR_FILE_NOT_FOUND;
    }

private:
    platform::HANDLE m_handle = platform::INVALID_HANDLE_VALUE;
};

std::int32_t Report(int line, std::int32_t result) {
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, line, result);
    return result;
}

std::int32_t WriteTemporary(const std::string& temporary,
                            const std::function<std::int32_t(tsOutputStream&)>& writeContent) {
    tsFileStream file;
    std::int32_t result = file.Open(temporary.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE);
    if (tsFailed(result))
        return result;
    tsBufferedOutputStream buffered(file);
    result = writeContent(buffered);
    if (tsFailed(result))
        return Report(__LINE__, result);
    // A write that failed inside the content is a failed save, whatever the
    // writer returned.
    result = buffered.Flush();
    if (tsFailed(result))
        return Report(__LINE__, result);
    result = file.Flush();
    if (tsFailed(result))
        return result;
    file.Close();
    return S_OK;
}

} // namespace

std::int32_t tsSaveFileSafely(const char* target,
                              const std::function<std::int32_t(tsOutputStream&)>& writeContent,
                              const tsSafeSaveOptions& options) {
    if (target == nullptr || *target == '\0')
        return Report(__LINE__, E_INVALIDARG);
    std::string finalPath;
    if (!platform::ResolveFinalPath(target, finalPath)) {
        std::int32_t result = tsResultFromLastError();
        return Report(__LINE__, tsFailed(result) ? result : E_FAIL);
    }

    // The save share mode on the existing file, held until it has been replaced.
    // A target that does not exist yet needs no lock.
    TargetLock lock;
    if (options.lockTarget && !lock.Take(finalPath)) {
        std::int32_t result = tsResultFromLastError();
        return Report(__LINE__, tsFailed(result) ? result : E_FAIL);
    }

    std::string temporary;
    if (!platform::CreateTemporaryFileBeside(finalPath, temporary)) {
        std::int32_t result = tsResultFromLastError();
        return Report(__LINE__, tsFailed(result) ? result : E_FAIL);
    }
    std::int32_t result = WriteTemporary(temporary, writeContent);
    if (tsSucceeded(result) && !platform::ReplaceFileAtomically(temporary, finalPath)) {
        result = tsResultFromLastError();
        result = Report(__LINE__, tsFailed(result) ? result : E_FAIL);
    }
    if (tsFailed(result))
        platform::DeleteFileA(temporary.c_str());
    return result;
}
