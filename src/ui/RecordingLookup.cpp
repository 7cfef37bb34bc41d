// The mission folder crosses into the lookup as UTF-8 bytes and comes back the
// same way, repaired or not.

#include "RecordingLookup.h"

#include "EntryText.h"
#include "audio/AudioLookup.h"
#include "model/TextResourceEntry.h"

#include <QDir>

CString* g_pMissionFolder = nullptr;

bool FindRecordingInMissionFolder(const TextResourceEntry& entry, bool female, CString& path) {
    std::string folder = g_pMissionFolder != nullptr ? ToUtf8(*g_pMissionFolder) : std::string();
    const std::string before = folder;
    std::string found;
    const bool ok = audio::ResolveAudioPath(entry, female, folder, found);
    if (g_pMissionFolder != nullptr && folder != before)
        *g_pMissionFolder = FromUtf8(folder);
    if (ok)
        path = FromUtf8(found);
    return ok;
}

namespace {

CString Quoted(const std::string& stored) {
    return QStringLiteral("\"%1\"").arg(FromUtf8(stored));
}

} // namespace

CString RecordingNotFoundLine(const TextResourceEntry& entry, bool female) {
    if (entry.audioFile.empty())
        return QStringLiteral("No recording to play: this entry names no audio file.");
    std::string femaleName;
    if (female && !audio::MakeFemaleName(entry.audioFile, femaleName))
        return QStringLiteral("No female recording of %1: the name has no \".\" to put "
                              "\"_fem\" before.")
            .arg(Quoted(entry.audioFile));
    const CString folder = g_pMissionFolder != nullptr ? *g_pMissionFolder : CString();
    const CString where = folder.isEmpty() ? QStringLiteral("the current folder (%1)")
                                                 .arg(QDir::toNativeSeparators(QDir::currentPath()))
                                           : QStringLiteral("\"%1\"").arg(folder);
    if (female)
        return QStringLiteral("Female recording %1 of %2 not found under %3.")
            .arg(Quoted(femaleName), Quoted(entry.audioFile), where);
    return QStringLiteral("Recording %1 not found under %2.").arg(Quoted(entry.audioFile), where);
}
