#pragma once

// Loading and saving for the commands of lexarium-tool: a load failure prints
// the editor's message, a save goes through the editor's safe save and never
// loses an existing output.

#include "model/TextResourceObject.h"
#include "model/TextResourceReader.h"
#include "support/tsStream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Loads the whole file; false, after the message, when it cannot be loaded.
// `report`, when given, tells what the file holds that the writer would not make.
bool Load(const char* file, TextResourceObject& object,
          TextResourceReadReport* report = nullptr); // not owned

// Writes `output` through `write` the way the editor saves; the exit status,
// after a message on failure. With `keepOldContent` the old output stays in
// the backups folder. A `write` that returns E_ABORT abandons the save
// without a message: it told the user why itself.
int Save(const char* output, const std::function<std::int32_t(tsOutputStream&)>& write,
         bool keepOldContent = false);

// Writes the whole buffer, in pieces the stream's 32-bit sizes take: the
// result of the first write that failed, else of the last.
std::int32_t WriteAll(tsOutputStream& out, const char* data, std::size_t size);

// Prints the message of a file that cannot be loaded.
void ReportLoadFailure();

// A text resource file read entry by entry, for commands that need not hold it.
class StreamedFile {
public:
    // Opens the file and reads its header; false, after the message, when the
    // file cannot be loaded.
    bool Open(const char* file, TextResourceReadReport* report = nullptr); // not owned
    // The same without the message, for a caller that has more to say first
    // (ReportLoadFailure prints it).
    bool OpenQuietly(const char* file, TextResourceReadReport* report = nullptr); // not owned

    TextResourceReader& Reader() { return *m_reader; }

private:
    tsFileStream m_stream;
    std::unique_ptr<TextResourceReader> m_reader;
};

// Whether `folder` can be listed; `reason` tells why not.
bool IsReadableFolder(const char* folder, std::string& reason);
// Prints why `folder` cannot be listed; false then.
bool CheckReadableFolder(const char* folder);
// The size of the file in bytes; 0 when it cannot be told.
std::uint64_t FileSize(const char* file);
// Whether both names lead to the same existing file.
bool IsSameFile(const char* a, const char* b);
