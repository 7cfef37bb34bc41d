// Editing entries through the real windows, offscreen: typing into every field
// of the editor form, refused numbers, the duplicate-identifier repair, the
// tree labels, the statistics, and what a save of the edits writes.

#include "EditControl.h"
#include "EditorFixture.h"
#include "LexariumView_Blank.h"
#include "ResourceIds.h"

using EntryEditingTest = EditorFixture;

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
    QTest::keyClicks(FocusAll(IDC_ID), QStringLiteral("1"));
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
    QTest::keyClicks(FocusAll(IDC_ID), QStringLiteral("x"));
    ASSERT_FALSE(prompts->Messages().empty());
    EXPECT_EQ(prompts->Messages().back(), "Geben Sie bitte eine positive ganze Zahl ein.");
    EXPECT_EQ(Doc()->m_textResources.GetEntry(0)->id, 1u);
}

TEST_F(EntryEditingTest, StatisticsShowEntriesWordsAndCharactersOfTheTexts) {
    SelectRoot();
    ASSERT_NE(g_pBlankView, nullptr);
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_ENTRIES), "2");
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_WORDS), "4");
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_CHARS), "17");
}

TEST_F(EntryEditingTest, RefusedLengthKeepsTheLengthButLetsTheOtherFieldsThrough) {
    Select(0);
    QLineEdit* length = LineField(IDC_LENGTH);
    FocusAll(IDC_LENGTH);
    QTest::keyClicks(length, QStringLiteral("x"));
    ASSERT_EQ(prompts->Messages().size(), 1u);
    EXPECT_EQ(prompts->Messages()[0], "Geben Sie bitte eine positive ganze Zahl ein.");
    EXPECT_EQ(Entry(0).lengthMs, 0u);
    EXPECT_EQ(QApplication::focusWidget(), length);
    EXPECT_EQ(length->selectedText(), "x") << "the refused text is selected for retyping";

    // The length is read last, so a change of the speaker still reaches the entry.
    QTest::keyClicks(LineField(IDC_SPEAKER), QStringLiteral("Ola"));
    EXPECT_EQ(Entry(0).speaker, "Ola");
    EXPECT_EQ(Entry(0).lengthMs, 0u);

    FocusAll(IDC_LENGTH);
    QTest::keyClicks(length, QStringLiteral(" +2500\t"));
    EXPECT_EQ(Entry(0).lengthMs, 2500u) << "blanks around and a plus sign are accepted";
}

TEST_F(EntryEditingTest, RefusedIdKeepsTypingInOtherFieldsFromTheEntry) {
    Select(0);
    QLineEdit* id = LineField(IDC_ID);
    FocusAll(IDC_ID);
    QTest::keyClick(id, Qt::Key_Backspace); // an empty id is refused as well
    ASSERT_EQ(prompts->Messages().size(), 1u);
    // The refused text is selected, so the next key replaces it.
    QTest::keyClicks(id, QStringLiteral("-"));
    EXPECT_EQ(prompts->Messages().size(), 2u);
    EXPECT_EQ(id->selectedText(), "-");
    EXPECT_EQ(Entry(0).id, 1u);

    QPlainTextEdit* text = TextField(IDC_TEXT);
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("Z"));
    EXPECT_EQ(prompts->Messages().size(), 3u);
    EXPECT_EQ(Entry(0).text, "one two three") << "the id is read first and stops the rest";
    EXPECT_EQ(QApplication::focusWidget(), id);
    EXPECT_EQ(id->selectedText(), "-");
}

TEST_F(EntryEditingTest, IdentifierIsTypedInCapitalsAndLabelsTheTreeItemAtEachKey) {
    Select(0);
    QLineEdit* identifier = LineField(IDC_IDENTIFIER);
    FocusAll(IDC_IDENTIFIER);
    QTest::keyClicks(identifier, QStringLiteral("ab"));
    EXPECT_EQ(Label(0), "AB");
    Type(identifier, QStringLiteral("ż"));
    EXPECT_EQ(identifier->text(), "ABŻ");
    EXPECT_EQ(Entry(0).identifier, "ABŻ");
    EXPECT_EQ(Label(0), "ABŻ");
    EXPECT_EQ(Label(1), "ID_2");

    // Leaving it with a unique or an empty identifier asks nothing.
    Field(IDC_TEXT)->setFocus();
    FocusAll(IDC_IDENTIFIER);
    QTest::keyClick(identifier, Qt::Key_Backspace);
    EXPECT_EQ(Entry(0).identifier, "");
    Field(IDC_TEXT)->setFocus();
    EXPECT_TRUE(prompts->Messages().empty());
}

