#pragma once

// A view whose controls come from a dialog template, laid out in dialog units
// on a page that scrolls when the pane is smaller than the template. Its
// initial update writes the members into the controls.

#include "View.h"

class QScrollArea;

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)

public:
    explicit CFormView(UINT nIDTemplate);

    void OnInitialUpdate() override;
    void SetFocusToView() override;

    // The page that holds the controls.
    QWidget* GetPage() const { return m_pPage; }

protected:
    void resizeEvent(QResizeEvent* event) override;

    UINT m_nIDTemplate;

private:
    QScrollArea* m_pScroll; // owned through the widget tree
    QWidget* m_pPage;       // owned through the widget tree
};
