// The plain-text export: a readable script of every entry that has a
// recording, for the recording studio.
#pragma once

#include <cstdio>
#include <string>

class TextResourceEntry;
class TextResourceObject;

// True when the entry has an audio file: neither empty nor the placeholder "leer".
bool HasAudioFile(const TextResourceEntry& entry);

// Appends the five-line block of one entry, followed by an empty line. The
// block's own line ends are single LF bytes; the fields' bytes go out exactly
// as stored, line breaks inside them included.
void AppendExportBlock(std::string& out, const TextResourceEntry& entry);

// Writes the blocks of all entries with an audio file, in collection order, to
// `file`, streaming through a buffer of bounded size. False when a write fails.
bool WriteTextExport(const TextResourceObject& entries, std::FILE* file);

// Creates or truncates the file at `path` (a name in the file system's
// encoding) and writes the export into it. False when the file cannot be
// opened or a write or the closing fails; a file that was begun is removed then.
bool ExportTextToFile(const TextResourceObject& entries, const std::string& path);
