// Saving through the editor's commands where the file needs care: a folder
// that takes no new file (as an ordinary user), a read-only file (as root too),
// a save that fails part-way on Exit, and the first save over a damaged file.

#include "EntryTree.h"
#include "LexariumAppFixture.h"
#include "ResourceIds.h"
#include "common/Environment.h"
#include "common/FileContent.h"
#include "common/Unprivileged.h"

#include <QDir>
#include <QRegularExpression>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Joined(const std::vector<CString>& texts) {
    QStringList list(texts.begin(), texts.end());
    return list.join(QStringLiteral(" / ")).toStdString();
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

class Saving : public LexariumAppFixture {
protected:
    void SetUp() override {
        ::chmod(dir.Path().c_str(), 0755);
        std::filesystem::create_directory(state);
        unprivileged::GiveAway(state);
        LexariumAppFixture::SetUp();
    }
    // Opens the file and changes the first entry's text.
    void OpenAndChange(const QString& path) {
        Start({path});
        ASSERT_GT(Doc()->m_textResources.GetEntryCount(), 0u);
        Doc()->m_textResources.GetEntry(0)->text = "changed";
        Doc()->SetModifiedFlag(true);
        prompts->Clear();
    }
    // Exit, answering Yes to the save question; what the user saw and whether
    // the window stayed open with the changes.
    std::string ExitSaving() {
        Frame()->show();
        prompts->AnswerMessage(IDYES);
        Frame()->ExecuteCommand(ID_APP_EXIT);
        return Joined(prompts->Messages()) + (Frame()->isVisible() ? " | open" : " | closed") +
               (Doc()->IsModified() ? " | modified" : " | saved");
    }
    QString Backups() const { return QString::fromStdString(state + "/lexarium/backups"); }

    std::string state = dir.File("state");
    Environment stateHome{"XDG_STATE_HOME", state};
};

} // namespace

TEST_F(Saving, AFileInAFolderThatTakesNoNewFileIsSavedOnExit) {
    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    std::filesystem::create_directory(dir.File("fixed"));
    const QString path = MakeTrs("fixed/doc.trs", {"one", "two"});
    unprivileged::GiveAway(path.toStdString());
    unprivileged::GiveAway(dir.File("fixed"));
    ::chmod(dir.File("fixed").c_str(), 0555);
    OpenAndChange(path);
    EXPECT_EQ(unprivileged::RunUnprivileged([&] { return ExitSaving(); }),
              "Änderungen in doc.trs speichern? | closed | saved");
    ::chmod(dir.File("fixed").c_str(), 0755);
    TextResourceObject saved;
    tsFileStream stream;
    ASSERT_EQ(stream.Open(QFile::encodeName(path).constData(), TS_OPEN_READ), 0);
    ASSERT_EQ(saved.Read(stream), 0);
    EXPECT_EQ(saved.GetEntry(0)->text, "changed");
    EXPECT_EQ(saved.GetEntry(1)->text, "two");
}

TEST_F(Saving, AFullDiskOnExitKeepsTheWindowTheChangesAndTheOldFile) {
    const QString path = MakeTrs("doc.trs", {"one"});
    // A second link: the file is written in place, after a copy of it was made.
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), dir.File("link.trs").c_str()), 0);
    const QByteArray before = ReadFile(path);
    OpenAndChange(path);
    for (std::uint32_t i = 0; i < 100; ++i)
        Doc()->m_textResources.AddEntry(TextResourceEntry{});
    const std::string seen = unprivileged::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return ExitSaving();
    });
    const QStringList copies = FilesIn(Backups());
    ASSERT_EQ(copies.size(), 1) << seen;
    const QString copy = Backups() + "/" + copies[0];
    EXPECT_EQ(seen,
              "Änderungen in doc.trs speichern? / An error accured while saving this file!\n" +
                  path.toStdString() +
                  ": the disk is full.\nThe file's previous content is kept in " +
                  copy.toStdString() + " | open | modified");
    EXPECT_EQ(ReadFile(path), before) << "the old content was put back";
    EXPECT_EQ(ReadFile(copy), before);
}

TEST_F(Saving, AReadOnlyFileAsksForANameAndIsNotReplacedEvenByRoot) {
    const QString path = MakeTrs("ro.trs", {"one"});
    const QByteArray before = ReadFile(path);
    ::chmod(QFile::encodeName(path).constData(), 0444);
    OpenAndChange(path);
    prompts->AnswerFile(path); // the user picks the same file again
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_EQ(prompts->prompts.size(), 2u);
    EXPECT_EQ(prompts->prompts[0].kind, RecordedPrompt::File) << "Save asks for a name";
    EXPECT_EQ(prompts->Messages(),
              std::vector<CString>{"An error accured while saving this file!\n" + path +
                                   ": the file is read-only.\nThe file that was there is "
                                   "unchanged."});
    EXPECT_EQ(ReadFile(path), before) << "the file is left as it was, and is not deleted";
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), path);
}

