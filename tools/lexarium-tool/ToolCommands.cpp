#include "ToolCommands.h"

#include "ToolFiles.h"
#include "model/CountWords.h"
#include "model/TextResourceObject.h"
#include "platform/Win32Error.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"
#include "support/tsSafeSave.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

bool Load(const char* file, TextResourceObject& object, TextResourceReadReport* report) {
    std::int32_t result;
    {
        tsFileStream stream;
        result = stream.Open(file, TS_OPEN_READ);
        if (tsSucceeded(result))
            result = report != nullptr ? object.Read(stream, *report) : object.Read(stream);
    }
    if (tsFailed(result)) {
        ReportLoadFailure();
        return false;
    }
    return true;
}

namespace {

// Why a save failed, in plain words.
const char* Reason(std::int32_t result) {
    static const std::pair<std::uint32_t, const char*> kReasons[] = {
        {platform::ERROR_FILE_NOT_FOUND, "the folder does not exist"},
        {platform::ERROR_PATH_NOT_FOUND, "the folder does not exist"},
        {platform::ERROR_ACCESS_DENIED, "permission denied"},
        {platform::ERROR_WRITE_PROTECT, "the medium is write-protected"},
        {platform::ERROR_SHARING_VIOLATION, "the file is in use by another program"},
        {platform::ERROR_DISK_FULL, "the disk is full"},
    };
    for (const auto& [error, reason] : kReasons)
        if (result == tsResultFromError(error))
            return reason;
    return "write error";
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

int RunConvert(const char* input, const char* output) {
    // One pass: each entry is written into memory as it is read, for the
    // header, which comes first, counts the entries that only the end of the
    // file tells. The input is closed before the output is written, so a file
    // converted onto itself is read whole first.
    TextResourceReadReport report;
    tsMemoryStream records;
    std::uint32_t count = 0;
    {
        StreamedFile file;
        if (!file.Open(input, &report))
            return 1;
        // A current file's records take as many bytes again; older ones a few more.
        records.Reserve(FileSize(input));
        TextResourceEntry entry;
        while (file.Reader().ReadEntry(entry))
            entry.Write(records);
        count = file.Reader().EntriesRead();
    }
    // A damaged file converted onto itself keeps its original bytes in the
    // backups folder.
    const bool keepOldContent = !report.LoadedWhole() && IsSameFile(input, output);
    return Save(
        output,
        [&](tsOutputStream& stream) {
            std::int32_t result = trs::WriteHeader(stream, count);
            if (tsSucceeded(result))
                result = WriteAll(stream, records.Data().data(), records.Data().size());
            return result;
        },
        keepOldContent);
}

int RunXml(const char* input, const char* output) {
    TextResourceObject object;
    if (!Load(input, object))
        return 1;
    return Save(output, [&](tsOutputStream& stream) { return object.WriteXml(stream); });
}
