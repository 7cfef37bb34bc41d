// The multi-line edit field gives back its text changed only where the user
// edited: line breaks of every kind, non-breaking spaces and separators stay
// as they were around an edit, through undo and redo, and when text is moved.

#include "EditBuffer.h"

#include "EditControl.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Every kind of break, and the characters the widget would otherwise change.
const CString kMixed = QString::fromUtf8("a\u00a0b\nc\rd\r\r\ne\u2028f\u2029g\th  \r\n");

class EditBufferTest : public ::testing::Test {
protected:
    EditBufferTest() : field(WS_BORDER | ES_MULTILINE | ES_WANTRETURN, nullptr) {
        field.SetStoredText(kMixed);
        field.show();
        field.setFocus();
    }
    // Puts the cursor before the shown character at `pos`.
    void MoveTo(int pos) {
        QTextCursor cursor = field.textCursor();
        cursor.setPosition(pos);
        field.setTextCursor(cursor);
    }
    CString Stored() const { return AfxGetWindowText(&field); }
    CEditMultiLine field;
};

} // namespace

TEST_F(EditBufferTest, EachBreakIsOneShownCharacterAndTheRestIsShownAsItIs) {
    EXPECT_EQ(Stored(), kMixed);
    // a nbsp b | c | d | (CR) | e 2028 f | g tab h blank blank | (empty last line)
    EXPECT_EQ(field.document()->toRawText(),
              QString::fromUtf8("a\u00a0b\u2029c\u2029d\u2029\u2029e\u2028f\u2029g\th  \u2029"));
    EXPECT_EQ(field.document()->blockCount(), 7);
}

TEST_F(EditBufferTest, TypingAndDeletingAnywhereLeavesEveryOtherCharacter) {
    const CString units[] = {"a",      "\u00a0", "b",      "\n", "c",  "\r", "d", "\r", "\r\n", "e",
                             "\u2028", "f",      "\u2029", "g",  "\t", "h",  " ", " ",  "\r\n", ""};
    CString before;
    for (int pos = 0; pos < 20; ++pos) {
        MoveTo(pos);
        QTest::keyClicks(&field, "x");
        EXPECT_EQ(Stored(), before + "x" + kMixed.mid(before.size())) << pos;
        QTest::keyClick(&field, Qt::Key_Backspace);
        EXPECT_EQ(Stored(), kMixed) << pos;
        before += units[pos];
    }
    // A typed break is CR LF; it goes again with one Backspace.
    MoveTo(1);
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(Stored(), "a\r\n" + kMixed.mid(1));
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(Stored(), kMixed);
}

TEST_F(EditBufferTest, DeletedBreaksComeBackByUndoAsTheyWereAndGoAgainByRedo) {
    // Select "b | c | d | (CR) | e" and type over it, then undo and redo.
    QTextCursor cursor = field.textCursor();
    cursor.setPosition(2);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    field.setTextCursor(cursor);
    QTest::keyClicks(&field, "Zz");
    EXPECT_EQ(Stored(), QString::fromUtf8("a\u00a0Zze\u2028f\u2029g\th  \r\n"));
    field.undo();
    EXPECT_EQ(Stored(), kMixed);
    field.redo();
    EXPECT_EQ(Stored(), QString::fromUtf8("a\u00a0Zze\u2028f\u2029g\th  \r\n"));
    field.undo();
    EXPECT_EQ(Stored(), kMixed);

    // A deletion that leaves a lone CR before a lone LF keeps two breaks.
    field.SetStoredText("1\r2\n3");
    MoveTo(2);
    QTest::keyClick(&field, Qt::Key_Delete); // the "2"
    EXPECT_EQ(Stored(), "1\r\n3");
    EXPECT_EQ(field.document()->blockCount(), 3);
    QTest::keyClicks(&field, "y"); // typed between the two breaks
    EXPECT_EQ(Stored(), "1\ry\n3");
    field.undo();
    field.undo();
    EXPECT_EQ(Stored(), "1\r2\n3");
}

TEST_F(EditBufferTest, PastedBreaksAreCrLfAndMovedTextKeepsItsBytes) {
    QApplication::clipboard()->setText(QString::fromUtf8("p\u00a0\nq\r\nr\u2029s"));
    MoveTo(0);
    field.paste();
    EXPECT_EQ(Stored(), QString::fromUtf8("p\u00a0\r\nq\r\nr\r\ns") + kMixed);
    field.undo();
    EXPECT_EQ(Stored(), kMixed);

    // A drag within the field removes and inserts in one edit.
    field.SetStoredText("one\ntwo\rthree");
    QTextCursor cursor(field.document());
    cursor.beginEditBlock();
    cursor.setPosition(0);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    cursor.removeSelectedText(); // "one" and its LF
    cursor.setPosition(4);
    cursor.insertText(QStringLiteral("one\u2029"));
    cursor.endEditBlock();
    EXPECT_EQ(field.document()->toRawText(), QStringLiteral("two\u2029one\u2029three"));
    EXPECT_EQ(Stored(), "two\rone\nthree");
}

TEST_F(EditBufferTest, TextPutInPastTheFieldIsTakenAsTyped) {
    field.setPlainText(QStringLiteral("new\ntext"));
    EXPECT_EQ(Stored(), "new\r\ntext");
    QTest::keyClicks(&field, "x");
    EXPECT_EQ(Stored(), "xnew\r\ntext");
}
