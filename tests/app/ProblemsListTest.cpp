// The problems list as a user drives it: the Tools menu's Check and its
// options, the rows of each kind of finding, going to a finding's entry by
// position and into its field, F8 round the list, and the list going out of
// date after a change and being checked again after a save.

// Recordings of known levels; named before Qt makes "signals" a keyword.
#include "tool/Signals.h"
namespace tones = signals;

#include "LexariumView.h"
#include "ProblemsList.h"

#include "CheckOptionsDlg.h"
#include "EntryTree.h"
#include "FindingsModel.h"
#include "FormControls.h"
#include "LexariumAppFixture.h"
#include "LexariumView_Text.h"
#include "ProblemsPane.h"
#include "ResourceIds.h"
#include "common/FileContent.h"
#include "common/WavFile.h"
#include "check/RecordedList.h"
#include "check/Sha256.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

namespace {

struct Row {
    std::string kind, id, identifier, detail;
    bool operator==(const Row&) const = default;
};

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), qint64(bytes.size()));
}

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.kind << " | " << row.id << " | " << row.identifier << " | " << row.detail;
}

} // namespace

class ProblemsListTest : public LexariumAppFixture {
protected:
    ProblemsList& List() { return *Frame()->m_problems.List(); }
    CProblemsPane& Pane() { return *Frame()->m_problems.Pane(); }
    QTableView& Table() { return *Pane().Table(); }