TEST_F(EntryEditingTest, ALowerCaseIdentifierFromTheFileKeepsItsLettersWhenTypedInto) {
    TextResourceObject entries = MakeEntries({{.id = 1, .identifier = "intro_łódź"}});
    Start({WriteTrs("lower.trs", entries)});
    Activate();
    Select(0);
    QLineEdit* identifier = LineField(IDC_IDENTIFIER);
    EXPECT_EQ(identifier->text(), "intro_łódź") << "shown as stored";
    identifier->setFocus();
    identifier->end(false);
    QTest::keyClicks(identifier, QStringLiteral("x"));
    EXPECT_EQ(Entry(0).identifier, "intro_łódźX") << "only what is typed turns upper case";
    EXPECT_EQ(Label(0), "intro_łódźX");
}

TEST_F(EntryEditingTest, DuplicateRepairCountsFromTheNumberOfSharersAndSkipsTakenNames) {
    Start({MakeTrs("three.trs", {"a", "b", "c"})});
    Activate();
    const auto rename = [this](int position, const QString& name) {
        Select(position);
        FocusAll(IDC_IDENTIFIER);
        QTest::keyClicks(LineField(IDC_IDENTIFIER), name);
    };
    rename(1, QStringLiteral("A"));
    rename(2, QStringLiteral("A2")); // clicking the tree ends the previous rename
    rename(0, QStringLiteral("A"));
    EXPECT_TRUE(prompts->Messages().empty());
    Select(1); // the focus leaves the field before the selection moves
    ASSERT_EQ(prompts->Messages().size(), 1u);
    EXPECT_EQ(prompts->Messages()[0], "Identifier already defined!");
    EXPECT_EQ(Entry(0).identifier, "A3") << "\"A2\" is taken, so the suffix goes on to 3";
    EXPECT_EQ(Label(0), "A3");
    EXPECT_EQ(Entry(1).identifier, "A");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), "A")
        << "the form shows the clicked entry";

    // With two other entries named "B" the first attempt is "B3".
    rename(0, QStringLiteral("B"));
    rename(1, QStringLiteral("B"));
    rename(2, QStringLiteral("B"));
    SelectRoot(); // the repair runs before the statistics replace the form
    EXPECT_EQ(Entry(2).identifier, "B3");
    EXPECT_EQ(Label(2), "B3");
    ASSERT_NE(g_pBlankView, nullptr);
    EXPECT_EQ(g_pTextView, nullptr);
}

// With no current entry (start-up, after delete entry, New and Open) the
// form shows nothing and takes nothing: its fields are empty, read-only and
// greyed, and a change that reaches one anyway is undone without marking the
// document modified.
TEST_F(EntryEditingTest, FormWithoutACurrentEntryIsEmptyGreyedAndChangesNothing) {
    const int fields[] = {IDC_ID,      IDC_IDENTIFIER, IDC_AUDIOFILE, IDC_TEXT,
                          IDC_COMMENT, IDC_SPEAKER,    IDC_LENGTH};
    auto expectNoEntry = [&](const char* when) {
        ASSERT_NE(g_pTextView, nullptr) << when;
        EXPECT_EQ(g_pTreeView->m_pCurrentEntry, nullptr) << when;
        for (int id : fields) {
            EXPECT_EQ(AfxGetWindowText(Field(id)), "") << when << " " << id;
            EXPECT_FALSE(Field(id)->isEnabled()) << when << " " << id;
            if (QLineEdit* line = LineField(id))
                EXPECT_TRUE(line->isReadOnly()) << when << " " << id;
            else
                EXPECT_TRUE(TextField(id)->isReadOnly()) << when << " " << id;
        }
        for (int id : {IDC_TEXT_WORDS, IDC_TEXT_CHARS, IDC_COMMENT_WORDS, IDC_COMMENT_CHARS})
            EXPECT_EQ(AfxGetWindowText(Field(id)), "") << when << " " << id;
        for (int id : {IDC_LISTEN, IDC_LISTEN_FEMALE})
            EXPECT_FALSE(Field(id)->isEnabled()) << when << " " << id;
        EXPECT_FALSE(Doc()->IsModified()) << when;
    };
    expectNoEntry("start-up");
    QTest::keyClicks(TextField(IDC_TEXT), QStringLiteral("lost"));
    QTest::keyClicks(LineField(IDC_IDENTIFIER), QStringLiteral("x"));
    // A change that reaches a field all the same (a paste, a program) is undone.
    TextField(IDC_TEXT)->setPlainText(QStringLiteral("lost"));
    LineField(IDC_ID)->setText(QStringLiteral("7"));
    expectNoEntry("typed into");
    EXPECT_EQ(Entry(0).text, "one two three");
    EXPECT_EQ(Entry(1).id, 2u);
    EXPECT_TRUE(prompts->Messages().empty()) << "no number message for the empty id";

    // Selecting fills the form and lets it take input again.
    Select(1);
    for (int id : fields)
        EXPECT_TRUE(Field(id)->isEnabled()) << id;
    EXPECT_EQ(LineField(IDC_ID)->text(), "2");
    QTest::keyClick(FocusAll(IDC_IDENTIFIER), Qt::Key_End);
    QTest::keyClicks(LineField(IDC_IDENTIFIER), QStringLiteral("X"));
    EXPECT_EQ(Entry(1).identifier, "ID_2X");
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_ENTRY_DELETE));
    Doc()->SetModifiedFlag(false);
    expectNoEntry("after delete entry");

    Select(0);
    prompts->AnswerMessage(IDNO);
    QTest::keyClicks(TextField(IDC_TEXT), QStringLiteral("!"));
    ASSERT_TRUE(Doc()->IsModified());
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_NEW));
    expectNoEntry("after New");

    prompts->AnswerFile(Path("edit.trs"));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_OPEN));
    expectNoEntry("after Open");
    EXPECT_EQ(prompts->unexpected, 0);
}

