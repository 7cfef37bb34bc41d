#include "platform/FileBackup.h"

#include "common/Environment.h"
#include "common/TempDir.h"
#include "platform/Win32File.h"

#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>

using namespace platform;

namespace {

HANDLE OpenForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string Backup(const std::string& path, BackupKind kind = BackupKind::Safety) {
    HANDLE handle = OpenForReading(path);
    std::string backup;
    EXPECT_TRUE(BackupFileContent(handle, path, kind, backup)) << GetLastError();
    CloseHandle(handle);
    return backup;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('/'));
}

std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

} // namespace

TEST(FileBackup, GoesToTheFirstStateFolderThatTakesItUnderTheFilesNameAndTime) {
    TempDir dir;
    std::string path = dir.FileWith("doc.trs", "the old content");
    std::filesystem::create_directory(dir.Path() / "tmp");
    WriteBytes(dir.File("blocked"), "a file where a folder would have to be");
    Environment temporary("TMPDIR", dir.File("tmp"));
    {
        Environment state("XDG_STATE_HOME", dir.File("state"));
        Environment home("HOME", dir.File("home"));
        std::string backup = Backup(path);
        EXPECT_EQ(FolderOf(backup), dir.File("state/lexarium/backups"));
        EXPECT_TRUE(std::regex_match(NameOf(backup),
                                     std::regex(R"(doc\.trs\.\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d)"
                                                R"(\.[0-9a-f]{8}\.bak)")))
            << backup;
        EXPECT_EQ(ReadBytes(backup), "the old content");
        struct stat st {};
        ::stat(backup.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << "only the owner may read the copy";
        ::stat(FolderOf(backup).c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    {
        Environment state("XDG_STATE_HOME", "relative/state"); // no setting at all
        Environment home("HOME", dir.File("home"));
        EXPECT_EQ(FolderOf(Backup(path)), dir.File("home/.local/state/lexarium/backups"));
    }
    {
        Environment state("XDG_STATE_HOME", dir.File("blocked/state"));
        Environment home("HOME", dir.File("blocked/home"));
        EXPECT_EQ(FolderOf(Backup(path)), dir.File("tmp"));
    }
}

TEST(FileBackup, RemovesOnlyTheSafetyCopiesOfItsOwnFile) {
    TempDir dir;
    Environment temporary("TMPDIR", dir.Path().string());
    Environment state("XDG_STATE_HOME", dir.File("state"));
    std::string path = dir.FileWith("doc.trs", "old");
    std::filesystem::create_directory(dir.Path() / "other");
    std::string namesake = dir.FileWith("other/doc.trs", "another file of the same name");

    std::string first = Backup(path);
    std::string second = Backup(path);
    EXPECT_NE(first, second) << "two saves in one second keep two copies";
    std::string original = Backup(path, BackupKind::Original);
    EXPECT_NE(original.find(".original.bak"), std::string::npos);
    std::string others = Backup(namesake);

    RemoveSafetyBackups(path);
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_TRUE(std::filesystem::exists(original)) << "kept for good";
    EXPECT_TRUE(std::filesystem::exists(others)) << "another file's copy";
}
