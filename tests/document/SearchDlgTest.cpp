// The search dialog driven as a user does: type, choose the field, press
// "Search" again and again, read the miss message, close it.
#include "SearchDlg.h"

#include "DialogTemplate.h"
#include "DocumentFixture.h"
#include "common/Entries.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SearchDlgTest : public DocumentFixture {
protected:
    SearchDlgTest() {
        for (const EntryFields& fields :
             std::vector<EntryFields>{{.id = 7, .text = "Dragon"},
                                      {.id = 4294967294u, .text = "the dragon"},
                                      {.id = 3, .text = "Zażółć"}})
            doc.m_textResources.AddEntry(MakeEntry(fields));
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

TEST_F(SearchDlgTest, APastedNonBreakingSpaceIsSearchedAsIt) {
    doc.m_textResources.GetEntry(0)->text = "Bonjour !";
    doc.m_textResources.GetEntry(2)->text = "Bonjour\xc2\xa0!";
    Run([](CDialog& dlg) {
        QApplication::clipboard()->setText(QString::fromUtf8("Bonjour\u00a0!"));
        dlg.GetDlgItem(IDC_SEARCH_TEXT)->setFocus();
        QTest::keyClick(dlg.GetDlgItem(IDC_SEARCH_TEXT), Qt::Key_V, Qt::ControlModifier);
        Click(dlg, IDOK);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(tree.selected, (std::vector<int>{3, 3}));
}

TEST_F(SearchDlgTest, FieldButtonsChooseTheFieldAndOnlyAMissResetsTheStart) {
    const char* identifiers[] = {"DRAGON_A", "B", "DRAGON_C"};
    const char* audio[] = {"a.wav", "dragon.wav", "c.wav"};
    const char* comments[] = {"", "dragon here", "dragon"};
    for (std::uint32_t i = 0; i < 3; ++i) {
        doc.m_textResources.GetEntry(i)->identifier = identifiers[i];
        doc.m_textResources.GetEntry(i)->audioFile = audio[i];
        doc.m_textResources.GetEntry(i)->comment = comments[i];
    }
    Run([this](CDialog& dlg) {
        const auto only = [&](int marked) {
            for (int id = IDC_SEARCH_IN_ID; id <= IDC_SEARCH_IN_COMMENT; ++id)
                EXPECT_EQ(dlg.IsDlgButtonChecked(id), id == marked ? 1 : 0) << id;
        };
        Click(dlg, IDC_SEARCH_IN_IDENTIFIER);
        only(IDC_SEARCH_IN_IDENTIFIER);
        Type(dlg, "DRAGON");
        Click(dlg, IDOK);
        Click(dlg, IDOK);
        Click(dlg, IDC_SEARCH_IN_AUDIO);
        only(IDC_SEARCH_IN_AUDIO);
        Type(dlg, "dragon");
        Click(dlg, IDOK); // after the third entry: wraps around
        Click(dlg, IDC_SEARCH_IN_COMMENT);
        only(IDC_SEARCH_IN_COMMENT);
        Click(dlg, IDOK); // goes on after the hit although the field changed
        Click(dlg, IDOK);
        Type(dlg, "drago");
        Click(dlg, IDOK); // goes on after the hit although the text changed
        Click(dlg, IDOK);
        Type(dlg, "nothing");
        Click(dlg, IDOK);
        EXPECT_EQ(static_cast<CSearchDlg&>(dlg).m_nNextStart, -1);
        Type(dlg, "dragon");
        QTest::keyClick(dlg.GetDlgItem(IDC_SEARCH_TEXT), Qt::Key_Return); // Enter searches
        EXPECT_FALSE(dlg.IsEnded());
        EXPECT_EQ(dlg.GetDlgItemText(IDC_SEARCH_TEXT), "dragon");
        EXPECT_EQ(prompts.Messages(), std::vector<CString>{"No search result found!"});
    });
    EXPECT_EQ(tree.selected, (std::vector<int>{7, 3, -2, 3, -2, 3, -2, -2}))
        << "after the miss the search starts again from the first entry";
}

TEST_F(SearchDlgTest, TemplateLaysOutTheDialog) {
    Run([](CDialog& dlg) {
        const DLGTEMPLATE& tmpl = SearchDlgTemplate();
        EXPECT_EQ(tmpl.fontName, "Tahoma");
        EXPECT_EQ(tmpl.pointSize, 8);
        EXPECT_EQ(dlg.windowTitle(), "Search");
        const CDialogUnits units(AfxTemplateFont(tmpl));
        EXPECT_EQ(dlg.size(), units.MapDialogSize(290, 98));
        const struct {
            int id;
            const char* text;
            QRect rect;
        } controls[] = {
            {IDC_SEARCH_TEXT, "", {42, 7, 180, 14}},
            {IDC_SEARCH_IN_ID, "search in id", {42, 29, 52, 10}},
            {IDC_SEARCH_IN_TEXT, "search in text", {42, 41, 58, 10}},
            {IDC_SEARCH_IN_IDENTIFIER, "search in identifier", {42, 53, 73, 10}},
            {IDC_SEARCH_IN_AUDIO, "search in audio path", {42, 65, 80, 10}},
            {IDC_SEARCH_IN_COMMENT, "search in comment", {42, 77, 75, 10}},
            {IDOK, "Search", {233, 7, 50, 14}},
            {IDCANCEL, "Cancel", {233, 24, 50, 14}},
        };
        for (const auto& control : controls) {
            QWidget* widget = dlg.GetDlgItem(control.id);
            ASSERT_NE(widget, nullptr) << control.id;
            EXPECT_EQ(widget->geometry(), units.MapDialogRect(control.rect)) << control.id;
            EXPECT_EQ(dlg.GetDlgItemText(control.id), control.text) << control.id;
        }
        auto* label = dlg.findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "search:");
        EXPECT_EQ(label->geometry(), units.MapDialogRect({7, 10, 24, 8}));
        EXPECT_TRUE(dlg.GetDlgItem(IDC_SEARCH_TEXT)->hasFocus());
        EXPECT_TRUE(static_cast<QPushButton*>(dlg.GetDlgItem(IDOK))->isDefault());
    });
}
