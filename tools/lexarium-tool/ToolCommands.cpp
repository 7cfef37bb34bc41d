#include "ToolCommands.h"

#include "ToolFiles.h"
#include "model/CountWords.h"
#include "model/TextResourceObject.h"
#include "support/tsResult.h"
#include "support/tsSafeSave.h"

#include <cstdint>
#include <cstdio>

bool Load(const char* file, TextResourceObject& object, TextResourceReadReport* report) {
    std::int32_t result;
    {
        tsFileStream stream;
        result = stream.Open(file, TS_OPEN_READ);
        if (tsSucceeded(result))
            result = report != nullptr ? object.Read(stream, *report) : object.Read(stream);
    }
    if (tsFailed(result)) {
        std::fprintf(stderr, "An error accured while loading this file!\n");
        return false;
    }
    return true;
}

namespace {

const char* Reason(std::int32_t result) {
    switch (static_cast<std::uint32_t>(result)) {
    case 0x80070002u:
    case 0x80070003u:
        return "the folder does not exist";
    case 0x80070005u:
        return "permission denied";
    case 0x80070013u:
        return "the medium is write-protected";
    case 0x80070020u:
        return "the file is in use by another program";
    case 0x80070070u:
        return "the disk is full";
    default:
        return "write error";
    }
}

} // namespace

int Save(const char* output, const std::function<std::int32_t(tsOutputStream&)>& write,
         bool keepOldContent) {
    tsSafeSaveOptions options;
    options.keepOldContent = keepOldContent;
    tsSafeSaveReport report;
    std::int32_t result = tsSaveFileSafely(output, write, options, &report);
    if (tsFailed(result)) {
        std::fprintf(stderr, "Could not write %s: %s (error 0x%08X). ", output, Reason(result),
                     static_cast<unsigned>(result));
        if (report.backupPath.empty())
            std::fprintf(stderr, "The file was not changed.\n");
        else
            std::fprintf(stderr, "Its previous content is kept in %s.\n",
                         report.backupPath.c_str());
        return 1;
    }
    return 0;
}

int RunInfo(const char* file) {
    // Streamed: the figures need one entry at a time, not the whole file.
    StreamedFile input;
    if (!input.Open(file))
        return 1;
    TextResourceReader& reader = input.Reader();
    std::uint64_t words = 0;
    std::uint64_t characters = 0;
    TextResourceEntry entry;
    while (reader.ReadEntry(entry)) {
        words += static_cast<std::uint64_t>(CountWords(entry.text));
        characters += entry.text.size();
    }
    std::printf("version: %u\nentries: %u\nwords: %llu\ncharacters: %llu\n",
                static_cast<unsigned>(reader.Version()),
                static_cast<unsigned>(reader.EntriesRead()), static_cast<unsigned long long>(words),
                static_cast<unsigned long long>(characters));
    return 0;
}

namespace {

int ConvertLoaded(const char* input, const char* output) {
    // A damaged file converted onto itself keeps its original bytes in the
    // backups folder.
    TextResourceObject object;
    TextResourceReadReport report;
    if (!Load(input, object, &report))
        return 1;
    return Save(
        output, [&](tsOutputStream& stream) { return object.Write(stream); },
        report.HadReadFailures() && IsSameFile(input, output));
}

} // namespace

int RunConvert(const char* input, const char* output) {
    // Streamed in two passes over the file, which is held open (and shared
    // for reading) throughout: the first finds how many entries the load
    // appends, which the header gives before them; the second writes them as
    // they are read. A file that cannot be read twice, or that is its own
    // output, is loaded whole.
    if (!IsRegularFile(input) || IsSameFile(input, output))
        return ConvertLoaded(input, output);
    StreamedFile file;
    if (!file.Open(input))
        return 1;
    TextResourceEntry entry;
    while (file.Reader().ReadEntry(entry)) {
    }
    const std::uint32_t count = file.Reader().EntriesRead();
    return Save(output, [&](tsOutputStream& stream) {
        std::int32_t result = file.Stream().Seek(0, 0);
        if (tsFailed(result))
            return result;
        TextResourceReader reader(file.Stream());
        std::uint32_t written = 0;
        {
            TraceSilence silence; // the first pass traced these reads
            reader.ReadHeader();
        }
        result = trs::WriteHeader(stream, count);
        for (;;) {
            {
                TraceSilence silence;
                if (!reader.ReadEntry(entry))
                    break;
            }
            entry.Write(stream);
            ++written;
        }
        // The file changed between the passes: what was written is not what it holds.
        return written == count ? result : E_FAIL;
    });
}

int RunXml(const char* input, const char* output) {
    TextResourceObject object;
    if (!Load(input, object))
        return 1;
    return Save(output, [&](tsOutputStream& stream) { return object.WriteXml(stream); });
}
