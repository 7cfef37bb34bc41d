// Dialog templates, data exchange and modal dialogs: the number rules, the
// refused field, notifications during UpdateData, line breaks and upper case,
// layout in dialog units and tab order, and dialogs driven through the seam.

#include "DataExchange.h"

#include "AppFixture.h"
#include "Dialog.h"
#include "DialogTemplate.h"
#include "EditControl.h"
#include "Resources.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace {

constexpr UINT IDD_TEST = 300;

const DLGTEMPLATE& TestTemplate() {
    static const DLGTEMPLATE tmpl{
        QStringLiteral("Test dialog"),
        200,
        120,
        QStringLiteral("Sans Serif"),
        8,
        DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
        {
            {1000,
             CtlKind::Edit,
             {},
             QRect(40, 5, 40, 14),
             WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
            {1001,
             CtlKind::Edit,
             {},
             QRect(40, 22, 100, 14),
             WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_UPPERCASE},
            {1002,
             CtlKind::Edit,
             {},
             QRect(40, 40, 100, 40),
             WS_BORDER | WS_TABSTOP | ES_MULTILINE | WS_VSCROLL},
            {1003, CtlKind::Edit, {}, QRect(40, 84, 40, 14), WS_BORDER | WS_TABSTOP},
            {1010, CtlKind::RadioButton, QStringLiteral("one"), QRect(150, 5, 40, 10), WS_GROUP},
            {1011, CtlKind::RadioButton, QStringLiteral("two"), QRect(150, 17, 40, 10), WS_GROUP},
            {1012, CtlKind::RadioButton, QStringLiteral("three"), QRect(150, 29, 40, 10), WS_GROUP},
            {1013, CtlKind::RadioButton, QStringLiteral("four"), QRect(150, 41, 40, 10), 0},
            {IDOK, CtlKind::DefPushButton, QStringLiteral("OK"), QRect(150, 84, 40, 14),
             WS_TABSTOP},
            {IDCANCEL, CtlKind::PushButton, QStringLiteral("Cancel"), QRect(150, 100, 40, 14),
             WS_TABSTOP},
            {IDC_STATIC, CtlKind::Static, QStringLiteral("id:"), QRect(5, 7, 30, 8), 0},
        }};
    return tmpl;
}

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(IDD_TEST) {}

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, 1000, m_dwId);
        DDX_Text(pDX, 1001, m_strName);
        DDX_Text(pDX, 1002, m_strText);
        DDX_Text(pDX, 1003, m_dwLength);
    }
    void OnChangeName() { ++m_nNameChanges; }
    void OnKillfocusName() { ++m_nNameKillFocus; }

    DWORD m_dwId = 7;
    CString m_strName;
    CString m_strText;
    DWORD m_dwLength = 9;
    int m_nNameChanges = 0;
    int m_nNameKillFocus = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
ON_EN_CHANGE(1001, &CTestDialog::OnChangeName)
ON_EN_KILLFOCUS(1001, &CTestDialog::OnKillfocusName)
END_MESSAGE_MAP()

class DataExchange : public AppFixture {
protected:
    void SetUp() override {
        AfxGetResources().dialogs[IDD_TEST] = &TestTemplate();
        AppFixture::SetUp();
    }
    // Runs the dialog with the script and returns DoModal's result.
    INT_PTR Run(CTestDialog& dlg, std::function<void(CTestDialog&)> script) {
        prompts->DriveDialog([script](CDialog& d) { script(static_cast<CTestDialog&>(d)); });
        return dlg.DoModal();
    }
    static QLineEdit* Line(CDialog& dlg, int id) {
        return qobject_cast<QLineEdit*>(dlg.GetDlgItem(id));
    }
};

} // namespace

