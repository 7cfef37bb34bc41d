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
#include "testdata/TestData.h"

#include <QAbstractButton>
#include <QBrush>
#include <QPalette>
#include <QProgressBar>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <chrono>
#include <cstdio>
#include <thread>

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
        ASSERT_TRUE(QTest::qWaitFor([this] { return !List().IsRunning(); }, 20000))
            << "the check did not end";
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

namespace {

// Typical entries, some of which have an empty text (a finding each).
TextResourceObject TypicalWithEmptyTexts(std::uint32_t count,
                                         std::initializer_list<std::uint32_t> empty) {
    TextResourceObject entries = testdata::MakeTypicalCollection(count);
    for (std::uint32_t position : empty)
        entries.GetEntry(position)->text.clear();
    return entries;
}

} // namespace

// A check of many entries goes on while the event loop runs; this lets it
// run one pass of the loop after the progress delay, so that it has started
// and shows its progress but cannot have ended.
class ProblemsListRunningTest : public ProblemsListTest {
protected:
    // Opens many entries, written in one go.
    void OpenMany(TextResourceObject entries) {
        const QString path = Path("many.trs");
        WriteFile(path, testdata::ToFileBytes(entries));
        // Typical lines are spoken faster than the pace check allows; only
        // the checks of the entries themselves are looked at here.
        Settings().setValue("Check Options/Pace", false);
        Start({path});
        Activate();
    }
    void StartWithoutEnding() {
        ASSERT_TRUE(Frame()->ExecuteCommand(ID_TOOLS_CHECK));
        std::this_thread::sleep_for(std::chrono::milliseconds(CProblemsPane::kProgressDelayMs + 100));
        QCoreApplication::processEvents();
        ASSERT_TRUE(List().IsRunning());
    }
    // Lets everything that was posted arrive, also from threads that were cancelled.
    void Settle() {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        Idle();
    }
    // Each finding about an entry names the entry at its position.
    void ExpectFindingsNameTheirEntries() {
        for (const check::Finding& finding : List().Findings()) {
            if (!finding.OfEntry())
                continue;
            const TextResourceEntry* entry = Doc()->m_textResources.GetEntry(finding.position);
            ASSERT_NE(entry, nullptr) << finding.kind << " at " << finding.position;
            EXPECT_EQ(entry->identifier, finding.identifier) << finding.kind;
            EXPECT_EQ(entry->id, finding.id) << finding.kind;
        }
    }
};

TEST_F(ProblemsListRunningTest, CancelStopsTheCheckAndTheListSaysSoWithoutStaleRows) {
    OpenMany(TypicalWithEmptyTexts(100000, {7, 99000}));
    StartWithoutEnding();
    EXPECT_FALSE(Pane().CancelButton()->isHidden());
    EXPECT_FALSE(Pane().ProgressBar()->isHidden());
    EXPECT_TRUE(Pane().StateLine()->text().startsWith("Checking"));

    QTest::mouseClick(Pane().CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(List().IsRunning());
    Settle();
    EXPECT_EQ(List().GetState(), ProblemsList::State::NotChecked);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Pane().windowTitle(), "Problems");
    EXPECT_EQ(Pane().StateLine()->text(), "The check was cancelled.");
    EXPECT_TRUE(Pane().CancelButton()->isHidden());
    EXPECT_FALSE(Pane().CheckButton()->isHidden());
    EXPECT_EQ(Frame()->GetMessageText(), "The check was cancelled.");

    // A whole check, an edit, and a check again that is cancelled: the rows
    // of the last whole check stay, greyed and out of date.
    Check();
    ASSERT_EQ(Rows().size(), 2u);
    Frame()->m_problems.GoToFinding(0);
    QWidget* text = FormField(IDC_TEXT);
    QTest::keyClicks(text, "Hi");
    Idle();
    StartWithoutEnding();
    QTest::mouseClick(Pane().CancelButton(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(List().GetState(), ProblemsList::State::OutOfDate);
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Pane().windowTitle(), "Problems (2, out of date)");
    EXPECT_EQ(Pane().StateLine()->text(), "The check was cancelled. Out of date: the entries have "
                                          "changed since this check.");
    EXPECT_EQ(Table().model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>(),
              QApplication::palette().brush(QPalette::Disabled, QPalette::Text));
}

TEST_F(ProblemsListRunningTest, ChangesWhileItRunsLeaveItsResultOutOfDateButOnTheRightEntries) {
    // Empty texts before and far after where the check can be when the entries change.
    OpenMany(TypicalWithEmptyTexts(100000, {3, 10, 70000, 90000}));
    auto* tree = dynamic_cast<CLexariumView*>(g_pTreeView);
    ASSERT_NE(tree, nullptr);
    StartWithoutEnding();

    // Delete an entry the check has already been given, and one it has not.
    ASSERT_TRUE(tree->SelectEntryAt(3));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_DELETE));
    ASSERT_TRUE(tree->SelectEntryAt(69999));
    ASSERT_EQ(g_pTreeView->m_pCurrentEntry->id, 70001u);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_DELETE));
    // A new entry, with a placeholder identifier of its own, and an edit far ahead.
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_NEW));
    ASSERT_TRUE(tree->SelectEntryAt(50000));
    QTest::keyClicks(FormField(IDC_TEXT), "x");
    ASSERT_TRUE(List().IsRunning());

    WaitForCheck();
    EXPECT_EQ(List().GetState(), ProblemsList::State::OutOfDate);
    EXPECT_EQ(Pane().windowTitle(), "Problems (2, out of date)");
    ExpectFindingsNameTheirEntries();
    EXPECT_EQ(Rows(), (std::vector<Row>{
                          {"empty-text", "11", "M10_DIALOG_00000010", "the text is empty"},
                          {"empty-text", "90001", "M00_DIALOG_00090000", "the text is empty"},
                      }));
    // The last one leads to its own entry, now two places up.
    Frame()->m_problems.GoToFinding(1);
    EXPECT_EQ(CurrentPosition(), 89998);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->id, 90001u);

    // Checking again gives the findings of the entries as they are now.
    Check();
    EXPECT_EQ(List().GetState(), ProblemsList::State::Current);
    ExpectFindingsNameTheirEntries();
    std::vector<std::string> kinds;
    for (const Row& row : Rows())
        kinds.push_back(row.kind + " " + row.id);
    EXPECT_EQ(kinds, (std::vector<std::string>{"empty-text 11", "empty-text 90001",
                                               "placeholder 100001", "placeholder 100001"}));
}

