// lexarium-tool check: what would break a build or a recording session.
// The file is streamed; only ids, identifiers and the findings are kept.

#include "AudioChecks.h"
#include "EntryChecks.h"
#include "Findings.h"
#include "ToolCommands.h"
#include "ToolFiles.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

int RunCheck(const char* file, const char* folder, bool json) {
    std::optional<AudioChecks> audio;
    if (folder != nullptr) {
        std::string reason;
        if (!IsReadableFolder(folder, reason)) {
            std::fprintf(stderr, "Cannot read the folder %s: %s\n", folder, reason.c_str());
            return 1;
        }
        audio.emplace(folder);
    }

    TextResourceReadReport report;
    StreamedFile input;
    if (!input.Open(file, &report))
        return 1;
    Findings findings;
    AddHeaderDamage(report, findings);

    // Room for the entries the count promises, but no more than the file can
    // hold (a record takes 7 bytes at least): a damaged count must not claim memory.
    std::uint64_t expected = report.count;
    struct stat status {};
    if (::stat(file, &status) == 0 && S_ISREG(status.st_mode))
        expected =
            std::min<std::uint64_t>(expected, static_cast<std::uint64_t>(status.st_size) / 7);
    EntryChecks entries(static_cast<std::size_t>(std::min<std::uint64_t>(expected, 1u << 24)));
    TextResourceReader& reader = input.Reader();
    TextResourceEntry entry;
    std::uint32_t recordsWithData = 0;
    while (reader.ReadEntry(entry)) {
        const std::uint32_t position = reader.EntriesRead() - 1;
        // Entries past the end of the data hold the values of a new entry;
        // the finding about the count tells of them all at once.
        if (report.recordsWithData == recordsWithData)
            continue;
        recordsWithData = report.recordsWithData;
        AddFieldDamage(report, position, entry, findings);
        entries.Check(position, entry, findings);
        if (audio)
            audio->Check(position, entry, findings);
    }
    reader.Finish();
    AddEndDamage(report, findings);
    if (audio)
        audio->Finish(findings);

    if (json)
        findings.PrintJson(stdout, file, reader.EntriesRead());
    else
        findings.PrintLines(stdout);
    return findings.Empty() ? 0 : 3;
}