TEST_F(EntryEditingTest, LabelEditedInTheTreeRevertsAndLeavesTheEntryAlone) {
    Select(0);
    const QModelIndex item = View().GetModel().EntryIndex(0);
    Tree().edit(item);
    auto* editor = Tree().viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr) << "labels can be edited in place";
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("RENAMED"));
    QTest::keyClick(editor, Qt::Key_Return);
    Idle();
    EXPECT_EQ(Label(0), "ID_1");
    EXPECT_EQ(Entry(0).identifier, "ID_1");
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(EntryEditingTest, EveryFieldEditedInManyScriptsIsSavedAndReadBackByteForByte) {
    Select(1);
    FocusAll(IDC_ID);
    QTest::keyClicks(LineField(IDC_ID), QStringLiteral("42"));
    FocusAll(IDC_IDENTIFIER);
    Type(Field(IDC_IDENTIFIER), QStringLiteral("żółw_γ"));
    FocusAll(IDC_AUDIOFILE);
    Type(Field(IDC_AUDIOFILE), QStringLiteral("głos_日本.wav"));
    FocusAll(IDC_TEXT);
    Type(Field(IDC_TEXT), QStringLiteral("Zażółć gęślą"));
    QTest::keyClick(Field(IDC_TEXT), Qt::Key_Return);
    Type(Field(IDC_TEXT), QStringLiteral("Καλημέρα 日本語"));
    FocusAll(IDC_COMMENT);
    Type(Field(IDC_COMMENT), QStringLiteral("コメント"));
    FocusAll(IDC_SPEAKER);
    Type(Field(IDC_SPEAKER), QStringLiteral("Ελένη"));
    FocusAll(IDC_LENGTH);
    QTest::keyClicks(LineField(IDC_LENGTH), QStringLiteral("1234"));
    Field(IDC_TEXT)->setFocus();
    EXPECT_TRUE(prompts->Messages().empty());
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_FALSE(Doc()->IsModified());

    TextResourceObject expected =
        MakeEntries({{.id = 1, .identifier = "ID_1", .text = "one two three"},
                     {.id = 42,
                      .identifier = "ŻÓŁW_Γ",
                      .audioFile = "głos_日本.wav",
                      .text = "Zażółć gęślą\r\nΚαλημέρα 日本語",
                      .comment = "コメント",
                      .speaker = "Ελένη",
                      .lengthMs = 1234}});
    QFile saved(Path("edit.trs"));
    QFile wanted(WriteTrs("expected.trs", expected));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    ASSERT_TRUE(wanted.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), wanted.readAll());

    // Opened again, the editor shows what was typed.
    Start({Path("edit.trs")});
    Activate();
    Select(1);
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT), "Zażółć gęślą\r\nΚαλημέρα 日本語");
    EXPECT_EQ(TextField(IDC_TEXT)->toPlainText(), "Zażółć gęślą\nΚαλημέρα 日本語");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_SPEAKER), "Ελένη");
    EXPECT_EQ(Label(1), "ŻÓŁW_Γ");
}

TEST_F(EntryEditingTest, StatisticsCountOnlyTheTextsAndStartAtZero) {
    Select(1);
    FocusAll(IDC_COMMENT);
    QTest::keyClicks(Field(IDC_COMMENT), QStringLiteral("many more words here"));
    FocusAll(IDC_TEXT);
    QTest::keyClicks(Field(IDC_TEXT), QStringLiteral("  "));
    QTest::keyClick(Field(IDC_TEXT), Qt::Key_Return);
    QTest::keyClicks(Field(IDC_TEXT), QStringLiteral(" "));
    ASSERT_EQ(Entry(1).text, "  \r\n ");
    SelectRoot();
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_ENTRIES), "2");
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_WORDS), "3")
        << "blanks and breaks are no words";
    EXPECT_EQ(g_pBlankView->GetDlgItemText(IDC_STAT_CHARS), "18")
        << "13 + 5 bytes; the comment not";

    Start({MakeTrs("empty.trs", {})});
    Activate();
    SelectRoot();
    ASSERT_NE(g_pBlankView, nullptr);
    EXPECT_EQ(View().GetModel().rowCount(View().GetModel().RootIndex()), 0);
    for (int id : {IDC_STAT_ENTRIES, IDC_STAT_WORDS, IDC_STAT_CHARS})
        EXPECT_EQ(g_pBlankView->GetDlgItemText(id), "0") << id;
}