namespace {

// lexarium-tool check's lines for the file against the reference, as rows:
// kind, id, identifier, detail ("-" for none, as the tool prints it).
std::vector<Row> ToolRows(const QString& file, const QString& reference) {
    const std::string command = std::string("'") + LEXARIUM_TOOL_PATH + "' check '" +
                                file.toStdString() + "' --reference '" +
                                reference.toStdString() + "' 2>/dev/null";
    std::vector<Row> rows;
    std::FILE* output = ::popen(command.c_str(), "r");
    if (output == nullptr)
        return rows;
    char line[4096] = {};
    while (std::fgets(line, sizeof line, output) != nullptr) {
        const QStringList cells = QString::fromUtf8(line).chopped(1).split('\t');
        if (cells.size() == 5)
            rows.push_back({cells[0].toStdString(), cells[2] == "-" ? "" : cells[2].toStdString(),
                            cells[3].toStdString(), cells[4].toStdString()});
    }
    ::pclose(output);
    return rows;
}

} // namespace

TEST_F(ProblemsListTest, WithAReferenceOpenTheCheckListsWhatDiffersFromItAsTheToolDoes) {
    const QString file = Open(MakeEntries({
        {.id = 1, .identifier = "GREETING", .text = "Hallo, du hast %d Punkte <b>"},
        {.id = 2, .identifier = "FAREWELL", .text = "Bye"},
        {.id = 3, .identifier = "EXTRA", .text = "Nur hier"},
        {.id = 4, .identifier = "FINE", .text = "Gut {0}"},
    }));
    TextResourceObject source = MakeEntries({
        {.id = 1, .identifier = "GREETING", .text = "Hello %s, you have %d points"},
        {.id = 2, .identifier = "FAREWELL", .text = "Bye"},
        {.id = 9, .identifier = "MISSING", .text = "Only there"},
        {.id = 4, .identifier = "FINE", .text = "Good {0}"},
    });
    const QString reference = WriteTrs("source.trs", source);
    Check();
    EXPECT_TRUE(Rows().empty()) << "without a reference, nothing to compare";

    // Opening the reference puts the list out of date, and says why.
    prompts->AnswerFile(reference);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_TOOLS_REFERENCE));
    Idle();
    EXPECT_EQ(List().GetState(), ProblemsList::State::OutOfDate);
    EXPECT_EQ(Pane().StateLine()->text(),
              "Out of date: the reference file has changed since this check.");

    Check();
    const std::vector<Row> rows = Rows();
    std::vector<std::string> kinds;
    for (const Row& row : rows)
        kinds.push_back(row.kind + " " + row.identifier);
    EXPECT_EQ(kinds, (std::vector<std::string>{"placeholder-mismatch GREETING",
                                               "untranslated FAREWELL", "not-in-reference EXTRA",
                                               "missing-translation MISSING"}));
    EXPECT_EQ(rows, ToolRows(file, reference)) << "worded as lexarium-tool check words them";
    EXPECT_EQ(rows[3].id, "") << "not an entry of this file";

    // Enter on the untranslated text goes there; the missing one is not here.
    Table().setFocus();
    Pane().SetCurrentRow(1);
    QTest::keyClick(&Table(), Qt::Key_Return);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->identifier, "FAREWELL");
    EXPECT_EQ(QApplication::focusWidget(), FormField(IDC_TEXT));
    Frame()->m_problems.GoToFinding(3);
    EXPECT_EQ(Frame()->GetMessageText(),
              "This problem is about an entry of the reference file that this file lacks.");

    // Translating the text and checking again: the finding goes.
    QTest::keyClicks(FormField(IDC_TEXT), "-bye");
    Check();
    EXPECT_EQ(Rows().size(), 3u);

    // Another file closes the reference: its findings go with it.
    const QString other = WriteTrs("other.trs", source);
    prompts->AnswerMessage(IDNO); // not saved
    prompts->AnswerFile(other);
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    Check();
    EXPECT_EQ(Rows(), std::vector<Row>{});
}
