// The reference pane as a translator uses it: Tools' Open Reference, the
// current entry's counterpart shown whole and read-only, "Not in the
// reference file", the reference opened again with its file, a damaged or
// missing reference, and the pane closed and shown again from the View menu.

#include "ReferencePane.h"

#include "EditorFixture.h"
#include "ReferenceSettings.h"
#include "ResourceIds.h"
#include "common/FileContent.h"

#include <QFile>
#include <QSettings>

namespace {

class ReferencePaneTest : public EditorFixture {
protected:
    // The reference: "ID_1" with every field set, and an entry the edited file lacks.
    QString MakeReference(const std::string& name = "source.trs") {
        TextResourceObject entries = MakeEntries({
            {.id = 1,
             .identifier = "ID_1",
             .text = "Halt!\r\nWer da? \xC5\xBC\xC3\xB3\xC5\x82w",
             .comment = "shouted\r\nfrom the wall",
             .speaker = "Wache",
             .lengthMs = 2345},
            {.id = 9, .identifier = "ONLY_THERE", .text = "elsewhere"},
        });
        return WriteTrs(name, entries);
    }
    void OpenReference(const QString& path) {
        prompts->AnswerFile(path);
        ASSERT_TRUE(Frame()->ExecuteCommand(ID_TOOLS_REFERENCE));
        Idle();
    }
    CReferencePane& Pane() const { return *Frame()->GetReferencePane(); }
};

TEST_F(ReferencePaneTest, ShowsTheCounterpartWholeAndReadOnlyAndFollowsSelectionAndIdentifier) {
    EXPECT_TRUE(Pane().isHidden()) << "no reference, no pane";
    const QString reference = MakeReference();
    const QByteArray before = ReadFile(reference);
    OpenReference(reference);
    EXPECT_TRUE(prompts->prompts.back().open);
    EXPECT_TRUE(prompts->Messages().empty());
    ASSERT_FALSE(Pane().isHidden());
    EXPECT_EQ(Pane().FileLabel(), "source.trs");
    EXPECT_EQ(Pane().Message(), "No entry is selected.");

    Select(0);
    EXPECT_EQ(Pane().Message(), "");
    EXPECT_EQ(Pane().Text(), QString::fromUtf8("Halt!\nWer da? \u017C\u00F3\u0142w"));
    EXPECT_EQ(Pane().Speaker(), "Wache");
    EXPECT_EQ(Pane().Comment(), "shouted\nfrom the wall");
    EXPECT_EQ(Pane().Length(), "2345");
    EXPECT_TRUE(Pane().TextField()->isReadOnly());
    EXPECT_TRUE(Pane().TextField()->textInteractionFlags() & Qt::TextSelectableByKeyboard);

    Select(1);
    EXPECT_EQ(Pane().Message(), "Not in the reference file");
    EXPECT_EQ(Pane().Text(), "");

    // Renaming the entry to the reference's identifier finds it; any other name loses it.
    QWidget* identifier = FocusAll(IDC_IDENTIFIER);
    Type(identifier, "only_there");
    Idle();
    EXPECT_EQ(Pane().Text(), "elsewhere");
    Type(identifier, "X");
    Idle();
    EXPECT_EQ(Pane().Message(), "Not in the reference file");

    // Typing into the pane changes nothing, and the reference is never written.
    Select(0);
    QTest::keyClicks(Pane().TextField(), "typed");
    EXPECT_EQ(Pane().Text(), QString::fromUtf8("Halt!\nWer da? \u017C\u00F3\u0142w"));
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_EQ(ReadFile(reference), before);
}

TEST_F(ReferencePaneTest, IsRememberedForItsFileAndFollowsSaveAsNewAndOtherFiles) {
    const QString edited = Path("edit.trs");
    const QString reference = MakeReference();
    OpenReference(reference);

    Start({edited});
    Activate();
    ASSERT_NE(Frame()->GetReference(), nullptr) << "opened again with its file";
    EXPECT_FALSE(Pane().isHidden());
    Select(0);
    EXPECT_EQ(Pane().Length(), "2345");

    // Another file has none: the pane says so.
    const QString other = MakeTrs("other.trs", {"x"});
    prompts->AnswerFile(other);
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    Idle();
    EXPECT_EQ(Frame()->GetReference(), nullptr);
    EXPECT_EQ(Pane().Message(), "No reference file is open (Tools, Open Reference...).");

    // Back to the first: its reference again; saved under a new name, it goes along.
    prompts->AnswerFile(edited);
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    Idle();
    ASSERT_NE(Frame()->GetReference(), nullptr);
    prompts->AnswerFile(Path("copy.trs"));
    Frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    Idle();
    Frame()->ExecuteCommand(ID_FILE_NEW);
    Idle();
    EXPECT_EQ(Frame()->GetReference(), nullptr) << "a new file has no reference";
    Start({Path("copy.trs")});
    ASSERT_NE(Frame()->GetReference(), nullptr);
    EXPECT_EQ(Frame()->GetReference()->GetPath(), reference);
    EXPECT_TRUE(prompts->Messages().empty());
}

TEST_F(ReferencePaneTest, DamagedReferenceIsShownAsFarAsReadWithAWarningNamingTheDamage) {
    const QString reference = MakeReference();
    QByteArray bytes = ReadFile(reference);
    bytes.chop(20); // the second entry's record ends early
    QFile file(reference);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    OpenReference(reference);
    ASSERT_EQ(prompts->Messages().size(), 1u);
    const QString warning = prompts->Messages()[0];
    EXPECT_TRUE(warning.startsWith("The reference file source.trs did not load whole"))
        << warning.toStdString();
    EXPECT_TRUE(warning.contains("the data end inside it")) << warning.toStdString();
    EXPECT_FALSE(warning.contains("backup", Qt::CaseInsensitive)) << "it is never saved";
    Select(0);
    EXPECT_EQ(Pane().Speaker(), "Wache") << "the whole first entry is shown";
    EXPECT_EQ(ReadFile(reference), bytes);
}

TEST_F(ReferencePaneTest, MissingReferenceIsRefusedWithTheReasonAndARememberedOneGoneIsAHint) {
    OpenReference(Path("nowhere.trs"));
    EXPECT_EQ(prompts->Messages(),
              std::vector<CString>{QStringLiteral("The reference file %1 could not be opened. "
                                                  "The file is not there.")
                                       .arg(Path("nowhere.trs"))});
    EXPECT_EQ(Frame()->GetReference(), nullptr);

    const QString reference = MakeReference();
    OpenReference(reference);
    ASSERT_TRUE(QFile::remove(reference));
    prompts->Clear();
    Start({Path("edit.trs")});
    EXPECT_TRUE(prompts->Messages().empty()) << "no question the user must answer";
    EXPECT_TRUE(Frame()->GetMessageText().contains("could not be opened"));
}

TEST_F(ReferencePaneTest, ClosedPaneComesBackFromTheViewMenu) {
    OpenReference(MakeReference());
    ShowMenu("&View");
    QAction* toggle = Frame()->FindCommandAction(ID_VIEW_REFERENCE);
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isChecked());
    Pane().close();
    ShowMenu("&View");
    EXPECT_FALSE(toggle->isChecked());
    Frame()->ExecuteCommand(ID_VIEW_REFERENCE);
    EXPECT_FALSE(Pane().isHidden());
    Select(0);
    EXPECT_EQ(Pane().Length(), "2345");
}

TEST(ReferenceSettings, KeepsTheNewestPairsFirstUpToTheLimit) {
    TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("settings.ini")), QSettings::IniFormat);
    for (int i = 0; i < kRememberedReferences + 5; ++i)
        RememberReference(settings, QStringLiteral("/f/%1.trs").arg(i),
                          QStringLiteral("/r/%1").arg(i));
    RememberReference(settings, "/f/7.trs", "/r/new");
    EXPECT_EQ(RememberedReference(settings, "/f/7.trs"), "/r/new");
    EXPECT_EQ(RememberedReference(settings, "/f/104.trs"), "/r/104");
    EXPECT_EQ(RememberedReference(settings, "/f/4.trs"), "") << "the oldest went";
    EXPECT_EQ(RememberedReference(settings, "/f/5.trs"), "/r/5");
    RememberReference(settings, "/f/7.trs", "");
    EXPECT_EQ(RememberedReference(settings, "/f/7.trs"), "");
}

} // namespace
