// Commands through the route view -> document -> frame -> application, the
// enable rules (idle pass, menus, the check before a command runs), the
// accelerators and the message hook.

#include "AppFixture.h"
#include "CmdUI.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

CTestView* LeftView(CTestFrame* frame) {
    return static_cast<CTestView*>(frame->m_wndSplitter.GetPane(0, 0));
}
CTestView* RightView(CTestFrame* frame) {
    return static_cast<CTestView*>(frame->m_wndSplitter.GetPane(0, 1));
}

} // namespace

using CommandRouting = AppFixture;

TEST_F(CommandRouting, FirstStageOfTheRouteThatHandlesTheCommandTakesIt) {
    ASSERT_TRUE(started);
    ASSERT_NE(Frame()->GetActiveView(), nullptr);
    for (UINT id : {ID_TEST_ALL, ID_TEST_DOC, ID_TEST_FRAME, ID_TEST_APP})
        EXPECT_TRUE(Frame()->ExecuteCommand(id));
    EXPECT_EQ(g_testLog, "view all;doc doc;frame frame;app app;");
}

TEST_F(CommandRouting, UnhandledCommandIsDisabledAndDoesNotRun) {
    EXPECT_FALSE(Frame()->ExecuteCommand(ID_TEST_NONE));
    Idle();
    EXPECT_FALSE(Frame()->FindCommandAction(ID_TEST_NONE)->isEnabled());
    EXPECT_TRUE(Frame()->FindCommandAction(ID_FILE_NEW)->isEnabled());
}

TEST_F(CommandRouting, WithoutActiveViewTheDocumentStillGetsCommands) {
    Frame()->SetActiveView(nullptr, false);
    EXPECT_TRUE(Frame()->ExecuteCommand(ID_TEST_ALL));
    EXPECT_EQ(g_testLog, "doc all;");
}

TEST_F(CommandRouting, IdlePassUpdatesToolbarOnceAfterAChange) {
    Idle();
    QAction* gated = Frame()->FindCommandAction(ID_TEST_GATED);
    ASSERT_TRUE(gated->isEnabled());
    const int callsBefore = Doc()->m_nUpdateCalls;
    Idle();
    EXPECT_EQ(Doc()->m_nUpdateCalls, callsBefore) << "no change, no pass";

    Doc()->m_bAllow = false;
    Doc()->SetModifiedFlag(true); // something changed
    EXPECT_TRUE(gated->isEnabled()) << "nothing runs before the loop goes idle";
    Idle();
    EXPECT_FALSE(gated->isEnabled());
    EXPECT_EQ(Doc()->m_nUpdateCalls, callsBefore + 1);
}

