#include "platform/Win32File.h"

#include "common/TempDir.h"
#include "common/Unprivileged.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace platform;

namespace {

HANDLE OpenForLoading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE OpenForSaving(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TEST(Win32File, OpenFailuresGiveWindowsErrors) {
    TempDir dir;
    EXPECT_EQ(OpenForLoading(dir.File("missing.trs")), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(OpenForLoading(dir.File("no-such-folder/file.trs")), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    EXPECT_EQ(OpenForSaving(dir.File("no-such-folder/file.trs")), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    // A folder cannot be opened as a file.
    EXPECT_EQ(OpenForLoading(dir.Path().string()), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    EXPECT_EQ(ErrorFromErrno(EACCES), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorFromErrno(ENOSPC), ERROR_DISK_FULL);
    EXPECT_EQ(ErrorFromErrno(EWOULDBLOCK), ERROR_SHARING_VIOLATION);
}

TEST(Win32File, UnreadableFileIsAccessDenied) {
    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    TempDir dir;
    std::string path = dir.FileWith("locked.trs", "abc");
    ::chmod(path.c_str(), 0);
    ::chmod(dir.Path().c_str(), 0755);
    unprivileged::GiveAway(path);
    std::string seen = unprivileged::RunUnprivileged([&] {
        HANDLE handle = OpenForLoading(path);
        return std::to_string(handle == INVALID_HANDLE_VALUE) + " " +
               std::to_string(GetLastError());
    });
    EXPECT_EQ(seen, "1 " + std::to_string(ERROR_ACCESS_DENIED));
}

TEST(Win32File, ShareModesAreKeptBetweenOpeners) {
    TempDir dir;
    std::string path = dir.FileWith("shared.trs", "content");

    HANDLE reader = OpenForLoading(path);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    HANDLE secondReader = OpenForLoading(path);
    EXPECT_NE(secondReader, INVALID_HANDLE_VALUE) << "readers share the file";
    EXPECT_EQ(OpenForSaving(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ReadBytes(path), "content") << "a refused save must not truncate";
    CloseHandle(secondReader);
    CloseHandle(reader);

    HANDLE writer = OpenForSaving(path);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadBytes(path), "") << "saving replaces the content";
    EXPECT_EQ(OpenForLoading(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(OpenForSaving(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(CloseHandle(writer));

    reader = OpenForLoading(path);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE) << "closing releases the lock";
    CloseHandle(reader);
}

TEST(Win32File, ReadWriteAndSeek) {
    TempDir dir;
    std::string path = dir.File("data.bin");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(file, "0123456789", 10, &done, nullptr));
    EXPECT_EQ(done, 10u);

    EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 6u);
    char buffer[16] = {};
    ASSERT_TRUE(ReadFile(file, buffer, 16, &done, nullptr));
    EXPECT_EQ(done, 4u) << "a read at the end delivers what is left and succeeds";
    EXPECT_EQ(std::string(buffer, 4), "6789");
    ASSERT_TRUE(ReadFile(file, buffer, 16, &done, nullptr));
    EXPECT_EQ(done, 0u);

    EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
    EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_CURRENT), 5u);
    EXPECT_EQ(SetFilePointer(file, -6, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 5u) << "failed seeks do not move";
    EXPECT_TRUE(FlushFileBuffers(file));
    EXPECT_TRUE(CloseHandle(file));

    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Win32File, FullDiskIsErrorDiskFull) {
    HANDLE full = CreateFileA("/dev/full", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (full == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no /dev/full here";
    DWORD done = 1;
    EXPECT_FALSE(WriteFile(full, "x", 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(done, 0u);
    CloseHandle(full);
}

TEST(Win32File, LastErrorBelongsToItsThread) {
    SetLastError(ERROR_DISK_FULL);
    DWORD seenByOther = 1;
    std::thread other([&] { seenByOther = GetLastError(); });
    other.join();
    EXPECT_EQ(seenByOther, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
}
