#pragma once

// Dialog templates in dialog units, and the layout that turns them into
// widgets. A dialog unit is a quarter of the template font's average character
// width horizontally and an eighth of its height vertically, so a template
// keeps its proportions with any font. Controls are created in template order,
// which is also the tab order.

#include "AfxDefs.h"

#include <QFont>
#include <QRect>
#include <map>
#include <vector>

class CWnd;
class QLabel;
class QWidget;

enum class CtlKind { Edit, Static, GroupBox, PushButton, DefPushButton, RadioButton, CheckBox };

struct DLGITEMTEMPLATE {
    int id; // IDC_STATIC (-1) for a control that nobody addresses
    CtlKind kind;
    CString text;
    QRect rect; // x, y, width, height in dialog units
    DWORD style = 0;
};

struct DLGTEMPLATE {
    CString caption;
    int cx = 0; // size in dialog units
    int cy = 0;
    CString fontName;
    int pointSize = 8;
    DWORD style = 0;
    std::vector<DLGITEMTEMPLATE> items;
};

// The font's base units and the conversion of dialog units to pixels.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }
    QRect MapDialogRect(const QRect& rect) const;
    QSize MapDialogSize(int cx, int cy) const;

private:
    int m_baseX;
    int m_baseY;
};

QFont AfxTemplateFont(const DLGTEMPLATE& dlgTemplate);

// Widens a static of a template to show its whole text, never narrower than
// its template rectangle, and never past the group box that holds it or its
// window; numbers and counts that fit there are never cut.
void AfxFitStaticToText(QLabel* pStatic);

// Creates the template's controls as children of pParent, lays them out,
// sets the tab order and connects their notifications to pHost. Returns the
// controls by id (controls with IDC_STATIC are created but not listed).
std::map<int, QWidget*> AfxCreateDialogControls(const DLGTEMPLATE& dlgTemplate, QWidget* pParent,
                                                CWnd* pHost);
