#include "CheckSettings.h"

#include "EntryText.h"
#include "WinApp.h"

#include <QSettings>

namespace {

const QString kRecordings = QStringLiteral("Check Options/Recordings");

} // namespace

CCheckSettings CCheckSettings::Load() {
    CCheckSettings settings;
    if (CWinApp* app = AfxGetApp())
        settings.bRecordings = app->OpenProfile()->value(kRecordings, false).toBool();
    return settings;
}

void CCheckSettings::Save() const {
    if (CWinApp* app = AfxGetApp())
        app->OpenProfile()->setValue(kRecordings, bRecordings);
}

check::CheckOptions CCheckSettings::ToOptions(const CString& missionFolder) const {
    check::CheckOptions options;
    // The folder crosses as the bytes listen looks recordings up with.
    if (bRecordings)
        options.audioFolder = ToUtf8(missionFolder);
    return options;
}
