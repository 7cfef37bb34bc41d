// What the editor says about a file it cannot load, or loads but not whole:
// the load error names the file and the reason; a damaged file opens with one
// warning, worded as lexarium-tool check words its first problem, and the
// title marks it until it is saved.

#include "LexariumAppFixture.h"
#include "ResourceIds.h"
#include "common/Environment.h"
#include "common/FileContent.h"
#include "common/Unprivileged.h"
#include "testdata/TestData.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace {

class LoadMessages : public LexariumAppFixture {
protected:
    void SetUp() override {
        ::chmod(dir.Path().c_str(), 0755);
        LexariumAppFixture::SetUp();
    }
    QString Write(const std::string& name, const QByteArray& bytes) {
        const QString path = Path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }
    // The file's bytes without its last `cut` bytes, under a new name.
    QString Cut(const QString& whole, const std::string& name, int cut) {
        QByteArray bytes = ReadFile(whole);
        bytes.chop(cut);
        return Write(name, bytes);
    }
    std::string Title() const { return Frame()->windowTitle().toStdString(); }

    std::string state = dir.File("state");
    Environment stateHome{"XDG_STATE_HOME", state};
};

// The detail of the first finding that lexarium-tool check prints for the file.
std::string FirstCheckDetail(const QString& path) {
    const std::string command =
        std::string("'") + LEXARIUM_TOOL_PATH + "' check '" + path.toStdString() + "' 2>/dev/null";
    std::FILE* output = ::popen(command.c_str(), "r");
    if (output == nullptr)
        return "<no tool>";
    char line[4096] = {};
    const bool read = std::fgets(line, sizeof line, output) != nullptr;
    ::pclose(output);
    if (!read)
        return "<no finding>";
    std::string text = line;
    text = text.substr(text.rfind('\t') + 1);
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

} // namespace

TEST_F(LoadMessages, ALoadErrorNamesTheFileAndWhy) {
    std::filesystem::create_directory(dir.File("folder.trs"));
    const std::vector<std::pair<QString, std::string>> cases = {
        {Path("missing.trs"), "no such file"},
        {Path("gone/missing.trs"), "no such folder"},
        {Write("empty.trs", {}), "it is empty"},
        {Write("short.trs", QByteArray(10, 'x')), "it is too short (10 bytes)"},
        {Path("folder.trs"), "it is a folder"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(reason);
        Start({path});
        ASSERT_TRUE(started);
        EXPECT_EQ(prompts->Messages(),
                  std::vector<CString>{"An error accured while loading this file!\n" + path + ": " +
                                       QString::fromStdString(reason) + "."});
        EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 0u);
        // A file cut short holds bytes that a save would lose; an empty one, none.
        const bool damaged = reason.starts_with("it is too short");
        EXPECT_EQ(Title(), QFileInfo(path).fileName().toStdString() +
                               (damaged ? " [damaged]" : "") + " - Vantor Textresource Editor");
    }

    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    const QString locked = MakeTrs("locked.trs", {"one"});
    ::chmod(QFile::encodeName(locked).constData(), 0);
    Start({});
    prompts->Clear();
    const std::string seen = unprivileged::RunUnprivileged([&] {
        prompts->AnswerFile(locked);
        Frame()->ExecuteCommand(ID_FILE_OPEN);
        return prompts->Messages().empty() ? std::string() : prompts->Messages()[0].toStdString();
    });
    EXPECT_EQ(seen, "An error accured while loading this file!\n" + locked.toStdString() +
                        ": permission denied.");
}

