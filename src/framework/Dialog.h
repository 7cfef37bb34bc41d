#pragma once

// Modal dialogs built from a dialog template. DoModal builds the controls,
// runs OnInitDialog and hands the dialog to the application's prompt handler,
// which runs it until EndDialog. OK reads the controls (UpdateData) and ends
// the dialog only if every field was accepted; Cancel and Escape end it.

#include "Wnd.h"

#include <QDialog>

class CDialog : public QDialog, public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, QWidget* pParentWnd = nullptr);

    virtual INT_PTR DoModal();
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);

    // Runs the dialog's own event loop until EndDialog (the real prompt handler's way).
    INT_PTR RunModalLoop();
    bool IsEnded() const { return m_bEnded; }

    QWidget* GetSafeWidget() override { return this; }
    std::function<void()> DefaultButtonHandler() override;

    DECLARE_MESSAGE_MAP()

protected:
    void reject() override; // Escape and the window's close button

    UINT m_nIDHelp;

private:
    bool CreateFromTemplate();

    const struct DLGTEMPLATE* m_pTemplate = nullptr; // static resource data; not owned
    bool m_bCreated = false;
    int m_nModalResult = -1;
    bool m_bEnded = false;
};
