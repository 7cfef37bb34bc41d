#include "platform/FileReplace.h"

#include "common/TempDir.h"
#include "platform/Win32Error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

TEST(FileReplace, ResolvesChainsOfLinksAndStopsLoops) {
    TempDir dir;
    std::string target = dir.FileWith("real.trs", "x");
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
    std::string target = dir.FileWith("doc.trs", "old");
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

TEST(FileReplace, RenameOnlyOverARegularFileWithOneLink) {
    TempDir dir;
    std::string path = dir.FileWith("doc.trs", "x");
    EXPECT_TRUE(CanReplaceByRename(path));
    ASSERT_EQ(::link(path.c_str(), dir.File("second.trs").c_str()), 0);
    EXPECT_FALSE(CanReplaceByRename(path)) << "a second link would keep the old content";
    EXPECT_FALSE(CanReplaceByRename("/dev/null")) << "a device is written, never replaced";
}
