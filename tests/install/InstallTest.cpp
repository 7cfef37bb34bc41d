// What `cmake --install` puts in place, installed into a temporary prefix as a
// packager would: both programs, the desktop entry as desktop-file-validate
// accepts it with the icon it names, and the ".trs" file type that the shared
// MIME database knows by name and by content.

#include "common/TempDir.h"
#include "model/TrsBytes.h"
#include "tool/RunTool.h"

#include <QMimeDatabase>
#include <QSvgRenderer>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {

const char* const kFileType = "application/x-lexarium-document";

bool HaveCommand(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// The value of `key` in the desktop entry's text, or empty.
std::string DesktopValue(const std::string& entry, const std::string& key) {
    const std::string::size_type at = entry.find("\n" + key + "=");
    if (at == std::string::npos)
        return {};
    const std::string::size_type start = at + key.size() + 2;
    return entry.substr(start, entry.find('\n', start) - start);
}

class Install : public ::testing::Test {
protected:
    void SetUp() override {
        const Outcome installed =
            RunShell(work, Quote(LEXARIUM_CMAKE_COMMAND) + " --install " +
                               Quote(LEXARIUM_BUILD_DIR) + " --prefix " + Quote(prefix.string()));
        ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
    }

    TempDir work;
    const fs::path prefix = work.Path() / "prefix";
};

} // namespace

TEST_F(Install, PutsBothProgramsTheDesktopEntryItsIconAndTheFileTypeInPlace) {
    std::set<std::string> files;
    for (const fs::directory_entry& item : fs::recursive_directory_iterator(prefix)) {
        if (!item.is_directory())
            files.insert(fs::relative(item.path(), prefix).string());
    }
    EXPECT_EQ(files, (std::set<std::string>{"bin/lexarium", "bin/lexarium-tool",
                                            "share/applications/lexarium.desktop",
                                            "share/icons/hicolor/scalable/apps/lexarium.svg",
                                            "share/mime/packages/lexarium-trs.xml"}));
    for (const char* program : {"bin/lexarium", "bin/lexarium-tool"}) {
        EXPECT_NE(fs::status(prefix / program).permissions() & fs::perms::others_exec,
                  fs::perms::none)
            << program;
    }
    const Outcome help = RunShell(work, Quote((prefix / "bin/lexarium-tool").string()) + " --help");
    EXPECT_EQ(help.status, 0) << help.err;

    // The icon is drawn to any size: a square picture that an SVG renderer reads.
    QSvgRenderer icon(QString::fromStdString(
        (prefix / "share/icons/hicolor/scalable/apps/lexarium.svg").string()));
    ASSERT_TRUE(icon.isValid());
    EXPECT_EQ(icon.viewBoxF().width(), icon.viewBoxF().height());
}

TEST_F(Install, DesktopEntryIsValidAndNamesTheInstalledProgramIconAndType) {
    if (!HaveCommand("desktop-file-validate"))
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is missing";
    const fs::path desktop = prefix / "share/applications/lexarium.desktop";
    const Outcome validated = RunShell(work, "desktop-file-validate " + Quote(desktop.string()));
    EXPECT_EQ(validated.status, 0);
    EXPECT_EQ(validated.out + validated.err, "") << "no errors, warnings or hints";

    const std::string entry = ReadBytes(desktop.string());
    const std::string exec = DesktopValue(entry, "Exec");
    EXPECT_TRUE(fs::exists(prefix / "bin" / exec.substr(0, exec.find(' ')))) << exec;
    const std::string icon = DesktopValue(entry, "Icon");
    EXPECT_TRUE(fs::exists(prefix / "share/icons/hicolor/scalable/apps" / (icon + ".svg")))
        << '"' << icon << '"';
    EXPECT_EQ(DesktopValue(entry, "MimeType"), std::string(kFileType) + ";");
}

// The file type goes into a MIME database of its own, which Qt then reads as
// a desktop reads the installed one.
TEST_F(Install, FileTypeKnowsATextResourceFileByItsNameAndByItsContent) {
    if (!HaveCommand("update-mime-database"))
        GTEST_SKIP() << "update-mime-database (shared-mime-info) is missing";
    // Our database only, as the one a desktop looks in: update-mime-database
    // also warns of a folder it is not told of.
    const fs::path share = prefix / "share";
    fs::create_directory(work.Path() / "home");
    ::setenv("XDG_DATA_HOME", (work.Path() / "home").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", share.c_str(), 1);
    const Outcome updated =
        RunShell(work, "update-mime-database " + Quote((share / "mime").string()));
    ASSERT_EQ(updated.status, 0) << updated.err;
    EXPECT_EQ(updated.out + updated.err, "") << "the type reads without complaint";

    WriteBytes(work.File("mission.dat"), trsbytes::Header(4, 0));
    WriteBytes(work.File("notes.dat"), "Header(4, 0) is not the magic");
    WriteBytes(work.File("empty.trs"), "");

    const QMimeDatabase types;
    const auto typeOf = [&](const std::string& name, QMimeDatabase::MatchMode mode) {
        return types.mimeTypeForFile(QString::fromStdString(work.File(name)), mode).name();
    };
    EXPECT_EQ(typeOf("mission.dat", QMimeDatabase::MatchContent), kFileType);
    EXPECT_EQ(typeOf("mission.dat", QMimeDatabase::MatchDefault), kFileType);
    EXPECT_NE(typeOf("notes.dat", QMimeDatabase::MatchContent), kFileType);
    EXPECT_EQ(typeOf("empty.trs", QMimeDatabase::MatchExtension), kFileType);
    EXPECT_EQ(types.mimeTypeForName(kFileType).comment(), "Quern Document");
}
