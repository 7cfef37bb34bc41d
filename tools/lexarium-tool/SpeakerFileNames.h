#pragma once

// The names of the files that script --split writes, one per speaker, in a
// form every file system takes: the characters that Windows forbids in names
// (/ \ : * ? " < > |) and control characters become "_", as do bytes that
// are not UTF-8 and a trailing dot or space; a name that Windows reserves
// for a device (CON, NUL, COM1, ...) gets a "_" in front; a long name is cut
// at a character's end. The empty speaker is "(no speaker)". Names that
// would be the same on a file system that ignores letter case get " (2)",
// " (3)", ... before ".csv", in the order the speakers are given.

#include <string>
#include <vector>

std::vector<std::string> SpeakerFileNames(const std::vector<std::string>& speakers);
