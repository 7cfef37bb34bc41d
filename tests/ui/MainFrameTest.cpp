// The main frame's panes: the start-up layout, the switch of the right pane
// (new form only when the kind changes; the statistics refreshed on every
// request), the tree's selection driving it, and the bars not moving panes.

#include "EditorFixture.h"
#include "LexariumView_Blank.h"
#include "ResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenuBar>
#include <QPointer>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {

QModelIndex RootIndex(QTreeView& tree) {
    return tree.model()->index(0, 0, {});
}

} // namespace

class MainFrameTest : public EditorFixture {
protected:
    QWidget* Right() const { return Frame()->m_wndSplitter.GetPane(0, 1); }
};

TEST_F(MainFrameTest, StartsWithTheTreeLeftAndAnEditorFormRightButNoPaneKind) {
    EXPECT_NE(dynamic_cast<CLexariumView*>(Frame()->m_wndSplitter.GetPane(0, 0)), nullptr);
    EXPECT_EQ(Right(), g_pTextView);
    EXPECT_NE(g_pTextView, nullptr);
    EXPECT_EQ(g_pBlankView, nullptr);
    EXPECT_EQ(Frame()->m_nRightPane, PANE_NONE);
    EXPECT_EQ(Frame()->m_wndSplitter.GetSplitter()->sizes().value(0), 250);
    EXPECT_NE(Frame()->m_wndToolBar.GetToolBar(), nullptr);
    EXPECT_EQ(Frame()->GetControlBar(AFX_IDW_TOOLBAR), Frame()->m_wndToolBar.GetToolBar());
    EXPECT_EQ(Frame()->GetControlBar(AFX_IDW_STATUS_BAR), Frame()->m_wndStatusBar.GetStatusBar());
}

TEST_F(MainFrameTest, TreeShowsTheRootAndTheEntriesInOrder) {
    const QModelIndex root = RootIndex(Tree());
    EXPECT_EQ(root.data().toString(), "Textresourcen");
    ASSERT_EQ(Tree().model()->rowCount(root), 2);
    EXPECT_EQ(Tree().model()->index(0, 0, root).data().toString(), "ID_1");
    EXPECT_EQ(Tree().model()->index(1, 0, root).data().toString(), "ID_2");
    EXPECT_TRUE(Tree().isExpanded(root));
}

TEST_F(MainFrameTest, TreeDrawsLinesToItsItemsAndAButtonOnTheRoot) {
    auto& view = *static_cast<CLexariumView*>(Frame()->m_wndSplitter.GetPane(0, 0));
    EXPECT_EQ(view.GetStyle() & 0x2F, 0x2Fu);
    EXPECT_TRUE(Tree().rootIsDecorated());
    // Pixels of this colour in the branch area left of an item's label.
    const QImage image = Tree().viewport()->grab().toImage();
    auto inBranches = [&](const QModelIndex& index, QPalette::ColorRole role) {
        const QRect row = Tree().visualRect(index);
        const QRgb colour = Tree().palette().color(role).rgb();
        int count = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = 0; x < row.left(); ++x)
                count += image.pixel(x, y) == colour ? 1 : 0;
        return count;
    };
    const QModelIndex root = RootIndex(Tree());
    EXPECT_GT(inBranches(Tree().model()->index(0, 0, root), QPalette::Dark), 4) << "dotted lines";
    EXPECT_GT(inBranches(Tree().model()->index(1, 0, root), QPalette::Dark), 4);
    EXPECT_GT(inBranches(root, QPalette::Text), 2) << "the minus of the root's button";
}

TEST_F(MainFrameTest, FirstEditorRequestReplacesTheFormAndLaterOnesKeepIt) {
    QPointer<QWidget> initial = Right();
    Frame()->SwitchRightPane(PANE_EDITOR);
    QWidget* first = Right();
    EXPECT_NE(dynamic_cast<CLexariumView_Text*>(first), nullptr);
    EXPECT_EQ(Frame()->m_nRightPane, PANE_EDITOR);
    EXPECT_EQ(g_pTextView, first);
    EXPECT_TRUE(initial.isNull()) << "-1 differs from 0: the first form is replaced";
    Frame()->SwitchRightPane(PANE_EDITOR);
    EXPECT_EQ(Right(), first);
    EXPECT_EQ(Frame()->m_wndSplitter.GetSplitter()->sizes().value(0), 250);
}

