// The filter above the entry tree, as a user types into it: words and the
// prefixes narrow the tree, the root counts, new entries and search hits stay
// visible, and an empty filter gives back exactly the unfiltered tree.

#include "EditorFixture.h"
#include "ResourceIds.h"
#include "SearchDlg.h"

#include <QAbstractButton>

class TreeFilterTest : public EditorFixture {
protected:
    void SetUp() override {
        Settings().clear();
        TextResourceObject entries = MakeEntries({
            {.id = 1, .identifier = "GATE_GUARD", .text = "Halt! Wer da?", .speaker = "Wache"},
            {.id = 2,
             .identifier = "CAPTAIN_ORDER",
             .text = "Zum Tor, schnell!",
             .speaker = "Captain Vale"},
            {.id = 3,
             .identifier = "CAPTAIN_END",
             .text = "Der KAPITÄN spricht.",
             .comment = "last line",
             .speaker = "Captain Vale"},
            {.id = 7,
             .identifier = "SCOUT",
             .audioFile = "scout_01.wav",
             .text = "Spuren im Schnee",
             .speaker = "Späher"},
        });
        Start({WriteTrs("filter.trs", entries)});
        Activate();
    }
    // Types into the filter field as the user does and waits out the pause.
    void Filter(const QString& text) {
        QLineEdit* field = View().FilterField();
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        Type(field, text);
        QTest::qWait(200);
        WaitForFilter();
    }
    // The folded text is built on a thread; the filter applies when it is back.
    void WaitForFilter() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !View().IsPreparingFilter(); }, 10000));
        Idle();
    }
    // The identifiers the tree shows, in order.
    QStringList Shown() const {
        QStringList labels;
        const QModelIndex root = View().GetModel().RootIndex();
        for (int row = 0; row < View().GetModel().rowCount(root); ++row)
            labels << View().GetModel().index(row, 0, root).data().toString();
        return labels;
    }
    QString RootLabel() const { return View().GetModel().RootIndex().data().toString(); }
};

TEST_F(TreeFilterTest, WordsAndPrefixesNarrowTheTreeAndTheRootCounts) {
    struct Case {
        QString filter;
        QStringList shown;
    };
    const std::vector<Case> cases = {
        {"captain", {"CAPTAIN_ORDER", "CAPTAIN_END"}},
        {"CAPTAIN end", {"CAPTAIN_END"}},
        {"kapitän", {"CAPTAIN_END"}},                        // case folded beyond ASCII
        {"SCOUT_01.WAV", {"SCOUT"}},                         // audio file
        {"LAST", {"CAPTAIN_END"}},                           // comment
        {"speaker:wache", {"GATE_GUARD"}},                   // speaker
        {"speaker:\"captain vale\" tor", {"CAPTAIN_ORDER"}}, // quoted name and a word
        {"speaker:SPÄHER", {"SCOUT"}},
        {"id:7", {"SCOUT"}},
        {"id:3 captain", {"CAPTAIN_END"}},
        {"id:x", {}},
        {"halt tor", {}}, // every word, not any
        {"problem:", {}}, // no problems list yet: nothing has a finding
    };
    for (const Case& c : cases) {
        Filter(c.filter);
        EXPECT_EQ(Shown(), c.shown) << c.filter.toStdString();
        EXPECT_EQ(RootLabel(), QStringLiteral("Textresourcen (%1 of 4)").arg(c.shown.size()))
            << c.filter.toStdString();
    }
}

