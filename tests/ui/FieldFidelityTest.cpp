// What the editor form shows and stores of values it did not make: every byte
// of a field stays as it was except where the user typed, letters enter the
// identifier in capitals by every way in, long values show from their start,
// and numbers are never cut.

#include "DialogTemplate.h"
#include "EditorFixture.h"
#include "LexariumView_Blank.h"
#include "ResourceIds.h"
#include "common/FileContent.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>

class FieldFidelityTest : public EditorFixture {
protected:
    // Opens a file holding this one entry (and a second, plain one).
    QString Open(const TextResourceEntry& entry) {
        TextResourceObject entries;
        entries.AddEntry(entry);
        entries.AddEntry(MakeEntry({.id = 2, .identifier = "OTHER"}));
        const QString path = WriteTrs("fidelity.trs", entries);
        Start({path});
        Activate();
        Select(0);
        return path;
    }
    // Clicks into the field and puts the cursor at the end of its text.
    QWidget* ClickToEnd(int id) {
        QWidget* field = Field(id);
        QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
        if (qobject_cast<QPlainTextEdit*>(field) != nullptr)
            QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
        else
            QTest::keyClick(field, Qt::Key_End);
        return field;
    }
    // Whether the field shows its text from the first character on.
    static bool ShowsStart(QLineEdit* field) {
        field->grab(); // the field scrolls its text when it paints
        const QRect inside = field->contentsRect();
        return field->cursorPositionAt(QPoint(inside.left() + 1, inside.center().y())) == 0;
    }
};

TEST_F(FieldFidelityTest, TypingALetterInEachFieldAndDeletingItSavesTheFileByteForByte) {
    const TextResourceEntry entry =
        MakeEntry({.id = 7,
                   .identifier = "intro\xc2\xa0x\ny\rz\r\r\nq",
                   .audioFile = "voix\xc2\xa0"
                                "01.wav  ",
                   .text = "Bonjour\xc2\xa0!\nligne\rdeux\r\r\ntrois\xe2\x80\xa8quatre\xe2\x80\xa9"
                           "cinq\t ",
                   .comment = "a\xc2\xa0"
                              "b\r\n\nc\r",
                   .speaker = "Ol\xff"
                              "a \xed\xa0\x80", // bytes that are no UTF-8
                   .lengthMs = 1234});
    const QString path = Open(entry);
    const QByteArray opened = ReadFile(path);

    ClickToEnd(IDC_TEXT);
    QTest::keyClicks(Field(IDC_TEXT), "x");
    EXPECT_EQ(Entry(0).text, entry.text + "x") << "the first keystroke changes only itself";
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_CHARS), QString::number(entry.text.size() + 1));
    EXPECT_EQ(Entry(0).comment, entry.comment);
    QTest::keyClick(Field(IDC_TEXT), Qt::Key_Backspace);
    ClickToEnd(IDC_COMMENT);
    QTest::keyClicks(Field(IDC_COMMENT), "x");
    EXPECT_EQ(Entry(0).comment, entry.comment + "x");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_COMMENT_CHARS),
              QString::number(entry.comment.size() + 1));
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_COMMENT_WORDS), "3");
    QTest::keyClick(Field(IDC_COMMENT), Qt::Key_Backspace);

    const struct {
        int id;
        const char* typed;
        std::string TextResourceEntry::*field;
    } lines[] = {{IDC_IDENTIFIER, "x", &TextResourceEntry::identifier},
                 {IDC_AUDIOFILE, "x", &TextResourceEntry::audioFile},
                 {IDC_SPEAKER, "x", &TextResourceEntry::speaker},
                 {IDC_ID, "9", nullptr},
                 {IDC_LENGTH, "9", nullptr}};
    for (const auto& line : lines) {
        QTest::keyClicks(ClickToEnd(line.id), line.typed);
        if (line.field != nullptr) {
            const char* stored = line.id == IDC_IDENTIFIER ? "X" : "x";
            EXPECT_EQ(Entry(0).*line.field, entry.*line.field + stored) << line.id;
        }
        QTest::keyClick(Field(line.id), Qt::Key_Backspace);
    }
    EXPECT_EQ(Entry(0).id, 7u);
    EXPECT_EQ(Entry(0).lengthMs, 1234u);
    EXPECT_EQ(Label(0), g_pTextView->GetDlgItemText(IDC_IDENTIFIER));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(prompts->Messages().empty());

    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(ReadFile(path), opened);
}

