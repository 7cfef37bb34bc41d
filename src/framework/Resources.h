#pragma once

// The program's resources: string table, menus, accelerator tables, toolbars
// with their pictures, and dialog templates, each under a numeric id. The
// application registers its own at start-up (made from its command table); the
// framework's own strings are built in and can be overridden.

#include "AfxDefs.h"

#include <QKeyCombination>
#include <QSize>
#include <map>
#include <vector>

struct DLGTEMPLATE;

// One menu item: a command (nID with its label; "\t" separates the shortcut
// text), a separator (nID 0, no text, no popup) or a popup with its items.
struct MENUITEMRES {
    MENUITEMRES() = default; // a separator
    MENUITEMRES(UINT id, const CString& text) : nID(id), strText(text) {}
    MENUITEMRES(const CString& text, std::vector<MENUITEMRES> items)
        : strText(text), popup(std::move(items)) {}

    UINT nID = 0;
    CString strText;
    std::vector<MENUITEMRES> popup;

    bool IsSeparator() const { return nID == 0 && strText.isEmpty() && popup.empty(); }
};

struct MENURES {
    std::vector<MENUITEMRES> popups; // the menu bar's entries
};

struct ACCELRES {
    QKeyCombination key;
    UINT nID;
};

struct TOOLBARRES {
    QSize buttonSize;
    std::vector<UINT> buttons; // ID_SEPARATOR for a separator
};

class CResourceTable {
public:
    std::map<UINT, CString> strings;
    std::map<UINT, MENURES> menus;
    std::map<UINT, std::vector<ACCELRES>> accelerators;
    std::map<UINT, TOOLBARRES> toolbars;
    std::map<UINT, CString> images;             // command id -> picture (Qt resource path)
    std::map<UINT, const DLGTEMPLATE*> dialogs; // templates are static data; not owned
    std::map<UINT, CString> icons;              // resource id -> picture
    std::map<UINT, CString> bitmaps;            // bitmap resource id -> picture (Qt resource path)

    CResourceTable();
};

// The one table of the process.
CResourceTable& AfxGetResources();

// The string with this id, or empty if there is none.
CString AfxLoadString(UINT nID);

// "%1" in the string replaced by the argument.
CString AfxFormatString1(UINT nID, const CString& arg);