    // Lets the running check end, as the event loop would.
    void WaitForCheck() {
        QElapsedTimer timer;
        timer.start();
        while (List().IsRunning() && timer.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(List().IsRunning()) << "the check did not end";
        Idle();
    }
    void Check() {
        ASSERT_TRUE(Frame()->ExecuteCommand(ID_TOOLS_CHECK));
        WaitForCheck();
    }
    std::vector<Row> Rows() {
        std::vector<Row> rows;
        const QAbstractItemModel* model = Table().model();
        for (int r = 0; r < model->rowCount(); ++r) {
            auto cell = [&](int column) {
                return model->index(r, column).data().toString().toStdString();
            };
            rows.push_back({cell(FindingsModel::ColumnKind), cell(FindingsModel::ColumnId),
                            cell(FindingsModel::ColumnIdentifier),
                            cell(FindingsModel::ColumnDetail)});
        }
        return rows;
    }
    std::int64_t CurrentPosition() {
        if (g_pTreeView->m_pCurrentEntry == nullptr)
            return -1;
        return Doc()->m_textResources.PositionOf(g_pTreeView->m_pCurrentEntry);
    }
    QWidget* FormField(int id) { return g_pTextView->GetDlgItem(id); }
    QString Open(TextResourceObject entries) {
        const QString path = WriteTrs("file.trs", entries);
        Start({path});
        Activate();
        return path;
    }
};

TEST_F(ProblemsListTest, ToolsBarAndViewMenuReachAPaneThatStartsHidden) {
    QToolBar* tools = Frame()->m_wndToolsBar.GetToolBar();
    ASSERT_NE(tools, nullptr);
    ASSERT_EQ(tools->actions().size(), 1);
    QAction* check = tools->actions()[0];
    EXPECT_EQ(check->property("cmdId").toUInt(), ID_TOOLS_CHECK);
    EXPECT_FALSE(check->icon().isNull());
    EXPECT_EQ(check->toolTip(), "Check");
    EXPECT_NE(tools, Frame()->m_wndToolBar.GetToolBar());

    EXPECT_TRUE(Pane().isHidden()) << "the window looks as it always did until the list is used";
    EXPECT_EQ(Frame()->dockWidgetArea(&Pane()), Qt::BottomDockWidgetArea);
    EXPECT_EQ(Pane().windowTitle(), "Problems");
    Frame()->ExecuteCommand(ID_VIEW_PROBLEMS);
    EXPECT_FALSE(Pane().isHidden());
    ShowMenu("&View");
    EXPECT_TRUE(Frame()->FindCommandAction(ID_VIEW_PROBLEMS)->isChecked());
    Pane().close(); // the pane's own close button
    ShowMenu("&View");
    EXPECT_FALSE(Frame()->FindCommandAction(ID_VIEW_PROBLEMS)->isChecked());

    // Checking shows it again, with the count in its title.
    Open(MakeEntries({{.id = 1, .identifier = "A", .text = "one"}}));
    Check();
    EXPECT_FALSE(Pane().isHidden());
    EXPECT_EQ(Pane().windowTitle(), "Problems (0)");
    EXPECT_EQ(Pane().StateLine()->text(), "No problems found.");
}

TEST_F(ProblemsListTest, RowsShowEachKindOfFindingAsCheckWordsThemWithRecordingsWhenChosen) {
    const QString folder = Path("mission");
    QDir().mkpath(folder);
    WriteFile(folder + "/a.wav", MakeWav(500));
    WriteFile(folder + "/b.wav", MakeWav(500));
    WriteFile(folder + "/spare.wav", MakeWav(500));
    Open(MakeEntries({
        {.id = 1, .identifier = "A", .audioFile = "a.wav", .text = "one", .lengthMs = 500},
        {.id = 1, .identifier = "B", .audioFile = "B.wav", .text = "", .lengthMs = 500},
        {.id = 3, .identifier = "A", .audioFile = "missing.wav", .lengthMs = 500},
        {.id = 4, .audioFile = "a.wav", .text = "four", .lengthMs = 500},
    }));
    app->m_strMissionFolder = folder;

    Check();
    const std::vector<Row> withoutRecordings = {
        {"duplicate-id", "1", "B", "the same id as the entry at position 0"},
        {"empty-text", "1", "B", "the text is empty"},
        {"duplicate-identifier", "3", "A", "the same identifier as the entry at position 0"},
        {"placeholder", "3", "A", "the text is still \"leer\""},
        {"placeholder", "4", "UNBENANNT", "the identifier is still \"UNBENANNT\""},
    };
    EXPECT_EQ(Rows(), withoutRecordings);
    EXPECT_EQ(Pane().windowTitle(), "Problems (5)");

    // Check Options turns the recordings on, and the choice is kept.
    prompts->DriveDialog([](CDialog& dlg) {
        auto& options = dynamic_cast<CCheckOptionsDlg&>(dlg);
        EXPECT_FALSE(options.m_btnRecordings.GetCheck());
        EXPECT_TRUE(options.GetDlgItemText(IDC_CHECK_FOLDER).contains("mission"));
        static_cast<QAbstractButton*>(options.GetDlgItem(IDC_CHECK_RECORDINGS))->click();
        static_cast<QAbstractButton*>(options.GetDlgItem(IDOK))->click();
    });
    Frame()->ExecuteCommand(ID_TOOLS_CHECK_OPTIONS);
    EXPECT_TRUE(Settings().value("Check Options/Recordings").toBool());
    Check();
    const std::vector<Row> rows = Rows();
    std::vector<std::string> kinds;
    for (const Row& row : rows)
        kinds.push_back(row.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"duplicate-id", "empty-text", "case-mismatch",
                                               "duplicate-identifier", "placeholder",
                                               "missing-audio", "placeholder", "unused-audio"}));
    EXPECT_EQ(rows.back(),
              (Row{"unused-audio", "", "", "\"spare.wav\" is not the recording of any entry"}));
    EXPECT_EQ(rows[5], (Row{"missing-audio", "3", "A", "\"missing.wav\" is not in the folder"}));

    // A restart keeps the choice.
    Start({});
    prompts->DriveDialog([](CDialog& dlg) {
        EXPECT_TRUE(dynamic_cast<CCheckOptionsDlg&>(dlg).m_btnRecordings.GetCheck());
        dlg.EndDialog(IDCANCEL);
    });
    Frame()->ExecuteCommand(ID_TOOLS_CHECK_OPTIONS);
}

