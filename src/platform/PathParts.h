#pragma once

// The two parts of a path that the file calls work with: the folder, and the
// name after the last '/'.

#include <string>

namespace platform {

// What comes before the last '/' of `path`: "/" for a name in the root folder,
// "." for a bare name.
std::string FolderOf(const std::string& path);

// What follows the last '/' of `path`; the whole of a bare name.
std::string NameOf(const std::string& path);

} // namespace platform
