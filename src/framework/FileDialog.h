#pragma once

// The Open and Save As file dialog. The filter is given in the form
// "name|pattern|name|pattern||"; a name chosen without an extension gets the
// default extension (for an open dialog only when no file has the bare name).

#include "AfxDefs.h"

#include <QStringList>

class CFileDialog {
public:
    CFileDialog(bool bOpenFileDialog, const CString& defExt = CString(),
                const CString& fileName = CString(), DWORD dwFlags = 0,
                const CString& filter = CString());

    int DoModal();
    CString GetPathName() const { return m_strPathName; }
    CString GetFileName() const;

    // The filter as Qt name filters ("name (pattern)").
    QStringList QtNameFilters() const;

    bool m_bOpenFileDialog;
    CString m_strDefExt;   // without the dot
    CString m_strFileName; // proposed name
    CString m_strFilter;
    CString m_strTitle; // empty: "Öffnen" or "Speichern unter"
    DWORD m_dwFlags;
    CString m_strPathName; // the chosen file
    // The name the dialog gives the type of files with this extension (with
    // its dot), such as the document template's file type name; other files
    // keep the system's name for their type.
    CString m_strTypeExt;
    CString m_strTypeName;
};
