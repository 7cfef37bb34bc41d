// Saves where renaming a new file into place would change what others see: a
// folder that takes no new file, another owner's file in a shared folder, a
// second hard link, a read-only file, a full disk part-way, and the copy kept
// of a file that did not load whole.

#include "common/Environment.h"
#include "common/TempDir.h"
#include "common/Unprivileged.h"
#include "support/tsResult.h"
#include "support/tsSafeSave.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::function<std::int32_t(tsOutputStream&)> Writes(const std::string& content) {
    return [content](tsOutputStream& out) {
        return out.Write(content.data(), static_cast<std::uint32_t>(content.size()));
    };
}

std::size_t FilesIn(const std::string& folder) {
    std::size_t count = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        ++count;
    return count;
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

// A test folder that the unprivileged user can enter, with a backups folder of
// that user's own.
class InPlace : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(dir.Path().c_str(), 0755);
        std::filesystem::create_directory(state);
        unprivileged::GiveAway(state);
    }
    // Saves `content` and tells what became of it: the result, the file's
    // content, the copy left behind and its content.
    std::string Save(const std::string& path, const std::string& content,
                     const tsSafeSaveOptions& options = {}) {
        tsSafeSaveReport report;
        std::int32_t result = tsSaveFileSafely(path.c_str(), Writes(content), options, &report);
        return Describe(result, path, report);
    }
    static std::string Describe(std::int32_t result, const std::string& path,
                                const tsSafeSaveReport& report) {
        char code[16];
        std::snprintf(code, sizeof code, "%08X", static_cast<unsigned>(result));
        return std::string(code) + "|" + ReadBytes(path) + "|" +
               (report.backupPath.empty() ? "no copy" : ReadBytes(report.backupPath));
    }
    std::size_t Backups() const { return FilesIn(state + "/lexarium/backups"); }

    TempDir dir;
    std::string state = dir.File("state");
    Environment stateHome{"XDG_STATE_HOME", state};
};

} // namespace

TEST_F(InPlace, AFolderThatTakesNoNewFileStillHasItsFilesSaved) {
    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    std::string folder = dir.File("fixed");
    std::filesystem::create_directory(folder);
    std::string path = folder + "/doc.trs";
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    unprivileged::GiveAway(path);
    unprivileged::GiveAway(folder);
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(unprivileged::RunUnprivileged([&] { return Save(path, "new"); }),
              "00000000|new|no copy");
    EXPECT_EQ(FilesIn(folder), 1u);
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(Backups(), 0u) << "the copy goes once the save succeeded";
    ::chmod(folder.c_str(), 0755);
}

TEST_F(InPlace, AnotherOwnersFileInAStickyFolderKeepsItsOwnerAndMode) {
    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    if (::geteuid() != 0)
        GTEST_SKIP() << "another user's file needs the superuser to make";
    std::string folder = dir.File("shared");
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), 01777);
    std::string path = folder + "/team.trs";
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0666);
    const struct stat before = StatOf(path);
    EXPECT_EQ(unprivileged::RunUnprivileged([&] { return Save(path, "new"); }),
              "00000000|new|no copy");
    const struct stat after = StatOf(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 0u) << "the owner stays";
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0666u);
    EXPECT_EQ(FilesIn(folder), 1u);
}

TEST_F(InPlace, AHardLinkedFileIsChangedThroughEveryLink) {
    std::string path = dir.File("doc.trs");
    std::string other = dir.File("other-name.trs");
    WriteBytes(path, std::string(100000, 'o'));
    ::chmod(path.c_str(), 0604);
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    EXPECT_EQ(Save(path, "new"), "00000000|new|no copy");
    EXPECT_EQ(ReadBytes(other), "new") << "cut to the new length too";
    EXPECT_EQ(StatOf(other).st_nlink, 2u);
    EXPECT_EQ(StatOf(other).st_mode & 07777, 0604u);
    EXPECT_EQ(FilesIn(dir.Path().string()), 3u) << "no temporary file is left";
    EXPECT_EQ(Backups(), 0u);
}

TEST_F(InPlace, AReadOnlyFileIsRefusedWhoeverSavesIt) {
    std::string path = dir.FileWith("doc.trs", "old");
    ::chmod(path.c_str(), 0444);
    tsSafeSaveReport report;
    EXPECT_EQ(tsSaveFileSafely(path.c_str(), Writes("new"), {}, &report), E_ACCESSDENIED);
    EXPECT_FALSE(report.notOpened) << "a refusal the caller tells the user of";
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(FilesIn(dir.Path().string()), 2u);

    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    unprivileged::GiveAway(path);
    EXPECT_EQ(unprivileged::RunUnprivileged([&] { return Save(path, "new"); }),
              "80070005|old|no copy");
}

TEST_F(InPlace, AFullDiskPartWayPutsTheOldContentBackAndKeepsTheCopy) {
    std::string path = dir.File("doc.trs");
    const std::string old(1000, 'o');
    WriteBytes(path, old);
    ASSERT_EQ(::link(path.c_str(), dir.File("link.trs").c_str()), 0);
    std::string seen = unprivileged::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        tsSafeSaveReport report;
        std::int32_t result =
            tsSaveFileSafely(path.c_str(), Writes(std::string(20000, 'n')), {}, &report);
        return Describe(result, path, report) + "|" + report.backupPath;
    });
    const std::string expected = "80070070|" /* the disk is full */ + old + "|" + old + "|";
    ASSERT_EQ(seen.substr(0, expected.size()), expected);
    const std::string copy = seen.substr(expected.size());
    EXPECT_TRUE(std::filesystem::exists(copy)) << "the copy stays after the failure";

    EXPECT_EQ(Save(path, "new"), "00000000|new|no copy");
    EXPECT_FALSE(std::filesystem::exists(copy)) << "a later save that succeeds removes it";
}

TEST_F(InPlace, TheOriginalOfADamagedFileIsKeptForGood) {
    std::string path = dir.FileWith("damaged.trs", "damaged bytes");
    tsSafeSaveOptions keep;
    keep.keepOldContent = true;
    tsSafeSaveReport report;
    ASSERT_EQ(tsSaveFileSafely(path.c_str(), Writes("new"), keep, &report), 0);
    ASSERT_NE(report.backupPath.find(".original.bak"), std::string::npos) << report.backupPath;
    EXPECT_EQ(ReadBytes(report.backupPath), "damaged bytes");
    EXPECT_EQ(ReadBytes(path), "new");

    ASSERT_EQ(::link(path.c_str(), dir.File("link.trs").c_str()), 0);
    EXPECT_EQ(Save(path, "newer"), "00000000|newer|no copy");
    EXPECT_EQ(ReadBytes(report.backupPath), "damaged bytes") << "later saves leave it";
    EXPECT_EQ(Backups(), 1u);
}
