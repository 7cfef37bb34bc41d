// The mission folder crosses into the lookup as UTF-8 bytes and comes back the
// same way, repaired or not.

#include "RecordingLookup.h"

#include "EntryText.h"
#include "audio/AudioLookup.h"

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
