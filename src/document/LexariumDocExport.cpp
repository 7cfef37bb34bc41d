// The document's plain-text export: asks for the target file and writes the
// entries that have a recording into it, through the safe save, so that a
// failed export never costs the file that was there.
#include "DocumentMessages.h"
#include "FileDialog.h"
#include "LexariumDoc.h"
#include "Prompts.h"
#include "model/TextExport.h"
#include "support/tsFailureReason.h"
#include "support/tsSafeSave.h"

#include <QFile>
#include <QFileInfo>

void CLexariumDoc::OnExport() {
    // No default extension and no overwrite question: the name is taken as typed.
    CFileDialog dlg(false, CString(), "unbenannt.txt", OFN_HIDEREADONLY | OFN_PATHMUSTEXIST,
                    "Text File (*.txt)|*.txt|All Files (*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return;
    ExportText(dlg.GetPathName());
}

bool CLexariumDoc::ExportText(const CString& path) {
    const QByteArray name = QFile::encodeName(path);
    const bool existed = QFileInfo(path).isFile();
    tsSafeSaveReport report;
    const std::int32_t code = ExportTextToFile(m_textResources, name.toStdString(), &report);
    if (code >= 0)
        return true;
    AfxMessageBox(SaveErrorMessage(path, tsSaveFailureReason(code, name.constData()), existed,
                                   report.backupPath),
                  MB_OK);
    return false;
}
