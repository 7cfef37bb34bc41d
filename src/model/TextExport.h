// The plain-text export: a readable script of every entry that has a
// recording, for the recording studio. The editor's Export command and
// lexarium-tool's text command both write it through this code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TextResourceEntry;
class TextResourceObject;
class tsOutputStream;
struct tsSafeSaveReport;

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
// `out`: S_OK, or the first failure of a write.
std::int32_t WriteTextExport(const TextResourceObject& entries, tsOutputStream& out);

// Writes the export to the file at `path` (a name in the file system's
// encoding) through the safe save: a new file, or the old one replaced only
// once the export is complete, so a failure leaves the file that was there as
// it was (support/tsSafeSave.h). S_OK or the failure; `report` tells the
// caller what to say.
std::int32_t ExportTextToFile(const TextResourceObject& entries, const std::string& path,
                              tsSafeSaveReport* report = nullptr); // not owned
