// The editor form as laid out from its template: positions in dialog units,
// labels, styles of the fields, and the order in which Tab walks them.

#include "DialogTemplate.h"
#include "EditorFixture.h"
#include "LexariumView_Blank.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using EditorFormLayoutTest = EditorFixture;

TEST_F(EditorFormLayoutTest, ControlsSitWhereTheTemplatePutsThemWithTheirLabels) {
    Select(0);
    const CDialogUnits units(Field(IDC_ID)->parentWidget()->font());
    const struct {
        int id;
        QRect rect;
    } placed[] = {
        {IDC_ID, {63, 15, 40, 14}},
        {IDC_IDENTIFIER, {63, 36, 315, 14}},
        {IDC_AUDIOFILE, {63, 58, 225, 14}},
        {IDC_TEXT, {63, 81, 315, 106}},
        {IDC_COMMENT, {63, 218, 315, 99}},
        {IDC_SPEAKER, {63, 357, 315, 14}},
        {IDC_LENGTH, {327, 58, 40, 14}},
        {IDC_LISTEN, {384, 58, 32, 14}},
        {IDC_LISTEN_FEMALE, {419, 58, 57, 14}},
        {IDC_TEXT_WORDS, {103, 193, 19, 8}},
        {IDC_COMMENT_CHARS, {104, 338, 19, 8}},
    };
    for (const auto& control : placed) {
        ASSERT_NE(Field(control.id), nullptr) << control.id;
        EXPECT_EQ(Field(control.id)->geometry(), units.MapDialogRect(control.rect)) << control.id;
        EXPECT_TRUE(Field(control.id)->isVisible()) << control.id;
    }
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LABEL_ID), "id:");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LABEL_IDENTIFIER), "identifier:");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LABEL_AUDIOFILE), "audio file:");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LABEL_TEXT), "text:");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LABEL_COMMENT), "comment:");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LISTEN), "listen");
    EXPECT_EQ(g_pTextView->GetDlgItemText(IDC_LISTEN_FEMALE), "listen female");

    // Long texts wrap at the field's width; single-line fields scroll sideways.
    EXPECT_EQ(TextField(IDC_TEXT)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(TextField(IDC_COMMENT)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(TextField(IDC_TEXT)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(EditorFormLayoutTest, TabWalksTheFieldsInTemplateOrderAndLeavesTheTextAlone) {
    Select(0);
    Field(IDC_ID)->setFocus();
    std::vector<int> order;
    for (int i = 0; i < 9; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        order.push_back(focus->property("ctrlId").toInt());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_ID, IDC_IDENTIFIER, IDC_AUDIOFILE, IDC_TEXT, IDC_COMMENT,
                                       IDC_SPEAKER, IDC_LENGTH, IDC_LISTEN, IDC_LISTEN_FEMALE}));
    EXPECT_EQ(Entry(0).text, "one two three") << "Tab in the text field moves on, it types nothing";
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(EditorFormLayoutTest, StatisticsFormSitsWhereItsTemplatePutsIt) {
    SelectRoot();
    ASSERT_NE(g_pBlankView, nullptr);
    QWidget* page = g_pBlankView->GetDlgItem(IDC_STAT_ENTRIES)->parentWidget();
    EXPECT_EQ(page->font().family(), QFont(QStringLiteral("MS Sans Serif")).family());
    EXPECT_EQ(page->font().pointSize(), 8);
    const CDialogUnits units(page->font());
    EXPECT_EQ(page->size(), units.MapDialogSize(343, 276));

    auto* group = page->findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "statistic:");
    EXPECT_EQ(group->geometry(), units.MapDialogRect({7, 18, 116, 56}));
    const struct {
        const char* label;
        QPoint at;
        int id;
        QRect value;
        const char* shown;
    } rows[] = {
        {"number of entries:", {17, 31}, IDC_STAT_ENTRIES, {80, 31, 28, 10}, "2"},
        {"number of words:", {17, 43}, IDC_STAT_WORDS, {80, 43, 24, 8}, "4"},
        {"number of chars:", {17, 57}, IDC_STAT_CHARS, {80, 57, 23, 8}, "17"},
    };
    for (const auto& row : rows) {
        QLabel* label = nullptr;
        for (QLabel* candidate : page->findChildren<QLabel*>()) {
            if (candidate->text() == row.label)
                label = candidate;
        }
        ASSERT_NE(label, nullptr) << row.label;
        EXPECT_EQ(label->pos(), units.MapDialogRect({row.at, QSize(1, 1)}).topLeft()) << row.label;
        QWidget* value = g_pBlankView->GetDlgItem(row.id);
        EXPECT_EQ(value->geometry(), units.MapDialogRect(row.value)) << row.id;
        EXPECT_EQ(g_pBlankView->GetDlgItemText(row.id), row.shown) << row.id;
        EXPECT_TRUE(value->isVisible()) << row.id;
    }
}
