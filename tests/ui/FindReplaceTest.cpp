// Find and replace in the running editor, as a user drives the dialog: find
// next shows the entry and the match, replace and replace all change only the
// matched bytes, the preview decides, identifiers stay valid.

#include "EditorFixture.h"
#include "ReplaceDlg.h"
#include "ReplacePreviewDlg.h"
#include "ReplacePreviewModel.h"
#include "ResourceIds.h"

#include <QAbstractButton>
#include <QTableView>

class FindReplaceTest : public EditorFixture {
protected:
    void SetUp() override {
        Settings().clear();
        TextResourceObject entries = MakeEntries({
            {.id = 1,
             .identifier = "GATE_GUARD",
             .text = "Halt! The gate\r\nis shut.",
             .comment = "gate scene",
             .speaker = "Wache"},
            {.id = 2,
             .identifier = "KAPITAEN",
             .text = "Der Kapitän und die Kapit\xC3\xA4nin",
             .speaker = "Kapit\xC3\xA4n"},
            {.id = 3, .identifier = "RAW", .audioFile = "gate.wav", .text = "\xFF gate\xC2\xA0\r"},
        });
        Start({WriteTrs("replace.trs", entries)});
        Activate();
    }
    static void Type(CDialog& dlg, int id, const char* text) {
        dlg.SetDlgItemText(id, QString::fromUtf8(text));
    }
    static void Press(CDialog& dlg, int id) {
        static_cast<QAbstractButton*>(dlg.GetDlgItem(id))->click();
    }
    // Opens the dialog with Ctrl+H's command and runs `script` in it.
    void RunDialog(std::function<void(CDialog&)> script) {
        prompts->DriveDialog([script](CDialog& dlg) {
            script(dlg);
            Press(dlg, IDCANCEL);
        });
        ASSERT_TRUE(Frame()->ExecuteCommand(ID_EDIT_REPLACE));
        Idle();
    }
    QString SelectedIn(int id) const {
        if (QLineEdit* line = LineField(id))
            return line->selectedText();
        return TextField(id)->textCursor().selectedText();
    }
};

TEST_F(FindReplaceTest, FindNextSelectsTheEntryAndTheMatchInEachFieldInTurn) {
    std::vector<std::pair<QString, QString>> seen; // identifier shown, selected text
    RunDialog([&](CDialog& dlg) {
        Type(dlg, IDC_FIND_TEXT, "gate");
        dlg.CheckDlgButton(IDC_FIELD_TEXT, 0);
        dlg.CheckDlgButton(IDC_FIELD_ALL, 1);
        for (int i = 0; i < 5; ++i) {
            Press(dlg, IDOK);
            int field = IDC_TEXT;
            for (int id : {IDC_IDENTIFIER, IDC_AUDIOFILE, IDC_TEXT, IDC_COMMENT, IDC_SPEAKER})
                if (!SelectedIn(id).isEmpty())
                    field = id;
            seen.emplace_back(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), SelectedIn(field));
        }
    });
    // Identifier GATE_GUARD (case ignored), its text, its comment; then the
    // third entry's audio file and text; nothing is changed by finding.
    const std::vector<std::pair<QString, QString>> expected = {{"GATE_GUARD", "GATE"},
                                                               {"GATE_GUARD", "gate"},
                                                               {"GATE_GUARD", "gate"},
                                                               {"RAW", "gate"},
                                                               {"RAW", "gate"}};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(FindReplaceTest, ReplaceChangesTheShownMatchOnlyAndTheFormFollows) {
    RunDialog([&](CDialog& dlg) {
        Type(dlg, IDC_FIND_TEXT, "gate");
        Type(dlg, IDC_REPLACE_TEXT, "door");
        Press(dlg, IDC_REPLACE_ONE); // finds first
        EXPECT_FALSE(Doc()->IsModified());
        Press(dlg, IDC_REPLACE_ONE); // replaces the first entry's, shows the third's
        EXPECT_EQ(Entry(0).text, "Halt! The door\r\nis shut.");
        EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_IDENTIFIER), "RAW");
        Press(dlg, IDC_REPLACE_ONE);
    });
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Entry(0).comment, "gate scene") << "only the text field was chosen";
    EXPECT_EQ(Entry(2).text, "\xFF door\xC2\xA0\r") << "bytes around the match are kept";
    EXPECT_EQ(Entry(2).audioFile, "gate.wav");
    EXPECT_TRUE(
        g_pTextView->GetDlgItemText(IDC_TEXT).endsWith(QString::fromUtf8(" door\xC2\xA0\r")));
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_CHARS), "9");
}

