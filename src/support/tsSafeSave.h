#pragma once

// Saving without ever losing the previous file.
//
// Where a new file can take the old one's place unnoticed (a regular file with
// one link, in a folder that takes a new file, whose owner, group and mode the
// new file can keep), the content goes to a temporary file in the target's
// folder, which is flushed to the disk and renamed over the target only when
// complete; on any failure the target is left byte for byte as it was.
//
// Otherwise (a second hard link, another owner, a shared folder with the
// sticky bit, a folder we may not create files in, extended attributes) the
// file is written in place, so that it stays the same file for every link and
// keeps its owner, after its old content was copied to the backups folder
// (platform/FileBackup.h). If writing in place fails, the old content is put
// back from that copy, and the copy stays until a later save of the file
// succeeds. Every successful save removes the copies earlier saves left.
//
// A symbolic link is written through: its target file is saved, the link stays.
// A file without write permission (platform::IsReadOnlyFile) is never written,
// whoever saves it.

#include "support/tsStream.h"

#include <cstdint>
#include <functional>
#include <string>

struct tsSafeSaveOptions {
    // Hold the save share mode (an exclusive lock) on an existing target for
    // the whole save, so that a file held by another program that honours the
    // share modes fails with TS_E_SHARING_VIOLATION. A caller that
    // already holds the target open in that mode turns this off.
    bool lockTarget = true;
    // Keep a copy of the existing file's old content for good, also when the
    // save succeeds: for a file whose content did not load whole, so that
    // nothing a later tool could still recover is lost. The save fails when no
    // copy can be made.
    bool keepOldContent = false;
};

// What a save leaves for the caller to tell.
struct tsSafeSaveReport {
    // The save failed before anything was written because the file could not
    // be opened or created (missing folder, a file held by another program).
    bool notOpened = false;
    // The copy of the old content that this save left in the backups folder:
    // after a failed in-place save, or the copy kept for good. Empty otherwise.
    std::string backupPath;
};

// Calls `writeContent` with a buffered stream over the temporary file or the
// file itself; the save fails when it returns a failure or when any write, the
// flush, the sync to disk or the rename fails. Returns 0 or the first failure;
// a read-only file fails with E_ACCESSDENIED.
std::int32_t tsSaveFileSafely(const char* target,
                              const std::function<std::int32_t(tsOutputStream&)>& writeContent,
                              const tsSafeSaveOptions& options = {},
                              tsSafeSaveReport* report = nullptr);
