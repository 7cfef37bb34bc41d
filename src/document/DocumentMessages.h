#pragma once

// What the document tells the user about loading, saving and exporting. The
// first line of the load and save errors is kept as the program has always
// shown it ("accured" included); the lines after it say which file and why.

#include "AfxDefs.h"
#include "check/LoadDamage.h"

#include <cstdint>
#include <string>

inline constexpr const char* kLoadErrorLine = "An error accured while loading this file!";
inline constexpr const char* kSaveErrorLine = "An error accured while saving this file!";

// The load error: the first line, then the file and the reason.
CString LoadErrorMessage(const CString& path, const std::string& reason);

// The save error: the first line, the file and the reason, then what became
// of the file that was there: unchanged, or its old content kept in a backup.
// `existed`: whether there was a file at the path before the save.
CString SaveErrorMessage(const CString& path, const std::string& reason, bool existed,
                         const std::string& backupPath);

// The warning after a file that did not load whole: it is damaged, its first
// problem (in the words of lexarium-tool check) and how many more, how many
// of its `entries` were read whole, and that the first save keeps the
// original bytes in `backupsFolder`.
CString DamageWarning(const CString& path, const check::LoadDamage& damage, std::uint32_t entries,
                      const CString& backupsFolder);

// What the window title shows after the name of a damaged file.
inline constexpr const char* kDamagedMark = " [damaged]";
