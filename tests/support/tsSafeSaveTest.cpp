#include "support/tsSafeSave.h"

#include "common/TempDir.h"
#include "common/TraceCapture.h"
#include "support/tsResult.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::function<std::int32_t(tsOutputStream&)> Writes(const std::string& content) {
    return [content](tsOutputStream& out) {
        return out.Write(content.data(), static_cast<std::uint32_t>(content.size()));
    };
}

std::size_t FilesIn(const TempDir& dir) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(dir.Path()))
        ++count;
    return count;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(tsSafeSave, CreatesAndReplacesFilesKeepingPermissions) {
    TempDir dir;
    std::string path = dir.File("doc.trs");
    {
        TraceCapture trace;
        ASSERT_EQ(tsSaveFileSafely(path.c_str(), Writes("first")), 0);
        EXPECT_TRUE(trace.lines.empty()) << "a new file is no failure";
    }
    EXPECT_EQ(ReadBytes(path), "first");
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(path), 0666u & ~mask) << "a new file gets the usual permissions";

    ::chmod(path.c_str(), 0604);
    ASSERT_EQ(tsSaveFileSafely(path.c_str(), Writes(std::string(1000000, 'z'))), 0);
    EXPECT_EQ(ReadBytes(path), std::string(1000000, 'z'));
    EXPECT_EQ(ModeOf(path), 0604u);
    EXPECT_EQ(FilesIn(dir), 1u) << "no temporary file is left";
}

TEST(tsSafeSave, AFailedSaveLeavesTheOldFileAsItWas) {
    TempDir dir;
    std::string path = dir.FileWith("doc.trs", "the old content");
    TraceCapture trace;
    auto failing = [](tsOutputStream& out) {
        out.Write("partial", 7);
        return E_FAIL;
    };
    EXPECT_EQ(tsSaveFileSafely(path.c_str(), failing), E_FAIL);
    EXPECT_EQ(ReadBytes(path), "the old content");
    EXPECT_EQ(FilesIn(dir), 1u);
    EXPECT_FALSE(trace.lines.empty()) << "the failure is traced";

    EXPECT_EQ(tsSaveFileSafely(dir.File("missing/doc.trs").c_str(), Writes("x")),
              TS_E_PATH_NOT_FOUND);
}

TEST(tsSafeSave, WritesThroughASymbolicLink) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "real");
    std::string target = dir.FileWith("real/doc.trs", "old");
    std::string link = dir.File("link.trs");
    ASSERT_EQ(::symlink("real/doc.trs", link.c_str()), 0);
    ASSERT_EQ(tsSaveFileSafely(link.c_str(), Writes("new")), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "new");
}

TEST(tsSafeSave, HonoursTheShareModesOfOtherOpeners) {
    TempDir dir;
    std::string path = dir.FileWith("doc.trs", "held");
    {
        tsFileStream other;
        ASSERT_EQ(other.Open(path.c_str(), TS_OPEN_READ), 0);
        EXPECT_EQ(tsSaveFileSafely(path.c_str(), Writes("new")), TS_E_SHARING_VIOLATION);
        EXPECT_EQ(ReadBytes(path), "held");
        EXPECT_EQ(FilesIn(dir), 1u);
    }
    {
        // A caller that holds the save share mode itself saves without the lock.
        tsFileStream mine;
        ASSERT_EQ(mine.Open(path.c_str(), TS_OPEN_WRITE), 0);
        EXPECT_EQ(tsSaveFileSafely(path.c_str(), Writes("new")), TS_E_SHARING_VIOLATION);
        tsSafeSaveOptions options;
        options.lockTarget = false;
        EXPECT_EQ(tsSaveFileSafely(path.c_str(), Writes("new"), options), 0);
    }
    EXPECT_EQ(ReadBytes(path), "new");
}
