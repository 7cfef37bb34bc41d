// The document's plain-text export: asks for the target file and writes the
// entries that have a recording into it.
#include "LexariumDoc.h"
#include "TextExport.h"
#include "framework/FileDialog.h"

#include <QFile>

void CLexariumDoc::OnExport() {
    // No default extension and no overwrite question: the name is taken as typed.
    CFileDialog dlg(false, CString(), "unbenannt.txt", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                    "Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return;
    ExportText(dlg.GetPathName());
}

bool CLexariumDoc::ExportText(const CString& path) {
    return ExportTextToFile(m_textResources, QFile::encodeName(path).toStdString());
}
