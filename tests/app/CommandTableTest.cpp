// The menus, the toolbar, the accelerators and the prompts as the user meets
// them, checked against the command table.

#include "CommandTable.h"

#include "Dialog.h"
#include "LexariumAppFixture.h"
#include "ResourceIds.h"
#include "Resources.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <algorithm>

using CommandTableTest = LexariumAppFixture;

namespace {

// "label" for items, "-" for separators.
std::vector<QString> MenuTexts(QMenu* menu) {
    std::vector<QString> texts;
    for (QAction* action : menu->actions())
        texts.push_back(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

TEST_F(CommandTableTest, MenusHoldTheCommandsInOrderWithTheirShortcutTexts) {
    std::vector<QString> titles;
    for (QAction* action : Frame()->menuBar()->actions())
        titles.push_back(action->text());
    // The later "&Tools" menu comes before "&?", which stays last.
    EXPECT_EQ(titles, (std::vector<QString>{"&File", "&Edit", "&View", "&Tools", "&?"}));
    EXPECT_EQ(
        MenuTexts(Frame()->FindMenu("&File")),
        (std::vector<QString>{"&New\tStrg+N", "&Open...\tStrg+O", "&Save\tStrg+S", "Save &As...",
                              "Export...\tStrg+E", "-", "Last File", "-", "E&xit"}));
    EXPECT_EQ(
        MenuTexts(Frame()->FindMenu("&Edit")),
        (std::vector<QString>{"&Undo\tStrg+Z", "-", "Cu&t\tStrg+X", "&Copy\tStrg+C",
                              "&Paste\tStrg+V", "-", "&Search\tStrg+F", "&Replace...\tStrg+H"}));
    EXPECT_EQ(MenuTexts(Frame()->FindMenu("&View")),
              (std::vector<QString>{"&Toolbar", "&Statusbar", "&Reference", "&Problems"}));
    EXPECT_EQ(MenuTexts(Frame()->FindMenu("&?")), (std::vector<QString>{"&About Lexarium..."}));
    EXPECT_EQ(
        MenuTexts(Frame()->FindMenu("&Tools")),
        (std::vector<QString>{"Open &Reference...", "&Lengths from recordings", "-", "&Check\tStrg+F8", "Check &Options...",
                              "-", "&Next Problem\tF8", "P&revious Problem\tUmschalt+F8"}));
}

TEST_F(CommandTableTest, ToolbarHasElevenButtonsWithPicturesAndTooltips) {
    QToolBar* bar = Frame()->m_wndToolBar.GetToolBar();
    std::vector<UINT> ids;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            ids.push_back(ID_SEPARATOR);
            continue;
        }
        const UINT nID = action->property("cmdId").toUInt();
        ids.push_back(nID);
        EXPECT_FALSE(action->icon().isNull()) << nID;
        const CString prompt = FindCommand(nID)->strPrompt;
        EXPECT_EQ(action->toolTip(), prompt.section('\n', 1, 1)) << nID;
        EXPECT_EQ(action->statusTip(), prompt.section('\n', 0, 0)) << nID;
    }
    EXPECT_EQ(ids, (std::vector<UINT>{ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR,
                                      ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR,
                                      ID_ENTRY_NEW, ID_ENTRY_DELETE, ID_AUDIO_TEST, ID_SEPARATOR,
                                      ID_TOOLBAR_SEARCH, ID_APP_ABOUT}));
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    EXPECT_EQ(Frame()->FindCommandAction(ID_EDIT_CUT)->toolTip(), "Copy")
        << "Cut shares Copy's string";
    EXPECT_EQ(Frame()->FindCommandAction(ID_ENTRY_DELETE)->statusTip(),
              "Delete the selected text resource entry.");
}

TEST_F(CommandTableTest, StatusBarShowsTheButtonPromptUnderThePointerAndReadyOtherwise) {
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
    QAction* audio = Frame()->FindCommandAction(ID_AUDIO_TEST);
    audio->showStatusText(Frame()->m_wndToolBar.GetToolBar());
    EXPECT_EQ(Frame()->GetMessageText(),
              "Open audio test panel to control text and assigned audio file.");
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(Frame(), &leave);
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
    EXPECT_EQ(Frame()->m_wndStatusBar.GetCount(), 4);
}

TEST_F(CommandTableTest, AcceleratorsAreTheTableKeysAndCtrlEAndCtrlFRunExportAndSearch) {
    struct Binding {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        UINT nID;
    };
    const Binding bound[] = {
        {Qt::ControlModifier, Qt::Key_N, ID_FILE_NEW},
        {Qt::ControlModifier, Qt::Key_O, ID_FILE_OPEN},
        {Qt::ControlModifier, Qt::Key_S, ID_FILE_SAVE},
        {Qt::ControlModifier, Qt::Key_Z, ID_EDIT_UNDO},
        {Qt::AltModifier, Qt::Key_Backspace, ID_EDIT_UNDO},
        {Qt::ControlModifier, Qt::Key_X, ID_EDIT_CUT},
        {Qt::ShiftModifier, Qt::Key_Delete, ID_EDIT_CUT},
        {Qt::ControlModifier, Qt::Key_C, ID_EDIT_COPY},
        {Qt::ControlModifier, Qt::Key_Insert, ID_EDIT_COPY},
        {Qt::ControlModifier, Qt::Key_V, ID_EDIT_PASTE},
        {Qt::ShiftModifier, Qt::Key_Insert, ID_EDIT_PASTE},
        {Qt::NoModifier, Qt::Key_F6, ID_NEXT_PANE},
        {Qt::ControlModifier, Qt::Key_H, ID_EDIT_REPLACE},
        {Qt::ControlModifier, Qt::Key_L, ID_VIEW_FILTER},
        {Qt::ShiftModifier, Qt::Key_F6, ID_PREV_PANE},
        {Qt::ControlModifier, Qt::Key_E, ID_FILE_EXPORT},
        {Qt::ControlModifier, Qt::Key_F, ID_EDIT_SEARCH},
        // Later commands.
        {Qt::ControlModifier, Qt::Key_F8, ID_TOOLS_CHECK},
        {Qt::NoModifier, Qt::Key_F8, ID_NEXT_PROBLEM},
        {Qt::ShiftModifier, Qt::Key_F8, ID_PREV_PROBLEM},
    };
    std::vector<std::pair<int, UINT>> expected;
    for (const Binding& b : bound)
        expected.emplace_back(QKeyCombination(b.modifiers, b.key).toCombined(), b.nID);
    std::vector<std::pair<int, UINT>> actual;
    for (const ACCELRES& accel : AfxGetResources().accelerators[IDR_MAINFRAME])
        actual.emplace_back(accel.key.toCombined(), accel.nID);
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);

