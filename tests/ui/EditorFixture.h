#pragma once

// The running editor with a two-entry file open ("ID_1" with the text
// "one two three", "ID_2" with "four"), and what a user does to it: click tree
// items, focus and type into the editor form's fields.

#include "../app/LexariumAppFixture.h"
#include "FormControls.h"
#include "LexariumView.h"
#include "LexariumView_Text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>

class EditorFixture : public LexariumAppFixture {
protected:
    void SetUp() override {
        Settings().clear();
        Start({MakeTrs("edit.trs", {"one two three", "four"})});
        Activate();
    }
    CLexariumView& View() const {
        return *static_cast<CLexariumView*>(Frame()->m_wndSplitter.GetPane(0, 0));
    }
    QTreeView& Tree() const { return View().GetTreeCtrl(); }
    void Click(const QModelIndex& index) {
        Tree().scrollTo(index);
        QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Tree().visualRect(index).center());
    }
    void Select(int position) { Click(View().GetModel().EntryIndex(position)); }
    void SelectRoot() { Click(View().GetModel().RootIndex()); }
    QWidget* Field(int id) const { return g_pTextView->GetDlgItem(id); }
    QLineEdit* LineField(int id) const { return qobject_cast<QLineEdit*>(Field(id)); }
    QPlainTextEdit* TextField(int id) const { return qobject_cast<QPlainTextEdit*>(Field(id)); }
    // Focuses a field and selects all its text, as a triple click does.
    QWidget* FocusAll(int id) const {
        QWidget* field = Field(id);
        field->setFocus();
        if (auto* line = qobject_cast<QLineEdit*>(field))
            line->selectAll();
        else if (auto* text = qobject_cast<QPlainTextEdit*>(field))
            text->selectAll();
        return field;
    }
    // Types each character as a key press carrying its text, as an input
    // method does for letters that have no key of their own.
    static void Type(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
        }
    }
    // Whether the command is enabled where the user meets it: on the toolbar
    // after the idle pass, in a menu when it opens.
    bool Offered(UINT nID) {
        Idle();
        for (const char* menu : {"&File", "&Edit", "&View"})
            ShowMenu(QString::fromLatin1(menu));
        return IsEnabled(nID);
    }
    const TextResourceEntry& Entry(std::uint32_t position) const {
        return *Doc()->m_textResources.GetEntry(position);
    }
    std::uint32_t Count() const { return Doc()->m_textResources.GetEntryCount(); }
    QString Label(std::uint32_t position) const {
        return View().GetModel().EntryIndex(position).data().toString();
    }
};