TEST_F(LoadMessages, ADamagedFileWarnsOnceAsCheckWordsItAndIsMarkedUntilSaved) {
    const QString whole = MakeTrs("whole.trs", {"one", "two", "three"});
    const QString path = Cut(whole, "cut.trs", 7); // the last text cut short
    Start({path});
    ASSERT_TRUE(started);
    ASSERT_EQ(prompts->Messages().size(), 1u);
    EXPECT_EQ(prompts->prompts[0].type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
    const std::string warning = prompts->Messages()[0].toStdString();
    const std::string detail = FirstCheckDetail(path);
    EXPECT_EQ(warning, "cut.trs is damaged: position 2 (id 3, \"ID_3\"): " + detail +
                           ".\n2 of its 3 entries were read whole.\nThe first save keeps the "
                           "original bytes in the backups folder, " +
                           state + "/lexarium/backups.");
    EXPECT_EQ(Title(), "cut.trs [damaged] - Vantor Textresource Editor");
    EXPECT_FALSE(Doc()->IsModified()) << "nothing else changes";

    prompts->Clear();
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_TRUE(prompts->Messages().empty());
    EXPECT_EQ(Title(), "cut.trs - Vantor Textresource Editor") << "saved: the file is whole now";

    Start({path});
    EXPECT_TRUE(prompts->Messages().empty()) << "it loads whole after the save";
    Start({Cut(whole, "again.trs", 7)});
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(Title(), "Unbenannt - Vantor Textresource Editor") << "closed: no mark";
}

TEST_F(LoadMessages, OnlyALoadThatLosesBytesWarns) {
    const QByteArray whole = ReadFile(MakeTrs("whole.trs", {"one", "two"}));
    QByteArray foreign = whole;
    foreign.replace(0, 4, "\x89PNG");
    QByteArray promised = whole;
    promised[20] = 3; // the count: three records
    // A picture renamed: its bytes read as a huge count of records that are not there.
    const QByteArray png =
        QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR\x00\x00\x01\x00\x00\x00\x01\x00", 24) +
        "junkjunk";
    const std::vector<std::tuple<std::string, QByteArray, std::string>> cases = {
        {"foreign-magic", foreign, ""},
        {"trailing-bytes", whole + "tail", "4 bytes follow the last record"},
        {"count-past-data", promised, "the count promises 3 entries but the data hold 2 records"},
        {"junk", png, "the count promises 65536 entries"},
    };
    for (const auto& [name, bytes, problem] : cases) {
        SCOPED_TRACE(name);
        Start({Write(name + ".trs", bytes)});
        if (problem.empty()) {
            EXPECT_TRUE(prompts->Messages().empty());
            EXPECT_EQ(Title(), name + ".trs - Vantor Textresource Editor");
            continue;
        }
        ASSERT_EQ(prompts->Messages().size(), 1u);
        const QString warning = prompts->Messages()[0];
        EXPECT_TRUE(
            warning.startsWith(QString::fromStdString(name + ".trs is damaged: " + problem)))
            << warning.toStdString();
        EXPECT_EQ(Title(), name + ".trs [damaged] - Vantor Textresource Editor");
    }
}

TEST_F(LoadMessages, AMillionEntriesCutShortWarnAtOnce) {
    const std::string whole = dir.File("million.trs");
    {
        TextResourceObject entries = testdata::MakeTypicalCollection(1000000);
        tsFileStream stream;
        ASSERT_EQ(stream.Open(whole.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE), 0);
        ASSERT_EQ(entries.Write(stream), 0);
    }
    std::filesystem::resize_file(whole, std::filesystem::file_size(whole) - 5);
    QElapsedTimer timer;
    timer.start();
    Start({QString::fromStdString(whole)});
    const qint64 elapsed = timer.elapsed();
    ASSERT_EQ(prompts->Messages().size(), 1u);
    const std::string warning = prompts->Messages()[0].toStdString();
    EXPECT_EQ(warning.substr(0, warning.find('\n')),
              "million.trs is damaged: position 999999 (id " +
                  std::to_string(Doc()->m_textResources.GetEntry(999999)->id) + ", \"" +
                  Doc()->m_textResources.GetEntry(999999)->identifier +
                  "\"): " + FirstCheckDetail(QString::fromStdString(whole)) + ".");
    EXPECT_NE(warning.find("999999 of its 1000000 entries were read whole."), std::string::npos)
        << warning;
    std::printf("a million entries cut short: opened with the warning in %lld ms\n",
                static_cast<long long>(elapsed));
    EXPECT_LT(elapsed, 10000);
}