TEST_F(FieldFidelityTest, LettersEnterTheIdentifierInCapitalsByEveryWayIn) {
    Open(MakeEntry({.id = 1, .identifier = "stored_lower"}));
    QLineEdit* identifier = LineField(IDC_IDENTIFIER);
    identifier->setFocus();
    identifier->end(false);
    const auto expect = [&](const std::string& wanted, const char* way) {
        EXPECT_EQ(Entry(0).identifier, wanted) << way;
        EXPECT_EQ(identifier->text(), QString::fromStdString(wanted)) << way;
        EXPECT_EQ(Label(0), QString::fromStdString(wanted)) << way;
    };

    Type(identifier, QStringLiteral("_straße"));
    expect("stored_lower_STRAßE", "typed; \"ß\" has no one-letter capital");

    QGuiApplication::clipboard()->setText(QStringLiteral("_menu\nsecond line"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, identifier->rect().center(),
                                identifier->mapToGlobal(identifier->rect().center()));
    QApplication::sendEvent(identifier, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QLineEdit::tr("&Paste")))
            paste = action;
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    expect("stored_lower_STRAßE_MENU", "context menu: the first line, in capitals");

    QMimeData dropped;
    dropped.setText(QStringLiteral("_drop"));
    const QPoint end(identifier->width() - 4, identifier->height() / 2); // after the text
    QDragEnterEvent enter(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(identifier, &enter);
    QDragMoveEvent move(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(identifier, &move);
    QDropEvent drop(end, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(identifier, &drop);
    expect("stored_lower_STRAßE_MENU_DROP", "dropped");

    identifier->end(false);
    QInputMethodEvent composing(QStringLiteral("é"), {});
    QApplication::sendEvent(identifier, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("_ime"));
    QApplication::sendEvent(identifier, &committed);
    expect("stored_lower_STRAßE_MENU_DROP_IME", "from the input method");
}

TEST_F(FieldFidelityTest, LongValuesShowFromTheirStart) {
    Open(MakeEntry({.id = 4294967291u,
                    .identifier = "CHAPTER_ONE_" + std::string(188, 'A'),
                    .audioFile = "missions/" + std::string(180, 'd') + "/line.wav",
                    .speaker = "Speaker " + std::string(200, 's'),
                    .lengthMs = 4294967295u}));
    for (int id : {IDC_ID, IDC_IDENTIFIER, IDC_AUDIOFILE, IDC_SPEAKER, IDC_LENGTH}) {
        QLineEdit* field = LineField(id);
        if (id != IDC_ID && id != IDC_LENGTH) {
            EXPECT_GT(field->fontMetrics().horizontalAdvance(field->text()),
                      field->contentsRect().width())
                << id << ": the value is longer than the field";
        }
        EXPECT_TRUE(ShowsStart(field)) << id;
    }
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_ID), "4294967291");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LENGTH), "4294967295");
}

TEST_F(FieldFidelityTest, CountersAndTotalsGrowToTheirNumbersAndMoveNothing) {
    std::string words;
    for (int i = 0; i < 540000; ++i)
        words += "wort ";
    Start({MakeTrs("big.trs", {words, words})});
    Activate();
    Select(0);
    const CDialogUnits units(Field(IDC_ID)->parentWidget()->font());
    const auto fits = [&](CWnd* form, int id, const QRect& templateRect, const char* text) {
        auto* number = qobject_cast<QLabel*>(form->GetDlgItem(id));
        ASSERT_NE(number, nullptr) << id;
        EXPECT_EQ(number->text(), text) << id;
        EXPECT_GE(number->width(), number->sizeHint().width()) << id << " is cut";
        const QRect placed = units.MapDialogRect(templateRect);
        EXPECT_EQ(number->pos(), placed.topLeft()) << id;
        EXPECT_GE(number->width(), placed.width()) << id;
        EXPECT_EQ(number->height(), placed.height()) << id;
    };
    fits(g_pTextView, IDC_TEXT_WORDS, {103, 193, 19, 8}, "540000");
    fits(g_pTextView, IDC_TEXT_CHARS, {104, 203, 26, 8}, "2700000");
    EXPECT_EQ(Field(IDC_TEXT)->geometry(), units.MapDialogRect({63, 81, 315, 106}));
    EXPECT_EQ(Field(IDC_COMMENT)->geometry(), units.MapDialogRect({63, 218, 315, 99}));

    SelectRoot();
    ASSERT_NE(g_pBlankView, nullptr);
    const CDialogUnits blankUnits(g_pBlankView->GetDlgItem(IDC_STAT_ENTRIES)->font());
    const auto total = [&](int id, const QRect& templateRect, const char* text) {
        auto* number = qobject_cast<QLabel*>(g_pBlankView->GetDlgItem(id));
        ASSERT_NE(number, nullptr) << id;
        EXPECT_EQ(number->text(), text) << id;
        EXPECT_GE(number->width(), number->sizeHint().width()) << id << " is cut";
        EXPECT_EQ(number->pos(), blankUnits.MapDialogRect(templateRect).topLeft()) << id;
    };
    total(IDC_STAT_ENTRIES, {80, 31, 28, 10}, "2");
    total(IDC_STAT_WORDS, {80, 43, 24, 8}, "1080000");
    total(IDC_STAT_CHARS, {80, 57, 23, 8}, "5400000");
    EXPECT_EQ(g_pBlankView->GetDlgItem(IDC_STAT_ENTRIES)->width(),
              blankUnits.MapDialogRect({80, 31, 28, 10}).width())
        << "never narrower than the template, and no wider than needed";
}
