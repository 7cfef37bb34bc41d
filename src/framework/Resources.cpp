// The resource table and the framework's own strings (German in this build).

#include "Resources.h"

CResourceTable::CResourceTable() {
    strings = {
        {AFX_IDS_UNTITLED, QStringLiteral("Unbenannt")},
        {AFX_IDS_SAVEFILE, QStringLiteral("Speichern unter")},
        {AFX_IDS_OPENFILE, QStringLiteral("Öffnen")},
        {AFX_IDS_ALLFILTER, QStringLiteral("Alle Dateien (*.*)")},
        {AFX_IDP_ASK_TO_SAVE, QStringLiteral("Änderungen in %1 speichern?")},
        {AFX_IDP_FAILED_TO_CREATE_DOC,
         QStringLiteral("Fehler beim Erzeugen eines leeren Dokuments.")},
        {AFX_IDP_PARSE_UINT, QStringLiteral("Geben Sie bitte eine positive ganze Zahl ein.")},
        {ID_INDICATOR_CAPS, QStringLiteral("CAP")},
        {ID_INDICATOR_NUM, QStringLiteral("NUM")},
        {ID_INDICATOR_SCRL, QStringLiteral("SCRL")},
    };
}

CResourceTable& AfxGetResources() {
    static CResourceTable table;
    return table;
}

CString AfxLoadString(UINT nID) {
    const auto& strings = AfxGetResources().strings;
    const auto it = strings.find(nID);
    return it == strings.end() ? CString() : it->second;
}

CString AfxFormatString1(UINT nID, const CString& arg) {
    CString text = AfxLoadString(nID);
    text.replace(QLatin1String("%1"), arg);
    return text;
}
