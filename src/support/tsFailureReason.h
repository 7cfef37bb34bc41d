#pragma once

// Why a file could not be loaded or saved, in plain words for the user ("no
// such folder", "permission denied", "it is a folder", "the disk is full").
// The words come from the platform error in the result, with a look at the
// path where the error alone does not tell: Windows reports a folder and a
// read-only file as a denied access, and a file that ends too early as a
// failed read.

#include <cstdint>
#include <string>

// Why loading the file at `path` failed with `result`: opening it, or reading
// its start once `bytesRead` bytes had arrived (none: it is empty).
std::string tsLoadFailureReason(std::int32_t result, const char* path, std::uint64_t bytesRead);

// Why saving the file at `path` failed with `result`.
std::string tsSaveFailureReason(std::int32_t result, const char* path);