TEST_F(ProblemsListTest, AFindingLeadsToItsEntryByPositionAndIntoItsFieldWhenIdsRepeat) {
    Open(MakeEntries({
        {.id = 7, .identifier = "FIRST", .text = "one"},
        {.id = 7, .identifier = "SECOND", .text = "two"},
        {.id = 8, .identifier = "THIRD", .text = ""},
    }));
    Check();
    ASSERT_EQ(Rows().size(), 2u);

    // Enter on the duplicate id: the second of the two entries with id 7.
    Table().setFocus();
    Pane().SetCurrentRow(0);
    QTest::keyClick(&Table(), Qt::Key_Return);
    EXPECT_EQ(CurrentPosition(), 1);
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), "SECOND");
    EXPECT_EQ(QApplication::focusWidget(), FormField(IDC_ID));

    // A double-click on the empty text.
    const QRect cell = Table().visualRect(Table().model()->index(1, FindingsModel::ColumnDetail));
    QTest::mouseClick(Table().viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(Table().viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(CurrentPosition(), 2);
    EXPECT_EQ(QApplication::focusWidget(), FormField(IDC_TEXT));
    EXPECT_FALSE(Doc()->IsModified()) << "going to a finding changes nothing";
}

TEST_F(ProblemsListTest, TheTreeFilterShowsTheEntriesWithAFinding) {
    Open(MakeEntries({
        {.id = 1, .identifier = "A", .text = ""},
        {.id = 2, .identifier = "B", .text = "fine"},
        {.id = 3, .identifier = "C", .text = "leer"},
    }));
    Check();
    auto* tree = dynamic_cast<CLexariumView*>(g_pTreeView);
    ASSERT_NE(tree, nullptr);
    tree->FilterField()->setText(QStringLiteral("problem:"));
    tree->ApplyFilter();
    const QModelIndex root = tree->GetModel().RootIndex();
    QStringList shown;
    for (int row = 0; row < tree->GetModel().rowCount(root); ++row)
        shown << tree->GetModel().index(row, 0, root).data().toString();
    EXPECT_EQ(shown, (QStringList{"A", "C"}));
}

TEST_F(ProblemsListTest, F8GoesRoundTheFindingsAndSaysSoWhereItWraps) {
    Open(MakeEntries({
        {.id = 1, .identifier = "A", .text = ""},
        {.id = 2, .identifier = "B", .text = "fine"},
        {.id = 1, .identifier = "C", .text = "leer"},
    }));
    // F8 on a list never checked checks first, then goes on.
    ASSERT_TRUE(Frame()->TranslateAccelerator(QKeyCombination(Qt::NoModifier, Qt::Key_F8)));
    WaitForCheck();
    // empty-text of 0, duplicate-id and placeholder of 2
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(CurrentPosition(), 0);
    EXPECT_EQ(Pane().CurrentRow(), 0);

    auto press = [&](Qt::KeyboardModifiers modifiers) {
        Frame()->TranslateAccelerator(QKeyCombination(modifiers, Qt::Key_F8));
        Idle();
        return std::pair(Pane().CurrentRow(), Frame()->GetMessageText());
    };
    EXPECT_EQ(press(Qt::NoModifier), std::pair(1, QString("Ready")));
    EXPECT_EQ(CurrentPosition(), 2);
    EXPECT_EQ(QApplication::focusWidget(), FormField(IDC_ID));
    EXPECT_EQ(press(Qt::NoModifier).first, 2) << "the second finding of the same entry";
    EXPECT_EQ(QApplication::focusWidget(), FormField(IDC_TEXT));
    EXPECT_EQ(press(Qt::NoModifier),
              std::pair(0, QString("Passed the last problem: continued from the first.")));
    EXPECT_EQ(CurrentPosition(), 0);
    EXPECT_EQ(press(Qt::ShiftModifier),
              std::pair(2, QString("Passed the first problem: continued from the last.")));
    EXPECT_EQ(CurrentPosition(), 2);
    // The line stays over a menu and goes with the next selection.
    ShowMenu("&Tools");
    EXPECT_EQ(Frame()->GetMessageText(), "Passed the first problem: continued from the last.");
    g_pTreeView->SelectEntryById(2);
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");

    // From an entry chosen in the tree, F8 goes to the next entry with a finding.
    EXPECT_EQ(press(Qt::NoModifier).first, 1);
    EXPECT_EQ(CurrentPosition(), 2);
    EXPECT_TRUE(prompts->prompts.empty());
}

TEST_F(ProblemsListTest, AnEditPutsTheListOutOfDateAndASaveChecksAgain) {
    const QString path = Open(MakeEntries({
        {.id = 1, .identifier = "A", .text = ""},
        {.id = 2, .identifier = "B", .text = "leer"},
        {.id = 3, .identifier = "C", .text = ""},
    }));
    Check();
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_TRUE(Pane().CheckButton()->isHidden());

    // Typing into the text of the first entry.
    g_pTreeView->SelectEntryById(1);
    QWidget* text = FormField(IDC_TEXT);
    text->setFocus();
    QTest::keyClicks(text, "Hi");
    Idle();
    EXPECT_EQ(List().GetState(), ProblemsList::State::OutOfDate);
    EXPECT_EQ(Pane().windowTitle(), "Problems (3, out of date)");
    EXPECT_EQ(Pane().StateLine()->text(),
              "Out of date: the entries have changed since this check.");
    EXPECT_FALSE(Pane().CheckButton()->isHidden());
    EXPECT_EQ(Pane().CheckButton()->text(), "Check again");

    // Deleting the second entry drops its finding; the one after it still
    // leads to its own entry.
    g_pTreeView->SelectEntryById(2);
    Frame()->ExecuteCommand(ID_ENTRY_DELETE);
    ASSERT_EQ(Rows().size(), 2u);
    Frame()->m_problems.GoToFinding(1);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->id, 3u);

    // Saving checks again by itself.
    prompts->AnswerFile(path);
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    WaitForCheck();
    EXPECT_EQ(List().GetState(), ProblemsList::State::Current);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"empty-text", "3", "C", "the text is empty"}}));
    EXPECT_EQ(Pane().windowTitle(), "Problems (1)");

    // Opening another file empties the list: none of it is about that file.
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(List().GetState(), ProblemsList::State::NotChecked);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(ProblemsListTest, CheckOptionsKeepThePaceAndTheLevelsAndTheListShowsTheirFindings) {
    using tones::kNormal;
    using tones::WriteSignal;
    const std::string folder = dir.File("voices");
    WriteSignal(folder + "/good.wav", {{2.0, kNormal}});
    WriteSignal(folder + "/fast.wav", {{1.0, kNormal}});
    WriteSignal(folder + "/clipped.wav", {{1.5, kNormal}, {0.002, 1.0}, {1.5, kNormal}});
    WriteSignal(folder + "/lead.wav", {{1.5, 0.0}, {2.0, kNormal}});
    WriteSignal(folder + "/quiet.wav", {{3.0, kNormal / std::sqrt(10.0)}}); // 10 LU quieter
    WriteSignal(folder + "/rate.wav", {{3.0, kNormal}}, 44100);
    WriteSignal(folder + "/edited.wav", {{2.0, kNormal}});
    WriteSignal(folder + "/retake.wav", {{2.0, kNormal}});
    const TextResourceObject entries = MakeEntries({
        {.id = 1, .identifier = "GOOD", .audioFile = "good.wav", .text = "fine", .lengthMs = 2000},
        {.id = 2, .identifier = "FAST", .audioFile = "fast.wav", .text = std::string(30, 'a'),
         .lengthMs = 1000},
        {.id = 3, .identifier = "CLIPPED", .audioFile = "clipped.wav", .text = "c",
         .lengthMs = 3002},
        {.id = 4, .identifier = "LEAD", .audioFile = "lead.wav", .text = "l", .lengthMs = 3500},
        {.id = 5, .identifier = "QUIET", .audioFile = "quiet.wav", .text = "q", .lengthMs = 3000},
        {.id = 6, .identifier = "RATE", .audioFile = "rate.wav", .text = "r", .lengthMs = 3000},
        {.id = 7, .identifier = "EDITED", .audioFile = "edited.wav", .text = "now",
         .lengthMs = 2000},
        {.id = 8, .identifier = "RETAKE", .audioFile = "retake.wav", .text = "t",
         .lengthMs = 2000},
    });
    // The recorded list: GOOD as it is, EDITED from another text, RETAKE from other bytes.
    auto listed = [&](std::uint32_t position, const std::string& text, const std::string& audio) {
        TextResourceEntry entry = *entries.GetEntry(position);
        entry.text = text;
        std::string hash, reason;
        EXPECT_TRUE(check::Sha256OfFile(folder + "/" + entry.audioFile, hash, reason));
        return check::RecordedLine{entry.identifier, entry.id, entry.audioFile,
                                   check::TextSha256(entry), 2000,
                                   audio.empty() ? hash : check::Sha256Hex(audio),
                                   "2026-11-02T10:00:00Z"};
    };
    WriteFile(Path("file.recorded.tsv"),
              check::FormatRecordedList({listed(0, "fine", ""), listed(6, "before", ""),
                                         listed(7, "t", "other bytes")}));
    Open(entries);
    app->m_strMissionFolder = QString::fromStdString(folder);

    auto field = [](CDialog& dlg, int id) { return qobject_cast<QLineEdit*>(dlg.GetDlgItem(id)); };
    auto button = [](CDialog& dlg, int id) {
        return static_cast<QAbstractButton*>(dlg.GetDlgItem(id));
    };
    // The defaults: the pace at 20, the levels off and closed until the recordings are on.
    prompts->DriveDialog([&](CDialog& dlg) {
        EXPECT_TRUE(button(dlg, IDC_CHECK_PACE)->isChecked());
        EXPECT_EQ(field(dlg, IDC_CHECK_MAX_CPS)->text(), "20");
        EXPECT_FALSE(button(dlg, IDC_CHECK_LEVELS)->isChecked());
        EXPECT_FALSE(button(dlg, IDC_CHECK_LEVELS)->isEnabled());
        EXPECT_EQ(field(dlg, IDC_CHECK_MAX_SILENCE)->text(), "1000");
        EXPECT_EQ(field(dlg, IDC_CHECK_LOUDNESS)->text(), "-23");
        EXPECT_EQ(field(dlg, IDC_CHECK_TOLERANCE)->text(), "3");
        EXPECT_FALSE(field(dlg, IDC_CHECK_LOUDNESS)->isEnabled());
        button(dlg, IDC_CHECK_RECORDINGS)->click();
        button(dlg, IDC_CHECK_LEVELS)->click();
        EXPECT_TRUE(field(dlg, IDC_CHECK_LOUDNESS)->isEnabled());
        // A limit that is no number is refused and the dialog stays.
        field(dlg, IDC_CHECK_MAX_CPS)->selectAll();
        QTest::keyClicks(field(dlg, IDC_CHECK_MAX_CPS), "fast");
        button(dlg, IDOK)->click();
        EXPECT_TRUE(dlg.isVisible());
        field(dlg, IDC_CHECK_MAX_CPS)->selectAll();
        QTest::keyClicks(field(dlg, IDC_CHECK_MAX_CPS), "12,5");
        button(dlg, IDOK)->click();
    });
    Frame()->ExecuteCommand(ID_TOOLS_CHECK_OPTIONS);
    EXPECT_EQ(prompts->Messages(),
              std::vector<CString>{"Enter a decimal number above 0 for the characters per second."});
    EXPECT_EQ(Settings().value("Check Options/Max characters per second").toDouble(), 12.5);
    EXPECT_TRUE(Settings().value("Check Options/Levels").toBool());

    Check();
    std::vector<std::string> kinds;
    for (const Row& row : Rows())
        kinds.push_back(row.kind + " " + row.identifier);
    EXPECT_EQ(kinds, (std::vector<std::string>{"too-fast FAST", "clipped CLIPPED", "silence LEAD",
                                               "loudness QUIET", "format-differs RATE",
                                               "text-changed EDITED", "new-take RETAKE"}));
    EXPECT_EQ(Rows()[0].detail, "30.0 characters per second, above 12.5");

    // A restart keeps every choice; closing a check's field keeps its number.
    Start({});
    prompts->DriveDialog([&](CDialog& dlg) {
        EXPECT_EQ(field(dlg, IDC_CHECK_MAX_CPS)->text(), "12.5");
        EXPECT_TRUE(button(dlg, IDC_CHECK_LEVELS)->isChecked());
        EXPECT_TRUE(field(dlg, IDC_CHECK_MAX_SILENCE)->isEnabled());
        button(dlg, IDC_CHECK_PACE)->click();
        EXPECT_FALSE(field(dlg, IDC_CHECK_MAX_CPS)->isEnabled());
        button(dlg, IDOK)->click();
    });
    Frame()->ExecuteCommand(ID_TOOLS_CHECK_OPTIONS);
    EXPECT_FALSE(Settings().value("Check Options/Pace").toBool());
    EXPECT_EQ(Settings().value("Check Options/Max characters per second").toDouble(), 12.5);
}
