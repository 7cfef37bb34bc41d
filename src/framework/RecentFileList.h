#pragma once

// The recent-file list: the last files opened or saved, newest first, kept in
// the settings under one section ("File1", "File2", ...) and shown in the File
// menu in place of its placeholder item, each name shortened to fit.

#include "AfxDefs.h"

#include <vector>

class CCmdUI;
class QSettings;

class CRecentFileList {
public:
    CRecentFileList(UINT nStart, const CString& section, const CString& entryFormat, int nSize,
                    int nMaxDispLen = 30);

    // Puts the path first; a path already listed moves up, the oldest falls off.
    void Add(const CString& path);
    void Remove(int nIndex);
    int GetSize() const { return m_nSize; }
    int GetCount() const { return static_cast<int>(m_arrNames.size()); }
    const CString& operator[](int nIndex) const { return m_arrNames[static_cast<size_t>(nIndex)]; }

    // The path shortened to at most the display length: "/.../folder/file.trs".
    CString GetDisplayName(int nIndex) const;
    // Fills the menu at the placeholder item that pCmdUI stands for.
    void UpdateMenu(CCmdUI* pCmdUI);

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

private:
    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    CString m_strOriginal; // the placeholder's own text
    UINT m_nStart;
    int m_nSize;
    int m_nMaxDisplayLength;
};
