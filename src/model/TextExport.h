// The plain-text export: a readable script of every entry that has a
// recording, for the recording studio. The editor's Export command and
// lexarium-tool's text command both write it through this code.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

class TextResourceEntry;
class TextResourceObject;

// True when the entry has an audio file: neither empty nor the placeholder "leer".
bool HasAudioFile(const TextResourceEntry& entry);

// Appends the five-line block of one entry, followed by an empty line. The
// block's own line ends are single LF bytes; the fields' bytes go out exactly
// as stored, line breaks inside them included.
void AppendExportBlock(std::string& out, const TextResourceEntry& entry);

// Builds the export entry by entry in a buffer of bounded size and hands it to
// `sink` in large pieces, so that nothing is collected for the whole file.
class TextExportWriter {
public:
    // Takes a piece of the export; false when it could not be written.
    using Sink = std::function<bool(const char* data, std::size_t size)>;

    explicit TextExportWriter(Sink sink);

    // Adds the entry's block when it has an audio file. False once a piece
    // could not be written: after a failed write (a full disk) the rest would
    // fail as well, so nothing more is handed on.
    bool Add(const TextResourceEntry& entry);
    // Hands on what is left; false when this or an earlier piece failed.
    bool Finish();

private:
    bool Flush();

    Sink m_sink;
    std::string m_buffer;
    bool m_ok = true;
};

// Writes the blocks of all entries with an audio file, in collection order, to
// `file`. False when a write fails.
bool WriteTextExport(const TextResourceObject& entries, std::FILE* file);

// Creates or truncates the file at `path` (a name in the file system's
// encoding) and writes the export into it. False when the file cannot be
// opened or a write or the closing fails.
bool ExportTextToFile(const TextResourceObject& entries, const std::string& path);
