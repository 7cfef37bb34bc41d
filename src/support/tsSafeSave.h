#pragma once

// Saving without ever destroying the previous file: the content goes to a
// temporary file in the target's folder, which is flushed to the disk and
// renamed over the target only when complete. On any failure the target is
// left byte for byte as it was and the temporary file is removed.
// A symbolic link is written through: its target file is replaced, the link stays.
// The new file keeps the permission bits of the file it replaces.

#include "support/tsStream.h"

#include <cstdint>
#include <functional>

struct tsSafeSaveOptions {
    // Hold the save share mode (an exclusive lock) on an existing target for
    // the whole save, so that a file held by another program that honours the
    // share modes fails with the sharing violation (0x80070020). A caller that
    // already holds the target open in that mode turns this off.
    bool lockTarget = true;
};

// Calls `writeContent` with a buffered stream over the temporary file; the save
// fails when it returns a failure or when any write, the flush, the sync to disk
// or the rename fails. Returns 0 or the first failure.
std::int32_t tsSaveFileSafely(const char* target,
                              const std::function<std::int32_t(tsOutputStream&)>& writeContent,
                              const tsSafeSaveOptions& options = {});
