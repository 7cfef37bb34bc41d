#include "platform/FileReplace.h"

#include "common/TempDir.h"
#include "common/Unprivileged.h"
#include "platform/Win32Error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

TEST(FileReplace, ResolvesChainsOfLinksAndStopsLoops) {
    TempDir dir;
    std::string target = dir.File("real.trs");
    WriteBytes(target, "x");
    ASSERT_EQ(::symlink("real.trs", dir.File("one").c_str()), 0);
    ASSERT_EQ(::symlink(dir.File("one").c_str(), dir.File("two").c_str()), 0);
    std::string resolved;
    ASSERT_TRUE(ResolveFinalPath(dir.File("two"), resolved));
    EXPECT_EQ(resolved, target);
    ASSERT_TRUE(ResolveFinalPath(dir.File("new.trs"), resolved));
    EXPECT_EQ(resolved, dir.File("new.trs"));

    ASSERT_EQ(::symlink("loop-b", dir.File("loop-a").c_str()), 0);
    ASSERT_EQ(::symlink("loop-a", dir.File("loop-b").c_str()), 0);
    EXPECT_FALSE(ResolveFinalPath(dir.File("loop-a"), resolved));
    EXPECT_EQ(GetLastError(), ERROR_CANT_RESOLVE_FILENAME);
}

TEST(FileReplace, TemporaryFileTakesTheTargetsPermissions) {
    TempDir dir;
    std::string target = dir.File("doc.trs");
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    std::string temporary;
    ASSERT_TRUE(CreateTemporaryFileBeside(target, temporary));
    EXPECT_EQ(temporary.rfind(dir.Path().string() + "/", 0), 0u) << "in the target's folder";
    struct stat st {};
    ASSERT_EQ(::stat(temporary.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_size, 0);

    WriteBytes(temporary, "new");
    ASSERT_TRUE(ReplaceFileAtomically(temporary, target));
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_FALSE(std::filesystem::exists(temporary));

    EXPECT_FALSE(CreateTemporaryFileBeside(dir.File("missing/doc.trs"), temporary));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST(FileReplace, AFileWithoutWriteBitsIsReadOnlyForEveryone) {
    TempDir dir;
    std::string path = dir.File("doc.trs");
    WriteBytes(path, "x");
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(IsReadOnlyFile(path)) << "also for the superuser";
    ::chmod(path.c_str(), 0644);
    EXPECT_FALSE(IsReadOnlyFile(path));
    EXPECT_FALSE(IsReadOnlyFile(dir.File("new.trs"))) << "a new file is no read-only file";

    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    // Another user's file: writable only where its bits give us the right.
    ::chmod(dir.Path().c_str(), 0755);
    std::string others = dir.File("others.trs");
    WriteBytes(others, "x");
    ::chmod(others.c_str(), 0664);
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's file needs the superuser to make";
    auto seen = [&] {
        return unprivileged::RunUnprivileged([&] {
            return std::to_string(IsReadOnlyFile(others)) + std::to_string(IsReadOnlyFile(path));
        });
    };
    EXPECT_EQ(seen(), "11") << "neither is ours to write";
    ::chmod(others.c_str(), 0666);
    unprivileged::GiveAway(path);
    EXPECT_EQ(seen(), "00");
}

TEST(FileReplace, RenameOnlyWhereTheNewFileWouldBeTheSameToEveryone) {
    TempDir dir;
    std::string path = dir.File("doc.trs");
    WriteBytes(path, "x");
    EXPECT_TRUE(CanReplaceByRename(path));
    ASSERT_EQ(::link(path.c_str(), dir.File("second.trs").c_str()), 0);
    EXPECT_FALSE(CanReplaceByRename(path)) << "a second link would keep the old content";
    EXPECT_FALSE(CanReplaceByRename(dir.Path().string()));
    EXPECT_FALSE(CanReplaceByRename("/dev/null"));

    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's file needs the superuser to make";
    // Another user's file in a folder we may write: the new file cannot keep its owner.
    std::string others = dir.File("others.trs");
    WriteBytes(others, "x");
    ::chmod(others.c_str(), 0666);
    unprivileged::GiveAway(dir.Path().string());
    std::string seen = unprivileged::RunUnprivileged([&] {
        std::string temporary;
        bool created = CreateTemporaryFileBeside(others, temporary);
        return std::to_string(created) + " " + std::to_string(GetLastError()) + " " +
               std::to_string(std::filesystem::exists(temporary));
    });
    EXPECT_EQ(seen, "0 " + std::to_string(ERROR_ACCESS_DENIED) + " 0");
}
