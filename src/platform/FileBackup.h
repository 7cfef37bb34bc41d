#pragma once

// Copies of a file's old content, kept in the user's own state folder while a
// save writes the file in place. The folder is the first of
// $XDG_STATE_HOME/lexarium/backups, ~/.local/state/lexarium/backups and the
// system's temporary folder that takes the copy. A copy is named after the
// file and the time, so that a person finds it, plus a short key of the
// file's full path, so that a later save of the same file finds it again:
//   doc.trs.2024-05-17_14-03-22.1a2b3c4d.bak
// Copies made of a file that did not load whole end in ".original.bak" and
// are never removed by the program. Errors are left in GetLastError().

#include "platform/Win32Types.h"

#include <string>
#include <vector>

namespace platform {

enum class BackupKind {
    Safety,   // removed again once a save of the file succeeds
    Original, // kept for good
};

// The folders a copy may go to, in the order they are tried.
std::vector<std::string> BackupFolders();

// Copies everything `source` holds, from its start, into a new file (readable
// by its owner only) in the first backups folder that can be made and takes
// it, flushed to the disk. `path` is the file's final path, which names the copy.
// Leaves the position of `source` at its end.
bool BackupFileContent(HANDLE source, const std::string& path, BackupKind kind,
                       std::string& backupPath);

// Makes `target` hold exactly the content of the copy at `backupPath` again.
bool RestoreFileContent(const std::string& backupPath, HANDLE target);

// Removes the safety copies of the file at `path` from every backups folder.
void RemoveSafetyBackups(const std::string& path);

} // namespace platform
