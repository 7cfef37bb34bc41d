// File dialog through the application's prompt handler.

#include "FileDialog.h"

#include "Prompts.h"
#include "Resources.h"
#include "WinApp.h"

#include <QFileInfo>

CFileDialog::CFileDialog(bool bOpenFileDialog, const CString& defExt, const CString& fileName,
                         DWORD dwFlags, const CString& filter)
    : m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(defExt), m_strFileName(fileName),
      m_strFilter(filter), m_dwFlags(dwFlags) {
    if (m_strDefExt.startsWith(QLatin1Char('.')))
        m_strDefExt.remove(0, 1);
}

int CFileDialog::DoModal() {
    m_strPathName.clear();
    // A dialog without a title of its own says what it does in the framework's words.
    if (m_strTitle.isEmpty())
        m_strTitle = AfxLoadString(m_bOpenFileDialog ? AFX_IDS_OPENFILE : AFX_IDS_SAVEFILE);
    const int result = AfxGetApp()->GetPromptHandler().FileDialog(*this);
    if (result != IDOK || m_strPathName.isEmpty())
        return IDCANCEL;
    const QFileInfo info(m_strPathName);
    if (!m_strDefExt.isEmpty() && info.suffix().isEmpty() && !info.fileName().endsWith('.') &&
        !(m_bOpenFileDialog && info.exists()))
        m_strPathName += QLatin1Char('.') + m_strDefExt;
    return IDOK;
}

CString CFileDialog::GetFileName() const {
    return QFileInfo(m_strPathName).fileName();
}

QStringList CFileDialog::QtNameFilters() const {
    QStringList filters;
    const QStringList parts = m_strFilter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*"); // every file, also those without a dot
        // A name that already shows its pattern in parentheses keeps it as it is.
        if (name.contains(QLatin1Char('(')))
            name = name.left(name.indexOf(QLatin1Char('('))).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(name, pattern);
    }
    return filters;
}