TEST_F(Saving, TheFirstSaveOverADamagedFileKeepsItsOriginalBytes) {
    const QString whole = MakeTrs("whole.trs", {"one"});
    OpenAndChange(whole);
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_TRUE(FilesIn(Backups()).isEmpty()) << "a file that loaded whole needs no copy";

    // Three entries promised, the last one cut short.
    QByteArray damaged = ReadFile(MakeTrs("damaged.trs", {"one", "two", "three"}));
    damaged.chop(7);
    const QString path = Path("damaged.trs");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(damaged);
    file.close();
    OpenAndChange(path);
    EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 3u);
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    Doc()->SetModifiedFlag(true);
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_TRUE(prompts->prompts.empty()) << "the load and the saves are silent";
    EXPECT_FALSE(Doc()->IsModified());
    const QStringList copies = FilesIn(Backups());
    ASSERT_EQ(copies.size(), 1) << "only the first save keeps a copy";
    EXPECT_TRUE(copies[0].startsWith("damaged.trs.")) << copies[0].toStdString();
    EXPECT_TRUE(copies[0].endsWith(".original.bak")) << copies[0].toStdString();
    EXPECT_EQ(ReadFile(Backups() + "/" + copies[0]), damaged);
}

TEST_F(Saving, OnlyALoadThatLostBytesKeepsTheOriginal) {
    const QByteArray whole = ReadFile(MakeTrs("whole.trs", {"one", "two"}));
    QByteArray foreign = whole;
    foreign.replace(0, 4, "NOTA");
    QByteArray newer = whole;
    newer[16] = 7; // the version
    QByteArray cut = whole;
    cut[cut.indexOf("\x03one") + 2] = '\0'; // "o", a zero byte, "e"
    QByteArray promised = whole;
    promised[20] = 3; // the count: three records
    const std::vector<std::tuple<std::string, QByteArray, bool>> cases = {
        {"foreign-magic", foreign, false},        {"newer-version", newer, false},
        {"trailing-bytes", whole + "tail", true}, {"zero-byte", cut, true},
        {"count-past-data", promised, true},
    };
    for (const auto& [name, bytes, kept] : cases) {
        SCOPED_TRACE(name);
        const QString path = Path(name + ".trs");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        OpenAndChange(path);
        Frame()->ExecuteCommand(ID_FILE_SAVE);
        EXPECT_FALSE(Doc()->IsModified());
        const QStringList copies =
            FilesIn(Backups()).filter(QRegularExpression("^" + QString::fromStdString(name)));
        ASSERT_EQ(copies.size(), kept ? 1 : 0);
        if (kept) {
            EXPECT_EQ(ReadFile(Backups() + "/" + copies[0]), bytes);
        }
    }
}

TEST_F(Saving, EveryFailedSaveSaysWhyAndNewOpenAndExitStay) {
    const QString folder = Path("folder.trs");
    std::filesystem::create_directory(folder.toStdString());
    const QString other = MakeTrs("other.trs", {"x"});
    Start({folder});
    Frame()->show();
    Frame()->ExecuteCommand(ID_ENTRY_NEW);
    ASSERT_TRUE(Doc()->IsModified());
    const std::string error =
        "An error accured while saving this file!\n" + folder.toStdString() + ": it is a folder.";

    // Save, then New, Open and Exit that each save first: every one says why
    // and leaves the document as it was.
    prompts->Clear();
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(Joined(prompts->Messages()), error);
    const std::pair<UINT, bool> commands[] = {
        {ID_FILE_NEW, false}, {ID_FILE_OPEN, true}, {ID_APP_EXIT, false}};
    for (const auto& [command, asksForAFile] : commands) {
        SCOPED_TRACE(command);
        prompts->Clear();
        if (asksForAFile)
            prompts->AnswerFile(other);
        prompts->AnswerMessage(IDYES);
        Frame()->ExecuteCommand(command);
        EXPECT_EQ(Joined(prompts->Messages()), "Änderungen in folder.trs speichern? / " + error);
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(Doc()->m_textResources.GetEntryCount(), 1u);
        EXPECT_EQ(Doc()->GetPathName(), folder);
        EXPECT_TRUE(Frame()->isVisible());
    }

    // Save As into a folder that is not there, or that takes no new file.
    prompts->Clear();
    prompts->AnswerFile(Path("gone/new.trs"));
    Frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(Joined(prompts->Messages()), "An error accured while saving this file!\n" +
                                               dir.File("gone/new.trs") + ": no such folder.");
    SKIP_UNLESS_UNPRIVILEGED_POSSIBLE();
    std::filesystem::create_directory(dir.File("fixed"));
    ::chmod(dir.File("fixed").c_str(), 0555);
    const std::string seen = unprivileged::RunUnprivileged([&] {
        prompts->Clear();
        prompts->AnswerFile(Path("fixed/new.trs"));
        Frame()->ExecuteCommand(ID_FILE_SAVE_AS);
        return Joined(prompts->Messages());
    });
    ::chmod(dir.File("fixed").c_str(), 0755);
    EXPECT_EQ(seen, "An error accured while saving this file!\n" + dir.File("fixed/new.trs") +
                        ": permission denied.");
}
