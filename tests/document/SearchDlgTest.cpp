// The search dialog driven as a user does: type, choose the field, press
// "Search" again and again, read the miss message, close it.
#include "SearchDlg.h"

#include "EntryTree.h"
#include "LexariumDoc.h"
#include "ScriptedPrompts.h"
#include "WinApp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class RecordingTree : public CEntryTree {
public:
    RecordingTree() { g_pTreeView = this; }
    ~RecordingTree() override { g_pTreeView = nullptr; }
    void RebuildTree() override {}
    void SelectEntryById(int id) override { selected.push_back(id); }
    void SetCurrentItemText(const CString&) override {}
    std::vector<int> selected;
};

class SearchDlgTest : public ::testing::Test {
protected:
    SearchDlgTest() : prompts(InstallScriptedPrompts(app)) {
        app.m_pszAppName = QStringLiteral("Lexarium");
        for (auto [id, text] : std::vector<std::pair<std::uint32_t, const char*>>{
                 {7, "Dragon"}, {4294967294u, "the dragon"}, {3, "Zażółć"}}) {
            TextResourceEntry entry;
            entry.id = id;
            entry.text = text;
            doc.m_textResources.AddEntry(entry);
        }
    }
    // Opens the dialog and runs `script` on it, then closes it with Cancel.
    void Run(std::function<void(CDialog&)> script) {
        prompts.DriveDialog([script](CDialog& dlg) {
            script(dlg);
            static_cast<QAbstractButton*>(dlg.GetDlgItem(IDCANCEL))->click();
        });
        doc.OnSearch();
    }
    static void Type(CDialog& dlg, const QString& text) {
        dlg.SetDlgItemText(IDC_SEARCH_TEXT, QString());
        QTest::keyClicks(dlg.GetDlgItem(IDC_SEARCH_TEXT), text);
    }
    static void Click(CDialog& dlg, int id) {
        static_cast<QAbstractButton*>(dlg.GetDlgItem(id))->click();
    }
    CWinApp app;
    CScriptedPrompts& prompts;
    RecordingTree tree;
    CLexariumDoc doc;
};

} // namespace

TEST_F(SearchDlgTest, EmptyTextCyclesThroughAllEntriesWithTheTextFieldMarked) {
    Run([](CDialog& dlg) {
        for (int id = IDC_SEARCH_IN_ID; id <= IDC_SEARCH_IN_COMMENT; ++id)
            EXPECT_EQ(dlg.IsDlgButtonChecked(id), id == IDC_SEARCH_IN_TEXT ? 1 : 0) << id;
        for (int i = 0; i < 4; ++i)
            Click(dlg, IDOK);
    });
    EXPECT_EQ(tree.selected, (std::vector<int>{7, -2, 3, 7}));
    EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(SearchDlgTest, IdFieldComparesTheSignedForm) {
    Run([](CDialog& dlg) {
        Click(dlg, IDC_SEARCH_IN_ID);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SEARCH_IN_TEXT), 0);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SEARCH_IN_ID), 1);
        for (const char* text : {"7", "07", " 7", "-2"}) {
            Type(dlg, text);
            Click(dlg, IDOK);
        }
    });
    EXPECT_EQ(tree.selected, (std::vector<int>{7, -2}));
    EXPECT_EQ(prompts.Messages(), (std::vector<CString>(2, "No search result found!")));
}

TEST_F(SearchDlgTest, CaseMattersMissResetsTheStartAndNonAsciiIsFound) {
    Run([](CDialog& dlg) {
        Type(dlg, "dragon");
        Click(dlg, IDOK); // only "the dragon"
        Click(dlg, IDOK); // wraps around to it again
        Type(dlg, "DRAGON");
        Click(dlg, IDOK);                              // miss
        dlg.SetDlgItemText(IDC_SEARCH_TEXT, "Zażółć"); // as pasted: keys exist for ASCII only
        Click(dlg, IDOK);
    });
    EXPECT_EQ(tree.selected, (std::vector<int>{-2, -2, 3}));
    EXPECT_EQ(prompts.Messages(), std::vector<CString>{"No search result found!"});
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SearchDlgTest, APastedLineBreakIsSearchedAsCrLf) {
    doc.m_textResources.GetEntry(0)->text = "one\ntwo";
    doc.m_textResources.GetEntry(2)->text = "one\r\ntwo";
    Run([](CDialog& dlg) {
        QApplication::clipboard()->setText("one\ntwo");
        dlg.GetDlgItem(IDC_SEARCH_TEXT)->setFocus();
        QTest::keyClick(dlg.GetDlgItem(IDC_SEARCH_TEXT), Qt::Key_V, Qt::ControlModifier);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(tree.selected, std::vector<int>{3});
}