    // The keys the menus show run their commands: Ctrl+E asks where to export,
    // Ctrl+F opens the search; without entries both are disabled and do nothing.
    Activate();
    auto* tree = Frame()->findChild<QTreeView*>();
    ASSERT_NE(tree, nullptr);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(tree, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(prompts->prompts.empty());

    Start({MakeTrs("a.trs", {"one"})});
    Activate();
    tree = Frame()->findChild<QTreeView*>();
    tree->setFocus();
    prompts->CancelFile();
    QTest::keyClick(tree, Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(prompts->prompts.size(), 1u);
    EXPECT_EQ(prompts->prompts[0].kind, RecordedPrompt::File);
    EXPECT_FALSE(prompts->prompts[0].open) << "the export's save dialog";
    CString searchTitle;
    prompts->DriveDialog([&](CDialog& dlg) {
        searchTitle = dlg.windowTitle();
        dlg.EndDialog(IDCANCEL);
    });
    QTest::keyClick(tree, Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(prompts->prompts.size(), 2u);
    EXPECT_EQ(prompts->prompts[1].kind, RecordedPrompt::Dialog);
    EXPECT_EQ(searchTitle, "Search");
    EXPECT_EQ(prompts->unexpected, 0);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(CommandTableTest, EditCommandsAreDisabledWhileTheTreeHasTheFocus) {
    Activate();
    Frame()->findChild<QTreeView*>()->setFocus();
    Idle();
    ShowMenu("&Edit");
    for (UINT nID : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        EXPECT_FALSE(IsEnabled(nID)) << nID;
}

TEST_F(CommandTableTest, EveryCommandShowsItsPromptAndTooltip) {
    const std::pair<UINT, const char*> prompts[] = {
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_EXPORT, ""},
        {ID_FILE_MRU_FILE1, "Open this document"},
        {ID_FILE_MRU_FILE1 + 15, "Open this document"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_CUT, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_EDIT_SEARCH, ""},
        {ID_TOOLBAR_SEARCH, "Search for an entry\nSearch"},
        {ID_ENTRY_NEW, "Create a new text resource entry.\nCreate new entry"},
        {ID_ENTRY_DELETE, "Delete the selected text resource entry.\nDelete selected entry"},
        {ID_AUDIO_TEST, "Open audio test panel to control text and assigned audio file.\n"
                        "Open audio test panel"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    };
    for (const auto& [nID, prompt] : prompts) {
        const CString text = QString::fromLatin1(prompt);
        EXPECT_EQ(AfxLoadString(nID), text) << nID;
        // What the user meets: the status bar's text and the tooltip of menu items and buttons.
        if (QAction* action = Frame()->FindCommandAction(nID)) {
            EXPECT_EQ(action->statusTip(), text.section('\n', 0, 0)) << nID;
            if (text.contains('\n')) {
                EXPECT_EQ(action->toolTip(), text.section('\n', 1, 1)) << nID;
            }
        }
    }
    for (UINT nID : {ID_FILE_NEW, ID_FILE_SAVE_AS, ID_APP_EXIT, ID_EDIT_UNDO, ID_VIEW_TOOLBAR,
                     ID_FILE_EXPORT, ID_EDIT_SEARCH, ID_TOOLBAR_SEARCH, ID_ENTRY_NEW})
        EXPECT_NE(Frame()->FindCommandAction(nID), nullptr) << nID;
}
