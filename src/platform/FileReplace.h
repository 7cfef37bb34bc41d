#pragma once

// The file-system steps of a safe save: find the file a path finally names,
// tell whether it may be written and whether a new file can take its place,
// create a temporary file beside it that keeps its owner and permissions, and
// move the finished file into place atomically. Errors are left in GetLastError().

#include <string>

namespace platform {

// The path that `path` names once every symbolic link is followed (the link's
// target, even when that does not exist yet); `path` itself when it is no link.
// False (with the last error set) for a loop of links.
bool ResolveFinalPath(const std::string& path, std::string& finalPath);

// True for an existing file that we may not write: no write permission for the
// effective user, a file without any write permission bit (the superuser
// included: it counts as read-only for everyone), or a read-only file system.
bool IsReadOnlyFile(const std::string& path);

// True for a regular file (symbolic links followed).
bool IsRegularFile(const std::string& path);

// True when a new file renamed over `path` would be the same file to everyone:
// a regular file with one link and no extended attributes (access lists,
// labels) that a new file would not carry. The owner, group and mode are
// checked by CreateTemporaryFileBeside.
bool CanReplaceByRename(const std::string& path);

// Creates a new, empty file in the folder of `target`, with the owner, group and
// permission bits of `target`, or those a new file would get when `target` does
// not exist. Fails (ERROR_ACCESS_DENIED, nothing left behind) when the folder
// takes no new file or the new file cannot keep the owner, group or mode.
// Its name is returned in `temporaryPath`.
bool CreateTemporaryFileBeside(const std::string& target, std::string& temporaryPath);

// Renames `source` over `destination` in one step and makes the rename durable
// by flushing the folder.
bool ReplaceFileAtomically(const std::string& source, const std::string& destination);

bool DeleteFileA(const char* fileName);

} // namespace platform
