// Editing entries through the real windows, offscreen: typing into the editor
// form, the duplicate-identifier repair, and deleting one of two entries that
// share an id.

#include "../app/LexariumAppFixture.h"
#include "FormControls.h"
#include "LexariumView.h"
#include "LexariumView_Blank.h"
#include "LexariumView_Text.h"
#include "ResourceIds.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>

namespace {

// Types each character as a key press carrying its text, as an input method
// does for letters that have no key of their own.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

} // namespace

class EntryEditingTest : public LexariumAppFixture {
protected:
    void SetUp() override {
        Settings().clear();
        Start({MakeTrs("edit.trs", {"one two three", "four"})});
        Activate();
    }
    CLexariumView& View() const {
        return *static_cast<CLexariumView*>(Frame()->m_wndSplitter.GetPane(0, 0));
    }
    void Select(int position) {
        QTreeView& tree = View().GetTreeCtrl();
        const QModelIndex index = View().GetModel().EntryIndex(position);
        tree.scrollTo(index);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(index).center());
    }
    QWidget* Field(int id) const { return g_pTextView->GetDlgItem(id); }
};

TEST_F(EntryEditingTest, TypedTextIsStoredAsUtf8WithCrLfAndCountedInBytes) {
    Select(0);
    ASSERT_NE(g_pTextView, nullptr);
    auto* text = qobject_cast<QPlainTextEdit*>(Field(IDC_TEXT));
    ASSERT_NE(text, nullptr);
    text->setFocus();
    text->selectAll();
    Type(text, QStringLiteral("Zażółć"));
    QTest::keyClick(text, Qt::Key_Return);
    Type(text, QStringLiteral("γλώσσα 日本"));
    EXPECT_EQ(Doc()->m_textResources.GetEntry(0)->text, "Zażółć\r\nγλώσσα 日本");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_WORDS), "3");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_CHARS),
              QString::number(std::string("Zażółć\r\nγλώσσα 日本").size()));
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(EntryEditingTest, IdentifierFollowsInTreeAndADuplicateGetsANumber) {
    Select(1);
    auto* identifier = qobject_cast<QLineEdit*>(Field(IDC_IDENTIFIER));
    ASSERT_NE(identifier, nullptr);
    identifier->setFocus();
    identifier->selectAll();
    QTest::keyClicks(identifier, QStringLiteral("id_1"));
    EXPECT_EQ(Doc()->m_textResources.GetEntry(1)->identifier, "ID_1");
    EXPECT_EQ(View().GetModel().EntryIndex(1).data().toString(), "ID_1");
    Field(IDC_AUDIOFILE)->setFocus(); // leaving the field runs the check
    ASSERT_EQ(prompts->Messages().size(), 1u);
    EXPECT_EQ(prompts->Messages()[0], "Identifier already defined!");
    EXPECT_EQ(Doc()->m_textResources.GetEntry(1)->identifier, "ID_12");
    EXPECT_EQ(identifier->text(), "ID_12");
}

TEST_F(EntryEditingTest, DeletingTheSecondOfTwoEntriesSharingAnIdRemovesThatOne) {
    Select(1);
    auto* id = qobject_cast<QLineEdit*>(Field(IDC_ID));
    id->setFocus();
    id->selectAll();
    QTest::keyClicks(id, QStringLiteral("1"));
    ASSERT_EQ(Doc()->m_textResources.GetEntry(1)->id, 1u);
    Select(1);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_DELETE));
    ASSERT_EQ(Doc()->m_textResources.GetEntryCount(), 1u);
    EXPECT_EQ(Doc()->m_textResources.GetEntry(0)->text, "one two three");
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, nullptr);
    Idle();
    EXPECT_FALSE(IsEnabled(ID_ENTRY_DELETE));
}

TEST_F(EntryEditingTest, RefusedIdShowsTheNumberMessageAndStoresNothing) {
    Select(0);
    auto* id = qobject_cast<QLineEdit*>(Field(IDC_ID));
    id->setFocus();
    id->selectAll();
    QTest::keyClicks(id, QStringLiteral("x"));
    ASSERT_FALSE(prompts->Messages().empty());
    EXPECT_EQ(prompts->Messages().back(), "Geben Sie bitte eine positive ganze Zahl ein.");
    EXPECT_EQ(Doc()->m_textResources.GetEntry(0)->id, 1u);
}

TEST_F(EntryEditingTest, StatisticsShowEntriesWordsAndCharactersOfTheTexts) {
    QTreeView& tree = View().GetTreeCtrl();
    const QModelIndex root = View().GetModel().RootIndex();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(root).center());
    ASSERT_NE(g_pBlankView, nullptr);
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_ENTRIES), "2");
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_WORDS), "4");
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_CHARS), "17");
}