TEST_F(FindReplaceTest, ReplaceAllShowsThePreviewAndAppliesOnlyAfterConfirming) {
    int rows = 0;
    QStringList marked;
    auto preview = [&](bool confirm) {
        prompts->DriveDialog([&, confirm](CDialog& dlg) {
            auto& table = *static_cast<CReplacePreviewDlg&>(dlg).Table();
            rows = table.model()->rowCount();
            marked = table.model()
                         ->index(0, ReplacePreviewModel::Before)
                         .data(ReplacePreviewModel::SegmentsRole)
                         .toStringList();
            Press(dlg, confirm ? IDOK : IDCANCEL);
        });
    };
    RunDialog([&](CDialog& dlg) {
        Type(dlg, IDC_FIND_TEXT, "Kapit\xC3\xA4n");
        Type(dlg, IDC_REPLACE_TEXT, "Hauptmann");
        dlg.CheckDlgButton(IDC_WHOLE_WORDS, 1);
        dlg.CheckDlgButton(IDC_FIELD_TEXT, 0);
        dlg.CheckDlgButton(IDC_FIELD_ALL, 1);
        preview(false);
        Press(dlg, IDC_REPLACE_ALL);
        EXPECT_FALSE(Doc()->IsModified()) << "cancelled: nothing written";
        EXPECT_EQ(Entry(1).text, "Der Kapit\xC3\xA4n und die Kapit\xC3\xA4nin");
        preview(true);
        Press(dlg, IDC_REPLACE_ALL);
    });
    // "Kapitänin" is not the whole word; the speaker is.
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(marked, (QStringList{"Der ", QString::fromUtf8("Kapitän"), " und die Kapitänin"}));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Entry(1).text, "Der Hauptmann und die Kapit\xC3\xA4nin");
    EXPECT_EQ(Entry(1).speaker, "Hauptmann");
    EXPECT_EQ(Entry(1).identifier, "KAPITAEN");
}

TEST_F(FindReplaceTest, IdentifiersAreKeptUniqueAndInCapitals) {
    QString status;
    int previewRows = 0;
    QString note;
    RunDialog([&](CDialog& dlg) {
        dlg.CheckDlgButton(IDC_FIELD_TEXT, 0);
        dlg.CheckDlgButton(IDC_FIELD_IDENTIFIER, 1);
        dlg.CheckDlgButton(IDC_MATCH_CASE, 1);
        // Lower case: shown and refused, nothing changes.
        Type(dlg, IDC_FIND_TEXT, "RAW");
        Type(dlg, IDC_REPLACE_TEXT, "raw");
        Press(dlg, IDC_REPLACE_ONE);
        Press(dlg, IDC_REPLACE_ONE);
        status = dlg.GetDlgItemText(IDC_REPLACE_STATUS);
        // Taken by the first change: the second is left out, the first applies.
        Type(dlg, IDC_FIND_TEXT, "^(GATE_GUARD|RAW)$");
        dlg.CheckDlgButton(IDC_REGEX, 1);
        Type(dlg, IDC_REPLACE_TEXT, "KAPITAEN_2");
        prompts->DriveDialog([&](CDialog& preview) {
            const QAbstractItemModel& rows =
                *static_cast<CReplacePreviewDlg&>(preview).Table()->model();
            previewRows = rows.rowCount();
            note = rows.index(1, ReplacePreviewModel::Note).data().toString();
            Press(preview, IDOK);
        });
        Press(dlg, IDC_REPLACE_ALL);
    });
    EXPECT_TRUE(status.contains("capitals")) << status.toStdString();
    EXPECT_EQ(previewRows, 2) << "one change and one left out";
    EXPECT_EQ(note, "skipped: another entry has this identifier");
    EXPECT_EQ(Entry(0).identifier, "KAPITAEN_2");
    EXPECT_EQ(Entry(2).identifier, "RAW");
    EXPECT_EQ(Label(0), "KAPITAEN_2");
}

TEST_F(FindReplaceTest, ABadPatternIsNamedInTheDialogAndNothingHappens) {
    QString status;
    RunDialog([&](CDialog& dlg) {
        dlg.CheckDlgButton(IDC_REGEX, 1);
        Type(dlg, IDC_FIND_TEXT, "(gate");
        Type(dlg, IDC_REPLACE_TEXT, "x");
        Press(dlg, IDC_REPLACE_ALL);
        status = dlg.GetDlgItemText(IDC_REPLACE_STATUS);
    });
    EXPECT_TRUE(status.contains("not valid")) << status.toStdString();
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(prompts->unexpected, 0);
}

TEST_F(FindReplaceTest, TheCommandIsInTheEditMenuAfterSearchWithCtrlH) {
    const QMenu* edit = ShowMenu("&Edit");
    ASSERT_NE(edit, nullptr);
    const QList<QAction*> actions = edit->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions.last()->text().split('\t').first(), "&Replace...");
    EXPECT_EQ(actions.last()->text().split('\t').last(), "Strg+H");
    EXPECT_TRUE(Offered(ID_EDIT_REPLACE));
}