TEST_F(CommandRouting, ActionChangesOnlyWhenTheStateDiffers) {
    Idle();
    QAction* gated = Frame()->FindCommandAction(ID_TEST_GATED);
    int changes = 0;
    QObject::connect(gated, &QAction::changed, [&] { ++changes; });
    for (int i = 0; i < 3; ++i) {
        app->RequestIdleUpdate();
        Idle();
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(CommandRouting, MenuItemsAreUpdatedWhenTheMenuShows) {
    QMenu* menu = Frame()->FindMenu(QStringLiteral("&Test"));
    ASSERT_NE(menu, nullptr);
    Doc()->m_bAllow = false; // no idle pass in between
    emit menu->aboutToShow();
    EXPECT_FALSE(Frame()->FindCommandAction(ID_TEST_GATED)->isEnabled());
    EXPECT_FALSE(Frame()->FindCommandAction(ID_TEST_NONE)->isEnabled());
    EXPECT_TRUE(Frame()->FindCommandAction(ID_TEST_ALL)->isEnabled());
}

TEST_F(CommandRouting, StaleEnabledButtonAsksAgainBeforeRunning) {
    Activate();
    Idle();
    QAction* gated = Frame()->FindCommandAction(ID_TEST_GATED);
    ASSERT_TRUE(gated->isEnabled());
    Doc()->m_bAllow = false; // the toolbar has not been told yet
    auto* button =
        qobject_cast<QToolButton*>(Frame()->m_wndToolBar.GetToolBar()->widgetForAction(gated));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(g_testLog, "");
    EXPECT_FALSE(gated->isEnabled());

    Doc()->m_bAllow = true;
    app->RequestIdleUpdate();
    Idle();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(g_testLog, "doc gated;");
}

TEST_F(CommandRouting, AcceleratorRunsItsCommandBeforeTheFocusedFieldSeesTheKey) {
    Activate();
    CTestView* left = LeftView(Frame());
    left->m_pEdit->setFocus();
    QTest::keyClick(left->m_pEdit, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(g_testLog, "doc gated;");
    EXPECT_EQ(left->m_pEdit->text(), "");

    Doc()->m_bAllow = false;
    QTest::keyClick(left->m_pEdit, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(g_testLog, "doc gated;") << "disabled: the key does nothing";

    QTest::keyClicks(left->m_pEdit, "ab");
    EXPECT_EQ(left->m_pEdit->text(), "ab") << "plain keys reach the field";
}

TEST_F(CommandRouting, HookSeesEachKeyAndMousePressOnce) {
    Activate();
    CTestView* left = LeftView(Frame());
    left->m_pEdit->setFocus();
    app->m_seenMessages.clear();
    QTest::keyClick(left->m_pEdit, Qt::Key_A);
    QTest::mouseClick(left->m_pEdit, Qt::LeftButton);
    QTest::mouseClick(left->m_pEdit, Qt::RightButton);
    EXPECT_EQ(app->m_seenMessages, (std::vector<UINT>{WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN}));

    // A key that is also a shortcut is seen first, once; one that an
    // accelerator takes reaches no shortcut.
    int f9 = 0;
    int f6 = 0;
    QShortcut shortcutF9(QKeySequence(Qt::Key_F9), Frame(), [&f9] { ++f9; });
    QShortcut shortcutF6(QKeySequence(Qt::Key_F6), Frame(), [&f6] { ++f6; });
    app->m_seenMessages.clear();
    QTest::keyClick(left->m_pEdit, Qt::Key_F9);
    QTest::keyClick(left->m_pEdit, Qt::Key_F6);
    EXPECT_EQ(app->m_seenMessages, (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN}));
    EXPECT_EQ(f9, 1);
    EXPECT_EQ(f6, 0);
    EXPECT_TRUE(RightView(Frame())->m_pEdit->hasFocus()) << "F6 moved to the next pane";
}

TEST_F(CommandRouting, F6AndShiftF6MoveBetweenPanesAndChangeTheActiveView) {
    Activate();
    CTestView* left = LeftView(Frame());
    CTestView* right = RightView(Frame());
    left->m_pEdit->setFocus();
    EXPECT_EQ(Frame()->GetActiveView(), left);
    QTest::keyClick(left->m_pEdit, Qt::Key_F6);
    EXPECT_TRUE(right->m_pEdit->hasFocus());
    EXPECT_EQ(Frame()->GetActiveView(), right);
    QTest::keyClick(right->m_pEdit, Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(left->m_pEdit->hasFocus());
    EXPECT_EQ(Frame()->GetActiveView(), left);
}

TEST_F(CommandRouting, ViewTogglesShowAndHideTheBarsWithCheckMarks) {
    Frame()->show();
    QMenu* view = Frame()->FindMenu(QStringLiteral("&View"));
    emit view->aboutToShow();
    QAction* toolbar = Frame()->FindCommandAction(ID_VIEW_TOOLBAR);
    QAction* status = Frame()->FindCommandAction(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(toolbar->isChecked());
    EXPECT_TRUE(status->isChecked());
    QWidget* centralBefore = Frame()->centralWidget();

    toolbar->trigger();
    emit view->aboutToShow();
    EXPECT_TRUE(Frame()->m_wndToolBar.GetToolBar()->isHidden());
    EXPECT_FALSE(toolbar->isChecked());
    status->trigger();
    emit view->aboutToShow();
    EXPECT_TRUE(Frame()->m_wndStatusBar.GetStatusBar()->isHidden());
    EXPECT_FALSE(status->isChecked());
    EXPECT_EQ(Frame()->centralWidget(), centralBefore) << "the panes stay";

    toolbar->trigger();
    emit view->aboutToShow();
    EXPECT_FALSE(Frame()->m_wndToolBar.GetToolBar()->isHidden());
    EXPECT_TRUE(toolbar->isChecked());
}

TEST_F(CommandRouting, StatusBarShowsPromptsAndReadyWhenIdle) {
    Frame()->show();
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
    QAction* gated = Frame()->FindCommandAction(ID_TEST_GATED);
    EXPECT_EQ(gated->toolTip(), "Gated");
    gated->showStatusText(Frame()->m_wndToolBar.GetToolBar());
    EXPECT_EQ(Frame()->GetMessageText(), "Run the gated command");
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(Frame(), &leave);
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
}

TEST_F(CommandRouting, MenuShowsTheShortcutColumnText) {
    EXPECT_EQ(Frame()->FindCommandAction(ID_FILE_NEW)->text(), "&New\tStrg+N");
    EXPECT_FALSE(Frame()->FindCommandAction(ID_FILE_NEW)->isIconVisibleInMenu());
}

// A status line outlives what writes "Ready" over the pane (a menu that closes,
// the pointer leaving the toolbar), gives way to prompts for as long as they
// show, and goes with the next command.
TEST_F(CommandRouting, StatusLineStaysUntilTheNextCommand) {
    Frame()->show();
    Frame()->ShowStatusLine("Nothing found for this");
    EXPECT_EQ(Frame()->GetMessageText(), "Nothing found for this");

    QMenu* menu = Frame()->FindMenu("&Test");
    QAction* gated = Frame()->FindCommandAction(ID_TEST_GATED);
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(gated);
    EXPECT_EQ(Frame()->GetMessageText(), "Run the gated command") << "the prompt passes over";
    menu->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(Frame()->GetMessageText(), "Nothing found for this") << "the menu closed";

    gated->showStatusText(Frame()->m_wndToolBar.GetToolBar());
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(Frame(), &leave);
    EXPECT_EQ(Frame()->GetMessageText(), "Nothing found for this") << "the pointer left";

    EXPECT_TRUE(Frame()->ExecuteCommand(ID_TEST_ALL));
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
    EXPECT_EQ(Frame()->GetStatusLine(), "");
    QCoreApplication::sendEvent(Frame(), &leave);
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");

    Frame()->ShowStatusLine("Again");
    Doc()->m_bAllow = false;
    EXPECT_FALSE(Frame()->ExecuteCommand(ID_TEST_GATED));
    EXPECT_EQ(Frame()->GetMessageText(), "Again") << "a command that did not run clears nothing";
}
