// The lookup of an entry's recording as the windows use it: under the mission
// folder, which the application object owns for the run and installs here, so
// that the editor form and the audio test panel share one folder and the
// folder's fix-up made by one is seen by the other.
#pragma once

#include "AfxDefs.h"

class TextResourceEntry;

// The application's mission folder, or null while there is no application.
extern CString* g_pMissionFolder; // not owned

// Looks up the entry's recording, or its female take, under the mission
// folder: true with `path` set to the file found (its bytes carried as
// FromUtf8 carries them). When only the folder with a separator added finds
// it, the mission folder keeps that separator from then on.
bool FindRecordingInMissionFolder(const TextResourceEntry& entry, bool female, CString& path);

// The status line for a recording that was not found: the name looked for
// (and the stored name it comes from, for a female take) and the folder it was
// looked for under, "the current folder" when the mission folder is empty.
CString RecordingNotFoundLine(const TextResourceEntry& entry, bool female);
