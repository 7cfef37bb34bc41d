// New entry and delete entry as a user runs them in the running editor, with
// the enable rules of the entry commands, and the tree's look-up by id.

#include "EditorFixture.h"
#include "LexariumView_Blank.h"
#include "ResourceIds.h"
#include "SearchDlg.h"

#include <QAbstractButton>

namespace {

constexpr UINT kNeedEntries[] = {ID_FILE_EXPORT, ID_AUDIO_TEST, ID_EDIT_SEARCH, ID_TOOLBAR_SEARCH};

} // namespace

class EntryCommandsTest : public EditorFixture {
protected:
    // Starts on a file whose entries have these ids, "E<id>" as identifiers.
    void StartWithIds(const std::vector<std::uint32_t>& ids) {
        TextResourceObject entries;
        for (std::uint32_t id : ids)
            entries.AddEntry(MakeEntry({.id = id,
                                        .identifier = "E" + std::to_string(id),
                                        .text = "text of " + std::to_string(id)}));
        Start({WriteTrs("ids.trs", entries)});
        Activate();
    }
    void Run(UINT nID) {
        ASSERT_TRUE(Frame()->ExecuteCommand(nID)) << nID;
        Idle();
    }
};

TEST_F(EntryCommandsTest, NewEntriesInAnEmptyDocumentAreNumberedFromOneAndShownInTheEditor) {
    Start({});
    Activate();
    for (UINT nID : kNeedEntries)
        EXPECT_FALSE(Offered(nID)) << nID;
    EXPECT_TRUE(Offered(ID_ENTRY_NEW));

    Run(ID_ENTRY_NEW);
    Run(ID_ENTRY_NEW);
    ASSERT_EQ(Count(), 2u);
    for (std::uint32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Entry(i).id, i + 1);
        EXPECT_EQ(Entry(i).identifier, "UNBENANNT") << "identifiers are not made unique here";
        EXPECT_EQ(Entry(i).audioFile, "leer");
        EXPECT_EQ(Entry(i).text, "leer");
        EXPECT_EQ(Entry(i).comment, "leer");
        EXPECT_EQ(Entry(i).speaker, "");
        EXPECT_EQ(Entry(i).lengthMs, 0u);
        EXPECT_EQ(Label(i), "UNBENANNT");
    }
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, &Entry(1));
    EXPECT_EQ(Tree().currentIndex(), View().GetModel().EntryIndex(1));
    ASSERT_NE(g_pTextView, nullptr);
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_ID), "2");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT), "leer");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_WORDS), "1");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_CHARS), "4");
    EXPECT_TRUE(Doc()->IsModified());
    for (UINT nID : kNeedEntries)
        EXPECT_TRUE(Offered(nID)) << nID;
    EXPECT_TRUE(Offered(ID_ENTRY_DELETE));
}

TEST_F(EntryCommandsTest, NewEntryTakesTheIdAfterTheLargestWhateverTheOrder) {
    StartWithIds({7, 3});
    Run(ID_ENTRY_NEW);
    ASSERT_EQ(Count(), 3u);
    EXPECT_EQ(Entry(2).id, 8u);
    EXPECT_EQ(Label(2), "UNBENANNT");
}

TEST_F(EntryCommandsTest, DeletingTheLastEntryDisablesTheCommandsThatNeedEntries) {
    Select(1);
    Run(ID_ENTRY_DELETE);
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(Entry(0).identifier, "ID_1");
    EXPECT_FALSE(Tree().currentIndex().isValid()) << "nothing is selected after a delete";
    ASSERT_NE(g_pTextView, nullptr) << "the editor form stays in the right pane";
    EXPECT_FALSE(Offered(ID_ENTRY_DELETE));
    for (UINT nID : kNeedEntries)
        EXPECT_TRUE(Offered(nID)) << nID;

    Select(0);
    EXPECT_TRUE(Offered(ID_ENTRY_DELETE));
    Run(ID_ENTRY_DELETE);
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(View().GetModel().rowCount(View().GetModel().RootIndex()), 0);
    EXPECT_FALSE(Offered(ID_ENTRY_DELETE));
    for (UINT nID : kNeedEntries)
        EXPECT_FALSE(Offered(nID)) << nID;
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(EntryCommandsTest, WithTheRootSelectedDeleteRemovesTheEntrySelectedBefore) {
    Select(0);
    SelectRoot();
    ASSERT_NE(g_pBlankView, nullptr);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, &Entry(0));
    EXPECT_TRUE(Offered(ID_ENTRY_DELETE));
    Run(ID_ENTRY_DELETE);
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(Entry(0).identifier, "ID_2");
    EXPECT_FALSE(Offered(ID_ENTRY_DELETE));
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_ENTRIES), "2")
        << "the statistics keep their numbers until the next switch";
}

TEST_F(EntryCommandsTest, DeletingOneOfTwoEntriesSharingAnIdRemovesTheSelectedOne) {
    StartWithIds({4, 9, 4});
    Select(2);
    Run(ID_ENTRY_DELETE);
    ASSERT_EQ(Count(), 2u);
    EXPECT_EQ(Entry(0).text, "text of 4") << "the earlier entry with the same id stays";
    EXPECT_EQ(Entry(1).id, 9u);

    Select(0);
    Run(ID_ENTRY_DELETE);
    ASSERT_EQ(Count(), 1u);
    EXPECT_EQ(Entry(0).id, 9u);
}

TEST_F(EntryCommandsTest, SelectEntryByIdShowsTheLastOfTheEntriesSharingTheId) {
    StartWithIds({5, 6, 5});
    Select(1);
    g_pTreeView->SelectEntryById(77);
    EXPECT_EQ(Tree().currentIndex(), View().GetModel().EntryIndex(1)) << "no match changes nothing";
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, &Entry(1));

    g_pTreeView->SelectEntryById(5);
    EXPECT_EQ(Tree().currentIndex(), View().GetModel().EntryIndex(2));
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, &Entry(2));
    ASSERT_NE(g_pTextView, nullptr);
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT), "text of 5");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), "E5");

    // Reached from the statistics form, the editor comes back with the entry.
    SelectRoot();
    ASSERT_NE(g_pBlankView, nullptr);
    g_pTreeView->SelectEntryById(6);
    ASSERT_NE(g_pTextView, nullptr);
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_ID), "6");
}

TEST_F(EntryCommandsTest, SearchHitOnAnEntrySharingItsIdShowsTheLaterOneInTheEditor) {
    StartWithIds({5, 6, 5});
    std::vector<std::uint32_t> shown; // positions of the entry the editor shows
    prompts->DriveDialog([this, &shown](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_SEARCH_TEXT, QStringLiteral("text of"));
        auto* search = static_cast<QAbstractButton*>(dlg.GetDlgItem(IDOK));
        for (int i = 0; i < 3; ++i) {
            search->click();
            shown.push_back(Doc()->m_textResources.PositionOf(g_pTreeView->m_pCurrentEntry));
        }
        static_cast<QAbstractButton*>(dlg.GetDlgItem(IDCANCEL))->click();
    });
    Run(ID_TOOLBAR_SEARCH);
    // The hits are the entries at 0, 1 and 2; the first one's id is also the
    // third entry's, and the tree ends on the later of the two.
    EXPECT_EQ(shown, (std::vector<std::uint32_t>{2, 1, 2}));
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_ID), "5");
    EXPECT_FALSE(Doc()->IsModified());
}