TEST_F(MainFrameTest, StatisticsRequestWhileShownRefreshesWithoutANewForm) {
    Frame()->SwitchRightPane(PANE_STATISTICS);
    auto* blank = dynamic_cast<CLexariumView_Blank*>(Right());
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(g_pBlankView, blank);
    EXPECT_EQ(g_pTextView, nullptr);
    EXPECT_EQ(blank->GetDocument(), Doc());
    blank->m_strEntries = "stale";
    blank->SetDlgItemText(IDC_STAT_ENTRIES, "stale");
    Doc()->m_textResources.AddEntry(MakeEntry({.text = "more words here"}));
    Frame()->SwitchRightPane(PANE_STATISTICS);
    EXPECT_EQ(Right(), blank);
    EXPECT_EQ(blank->m_strEntries, "3") << "recounted on the repeated request";
    EXPECT_EQ(blank->GetDlgItemText(IDC_STAT_ENTRIES), "3");
    EXPECT_EQ(blank->GetDlgItemText(IDC_STAT_WORDS), "7");
    EXPECT_EQ(blank->GetDlgItemText(IDC_STAT_CHARS), "32");

    Frame()->SwitchRightPane(PANE_EDITOR);
    EXPECT_EQ(g_pBlankView, nullptr);
    EXPECT_NE(dynamic_cast<CLexariumView_Text*>(Right()), nullptr);
}

TEST_F(MainFrameTest, ClickingTheRootShowsStatisticsAndAnEntryBringsBackAnEditor) {
    Click(Tree().model()->index(0, 0, RootIndex(Tree())));
    EXPECT_EQ(Frame()->m_nRightPane, PANE_EDITOR);
    ASSERT_NE(g_pTreeView->m_pCurrentEntry, nullptr);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->identifier, "ID_1");

    Click(RootIndex(Tree()));
    EXPECT_EQ(Frame()->m_nRightPane, PANE_STATISTICS);
    EXPECT_NE(g_pBlankView, nullptr);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->identifier, "ID_1") << "the root keeps the entry";
    Idle();
    EXPECT_TRUE(IsEnabled(ID_ENTRY_DELETE));

    Click(Tree().model()->index(1, 0, RootIndex(Tree())));
    EXPECT_EQ(Frame()->m_nRightPane, PANE_EDITOR);
    EXPECT_NE(g_pTextView, nullptr);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->identifier, "ID_2");
}

TEST_F(MainFrameTest, ArrowKeysInTheTreeSelectAndShowTheEntries) {
    Tree().setFocus();
    const auto press = [this](Qt::Key key) { QTest::keyClick(Tree().viewport(), key); };
    Click(RootIndex(Tree()));
    ASSERT_EQ(Frame()->m_nRightPane, PANE_STATISTICS);
    press(Qt::Key_Down);
    EXPECT_EQ(Frame()->m_nRightPane, PANE_EDITOR);
    ASSERT_NE(g_pTextView, nullptr);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->identifier, "ID_1");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT), "one two three");
    press(Qt::Key_Down);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->identifier, "ID_2");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT), "four");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_TEXT_WORDS), "1");
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(Frame()->m_nRightPane, PANE_STATISTICS);
    EXPECT_NE(g_pBlankView, nullptr);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry->identifier, "ID_1") << "the root keeps the entry";
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(MainFrameTest, HidingOrMovingTheToolbarLeavesThePanes) {
    Frame()->SwitchRightPane(PANE_STATISTICS);
    QWidget* right = Right();
    Frame()->ExecuteCommand(ID_VIEW_TOOLBAR);
    Frame()->ExecuteCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(Frame()->m_wndToolBar.GetToolBar()->isHidden());
    EXPECT_TRUE(Frame()->m_wndStatusBar.GetStatusBar()->isHidden());
    Frame()->ExecuteCommand(ID_VIEW_TOOLBAR);
    Frame()->addToolBar(Qt::LeftToolBarArea, Frame()->m_wndToolBar.GetToolBar());
    EXPECT_EQ(Frame()->toolBarArea(Frame()->m_wndToolBar.GetToolBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(Right(), right);
    EXPECT_EQ(Frame()->m_nRightPane, PANE_STATISTICS);
    ShowMenu("&View");
    EXPECT_TRUE(Frame()->FindCommandAction(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_FALSE(Frame()->FindCommandAction(ID_VIEW_STATUS_BAR)->isChecked());
}

TEST_F(MainFrameTest, RightClickOnTheBarsOpensNoMenu) {
    EXPECT_EQ(Frame()->createPopupMenu(), nullptr);
    for (QWidget* bar : {static_cast<QWidget*>(Frame()->m_wndToolBar.GetToolBar()),
                         static_cast<QWidget*>(Frame()->menuBar())}) {
        // A menu that opened would run its own loop; this closes it and says so.
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                opened = true;
                popup->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                                bar->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(bar, &event);
        QCoreApplication::processEvents();
        EXPECT_FALSE(opened) << bar->metaObject()->className();
    }
}

TEST_F(MainFrameTest, OpeningAnotherFileRebuildsTheTreeWithoutACurrentEntry) {
    Click(Tree().model()->index(1, 0, RootIndex(Tree())));
    prompts->AnswerFile(MakeTrs("other.trs", {"a", "b", "c"}));
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    EXPECT_EQ(Tree().model()->rowCount(RootIndex(Tree())), 3);
    EXPECT_EQ(g_pTreeView->m_pCurrentEntry, nullptr);
    EXPECT_FALSE(Tree().currentIndex().isValid());
    Idle();
    EXPECT_FALSE(IsEnabled(ID_ENTRY_DELETE));
}
