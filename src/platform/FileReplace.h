#pragma once

// The file-system steps of a safe save: find the file a path finally names,
// create a temporary file beside it with its permissions, and move the finished
// file into place atomically. Errors are left in GetLastError().

#include <string>

namespace platform {

// The path that `path` names once every symbolic link is followed (the link's
// target, even when that does not exist yet); `path` itself when it is no link.
// False (with the last error set) for a loop of links.
bool ResolveFinalPath(const std::string& path, std::string& finalPath);

// Creates a new, empty file in the folder of `target`, with the permission bits
// (and, where allowed, the owner) of `target`, or those a new file would get
// when `target` does not exist. Its name is returned in `temporaryPath`.
bool CreateTemporaryFileBeside(const std::string& target, std::string& temporaryPath);

// Renames `source` over `destination` in one step and makes the rename durable
// by flushing the folder.
bool ReplaceFileAtomically(const std::string& source, const std::string& destination);

bool DeleteFileA(const char* fileName);

} // namespace platform
