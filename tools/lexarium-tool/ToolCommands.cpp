#include "ToolCommands.h"

#include "model/CountWords.h"
#include "model/TextResourceObject.h"
#include "support/tsResult.h"
#include "support/tsSafeSave.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace {

bool Load(const char* file, TextResourceObject& object) {
    std::int32_t result;
    {
        tsFileStream stream;
        result = stream.Open(file, TS_OPEN_READ);
        if (tsSucceeded(result))
            result = object.Read(stream);
    }
    if (tsFailed(result)) {
        std::fprintf(stderr, "An error accured while loading this file!\n");
        return false;
    }
    return true;
}

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

// `keepOldContent` for a damaged file converted onto itself: its original
// bytes stay in the backups folder.
int Save(const char* output, const std::function<std::int32_t(tsOutputStream&)>& write,
         bool keepOldContent = false) {
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

bool SameFile(const char* first, const char* second) {
    std::error_code error;
    return std::filesystem::equivalent(first, second, error);
}

} // namespace

int RunInfo(const char* file) {
    TextResourceObject object;
    if (!Load(file, object))
        return 1;
    std::uint64_t words = 0;
    std::uint64_t characters = 0;
    for (std::uint32_t i = 0; i < object.GetEntryCount(); ++i) {
        const TextResourceEntry* entry = object.GetEntry(i);
        words += static_cast<std::uint64_t>(CountWords(entry->text));
        characters += entry->text.size();
    }
    std::printf("version: %u\nentries: %u\nwords: %llu\ncharacters: %llu\n",
                static_cast<unsigned>(object.GetFileVersion()),
                static_cast<unsigned>(object.GetEntryCount()),
                static_cast<unsigned long long>(words),
                static_cast<unsigned long long>(characters));
    return 0;
}

int RunConvert(const char* input, const char* output) {
    TextResourceObject object;
    if (!Load(input, object))
        return 1;
    return Save(
        output, [&](tsOutputStream& stream) { return object.Write(stream); },
        object.GetReadFailures() > 0 && SameFile(input, output));
}

int RunXml(const char* input, const char* output) {
    TextResourceObject object;
    if (!Load(input, object))
        return 1;
    return Save(output, [&](tsOutputStream& stream) { return object.WriteXml(stream); });
}
