#include "support/tsSafeSave.h"

#include "platform/FileBackup.h"
#include "platform/FileReplace.h"
#include "platform/Win32File.h"
#include "support/tsBufferedOutputStream.h"
#include "support/tsResult.h"
#include "support/tsTrace.h"

#include <string>

namespace {

constexpr const char* kModule = "commonCode\\AbstractData\\streams\\tsSafeSave.cpp";

std::int32_t Report(int line, std::int32_t result) {
    if (tsFailed(result))
        ASSERT_HRESULT(kModule, line, result);
    return result;
}

// The last platform error as a failure, also when the platform left none.
std::int32_t LastFailure() {
    std::int32_t result = tsResultFromLastError();
    return tsFailed(result) ? result : E_FAIL;
}

// The existing file, open for the whole save: it holds the save share mode and
// is the handle that an in-place save reads the old content from and writes to.
class ExistingFile {
public:
    ExistingFile() = default;
    ~ExistingFile() {
        if (m_handle != platform::INVALID_HANDLE_VALUE)
            platform::CloseHandle(m_handle);
    }
    ExistingFile(const ExistingFile&) = delete;
    ExistingFile& operator=(const ExistingFile&) = delete;

    // False when the file exists but cannot be opened for writing; true with no
    // handle when there is no file. A file we may write but not read is opened
    // for writing only.
    bool Open(const std::string& path, bool lock) {
        const platform::DWORD share =
            lock ? 0 : platform::FILE_SHARE_READ | platform::FILE_SHARE_WRITE;
        m_readable = true;
        m_handle = OpenWith(path, platform::GENERIC_READ | platform::GENERIC_WRITE, share);
        if (m_handle == platform::INVALID_HANDLE_VALUE &&
            platform::GetLastError() == platform::ERROR_ACCESS_DENIED) {
            m_readable = false;
            m_handle = OpenWith(path, platform::GENERIC_WRITE, share);
        }
        return m_handle != platform::INVALID_HANDLE_VALUE ||
               platform::GetLastError() == platform::ERROR_FILE_NOT_FOUND;
    }
    bool Exists() const { return m_handle != platform::INVALID_HANDLE_VALUE; }
    bool Readable() const { return m_readable; }
    platform::HANDLE Handle() const { return m_handle; }

private:
    static platform::HANDLE OpenWith(const std::string& path, platform::DWORD access,
                                     platform::DWORD share) {
        return platform::CreateFileA(path.c_str(), access, share, nullptr, platform::OPEN_EXISTING,
                                     platform::FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    platform::HANDLE m_handle = platform::INVALID_HANDLE_VALUE;
    bool m_readable = true;
};

// Writes straight to an open handle.
class HandleOutputStream : public tsOutputStream {
public:
    explicit HandleOutputStream(platform::HANDLE handle) : m_handle(handle) {}
    std::int32_t Write(const void* buffer, std::uint32_t size) override {
        platform::DWORD written = 0;
        if (!platform::WriteFile(m_handle, buffer, size, &written, nullptr))
            return LastFailure();
        return written == size ? S_OK : E_FAIL;
    }

private:
    platform::HANDLE m_handle; // not owned
};

// Runs the content writer over `stream` through a buffer; a write that failed
// inside the content is a failed save, whatever the writer returned.
std::int32_t WriteContent(tsOutputStream& stream,
                          const std::function<std::int32_t(tsOutputStream&)>& writeContent) {
    tsBufferedOutputStream buffered(stream);
    std::int32_t result = writeContent(buffered);
    if (tsFailed(result))
        return Report(__LINE__, result);
    return Report(__LINE__, buffered.Flush());
}

std::int32_t SaveByRename(const std::string& temporary, const std::string& finalPath,
                          const std::function<std::int32_t(tsOutputStream&)>& writeContent) {
    std::int32_t result;
    {
        tsFileStream file;
        result = file.Open(temporary.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE);
        if (tsSucceeded(result))
            result = WriteContent(file, writeContent);
        if (tsSucceeded(result))
            result = file.Flush();
    }
    if (tsSucceeded(result) && !platform::ReplaceFileAtomically(temporary, finalPath))
        result = Report(__LINE__, LastFailure());
    if (tsFailed(result))
        platform::DeleteFileA(temporary.c_str());
    return result;
}

std::int32_t SaveInPlace(const ExistingFile& file, const std::string& finalPath,
                         const std::function<std::int32_t(tsOutputStream&)>& writeContent,
                         std::string& backupPath) {
    platform::HANDLE handle = file.Handle();
    // Only a regular file has content to keep and a length to cut; a file we
    // may not read is written as a plain save would, there being nothing we could keep.
    const bool regular = platform::IsRegularFile(finalPath);
    if (regular && backupPath.empty() && file.Readable() &&
        !platform::BackupFileContent(handle, finalPath, platform::BackupKind::Safety, backupPath))
        return Report(__LINE__, LastFailure());

    std::int32_t result = S_OK;
    if (!platform::RewindFile(handle))
        result = Report(__LINE__, LastFailure());
    else if (regular && !platform::SetEndOfFile(handle))
        result = Report(__LINE__, LastFailure());
    if (tsSucceeded(result)) {
        HandleOutputStream stream(handle);
        result = WriteContent(stream, writeContent);
    }
    if (tsSucceeded(result) && regular && !platform::FlushFileBuffers(handle))
        result = Report(__LINE__, LastFailure());
    if (tsFailed(result) && !backupPath.empty() &&
        !platform::RestoreFileContent(backupPath, handle))
        Report(__LINE__, LastFailure()); // the copy stays: the old content is there
    return result;
}

} // namespace

std::int32_t tsSaveFileSafely(const char* target,
                              const std::function<std::int32_t(tsOutputStream&)>& writeContent,
                              const tsSafeSaveOptions& options, tsSafeSaveReport* report) {
    tsSafeSaveReport ignored;
    tsSafeSaveReport& out = report != nullptr ? *report : ignored;
    out = tsSafeSaveReport();
    if (target == nullptr || *target == '\0')
        return Report(__LINE__, E_INVALIDARG);
    std::string finalPath;
    if (!platform::ResolveFinalPath(target, finalPath)) {
        out.notOpened = true;
        return Report(__LINE__, LastFailure());
    }
    if (platform::IsReadOnlyFile(finalPath))
        return Report(__LINE__, E_ACCESSDENIED);

    // The existing file stays open until it has been replaced or rewritten.
    ExistingFile existing;
    if (!existing.Open(finalPath, options.lockTarget)) {
        out.notOpened = true;
        return Report(__LINE__, LastFailure());
    }
    if (existing.Exists() && options.keepOldContent &&
        (!existing.Readable() ||
         !platform::BackupFileContent(existing.Handle(), finalPath, platform::BackupKind::Original,
                                      out.backupPath)))
        return Report(__LINE__, existing.Readable() ? LastFailure() : E_ACCESSDENIED);

    std::string temporary;
    std::int32_t result;
    if (!existing.Exists()) {
        if (!platform::CreateTemporaryFileBeside(finalPath, temporary)) {
            out.notOpened = true;
            return Report(__LINE__, LastFailure());
        }
        result = SaveByRename(temporary, finalPath, writeContent);
    } else if (platform::CanReplaceByRename(finalPath) &&
               platform::CreateTemporaryFileBeside(finalPath, temporary)) {
        result = SaveByRename(temporary, finalPath, writeContent);
    } else {
        result = SaveInPlace(existing, finalPath, writeContent, out.backupPath);
    }
    if (tsSucceeded(result)) {
        platform::RemoveSafetyBackups(finalPath);
        if (!options.keepOldContent)
            out.backupPath.clear();
    }
    return result;
}
