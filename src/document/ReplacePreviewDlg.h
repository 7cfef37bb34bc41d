// The preview of replace all: every change listed before anything is
// written; "Replace" applies them, "Cancel" leaves the entries as they are.
#pragma once

#include "Dialog.h"
#include "ReplacePlan.h"

class QTableView;
class TextResourceObject;
class ReplacePreviewModel;

constexpr int IDC_PREVIEW_SUMMARY = 1120;

class CReplacePreviewDlg : public CDialog {
public:
    CReplacePreviewDlg(const ReplacePlan& plan, const TextResourceObject& entries,
                       QWidget* pParent = nullptr);

    QTableView* Table() const { return m_pTable; }

protected:
    bool OnInitDialog() override;

private:
    const ReplacePlan& m_plan;               // not owned
    const TextResourceObject& m_entries;     // not owned
    QTableView* m_pTable = nullptr;          // owned by the dialog's widgets
    ReplacePreviewModel* m_pModel = nullptr; // owned by the dialog
};
