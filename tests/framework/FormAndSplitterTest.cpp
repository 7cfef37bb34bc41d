// Form views on templates inside the splitter: creating and replacing the
// right pane's view by class, the active view when a pane goes, control
// notifications routed into the form's table, and the status-bar indicators.

#include "AppFixture.h"
#include "CmdUI.h"
#include "DataExchange.h"
#include "DialogTemplate.h"
#include "FormView.h"
#include "KeyState.h"
#include "Resources.h"

#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTest>

namespace {

constexpr UINT IDD_FORM = 310;

const DLGTEMPLATE& FormTemplate() {
    static const DLGTEMPLATE tmpl{
        {},
        300,
        200,
        QStringLiteral("Sans Serif"),
        8,
        WS_CHILD,
        {
            {2000, CtlKind::Edit, {}, QRect(10, 10, 100, 14), WS_BORDER | WS_TABSTOP},
            {2001, CtlKind::Edit, {}, QRect(10, 30, 100, 14), WS_BORDER | WS_TABSTOP},
            {2002, CtlKind::Static, QStringLiteral("#count"), QRect(10, 50, 40, 8), 0},
        }};
    return tmpl;
}

class CTestForm : public CFormView {
    DECLARE_DYNCREATE(CTestForm)

public:
    CTestForm() : CFormView(IDD_FORM) { ++s_nCreated; }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, 2000, m_strName);
        DDX_Text(pDX, 2001, m_dwNumber);
        DDX_Text(pDX, 2002, m_strCount);
    }
    void OnChangeName() {
        UpdateData(true);
        ++m_nChanges;
        m_strCount = QString::number(m_strName.size());
        UpdateData(false);
    }

    CString m_strName = QStringLiteral("start");
    DWORD m_dwNumber = 5;
    CString m_strCount;
    int m_nChanges = 0;
    static int s_nCreated;

    DECLARE_MESSAGE_MAP()
};

int CTestForm::s_nCreated = 0;

IMPLEMENT_DYNCREATE(CTestForm, CFormView)
BEGIN_MESSAGE_MAP(CTestForm, CFormView)
ON_EN_CHANGE(2000, &CTestForm::OnChangeName)
END_MESSAGE_MAP()

class FormAndSplitter : public AppFixture {
protected:
    void SetUp() override {
        AfxGetResources().dialogs[IDD_FORM] = &FormTemplate();
        AppFixture::SetUp();
        Activate();
    }
    CSplitterWnd& Splitter() { return Frame()->m_wndSplitter; }
    // Replaces the right pane's view by a new one of the class, as the main frame does.
    void ReplaceRight(const CRuntimeClass* pClass) {
        Splitter().DeleteView(0, 1);
        Splitter().CreateView(0, 1, pClass, QSize(0, 0), nullptr);
        Splitter().RecalcLayout();
    }
};

} // namespace

TEST_F(FormAndSplitter, LeftPaneKeepsItsWidthAndTheRightTakesTheRest) {
    Frame()->resize(900, 600);
    Idle();
    QSplitter* splitter = Splitter().GetSplitter();
    EXPECT_EQ(splitter->sizes().value(0), 250);
    ReplaceRight(RUNTIME_CLASS(CTestForm));
    EXPECT_EQ(splitter->sizes().value(0), 250);
    EXPECT_EQ(splitter->sizes().value(0) + splitter->sizes().value(1) + splitter->handleWidth(),
              splitter->width());
}

TEST_F(FormAndSplitter, ViewMadeWithoutContextJoinsTheDocumentAndShowsItsMembers) {
    ReplaceRight(RUNTIME_CLASS(CTestForm));
    auto* form = dynamic_cast<CTestForm*>(Splitter().GetPane(0, 1));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->GetDocument(), Doc());
    EXPECT_EQ(Doc()->GetViews().size(), 2u);
    EXPECT_EQ(form->GetDlgItemText(2000), "start");
    EXPECT_EQ(form->GetDlgItemText(2001), "5");
    EXPECT_EQ(form->m_nChanges, 0) << "the initial update stores nothing";
}

TEST_F(FormAndSplitter, DeletingTheActiveViewMakesTheOtherPaneActive) {
    ReplaceRight(RUNTIME_CLASS(CTestForm));
    auto* form = dynamic_cast<CTestForm*>(Splitter().GetPane(0, 1));
    form->GetDlgItem(2001)->setFocus();
    ASSERT_EQ(Frame()->GetActiveView(), form);
    ReplaceRight(RUNTIME_CLASS(CTestView));
    EXPECT_EQ(Frame()->GetActiveView(), Splitter().GetPane(0, 0));
    EXPECT_TRUE(Frame()->ExecuteCommand(ID_TEST_ALL))
        << "routing goes on through the new active view";
    EXPECT_EQ(g_testLog, "view all;");
}

TEST_F(FormAndSplitter, TypingInAFormFieldReachesItsChangeHandler) {
    ReplaceRight(RUNTIME_CLASS(CTestForm));
    auto* form = dynamic_cast<CTestForm*>(Splitter().GetPane(0, 1));
    auto* name = qobject_cast<QLineEdit*>(form->GetDlgItem(2000));
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "abc");
    EXPECT_EQ(form->m_nChanges, 3);
    EXPECT_EQ(form->m_strName, "abc");
    EXPECT_EQ(form->GetDlgItemText(2002), "3") << "the handler's own UpdateData(false) is silent";
}

TEST_F(FormAndSplitter, FormFocusGoesToItsFirstFieldThroughF6) {
    ReplaceRight(RUNTIME_CLASS(CTestForm));
    auto* left = static_cast<CTestView*>(Splitter().GetPane(0, 0));
    auto* form = dynamic_cast<CTestForm*>(Splitter().GetPane(0, 1));
    left->m_pEdit->setFocus();
    QTest::keyClick(left->m_pEdit, Qt::Key_F6);
    EXPECT_TRUE(form->GetDlgItem(2000)->hasFocus());
    EXPECT_EQ(Frame()->GetActiveView(), form);
}

TEST_F(FormAndSplitter, LockKeyIndicatorsShowTheirTextOnlyWhileOn) {
    QLabel* caps = Frame()->m_wndStatusBar.GetPane(1);
    ASSERT_NE(caps, nullptr);
    const bool wasOn = AfxIsLockKeyOn(ID_INDICATOR_CAPS);
    auto* left = static_cast<CTestView*>(Splitter().GetPane(0, 0));
    left->m_pEdit->setFocus();
    Idle();
    EXPECT_EQ(caps->text(), wasOn ? "CAP" : "");
    QTest::keyClick(left->m_pEdit, Qt::Key_CapsLock);
    Idle();
    EXPECT_EQ(caps->text(), wasOn ? "" : "CAP");
    QTest::keyClick(left->m_pEdit, Qt::Key_CapsLock);
    Idle();
    EXPECT_EQ(caps->text(), wasOn ? "CAP" : "");
    EXPECT_EQ(Frame()->m_wndStatusBar.GetPane(2)->minimumWidth(),
              Frame()->m_wndStatusBar.GetPane(2)->fontMetrics().horizontalAdvance("NUM") + 12);
}
