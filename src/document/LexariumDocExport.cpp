// The document's plain-text export: asks for the target file and writes the
// entries that have a recording into it.
#include "FileDialog.h"
#include "LexariumDoc.h"
#include "Prompts.h"
#include "model/TextExport.h"

#include <QFile>

void CLexariumDoc::OnExport() {
    // No default extension and no overwrite question: the name is taken as typed.
    CFileDialog dlg(false, CString(), "unbenannt.txt", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                    "Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return;
    // A file that cannot be written is said, not passed over in silence.
    if (!ExportText(dlg.GetPathName()))
        AfxMessageBox("An error occurred while exporting this file!", MB_OK);
}

bool CLexariumDoc::ExportText(const CString& path) {
    return ExportTextToFile(m_textResources, QFile::encodeName(path).toStdString());
}
