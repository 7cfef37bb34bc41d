// What the window's check includes beyond the checks that always run, as the
// user chose it under Check Options, kept in the settings between runs. A
// later check adds its field here, to Load and Save, and to ToOptions.
#pragma once

#include "AfxDefs.h"
#include "check/CheckOptions.h"

#include <memory>
#include <optional>

struct CCheckSettings {
    // The recordings under the mission folder (the current folder when it is empty).
    bool bRecordings = false;

    // Lines spoken faster than this many characters per second (a decimal
    // number above 0) against their recording, or their stored length.
    bool bPace = true;
    double dMaxPerSecond = 20.0;

    // Clipping, silence, loudness and format of the recordings found: each is
    // decoded whole, so it is off until chosen. Only with the recordings.
    bool bLevels = false;
    check::LevelOptions levels;

    // From the application's settings; the defaults where nothing is kept,
    // or where what is kept is not a number the dialog would take.
    static CCheckSettings Load();
    void Save() const;

    // The pace limit, when the pace is checked.
    std::optional<double> MaxPerSecond() const;

    // The options of a check with these settings and this mission folder;
    // The recorded list of the file is the check's to read (ProblemsList).
    check::CheckOptions ToOptions(const CString& missionFolder) const;
};