TEST(ParseUInt, AcceptsUnsignedDecimalWithBlanksAroundIt) {
    const std::pair<const char*, DWORD> accepted[] = {
        {"0", 0},
        {"42", 42},
        {" \t42\t ", 42},
        {"+42", 42},
        {"007", 7},
        {"0 ", 0},
        {"4294967295", 4294967295u},
        {"4294967296", 4294967295u},
        {"99999999999999999999", 4294967295u},
    };
    for (const auto& [text, value] : accepted) {
        const std::optional<DWORD> parsed = AfxParseUInt(QString::fromLatin1(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
}

TEST(ParseUInt, RefusesSignsLettersEmptyAndTrailingText) {
    for (const char* text : {"", "   ", "-1", "-0", "+", "+0", "a", "12a", "1 2", "0x10", "1.5"})
        EXPECT_FALSE(AfxParseUInt(QString::fromLatin1(text)).has_value()) << '"' << text << '"';
}

TEST_F(DataExchange, RefusedFirstNumberStopsReadingAndSelectsTheField) {
    CTestDialog dlg;
    const INT_PTR result = Run(dlg, [&](CTestDialog& d) {
        Line(d, 1000)->setText("12x");
        Line(d, 1001)->setText("new");
        Line(d, 1003)->setText("5");
        EXPECT_FALSE(d.UpdateData(true));
        EXPECT_EQ(prompts->Messages(),
                  std::vector<CString>{"Geben Sie bitte eine positive ganze Zahl ein."});
        EXPECT_EQ(prompts->prompts.back().caption, "TestApp");
        EXPECT_TRUE(Line(d, 1000)->hasFocus());
        EXPECT_EQ(Line(d, 1000)->selectedText(), "12x");
        EXPECT_EQ(d.m_dwId, 7u);
        EXPECT_EQ(d.m_strName, "") << "members after the refused one keep their values";
        EXPECT_EQ(d.m_dwLength, 9u);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DataExchange, RefusedLastNumberLetsTheEarlierFieldsThrough) {
    CTestDialog dlg;
    Run(dlg, [&](CTestDialog& d) {
        QTest::keyClicks(Line(d, 1001), "name");
        Line(d, 1003)->setText("");
        EXPECT_FALSE(d.UpdateData(true));
        EXPECT_EQ(d.m_strName, "NAME");
        EXPECT_EQ(d.m_dwId, 7u);
        EXPECT_EQ(d.m_dwLength, 9u);
        d.EndDialog(IDCANCEL);
    });
}

TEST_F(DataExchange, WritingTheControlsSendsNoChangeNotificationsTypingDoes) {
    CTestDialog dlg;
    Run(dlg, [&](CTestDialog& d) {
        const int afterInit = d.m_nNameChanges;
        EXPECT_EQ(afterInit, 0) << "OnInitDialog's UpdateData(false) stays silent";
        d.m_strName = "other";
        d.UpdateData(false);
        EXPECT_EQ(d.m_nNameChanges, 0);
        Line(d, 1001)->setFocus();
        QTest::keyClicks(Line(d, 1001), "ab");
        EXPECT_EQ(d.m_nNameChanges, 2);
        Line(d, 1000)->setFocus();
        EXPECT_EQ(d.m_nNameKillFocus, 1);
        d.EndDialog(IDCANCEL);
    });
}

TEST_F(DataExchange, UpperCaseFieldAndCrLfLineBreaks) {
    CTestDialog dlg;
    dlg.m_strText = "first\r\nsecond";
    Run(dlg, [&](CTestDialog& d) {
        auto* text = qobject_cast<QPlainTextEdit*>(d.GetDlgItem(1002));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->toPlainText(), "first\nsecond");
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(text, "third");
        QTest::keyClicks(Line(d, 1001), "mixed Case 1");
        EXPECT_TRUE(d.UpdateData(true));
        EXPECT_EQ(d.m_strText, "first\r\nsecond\r\nthird");
        EXPECT_EQ(d.m_strName, "MIXED CASE 1");
        d.EndDialog(IDOK);
    });
}

TEST_F(DataExchange, OkEndsOnlyWhenEveryFieldIsAccepted) {
    CTestDialog dlg;
    const INT_PTR result = Run(dlg, [&](CTestDialog& d) {
        auto* ok = qobject_cast<QAbstractButton*>(d.GetDlgItem(IDOK));
        Line(d, 1000)->setText("-3");
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(d.IsEnded());
        Line(d, 1000)->setText(" 31 ");
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(d.IsEnded());
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_dwId, 31u);
    EXPECT_EQ(prompts->Messages().size(), 1u);
}

TEST_F(DataExchange, EscapeCancelsAndEnterInAMultiLineFieldPressesTheDefaultButton) {
    CTestDialog cancelled;
    EXPECT_EQ(Run(cancelled, [](CTestDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }),
              IDCANCEL);

    CTestDialog entered;
    EXPECT_EQ(
        Run(entered, [](CTestDialog& d) { QTest::keyClick(d.GetDlgItem(1002), Qt::Key_Return); }),
        IDOK);
    EXPECT_EQ(entered.m_strText, "");
}

TEST_F(DataExchange, ControlsAreLaidOutInDialogUnitsOfTheTemplateFont) {
    CTestDialog dlg;
    Run(dlg, [&](CTestDialog& d) {
        const CDialogUnits units(AfxTemplateFont(TestTemplate()));
        ASSERT_GT(units.BaseX(), 0);
        const QRect name = d.GetDlgItem(1001)->geometry();
        EXPECT_EQ(name.x(), (40 * units.BaseX() + 2) / 4);
        EXPECT_EQ(name.y(), (22 * units.BaseY() + 4) / 8);
        EXPECT_EQ(name.width(), (140 * units.BaseX() + 2) / 4 - (40 * units.BaseX() + 2) / 4);
        EXPECT_EQ(d.size(), units.MapDialogSize(200, 120));
        d.EndDialog(IDCANCEL);
    });
    QFont big(QStringLiteral("Sans Serif"));
    big.setPointSize(16);
    EXPECT_GT(
        CDialogUnits(big).MapDialogRect(QRect(0, 0, 100, 100)).width(),
        CDialogUnits(AfxTemplateFont(TestTemplate())).MapDialogRect(QRect(0, 0, 100, 100)).width());
}

TEST_F(DataExchange, TabOrderIsTemplateOrderAndFocusStartsAtTheFirstField) {
    CTestDialog dlg;
    Run(dlg, [&](CTestDialog& d) {
        EXPECT_TRUE(d.GetDlgItem(1000)->hasFocus());
        std::vector<int> order;
        QWidget* w = d.GetDlgItem(1000);
        for (int i = 0; i < 6; ++i) {
            order.push_back(w->property("ctrlId").toInt());
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->property("ctrlId").isValid());
        }
        EXPECT_EQ(order, (std::vector<int>{1000, 1001, 1002, 1003, IDOK, IDCANCEL}));
        d.EndDialog(IDCANCEL);
    });
}

TEST_F(DataExchange, RadioButtonsOpeningTheirOwnGroupDoNotClearEachOther) {
    CTestDialog dlg;
    Run(dlg, [&](CTestDialog& d) {
        auto button = [&](int id) { return qobject_cast<QAbstractButton*>(d.GetDlgItem(id)); };
        QTest::mouseClick(button(1010), Qt::LeftButton);
        QTest::mouseClick(button(1011), Qt::LeftButton);
        EXPECT_TRUE(button(1010)->isChecked()) << "separate groups";
        EXPECT_TRUE(button(1011)->isChecked());
        QTest::mouseClick(button(1012), Qt::LeftButton);
        QTest::mouseClick(button(1013), Qt::LeftButton);
        EXPECT_FALSE(button(1012)->isChecked()) << "one group of two";
        EXPECT_TRUE(button(1013)->isChecked());
        d.EndDialog(IDCANCEL);
    });
}

TEST_F(DataExchange, EditCommandHelpersSeeSelectionUndoAndClipboard) {
    CTestDialog dlg;
    Run(dlg, [&](CTestDialog& d) {
        QWidget* name = d.GetDlgItem(1001);
        QWidget* text = d.GetDlgItem(1002);
        EXPECT_TRUE(AfxIsEditField(name));
        EXPECT_TRUE(AfxIsEditField(text));
        EXPECT_FALSE(AfxIsEditField(d.GetDlgItem(IDOK)));
        EXPECT_FALSE(AfxEditCanUndo(text));
        QTest::keyClicks(text, "abc");
        EXPECT_TRUE(AfxEditCanUndo(text));
        EXPECT_FALSE(AfxEditHasSelection(text));
        AfxEditSetSel(text, 0, -1);
        EXPECT_TRUE(AfxEditHasSelection(text));
        AfxEditCut(text);
        EXPECT_TRUE(AfxClipboardHasText());
        EXPECT_EQ(AfxGetWindowText(text), "");
        AfxEditPaste(name);
        EXPECT_EQ(AfxGetWindowText(name), "ABC");
        AfxEditUndo(name);
        EXPECT_EQ(AfxGetWindowText(name), "");
        d.EndDialog(IDCANCEL);
    });
}
