// What the window's check includes beyond the checks that always run, as the
// user chose it under Check Options, kept in the settings between runs. A
// later check adds its field here, to Load and Save, and to ToOptions.
#pragma once

#include "AfxDefs.h"
#include "check/CheckOptions.h"

struct CCheckSettings {
    // The recordings under the mission folder (the current folder when it is empty).
    bool bRecordings = false;

    // From the application's settings; the defaults where nothing is kept.
    static CCheckSettings Load();
    void Save() const;

    // The options of a check with these settings and this mission folder.
    check::CheckOptions ToOptions(const CString& missionFolder) const;
};
