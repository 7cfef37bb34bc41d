// Cut, Copy, Paste and Undo of the Edit menu on the editor form's fields, run
// as a user does and checked for their enable rules and for what is stored.

#include "EditorFixture.h"
#include "ResourceIds.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

class EditCommandsTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        QGuiApplication::clipboard()->clear();
        Select(0);
        ASSERT_NE(g_pTextView, nullptr);
    }
    void Run(UINT nID) { ASSERT_TRUE(Frame()->ExecuteCommand(nID)) << nID; }
};

TEST_F(EditCommandsTest, CopyAndCutNeedASelectionInTheFocusedField) {
    QLineEdit* identifier = LineField(IDC_IDENTIFIER);
    identifier->setFocus();
    identifier->deselect();
    EXPECT_FALSE(Offered(ID_EDIT_COPY));
    EXPECT_FALSE(Offered(ID_EDIT_CUT));

    identifier->setSelection(0, 2); // "ID" of "ID_1"
    EXPECT_TRUE(Offered(ID_EDIT_COPY));
    EXPECT_TRUE(Offered(ID_EDIT_CUT));
    Run(ID_EDIT_COPY);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "ID");
    EXPECT_FALSE(Doc()->IsModified()) << "copying changes nothing";

    Run(ID_EDIT_CUT);
    EXPECT_EQ(Entry(0).identifier, "_1") << "a cut is stored like typing";
    EXPECT_EQ(Label(0), "_1");
    EXPECT_TRUE(Doc()->IsModified());

    Tree().setFocus();
    EXPECT_FALSE(Offered(ID_EDIT_COPY)) << "the tree is not an edit field";
    EXPECT_FALSE(Offered(ID_EDIT_CUT));
}

TEST_F(EditCommandsTest, PasteNeedsTextOnTheClipboardAndIsStoredUpperCaseInTheIdentifier) {
    QPlainTextEdit* text = TextField(IDC_TEXT);
    text->setFocus();
    EXPECT_FALSE(Offered(ID_EDIT_PASTE)) << "empty clipboard";
    auto* image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(image);
    EXPECT_FALSE(Offered(ID_EDIT_PASTE)) << "no text on the clipboard";

    QGuiApplication::clipboard()->setText(QStringLiteral("Ünïcødé zeile\nzwei"));
    EXPECT_TRUE(Offered(ID_EDIT_PASTE));
    text->selectAll();
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Entry(0).text, "Ünïcødé zeile\r\nzwei") << "a pasted line break is stored as CR LF";
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_WORDS), "3");

    QLineEdit* identifier = LineField(IDC_IDENTIFIER);
    identifier->setFocus();
    identifier->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("größe"));
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(identifier->text(), "GRÖßE") << "letters in capitals one by one; \"ß\" has none";
    EXPECT_EQ(Entry(0).identifier, "GRÖßE");

    // Only the identifier field turns letters into capitals.
    QLineEdit* speaker = LineField(IDC_SPEAKER);
    speaker->setFocus();
    Run(ID_EDIT_PASTE);
    EXPECT_EQ(Entry(0).speaker, "größe");
    QTest::keyClicks(speaker, QStringLiteral("x"));
    EXPECT_EQ(Entry(0).speaker, "größex");
}

TEST_F(EditCommandsTest, UndoIsOfferedAfterTypingAndTheUndoneTextIsStored) {
    QLineEdit* audio = LineField(IDC_AUDIOFILE);
    audio->setFocus();
    EXPECT_FALSE(Offered(ID_EDIT_UNDO)) << "a freshly filled field has nothing to undo";
    audio->selectAll();
    QTest::keyClicks(audio, QStringLiteral("gruss.wav"));
    EXPECT_EQ(Entry(0).audioFile, "gruss.wav");
    EXPECT_TRUE(Offered(ID_EDIT_UNDO));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(audio->text(), "leer");
    EXPECT_EQ(Entry(0).audioFile, "leer");

    QPlainTextEdit* comment = TextField(IDC_COMMENT);
    comment->setFocus();
    QTest::keyClick(comment, Qt::Key_End);
    QTest::keyClicks(comment, QStringLiteral(" ab"));
    EXPECT_EQ(Entry(0).comment, "leer ab");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_COMMENT_WORDS), "2");
    EXPECT_TRUE(Offered(ID_EDIT_UNDO));
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Entry(0).comment, "leer");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_COMMENT_WORDS), "1");

    Tree().setFocus();
    EXPECT_FALSE(Offered(ID_EDIT_UNDO));
}