TEST_F(TreeFilterTest, AnEmptyFilterGivesBackTheTreeAsItWasWithItsSelection) {
    Select(2);
    const QStringList before = Shown();
    Filter("scout");
    EXPECT_EQ(Shown(), QStringList{"SCOUT"});
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, &Entry(2)) << "the current entry stays, hidden";
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), "CAPTAIN_END");

    // Escape in the field clears it at once.
    QTest::keyClick(View().FilterField(), Qt::Key_Escape);
    EXPECT_TRUE(View().FilterField()->text().isEmpty());
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(RootLabel(), "Textresourcen");
    EXPECT_EQ(Tree().currentIndex(), View().GetModel().EntryIndex(2));
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(TreeFilterTest, NewEntriesAndSearchHitsAreShownWhileFiltered) {
    Filter("captain");
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_NEW));
    Idle();
    EXPECT_EQ(Shown(), (QStringList{"CAPTAIN_ORDER", "CAPTAIN_END", "UNBENANNT"}));
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, &Entry(4));
    EXPECT_EQ(Tree().currentIndex(), View().GetModel().EntryIndex(4));

    prompts->DriveDialog([](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_SEARCH_TEXT, QStringLiteral("Halt"));
        static_cast<QAbstractButton*>(dlg.GetDlgItem(IDOK))->click();
        static_cast<QAbstractButton*>(dlg.GetDlgItem(IDCANCEL))->click();
    });
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_EDIT_SEARCH));
    Idle();
    EXPECT_EQ(Shown(), (QStringList{"GATE_GUARD", "CAPTAIN_ORDER", "CAPTAIN_END", "UNBENANNT"}));
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, &Entry(0));
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), "GATE_GUARD");

    // Deleting the shown entry leaves no current entry, and the rest filtered.
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_DELETE));
    Idle();
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, nullptr);
    EXPECT_EQ(Count(), 4u);
    Filter("captain");
    EXPECT_EQ(Shown(), (QStringList{"CAPTAIN_ORDER", "CAPTAIN_END"}));
    EXPECT_EQ(RootLabel(), "Textresourcen (2 of 4)");
}

TEST_F(TreeFilterTest, EditsInTheFormAreFoundByTheNextFilter) {
    Filter("scout"); // the folded text is built now
    Select(3);
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), "SCOUT");
    QWidget* text = FocusAll(IDC_TEXT);
    Type(text, QStringLiteral("Fährte im Eis"));
    EXPECT_EQ(Entry(3).text, "Fährte im Eis");
    Filter("FÄHRTE");
    EXPECT_EQ(Shown(), QStringList{"SCOUT"});
    Filter("schnee");
    EXPECT_EQ(Shown(), QStringList{});
}

TEST_F(TreeFilterTest, KeysTypedWhileTheFilterIsPreparedApplyWhenItIsReady) {
    QLineEdit* field = View().FilterField();
    field->setFocus();
    Type(field, QStringLiteral("capt"));
    // The build has only started: every entry is still shown, with a hint.
    EXPECT_TRUE(View().IsPreparingFilter());
    EXPECT_EQ(Shown().size(), 4);
    EXPECT_EQ(RootLabel(), "Textresourcen");
    EXPECT_EQ(Frame()->GetStatusLine(), "Preparing the filter...");
    Type(field, QStringLiteral("ain end"));
    WaitForFilter();
    EXPECT_EQ(Shown(), QStringList{"CAPTAIN_END"});
    EXPECT_EQ(Frame()->GetStatusLine(), "");
}

TEST_F(TreeFilterTest, ChangesWhileTheFilterIsPreparedAreNotLost) {
    // An edit in the form, of an entry that is no longer current when the
    // folded text comes back.
    Select(3);
    QLineEdit* field = View().FilterField();
    field->setFocus();
    Type(field, QStringLiteral("captain"));
    ASSERT_TRUE(View().IsPreparingFilter());
    Type(FocusAll(IDC_TEXT), QStringLiteral("Der Captain kommt"));
    Select(0);
    WaitForFilter();
    EXPECT_EQ(Shown(), (QStringList{"CAPTAIN_ORDER", "CAPTAIN_END", "SCOUT"}));
}

TEST_F(TreeFilterTest, ARemovalWhileTheFilterIsPreparedIsNotMetWithTheOldCopy) {
    // Removing the first entry moves the others up: a result folded from the
    // copy made before would show the wrong entries, or ones that are gone.
    Select(0);
    QLineEdit* field = View().FilterField();
    field->setFocus();
    Type(field, QStringLiteral("scout"));
    ASSERT_TRUE(View().IsPreparingFilter());
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_DELETE));
    ASSERT_EQ(Count(), 3u);
    WaitForFilter();
    EXPECT_EQ(Shown(), QStringList{"SCOUT"});
    EXPECT_EQ(RootLabel(), "Textresourcen (1 of 3)");
    Filter("speaker:vale");
    EXPECT_EQ(Shown(), (QStringList{"CAPTAIN_ORDER", "CAPTAIN_END"}));
}

TEST_F(TreeFilterTest, CtrlLPutsTheFocusInTheFilter) {
    Select(0);
    Tree().setFocus();
    QTest::keyClick(&Tree(), Qt::Key_L, Qt::ControlModifier);
    Idle();
    EXPECT_TRUE(View().FilterField()->hasFocus());
}
